#include "vst3/midi/midi_event_delivery.h"

#include <cstdint>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

namespace {

constexpr uint32_t kStatusControlChange = 0xB0;
constexpr uint32_t kStatusPolyPressure = 0xA0;
constexpr uint32_t kStatusPitchBend = 0xE0;
constexpr uint32_t kStatusClock = 0xF8;
constexpr uint32_t kControllerModWheel = 1;
constexpr uint32_t kControllerAllNotesOff = 123;

// 0..1 to 0..127, truncated. A host value outside 0..1 (or NaN) is limited
// first: converting an out-of-range double to an unsigned is undefined.
uint32_t toMidi7(float value)
{
    const double scaled = static_cast<double>(value) * 127.0;
    if (!(scaled > 0.0))
        return 0;
    return scaled >= 127.0 ? 127u : static_cast<uint32_t>(scaled);
}

uint32_t low8(int32_t value)
{
    return static_cast<uint32_t>(value) & 0xFFu;
}

bool isWrappedMidi(const ChordEvent& chord)
{
    static const char16_t kTag[] = u"TARNMIDI";
    if (!chord.text)
        return false;
    // Compares up to and including the terminator, so never reads past a
    // shorter text.
    for (int i = 0;; ++i)
    {
        if (chord.text[i] != kTag[i])
            return false;
        if (kTag[i] == 0)
            return true;
    }
}

void deliverWrappedMidi(CPlugIn& plugIn, const ChordEvent& chord)
{
    const uint32_t channel = static_cast<uint32_t>(chord.root);
    const uint32_t status = static_cast<uint32_t>(chord.bassNote);
    const int32_t data1 = chord.mask;
    const int32_t data2 = chord.textLen;

    if (status == kStatusControlChange && data1 == kControllerModWheel)
        plugIn.modWheel(channel, static_cast<uint32_t>(data2));
    else if (status == kStatusControlChange && data1 == kControllerAllNotesOff)
        plugIn.noteOff(channel, 0, 0, true);
    else if (status == kStatusClock)
        plugIn.clockTick();
    else if (status == kStatusPitchBend)
    {
        const int32_t bend = ((data2 & 0x7F) * 128 + (data1 & 0x7F)) - 8192;
        // Symmetric scale: the lowest value reaches exactly -1 as the highest reaches 1.
        const int32_t w = bend == -8192 ? -8191 : bend;
        plugIn.pitchBend(channel, bend, static_cast<float>(w / 8191.0));
    }
    else if (plugIn.m_bForwardAllMidi)
        plugIn.rawMidiMessage(low8(chord.root), low8(chord.bassNote), low8(data1), low8(data2));
}

}  // namespace

bool deliverNoteEvent(CPlugIn* plugIn, const Event& event)
{
    switch (event.type)
    {
    case Event::kNoteOnEvent:
        if (plugIn)
            plugIn->noteOn(static_cast<uint32_t>(event.noteOn.channel),
                           static_cast<uint32_t>(event.noteOn.pitch),
                           toMidi7(event.noteOn.velocity));
        return true;
    case Event::kNoteOffEvent:
        if (plugIn)
            plugIn->noteOff(static_cast<uint32_t>(event.noteOff.channel),
                            static_cast<uint32_t>(event.noteOff.pitch),
                            toMidi7(event.noteOff.velocity), false);
        return true;
    case Event::kPolyPressureEvent:
        if (plugIn)
            plugIn->rawMidiMessage(low8(event.polyPressure.channel), kStatusPolyPressure,
                                   low8(event.polyPressure.pitch),
                                   toMidi7(event.polyPressure.pressure));
        return true;
    default:
        return false;
    }
}

bool handleMidiEvent(CPlugIn* plugIn, const Event& event)
{
    switch (event.type)
    {
    case Event::kNoteOnEvent:
    case Event::kNoteOffEvent:
        deliverNoteEvent(plugIn, event);
        return true;
    case Event::kPolyPressureEvent:
        deliverNoteEvent(plugIn, event);
        return false;
    case Event::kChordEvent:
        if (plugIn && isWrappedMidi(event.chord))
            deliverWrappedMidi(*plugIn, event.chord);
        return false;
    default:
        return false;
    }
}

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
