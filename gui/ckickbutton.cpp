#include "gui/ckickbutton.h"

#include "gui/cairo/cbitmap.h"

namespace VSTGUI {

CKickButton::CKickButton(const CRect& r, IControlListener* l, int32_t t, CBitmap* backgroundBitmap,
                         const CPoint& o)
    : CControl(r, l, t, backgroundBitmap), offset(o)
{
}

CKickButton::CKickButton(const CRect& r, IControlListener* l, int32_t t, double h,
                         CBitmap* backgroundBitmap, const CPoint& o)
    : CControl(r, l, t, backgroundBitmap), offset(o), heightOfOneImage(h)
{
}

void CKickButton::draw(CDrawContext* context)
{
    bounceValue();
    CPoint where(offset);
    if (value == vmax)
        where.y += heightOfOneImage;
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, where);
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    fEntryState = value;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState&)
{
    if (!isEditing())
        return kMouseEventNotHandled;
    // Edges count as inside.
    const bool inside = where.x >= size.left && where.x <= size.right && where.y >= size.top &&
                        where.y <= size.bottom;
    value = inside ? vmax : vmin;
    if (isDirty())
        invalid();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&)
{
    if (!isEditing())
        return kMouseEventNotHandled;
    if (value > 0.f)
        valueChanged();
    value = vmin;
    valueChanged();
    invalid();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseCancel()
{
    if (!isEditing())
        return kMouseEventNotHandled;
    value = vmin;
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    endEdit();
    return kMouseEventHandled;
}

int32_t CKickButton::onKeyDown(VstKeyCode& key)
{
    if (key.modifier != 0 || key.virt != VKEY_RETURN)
        return -1;
    beginEdit();
    value = vmax;
    valueChanged();
    invalid();
    return 1;
}

int32_t CKickButton::onKeyUp(VstKeyCode& key)
{
    if (key.modifier != 0 || key.virt != VKEY_RETURN)
        return -1;
    value = vmin;
    valueChanged();
    invalid();
    endEdit();
    return 1;
}

} // namespace VSTGUI
