#include "editor/controls/cvumeterwp.h"

#include "gui/cairo/cbitmap.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CVuMeterWP::CVuMeterWP(const CRect& r, CBitmap* onBitmap, CBitmap* off, int32_t ledCount,
                       bool isInverted, bool isAnalogMeter, int32_t s)
    : CVuMeter(r, onBitmap, off, ledCount, s),
      inverted(isInverted),
      analogMeter(isAnalogMeter)
{
    // Polled repaints on top of the editor's would step the detector faster than the
    // rate its coefficients were made for.
    setWantsIdle(false);
}

CVuMeterWP::~CVuMeterWP() = default;

void CVuMeterWP::setValue(float val)
{
    CControl::setValue(val);
}

float CVuMeterWP::detectedLevel()
{
    const float v = std::max(value, getOldValue() - decreaseValue);
    setOldValue(v);
    return detector.detect(v);
}

void CVuMeterWP::draw(CDrawContext* context)
{
    CBitmap* onBitmap = getOnBitmap();
    if (!onBitmap)
        return;
    if (analogMeter)
        drawFilmstrip(context);
    else
        drawLedBar(context, onBitmap);
    setDirty(false);
}

void CVuMeterWP::drawFilmstrip(CDrawContext* context)
{
    bounceValue();
    const float m = detectedLevel();
    CBitmap* bitmap = getDrawBackground();
    if (!bitmap)
        return;
    CPoint offset;
    if (value >= 0.f && frameHeight > 0.0 && frameCount >= 1.0)
    {
        const double n = frameCount;
        double shown = m;
        if (inverted)
            shown = zeroFrame / n - m * zeroFrame / n;
        double y = std::floor((n - 1.0) * frameHeight * shown);
        // Onto a frame boundary. fmod on whole numbers is the integer remainder, without
        // its overflow for absurd frame counts or its division by zero below one pixel.
        const double wholeFrame = std::trunc(frameHeight);
        if (wholeFrame >= 1.0)
            y -= std::fmod(std::trunc(y), wholeFrame);
        offset.y = y;
    }
    bitmap->draw(context, size, offset, 1.0f);
}

void CVuMeterWP::drawLedBar(CDrawContext* context, CBitmap* onBitmap)
{
    bounceValue();
    float v;
    if (nbLed == 2)
        v = value < 0.5f ? 0.f : 1.f; // a switch: no fall time, no smoothing
    else
        v = detectedLevel();

    const bool horizontal = (style & kHorizontal) != 0;
    const double extent = horizontal ? onBitmap->getWidth() : onBitmap->getHeight();
    // Without an LED count the bar moves a pixel at a time.
    const int32_t leds = nbLed > 0 ? nbLed : std::max(1, static_cast<int32_t>(extent));
    double a;
    if (horizontal)
        a = inverted ? (getMax() - v) * leds : (getMin() + v) * leds;
    else
        a = inverted ? v * leds : (getMax() - v) * leds;
    a = std::min(std::max(a, 0.0), static_cast<double>(leds));
    const auto k = static_cast<int32_t>(a + 0.5);
    int32_t d = static_cast<int32_t>(extent * k / leds + 0.5);
    if (d < 1)
        d = 0;

    CRect on(rectOn), off(rectOff);
    CPoint onOffset, offOffset;
    if (horizontal && !inverted)
    {
        on.right = on.left + d;
        off.left += d;
        offOffset = CPoint(d, 0);
    }
    else if (horizontal)
    {
        on.left += d;
        onOffset = CPoint(d, 0);
        off.right = off.left + d;
    }
    else if (!inverted)
    {
        on.top += d;
        onOffset = CPoint(0, d);
        off.bottom = off.top + d;
    }
    else
    {
        on.bottom = on.top + d;
        off.top += d;
        offOffset = CPoint(0, d);
    }
    if (CBitmap* offBitmapNow = getOffBitmap())
        offBitmapNow->draw(context, off, offOffset, 1.0f);
    onBitmap->draw(context, on, onOffset, 1.0f);
}

} // namespace VSTGUI
