// CPadControllerWP: the framework's pad sub-controller, a PadController on two
// parameters named by a layout (for example the joystick's x and y).
#pragma once

#include "gui/plugin/pad_controller.h"

namespace VSTGUI {

class CPadControllerWP : public PadController
{
public:
    /// [UI thread] As PadController: `baseController` gets everything but the pad;
    /// either parameter may be null.
    CPadControllerWP(IController* baseController, Steinberg::Vst::EditController* editController,
                     Steinberg::Vst::Parameter* xParameter, Steinberg::Vst::Parameter* yParameter);
    ~CPadControllerWP() override;

    OBJ_METHODS(CPadControllerWP, PadController)
};

} // namespace VSTGUI
