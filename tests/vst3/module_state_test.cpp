// The equaliser's component state through the module: the 82-byte layout, round
// trips, and loads that are cut short, hold NaN or values out of range.
#include "module_test_support.h"

#include "public.sdk/source/common/memorystream.h"

#include <limits>

using namespace Steinberg;
using corvale::host::PluginInstance;
using corvale::host::ProcessConfig;

namespace {

const float kFlat[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1.0f};

class ModuleState : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plugin.load(bundlePath())) << plugin.error();
        if (GetParam())  // active: loads go through the audio thread's hand-over
        {
            ASSERT_TRUE(plugin.prepare(ProcessConfig {44100.0, 128, 2})) << plugin.error();
        }
    }

    std::vector<char> state()
    {
        std::vector<char> s;
        EXPECT_TRUE(plugin.getState(s));
        return s;
    }

    tresult load(const std::vector<char>& bytes)
    {
        std::vector<char> copy(bytes);
        IPtr<MemoryStream> stream = owned(new MemoryStream(copy.data(), static_cast<TSize>(copy.size())));
        const tresult component = plugin.component()->setState(stream);
        stream->seek(0, IBStream::kIBSeekSet, nullptr);
        const tresult controller = plugin.controller()->setComponentState(stream);
        EXPECT_EQ(component, controller);
        return component;
    }

    void block()
    {
        if (!plugin.isPrepared())
            return;
        std::vector<float> l(128), r(128);
        float* out[2] = {l.data(), r.data()};
        plugin.process(nullptr, out, 128);
    }

    PluginInstance plugin;
};

} // namespace

TEST_P(ModuleState, FreshInstanceSavesTheGoldenStream)
{
    const unsigned char golden[82] = {
        0x01, 0, 0, 0, 0, 0, 0, 0,  // version 1
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   // fifteen bands at 0 dB
        0x00, 0x00, 0x80, 0x3F,               // gain 1.0
        0x00, 0x00,                           // bypass off
        0, 0, 0, 0, 0, 0, 0, 0};              // joystick (0, 0)
    const auto s = state();
    ASSERT_EQ(s.size(), 82u);
    EXPECT_EQ(std::memcmp(s.data(), golden, 82), 0);
    // The controller side does not keep a state of its own.
    IPtr<MemoryStream> stream = owned(new MemoryStream);
    EXPECT_EQ(plugin.controller()->getState(stream), kNotImplemented);
    EXPECT_EQ(plugin.controller()->setState(stream), kNotImplemented);
}

TEST_P(ModuleState, LoadedStateIsSavedBackAtOnceAndSwitchesBypass)
{
    float controls[16];
    for (int i = 0; i < 15; ++i)
        controls[i] = -12.0f + 1.5f * i;
    controls[15] = 1.75f;
    const auto bytes = StateBytes::equaliser(controls, 1, 1, 0.25f, -0.5f).data;
    ASSERT_EQ(load(bytes), kResultOk);
    EXPECT_EQ(state(), bytes) << "getState right after setState";
    block();
    EXPECT_EQ(state(), bytes);
    EXPECT_EQ(plugin.normalized(2056), 1.0);
    EXPECT_DOUBLE_EQ(plugin.normalized(0), 0.0);
    EXPECT_DOUBLE_EQ(plugin.normalized(32773), 0.625);
    EXPECT_DOUBLE_EQ(plugin.normalized(32774), 0.25);
}

TEST_P(ModuleState, RejectedStreamsChangeNothing)
{
    float controls[16];
    for (int i = 0; i < 16; ++i)
        controls[i] = 0.5f;
    const auto good = StateBytes::equaliser(controls, 0).data;
    ASSERT_EQ(load(good), kResultOk);
    block();
    const double bandBefore = plugin.normalized(3);

    float nanControls[16];
    std::copy(std::begin(kFlat), std::end(kFlat), nanControls);
    nanControls[5] = std::numeric_limits<float>::quiet_NaN();
    auto cutInControls = StateBytes::equaliser(kFlat, 1).data;
    cutInControls.resize(30);
    auto cutInJoystick = StateBytes::equaliser(kFlat, 1).data;
    cutInJoystick.resize(78);
    const std::vector<std::vector<char>> rejected = {
        {},
        cutInControls,
        cutInJoystick,
        StateBytes::equaliser(nanControls, 1).data,
        StateBytes::equaliser(kFlat, 1, 1, std::numeric_limits<float>::infinity(), 0.0f).data,
    };
    for (const auto& bytes : rejected)
    {
        EXPECT_EQ(load(bytes), kResultFalse) << bytes.size();
        EXPECT_EQ(state(), good) << bytes.size();
        block();
        EXPECT_EQ(state(), good) << bytes.size();
        EXPECT_EQ(plugin.normalized(3), bandBefore);
    }
}

TEST_P(ModuleState, OutOfRangeValuesAreClampedAndVersionZeroIsComplete)
{
    float controls[16];
    std::copy(std::begin(kFlat), std::end(kFlat), controls);
    controls[0] = 40.0f;
    controls[1] = -100.0f;
    controls[15] = -1.0f;
    auto bytes = StateBytes::equaliser(controls, 7, 1, 2.0f, -3.0f);
    bytes.put<int32_t>(12345);  // bytes after the last field are ignored
    ASSERT_EQ(load(bytes.data), kResultOk);
    block();
    auto s = state();
    EXPECT_EQ(controlInState(s, 0), 12.0f);
    EXPECT_EQ(controlInState(s, 1), -12.0f);
    EXPECT_EQ(controlInState(s, 15), 0.0f);
    EXPECT_EQ(bypassInState(s), 1);
    float x = 0.0f;
    std::memcpy(&x, s.data() + 74, 4);
    EXPECT_EQ(x, 1.0f);

    // Version 0 has no joystick: it stays where it was.
    ASSERT_EQ(load(StateBytes::equaliser(kFlat, 0, 0).data), kResultOk);
    block();
    s = state();
    EXPECT_EQ(s.size(), 82u);
    EXPECT_EQ(controlInState(s, 0), 0.0f);
    EXPECT_EQ(bypassInState(s), 0);
    std::memcpy(&x, s.data() + 74, 4);
    EXPECT_EQ(x, 1.0f);
}

TEST_P(ModuleState, RoundTripIntoASecondInstance)
{
    float controls[16];
    for (int i = 0; i < 16; ++i)
        controls[i] = (i % 2 == 0) ? 3.25f : -7.5f;
    controls[15] = 0.8f;
    ASSERT_EQ(load(StateBytes::equaliser(controls, 0, 1, -0.125f, 0.75f).data), kResultOk);
    const auto saved = state();

    PluginInstance other;
    ASSERT_TRUE(other.load(bundlePath()));
    ASSERT_TRUE(other.setState(saved)) << other.error();
    EXPECT_NEAR(other.normalized(0), (3.25 + 12.0) / 24.0, 1e-6) << "the controller follows";
    std::vector<char> copy;
    ASSERT_TRUE(other.getState(copy));
    EXPECT_EQ(copy, saved);
}

INSTANTIATE_TEST_SUITE_P(InactiveAndActive, ModuleState, ::testing::Values(false, true));
