// The built module loaded as a VST 2 host loads it: dlopen, VSTPluginMain and
// the AEffect. Where the VST 3 side can tell what the answer must be, the same
// module driven through the VST 3 host library is the oracle.
#include "vst2_test_host.h"

#include "host/plugin_instance.h"
#include "product_identity.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace vst2test;
using namespace Steinberg;
using namespace Steinberg::Vst::Rive2ZOD3;
namespace Vst = Steinberg::Vst;

namespace {

constexpr int kBlock = 256;
constexpr float kRate = 48000.0f;

class Vst2ModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(module.loaded()) << module.error();
        effect = std::make_unique<Vst2Effect>(module.open(Vst2TestHost::callback));
        ASSERT_NE(effect->get(), nullptr);
        ASSERT_TRUE(vst3.load(CORVALE_BUNDLE_PATH)) << vst3.error();
    }

    std::unique_ptr<Vst2Effect> openAnother() const
    {
        return std::make_unique<Vst2Effect>(module.open(Vst2TestHost::callback));
    }

    /// The VST 3 parameters a VST 2 host sees, in their order.
    std::vector<Vst::ParameterInfo> exported() const
    {
        std::vector<Vst::ParameterInfo> out;
        for (const auto& p : vst3.parameters())
            if ((p.flags & (Vst::ParameterInfo::kIsBypass | Vst::ParameterInfo::kIsProgramChange
                            | Vst::ParameterInfo::kIsReadOnly)) == 0)
                out.push_back(p);
        return out;
    }

    Vst2TestHost host;
    Vst2Module module {CORVALE_BUNDLE_SO};
    std::unique_ptr<Vst2Effect> effect;
    corvale::host::PluginInstance vst3;
};

std::vector<std::vector<float>> noise(int frames)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> dist(-0.5f, 0.5f);
    std::vector<std::vector<float>> in(2, std::vector<float>(static_cast<size_t>(frames)));
    for (auto& channel : in)
        for (float& s : channel)
            s = dist(rng);
    return in;
}

} // namespace

TEST(Vst2Entry, HostWithoutVersionGetsNoEffect)
{
    Vst2TestHost host;
    host.version = 0;
    Vst2Module module(CORVALE_BUNDLE_SO);
    ASSERT_TRUE(module.loaded()) << module.error();
    EXPECT_EQ(module.open(Vst2TestHost::callback), nullptr);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(module.open(nullptr), nullptr);
}

TEST_F(Vst2ModuleTest, IdentityMatchesTheFactory)
{
    AEffect* e = effect->get();
    EXPECT_EQ(e->magic, kEffectMagic);
    EXPECT_EQ(e->uniqueID, 0x30697526);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(static_cast<uint32>(e->initialDelay), vst3.latencySamples());
    EXPECT_EQ(e->initialDelay, 127);
    EXPECT_NE(e->flags & effFlagsCanReplacing, 0);
    EXPECT_NE(e->flags & effFlagsProgramChunks, 0);
    EXPECT_EQ(e->flags & effFlagsCanDoubleReplacing, 0);
    EXPECT_EQ(e->processDoubleReplacing, nullptr);
    IPlugView* view = vst3.controller()->createView(Vst::ViewType::kEditor);
    EXPECT_EQ((e->flags & effFlagsHasEditor) != 0, view != nullptr);
    if (view != nullptr)
        view->release();

    struct Text { int opcode; size_t limit; std::string expected; };
    const Text texts[] = {
        {effGetEffectName, kEffectNameSize, vst3.classInfo().name},
        {effGetVendorString, kVendorStrSize, "Brackwater"},
        {effGetProductString, kVendorStrSize, vst3.classInfo().name},
    };
    for (const Text& t : texts)
    {
        bool overrun = false;
        EXPECT_EQ(effect->text(t.opcode, 0, t.limit, overrun), t.expected) << t.opcode;
        EXPECT_FALSE(overrun) << t.opcode;
    }
    EXPECT_EQ(effect->dispatch(effGetVendorVersion), 0x00000200);
    EXPECT_EQ(e->version, 0x00000200);
    EXPECT_EQ(e->version, ProductIdentity::kVst2Version);
    EXPECT_EQ(e->uniqueID, ProductIdentity::kVst2UniqueId);
    EXPECT_EQ(effect->dispatch(effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(effect->dispatch(effGetVstVersion), 2400);
    effect->dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    EXPECT_EQ(static_cast<uint32>(effect->dispatch(kEffGetTailSize)), 22050u);
}

TEST_F(Vst2ModuleTest, CanDoAnswersWhatItSupportsAndDontKnowOtherwise)
{
    const std::pair<const char*, VstIntPtr> cases[] = {
        {"receiveVstEvents", 1}, {"receiveVstMidiEvent", 1}, {"bypass", 1},
        {"RECEIVEVSTMIDIEVENT", 1}, {"receiveVstTimeInfo", 1}, {"sendVstEvents", 0}, {"offline", 0}, {"noSuchThing", 0},
    };
    for (const auto& [what, answer] : cases)
        EXPECT_EQ(effect->dispatch(effCanDo, 0, 0, const_cast<char*>(what)), answer) << what;
}

// MIDI controllers, pitch bend and channel pressure from a VST 2 host reach the
// parameters the module's own mapping names for them (asked through its VST 3
// IMidiMapping, as a VST 3 host would): after the block and the next idle the
// host reads the new value back, with nothing recorded as automation.
TEST_F(Vst2ModuleTest, MidiControllersMoveTheParametersTheModuleMapsThemTo)
{
    FUnknownPtr<Vst::IMidiMapping> mapping(vst3.controller());
    ASSERT_TRUE(mapping);
    const auto parameters = exported();
    auto vst2IndexOf = [&](Vst::ParamID id) {
        for (size_t i = 0; i < parameters.size(); ++i)
            if (parameters[i].id == id)
                return static_cast<int>(i);
        return -1;
    };

    struct Case
    {
        const char* what;
        unsigned char status, data1, data2;
        Vst::CtrlNumber controller;
        double expected;
        int frame;
    };
    const Case cases[] = {
        {"CC 7, channel 1", 0xB0, 7, 100, Vst::kCtrlVolume, 100.0 / 127.0, 17},
        {"CC 7, channel 6", 0xB5, 7, 0, Vst::kCtrlVolume, 0.0, 200},
        {"mod wheel", 0xB0, 1, 127, Vst::kCtrlModWheel, 1.0, 0},
        {"pitch bend up", 0xE3, 0x7F, 0x7F, Vst::kPitchBend, 1.0, 31},
        {"pitch bend centre", 0xE0, 0x00, 0x40, Vst::kPitchBend, 8192.0 / 16383.0, 5},
        {"channel pressure", 0xD0, 90, 0, Vst::kAfterTouch, 90.0 / 127.0, 255},
    };
    effect->resume(kRate, kBlock);
    AEffect* e = effect->get();
    for (const Case& c : cases)
    {
        Vst::ParamID id = 0;
        ASSERT_EQ(mapping->getMidiControllerAssignment(0, static_cast<int16>(c.status & 0x0F), c.controller, id),
                  kResultOk) << c.what;
        const int index = vst2IndexOf(id);
        ASSERT_GE(index, 0) << c.what;

        VstMidiEvent event {};
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = c.frame;
        event.midiData[0] = static_cast<char>(c.status);
        event.midiData[1] = static_cast<char>(c.data1);
        event.midiData[2] = static_cast<char>(c.data2);
        struct
        {
            int numEvents;
            VstIntPtr reserved;
            VstEvent* events[1];
        } list {1, 0, {reinterpret_cast<VstEvent*>(&event)}};
        host.calls.clear();
        ASSERT_EQ(effect->dispatch(effProcessEvents, 0, 0, &list), 1);
        std::vector<std::vector<float>> out;
        effect->process(noise(kBlock), out, kBlock);
        effect->dispatch(effEditIdle);
        EXPECT_NEAR(e->getParameter(e, index), c.expected, 1e-6) << c.what;
        EXPECT_TRUE(host.callsOf(audioMasterAutomate).empty()) << c.what;
    }
    bool overrun = false;
    EXPECT_EQ(effect->text(effGetParamName, vst2IndexOf(2050), kParamStrSize, overrun), "MIDI Vo");
}

TEST_F(Vst2ModuleTest, ParametersAreTheVst3ParametersWithoutBypassProgramAndReadOnly)
{
    const auto expected = exported();
    ASSERT_EQ(effect->get()->numParams, static_cast<int>(expected.size()));
    const char* controls[] = {"25", "40", "63", "100", "160", "250", "400", "630",
                              "1000", "1600", "2500", "4000", "6300", "10000", "16000", "Gain"};
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(expected[static_cast<size_t>(i)].id, static_cast<Vst::ParamID>(i));
        bool overrun = false;
        EXPECT_EQ(effect->text(effGetParamName, i, kParamStrSize, overrun), controls[i]);
        EXPECT_FALSE(overrun);
    }
    for (int i = 0; i < effect->get()->numParams; ++i)
    {
        bool overrun = false;
        for (int op : {effGetParamName, effGetParamLabel, effGetParamDisplay})
        {
            effect->text(op, i, kParamStrSize, overrun);
            EXPECT_FALSE(overrun) << "opcode " << op << " index " << i;
        }
        EXPECT_EQ(effect->dispatch(effCanBeAutomated, i), 1);
    }
    bool overrun = false;
    EXPECT_EQ(effect->text(effGetParamName, effect->get()->numParams, kParamStrSize, overrun), "");
    EXPECT_EQ(effect->get()->getParameter(effect->get(), 1000), 0.0f);
}

TEST_F(Vst2ModuleTest, SetParameterRoundTripsAndDisplaysAsTheController)
{
    AEffect* e = effect->get();
    const std::pair<int, float> cases[] = {{0, 0.0f}, {8, 0.75f}, {14, 1.0f}, {15, 0.3f}, {3, 0.123f}};
    for (const auto& [index, value] : cases)
    {
        e->setParameter(e, index, value);
        EXPECT_FLOAT_EQ(e->getParameter(e, index), value) << index;
        bool overrun = false;
        EXPECT_EQ(effect->text(effGetParamDisplay, index, kParamStrSize, overrun),
                  vst3.valueText(static_cast<Vst::ParamID>(index), value).substr(0, kParamStrSize - 1));
    }
    e->setParameter(e, 2, 7.0f);  // out of range: limited
    EXPECT_FLOAT_EQ(e->getParameter(e, 2), 1.0f);
    e->setParameter(e, 2, std::nanf(""));  // ignored
    EXPECT_FLOAT_EQ(e->getParameter(e, 2), 1.0f);

    // The value also reaches the component: its state, saved after a block, holds it.
    effect->resume(kRate, kBlock);
    std::vector<std::vector<float>> out;
    effect->process(noise(kBlock), out, kBlock);
    std::vector<char> saved = effect->chunk();
    ASSERT_EQ(saved.size(), 16u + 82u);
    float gain = 0.0f;
    std::memcpy(&gain, saved.data() + 16 + 8 + 15 * 4, 4);
    EXPECT_FLOAT_EQ(gain, 0.3f * 2.0f);
}

TEST_F(Vst2ModuleTest, TextSetsParameterThroughTheController)
{
    char text[] = "6.0";
    EXPECT_EQ(effect->dispatch(effString2Parameter, 8, 0, text), 1);
    EXPECT_FLOAT_EQ(effect->get()->getParameter(effect->get(), 8), 0.75f);
}

TEST_F(Vst2ModuleTest, ProgramsAreTheFactoryPresets)
{
    const std::vector<std::string> names = vst3.programNames();
    ASSERT_EQ(names.size(), 16u);
    ASSERT_EQ(effect->get()->numPrograms, 16);
    for (int i = 0; i < 16; ++i)
    {
        bool overrun = false;
        EXPECT_EQ(effect->text(effGetProgramNameIndexed, i, kProgNameSize, overrun),
                  names[static_cast<size_t>(i)].substr(0, kProgNameSize - 1));
        EXPECT_FALSE(overrun);
    }
    EXPECT_EQ(effect->dispatch(effGetProgramNameIndexed, 16, 0, nullptr), 0);

    EXPECT_EQ(effect->dispatch(effSetProgram, 0, 3), 1);
    EXPECT_EQ(effect->dispatch(effGetProgram), 3);
    bool overrun = false;
    EXPECT_EQ(effect->text(effGetProgramName, 0, kProgNameSize, overrun), names[3].substr(0, kProgNameSize - 1));
    EXPECT_EQ(effect->dispatch(effSetProgram, 0, 16), 0);
    EXPECT_EQ(effect->dispatch(effGetProgram), 3);

    // The parameters follow the preset as they do on the VST 3 side.
    ASSERT_TRUE(vst3.selectProgram(3));
    AEffect* e = effect->get();
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(e->getParameter(e, i), vst3.normalized(static_cast<Vst::ParamID>(i)), 1e-6) << i;
    EXPECT_FALSE(host.callsOf(kAudioMasterUpdateDisplay).empty());
}

TEST_F(Vst2ModuleTest, ChunkRoundTripsIntoAnotherInstance)
{
    AEffect* e = effect->get();
    e->setParameter(e, 3, 0.2f);
    e->setParameter(e, 15, 0.9f);
    effect->dispatch(kEffSetBypass, 0, 1);
    const std::vector<char> saved = effect->chunk();
    ASSERT_EQ(saved.size(), 16u + 82u);
    const char header[16] = {82, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(saved.data(), header, 16), 0);
    EXPECT_EQ(saved[16 + 8 + 16 * 4], 1);  // bypass

    auto other = openAnother();
    EXPECT_EQ(other->setChunk(saved), 1);
    EXPECT_FLOAT_EQ(other->get()->getParameter(other->get(), 3), 0.2f);
    EXPECT_FLOAT_EQ(other->get()->getParameter(other->get(), 15), 0.9f);
    EXPECT_EQ(other->chunk(), saved);
}

TEST_F(Vst2ModuleTest, CorruptChunkChangesNothing)
{
    AEffect* e = effect->get();
    e->setParameter(e, 5, 0.6f);
    const std::vector<char> before = effect->chunk();
    ASSERT_EQ(before.size(), 98u);

    std::vector<char> good = before;
    good[16 + 8] = 0;  // a valid change of control 0, used as the base of the bad ones
    auto cut = [&](size_t n) { return std::vector<char>(good.begin(), good.begin() + static_cast<long>(n)); };
    auto withComponentSize = [&](uint8_t size) { auto c = good; c[0] = static_cast<char>(size); return c; };
    auto withNaN = [&]() {
        auto c = good;
        const float nan = std::nanf("");
        std::memcpy(c.data() + 16 + 8 + 4, &nan, 4);
        return c;
    };
    auto negativeSize = [&]() { auto c = good; c[7] = static_cast<char>(0x80); return c; };
    const std::pair<const char*, std::vector<char>> cases[] = {
        {"header only in part", cut(8)},
        {"header without state", cut(16)},
        {"state cut short", cut(16 + 40)},
        {"size past the end", withComponentSize(120)},
        {"state too short for its fields", withComponentSize(40)},
        {"negative size", negativeSize()},
        {"non-finite value", withNaN()},
    };
    for (const auto& [what, data] : cases)
    {
        EXPECT_EQ(effect->setChunk(data), 0) << what;
        EXPECT_EQ(effect->chunk(), before) << what;
        EXPECT_FLOAT_EQ(e->getParameter(e, 5), 0.6f) << what;
    }
}

// Settings applied the same way on both sides; the audio must be the same,
// sample for sample.
struct Setting
{
    const char* name;
    std::vector<std::pair<int, float>> parameters;  ///< VST 2 index = VST 3 ID for the controls
    int program;                                    ///< -1: none
    bool bypass;
};

class Vst2AudioTest : public Vst2ModuleTest, public ::testing::WithParamInterface<Setting>
{
};

TEST_P(Vst2AudioTest, ProcessReplacingMatchesTheVst3Path)
{
    const Setting& s = GetParam();
    AEffect* e = effect->get();
    ASSERT_TRUE(vst3.prepare({kRate, kBlock, 2})) << vst3.error();
    if (s.program >= 0)
    {
        ASSERT_EQ(effect->dispatch(effSetProgram, 0, s.program), 1);
        ASSERT_TRUE(vst3.selectProgram(s.program));
    }
    for (const auto& [index, value] : s.parameters)
    {
        e->setParameter(e, index, value);
        ASSERT_TRUE(vst3.setParameter(static_cast<Vst::ParamID>(index), value));
    }
    if (s.bypass)
    {
        effect->dispatch(kEffSetBypass, 0, 1);
        Vst::ParameterInfo bypass {};
        ASSERT_TRUE(vst3.findParameter("Bypass", bypass));
        ASSERT_TRUE(vst3.setParameter(bypass.id, 1.0));
    }
    effect->resume(kRate, kBlock);

    const int frames = 8 * kBlock;
    const auto in = noise(frames);
    std::vector<std::vector<float>> out2;
    effect->process(in, out2, kBlock);

    std::vector<std::vector<float>> out3(2, std::vector<float>(static_cast<size_t>(frames)));
    for (int start = 0; start < frames; start += kBlock)
    {
        const float* inputs[2] = {in[0].data() + start, in[1].data() + start};
        float* outputs[2] = {out3[0].data() + start, out3[1].data() + start};
        ASSERT_TRUE(vst3.process(inputs, outputs, kBlock));
    }
    double energy = 0.0;
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < frames; ++i)
        {
            ASSERT_EQ(out2[c][i], out3[c][i]) << "channel " << c << " sample " << i;
            energy += out2[c][i] * out2[c][i];
        }
    EXPECT_GT(energy, 1.0);  // the comparison is not of two silences
}

INSTANTIATE_TEST_SUITE_P(Settings, Vst2AudioTest,
    ::testing::Values(Setting {"defaults", {}, -1, false},
                      Setting {"bands_and_gain", {{0, 1.0f}, {8, 0.75f}, {12, 0.1f}, {15, 0.6f}}, -1, false},
                      Setting {"program", {}, 5, false},
                      Setting {"program_then_band", {{4, 0.9f}}, 2, false},
                      Setting {"bypass", {{8, 1.0f}}, -1, true}),
    [](const ::testing::TestParamInfo<Setting>& setting) { return std::string(setting.param.name); });
