// VST3Editor: an editor whose whole content is a template of a UI description. It is
// the controller the views are built for: each control with a tag is bound to the
// edit controller's parameter with that ID (one ParameterChangeListener per tag), so
// controls follow the parameter and the user's gestures reach the host as
// beginEdit / performEdit / endEdit. Text views show the parameter's text, typed text
// goes through the parameter's conversion.
//
// The edit controller may also be a VST3EditorDelegate: it is then asked for custom
// views and sub-controllers while templates are built and told when the editor opens
// and closes. exchangeView() asks for another template; it replaces the view on the
// next idle tick.
#pragma once

#include "gui/frame_observers.h"
#include "gui/icontroller.h"
#include "gui/plugin/parameter_change_listener.h"
#include "gui/plugin/vst3_editor_delegate.h"
#include "gui/plugin/vstgui_editor.h"
#include "gui/uidesc/uidescription.h"

#include "pluginterfaces/vst/ivstplugview.h"

#include <map>
#include <memory>
#include <set>
#include <string>

namespace VSTGUI {

class VST3Editor : public Steinberg::Vst::VSTGUIEditor,
                   public Steinberg::Vst::IParameterFinder,
                   public IController,
                   public IViewAddedRemovedObserver
{
public:
    /// [UI thread] An editor for `controller` showing `templateName` of the description
    /// `descriptionName` (an embedded resource, else a file path), read now. The view's size
    /// is the template's "size"; "minSize" and "maxSize" bound it (both default to the size).
    /// The controller is the delegate when it implements VST3EditorDelegate. Idle rate 300 ms.
    VST3Editor(Steinberg::Vst::EditController* controller, UTF8StringPtr templateName,
               UTF8StringPtr descriptionName);
    ~VST3Editor() override;

    /// [UI thread] Shows `templateName` instead, from the next idle tick on. False when the
    /// description has no such template.
    bool exchangeView(UTF8StringPtr templateName);
    /// [UI thread] True while a view recreation waits for the next idle tick.
    bool isRecreateViewPending() const { return doCreateView; }
    UIDescription* getUIDescription() const { return description.get(); }
    VST3EditorDelegate* getDelegate() const { return delegate; }
    const CPoint& getMinSize() const { return minSize; }
    const CPoint& getMaxSize() const { return maxSize; }
    /// [UI thread] The binding of `tag`, or null when no control carries it.
    ParameterChangeListener* getParameterChangeListener(int32_t tag) const;

    // VSTGUIEditor [UI thread]
    /// Builds the template in a new frame, opens its window in `parent`, tells the delegate.
    bool open(void* parent, const PlatformType& type) override;
    /// Tells the delegate, lets go of the bindings, removes the views, closes the frame.
    void close() override;
    /// On the idle tick, first carries out a pending view recreation.
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override;
    /// Gestures reach the controller through the bindings instead.
    void beginEdit(int32_t) override {}
    void endEdit(int32_t) override {}

    // IPlugView [UI thread]
    /// kResultTrue only when the template's minimum and maximum sizes differ.
    Steinberg::tresult PLUGIN_API canResize() override;
    /// Brings `rect`'s size into the minimum and maximum (times the scale), keeping its corner.
    Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) override;

    // IParameterFinder [UI thread]
    /// The parameter of the top-most tagged control at (x, y) (device pixels), else the
    /// delegate's answer.
    Steinberg::tresult PLUGIN_API findParameter(Steinberg::int32 xPos, Steinberg::int32 yPos,
                                                Steinberg::Vst::ParamID& resultTag) override;

    // IControlListener / IController [UI thread]
    void valueChanged(CControl* control) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;
    void controlTagWillChange(CControl* control) override;
    void controlTagDidChange(CControl* control) override;
    /// The delegate's custom view for an entry with a "custom-view-name", else null.
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) override;
    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const IUIDescription* description) override;
    IController* createSubController(UTF8StringPtr name, const IUIDescription* description) override;

    // IViewAddedRemovedObserver [UI thread]
    void onViewAdded(CFrame* frame, CView* view) override;
    void onViewRemoved(CFrame* frame, CView* view) override;

    OBJ_METHODS(VST3Editor, VSTGUIEditor)
    DEFINE_INTERFACES
        DEF_INTERFACE(Steinberg::Vst::IParameterFinder)
    END_DEFINE_INTERFACES(VSTGUIEditor)
    REFCOUNT_METHODS(VSTGUIEditor)

protected:
    /// What became of a control's change.
    enum class EditResult
    {
        kNoBinding,  ///< no parameter binding has the control's tag
        kPerformed,  ///< the value went to the controller and the host
        kRejected,   ///< typed text the parameter cannot read: the text was put back
    };
    /// [UI thread] Hands the user's change of `control` to its binding: its normalised value,
    /// which for a text edit bound to a parameter is the parameter's reading of the typed
    /// text (text it cannot read is put back, and nothing is sent).
    EditResult editParameterFromControl(CControl* control);

    bool openOffscreen() override;
    void closeOffscreen() override;

    /// A view recreation waits for the next idle tick (exchangeView).
    bool doCreateView = false;

private:
    bool createFrameContent();
    void destroyFrameContent();
    void recreateView();
    void readTemplateSize();
    void bindControl(CControl* control);
    void releaseBindings();
    /// A text edit bound to a parameter.
    bool isTextEntry(CControl* control) const;

    std::unique_ptr<UIDescription> description;
    std::string templateName;
    VST3EditorDelegate* delegate;
    std::map<int32_t, Steinberg::IPtr<ParameterChangeListener>> bindings;
    std::set<CControl*> textGestures;  ///< text edits whose gesture reached the host
    CPoint minSize;
    CPoint maxSize;
};

} // namespace VSTGUI
