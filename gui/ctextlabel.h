// CTextLabel: shows a text of its own (not its value) over the CParamDisplay
// background, optionally shortened at the head or tail to fit.
#pragma once

#include "gui/cparamdisplay.h"

#include <string>

namespace VSTGUI {

class CTextLabel : public CParamDisplay
{
public:
    enum TextTruncateMode
    {
        kTruncateNone = 0,
        kTruncateHead,
        kTruncateTail,
    };

    CTextLabel(const CRect& size, UTF8StringPtr text = nullptr, CBitmap* background = nullptr,
               int32_t style = 0);
    CTextLabel(const CTextLabel& other);
    CView* newCopy() const override { return new CTextLabel(*this); }

    /// Stores the text and marks the label for redrawing if it changed. [UI thread]
    virtual void setText(UTF8StringPtr txt);
    virtual UTF8StringPtr getText() const { return text.c_str(); }
    void setTextTruncateMode(TextTruncateMode mode);
    TextTruncateMode getTextTruncateMode() const { return truncateMode; }
    /// The text as last drawn (shortened when truncated).
    const std::string& getTruncatedText() const { return truncatedText; }

    /// With a value-to-string function the text is first made from the value.
    void valueChanged() override;
    void draw(CDrawContext* context) override;

protected:
    void calculateTruncatedText(CDrawContext* context);

    std::string text;
    std::string truncatedText;
    TextTruncateMode truncateMode = kTruncateNone;
};

} // namespace VSTGUI
