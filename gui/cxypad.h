// CXYPad: a two-dimensional pad. Both coordinates (0..1 each, y = 0 at the top)
// live in one control value, packed with three decimal digits each, so the value
// range is fixed at 0..2. The handle is a filled circle of the round-rect radius
// in the font colour, or a handle bitmap.
#pragma once

#include "gui/cparamdisplay.h"

namespace VSTGUI {

class CXYPad : public CParamDisplay
{
public:
    explicit CXYPad(const CRect& size = CRect(0, 0, 60, 60));
    CXYPad(const CXYPad& other);
    CView* newCopy() const override { return new CXYPad(*this); }

    /// The range is fixed: these do nothing.
    void setMin(float) override {}
    void setMax(float) override {}
    /// Stores pack(val, val).
    void setDefaultValue(float val) override;

    void setStopTrackingOnMouseExit(bool state) { stopTrackingOnMouseExit = state; }
    bool getStopTrackingOnMouseExit() const { return stopTrackingOnMouseExit; }
    void setHandleBitmap(CBitmap* bitmap);
    CBitmap* getHandleBitmap() const;

    /// Packs x and y (0..1) into one value: 3 digits each.
    static float calculateValue(float x, float y);
    /// Unpacks a value into x and y.
    static void calculateXY(float value, float& x, float& y);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;

protected:
    static void boundValues(float& x, float& y);
    /// The pad area: the view less the handle size.
    double padWidth() const { return getWidth() - roundRectRadius; }
    double padHeight() const { return getHeight() - roundRectRadius; }

    SharedPointer<CBitmap> handleBitmap;
    bool stopTrackingOnMouseExit = false;
    bool trackingStopped = false;
    float mouseStartValue = 0.f;
    CPoint mouseChangeStartPoint;
    CPoint lastMouseChangePoint;
};

} // namespace VSTGUI
