// PadController: a sub-controller that drives two parameters of a VST 3 edit
// controller from one XY pad. The pad packs both coordinates into one control
// value, so binding it by tag to a single parameter cannot work; this controller
// takes the pad over instead and turns each change into two edits.
#pragma once

#include "gui/icontroller.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "public.sdk/source/vst/vstparameters.h"

namespace VSTGUI {

class CXYPad;

/// Everything except the pad goes to the base controller unchanged. The pad (the
/// first CXYPad verified under this controller) gets this controller as its
/// listener and shows the two parameters' normalised values; a change of either
/// parameter moves it. Either parameter may be null: that axis is then neither
/// shown nor edited. Lives as long as the view that owns it.
///
/// Typical use (a delegate's createSubController):
///   return new PadController(editor, controller, controller->getParameterObject(1),
///                            controller->getParameterObject(2));
class PadController : public Steinberg::FObject, public DelegationController
{
public:
    /// [UI thread] Becomes a dependent of both parameters (those that are not null).
    PadController(IController* baseController, Steinberg::Vst::EditController* editController,
                  Steinberg::Vst::Parameter* xParameter, Steinberg::Vst::Parameter* yParameter);
    /// [UI thread] Leaves both parameters. The pad is not touched: it may be the view
    /// being destroyed that owns this controller.
    ~PadController() override;
    PadController(const PadController&) = delete;
    PadController& operator=(const PadController&) = delete;

    /// [UI thread] The pad's new value becomes both parameters' values, each one
    /// set on the edit controller and, when it took it, performed to the host.
    void valueChanged(CControl* control) override;
    /// [UI thread] The pad's gesture: one group edit holding an edit of each parameter.
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;
    /// [UI thread] Takes the first pad over (the base controller does not see it)
    /// and shows the parameters' current values on it.
    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const IUIDescription* description) override;

    /// [UI thread] A parameter changed: the pad follows. A parameter about to be
    /// destroyed is let go.
    void PLUGIN_API update(Steinberg::FUnknown* changedUnknown, Steinberg::int32 message) override;

    /// The pad this controller drives, or null before one was verified.
    CXYPad* getPad() const { return pad; }

    OBJ_METHODS(PadController, FObject)

protected:
    /// Shows the parameters' normalised values on the pad (0 for a missing one).
    void updatePadValue();

private:
    void release(Steinberg::IPtr<Steinberg::Vst::Parameter>& parameter);

    Steinberg::IPtr<Steinberg::Vst::EditController> editController;
    Steinberg::IPtr<Steinberg::Vst::Parameter> xParameter;
    Steinberg::IPtr<Steinberg::Vst::Parameter> yParameter;
    CXYPad* pad = nullptr; // not owned: the view tree owns the pad (and often this controller)
};

} // namespace VSTGUI
