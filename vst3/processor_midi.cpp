// Processor: IMidiMapping. Hosts translate MIDI controllers into changes of the
// fixed MIDI parameters (or of a control that asks for a controller), which
// process turns back into MIDI calls on the plug-in.
#include "vst3/processor.h"
#include "vst3/processor_ids.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

struct ControllerRoute
{
    CtrlNumber controller;
    ParamID id;
};

constexpr ControllerRoute kFixedRoutes[] = {
    {kCtrlModWheel, ParamIds::kModWheel},
    {kCtrlVolume, ParamIds::kMidiVolume},
    {kCtrlPan, ParamIds::kMidiPan},
    {kCtrlExpression, ParamIds::kMidiExpression},
    {kCtrlSustainOnOff, ParamIds::kSustainPedal},
    {kCtrlAllNotesOff, ParamIds::kAllNotesOff},
    {kAfterTouch, ParamIds::kChannelPressure},
    {kPitchBend, ParamIds::kPitchBend},
};

} // namespace

tresult PLUGIN_API Processor::getMidiControllerAssignment(int32 busIndex, int16 /*channel*/,
                                                          CtrlNumber midiControllerNumber,
                                                          ParamID& id)
{
    if (plugIn_ == nullptr || busIndex != 0)
        return kResultFalse;
    for (const ControllerRoute& route : kFixedRoutes)
        if (route.controller == midiControllerNumber)
        {
            id = route.id;
            return kResultOk;
        }
    // The last control that asks for this controller wins.
    bool found = false;
    for (int32 i = 0; i < controlCount(); ++i)
    {
        const CControlDescriptor* c = controls_[static_cast<size_t>(i)];
        if (c != nullptr && c->midiControlEnabled && c->midiControlNumber == midiControllerNumber)
        {
            id = static_cast<ParamID>(i);
            found = true;
        }
    }
    if (found)
        return kResultOk;
    id = 0;
    return kResultFalse;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
