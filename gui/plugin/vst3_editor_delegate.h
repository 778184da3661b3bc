// VST3EditorDelegate: what a VST3Editor asks of its controller when the controller
// implements it (found by a cast of the controller): views and sub-controllers of its
// own for description entries that name them, a last look at every view built, the
// parameter under a point, and the editor's opening and closing. Every answer here
// is the neutral one, so a delegate overrides only what it needs.
#pragma once

#include "gui/base/cpoint.h"
#include "gui/base/cbaseobject.h"

#include "pluginterfaces/vst/vsttypes.h"

namespace VSTGUI {

class CView;
class IController;
class IUIDescription;
class UIAttributes;
class VST3Editor;

class VST3EditorDelegate
{
public:
    virtual ~VST3EditorDelegate() = default;

    /// [UI thread] A view of the delegate's own for an entry with a "custom-view-name"
    /// attribute (`name`, possibly empty), or null to let the entry's class be built. The
    /// description owns the reference of a returned view.
    virtual CView* createCustomView(UTF8StringPtr name, const UIAttributes& attributes,
                                    const IUIDescription* description, VST3Editor* editor)
    {
        (void)name, (void)attributes, (void)description, (void)editor;
        return nullptr;
    }
    /// [UI thread] Sees each built view (children first); answers the view to use.
    virtual CView* verifyView(CView* view, const UIAttributes& attributes,
                              const IUIDescription* description, VST3Editor* editor)
    {
        (void)attributes, (void)description, (void)editor;
        return view;
    }
    /// [UI thread] The parameter at `pos` (frame coordinates) when no control there names one.
    virtual bool findParameter(const CPoint& pos, Steinberg::Vst::ParamID& paramID,
                               VST3Editor* editor)
    {
        (void)pos, (void)paramID, (void)editor;
        return false;
    }
    /// [UI thread] True for a parameter the host must not learn about from the view.
    virtual bool isPrivateParameter(const Steinberg::Vst::ParamID paramID)
    {
        (void)paramID;
        return false;
    }
    /// [UI thread] The editor's window is open and its views are built.
    virtual void didOpen(VST3Editor* editor) { (void)editor; }
    /// [UI thread] The editor is about to close; its views still exist.
    virtual void willClose(VST3Editor* editor) { (void)editor; }
    /// [UI thread] A sub-controller for an entry with a "sub-controller" attribute (`name`,
    /// possibly empty), or null. The view built for the entry owns it.
    virtual IController* createSubController(UTF8StringPtr name, const IUIDescription* description,
                                             VST3Editor* editor)
    {
        (void)name, (void)description, (void)editor;
        return nullptr;
    }
};

} // namespace VSTGUI
