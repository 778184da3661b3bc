#include "gui/cvumeter.h"

#include "gui/cairo/cbitmap.h"

#include <algorithm>

namespace VSTGUI {

CVuMeter::CVuMeter(const CRect& r, CBitmap* onBitmap, CBitmap* off, int32_t n, int32_t s)
    : CControl(r, nullptr, -1, onBitmap), offBitmap(off), nbLed(n), style(s), rectOn(r), rectOff(r)
{
    // The shown level starts at the value, not falling from full scale.
    oldValue = value;
    setWantsIdle(true);
}

CVuMeter::CVuMeter(const CVuMeter& o)
    : CControl(o),
      offBitmap(o.offBitmap),
      nbLed(o.nbLed),
      style(o.style),
      decreaseValue(o.decreaseValue),
      rectOn(o.rectOn),
      rectOff(o.rectOff)
{
}

void CVuMeter::setOffBitmap(CBitmap* bitmap)
{
    offBitmap = bitmap;
    setDirty(true);
}

CBitmap* CVuMeter::getOffBitmap() const
{
    return offBitmap;
}

void CVuMeter::setViewSize(const CRect& rect, bool invalidate)
{
    CControl::setViewSize(rect, invalidate);
    rectOn = rectOff = rect;
}

void CVuMeter::onIdle()
{
    if (value != oldValue)
        invalid();
}

void CVuMeter::draw(CDrawContext* context)
{
    CBitmap* onBitmap = getOnBitmap();
    if (!onBitmap)
        return;
    bounceValue();
    float v = std::max(oldValue - decreaseValue, value);
    oldValue = v;
    const float range = getRange();
    const float n = range == 0.f ? 0.f : (v - vmin) / range;
    CRect on(rectOn), off(rectOff);
    CPoint onOffset, offOffset;
    if (nbLed > 0 && (style & kHorizontal))
    {
        const double t = static_cast<int32_t>(nbLed * n + 0.5f) / static_cast<double>(nbLed) *
                         onBitmap->getWidth();
        off.left += t;
        offOffset = CPoint(t, 0);
        on.right = on.left + t;
    }
    else if (nbLed > 0)
    {
        const double t = static_cast<int32_t>(nbLed * (1.f - n) + 0.5f) / static_cast<double>(nbLed) *
                         onBitmap->getHeight();
        off.bottom = off.top + t;
        on.top += t;
        onOffset = CPoint(0, t);
    }
    if (offBitmap)
        offBitmap->draw(context, off, offOffset);
    onBitmap->draw(context, on, onOffset);
    setDirty(false);
}

} // namespace VSTGUI
