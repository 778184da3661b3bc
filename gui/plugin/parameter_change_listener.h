// ParameterChangeListener: the binding between one parameter of an edit controller
// and every control of an editor that carries the parameter's ID as its tag. It is a
// dependent of the parameter, so a value set on the controller (host automation, a
// program change, a loaded state, another control) reaches the controls at once on the
// UI thread; and it carries the controls' gestures and values to the controller as
// beginEdit / setParamNormalized + performEdit / endEdit. Text views show the
// parameter's own text for its value; text typed into a text edit is read by the
// parameter as it is committed (the edit's number becomes the reading), and text the
// parameter cannot read is marked for the editor to put back.
#pragma once

#include "gui/base/sharedpointer.h"
#include "gui/ccontrol.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <string>
#include <vector>

namespace VSTGUI {

class ParameterChangeListener : public Steinberg::FObject
{
public:
    /// [UI thread] Binds `tag` of `controller` (its parameter object may be missing: the
    /// controls then only follow each other) and adds `first`.
    ParameterChangeListener(Steinberg::Vst::EditController* controller, int32_t tag,
                            CControl* first);
    ~ParameterChangeListener() override;

    /// [UI thread] Adds a control (once) and shows it the parameter's value.
    void addControl(CControl* control);
    /// [UI thread] Removes a control; it keeps its value and loses the parameter's text.
    void removeControl(CControl* control);
    bool containsControl(const CControl* control) const;
    bool hasControls() const { return !controls.empty(); }
    const std::vector<SharedPointer<CControl>>& getControls() const { return controls; }
    /// [UI thread] Lets go of every control and of the parameter.
    void detach();

    int32_t getTag() const { return tag; }
    /// [UI thread] The bound parameter, or null.
    Steinberg::Vst::Parameter* getParameter() const { return parameter; }

    /// [UI thread] A gesture on the parameter begins / ends (the controller tells the host).
    void beginEdit();
    void endEdit();
    /// [UI thread] The user set normalised `value`: stored on the controller and reported to
    /// the host (performEdit) clamped as the parameter keeps it. Without a parameter the
    /// controls of the tag follow each other.
    void performEdit(Steinberg::Vst::ParamValue value);
    /// [UI thread] Shows every control the parameter's current value.
    void refresh();
    /// [UI thread] Shows every text view the parameter's current text again.
    void refreshTexts();
    /// [UI thread] The parameter's text for normalised `value`; false when it has none.
    bool valueText(Steinberg::Vst::ParamValue value, std::string& text) const;
    /// [UI thread] The parameter's reading of `text` as a normalised value; false when it
    /// cannot read it.
    bool readText(const std::string& text, Steinberg::Vst::ParamValue& value) const;
    /// [UI thread] True (once) when the text last committed to `edit` could not be read.
    bool takeRejectedText(const CControl* edit);

    /// The parameter changed (kChanged) or goes away (kWillDestroy). [UI thread]
    void PLUGIN_API update(Steinberg::FUnknown* changedUnknown, Steinberg::int32 message) override;

    OBJ_METHODS(ParameterChangeListener, Steinberg::FObject)

private:
    Steinberg::Vst::ParamValue currentNormalized() const;
    void updateControl(CControl* control, Steinberg::Vst::ParamValue normalized);
    void bindText(CControl* control);
    void unbindText(CControl* control);
    bool stepped() const;

    Steinberg::Vst::EditController* controller;
    Steinberg::IPtr<Steinberg::Vst::Parameter> parameter;
    std::vector<SharedPointer<CControl>> controls;
    std::vector<const CControl*> rejectedTexts;
    int32_t tag;
};

} // namespace VSTGUI
