// VST3EditorWP: the framework's editor, a VST3Editor built from the plug-in's UI
// description. On top of the toolkit's editor it pings the plug-in on every idle tick
// (every 50 ms) and repaints the whole frame, hands the knob mode the plug-in asks for
// to the knobs, reads typed text through the parameter, and after each user edit lets
// the plug-in name the controls that follow the edited one (linked updates).
//
// Threads: everything here runs on the host's UI thread. The plug-in object is only
// asked (editor messages, linked updates); edits reach the audio thread through the
// host as parameter changes.
#pragma once

#include "gui/plugin/vst3_editor.h"

#include "framework/control_list.h"

class CPlugIn;

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class VST3EditorWP : public VSTGUI::VST3Editor
{
public:
    /// [UI thread] The editor for `controller` showing `templateName` of the description
    /// `xmlFile`; idle ticks every 50 ms; knob mode 3 (the host's); no plug-in yet.
    VST3EditorWP(EditController* controller, const char* templateName, const char* xmlFile);
    ~VST3EditorWP() override;

    /// [UI thread] Attaches the plug-in (not owned) and copies its control list (what
    /// describes each control; not the state the audio thread keeps in it).
    void setPlugIn(CPlugIn* plugIn);
    CPlugIn* getPlugIn() const { return plugIn; }
    /// [UI thread] The knob mode setting: 0 circular, 1 relative circular, 2 linear,
    /// 3 the host's choice.
    void setKnobMode(int32 mode) { knobMode = mode; }
    int32 getKnobModeSetting() const { return knobMode; }
    /// [UI thread] The editor's copy of the plug-in's controls, taken by setPlugIn.
    const CControlList& getControls() const { return controls; }

    /// [UI thread] Asks the plug-in which controls follow `controlId`'s new plain value and
    /// sets their parameters (setParamNormalized and performEdit, no gesture).
    void applyLinkedUpdates(uint32 controlId, float plainValue, bool flag);
    /// [UI thread] The list position of the control with `controlId`; -1 without a plug-in
    /// or when no control has it.
    int32 controlIndexForId(uint32 controlId) const;

    // VSTGUIEditorInterface [UI thread]
    int32_t getKnobMode() const override;
    /// Every size is accepted without asking the host.
    bool beforeSizeChange(const VSTGUI::CRect& newSize, const VSTGUI::CRect& oldSize) override;
    // CBaseObject [UI thread]
    /// The idle tick: "VSTGUITimerPing" to the controller and a full repaint, then a pending
    /// view recreation and "RecreateView" after it.
    VSTGUI::CMessageResult notify(VSTGUI::CBaseObject* sender, VSTGUI::IdStringPtr message) override;
    // IControlListener [UI thread]
    void valueChanged(VSTGUI::CControl* control) override;

private:
    CControlList controls;
    int32 knobMode = 3;
    CPlugIn* plugIn = nullptr;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
