#include "editor/controls/cxypadwp.h"

#include "gui/cairo/cdrawcontext.h"

#include <cmath>
#include <vector>

namespace VSTGUI {

CXYPadWP::CXYPadWP(const CRect& r) : CXYPad(r) {}

bool CXYPadWP::pointInRegion(int32_t count, const float* xs, const float* ys, float x, float y)
{
    bool inside = false;
    for (int32_t i = 0, j = count - 1; i < count; j = i++)
    {
        if ((ys[i] > y) != (ys[j] > y)
            && x < (xs[j] - xs[i]) * (y - ys[i]) / (ys[j] - ys[i]) + xs[i])
            inside = !inside;
    }
    return inside;
}

void CXYPadWP::constrain(float& x, float& y)
{
    if (!joystickMode)
    {
        boundValues(x, y);
        return;
    }
    if (!pointInRegion(4, regionX, regionY, x, y))
    {
        x = lastInsideX;
        y = lastInsideY;
        return;
    }
    boundValues(x, y);
    lastInsideX = x;
    lastInsideY = y;
}

void CXYPadWP::moveHandle(float x, float y)
{
    // Both sets are stored as they are (tracking): the first, y upward, is what the
    // listener (the parameters, the host) hears; the second is what is drawn. Whether
    // to report is decided on the handle itself: the last drawn value is in the other
    // orientation, so comparing against it would miss moves mirrored about the middle.
    const float shown = calculateValue(x, y);
    const bool moved = shown != value;
    setValue(calculateValue(x, 1.f - y));
    if (moved)
        valueChanged();
    setValue(shown);
}

CMouseEventResult CXYPadWP::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    const double r = roundRectRadius;
    mouseChangeStartPoint = CPoint(where.x - (size.left + r / 2), where.y - (size.top + r / 2));
    mouseStartValue = value;
    trackingStopped = false;
    if (joystickMode)
    {
        // A first point outside the diamond keeps the handle where it is, which may
        // have been moved by the host since the last drag; never a corner of the view.
        float x = 0.f, y = 0.f;
        calculateXY(value, x, y);
        const bool inside = pointInRegion(4, regionX, regionY, x, y);
        lastInsideX = inside ? x : 0.5f;
        lastInsideY = inside ? y : 0.5f;
    }
    tracking = true;
    // The gesture opens before the first position is reported, so the host records it.
    if (!isEditing())
        beginEdit();
    onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CXYPadWP::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
    {
        tracking = false;
        return kMouseEventNotHandled;
    }
    if (stopTrackingOnMouseExit && !hitTest(where, buttons))
    {
        // No mouse-up follows this answer, so the drag ends here.
        tracking = false;
        trackingStopped = true;
        endEdit();
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    }
    const double r = roundRectRadius;
    where.offset(-(size.left + r / 2), -(size.top + r / 2));
    float x = static_cast<float>(where.x / (getWidth() - r));
    float y = static_cast<float>(where.y / (getHeight() - r));
    constrain(x, y);
    if (tracking)
        moveHandle(x, y);
    invalid();
    tracking = true;
    lastMouseChangePoint = where;
    return kMouseEventHandled;
}

CMouseEventResult CXYPadWP::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    tracking = false;
    return CXYPad::onMouseUp(where, buttons);
}

CMouseEventResult CXYPadWP::onMouseCancel()
{
    if (!isEditing())
    {
        tracking = false;
        return kMouseEventNotHandled;
    }
    float x = 0.f, y = 0.f;
    calculateXY(mouseStartValue, x, y);
    tracking = true;
    setValue(calculateValue(x, 1.f - y));
    valueChanged();
    setValue(mouseStartValue);
    tracking = false;
    invalid();
    endEdit();
    return kMouseEventHandled;
}

bool CXYPadWP::onWheel(const CPoint&, const CMouseWheelAxis& axis, const float& distance,
                       const CButtonState& buttons)
{
    float x = 0.f, y = 0.f;
    calculateXY(value, x, y);
    float step = distance * wheelInc;
    if (buttons & kShift)
        step *= 0.1f;
    if (axis == kMouseWheelAxisX)
        x += step;
    else
        y += step;
    if (joystickMode && !pointInRegion(4, regionX, regionY, x, y))
        return true; // the handle stays inside the diamond
    boundValues(x, y);
    wheelStepBegin();
    const bool wasTracking = tracking;
    tracking = true;
    moveHandle(x, y);
    tracking = wasTracking;
    invalid();
    wheelStepDone();
    return true;
}

void CXYPadWP::setValue(float val)
{
    if (tracking)
    {
        CControl::setValue(val);
        return;
    }
    float x = std::floor(val * 1000.f + 0.5f) * 0.001f;
    float y = 1.f - std::floor((val - x) * 10000000.f + 0.5f) * 0.001f;
    if (joystickMode)
    {
        if (!pointInRegion(4, regionX, regionY, x, y))
            return;
    }
    else
        boundValues(x, y);
    CControl::setValue(calculateValue(x, y));
}

void CXYPadWP::drawJoystickBack(CDrawContext* context)
{
    const double left = size.left, top = size.top, right = size.right, bottom = size.bottom;
    context->setLineWidth(2.0);
    context->setFillColor(backColor);
    context->setFrameColor(frameColor);
    const float halfWidth = static_cast<float>((right - left) / 2);
    const float halfHeight = static_cast<float>((bottom - top) / 2);
    const double midX = left + halfWidth;
    const double midY = top + halfHeight;
    context->drawPolygon({CPoint(left, midY), CPoint(midX, top), CPoint(right, midY),
                          CPoint(midX, bottom), CPoint(left, midY)},
                         kDrawFilledAndStroked);
    context->setLineWidth(1.0);
    const double axisX = left + (right - left) / 2.0;
    const double axisY = top + (bottom - top) / 2.0;
    context->drawLine(CPoint(axisX, top), CPoint(axisX, bottom));
    context->drawLine(CPoint(left, axisY), CPoint(right, axisY));
}

void CXYPadWP::draw(CDrawContext* context)
{
    if (joystickMode)
        drawJoystickBack(context);
    else
        drawBack(context);
    float x = 0.f, y = 0.f;
    calculateXY(value, x, y);
    const double r = roundRectRadius;
    const double left = size.left + x * (getWidth() - r);
    const double top = size.top + y * (getHeight() - r);
    context->setFillColor(fontColor);
    context->setDrawMode(kAntiAliasing);
    context->drawEllipse(CRect(left, top, left + r, top + r), kDrawFilled);
    setDirty(false);
}

} // namespace VSTGUI
