#include "gui/ctextedit.h"

#include "gui/cframe.h"

#include <cmath>

namespace VSTGUI {

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t previousChar(const std::string& s, size_t pos)
{
    if (pos == 0)
        return 0;
    --pos;
    while (pos > 0 && isContinuation(s[pos]))
        --pos;
    return pos;
}

size_t nextChar(const std::string& s, size_t pos)
{
    if (pos >= s.size())
        return s.size();
    ++pos;
    while (pos < s.size() && isContinuation(s[pos]))
        ++pos;
    return pos;
}

std::string encodeUtf8(int32_t cp)
{
    std::string out;
    if (cp < 0x80)
        out += static_cast<char>(cp);
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x110000)
    {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace

CTextEdit::CTextEdit(const CRect& r, IControlListener* l, int32_t t, UTF8StringPtr txt,
                     CBitmap* backgroundBitmap, int32_t s)
    : CTextLabel(r, txt, backgroundBitmap, s)
{
    listener = l;
    tag = t;
    setWantsFocus(true);
}

CTextEdit::CTextEdit(const CTextEdit& o)
    : CTextLabel(o),
      stringToValue(o.stringToValue),
      immediateTextChange(o.immediateTextChange),
      secureStyle(o.secureStyle),
      placeholder(o.placeholder)
{
}

void CTextEdit::setSecureStyle(bool state)
{
    secureStyle = state;
    setDirty(true);
}

void CTextEdit::setPlaceholderString(const std::string& s)
{
    placeholder = s;
    setDirty(true);
}

void CTextEdit::setValue(float val)
{
    CTextLabel::setValue(val);
    CTextLabel::setText(valueToText(value).c_str());
}

void CTextEdit::setText(UTF8StringPtr txt)
{
    if (stringToValue)
    {
        float v = value;
        if (stringToValue(txt ? txt : "", v, this))
        {
            CControl::setValue(v);
            CTextLabel::setText(valueToText(value).c_str());
            return;
        }
    }
    CTextLabel::setText(txt);
}

std::string CTextEdit::displayed(const std::string& s) const
{
    if (!secureStyle)
        return s;
    std::string bullets;
    for (size_t i = 0; i < s.size(); i = nextChar(s, i))
        bullets += "\xE2\x80\xA2";
    return bullets;
}

void CTextEdit::takeFocus()
{
    if (editingText)
        return;
    editingText = true;
    editText = text;
    anchor = 0;
    caret = editText.size();
    invalid();
}

void CTextEdit::looseFocus()
{
    if (!editingText)
        return;
    editingText = false;
    SharedPointer<CTextEdit> guard(this);
    commitEditText();
    invalid();
}

bool CTextEdit::removed(CView* parent)
{
    editingText = false;
    return CTextLabel::removed(parent);
}

void CTextEdit::commitEditText()
{
    if (editText == text)
        return;
    beginEdit();
    setText(editText.c_str());
    valueChanged();
    endEdit();
}

void CTextEdit::finishEditing()
{
    CFrame* frame = getFrame();
    if (frame && frame->getFocusView() == this)
        frame->setFocusView(nullptr);
    else
        looseFocus();
}

void CTextEdit::replaceSelection(const std::string& s)
{
    const size_t from = getSelectionStart(), to = getSelectionEnd();
    editText.replace(from, to - from, s);
    caret = anchor = from + s.size();
}

CMouseEventResult CTextEdit::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (editingText)
    {
        // Place the caret at the boundary nearest to the click.
        size_t best = caret;
        double bestDistance = INFINITY;
        for (size_t i = 0; i < caretPositions.size(); ++i)
        {
            const double d = std::fabs(caretPositions[i] - where.x);
            if (d < bestDistance)
            {
                bestDistance = d;
                best = caretOffsets[i];
            }
        }
        caret = anchor = best;
        invalid();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    if ((style & kDoubleClickStyle) && !buttons.isDoubleClick())
        return kMouseEventNotHandled;
    if (CFrame* frame = getFrame())
        frame->setFocusView(this);
    else
        takeFocus();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t CTextEdit::onKeyDown(VstKeyCode& key)
{
    if (!editingText)
        return -1;
    SharedPointer<CTextEdit> guard(this);
    const std::string before = editText;
    const bool shift = (key.modifier & MODIFIER_SHIFT) != 0;
    switch (key.virt)
    {
    case VKEY_RETURN:
    case VKEY_ENTER:
        finishEditing();
        return 1;
    case VKEY_ESCAPE:
        editText = text;  // nothing to commit
        finishEditing();
        return 1;
    case VKEY_BACK:
        if (anchor == caret)
            anchor = previousChar(editText, caret);
        replaceSelection("");
        break;
    case VKEY_DELETE:
        if (anchor == caret)
            anchor = nextChar(editText, caret);
        replaceSelection("");
        break;
    case VKEY_LEFT:
        if (!shift && anchor != caret)
            caret = getSelectionStart();
        else
            caret = previousChar(editText, caret);
        if (!shift)
            anchor = caret;
        break;
    case VKEY_RIGHT:
        if (!shift && anchor != caret)
            caret = getSelectionEnd();
        else
            caret = nextChar(editText, caret);
        if (!shift)
            anchor = caret;
        break;
    case VKEY_HOME:
        caret = 0;
        if (!shift)
            anchor = caret;
        break;
    case VKEY_END:
        caret = editText.size();
        if (!shift)
            anchor = caret;
        break;
    case 0:
    case VKEY_SPACE:
    {
        const int32_t ch = key.virt == VKEY_SPACE && key.character == 0 ? ' ' : key.character;
        if (ch < 0x20 || ch == 0x7F || (key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND)))
            return -1;
        replaceSelection(encodeUtf8(ch));
        break;
    }
    default:
        return -1;
    }
    if (immediateTextChange && editText != before)
        commitEditText();
    invalid();
    return 1;
}

void CTextEdit::draw(CDrawContext* context)
{
    if (!editingText)
    {
        if (!(style & kNoDrawStyle))
        {
            drawBack(context);
            calculateTruncatedText(context);
            const bool showPlaceholder = text.empty() && !placeholder.empty();
            drawStyledText(context, showPlaceholder ? placeholder : displayed(truncatedText));
        }
        setDirty(false);
        return;
    }
    drawBack(context);
    CRect field(size);
    field.inset(textInset.x, textInset.y);
    const std::string shown = displayed(editText);
    context->setFont(font);
    const double width = context->getStringWidth(shown);
    double x = field.left;
    if (horiAlign == kCenterText)
        x = field.left + (field.getWidth() - width) / 2.0;
    else if (horiAlign == kRightText)
        x = field.right - width;
    x = std::round(std::max(field.left + 1.0, std::min(x, field.right - 1.0 - width)));
    // Caret boundaries, measured in the drawn (possibly masked) text.
    caretPositions.clear();
    caretOffsets.clear();
    size_t shownPos = 0;
    for (size_t i = 0;; i = nextChar(editText, i))
    {
        caretOffsets.push_back(i);
        caretPositions.push_back(x + context->getStringWidth(shown.substr(0, shownPos)));
        if (i >= editText.size())
            break;
        shownPos = secureStyle ? shownPos + 3 : nextChar(editText, i);
    }
    auto positionOf = [&](size_t offset) {
        for (size_t i = 0; i < caretOffsets.size(); ++i)
            if (caretOffsets[i] == offset)
                return caretPositions[i];
        return x;
    };
    const double capHeight = context->getFontCapHeight();
    const double textTop = field.top + (field.getHeight() - capHeight) / 2.0 - 2.0;
    const double textBottom = field.top + (field.getHeight() + capHeight) / 2.0 + 2.0;
    if (anchor != caret)
    {
        context->setFillColor(CColor(fontColor.red, fontColor.green, fontColor.blue, 90));
        context->drawRect(CRect(positionOf(getSelectionStart()), textTop, positionOf(getSelectionEnd()),
                                textBottom),
                          kDrawFilled);
    }
    context->setFontColor(fontColor);
    context->drawString(shown, CRect(x, field.top, field.right + width, field.bottom), kLeftText,
                        antialias);
    const double cx = std::floor(positionOf(caret)) + 0.5;
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(1.0);
    context->setFrameColor(fontColor);
    context->drawLine(CPoint(cx, textTop), CPoint(cx, textBottom));
    setDirty(false);
}

} // namespace VSTGUI
