// The adapter's small parts on their own: MIDI conversion and the event list,
// the routing of MIDI controllers to parameters, the chunk layout, the
// parameter changes handed to the processor and the host's time information.
#include "vst2/vst2_chunk.h"
#include "vst2/vst2_events.h"
#include "vst2/vst2_midi_controllers.h"
#include "vst2/vst2_parameter_changes.h"
#include "vst2/vst2_time_info.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Vst::Rive2ZOD3;

namespace {

VstMidiEvent midi(int frame, unsigned char status, unsigned char d1, unsigned char d2)
{
    VstMidiEvent e {};
    e.type = kVstMidiType;
    e.deltaFrames = frame;
    e.midiData[0] = status;
    e.midiData[1] = d1;
    e.midiData[2] = d2;
    return e;
}

} // namespace

TEST(Vst2Events, MessagesBecomeTheMatchingVst3Events)
{
    struct Case { unsigned char status, d1, d2; bool kept; uint16 type; int16 channel; };
    const Case cases[] = {
        {0x93, 60, 64, true, Event::kNoteOnEvent, 3},
        {0x83, 60, 10, true, Event::kNoteOffEvent, 3},
        {0x90, 60, 0, true, Event::kNoteOffEvent, 0},
        {0xA5, 61, 99, true, Event::kPolyPressureEvent, 5},
        {0xB2, 1, 64, true, Event::kChordEvent, 2},
        {0xE0, 0, 64, true, Event::kChordEvent, 0},
        {0xD4, 50, 0, true, Event::kChordEvent, 4},
        {0xF8, 0, 0, true, Event::kChordEvent, 0},
        {0xF0, 0, 0, false, 0, 0},
        {0x40, 60, 64, false, 0, 0},  // no status byte
    };
    for (const Case& c : cases)
    {
        Event e {};
        ASSERT_EQ(convertMidiEvent(midi(9, c.status, c.d1, c.d2), e), c.kept) << int(c.status);
        if (!c.kept)
            continue;
        EXPECT_EQ(e.type, c.type) << int(c.status);
        EXPECT_EQ(e.sampleOffset, 9);
        EXPECT_EQ(e.busIndex, 0);
        if (c.type == Event::kChordEvent)
        {
            EXPECT_EQ(e.chord.root, c.channel);
            EXPECT_EQ(e.chord.bassNote, c.status == 0xF8 ? 0xF8 : (c.status & 0xF0));
            EXPECT_EQ(e.chord.mask, c.d1);
            EXPECT_EQ(e.chord.textLen, c.d2);
            EXPECT_EQ(std::u16string(e.chord.text), u"TARNMIDI");
        }
        else
        {
            EXPECT_EQ(e.noteOn.channel, c.channel);  // channel and pitch lead every note event
            EXPECT_EQ(e.noteOn.pitch, c.d1);
        }
    }
}

TEST(Vst2Events, VelocitiesSurviveTheComponentsTruncation)
{
    for (int v = 1; v < 128; ++v)
    {
        Event e {};
        ASSERT_TRUE(convertMidiEvent(midi(0, 0x90, 60, static_cast<unsigned char>(v)), e));
        EXPECT_EQ(static_cast<int>(static_cast<double>(e.noteOn.velocity) * 127.0), v);
        EXPECT_LE(e.noteOn.velocity, 1.0f);
    }
}

TEST(Vst2Events, ListKeepsFrameOrderAndItsCapacity)
{
    Vst2EventList list(4);
    const int frames[] = {5, 2, 5, 0};
    for (int i = 0; i < 4; ++i)
    {
        Event e {};
        convertMidiEvent(midi(frames[i], 0x90, static_cast<unsigned char>(60 + i), 100), e);
        EXPECT_TRUE(list.insert(e));
    }
    Event extra {};
    convertMidiEvent(midi(1, 0x90, 70, 100), extra);
    EXPECT_FALSE(list.insert(extra));

    const int expectedPitch[] = {63, 61, 60, 62};  // stable among equal frames
    ASSERT_EQ(list.getEventCount(), 4);
    for (int i = 0; i < 4; ++i)
    {
        Event e {};
        ASSERT_EQ(list.getEvent(i, e), kResultOk);
        EXPECT_EQ(e.noteOn.pitch, expectedPitch[i]);
    }
    Event none {};
    EXPECT_EQ(list.getEvent(4, none), kResultFalse);

    list.clampOffsets(4);
    Event last {};
    list.getEvent(3, last);
    EXPECT_EQ(last.sampleOffset, 3);
    list.clear();
    EXPECT_EQ(list.getEventCount(), 0);
}

TEST(Vst2Chunk, LayoutRoundTripsAndBadHeadersAreRefused)
{
    const std::vector<char> component = {1, 2, 3, 4, 5};
    const std::vector<char> controller = {9, 8};
    const std::vector<char> chunk = buildVst2Chunk(component, controller);
    ASSERT_EQ(chunk.size(), 16u + 7u);
    EXPECT_EQ(chunk[0], 5);
    EXPECT_EQ(chunk[8], 2);

    Vst2ChunkParts parts;
    ASSERT_TRUE(parseVst2Chunk(chunk.data(), chunk.size(), parts));
    EXPECT_EQ(std::vector<char>(parts.component, parts.component + parts.componentSize), component);
    EXPECT_EQ(std::vector<char>(parts.controller, parts.controller + parts.controllerSize), controller);

    std::vector<char> trailing = chunk;
    trailing.push_back(0);
    EXPECT_TRUE(parseVst2Chunk(trailing.data(), trailing.size(), parts));

    auto withSizes = [&](uint64_t c, uint64_t k) {
        std::vector<char> bad = chunk;
        for (int i = 0; i < 8; ++i)
        {
            bad[static_cast<size_t>(i)] = static_cast<char>((c >> (8 * i)) & 0xFF);
            bad[static_cast<size_t>(8 + i)] = static_cast<char>((k >> (8 * i)) & 0xFF);
        }
        return bad;
    };
    const std::vector<char> bad[] = {
        withSizes(6, 2), withSizes(5, 3), withSizes(~0ull, 2), withSizes(4, ~0ull - 2),
        std::vector<char>(chunk.begin(), chunk.begin() + 15),
    };
    for (const auto& b : bad)
        EXPECT_FALSE(parseVst2Chunk(b.data(), b.size(), parts));
    EXPECT_FALSE(parseVst2Chunk(nullptr, 32, parts));
}

TEST(Vst2ParameterChanges, OnePointPerParameterAndNoGrowth)
{
    Vst2ParameterChanges changes(2);
    EXPECT_TRUE(changes.set(7, 0.25));
    EXPECT_TRUE(changes.set(7, 0.5));  // the later value replaces the earlier
    EXPECT_TRUE(changes.set(9, 1.0));
    EXPECT_FALSE(changes.set(11, 0.0));
    ASSERT_EQ(changes.getParameterCount(), 2);
    IParamValueQueue* q = changes.getParameterData(0);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->getParameterId(), 7u);
    ASSERT_EQ(q->getPointCount(), 1);
    int32 offset = -1;
    ParamValue value = 0.0;
    ASSERT_EQ(q->getPoint(0, offset, value), kResultOk);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(value, 0.5);
    EXPECT_EQ(changes.getParameterData(2), nullptr);
    changes.clear();
    EXPECT_EQ(changes.getParameterCount(), 0);
}

TEST(Vst2ParameterChanges, PointsStayInFrameOrderAndTheLatestValueLands)
{
    Vst2ParameterChanges changes(1);
    const std::pair<int32, double> added[] = {{0, 0.1}, {40, 0.4}, {12, 0.2}, {40, 0.5}, {20, 0.3}};
    for (const auto& [offset, value] : added)
        EXPECT_TRUE(changes.set(5, value, offset));
    IParamValueQueue* q = changes.getParameterData(0);
    ASSERT_NE(q, nullptr);
    const std::pair<int32, double> expected[] = {{0, 0.1}, {12, 0.2}, {20, 0.3}, {40, 0.5}};
    ASSERT_EQ(q->getPointCount(), 4);
    for (int32 i = 0; i < 4; ++i)
    {
        int32 offset = -1;
        ParamValue value = -1.0;
        ASSERT_EQ(q->getPoint(i, offset, value), kResultOk);
        EXPECT_EQ(offset, expected[i].first) << i;
        EXPECT_EQ(value, expected[i].second) << i;
    }

    // Full: a later point replaces the last one, an earlier one is refused.
    changes.clear();
    for (int32 i = 0; i < Vst2ValueQueue::kMaxPoints; ++i)
        ASSERT_TRUE(changes.set(5, 0.0, 2 * i));
    EXPECT_FALSE(changes.set(5, 0.7, 1));
    EXPECT_TRUE(changes.set(5, 0.9, 1000));
    q = changes.getParameterData(0);
    ASSERT_EQ(q->getPointCount(), Vst2ValueQueue::kMaxPoints);
    int32 offset = 0;
    ParamValue value = 0.0;
    ASSERT_EQ(q->getPoint(Vst2ValueQueue::kMaxPoints - 1, offset, value), kResultOk);
    EXPECT_EQ(offset, 1000);
    EXPECT_EQ(value, 0.9);
    ASSERT_EQ(q->getPoint(Vst2ValueQueue::kMaxPoints - 2, offset, value), kResultOk);
    EXPECT_EQ(offset, 2 * (Vst2ValueQueue::kMaxPoints - 2));
}

namespace {

// A mapping like a component's: volume on every channel, controller 20 on
// channel 3 only, pitch bend and channel pressure; bus 1 maps nothing.
class FakeMapping : public IMidiMapping
{
public:
    tresult PLUGIN_API getMidiControllerAssignment(int32 bus, int16 channel, CtrlNumber cc, ParamID& id) override
    {
        ++queries;
        if (bus != 0)
            return kResultFalse;
        if (cc == kCtrlVolume)
            id = 100;
        else if (cc == 20 && channel == 3)
            id = 7;
        else if (cc == kPitchBend)
            id = 101;
        else if (cc == kAfterTouch)
            id = 102;
        else
            return kResultFalse;
        return kResultOk;
    }
    tresult PLUGIN_API queryInterface(const TUID, void**) override { return kNoInterface; }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
    int queries = 0;
};

} // namespace

TEST(Vst2MidiControllers, RoutesWhatTheMappingNamesWithItsValue)
{
    FakeMapping mapping;
    Vst2MidiControllers controllers;
    controllers.build(&mapping);
    EXPECT_EQ(mapping.queries, 16 * 130);

    struct Case { unsigned char status, d1, d2; bool routed; ParamID id; double value; };
    const Case cases[] = {
        {0xB0, 7, 100, true, 100, 100.0 / 127.0},
        {0xBF, 7, 127, true, 100, 1.0},
        {0xB3, 20, 0, true, 7, 0.0},
        {0xB2, 20, 64, false, 0, 0.0},          // channel 3 only
        {0xB0, 1, 64, false, 0, 0.0},           // not mapped: stays raw MIDI
        {0xE4, 0x7F, 0x7F, true, 101, 1.0},
        {0xE4, 0x00, 0x40, true, 101, 8192.0 / 16383.0},
        {0xE4, 0x00, 0x00, true, 101, 0.0},
        {0xD9, 90, 0, true, 102, 90.0 / 127.0},
        {0x90, 60, 100, false, 0, 0.0},         // notes are not controllers
        {0xC0, 5, 0, false, 0, 0.0},            // nor are program changes
    };
    for (const Case& c : cases)
    {
        ParamID id = 0;
        ParamValue value = -1.0;
        ASSERT_EQ(controllers.route(midi(3, c.status, c.d1, c.d2), id, value), c.routed) << int(c.status);
        if (!c.routed)
            continue;
        EXPECT_EQ(id, c.id) << int(c.status);
        EXPECT_NEAR(value, c.value, 1e-6) << int(c.status);
        if (c.status < 0xE0)
        {
            // 7-bit values survive the component's truncation.
            EXPECT_EQ(static_cast<int>(static_cast<double>(static_cast<float>(value)) * 127.0),
                      c.status >= 0xD0 ? c.d1 : c.d2);
        }
    }

    controllers.build(nullptr);
    ParamID id = 0;
    ParamValue value = 0.0;
    EXPECT_FALSE(controllers.route(midi(0, 0xB0, 7, 1), id, value));
}

TEST(Vst2TimeInfo, ValidFieldsBecomeTheProcessContext)
{
    VstTimeInfo info {};
    info.samplePos = 123456.0;
    info.nanoSeconds = 5.0e9;
    info.ppqPos = 17.25;
    info.tempo = 97.5;
    info.barStartPos = 16.0;
    info.cycleStartPos = 8.0;
    info.cycleEndPos = 24.0;
    info.timeSigNumerator = 5;
    info.timeSigDenominator = 8;
    info.samplesToNextClock = 11;
    info.flags = kVstTransportPlaying | kVstTransportCycleActive | kVstNanosValid | kVstPpqPosValid
                 | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid | kVstClockValid;
    ProcessContext c {};
    processContextFromTimeInfo(&info, 48000.0, 777, c);
    EXPECT_EQ(c.sampleRate, 48000.0);
    EXPECT_EQ(c.projectTimeSamples, 123456);
    EXPECT_EQ(c.continousTimeSamples, 777);
    EXPECT_EQ(c.systemTime, 5000000000);
    EXPECT_EQ(c.projectTimeMusic, 17.25);
    EXPECT_EQ(c.tempo, 97.5);
    EXPECT_EQ(c.barPositionMusic, 16.0);
    EXPECT_EQ(c.cycleStartMusic, 8.0);
    EXPECT_EQ(c.cycleEndMusic, 24.0);
    EXPECT_EQ(c.timeSigNumerator, 5);
    EXPECT_EQ(c.timeSigDenominator, 8);
    EXPECT_EQ(c.samplesToNextClock, 11);
    const uint32 all = ProcessContext::kPlaying | ProcessContext::kCycleActive | ProcessContext::kSystemTimeValid
                       | ProcessContext::kProjectTimeMusicValid | ProcessContext::kTempoValid
                       | ProcessContext::kBarPositionValid | ProcessContext::kCycleValid
                       | ProcessContext::kTimeSigValid | ProcessContext::kClockValid | ProcessContext::kContTimeValid;
    EXPECT_EQ(c.state, all);
}

TEST(Vst2TimeInfo, MissingOrBrokenFieldsFallBack)
{
    ProcessContext c {};
    processContextFromTimeInfo(nullptr, 44100.0, 2048, c);
    EXPECT_EQ(c.projectTimeSamples, 2048);
    EXPECT_EQ(c.tempo, 120.0);
    EXPECT_EQ(c.timeSigNumerator, 4);
    EXPECT_EQ(c.timeSigDenominator, 4);
    EXPECT_EQ(c.state, static_cast<uint32>(ProcessContext::kContTimeValid));

    VstTimeInfo info {};
    info.samplePos = std::nan("");
    info.tempo = -3.0;
    info.ppqPos = std::numeric_limits<double>::infinity();
    info.timeSigNumerator = 0;
    info.timeSigDenominator = 8;
    info.flags = kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;
    processContextFromTimeInfo(&info, 44100.0, 64, c);
    EXPECT_EQ(c.projectTimeSamples, 64);
    EXPECT_EQ(c.tempo, 120.0);
    EXPECT_EQ(c.timeSigNumerator, 4);
    EXPECT_EQ(c.timeSigDenominator, 4);
    EXPECT_EQ(c.state, static_cast<uint32>(ProcessContext::kContTimeValid));

    info = VstTimeInfo {};
    info.tempo = 140.0;  // a value without its flag counts for nothing
    info.samplePos = 1.0e30;
    processContextFromTimeInfo(&info, 44100.0, 5, c);
    EXPECT_EQ(c.tempo, 120.0);
    EXPECT_EQ(c.projectTimeSamples, 5);
}
