#include "gui/plugin/pad_controller.h"

#include "gui/cxypad.h"

#include "base/source/updatehandler.h"

namespace VSTGUI {

using Steinberg::FObject;
using Steinberg::IPtr;
using Steinberg::kResultTrue;
using Steinberg::Vst::Parameter;

PadController::PadController(IController* baseController, Steinberg::Vst::EditController* edit,
                             Parameter* x, Parameter* y)
    : DelegationController(baseController),
      editController(edit),
      xParameter(x),
      yParameter(y)
{
    // Parameters tell their dependents through the SDK's update handler; without
    // one, the pad would never follow the host.
    Steinberg::UpdateHandler::instance();
    if (xParameter)
        xParameter->addDependent(this);
    if (yParameter && yParameter != xParameter)
        yParameter->addDependent(this);
}

PadController::~PadController()
{
    release(xParameter);
    release(yParameter);
}

void PadController::release(IPtr<Parameter>& parameter)
{
    if (!parameter)
        return;
    IPtr<Parameter> old = parameter;
    parameter = nullptr;
    // One registration serves both axes when they share a parameter.
    if (old != xParameter && old != yParameter)
        old->removeDependent(this);
}

void PadController::valueChanged(CControl* control)
{
    if (!pad || control != pad)
    {
        DelegationController::valueChanged(control);
        return;
    }
    float x = 0.f;
    float y = 0.f;
    CXYPad::calculateXY(control->getValue(), x, y);
    // Hold both: setting x may call back into update() before y is set.
    IPtr<Parameter> axes[2] = {xParameter, yParameter};
    const float values[2] = {x, y};
    for (int i = 0; i < 2; ++i)
    {
        if (!axes[i] || !editController)
            continue;
        const Steinberg::Vst::ParamID id = axes[i]->getInfo().id;
        if (editController->setParamNormalized(id, values[i]) == kResultTrue)
            editController->performEdit(id, editController->getParamNormalized(id));
    }
}

void PadController::controlBeginEdit(CControl* control)
{
    if (!pad || control != pad)
    {
        DelegationController::controlBeginEdit(control);
        return;
    }
    if (!editController)
        return;
    editController->startGroupEdit();
    if (xParameter)
        editController->beginEdit(xParameter->getInfo().id);
    if (yParameter)
        editController->beginEdit(yParameter->getInfo().id);
}

void PadController::controlEndEdit(CControl* control)
{
    if (!pad || control != pad)
    {
        DelegationController::controlEndEdit(control);
        return;
    }
    if (!editController)
        return;
    if (xParameter)
        editController->endEdit(xParameter->getInfo().id);
    if (yParameter)
        editController->endEdit(yParameter->getInfo().id);
    editController->finishGroupEdit();
}

CView* PadController::verifyView(CView* view, const UIAttributes& attributes,
                                 const IUIDescription* description)
{
    if (!pad)
    {
        if (auto* candidate = dynamic_cast<CXYPad*>(view))
        {
            pad = candidate;
            pad->setListener(this);
            updatePadValue();
            return view;
        }
    }
    return DelegationController::verifyView(view, attributes, description);
}

void PLUGIN_API PadController::update(Steinberg::FUnknown* changedUnknown, Steinberg::int32 message)
{
    FObject* changed = FObject::unknownToObject(changedUnknown);
    if (!changed || (changed != xParameter.get() && changed != yParameter.get()))
        return;
    if (message == IDependent::kWillDestroy)
    {
        if (changed == xParameter.get())
            release(xParameter);
        if (changed == yParameter.get())
            release(yParameter);
        return;
    }
    if (message == IDependent::kChanged)
        updatePadValue();
}

void PadController::updatePadValue()
{
    if (!pad)
        return;
    const auto x = static_cast<float>(xParameter ? xParameter->getNormalized() : 0.0);
    const auto y = static_cast<float>(yParameter ? yParameter->getNormalized() : 0.0);
    pad->setValue(CXYPad::calculateValue(x, y));
    pad->invalid();
}

} // namespace VSTGUI
