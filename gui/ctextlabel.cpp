#include "gui/ctextlabel.h"

namespace VSTGUI {

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

CTextLabel::CTextLabel(const CRect& r, UTF8StringPtr txt, CBitmap* backgroundBitmap, int32_t s)
    : CParamDisplay(r, backgroundBitmap, s), text(txt ? txt : "")
{
}

CTextLabel::CTextLabel(const CTextLabel& o)
    : CParamDisplay(o), text(o.text), truncatedText(o.truncatedText), truncateMode(o.truncateMode)
{
}

void CTextLabel::setText(UTF8StringPtr txt)
{
    const std::string newText = txt ? txt : "";
    if (newText == text)
        return;
    text = newText;
    setDirty(true);
}

void CTextLabel::setTextTruncateMode(TextTruncateMode mode)
{
    truncateMode = mode;
    setDirty(true);
}

void CTextLabel::valueChanged()
{
    if (valueToString)
    {
        std::string s;
        if (valueToString(value, s, this))
            setText(s.c_str());
    }
    CParamDisplay::valueChanged();
}

void CTextLabel::calculateTruncatedText(CDrawContext* context)
{
    truncatedText = text;
    if (truncateMode == kTruncateNone || text.empty())
        return;
    context->setFont(font);
    const double width = getWidth() - 2 * textInset.x;
    if (context->getStringWidth(text) <= width)
        return;
    std::string kept = text;
    while (!kept.empty())
    {
        // Drop one UTF-8 character from the truncated end.
        if (truncateMode == kTruncateHead)
        {
            size_t n = 1;
            while (n < kept.size() && isContinuationByte(kept[n]))
                ++n;
            kept.erase(0, n);
        }
        else
        {
            size_t n = kept.size() - 1;
            while (n > 0 && isContinuationByte(kept[n]))
                --n;
            kept.erase(n);
        }
        const std::string candidate = truncateMode == kTruncateHead ? ".." + kept : kept + "..";
        if (context->getStringWidth(candidate) <= width)
        {
            truncatedText = candidate;
            return;
        }
    }
    truncatedText.clear();
}

void CTextLabel::draw(CDrawContext* context)
{
    if (!(style & kNoDrawStyle))
    {
        drawBack(context);
        calculateTruncatedText(context);
        drawStyledText(context, truncatedText);
    }
    setDirty(false);
}

} // namespace VSTGUI
