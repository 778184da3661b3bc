// Vst2MidiControllers: which parameter each MIDI controller, pitch bend and
// channel pressure moves, as the component's IMidiMapping answers for event
// bus 0 (asked once per channel and controller, on the main thread), so that a
// VST 2 host's MIDI reaches the component as parameter changes at its frames,
// the way a VST 3 host routes it. Messages that nothing maps stay raw MIDI.
#pragma once

#include "vst2/vst2_abi.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <array>
#include <atomic>

namespace Steinberg {
namespace Vst {
class IMidiMapping;
namespace Rive2ZOD3 {

class Vst2MidiControllers
{
public:
    static constexpr int kChannels = 16;
    /// Controllers 0..127, then channel pressure (kAfterTouch) and pitch bend (kPitchBend).
    static constexpr int kControllers = kCountCtrlNumber;

    Vst2MidiControllers();

    /// Asks the mapping about every channel and controller; null maps nothing.
    /// Safe while the audio thread routes: each entry changes as a whole. [main]
    void build(IMidiMapping* mapping);

    /// The parameter a MIDI message moves and its normalised value: a controller
    /// or channel pressure as its 7-bit value, pitch bend as its 14-bit value;
    /// false when the message is none of these or nothing maps it. [audio]
    bool route(const VstMidiEvent& event, ParamID& id, ParamValue& value) const;

private:
    std::array<std::atomic<ParamID>, kChannels * kControllers> table_;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
