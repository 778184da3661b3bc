#include "gui/plugin/parameter_change_listener.h"

#include "gui/ctextedit.h"
#include "sdk/utf8_text.h"

#include <algorithm>

namespace VSTGUI {

using namespace Steinberg;
using namespace Steinberg::Vst;

ParameterChangeListener::ParameterChangeListener(EditController* c, int32_t t, CControl* first)
: controller(c), tag(t)
{
    if (controller && tag >= 0)
        parameter = controller->getParameterObject(static_cast<ParamID>(tag));
    if (parameter)
        parameter->addDependent(this);
    if (first)
        addControl(first);
}

ParameterChangeListener::~ParameterChangeListener()
{
    detach();
}

void ParameterChangeListener::detach()
{
    if (parameter)
    {
        parameter->removeDependent(this);
        parameter = nullptr;
    }
    std::vector<SharedPointer<CControl>> gone;
    gone.swap(controls);
    for (const auto& c : gone)
        unbindText(c);
}

bool ParameterChangeListener::containsControl(const CControl* control) const
{
    return std::any_of(controls.begin(), controls.end(),
                       [control](const SharedPointer<CControl>& c) { return c.get() == control; });
}

bool ParameterChangeListener::stepped() const
{
    return parameter && parameter->getInfo().stepCount > 0;
}

void ParameterChangeListener::addControl(CControl* control)
{
    if (!control || containsControl(control))
        return;
    controls.emplace_back(control);
    bindText(control);
    if (parameter)
        updateControl(control, currentNormalized());
    else if (controls.size() > 1)
        // Without a parameter the first control's value is the tag's value.
        updateControl(control, controls.front()->getValueNormalized());
}

void ParameterChangeListener::removeControl(CControl* control)
{
    auto it = std::find_if(controls.begin(), controls.end(),
                           [control](const SharedPointer<CControl>& c) { return c.get() == control; });
    if (it == controls.end())
        return;
    SharedPointer<CControl> keep = *it;
    controls.erase(it);
    unbindText(keep);
}

void ParameterChangeListener::bindText(CControl* control)
{
    auto* display = dynamic_cast<CParamDisplay*>(control);
    if (!display || !parameter)
        return;
    // The control's value is the parameter's plain value for stepped parameters.
    display->setValueToStringFunction([this](float value, std::string& text, CParamDisplay*) {
        const ParamValue normalized = stepped() ? parameter->toNormalized(value) : value;
        return valueText(normalized, text);
    });
    auto* edit = dynamic_cast<CTextEdit*>(control);
    if (!edit)
        return;
    // Read as the text is set, before the edit tells anyone: a label re-renders its text
    // from its number when it announces a change, so the typed text is gone by then.
    // The mark of a rejected text stays until the editor takes it: the label's own
    // re-rendering sets a readable text again before the editor hears of the change.
    edit->setStringToValueFunction([this](const std::string& text, float& value, CTextEdit* e) {
        ParamValue normalized = 0.0;
        if (!readText(text, normalized))
        {
            if (std::find(rejectedTexts.begin(), rejectedTexts.end(), e) == rejectedTexts.end())
                rejectedTexts.push_back(e);
            return false;
        }
        value = static_cast<float>(stepped() ? parameter->toPlain(normalized) : normalized);
        return true;
    });
}

void ParameterChangeListener::unbindText(CControl* control)
{
    // The functions point back here: a control that outlives the binding must not call them.
    if (auto* display = dynamic_cast<CParamDisplay*>(control))
        display->setValueToStringFunction(nullptr);
    if (auto* edit = dynamic_cast<CTextEdit*>(control))
        edit->setStringToValueFunction(nullptr);
    rejectedTexts.erase(std::remove(rejectedTexts.begin(), rejectedTexts.end(), control),
                        rejectedTexts.end());
}

bool ParameterChangeListener::takeRejectedText(const CControl* edit)
{
    auto it = std::find(rejectedTexts.begin(), rejectedTexts.end(), edit);
    if (it == rejectedTexts.end())
        return false;
    rejectedTexts.erase(it);
    return true;
}

bool ParameterChangeListener::readText(const std::string& text, ParamValue& value) const
{
    if (!controller || !parameter)
        return false;
    String128 string {};
    Rive2ZOD3::utf8ToString128(text.c_str(), string);
    return controller->getParamValueByString(static_cast<ParamID>(tag), string, value) == kResultOk;
}

ParamValue ParameterChangeListener::currentNormalized() const
{
    return controller ? controller->getParamNormalized(static_cast<ParamID>(tag)) : 0.0;
}

bool ParameterChangeListener::valueText(ParamValue value, std::string& text) const
{
    if (!controller || !parameter)
        return false;
    String128 string {};
    if (controller->getParamStringByValue(static_cast<ParamID>(tag), value, string) != kResultOk)
        return false;
    char utf8[4 * 128 + 1];
    Rive2ZOD3::utf16ToUtf8(string, utf8, sizeof(utf8));
    text = utf8;
    return true;
}

void ParameterChangeListener::updateControl(CControl* control, ParamValue normalized)
{
    if (parameter)
    {
        const ParameterInfo& info = parameter->getInfo();
        control->setMouseEnabled((info.flags & ParameterInfo::kIsReadOnly) == 0);
        if (stepped())
        {
            control->setMin(static_cast<float>(parameter->toPlain(0.0)));
            control->setMax(static_cast<float>(parameter->toPlain(1.0)));
            control->setDefaultValue(static_cast<float>(parameter->toPlain(info.defaultNormalizedValue)));
        }
        else
        {
            control->setMin(0.0f);
            control->setMax(1.0f);
            control->setDefaultValue(static_cast<float>(info.defaultNormalizedValue));
        }
    }
    if (auto* label = dynamic_cast<CTextLabel*>(control))
    {
        // Text views show the parameter's text; their own number stays as it was.
        std::string text;
        if (valueText(normalized, text))
            label->setText(text.c_str());
    }
    else if (stepped())
        control->setValue(static_cast<float>(parameter->toPlain(normalized)));
    else
        control->setValueNormalized(static_cast<float>(normalized));
    control->invalid();
}

void ParameterChangeListener::refresh()
{
    const ParamValue value = currentNormalized();
    for (const auto& c : std::vector<SharedPointer<CControl>>(controls))
        updateControl(c, value);
}

void ParameterChangeListener::refreshTexts()
{
    const ParamValue value = currentNormalized();
    std::string text;
    if (!valueText(value, text))
        return;
    for (const auto& c : controls)
        if (auto* label = dynamic_cast<CTextLabel*>(c.get()))
        {
            label->setText(text.c_str());
            label->invalid();
        }
}

void ParameterChangeListener::beginEdit()
{
    if (controller && parameter)
        controller->beginEdit(static_cast<ParamID>(tag));
}

void ParameterChangeListener::endEdit()
{
    if (controller && parameter)
        controller->endEdit(static_cast<ParamID>(tag));
}

void ParameterChangeListener::performEdit(ParamValue value)
{
    if (controller && parameter)
    {
        const ParamID id = static_cast<ParamID>(tag);
        // Setting the value notifies this listener, which moves the other controls.
        if (controller->setParamNormalized(id, value) == kResultOk)
            controller->performEdit(id, controller->getParamNormalized(id));
        return;
    }
    for (const auto& c : std::vector<SharedPointer<CControl>>(controls))
        updateControl(c, value);
}

void PLUGIN_API ParameterChangeListener::update(FUnknown*, int32 message)
{
    if (message == IDependent::kChanged)
        refresh();
    else if (message == IDependent::kWillDestroy && parameter)
    {
        parameter->removeDependent(this);
        parameter = nullptr;
    }
}

} // namespace VSTGUI
