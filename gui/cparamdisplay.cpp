#include "gui/cparamdisplay.h"

#include "gui/cairo/cbitmap.h"

#include <cstdio>

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& r, CBitmap* backgroundBitmap, int32_t s)
    : CControl(r, nullptr, -1, backgroundBitmap), font(kNormalFont), style(s)
{
}

CParamDisplay::CParamDisplay(const CParamDisplay& o)
    : CControl(o),
      valueToString(o.valueToString),
      font(o.font),
      fontColor(o.fontColor),
      backColor(o.backColor),
      frameColor(o.frameColor),
      shadowColor(o.shadowColor),
      horiAlign(o.horiAlign),
      style(o.style),
      precision(o.precision),
      textInset(o.textInset),
      shadowTextOffset(o.shadowTextOffset),
      backOffset(o.backOffset),
      antialias(o.antialias),
      roundRectRadius(o.roundRectRadius),
      frameWidth(o.frameWidth),
      textRotation(o.textRotation)
{
}

std::string CParamDisplay::valueToText(float val)
{
    std::string text;
    if (valueToString && valueToString(val, text, this))
        return text;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(precision), static_cast<double>(val));
    return buffer;
}

void CParamDisplay::setFont(CFontDesc* f)
{
    if (f)
        font = f;
    setDirty(true);
}

void CParamDisplay::setFontColor(const CColor& c)
{
    fontColor = c;
    setDirty(true);
}

void CParamDisplay::setBackColor(const CColor& c)
{
    backColor = c;
    setDirty(true);
}

void CParamDisplay::setFrameColor(const CColor& c)
{
    frameColor = c;
    setDirty(true);
}

void CParamDisplay::setShadowColor(const CColor& c)
{
    shadowColor = c;
    setDirty(true);
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign a)
{
    horiAlign = a;
    setDirty(true);
}

void CParamDisplay::setStyle(int32_t val)
{
    style = val;
    setDirty(true);
}

void CParamDisplay::setPrecision(uint8_t p)
{
    precision = p;
    setDirty(true);
}

void CParamDisplay::draw(CDrawContext* context)
{
    if (!(style & kNoDrawStyle))
    {
        drawBack(context);
        drawStyledText(context, valueToText(value));
    }
    setDirty(false);
}

void CParamDisplay::drawBack(CDrawContext* context, CBitmap* newBack)
{
    CBitmap* bitmap = newBack ? newBack : getDrawBackground();
    if (bitmap)
    {
        bitmap->draw(context, size, backOffset);
        return;
    }
    if (getTransparency())
        return;
    const double lineWidth = frameWidth < 0 ? 1.0 / context->getScaleFactor() : frameWidth;
    const bool framed = !(style & (k3DIn | k3DOut | kNoFrame));
    CRect r(size);
    if (framed)
        r.inset(lineWidth / 2.0, lineWidth / 2.0);
    context->setLineWidth(lineWidth);
    context->setFillColor(backColor);
    context->setFrameColor(frameColor);
    const CDrawStyle drawStyle = framed ? kDrawFilledAndStroked : kDrawFilled;
    if (style & kRoundRectStyle)
    {
        context->setDrawMode(kAntiAliasing);
        context->drawRoundRect(r, roundRectRadius, drawStyle);
    }
    else
    {
        context->setDrawMode(kAntiAliasing);
        context->drawRect(r, drawStyle);
    }
    if (style & (k3DIn | k3DOut))
    {
        // Two-tone edges: light top-left and dark bottom-right look raised (3D out).
        const CColor light = kWhiteCColor, dark = kBlackCColor;
        CRect e(size);
        e.inset(0.5, 0.5);
        context->setDrawMode(kAntiAliasing);
        context->setLineWidth(1.0);
        context->setFrameColor((style & k3DIn) ? dark : light);
        context->drawLines({{CPoint(e.left, e.bottom), CPoint(e.left, e.top)},
                            {CPoint(e.left, e.top), CPoint(e.right, e.top)}});
        context->setFrameColor((style & k3DIn) ? light : dark);
        context->drawLines({{CPoint(e.right, e.top), CPoint(e.right, e.bottom)},
                            {CPoint(e.right, e.bottom), CPoint(e.left, e.bottom)}});
    }
}

void CParamDisplay::drawStyledText(CDrawContext* context, const std::string& text)
{
    if ((style & kNoTextStyle) || text.empty())
        return;
    CRect textRect(size);
    textRect.inset(textInset.x, textInset.y);
    context->setFont(font);
    // Rotated text turns (clockwise, in degrees) about the middle of the view.
    const CPoint centre = size.getCenter();
    CDrawContext::Transform rotation(*context, textRotation == 0.0
                                                   ? CGraphicsTransform()
                                                   : CGraphicsTransform()
                                                         .translate(-centre.x, -centre.y)
                                                         .rotate(textRotation)
                                                         .translate(centre.x, centre.y));
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;)
    {
        const size_t nl = text.find('\n', start);
        lines.push_back(text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos)
            break;
        start = nl + 1;
    }
    const double lineHeight = lines.size() > 1 && font ? font->getSize() * 1.2 : textRect.getHeight();
    const double top = textRect.top + (textRect.getHeight() - lineHeight * lines.size()) / 2.0;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        CRect lineRect(textRect);
        if (lines.size() > 1)
        {
            lineRect.top = top + lineHeight * i;
            lineRect.bottom = lineRect.top + lineHeight;
            lineRect.bound(textRect);
        }
        if (style & kShadowText)
        {
            CRect shadowRect(lineRect);
            shadowRect.offset(shadowTextOffset);
            context->setFontColor(shadowColor);
            context->drawString(lines[i], shadowRect, horiAlign, antialias);
        }
        context->setFontColor(fontColor);
        context->drawString(lines[i], lineRect, horiAlign, antialias);
    }
}

} // namespace VSTGUI
