// The equaliser module driven as a DAW drives it: parameters, programs, units,
// processing, bypass, latency and tail, and MIDI controller mapping.
#include "module_test_support.h"

#include "host/string_convert.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>
#include <complex>

using namespace Steinberg;
using corvale::host::PluginInstance;
using corvale::host::ProcessConfig;

namespace {

class ModuleComponent : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plugin.load(bundlePath())) << plugin.error();
        ASSERT_TRUE(plugin.prepare(ProcessConfig {44100.0, 512, 2})) << plugin.error();
    }

    /// Runs n samples of `in` (both channels) and returns channel 0 of the output.
    std::vector<float> run(const std::vector<float>& in)
    {
        std::vector<float> left(in.size()), right(in.size());
        const float* inputs[2] = {in.data(), in.data()};
        float* outputs[2] = {left.data(), right.data()};
        EXPECT_TRUE(plugin.process(inputs, outputs, static_cast<int32>(in.size())));
        return left;
    }

    /// The same for signals longer than one block: 256-sample blocks.
    std::vector<float> runInBlocks(const std::vector<float>& in)
    {
        constexpr size_t kBlock = 256;
        std::vector<float> out;
        for (size_t pos = 0; pos < in.size(); pos += kBlock)
        {
            const auto end = in.begin() + static_cast<std::ptrdiff_t>(std::min(in.size(), pos + kBlock));
            const auto part = run(std::vector<float>(in.begin() + static_cast<std::ptrdiff_t>(pos), end));
            out.insert(out.end(), part.begin(), part.end());
        }
        return out;
    }

    /// |H(f)| in dB of the current settings, by a direct DFT of the impulse response.
    double responseDb(double freqHz)
    {
        runInBlocks(std::vector<float>(8192, 0.0f));  // new taps are taken in gradually
        std::vector<float> impulse(16384, 0.0f);
        impulse[0] = 1.0f;
        const auto out = runInBlocks(impulse);
        std::complex<double> sum;
        const double w = 2.0 * 3.14159265358979323846 * freqHz / 44100.0;
        for (size_t n = 0; n < out.size(); ++n)
            sum += static_cast<double>(out[n]) * std::polar(1.0, -w * static_cast<double>(n));
        return 20.0 * std::log10(std::abs(sum) + 1e-12);
    }

    std::vector<char> state()
    {
        std::vector<char> s;
        EXPECT_TRUE(plugin.getState(s));
        return s;
    }

    PluginInstance plugin;
};

const char* const kBandTitles[15] = {"25",   "40",   "63",   "100",  "160",  "250",  "400", "630",
                                     "1000", "1600", "2500", "4000", "6300", "10000", "16000"};

} // namespace

TEST_F(ModuleComponent, ParametersAsTheHostSeesThem)
{
    const auto params = plugin.parameters();
    std::vector<std::string> titles;
    for (const auto& p : params)
        titles.push_back(corvale::host::toUtf8(p.title));
    std::vector<std::string> expected(kBandTitles, kBandTitles + 15);
    for (const char* t : {"Gain", "VectorJoystick X", "VectorJoystick Y", "B1", "B2", "B3", "Bypass",
                          "PitchBend", "MIDI Vol", "MIDI Pan", "MIDI Mod Wheel", "MIDI Expression",
                          "MIDI Channel Pressure", "MIDI Sustain Pedal", "All Notes Off",
                          "Factory Presets"})
        expected.push_back(t);
    EXPECT_EQ(titles, expected);
    EXPECT_FALSE(plugin.hasSeparateController()) << "a single-component effect";

    const std::vector<Vst::ParamID> fixedIds = {32773, 32774, 32768, 32769, 32770, 2056, 2048, 2050,
                                                2051, 2049, 2052, 2054, 2053, 2055, 0x70727374};
    ASSERT_EQ(params.size(), 16 + fixedIds.size());
    for (size_t i = 0; i < params.size(); ++i)
    {
        const auto& p = params[i];
        EXPECT_EQ(p.id, i < 16 ? static_cast<Vst::ParamID>(i) : fixedIds[i - 16]);
        EXPECT_EQ(p.unitId, 0);
        EXPECT_EQ(corvale::host::toUtf8(p.units), "");
    }
    for (Vst::ParamID id = 0; id < 15; ++id)
    {
        EXPECT_EQ(params[id].flags, Vst::ParameterInfo::kCanAutomate);
        EXPECT_EQ(params[id].stepCount, 0);
        EXPECT_DOUBLE_EQ(params[id].defaultNormalizedValue, 0.5);
        EXPECT_DOUBLE_EQ(plugin.normalizedToPlain(id, 0.0), -12.0);
        EXPECT_DOUBLE_EQ(plugin.normalizedToPlain(id, 1.0), 12.0);
    }
    EXPECT_DOUBLE_EQ(plugin.normalizedToPlain(15, 1.0), 2.0);
    EXPECT_DOUBLE_EQ(params[15].defaultNormalizedValue, 0.5);
    EXPECT_EQ(plugin.valueText(8, 0.75), "6.00");
    EXPECT_EQ(plugin.valueText(15, 0.25), "0.50");
    EXPECT_EQ(plugin.valueText(32773, 0.5), "0.50");
    EXPECT_EQ(plugin.valueText(2048, 1.0), "1.0");
    EXPECT_EQ(params[21].flags, Vst::ParameterInfo::kCanAutomate | Vst::ParameterInfo::kIsBypass);
    EXPECT_EQ(params.back().flags, Vst::ParameterInfo::kIsProgramChange | Vst::ParameterInfo::kIsList);
    EXPECT_EQ(params.back().stepCount, 15);
}

TEST_F(ModuleComponent, UnitsAndFactoryPresets)
{
    FUnknownPtr<Vst::IUnitInfo> units(plugin.controller());
    ASSERT_TRUE(units);
    ASSERT_EQ(units->getUnitCount(), 2);
    Vst::UnitInfo root {};
    Vst::UnitInfo presets {};
    units->getUnitInfo(0, root);
    units->getUnitInfo(1, presets);
    EXPECT_EQ(corvale::host::toUtf8(root.name), "RootUnit");
    EXPECT_EQ(root.id, 1);
    EXPECT_EQ(root.parentUnitId, 0);
    EXPECT_EQ(root.programListId, Vst::kNoProgramListId);
    EXPECT_EQ(corvale::host::toUtf8(presets.name), "PresetsUnit");
    EXPECT_EQ(presets.id, 0);
    EXPECT_EQ(presets.parentUnitId, 1);
    EXPECT_EQ(presets.programListId, 0x70727374);

    EXPECT_EQ(plugin.programListName(), "Presets");
    const auto names = plugin.programNames();
    ASSERT_EQ(names.size(), 16u);
    EXPECT_EQ(names[0], "Factory Preset");
    EXPECT_EQ(names[9], "LL Piano");
    EXPECT_EQ(names[12], "MQL Rhythm Guitar HP Shelf");
    Vst::String128 name {};
    EXPECT_EQ(units->getProgramInfo(0x70727374, 0, "x", name), kResultFalse);
}

TEST_F(ModuleComponent, ChangesApplyOncePerBlockFromTheLastPoint)
{
    plugin.inputParameterChanges().addChange(8, 0, 0.1);
    plugin.inputParameterChanges().addChange(8, 10, 0.5);
    plugin.inputParameterChanges().addChange(8, 20, 0.75);
    plugin.inputParameterChanges().addChange(15, 5, 0.25);
    run(std::vector<float>(64, 0.0f));
    const auto s = state();
    EXPECT_FLOAT_EQ(controlInState(s, 8), 6.0f);
    EXPECT_FLOAT_EQ(controlInState(s, 15), 0.5f);
    EXPECT_FLOAT_EQ(controlInState(s, 7), 0.0f);
}

TEST_F(ModuleComponent, BypassHandsOutTheDryInputDelayedByTheLatency)
{
    EXPECT_EQ(plugin.latencySamples(), 127u);
    std::vector<float> ramp(512);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<float>(i + 1);
    run(ramp);  // processed; the dry delay line is fed all the same

    ASSERT_TRUE(plugin.setParameter(2056, 1.0));
    std::vector<float> fading(512);  // the crossfade to the dry signal takes 441 frames
    for (size_t i = 0; i < fading.size(); ++i)
        fading[i] = static_cast<float>(600 + i);
    run(fading);
    std::vector<float> next(512);
    for (size_t i = 0; i < next.size(); ++i)
        next[i] = static_cast<float>(1000 + i);
    const auto out = run(next);
    for (size_t i = 0; i < 127; ++i)
        ASSERT_EQ(out[i], static_cast<float>(600 + 512 - 127 + i)) << i;
    for (size_t i = 127; i < out.size(); ++i)
        ASSERT_EQ(out[i], static_cast<float>(1000 + i - 127)) << i;
    double meterCount = plugin.outputParameterChanges().getParameterCount();
    EXPECT_EQ(meterCount, 0.0) << "the equaliser declares no meters";
}

TEST_F(ModuleComponent, ProcessedAndBypassedSignalsAreAligned)
{
    // An impulse comes out of the filter no earlier than the latency, and out of
    // the bypass exactly at it.
    std::vector<float> impulse(512, 0.0f);
    impulse[0] = 1.0f;
    const auto wet = run(impulse);
    for (size_t i = 0; i < 127; ++i)
        ASSERT_EQ(wet[i], 0.0f) << i;
    double energy = 0.0;
    for (size_t i = 127; i < wet.size(); ++i)
        energy += double(wet[i]) * wet[i];
    EXPECT_GT(energy, 0.0);

    ASSERT_TRUE(plugin.setParameter(2056, 1.0));
    run(std::vector<float>(512, 0.0f));  // flush the delay line
    const auto dry = run(impulse);
    for (size_t i = 0; i < dry.size(); ++i)
        ASSERT_EQ(dry[i], i == 127 ? 1.0f : 0.0f) << i;
}

TEST_F(ModuleComponent, GainZeroSilencesTheOutput)
{
    ASSERT_TRUE(plugin.setParameter(15, 0.0));
    std::vector<float> tone(8192);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(std::sin(0.37 * static_cast<double>(i)) * 0.5);
    const auto out = runInBlocks(tone);
    for (size_t i = 4096; i < out.size(); ++i)
        ASSERT_LT(std::fabs(out[i]), 1e-6f) << "sample " << i;
}

TEST_F(ModuleComponent, BandBoostLiftsItsOwnBand)
{
    const double flat1k = responseDb(1000.0);
    const double flat100 = responseDb(100.0);
    ASSERT_TRUE(plugin.setParameter(8, 1.0));  // "1000" to +12 dB
    const double lift1k = responseDb(1000.0) - flat1k;
    const double lift100 = responseDb(100.0) - flat100;
    EXPECT_GT(lift1k, 6.0);
    EXPECT_LT(lift1k, 14.0);
    EXPECT_LT(std::fabs(lift100), 3.0) << "three bands away stays near flat";
}

TEST_F(ModuleComponent, BusArrangements)
{
    using namespace Vst::SpeakerArr;
    auto* p = plugin.processor();
    Vst::SpeakerArrangement stereo = kStereo, mono = kMono, surround = k51;
    EXPECT_EQ(p->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
    EXPECT_EQ(p->setBusArrangements(&stereo, 1, &mono, 1), kResultFalse);
    EXPECT_EQ(p->setBusArrangements(&surround, 1, &surround, 1), kResultFalse);
    EXPECT_EQ(p->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
    EXPECT_EQ(plugin.component()->getBusCount(Vst::kAudio, Vst::kInput), 1);
    EXPECT_EQ(plugin.component()->getBusCount(Vst::kEvent, Vst::kInput), 1);
    Vst::BusInfo bus {};
    ASSERT_EQ(plugin.component()->getBusInfo(Vst::kEvent, Vst::kInput, 0, bus), kResultOk);
    EXPECT_EQ(bus.channelCount, 16);
    EXPECT_EQ(corvale::host::toUtf8(bus.name), "Event Input");
    ASSERT_EQ(plugin.component()->getBusInfo(Vst::kAudio, Vst::kOutput, 0, bus), kResultOk);
    EXPECT_EQ(corvale::host::toUtf8(bus.name), "Audio Output");
}

TEST_F(ModuleComponent, MonoProcessing)
{
    ASSERT_TRUE(plugin.prepare(ProcessConfig {44100.0, 512, 1})) << plugin.error();
    std::vector<float> impulse(256, 0.0f), out(256, 1.0f);
    impulse[0] = 1.0f;
    const float* in[1] = {impulse.data()};
    float* outs[1] = {out.data()};
    ASSERT_TRUE(plugin.process(in, outs, 256));
    EXPECT_EQ(out[0], 0.0f);
}

TEST_F(ModuleComponent, TailFollowsTheSampleRate)
{
    EXPECT_EQ(plugin.tailSamples(), 22050u);
    ASSERT_TRUE(plugin.prepare(ProcessConfig {48000.0, 512, 2}));
    EXPECT_EQ(plugin.tailSamples(), 24000u);
    EXPECT_EQ(plugin.latencySamples(), 127u);
}

TEST_F(ModuleComponent, ProgramChangeSetsTheControlsAndAsksForARestart)
{
    ASSERT_TRUE(plugin.selectProgram(12));
    const std::vector<Steinberg::int32> restarts = plugin.componentHandler().restartRequests();
    ASSERT_FALSE(restarts.empty());
    EXPECT_EQ(restarts.back() & Vst::kParamValuesChanged, Vst::kParamValuesChanged);
    EXPECT_NEAR(plugin.normalized(0x70727374), 12.0 / 15.0, 1e-9);
    EXPECT_NEAR(plugin.normalized(0), (-9.75 + 12.0) / 24.0, 1e-6);

    // getState right away shows the program, before the audio thread took it.
    auto s = state();
    const float expected[8] = {-9.75f, -9.45f, -9.15f, -8.55f, -7.35f, -5.55f, -2.55f, -1.05f};
    for (int b = 0; b < 8; ++b)
        EXPECT_NEAR(controlInState(s, b), expected[b], 1e-5) << b;
    EXPECT_FLOAT_EQ(controlInState(s, 8), 0.0f);
    run(std::vector<float>(64, 0.0f));
    EXPECT_EQ(state(), s);

    ASSERT_TRUE(plugin.selectProgram(9));
    run(std::vector<float>(64, 0.0f));
    EXPECT_FLOAT_EQ(controlInState(state(), 15), 2.0f);
}

TEST_F(ModuleComponent, MidiControllerMapping)
{
    FUnknownPtr<Vst::IMidiMapping> mapping(plugin.controller());
    ASSERT_TRUE(mapping);
    struct Row
    {
        int32 bus;
        int16 channel;
        Vst::CtrlNumber cc;
        tresult result;
        Vst::ParamID id;
    };
    const Row rows[] = {{0, 5, 7, kResultOk, 2050},   {0, 0, 1, kResultOk, 2049},
                        {0, 0, 10, kResultOk, 2051},  {0, 0, 11, kResultOk, 2052},
                        {0, 0, 64, kResultOk, 2053},  {0, 0, 123, kResultOk, 2055},
                        {0, 0, 128, kResultOk, 2054}, {0, 15, 129, kResultOk, 2048},
                        {0, 0, 20, kResultFalse, 0},  {0, 0, 3, kResultFalse, 0}};
    for (const Row& r : rows)
    {
        Vst::ParamID id = 999;
        EXPECT_EQ(mapping->getMidiControllerAssignment(r.bus, r.channel, r.cc, id), r.result) << r.cc;
        EXPECT_EQ(id, r.id) << r.cc;
    }
    Vst::ParamID id = 999;
    EXPECT_EQ(mapping->getMidiControllerAssignment(1, 0, 7, id), kResultFalse);
}
