#include "editor/controls/ckickbuttonwp.h"

namespace VSTGUI {

CKickButtonWP::CKickButtonWP(const CRect& r, IControlListener* l, int32_t t,
                             CBitmap* backgroundBitmap, const CPoint& o)
    : CKickButton(r, l, t, backgroundBitmap, o)
{}

CMouseEventResult CKickButtonWP::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    value = 1.f;
    fEntryState = 1.f;
    beginEdit();
    if (reportsPress())
    {
        valueChanged();
        if (isDirty())
            invalid();
    }
    // Tracks the pointer (pressed look inside, released outside) without reporting.
    return CKickButton::onMouseMoved(where, buttons);
}

CMouseEventResult CKickButtonWP::onMouseUp(CPoint&, const CButtonState&)
{
    value = getMin();
    if (reportsRelease())
        valueChanged();
    if (isDirty())
        invalid();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKickButtonWP::onMouseCancel()
{
    if (!isEditing())
        return kMouseEventNotHandled;
    value = getMin();
    if (kickMode == kPressAndRelease)
        valueChanged();
    invalid();
    endEdit();
    return kMouseEventHandled;
}

} // namespace VSTGUI
