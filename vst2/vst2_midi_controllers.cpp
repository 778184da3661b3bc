#include "vst2/vst2_midi_controllers.h"
#include "vst2/vst2_events.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

constexpr int kControlChange = 0xB0;
constexpr int kChannelPressure = 0xD0;
constexpr int kPitchBendChange = 0xE0;

} // namespace

Vst2MidiControllers::Vst2MidiControllers()
{
    for (auto& entry : table_)
        entry.store(kNoParamId, std::memory_order_relaxed);
}

void Vst2MidiControllers::build(IMidiMapping* mapping)
{
    for (int channel = 0; channel < kChannels; ++channel)
        for (int controller = 0; controller < kControllers; ++controller)
        {
            ParamID id = kNoParamId;
            if (mapping == nullptr
                || mapping->getMidiControllerAssignment(0, static_cast<int16>(channel),
                                                        static_cast<CtrlNumber>(controller), id)
                       != kResultOk)
                id = kNoParamId;
            table_[static_cast<size_t>(channel * kControllers + controller)].store(
                id, std::memory_order_relaxed);
        }
}

bool Vst2MidiControllers::route(const VstMidiEvent& event, ParamID& id, ParamValue& value) const
{
    const int status = event.midiData[0] & 0xF0;
    const int channel = event.midiData[0] & 0x0F;
    const int data1 = event.midiData[1] & 0x7F;
    const int data2 = event.midiData[2] & 0x7F;
    int controller = 0;
    switch (status)
    {
    case kControlChange:
        controller = data1;
        value = midiDataToUnit(data2);
        break;
    case kChannelPressure:
        controller = kAfterTouch;
        value = midiDataToUnit(data1);
        break;
    case kPitchBendChange:
        controller = kPitchBend;
        value = static_cast<ParamValue>(data2 * 128 + data1) / 16383.0;
        break;
    default:
        return false;
    }
    id = table_[static_cast<size_t>(channel * kControllers + controller)].load(
        std::memory_order_relaxed);
    return id != kNoParamId;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
