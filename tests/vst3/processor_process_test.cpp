// The audio path of the component with a spy plug-in: parameter changes,
// bypass, channel layouts, MIDI delivery, transport messages and meters.
#include "processor_harness.h"

#include "vst3/processor_ids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <xmmintrin.h>

namespace Ids = Vst::Rive2ZOD3::ParamIds;

namespace {

class ProcessorProcess : public ::testing::Test
{
protected:
    void SetUp() override { spyConfig() = SpyConfig(); }
};

Vst::Event noteOn(int32_t offset, int16_t pitch, float velocity)
{
    Vst::Event e {};
    e.type = Vst::Event::kNoteOnEvent;
    e.sampleOffset = offset;
    e.noteOn.pitch = pitch;
    e.noteOn.velocity = velocity;
    return e;
}

} // namespace

TEST_F(ProcessorProcess, LastPointOfEachQueueSetsTheControlOnce)
{
    ProcessorHarness h;
    h.spy().changed.clear();
    h.changes.addChange(SpyPlugIn::kBand, 0, 0.25);
    h.changes.addChange(SpyPlugIn::kBand, 10, 0.5);
    h.changes.addChange(SpyPlugIn::kBand, 20, 0.75);
    ASSERT_EQ(h.process(32), Steinberg::kResultOk);
    EXPECT_EQ(h.spy().changed, std::vector<uint32_t>({10}));
    EXPECT_FLOAT_EQ(h.spy().band, 6.0f);  // 0.75 of -12..12
}

TEST_F(ProcessorProcess, NoChangeIsLostToAnEmptyQueueOrToBypass)
{
    ProcessorHarness h;
    int32_t index = 0;
    h.changes.addParameterData(SpyPlugIn::kSteps, index);  // a queue without points
    h.changes.addChange(Ids::kBypass, 0, 1.0);
    h.changes.addChange(SpyPlugIn::kBand, 0, 1.0);
    h.changes.addChange(SpyPlugIn::kGain, 0, 0.25);
    h.process(16);
    EXPECT_FLOAT_EQ(h.spy().band, 12.0f);
    EXPECT_FLOAT_EQ(h.spy().gain, 0.5f);
    EXPECT_EQ(h.spy().frames, 16) << "the plug-in keeps running while bypassed";
}

TEST_F(ProcessorProcess, HostValuesOutsideTheUnitRangeAreClampedAndNaNIsIgnored)
{
    ProcessorHarness h;
    h.changes.addChange(SpyPlugIn::kBand, 0, 7.0);
    h.changes.addChange(SpyPlugIn::kGain, 0, -3.0);
    h.process(8);
    EXPECT_FLOAT_EQ(h.spy().band, 12.0f);
    EXPECT_FLOAT_EQ(h.spy().gain, 0.0f);
    h.changes.addChange(SpyPlugIn::kBand, 0, std::numeric_limits<double>::quiet_NaN());
    h.process(8);
    EXPECT_FLOAT_EQ(h.spy().band, 12.0f);
}

TEST_F(ProcessorProcess, LogarithmicControlsTakeTheLogOfTheHostValue)
{
    ProcessorHarness h;
    h.changes.addChange(SpyPlugIn::kLog, 0, 0.5);
    h.process(8);
    const double n = std::log10(9.0 * 0.5 + 1.0);
    EXPECT_NEAR(h.spy().logValue, 20.0 + n * 19980.0, 0.01);
}

TEST_F(ProcessorProcess, BypassHandsOutTheInputDelayedByTheLatencyAndZeroMeters)
{
    spyConfig().latencySamples = 4.0f;
    ProcessorHarness h;
    float next = 1.0f;
    auto fill = [&](int n) {
        for (int i = 0; i < n; ++i, next += 1.0f)
        {
            h.input[0][i] = next;
            h.input[1][i] = -next;
        }
    };
    fill(16);
    h.process(16);  // not bypassed: the delay line is fed all the same
    EXPECT_FLOAT_EQ(h.output[0][3], 8.0f);

    h.changes.addChange(Ids::kBypass, 0, 1.0);
    const int framesBefore = h.spy().frames;
    for (int b = 0; b < 2; ++b)  // the crossfade to the dry signal: 441 frames at 44.1 kHz
    {
        fill(256);
        h.process(256);
    }
    EXPECT_EQ(h.spy().frames, framesBefore + 512) << "the plug-in keeps running while bypassed";
    const float first = next;
    fill(16);
    h.process(16);
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(h.output[0][i], first + i - 4.0f) << i;
        EXPECT_EQ(h.output[1][i], -(first + i - 4.0f)) << i;
    }
    double meter = -1.0;
    ASSERT_TRUE(h.outputChanges.lastValue(SpyPlugIn::kMeter, meter));
    EXPECT_EQ(meter, 0.0);
    EXPECT_EQ(h.processor->getLatencySamples(), 4u);
}

// The spy doubles its input, so with a constant input of 1 the wet signal is 2 and the dry
// one 1: bypass crossfades linearly over 10 ms of the host's rate in either direction,
// turns around where it is when switched back during a fade, and ends exactly on a signal;
// a plug-in that processes whole buffers gets the same fade.
TEST_F(ProcessorProcess, BypassCrossfadesOverTenMillisecondsBothWays)
{
    const struct { double rate; int ramp; bool buffers; } cases[] = {
        {44100.0, 441, false}, {48000.0, 480, false}, {96000.0, 960, false}, {44100.0, 441, true}};
    for (const auto& c : cases)
    {
        spyConfig().processBuffers = c.buffers;
        ProcessorHarness h(false);
        h.activate(c.rate);
        for (auto& channel : h.input)
            std::fill(channel.begin(), channel.end(), 1.0f);
        h.process(64);
        std::vector<float> out;
        auto run = [&](int frames) {
            for (int fed = 0; fed < frames; fed += 64)
            {
                h.process(64);
                out.insert(out.end(), h.output[0].begin(), h.output[0].begin() + 64);
                ASSERT_EQ(h.output[1][63], h.output[0][63]);
            }
        };
        h.changes.addChange(Ids::kBypass, 0, 1.0);
        run(c.ramp + 128);
        h.changes.addChange(Ids::kBypass, 0, 0.0);
        run(192);  // back toward the wet signal, part of the way
        h.changes.addChange(Ids::kBypass, 0, 1.0);
        run(c.ramp + 128);

        const double step = 1.0 / c.ramp;
        float previous = 2.0f;
        for (size_t k = 0; k < out.size(); ++k)
        {
            ASSERT_LE(std::fabs(out[k] - previous), step + 1e-6) << c.rate << " frame " << k;
            previous = out[k];
        }
        const size_t first = static_cast<size_t>((c.ramp + 128 + 63) / 64 * 64);  // frames of the first run
        EXPECT_NEAR(out[static_cast<size_t>(c.ramp / 2) - 1], 1.5, step) << c.rate;
        EXPECT_EQ(out[static_cast<size_t>(c.ramp) - 1], 1.0f) << c.rate;
        EXPECT_EQ(out[first - 1], 1.0f) << c.rate;
        EXPECT_NEAR(out[first + 191], 1.0 + 192 * step, 1e-5) << c.rate << ": turned 192 frames back";
        EXPECT_EQ(out[first + 192 + 191], 1.0f) << c.rate << ": and 192 frames forward again";
        EXPECT_EQ(out.back(), 1.0f);
        EXPECT_EQ(h.spy().bufferCalls > 0, c.buffers);
    }
}

TEST_F(ProcessorProcess, NonFiniteInputReachesThePlugInAsZero)
{
    ProcessorHarness h;
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float in[8] = {1.0f, nan, inf, -inf, 2.0f, -nan, 3.0f, std::numeric_limits<float>::denorm_min()};
    for (int i = 0; i < 8; ++i)
        h.input[0][i] = h.input[1][i] = in[i];
    h.process(8);
    const float want[8] = {2.0f, 0.0f, 0.0f, 0.0f, 4.0f, 0.0f, 6.0f, 0.0f};  // denormals flushed
    for (int i = 0; i < 8; ++i)
    {
        EXPECT_EQ(h.output[0][i], want[i]) << i;
        EXPECT_EQ(h.output[1][i], want[i]) << i;
    }
}

TEST_F(ProcessorProcess, MetersReportTheMeterVariableWhenProcessing)
{
    ProcessorHarness h;
    h.process(8);
    double meter = -1.0;
    ASSERT_TRUE(h.outputChanges.lastValue(SpyPlugIn::kMeter, meter));
    EXPECT_FLOAT_EQ(static_cast<float>(meter), 0.25f);
}

TEST_F(ProcessorProcess, MonoLayoutReadsAndWritesOneChannel)
{
    ProcessorHarness h(true, 1);
    h.input[0][0] = 1.5f;
    h.output[1][0] = 42.0f;
    h.process(4);
    EXPECT_FLOAT_EQ(h.output[0][0], 3.0f);
    EXPECT_FLOAT_EQ(h.output[1][0], 42.0f);
    EXPECT_EQ(h.spy().frameChannels, std::vector<uint32_t>(4, 1u));
}

TEST_F(ProcessorProcess, ZeroSampleBlockAppliesChangesAndTouchesNoAudio)
{
    ProcessorHarness h;
    h.output[0][0] = 42.0f;
    h.changes.addChange(SpyPlugIn::kGain, 0, 1.0);
    EXPECT_EQ(h.process(0), Steinberg::kResultOk);
    EXPECT_FLOAT_EQ(h.spy().gain, 2.0f);
    EXPECT_FLOAT_EQ(h.output[0][0], 42.0f);
    EXPECT_EQ(h.spy().frames, 0);
}

TEST_F(ProcessorProcess, DenormalFlushingIsOnOnlyInsideProcess)
{
    ProcessorHarness h;
    _mm_setcsr(_mm_getcsr() & ~0x8040u);
    const unsigned int before = _mm_getcsr();
    h.process(4);
    EXPECT_EQ(h.spy().csrDuringFrame & 0x8040u, 0x8040u);
    EXPECT_EQ(_mm_getcsr(), before);
}

TEST_F(ProcessorProcess, EventsAreDeliveredAtTheirOffsetsInListOrder)
{
    ProcessorHarness h;
    Vst::Event events[] = {noteOn(0, 60, 0.5f), noteOn(0, 61, 1.0f), noteOn(5, 62, 0.0f),
                           noteOn(3, 63, 0.5f), noteOn(9, 64, 0.5f), noteOn(40, 65, 0.5f)};
    for (auto& e : events)
        h.events.addEvent(e);
    h.process(16);
    // 3 comes after 5 in the list: it is delivered late, at 5, and nothing after it
    // is lost; 40 lies past the block and arrives on its last frame.
    EXPECT_EQ(h.spy().midi, std::vector<std::string>({"noteOn 0 60 63 @0", "noteOn 0 61 127 @0",
                                                      "noteOn 0 62 0 @5", "noteOn 0 63 63 @5",
                                                      "noteOn 0 64 63 @9", "noteOn 0 65 63 @15"}));
}

TEST_F(ProcessorProcess, TransportCountsTheBlockWithAndWithoutContext)
{
    ProcessorHarness h;
    h.process(4);
    EXPECT_TRUE(h.spy().transport.empty());
    EXPECT_EQ(h.spy().transportWithoutInfo, 4);

    Vst::ProcessContext context {};
    context.projectTimeSamples = (int64_t(1) << 32) + 1000;  // only the low 32 bits count
    context.tempo = 90.0;
    context.timeSigNumerator = 3;
    context.timeSigDenominator = 8;
    h.process(4, &context);
    ASSERT_EQ(h.spy().transport.size(), 5u);
    EXPECT_EQ(h.spy().transport[0].samplePosition, 1000u);
    EXPECT_EQ(h.spy().transport[4].samplePosition, 1004u);
    EXPECT_DOUBLE_EQ(h.spy().transport[4].seconds, 1004.0 / 44100.0);
    EXPECT_EQ(h.spy().transport[0].tempo, 90.0);
    EXPECT_EQ(h.spy().transport[0].timeSigNumerator, 3.0f);
    EXPECT_EQ(h.spy().transport[0].timeSigDenominator, 8);
}

TEST_F(ProcessorProcess, FixedParametersBecomeMidiCalls)
{
    struct Row
    {
        Steinberg::Vst::ParamID id;
        double value;
        const char* call;
    };
    const Row rows[] = {
        {Ids::kPitchBend, 0.0, "pitchBend 0 -8192 -1000 @0"},
        {Ids::kPitchBend, 1.0, "pitchBend 0 8191 1000 @0"},
        {Ids::kModWheel, 0.5, "modWheel 0 63 0 @0"},
        {Ids::kMidiVolume, 1.0, "raw 0 7 127000 @0"},
        {Ids::kMidiPan, 0.5, "raw 0 10 63000 @0"},
        {Ids::kMidiExpression, 0.0, "raw 0 11 0 @0"},
        {Ids::kSustainPedal, 0.6, "raw 0 64 127000 @0"},
        {Ids::kSustainPedal, 0.5, "raw 0 64 0 @0"},
        {Ids::kChannelPressure, 1.0, "raw 0 208 127000 @0"},
        {Ids::kAllNotesOff, 1.0, "allNotesOff 0 0 0 @0"},
    };
    for (const Row& row : rows)
    {
        ProcessorHarness h;
        h.changes.addChange(row.id, 0, row.value);
        h.process(0);
        EXPECT_EQ(h.spy().midi, std::vector<std::string>({row.call})) << row.id;
    }
}

TEST_F(ProcessorProcess, ButtonsAndJoystickReachThePlugIn)
{
    ProcessorHarness h;
    h.spy().changed.clear();
    h.changes.addChange(Ids::kButton2, 0, 1.0);
    h.changes.addChange(Ids::kJoystickX, 0, 0.75);
    h.changes.addChange(Ids::kJoystickY, 0, 0.0);
    h.process(0);
    EXPECT_EQ(h.spy().changed, std::vector<uint32_t>({51}));
    float x = 0.0f;
    float y = 0.0f;
    h.spy().getJoystick(&x, &y);
    EXPECT_FLOAT_EQ(x, 0.5f);
    EXPECT_FLOAT_EQ(y, -1.0f);
}

TEST_F(ProcessorProcess, BufferModeCallsThePlugInOncePerBlock)
{
    spyConfig().processBuffers = true;
    ProcessorHarness h;
    h.input[0][2] = 1.0f;
    h.process(8);
    EXPECT_EQ(h.spy().bufferCalls, 1);
    EXPECT_EQ(h.spy().frames, 0);
    EXPECT_FLOAT_EQ(h.output[0][2], 2.0f);
}

TEST_F(ProcessorProcess, MissingBuffersLeaveTheAudioAloneButApplyTheChanges)
{
    ProcessorHarness h;
    h.changes.addChange(SpyPlugIn::kGain, 0, 1.0);
    Vst::ProcessData data {};
    data.symbolicSampleSize = Vst::kSample32;
    data.numSamples = 16;
    data.inputParameterChanges = &h.changes;
    EXPECT_EQ(h.processor->process(data), Steinberg::kResultOk);
    EXPECT_EQ(h.spy().frames, 0);
    EXPECT_FLOAT_EQ(h.spy().gain, 2.0f);
}

TEST_F(ProcessorProcess, BypassStaysAlignedWhateverTheBlockSizes)
{
    spyConfig().latencySamples = 4.0f;
    for (int block : {1, 3, 4, 5, 16})
    {
        ProcessorHarness h;
        float next = 1.0f;
        auto fill = [&](int n) {
            for (int i = 0; i < n; ++i)
            {
                h.input[0][i] = next;
                h.input[1][i] = -next;
                next += 1.0f;
            }
        };
        for (int b = 0; b < 6; ++b)
        {
            fill(block);
            h.process(block);
        }
        h.changes.addChange(Ids::kBypass, 0, 1.0);
        // Past the 441-frame crossfade the dry signal plays alone.
        for (int fed = 0; fed < 441; fed += block)
        {
            fill(block);
            h.process(block);
        }
        for (int b = 0; b < 4; ++b)
        {
            const float first = next;
            fill(block);
            h.process(block);
            for (int i = 0; i < block; ++i)
            {
                ASSERT_EQ(h.output[0][i], first + i - 4.0f) << block << " " << b << " " << i;
                ASSERT_EQ(h.output[1][i], -(first + i - 4.0f)) << block << " " << b << " " << i;
            }
        }
    }
}

TEST_F(ProcessorProcess, SampleAccurateControlsGetTheirRampWhileTheBlockRuns)
{
    spyConfig().sampleAccurate = true;
    ProcessorHarness h;
    h.changes.addChange(SpyPlugIn::kBand, 0, 0.0);
    h.changes.addChange(SpyPlugIn::kBand, 10, 1.0);
    h.process(11);
    // Offset 0 repeats the queue's start value 0.0, so the first new value is 0.1.
    ASSERT_EQ(h.spy().bandRamp.size(), 10u);
    for (size_t i = 0; i < 10; ++i)
        EXPECT_NEAR(h.spy().bandRamp[i], 0.1 * static_cast<double>(i + 1), 1e-12) << i;
    h.spy().bandRamp.clear();
    h.process(4);  // no change of the control in this block: its queue is unbound
    EXPECT_TRUE(h.spy().bandRamp.empty());
}
