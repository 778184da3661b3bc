// handleMidiEvent: which plug-in call each host event becomes.
#include "vst3/midi/midi_event_delivery.h"

#include "midi_test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace corvale_test;
using ::testing::_;
using ::testing::FloatEq;
using ::testing::StrictMock;
using Steinberg::Vst::Rive2ZOD3::deliverNoteEvent;
using Steinberg::Vst::Rive2ZOD3::handleMidiEvent;

struct DeliveryCase
{
    const char* name;
    Event event;
    bool forwardAllMidi;
    void (*expectCalls)(MockPlugIn&);  // nothing expected when null
    bool answer;
};

void PrintTo(const DeliveryCase& c, std::ostream* os)
{
    *os << c.name;
}

class HandleMidiEvent : public ::testing::TestWithParam<DeliveryCase>
{
};

TEST_P(HandleMidiEvent, CallsThePlugInAsMapped)
{
    const DeliveryCase& c = GetParam();
    StrictMock<MockPlugIn> plugIn;  // any call not expected fails the test
    plugIn.m_bForwardAllMidi = c.forwardAllMidi;
    if (c.expectCalls)
        c.expectCalls(plugIn);
    EXPECT_EQ(handleMidiEvent(&plugIn, c.event), c.answer);
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Table, HandleMidiEvent,
    ::testing::Values(
        DeliveryCase{"note on, velocity 0.5 -> 63", noteOnEvent(0, 1, 60, 0.5f), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, noteOn(1u, 60u, 63u)); }, true},
        DeliveryCase{"note on, full velocity", noteOnEvent(0, 0, 127, 1.0f), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, noteOn(0u, 127u, 127u)); }, true},
        DeliveryCase{"note on, velocity beyond 1 is limited", noteOnEvent(0, 0, 1, 3.0f), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, noteOn(0u, 1u, 127u)); }, true},
        DeliveryCase{"note on, negative velocity is 0", noteOnEvent(0, 0, 1, -0.5f), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, noteOn(0u, 1u, 0u)); }, true},
        DeliveryCase{"note on, NaN velocity is 0", noteOnEvent(0, 0, 1, kNaN), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, noteOn(0u, 1u, 0u)); }, true},
        DeliveryCase{"note off", noteOffEvent(0, 15, 64, 0.25f), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, noteOff(15u, 64u, 31u, false)); }, true},
        DeliveryCase{"poly pressure is a raw 0xA0 message", polyPressureEvent(0, 3, 72, 0.5f),
                     false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, rawMidiMessage(3u, 0xA0u, 72u, 63u)); },
                     false},
        DeliveryCase{"mod wheel", wrappedMidi(4, 0xB0, 1, 99), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, modWheel(4u, 99u)); }, false},
        DeliveryCase{"all notes off", wrappedMidi(5, 0xB0, 123, 0), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, noteOff(5u, 0u, 0u, true)); }, false},
        DeliveryCase{"clock", wrappedMidi(0, 0xF8, 0, 0), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, clockTick()); }, false},
        DeliveryCase{"pitch bend centre", wrappedMidi(2, 0xE0, 0, 64), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, pitchBend(2u, 0, FloatEq(0.0f))); },
                     false},
        DeliveryCase{"pitch bend lowest", wrappedMidi(2, 0xE0, 0, 0), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, pitchBend(2u, -8192, FloatEq(-1.0f))); },
                     false},
        DeliveryCase{"pitch bend highest", wrappedMidi(2, 0xE0, 0x7F, 0x7F), false,
                     [](MockPlugIn& p) { EXPECT_CALL(p, pitchBend(2u, 8191, FloatEq(1.0f))); },
                     false},
        DeliveryCase{"pitch bend uses 7 bits of each byte", wrappedMidi(0, 0xE0, 0x81, 0xC0),
                     false,
                     [](MockPlugIn& p) {
                         EXPECT_CALL(p, pitchBend(0u, 1, FloatEq(static_cast<float>(1 / 8191.0))));
                     },
                     false},
        DeliveryCase{"other controller forwarded", wrappedMidi(6, 0xB0, 7, 100), true,
                     [](MockPlugIn& p) { EXPECT_CALL(p, rawMidiMessage(6u, 0xB0u, 7u, 100u)); },
                     false},
        DeliveryCase{"other controller dropped without forwarding", wrappedMidi(6, 0xB0, 7, 100),
                     false, nullptr, false},
        DeliveryCase{"forwarded values are cut to 8 bits", wrappedMidi(0x102, 0x1C0, 0x105, 0x1FF),
                     true,
                     [](MockPlugIn& p) { EXPECT_CALL(p, rawMidiMessage(2u, 0xC0u, 5u, 0xFFu)); },
                     false},
        DeliveryCase{"chord with another text", wrappedMidi(2, 0xF8, 0, 0, u"Cmaj7"), true,
                     nullptr, false},
        DeliveryCase{"chord with a longer text", wrappedMidi(2, 0xF8, 0, 0, u"TARNMIDIX"), true,
                     nullptr, false},
        DeliveryCase{"chord without text", wrappedMidi(2, 0xF8, 0, 0, nullptr), true, nullptr,
                     false},
        DeliveryCase{"data event", [] {
                         Event e = {};
                         e.type = Event::kDataEvent;
                         return e;
                     }(),
                     true, nullptr, false}));

TEST(HandleMidiEvent, WithoutAPlugInCallsNothingButStillAnswers)
{
    EXPECT_TRUE(handleMidiEvent(nullptr, noteOnEvent(0, 0, 60, 1.0f)));
    EXPECT_TRUE(handleMidiEvent(nullptr, noteOffEvent(0, 0, 60, 1.0f)));
    EXPECT_FALSE(handleMidiEvent(nullptr, polyPressureEvent(0, 0, 60, 1.0f)));
    EXPECT_FALSE(handleMidiEvent(nullptr, wrappedMidi(0, 0xF8, 0, 0)));
}

TEST(DeliverNoteEvent, DeliversOnlyTheNoteSubset)
{
    StrictMock<MockPlugIn> plugIn;
    plugIn.m_bForwardAllMidi = true;
    EXPECT_CALL(plugIn, rawMidiMessage(0u, 0xA0u, 10u, 127u));
    EXPECT_TRUE(deliverNoteEvent(&plugIn, polyPressureEvent(0, 0, 10, 1.0f)));
    // Chord-wrapped messages are not part of it.
    EXPECT_FALSE(deliverNoteEvent(&plugIn, wrappedMidi(0, 0xF8, 0, 0)));
    EXPECT_TRUE(deliverNoteEvent(nullptr, noteOnEvent(0, 0, 1, 1.0f)));
}

}  // namespace
