// PluginInstance drives a module as a DAW does; the fake gain module (separate processor
// and controller, latency 5, one gain) makes every effect observable.
#include "host/plugin_instance.h"

#include "fake_module/fake_gain_ids.h"

#include <gtest/gtest.h>

#include <vector>

using namespace corvale::host;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

class FakeGainInstance : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plugin.load(FAKE_GAIN_BUNDLE)) << plugin.error();
        ASSERT_TRUE(plugin.prepare({48000.0, kBlock, 2, false})) << plugin.error();
    }

    // Processes one block of a constant 1.0 on both channels; returns channel 0.
    std::vector<float> processOnes(int32 n = kBlock)
    {
        std::vector<float> in(static_cast<std::size_t>(n), 1.0f), left(in.size()), right(in.size());
        const float* inputs[2] = {in.data(), in.data()};
        float* outputs[2] = {left.data(), right.data()};
        EXPECT_TRUE(plugin.process(inputs, outputs, n));
        EXPECT_EQ(left, right);
        return left;
    }

    ParamValue output(ParamID id)
    {
        ParamValue v = -1;
        EXPECT_TRUE(plugin.outputParameterChanges().lastValue(id, v)) << "no output for " << id;
        return v;
    }

    static constexpr int32 kBlock = 64;
    PluginInstance plugin;
};

} // namespace

TEST_F(FakeGainInstance, CreatesAndConnectsTheSeparateController)
{
    EXPECT_TRUE(plugin.hasSeparateController());
    EXPECT_EQ(plugin.classInfo().name, "FakeGain");
    EXPECT_EQ(plugin.latencySamples(), static_cast<uint32>(fake_gain::kLatency));
    ParameterInfo gain {};
    ASSERT_TRUE(plugin.findParameter("Gain", gain));
    EXPECT_EQ(gain.id, fake_gain::kGainId);
    ParameterInfo byId {};
    ASSERT_TRUE(plugin.findParameter("3", byId));
    EXPECT_EQ(byId.id, fake_gain::kEventsId);
    EXPECT_FALSE(plugin.findParameter("Volume", byId));
    EXPECT_DOUBLE_EQ(plugin.normalizedToPlain(gain.id, 1.0), 2.0);
    EXPECT_EQ(plugin.valueText(gain.id, 0.25), "0.50");
}

TEST_F(FakeGainInstance, ParameterEditReachesControllerAndNextBlock)
{
    // Default gain 1 after the latency of 5 samples.
    auto out = processOnes();
    EXPECT_EQ(out[4], 0.0f);
    EXPECT_EQ(out[5], 1.0f);

    ASSERT_TRUE(plugin.setParameter(fake_gain::kGainId, 0.25));
    EXPECT_DOUBLE_EQ(plugin.normalized(fake_gain::kGainId), 0.25);
    out = processOnes();
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(output(fake_gain::kLevelId), 0.5);

    // Changes of the input list go in once, then the list is empty again.
    plugin.inputParameterChanges().addChange(fake_gain::kGainId, 10, 0.0);
    out = processOnes();
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(plugin.inputParameterChanges().getParameterCount(), 0);
    EXPECT_FALSE(plugin.setParameter(fake_gain::kGainId, 1.5)) << "normalised values stay in 0..1";
}

TEST_F(FakeGainInstance, ProgramSelectionGoesThroughTheProgramParameter)
{
    ParameterInfo program {};
    ASSERT_TRUE(plugin.programParameter(program));
    EXPECT_EQ(program.id, fake_gain::kProgramId);
    EXPECT_EQ(plugin.programListName(), "Programs");
    EXPECT_EQ(plugin.programNames(), (std::vector<std::string> {"Unity", "Half", "Mute"}));

    ASSERT_TRUE(plugin.selectProgram(1));
    EXPECT_DOUBLE_EQ(plugin.normalized(fake_gain::kGainId), 0.25) << "controller follows the program";
    EXPECT_EQ(plugin.componentHandler().restartRequests(), std::vector<int32> {kParamValuesChanged});
    processOnes();
    EXPECT_FLOAT_EQ(processOnes()[0], 0.5f) << "processor got the program change";
    EXPECT_FALSE(plugin.selectProgram(3));
    EXPECT_FALSE(plugin.selectProgram(-1));
}

TEST_F(FakeGainInstance, StateRoundTripReachesComponentAndController)
{
    ASSERT_TRUE(plugin.setParameter(fake_gain::kGainId, 0.75));
    processOnes();
    std::vector<char> state;
    ASSERT_TRUE(plugin.getState(state));
    EXPECT_EQ(state.size(), 8u);

    PluginInstance other;
    ASSERT_TRUE(other.load(FAKE_GAIN_BUNDLE)) << other.error();
    ASSERT_TRUE(other.prepare({48000.0, kBlock, 1, true})) << other.error();
    EXPECT_DOUBLE_EQ(other.normalized(fake_gain::kGainId), 0.5);
    ASSERT_TRUE(other.setState(state)) << other.error();
    EXPECT_DOUBLE_EQ(other.normalized(fake_gain::kGainId), 0.75);

    std::vector<float> in(kBlock, 1.0f), out(kBlock);
    const float* inputs[1] = {in.data()};
    float* outputs[1] = {out.data()};
    ASSERT_TRUE(other.process(inputs, outputs, kBlock));
    EXPECT_FLOAT_EQ(out[kBlock - 1], 1.5f);

    EXPECT_FALSE(other.setState({'x', 'y'})) << "a state the plug-in rejects is reported";
    EXPECT_FALSE(other.error().empty());
}

TEST_F(FakeGainInstance, ContextAdvancesAndEventsReachTheBlock)
{
    processOnes();
    processOnes();
    EXPECT_DOUBLE_EQ(output(fake_gain::kPositionId), kBlock / 1e7);

    Event e {};
    e.type = Event::kNoteOnEvent;
    plugin.inputEvents().addEvent(e);
    plugin.inputEvents().addEvent(e);
    processOnes();
    EXPECT_DOUBLE_EQ(output(fake_gain::kEventsId), 0.02);
    processOnes();
    EXPECT_DOUBLE_EQ(output(fake_gain::kEventsId), 0.0) << "events are cleared after each block";
}

TEST_F(FakeGainInstance, RefusesBlocksItCannotProcess)
{
    std::vector<float> buffer(kBlock * 2);
    float* outputs[2] = {buffer.data(), buffer.data() + kBlock};
    EXPECT_FALSE(plugin.process(nullptr, outputs, kBlock + 1));
    EXPECT_FALSE(plugin.process(nullptr, nullptr, kBlock));
    EXPECT_FALSE(plugin.process(nullptr, outputs, -1));
    EXPECT_TRUE(plugin.process(nullptr, outputs, 0)) << "an empty block flushes parameters";
    EXPECT_TRUE(plugin.process(nullptr, outputs, kBlock)) << "null inputs are silence";

    plugin.unprepare();
    EXPECT_FALSE(plugin.process(nullptr, outputs, kBlock));
    EXPECT_FALSE(plugin.prepare({48000.0, kBlock, 3, false})) << "only mono and stereo";
    EXPECT_TRUE(plugin.prepare({44100.0, kBlock, 1, false})) << plugin.error();
}

TEST(PluginInstance, FailsCleanlyWithoutAModule)
{
    PluginInstance plugin;
    EXPECT_FALSE(plugin.load("/nonexistent.vst3"));
    EXPECT_NE(plugin.error().find("no such file"), std::string::npos);
    EXPECT_FALSE(plugin.prepare({}));
    EXPECT_TRUE(plugin.parameters().empty());
    std::vector<char> state;
    EXPECT_FALSE(plugin.getState(state));
    EXPECT_FALSE(plugin.load(FAKE_NO_PROCESSOR_BUNDLE));
    EXPECT_NE(plugin.error().find("no audio processor class"), std::string::npos) << plugin.error();
    plugin.destroy();
}
