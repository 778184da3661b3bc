#include "gui/cknob.h"

#include "gui/cairo/cbitmap.h"
#include "gui/cairo/cdrawcontext.h"
#include "gui/cframe.h"
#include "gui/vstgui_editor_interface.h"

#include <cmath>

namespace VSTGUI {

namespace {

constexpr float kDegreesToRadians = static_cast<float>(M_PI / 180.0);

} // namespace

CKnob::CKnob(const CRect& r, IControlListener* l, int32_t t, CBitmap* backgroundBitmap, CBitmap* handle,
             const CPoint& o)
    : CControl(r, l, t, backgroundBitmap),
      startAngle(135.f * kDegreesToRadians),
      rangeAngle(270.f * kDegreesToRadians),
      offset(o),
      handleBitmap(handle)
{
    setWantsFocus(true);
}

CKnob::CKnob(const CKnob& o)
    : CControl(o),
      startAngle(o.startAngle),
      rangeAngle(o.rangeAngle),
      zoomFactor(o.zoomFactor),
      knobRange(o.knobRange),
      insetValue(o.insetValue),
      offset(o.offset),
      handleBitmap(o.handleBitmap),
      colorHandle(o.colorHandle)
{
}

void CKnob::setStartAngle(float degrees)
{
    startAngle = degrees * kDegreesToRadians;
    setDirty(true);
}

float CKnob::getStartAngle() const
{
    return startAngle / kDegreesToRadians;
}

void CKnob::setRangeAngle(float degrees)
{
    rangeAngle = degrees * kDegreesToRadians;
    setDirty(true);
}

float CKnob::getRangeAngle() const
{
    return rangeAngle / kDegreesToRadians;
}

void CKnob::setHandleBitmap(CBitmap* bitmap)
{
    handleBitmap = bitmap;
    setDirty(true);
}

CBitmap* CKnob::getHandleBitmap() const
{
    return handleBitmap;
}

float CKnob::valueFromPoint(const CPoint& p) const
{
    const double angle = std::atan2(p.y - getHeight() / 2.0, p.x - getWidth() / 2.0);
    double d = angle - (startAngle + rangeAngle / 2.0);
    d = std::remainder(d, 2.0 * M_PI);  // into [-pi, pi]
    if (d > rangeAngle / 2.0)
        return vmax;
    if (d < -rangeAngle / 2.0)
        return vmin;
    return static_cast<float>(vmin + (0.5 + d / rangeAngle) * (vmax - vmin));
}

CPoint CKnob::valueToPoint() const
{
    const double radius = std::min(getWidth(), getHeight()) / 2.0 - insetValue;
    const double angle = startAngle + getValueNormalized() * rangeAngle;
    return {getWidth() / 2.0 + radius * std::cos(angle), getHeight() / 2.0 + radius * std::sin(angle)};
}

void CKnob::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, offset);
    CPoint tip = valueToPoint();
    tip.offset(size.left, size.top);
    if (handleBitmap)
    {
        const CPoint hs = handleBitmap->getSize();
        handleBitmap->draw(context, CRect(tip.x - hs.x / 2, tip.y - hs.y / 2, tip.x + hs.x / 2,
                                          tip.y + hs.y / 2));
    }
    else
    {
        context->setDrawMode(kAntiAliasing);
        context->setLineWidth(1.5);
        context->setFrameColor(colorHandle);
        context->drawLine(size.getCenter(), tip);
    }
    setDirty(false);
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || buttons.getButtonState() != kLButton)
        return kMouseEventNotHandled;
    beginEdit();
    firstPoint = where;
    entryValue = startValue = value;
    oldModifiers = buttons.getModifierState();
    const int32_t mode = getFrame() ? getFrame()->getKnobMode() : kCircularMode;
    linearDrag = mode == kLinearMode;
    if (buttons & kAlt)
        linearDrag = !linearDrag;
    pixelRange = knobRange * ((buttons & kShift) ? zoomFactor : 1.f);
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!isEditing() || !(buttons & kLButton))
        return kMouseEventNotHandled;
    if (linearDrag)
    {
        if (buttons.getModifierState() != oldModifiers)
        {
            // Re-base so that pressing or releasing Shift mid-drag makes no jump.
            oldModifiers = buttons.getModifierState();
            entryValue = value;
            firstPoint = where;
            pixelRange = knobRange * ((buttons & kShift) ? zoomFactor : 1.f);
        }
        const double diff = (firstPoint.y - where.y) + (where.x - firstPoint.x);
        value = static_cast<float>(entryValue + diff * getRange() / pixelRange);
        bounceValue();
    }
    else
    {
        const float previous = value;
        float v = valueFromPoint(CPoint(where.x - size.left, where.y - size.top));
        // No wrapping across the gap between the ends of the travel.
        if (previous - v > getRange() / 2.f)
            v = vmax;
        else if (v - previous > getRange() / 2.f)
            v = vmin;
        value = v;
    }
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&)
{
    if (!isEditing())
        return kMouseEventNotHandled;
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseCancel()
{
    if (!isEditing())
        return kMouseEventNotHandled;
    value = startValue;
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    endEdit();
    return kMouseEventHandled;
}

bool CKnob::onWheel(const CPoint&, const CMouseWheelAxis&, const float& distance,
                    const CButtonState& buttons)
{
    wheelStepNormalized(distance, buttons);
    return true;
}

int32_t CKnob::onKeyDown(VstKeyCode& key)
{
    return stepByKey(key);
}

} // namespace VSTGUI
