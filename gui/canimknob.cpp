#include "gui/canimknob.h"

#include "gui/cairo/cbitmap.h"

#include <cmath>

namespace VSTGUI {

CAnimKnob::CAnimKnob(const CRect& r, IControlListener* l, int32_t t, CBitmap* backgroundBitmap,
                     const CPoint& o)
    : CKnob(r, l, t, nullptr, nullptr, o)
{
    setBackground(backgroundBitmap);
}

CAnimKnob::CAnimKnob(const CRect& r, IControlListener* l, int32_t t, int32_t n, double h,
                     CBitmap* backgroundBitmap, const CPoint& o)
    : CKnob(r, l, t, nullptr, nullptr, o), subPixmaps(n), heightOfOneImage(h)
{
    CView::setBackground(backgroundBitmap);
}

void CAnimKnob::setHeightOfOneImage(double h)
{
    heightOfOneImage = h;
    updateSubPixmaps();
    setDirty(true);
}

void CAnimKnob::setBackground(CBitmap* bitmap)
{
    CKnob::setBackground(bitmap);
    updateSubPixmaps();
}

void CAnimKnob::setViewSize(const CRect& rect, bool invalidate)
{
    CKnob::setViewSize(rect, invalidate);
    if (heightOfOneImage <= 0)
        updateSubPixmaps();
}

void CAnimKnob::updateSubPixmaps()
{
    if (CBitmap* bitmap = getBackground())
        if (imageHeight() > 0)
            subPixmaps = static_cast<int32_t>(bitmap->getHeight() / imageHeight());
}

double CAnimKnob::getFrameOffset() const
{
    const double h = imageHeight();
    float n = getValueNormalized();
    if (inverseBitmap)
        n = 1.f - n;
    double y = std::floor(n * h * (subPixmaps - 1));
    const int ih = static_cast<int>(h);
    if (ih > 0)
        y -= static_cast<int>(y) % ih;
    return std::max(0.0, y);
}

void CAnimKnob::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, CPoint(0, getFrameOffset()));
    setDirty(false);
}

} // namespace VSTGUI
