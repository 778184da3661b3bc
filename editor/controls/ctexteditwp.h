// CTextEditWP: a text entry field that shows a control's units after its text.
// Whatever it is given, a parameter's value string or the user's entry, is shown
// followed by one space and the units. Unlike the other framework controls it
// lives in the global namespace.
#pragma once

#include "gui/ctextedit.h"

#include <string>

class CTextEditWP : public VSTGUI::CTextEdit
{
public:
    /// [UI thread] As CTextEdit; no units until setUnits.
    CTextEditWP(const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
                VSTGUI::UTF8StringPtr text = nullptr, VSTGUI::CBitmap* background = nullptr,
                int32_t style = 0);
    /// [UI thread] A detached copy, units included.
    CTextEditWP(const CTextEditWP& other);
    ~CTextEditWP() override;
    VSTGUI::CView* newCopy() const override { return new CTextEditWP(*this); }

    /// [UI thread] CTextEdit's setText, then one space and the units (when there are any).
    void setText(VSTGUI::UTF8StringPtr txt) override;

    /// [UI thread] The units to append from the next setText on, without the blanks
    /// around them; empty or null for none.
    void setUnits(const char* units);
    /// [UI thread] The units appended, as stored.
    const std::string& getUnits() const { return unitsSuffix; }

private:
    std::string unitsSuffix;
};
