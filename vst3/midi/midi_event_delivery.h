// Delivery of one VST 3 event to the plug-in as MIDI calls: notes, polyphonic
// pressure and raw MIDI messages wrapped in chord events titled "TARNMIDI".
#pragma once

#include "framework/plugin.h"
#include "pluginterfaces/vst/ivstevents.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// Delivers a note on, note off or polyphonic pressure event; true when the
/// event is of one of these types (even without a plug-in), false otherwise. [audio]
bool deliverNoteEvent(CPlugIn* plugIn, const Event& event);

/// The component's per-event delivery: the note subset as deliverNoteEvent plus
/// the "TARNMIDI" chord messages; true for note on and note off only. [audio]
bool handleMidiEvent(CPlugIn* plugIn, const Event& event);

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
