// CTextLabelWP: a text label that shows a control's units after its text, so a
// layout can show "3.00 dB" from a parameter that formats only "3.00".
#pragma once

#include "gui/ctextlabel.h"

#include <string>

namespace VSTGUI {

class CTextLabelWP : public CTextLabel
{
public:
    /// [UI thread] As CTextLabel; no units until setUnits.
    CTextLabelWP(const CRect& size, UTF8StringPtr text = nullptr, CBitmap* background = nullptr,
                 int32_t style = 0);
    /// [UI thread] A detached copy, units included.
    CTextLabelWP(const CTextLabelWP& other);
    ~CTextLabelWP() override;
    CView* newCopy() const override { return new CTextLabelWP(*this); }

    /// [UI thread] Shows `txt`, then one space and the units (when there are any).
    void setText(UTF8StringPtr txt) override;
    /// [UI thread] The text as shown, units included.
    UTF8StringPtr getText() const override { return CTextLabel::getText(); }

    /// [UI thread] The units to append from the next setText on, without the blanks
    /// around them; empty or null for none.
    void setUnits(const char* units);
    /// [UI thread] The units appended, as stored.
    const std::string& getUnits() const { return unitsSuffix; }

private:
    std::string unitsSuffix;
};

} // namespace VSTGUI
