#include "gui/cslider.h"

#include "gui/cairo/cbitmap.h"
#include "gui/cairo/cdrawcontext.h"
#include "gui/cframe.h"
#include "gui/cvstguitimer.h"

#include <cmath>

namespace VSTGUI {

namespace {

constexpr uint32_t kRampIntervalMs = 16;

} // namespace

CSlider::CSlider(const CRect& r, IControlListener* l, int32_t t, CBitmap* h, CBitmap* backgroundBitmap,
                 const CPoint& o, int32_t s)
    : CControl(r, l, t, backgroundBitmap), offset(o), handle(h), style(s)
{
    setWantsFocus(true);
    updateGeometry();
}

CSlider::CSlider(const CSlider& o)
    : CControl(o),
      offset(o.offset),
      offsetHandle(o.offsetHandle),
      handle(o.handle),
      style(o.style),
      mode(o.mode),
      drawStyle(o.drawStyle),
      zoomFactor(o.zoomFactor),
      frameWidth(o.frameWidth),
      frameColor(o.frameColor),
      backColor(o.backColor),
      valueColor(o.valueColor)
{
    updateGeometry();
}

CSlider::~CSlider()
{
    if (rampTimer)
        rampTimer->stop();
}

void CSlider::setHandle(CBitmap* h)
{
    handle = h;
    updateGeometry();
    setDirty(true);
}

CBitmap* CSlider::getHandle() const
{
    return handle;
}

void CSlider::setOffsetHandle(const CPoint& p)
{
    offsetHandle = p;
    updateGeometry();
    setDirty(true);
}

void CSlider::setStyle(int32_t s)
{
    style = s;
    updateGeometry();
    setDirty(true);
}

void CSlider::setViewSize(const CRect& rect, bool invalidate)
{
    CControl::setViewSize(rect, invalidate);
    updateGeometry();
}

void CSlider::updateGeometry()
{
    handleWidth = handle ? handle->getWidth() : 1.0;
    handleHeight = handle ? handle->getHeight() : 1.0;
    if (isVertical())
    {
        rangeHandle = getHeight() - handleHeight - 2 * offsetHandle.y;
        minPos = offsetHandle.y;
        maxPos = minPos + rangeHandle + handleHeight;
    }
    else
    {
        rangeHandle = getWidth() - handleWidth - 2 * offsetHandle.x;
        minPos = offsetHandle.x;
        maxPos = minPos + rangeHandle + handleWidth;
    }
}

CRect CSlider::getHandleRect() const
{
    float n = getValueNormalized();
    if (isInverse())
        n = 1.f - n;
    CRect r;
    if (isVertical())
    {
        r.top = std::max(minPos, offsetHandle.y + std::floor(n * rangeHandle));
        r.bottom = std::min(maxPos, r.top + handleHeight);
        r.left = offsetHandle.x;
        r.right = r.left + handleWidth;
    }
    else
    {
        r.left = std::max(minPos, offsetHandle.x + std::floor(n * rangeHandle));
        r.right = std::min(maxPos, r.left + handleWidth);
        r.top = offsetHandle.y;
        r.bottom = r.top + handleHeight;
    }
    return r.offset(size.left, size.top);
}

void CSlider::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, offset);
    if (drawStyle & (kDrawFrame | kDrawBack))
    {
        CRect r(size);
        if (drawStyle & kDrawFrame)
            r.inset(frameWidth / 2.0, frameWidth / 2.0);
        context->setDrawMode(kAliasing);
        context->setLineWidth(frameWidth);
        context->setFillColor(backColor);
        context->setFrameColor(frameColor);
        const CDrawStyle s = (drawStyle & kDrawFrame) && (drawStyle & kDrawBack) ? kDrawFilledAndStroked
                             : (drawStyle & kDrawBack)                         ? kDrawFilled
                                                                              : kDrawStroked;
        context->drawRect(r, s);
    }
    if (drawStyle & kDrawValue)
    {
        const CRect h = getHandleRect();
        CRect r(size);
        if (drawStyle & kDrawFrame)
            r.inset(frameWidth, frameWidth);
        const bool inverted = (drawStyle & kDrawInverted) != 0;
        if (isVertical())
        {
            const double pos = h.top + h.getHeight() / 2.0;
            const double origin = (drawStyle & kDrawValueFromCenter) ? r.top + r.getHeight() / 2.0
                                  : (isInverse() != inverted)       ? r.bottom
                                                                    : r.top;
            r.top = std::min(pos, origin);
            r.bottom = std::max(pos, origin);
        }
        else
        {
            const double pos = h.left + h.getWidth() / 2.0;
            const double origin = (drawStyle & kDrawValueFromCenter) ? r.left + r.getWidth() / 2.0
                                  : (isInverse() != inverted)       ? r.right
                                                                    : r.left;
            r.left = std::min(pos, origin);
            r.right = std::max(pos, origin);
        }
        context->setFillColor(valueColor);
        context->drawRect(r, kDrawFilled);
    }
    if (handle)
        handle->draw(context, getHandleRect());
    setDirty(false);
}

float CSlider::calculateDelta(const CPoint& where) const
{
    if (rangeHandle <= 0.0)
        return 0.f;
    const double pos = isVertical() ? where.y : where.x;
    float n = static_cast<float>((pos - delta) / rangeHandle);
    return isInverse() ? 1.f - n : n;
}

CMouseEventResult CSlider::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || buttons.getButtonState() != kLButton)
        return kMouseEventNotHandled;
    const CRect h = getHandleRect();
    const bool onHandle = h.pointInside(where);
    const Mode m = getEffectiveMode();
    if (m == kTouchMode && !onHandle)
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

    const bool vertical = isVertical();
    const double viewStart = vertical ? size.top : size.left;
    const double handleOffset = vertical ? offsetHandle.y : offsetHandle.x;
    const double handleExtent = vertical ? handleHeight : handleWidth;
    if (m == kFreeClickMode || (m == kRampMode && !onHandle))
        delta = viewStart + handleOffset + handleExtent / 2.0 - 1.0;
    else
        delta = (vertical ? where.y : where.x) - ((vertical ? h.top : h.left) - viewStart - handleOffset);

    startValue = value;
    oldVal = getValueNormalized();
    oldButton = buttons.state;
    beginEdit();
    if (m == kRampMode && !onHandle)
    {
        rampTarget = std::min(1.f, std::max(0.f, calculateDelta(where)));
        CFrame* frame = getFrame();
        if (frame && frame->getRunLoop())
        {
            if (!rampTimer)
                rampTimer = owned(new CVSTGUITimer(
                    frame, [this](CVSTGUITimer*) { rampStep(); }, kRampIntervalMs));
            if (rampTimer->start())
                return kMouseEventHandled;
        }
        setValueNormalized(rampTarget);  // no run loop: go there at once
        if (isDirty())
        {
            valueChanged();
            invalid();
        }
        return kMouseEventHandled;
    }
    if (buttons & kShift)
        return kMouseEventHandled;
    return onMouseMoved(where, buttons);
}

void CSlider::rampStep()
{
    const float current = getValueNormalized();
    const float step = 0.1f * wheelInc;
    float next = current < rampTarget ? std::min(rampTarget, current + step)
                                      : std::max(rampTarget, current - step);
    setValueNormalized(next);
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    if (next == rampTarget && rampTimer)
        rampTimer->stop();
}

CMouseEventResult CSlider::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!isEditing() || !(buttons & kLButton))
        return kMouseEventNotHandled;
    if (rampTimer && rampTimer->isRunning())
        return kMouseEventHandled;
    if (oldButton != buttons.state && (buttons & kShift))
    {
        oldVal = getValueNormalized();
        oldButton = buttons.state;
    }
    else if (!(buttons & kShift))
        oldVal = getValueNormalized();
    float n = calculateDelta(where);
    if (buttons & kShift)
        n = oldVal + (n - oldVal) / zoomFactor;
    setValueNormalized(n);
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    return kMouseEventHandled;
}

CMouseEventResult CSlider::onMouseUp(CPoint&, const CButtonState&)
{
    if (!isEditing())
        return kMouseEventNotHandled;
    if (rampTimer)
        rampTimer->stop();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CSlider::onMouseCancel()
{
    if (!isEditing())
        return kMouseEventNotHandled;
    if (rampTimer)
        rampTimer->stop();
    value = startValue;
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    endEdit();
    return kMouseEventHandled;
}

bool CSlider::onWheel(const CPoint&, const CMouseWheelAxis& axis, const float& distance,
                      const CButtonState& buttons)
{
    float amount = axis == kMouseWheelAxisY ? distance : -distance;
    if (style & (isVertical() ? kTop : kRight))
        amount = -amount;
    wheelStepNormalized(amount, buttons);
    return true;
}

int32_t CSlider::onKeyDown(VstKeyCode& key)
{
    return stepByKey(key);
}

CCursorType CSlider::getCursorType() const
{
    return isVertical() ? kCursorVSize : kCursorHSize;
}

bool CSlider::removed(CView* parent)
{
    if (rampTimer)
    {
        rampTimer->stop();
        rampTimer.reset();
    }
    return CControl::removed(parent);
}

} // namespace VSTGUI
