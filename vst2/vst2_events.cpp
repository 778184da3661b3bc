#include "vst2/vst2_events.h"

#include <algorithm>
#include <cmath>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

const char16 kWrappedMidiText[] = u"TARNMIDI";

namespace {

constexpr int kNoteOff = 0x80;
constexpr int kNoteOn = 0x90;
constexpr int kPolyPressure = 0xA0;
constexpr int kSystemExclusive = 0xF0;

} // namespace

float midiDataToUnit(int value)
{
    // The component turns the value back with a truncating multiplication by
    // 127, so this is the smallest float that gives the MIDI value back (a plain
    // v / 127 gives 99 for 100).
    const int v = value & 0x7F;
    float unit = static_cast<float>(v) / 127.0f;
    while (static_cast<double>(unit) * 127.0 < v)
        unit = std::nextafter(unit, 2.0f);
    return unit;
}

bool convertMidiEvent(const VstMidiEvent& in, Event& out)
{
    const int status = in.midiData[0] & 0xF0;
    const int channel = in.midiData[0] & 0x0F;
    const int data1 = in.midiData[1] & 0x7F;
    const int data2 = in.midiData[2] & 0x7F;
    if ((in.midiData[0] & 0x80) == 0)
        return false;  // running status or garbage: no status byte to act on

    out = Event {};
    out.busIndex = 0;
    out.sampleOffset = in.deltaFrames;
    out.flags = Event::kIsLive;
    // The release velocity is the note-off message's second data byte; the
    // header's layout of the noteOffVelocity/detune fields is uncertain.
    if (status == kNoteOn && data2 > 0)
    {
        out.type = Event::kNoteOnEvent;
        out.noteOn = NoteOnEvent {static_cast<int16>(channel), static_cast<int16>(data1), 0.0f,
                                  midiDataToUnit(data2), 0, -1};
        return true;
    }
    if (status == kNoteOff || status == kNoteOn)
    {
        out.type = Event::kNoteOffEvent;
        out.noteOff = NoteOffEvent {static_cast<int16>(channel), static_cast<int16>(data1),
                                    midiDataToUnit(data2), -1, 0.0f};
        return true;
    }
    if (status == kPolyPressure)
    {
        out.type = Event::kPolyPressureEvent;
        out.polyPressure = PolyPressureEvent {static_cast<int16>(channel), static_cast<int16>(data1),
                                              midiDataToUnit(data2), -1};
        return true;
    }
    if (in.midiData[0] == kSystemExclusive)
        return false;
    // Channel messages carry the channel apart from the status; system messages
    // (clock, start, stop) keep their whole status byte on channel 0.
    const bool system = status == 0xF0;
    out.type = Event::kChordEvent;
    out.chord.root = static_cast<int16>(system ? 0 : channel);
    out.chord.bassNote = static_cast<int16>(system ? (in.midiData[0] & 0xFF) : status);
    out.chord.mask = static_cast<int16>(data1);
    out.chord.textLen = static_cast<uint16>(data2);
    out.chord.text = kWrappedMidiText;
    return true;
}

Vst2EventList::Vst2EventList(int32 capacity)
    : events_(static_cast<size_t>(capacity > 0 ? capacity : 0))
{
}

bool Vst2EventList::insert(const Event& event)
{
    if (used_ >= static_cast<int32>(events_.size()))
        return false;
    // After the last event at the same or an earlier offset: hosts send in
    // order, so this is normally an append.
    int32 at = used_;
    while (at > 0 && events_[static_cast<size_t>(at - 1)].sampleOffset > event.sampleOffset)
    {
        events_[static_cast<size_t>(at)] = events_[static_cast<size_t>(at - 1)];
        --at;
    }
    events_[static_cast<size_t>(at)] = event;
    ++used_;
    return true;
}

void Vst2EventList::clampOffsets(int32 numSamples)
{
    const int32 last = std::max(numSamples - 1, 0);
    for (int32 i = 0; i < used_; ++i)
    {
        int32& offset = events_[static_cast<size_t>(i)].sampleOffset;
        offset = std::min(std::max(offset, 0), last);
    }
}

tresult PLUGIN_API Vst2EventList::getEvent(int32 index, Event& e)
{
    if (index < 0 || index >= used_)
        return kResultFalse;
    e = events_[static_cast<size_t>(index)];
    return kResultOk;
}

tresult PLUGIN_API Vst2EventList::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IEventList)
    QUERY_INTERFACE(_iid, obj, IEventList::iid, IEventList)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
