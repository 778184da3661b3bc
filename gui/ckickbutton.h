// CKickButton: a momentary button. Pressed it holds max, released min; the
// listener hears max then min when released inside, only min when the pointer
// was dragged off. Its bitmap holds the normal frame above the pressed one.
#pragma once

#include "gui/ccontrol.h"

namespace VSTGUI {

class CKickButton : public CControl
{
public:
    CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                const CPoint& offset = CPoint());
    CKickButton(const CRect& size, IControlListener* listener, int32_t tag, double heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint());
    CKickButton(const CKickButton& other) = default;
    CView* newCopy() const override { return new CKickButton(*this); }

    void setHeightOfOneImage(double h) { heightOfOneImage = h; setDirty(true); }
    double getHeightOfOneImage() const { return heightOfOneImage; }
    void setNumSubPixmaps(int32_t n) { subPixmaps = n; }
    int32_t getNumSubPixmaps() const { return subPixmaps; }
    const CPoint& getOffset() const { return offset; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    int32_t onKeyDown(VstKeyCode& key) override;
    int32_t onKeyUp(VstKeyCode& key) override;

protected:
    CPoint offset;
    double heightOfOneImage = 0.0;
    int32_t subPixmaps = 0;
    /// The value when the gesture began (kept for subclasses choosing what to report).
    float fEntryState = 0.f;
};

} // namespace VSTGUI
