// IControlListener: what a control tells the object that listens to it
// (an editor binding it to a parameter, a sub-controller, a test).
#pragma once

namespace VSTGUI {

class CControl;

class IControlListener
{
public:
    virtual ~IControlListener() = default;
    /// The user changed the control's value. [UI thread]
    virtual void valueChanged(CControl* control) = 0;
    /// A gesture starts / ends (first beginEdit, last endEdit). [UI thread]
    virtual void controlBeginEdit(CControl* control) { (void)control; }
    virtual void controlEndEdit(CControl* control) { (void)control; }
    /// The control's tag is about to change / has changed. [UI thread]
    virtual void controlTagWillChange(CControl* control) { (void)control; }
    virtual void controlTagDidChange(CControl* control) { (void)control; }
};

} // namespace VSTGUI
