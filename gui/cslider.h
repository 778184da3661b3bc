// CSlider: a vertical or horizontal fader with a background and a handle
// bitmap. Modes: free click (the handle centre jumps to the click), touch (drag
// only from the handle), relative touch (drag from anywhere, no jump), ramp (a
// click beside the handle moves the value step by step towards it). Shift drags
// finer by the zoom factor; wheel and arrow keys step by the wheel increment.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/ccontrol.h"
#include "gui/control_styles.h"

namespace VSTGUI {

class CSlider : public CControl
{
public:
    enum Mode
    {
        kTouchMode = 0,
        kRelativeTouchMode,
        kFreeClickMode,
        kRampMode,
        kUseGlobal,
    };
    enum DrawStyle
    {
        kDrawFrame = 1 << 0,
        kDrawBack = 1 << 1,
        kDrawValue = 1 << 2,
        kDrawValueFromCenter = 1 << 3,
        kDrawInverted = 1 << 4,
    };

    CSlider(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* handle,
            CBitmap* background, const CPoint& offset = CPoint(), int32_t style = kLeft | kHorizontal);
    CSlider(const CSlider& other);
    ~CSlider() override;
    CView* newCopy() const override { return new CSlider(*this); }

    // --- settings ---
    void setHandle(CBitmap* handle);
    CBitmap* getHandle() const;
    void setOffsetHandle(const CPoint& p);
    const CPoint& getOffsetHandle() const { return offsetHandle; }
    /// Offset into the background bitmap.
    void setOffset(const CPoint& p) { offset = p; setDirty(true); }
    const CPoint& getOffset() const { return offset; }
    void setStyle(int32_t s);
    int32_t getStyle() const { return style; }
    void setMode(Mode m) { mode = m; }
    Mode getMode() const { return mode; }
    /// The mode in effect (kUseGlobal means free click).
    Mode getEffectiveMode() const { return mode == kUseGlobal ? kFreeClickMode : mode; }
    void setZoomFactor(float f) { zoomFactor = f; }
    float getZoomFactor() const { return zoomFactor; }
    void setDrawStyle(int32_t s) { drawStyle = s; setDirty(true); }
    int32_t getDrawStyle() const { return drawStyle; }
    void setFrameWidth(double w) { frameWidth = w; setDirty(true); }
    double getFrameWidth() const { return frameWidth; }
    void setFrameColor(const CColor& c) { frameColor = c; setDirty(true); }
    const CColor& getFrameColor() const { return frameColor; }
    void setBackColor(const CColor& c) { backColor = c; setDirty(true); }
    const CColor& getBackColor() const { return backColor; }
    void setValueColor(const CColor& c) { valueColor = c; setDirty(true); }
    const CColor& getValueColor() const { return valueColor; }

    /// Where the handle is drawn for the current value (parent coordinates).
    CRect getHandleRect() const;
    /// Pixels the handle travels over the full range.
    double getHandleRange() const { return rangeHandle; }

    // --- CView ---
    void draw(CDrawContext* context) override;
    void setViewSize(const CRect& rect, bool invalidate = true) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& key) override;
    CCursorType getCursorType() const override;
    bool removed(CView* parent) override;

protected:
    bool isVertical() const { return (style & kVertical) != 0; }
    /// The handle position runs against the coordinate axis: value 0 at the bottom
    /// (vertical with kBottom) or at the right (horizontal with kRight). A vertical
    /// slider with neither kBottom nor kTop has value 0 at the top.
    bool isInverse() const { return (style & (isVertical() ? kBottom : kRight)) != 0; }
    void updateGeometry();
    /// The normalised value the mouse position `where` asks for.
    float calculateDelta(const CPoint& where) const;
    void rampStep();

    CPoint offset;
    CPoint offsetHandle;
    SharedPointer<CBitmap> handle;
    int32_t style;
    Mode mode = kUseGlobal;
    int32_t drawStyle = 0;
    float zoomFactor = 10.f;
    double frameWidth = 1.0;
    CColor frameColor = kGreyCColor;
    CColor backColor = kBlackCColor;
    CColor valueColor = kWhiteCColor;

    double handleWidth = 1.0;
    double handleHeight = 1.0;
    double rangeHandle = 0.0;
    double minPos = 0.0;
    double maxPos = 0.0;

    // the gesture
    double delta = 0.0;
    float startValue = 0.f;
    float oldVal = 0.f;
    int32_t oldButton = 0;
    float rampTarget = 0.f;
    SharedPointer<CVSTGUITimer> rampTimer;
};

} // namespace VSTGUI
