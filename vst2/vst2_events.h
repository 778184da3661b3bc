// VST 2 MIDI events to VST 3 events. Note on and off and polyphonic pressure
// become the matching VST 3 events; every other channel message and the clock
// reach the component as raw MIDI in a chord event whose text is "TARNMIDI"
// (channel in root, status in bassNote, data bytes in mask and textLen), which
// the component unwraps at its sample offset. (The adapter first routes the
// controllers, pitch bend and channel pressure that the component maps to
// parameters, Vst2MidiControllers; only the others come here.) SysEx and other
// events are dropped.
#pragma once

#include "vst2/vst2_abi.h"

#include "pluginterfaces/vst/ivstevents.h"

#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// The text that marks a chord event as raw MIDI.
extern const char16 kWrappedMidiText[];

/// A MIDI data byte (0..127) as a VST 3 value 0..1 that the component's
/// truncating ×127 turns back into the same byte. [any]
float midiDataToUnit(int value);

/// Converts one VST 2 MIDI event into a VST 3 event at its delta frames (bus 0);
/// false for a message the component has no use for. [any]
bool convertMidiEvent(const VstMidiEvent& in, Event& out);

/// The events of one block, kept sorted by sample offset (events at the same
/// offset keep their order), with a fixed capacity reserved up front so that
/// filling it on the audio thread never allocates. Not reference counted.
class Vst2EventList : public IEventList
{
public:
    static constexpr int32 kDefaultCapacity = 1024;

    explicit Vst2EventList(int32 capacity = kDefaultCapacity);

    /// Empties the list. [audio]
    void clear() { used_ = 0; }
    /// Inserts an event in offset order; false (dropped) when the list is full. [audio]
    bool insert(const Event& event);
    /// Moves offsets into 0..numSamples-1, so every event is delivered in this block. [audio]
    void clampOffsets(int32 numSamples);

    int32 PLUGIN_API getEventCount() override { return used_; }
    tresult PLUGIN_API getEvent(int32 index, Event& e) override;
    tresult PLUGIN_API addEvent(Event& e) override { return insert(e) ? kResultOk : kResultFalse; }

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    std::vector<Event> events_;
    int32 used_ = 0;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
