#include "editor/controls/ctexteditwp.h"

#include "editor/controls/units_text.h"

CTextEditWP::CTextEditWP(const VSTGUI::CRect& r, VSTGUI::IControlListener* l, int32_t t,
                         VSTGUI::UTF8StringPtr txt, VSTGUI::CBitmap* backgroundBitmap, int32_t s)
    : VSTGUI::CTextEdit(r, l, t, txt, backgroundBitmap, s)
{}

CTextEditWP::CTextEditWP(const CTextEditWP& other)
    : VSTGUI::CTextEdit(other),
      unitsSuffix(other.unitsSuffix)
{}

CTextEditWP::~CTextEditWP() = default;

void CTextEditWP::setText(VSTGUI::UTF8StringPtr txt)
{
    VSTGUI::CTextEdit::setText(txt);
    if (unitsSuffix.empty())
        return;
    const std::string shown = VSTGUI::appendUnits(getText(), unitsSuffix);
    // Straight to the label: CTextEdit's own setText would parse the units as a value.
    VSTGUI::CTextLabel::setText(shown.c_str());
}

void CTextEditWP::setUnits(const char* units)
{
    unitsSuffix = VSTGUI::trimUnits(units);
}
