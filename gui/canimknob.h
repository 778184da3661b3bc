// CAnimKnob: a knob drawn from a vertical filmstrip of N sub-pixmaps; it drags
// as CKnob does.
#pragma once

#include "gui/cknob.h"

namespace VSTGUI {

/// A knob drawn from a vertical filmstrip: frame floor(n × (N − 1)) of N frames.
class CAnimKnob : public CKnob
{
public:
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
              const CPoint& offset = CPoint());
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
              double heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint());
    CAnimKnob(const CAnimKnob& other) = default;
    CView* newCopy() const override { return new CAnimKnob(*this); }

    /// 0 means "the view's height".
    void setHeightOfOneImage(double h);
    double getHeightOfOneImage() const { return heightOfOneImage; }
    void setNumSubPixmaps(int32_t n) { subPixmaps = n; setDirty(true); }
    int32_t getNumSubPixmaps() const { return subPixmaps; }
    void setInverseBitmap(bool state) { inverseBitmap = state; setDirty(true); }
    bool getInverseBitmap() const { return inverseBitmap; }
    /// The filmstrip's y offset for the current value.
    double getFrameOffset() const;

    void setBackground(CBitmap* bitmap) override;
    void setViewSize(const CRect& rect, bool invalidate = true) override;
    void draw(CDrawContext* context) override;

protected:
    double imageHeight() const { return heightOfOneImage > 0 ? heightOfOneImage : getHeight(); }
    void updateSubPixmaps();

    int32_t subPixmaps = 0;
    double heightOfOneImage = 0.0;
    bool inverseBitmap = false;
};

} // namespace VSTGUI
