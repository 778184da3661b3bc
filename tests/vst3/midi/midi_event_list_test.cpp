// CVSTMidiEventList: the block's note events, pulled offset by offset.
#include "vst3/midi/midi_event_list.h"

#include "midi_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace corvale_test;
using ::testing::InSequence;
using ::testing::StrictMock;
using Steinberg::Vst::Rive2ZOD3::CVSTMidiEventList;

TEST(CVSTMidiEventList, UnboundListHasNoEvents)
{
    StrictMock<MockPlugIn> plugIn;
    CVSTMidiEventList list(&plugIn);
    EXPECT_EQ(list.getEventCount(), 0);
    EXPECT_FALSE(list.fireMidiEvents(0));
}

TEST(CVSTMidiEventList, DeliversEachEventOnceAtItsOffset)
{
    StrictMock<MockPlugIn> plugIn;
    VectorEventList events({noteOnEvent(0, 0, 60, 1.0f), noteOnEvent(0, 0, 64, 1.0f),
                            noteOffEvent(5, 0, 60, 0.0f)});
    CVSTMidiEventList list(&plugIn);
    list.bind(&events);
    EXPECT_EQ(list.getEventCount(), 3);

    bool answers[16] = {};
    {
        InSequence order;
        EXPECT_CALL(plugIn, noteOn(0u, 60u, 127u));
        EXPECT_CALL(plugIn, noteOn(0u, 64u, 127u));
        EXPECT_CALL(plugIn, noteOff(0u, 60u, 0u, false));
    }
    for (int offset = 0; offset < 16; ++offset)
        answers[offset] = list.fireMidiEvents(offset);
    for (int offset = 0; offset < 16; ++offset)
        EXPECT_EQ(answers[offset], offset == 0 || offset == 5) << "offset " << offset;
}

TEST(CVSTMidiEventList, RebindingStartsTheNextBlockAtItsFirstEvent)
{
    StrictMock<MockPlugIn> plugIn;
    VectorEventList first({noteOnEvent(2, 0, 60, 1.0f)});
    VectorEventList second({noteOffEvent(0, 0, 60, 1.0f)});
    CVSTMidiEventList list(&plugIn);

    EXPECT_CALL(plugIn, noteOn(0u, 60u, 127u));
    list.bind(&first);
    for (int offset = 0; offset < 4; ++offset)
        list.fireMidiEvents(offset);

    EXPECT_CALL(plugIn, noteOff(0u, 60u, 127u, false));
    list.bind(&second);
    EXPECT_TRUE(list.fireMidiEvents(0));

    list.bind(nullptr);
    EXPECT_EQ(list.getEventCount(), 0);
    EXPECT_FALSE(list.fireMidiEvents(1));
}

TEST(CVSTMidiEventList, ChordMessagesAreSkippedWithoutBlockingLaterNotes)
{
    StrictMock<MockPlugIn> plugIn;
    plugIn.m_bForwardAllMidi = true;
    Event clock = wrappedMidi(0, 0xF8, 0, 0);
    clock.sampleOffset = 1;
    VectorEventList events({clock, noteOnEvent(1, 0, 60, 1.0f), noteOnEvent(3, 0, 62, 1.0f)});
    CVSTMidiEventList list(&plugIn);
    list.bind(&events);

    EXPECT_FALSE(list.fireMidiEvents(0));
    EXPECT_CALL(plugIn, noteOn(0u, 60u, 127u));
    EXPECT_TRUE(list.fireMidiEvents(1));
    EXPECT_CALL(plugIn, noteOn(0u, 62u, 127u));
    EXPECT_TRUE(list.fireMidiEvents(3));
}

TEST(CVSTMidiEventList, SkippedOffsetsDeliverLateInsteadOfLosingEvents)
{
    StrictMock<MockPlugIn> plugIn;
    VectorEventList events({noteOnEvent(3, 0, 60, 1.0f), noteOnEvent(5, 0, 62, 1.0f),
                            noteOnEvent(9, 0, 64, 1.0f)});
    CVSTMidiEventList list(&plugIn);
    list.bind(&events);

    // A plug-in asking every eight samples still gets everything, in order.
    InSequence order;
    EXPECT_CALL(plugIn, noteOn(0u, 60u, 127u));
    EXPECT_CALL(plugIn, noteOn(0u, 62u, 127u));
    EXPECT_CALL(plugIn, noteOn(0u, 64u, 127u));
    EXPECT_FALSE(list.fireMidiEvents(0));
    EXPECT_TRUE(list.fireMidiEvents(8));
    EXPECT_TRUE(list.fireMidiEvents(16));
    EXPECT_FALSE(list.fireMidiEvents(24));
}

TEST(CVSTMidiEventList, WithoutAPlugInStillAnswersForNotes)
{
    VectorEventList events({noteOnEvent(0, 0, 60, 1.0f)});
    CVSTMidiEventList list(nullptr);
    list.bind(&events);
    EXPECT_TRUE(list.fireMidiEvents(0));
}

}  // namespace
