#include "gui/cxypad.h"

#include "gui/cairo/cbitmap.h"

#include <cmath>

namespace VSTGUI {

CXYPad::CXYPad(const CRect& r) : CParamDisplay(r)
{
    vmin = 0.f;
    vmax = 2.f;
}

CXYPad::CXYPad(const CXYPad& o)
    : CParamDisplay(o), handleBitmap(o.handleBitmap), stopTrackingOnMouseExit(o.stopTrackingOnMouseExit)
{
}

void CXYPad::setDefaultValue(float val)
{
    CParamDisplay::setDefaultValue(calculateValue(val, val));
}

void CXYPad::setHandleBitmap(CBitmap* bitmap)
{
    handleBitmap = bitmap;
    setDirty(true);
}

CBitmap* CXYPad::getHandleBitmap() const
{
    return handleBitmap;
}

float CXYPad::calculateValue(float x, float y)
{
    x = std::floor(x * 1000.f + 0.5f) * 0.001f;
    y = std::floor(y * 1000.f + 0.5f) * 0.0000001f;
    return x + y;
}

void CXYPad::calculateXY(float value, float& x, float& y)
{
    x = std::floor(value * 1000.f + 0.5f) * 0.001f;
    y = std::floor((value - x) * 10000000.f + 0.5f) * 0.001f;
}

void CXYPad::boundValues(float& x, float& y)
{
    x = std::min(1.f, std::max(0.f, x));
    y = std::min(1.f, std::max(0.f, y));
}

void CXYPad::draw(CDrawContext* context)
{
    drawBack(context);
    float x, y;
    calculateXY(value, x, y);
    const double r = roundRectRadius;
    const double cx = size.left + r / 2.0 + x * padWidth();
    const double cy = size.top + r / 2.0 + y * padHeight();
    if (handleBitmap)
    {
        const CPoint hs = handleBitmap->getSize();
        handleBitmap->draw(context, CRect(cx - hs.x / 2, cy - hs.y / 2, cx + hs.x / 2, cy + hs.y / 2));
    }
    else
    {
        context->setDrawMode(kAntiAliasing);
        context->setFillColor(fontColor);
        context->drawEllipse(CRect(cx - r / 2, cy - r / 2, cx + r / 2, cy + r / 2), kDrawFilled);
    }
    setDirty(false);
}

CMouseEventResult CXYPad::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    mouseStartValue = value;
    mouseChangeStartPoint = where;
    trackingStopped = false;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CXYPad::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || !isEditing() || trackingStopped)
        return kMouseEventNotHandled;
    if (stopTrackingOnMouseExit && !hitTest(where, buttons))
    {
        trackingStopped = true;
        endEdit();
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    }
    const double r = roundRectRadius;
    float x = static_cast<float>((where.x - size.left - r / 2.0) / padWidth());
    float y = static_cast<float>((where.y - size.top - r / 2.0) / padHeight());
    boundValues(x, y);
    setValue(calculateValue(x, y));
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    lastMouseChangePoint = where;
    return kMouseEventHandled;
}

CMouseEventResult CXYPad::onMouseUp(CPoint&, const CButtonState&)
{
    if (!isEditing())
        return kMouseEventNotHandled;
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CXYPad::onMouseCancel()
{
    if (!isEditing())
        return kMouseEventNotHandled;
    value = mouseStartValue;
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    endEdit();
    return kMouseEventHandled;
}

bool CXYPad::onWheel(const CPoint&, const CMouseWheelAxis& axis, const float& distance,
                     const CButtonState& buttons)
{
    float x, y;
    calculateXY(value, x, y);
    float step = distance * wheelInc;
    if (buttons & kShift)
        step *= 0.1f;
    if (axis == kMouseWheelAxisX)
        x += step;
    else
        y += step;
    boundValues(x, y);
    wheelStepBegin();
    setValue(calculateValue(x, y));
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    wheelStepDone();
    return true;
}

} // namespace VSTGUI
