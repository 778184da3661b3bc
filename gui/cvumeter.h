// CVuMeter: a level shown by splitting an "on" and an "off" bitmap at the
// value, in steps of whole LEDs. The shown level falls by at most the decrease
// step per redraw; while attached to an open frame it is polled about 30 times
// a second and redrawn when the value moved.
#pragma once

#include "gui/ccontrol.h"
#include "gui/control_styles.h"

namespace VSTGUI {

class CVuMeter : public CControl
{
public:
    CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t nbLed,
             int32_t style = kVertical);
    CVuMeter(const CVuMeter& other);
    CView* newCopy() const override { return new CVuMeter(*this); }

    void setOnBitmap(CBitmap* bitmap) { setBackground(bitmap); }
    CBitmap* getOnBitmap() const { return getBackground(); }
    void setOffBitmap(CBitmap* bitmap);
    CBitmap* getOffBitmap() const;
    void setNbLed(int32_t n) { nbLed = n; setDirty(true); }
    int32_t getNbLed() const { return nbLed; }
    void setStyle(int32_t s) { style = s; setDirty(true); }
    int32_t getStyle() const { return style; }
    void setDecreaseStepValue(float v) { decreaseValue = v; }
    float getDecreaseStepValue() const { return decreaseValue; }

    void draw(CDrawContext* context) override;
    void setViewSize(const CRect& rect, bool invalidate = true) override;
    /// Only the view's flag: the old value is the meter's falling level.
    void setDirty(bool state = true) override { CView::setDirty(state); }
    void onIdle() override;

protected:
    SharedPointer<CBitmap> offBitmap;
    int32_t nbLed;
    int32_t style;
    float decreaseValue = 0.1f;
    CRect rectOn;
    CRect rectOff;
};

} // namespace VSTGUI
