#include "editor/vst3_editor_wp.h"

#include "framework/plugin.h"

#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

using namespace VSTGUI;

namespace {

/// Deletes the nodes of a linked-update list, the last first, and empties it.
void deleteLinkedUpdates(LinkedUpdate*& list)
{
    std::vector<LinkedUpdate*> nodes;
    for (LinkedUpdate* node = list; node != nullptr; node = node->next)
        nodes.push_back(node);
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        delete *it;
    list = nullptr;
}

/// What the editor keeps of a control: all of it but the state the audio thread writes
/// while it processes (smoother, current value, update queue), which the UI thread must
/// not read then. The rest is fixed once the plug-in has built its controls.
CControlDescriptor describedControl(const CControlDescriptor& d)
{
    CControlDescriptor c;
    c.controlType = d.controlType;
    c.controlId = d.controlId;
    c.meterDetectMode = d.meterDetectMode;
    c.minValue = d.minValue;
    c.maxValue = d.maxValue;
    c.dataType = d.dataType;
    c.initialValue = d.initialValue;
    c.smoothingTimeMs = d.smoothingTimeMs;
    c.smoothingEnabled = d.smoothingEnabled;
    c.rotated = d.rotated;
    c.intVariable = d.intVariable;
    c.floatVariable = d.floatVariable;
    c.doubleVariable = d.doubleVariable;
    c.uintVariable = d.uintVariable;
    c.meterVariable = d.meterVariable;
    // The list's copy takes the texts into its own storage.
    c.name = d.name;
    c.units = d.units;
    c.variableName = d.variableName;
    c.enumString = d.enumString;
    c.spareText = d.spareText;
    c.meterLogScale = d.meterLogScale;
    c.logScale = d.logScale;
    c.voltOctave = d.voltOctave;
    c.meterAttackMs = d.meterAttackMs;
    c.meterReleaseMs = d.meterReleaseMs;
    c.midiControlEnabled = d.midiControlEnabled;
    c.midiStatus = d.midiStatus;
    c.midiControlNumber = d.midiControlNumber;
    c.updatePosition = d.updatePosition;
    c.precision = d.precision;
    for (int slot = 0; slot < CControlDescriptor::kPresetSlots; ++slot)
        c.presetValues[slot] = d.presetValues[slot];
    return c;
}

} // namespace

VST3EditorWP::VST3EditorWP(EditController* editController, const char* templateToShow,
                           const char* xmlFile)
: VST3Editor(editController, templateToShow, xmlFile)
{
    setIdleRate(50);
}

VST3EditorWP::~VST3EditorWP()
{
    controls.clear();
}

void VST3EditorWP::setPlugIn(CPlugIn* p)
{
    plugIn = p;
    if (plugIn == nullptr)
        return;
    const int32_t count = plugIn->m_controls.count();
    for (int32_t position = 0; position < count; ++position)
        if (const CControlDescriptor* descriptor = plugIn->m_controls.at(position))
            controls.append(describedControl(*descriptor));
}

int32_t VST3EditorWP::getKnobMode() const
{
    switch (knobMode)
    {
    case 0:
        return VSTGUI::kCircularMode;
    case 1:
        return VSTGUI::kRelativCircularMode;
    case 2:
        return VSTGUI::kLinearMode;
    case 3:
        switch (EditController::getHostKnobMode())
        {
        case Vst::kCircularMode:
            return VSTGUI::kCircularMode;
        case Vst::kRelativCircularMode:
            return VSTGUI::kRelativCircularMode;
        default:
            return VSTGUI::kLinearMode;
        }
    default:
        return VSTGUI::kLinearMode;
    }
}

bool VST3EditorWP::beforeSizeChange(const CRect&, const CRect&)
{
    return true;
}

CMessageResult VST3EditorWP::notify(CBaseObject* sender, IdStringPtr message)
{
    if (message == CVSTGUITimer::kMsgTimer && controller)
    {
        controller->receiveText("VSTGUITimerPing");
        if (CFrame* f = getFrame())
            f->invalid();
    }
    const bool recreationPending = doCreateView;
    const CMessageResult result = VST3Editor::notify(sender, message);
    if (recreationPending && controller)
        controller->receiveText("RecreateView");
    return result;
}

void VST3EditorWP::valueChanged(CControl* control)
{
    if (control == nullptr || editParameterFromControl(control) == EditResult::kRejected)
        return;
    if (plugIn == nullptr || controller == nullptr)
        return;
    const int32_t tag = control->getTag();
    if (tag < 0)
        return;
    const ParamValue plain =
        controller->normalizedParamToPlain(static_cast<ParamID>(tag), control->getValueNormalized());
    if (const CControlDescriptor* descriptor = plugIn->m_controls.at(tag))
        applyLinkedUpdates(descriptor->controlId, static_cast<float>(plain), false);
}

void VST3EditorWP::applyLinkedUpdates(uint32 controlId, float plainValue, bool flag)
{
    if (plugIn == nullptr)
        return;
    LinkedUpdate* list = nullptr;
    if (plugIn->getLinkedUpdates(controlId, plainValue, &list, flag))
    {
        for (const LinkedUpdate* record = list; record != nullptr; record = record->next)
        {
            const int32 position = controlIndexForId(record->controlId);
            if (position < 0 || controller == nullptr)
                continue;
            const ParamID id = static_cast<ParamID>(position);
            const ParamValue normalized = controller->plainParamToNormalized(id, record->plainValue);
            controller->setParamNormalized(id, normalized);
            controller->performEdit(id, normalized);
        }
        plugIn->clearLinkedUpdates(&list);
    }
    deleteLinkedUpdates(list);
}

int32 VST3EditorWP::controlIndexForId(uint32 controlId) const
{
    if (plugIn == nullptr)
        return -1;
    const int32_t count = controls.count();
    for (int32_t position = 0; position < count; ++position)
    {
        const CControlDescriptor* descriptor = controls.at(position);
        if (descriptor != nullptr && descriptor->controlId == controlId)
            return position;
    }
    return -1;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
