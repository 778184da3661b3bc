// CKnob: a rotary control. Dragging is circular (the value follows the angle of
// the pointer around the centre; relative-circular behaves the same) or linear
// (up/right increases, knob-range pixels for the full range, finer with Shift),
// as the frame's editor says; Alt swaps the two. Wheel and arrow keys step.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/ccontrol.h"

namespace VSTGUI {

class CKnob : public CControl
{
public:
    CKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
          CBitmap* handle, const CPoint& offset = CPoint());
    CKnob(const CKnob& other);
    CView* newCopy() const override { return new CKnob(*this); }

    /// Angles in degrees, clockwise from 3 o'clock (135 = lower left).
    void setStartAngle(float degrees);
    float getStartAngle() const;
    void setRangeAngle(float degrees);
    float getRangeAngle() const;
    void setZoomFactor(float f) { zoomFactor = f; }
    float getZoomFactor() const { return zoomFactor; }
    /// Pixels of mouse travel for the full range in linear mode.
    void setKnobRange(float pixels) { knobRange = pixels > 0.f ? pixels : 1.f; }
    float getKnobRange() const { return knobRange; }
    void setInsetValue(double v) { insetValue = v; setDirty(true); }
    double getInsetValue() const { return insetValue; }
    void setHandleBitmap(CBitmap* bitmap);
    CBitmap* getHandleBitmap() const;
    void setColorHandle(const CColor& c) { colorHandle = c; setDirty(true); }
    const CColor& getColorHandle() const { return colorHandle; }

    /// The value for a point (view-relative coordinates) in circular mode.
    float valueFromPoint(const CPoint& point) const;
    /// The point on the knob's edge for the current value (view-relative).
    CPoint valueToPoint() const;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& key) override;
    CCursorType getCursorType() const override { return kCursorHand; }

protected:
    float startAngle;   // radians
    float rangeAngle;   // radians
    float zoomFactor = 1.5f;
    float knobRange = 200.f;
    double insetValue = 0.0;
    CPoint offset;
    SharedPointer<CBitmap> handleBitmap;
    CColor colorHandle = kWhiteCColor;

    // the gesture
    bool linearDrag = false;
    CPoint firstPoint;
    float entryValue = 0.f;
    float startValue = 0.f;
    float pixelRange = 200.f;
    int32_t oldModifiers = 0;
};

} // namespace VSTGUI
