// The adapter's small parts on their own: MIDI conversion and the event list,
// the chunk layout, and the parameter changes handed to the processor.
#include "vst2/vst2_chunk.h"
#include "vst2/vst2_events.h"
#include "vst2/vst2_parameter_changes.h"

#include <gtest/gtest.h>

#include <cstring>

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
