#include "editor/controls/ctextlabelwp.h"

#include "editor/controls/units_text.h"

namespace VSTGUI {

CTextLabelWP::CTextLabelWP(const CRect& r, UTF8StringPtr txt, CBitmap* backgroundBitmap, int32_t s)
    : CTextLabel(r, txt, backgroundBitmap, s)
{}

CTextLabelWP::CTextLabelWP(const CTextLabelWP& other)
    : CTextLabel(other),
      unitsSuffix(other.unitsSuffix)
{}

CTextLabelWP::~CTextLabelWP() = default;

void CTextLabelWP::setText(UTF8StringPtr txt)
{
    CTextLabel::setText(txt);
    if (unitsSuffix.empty())
        return;
    const std::string shown = appendUnits(CTextLabel::getText(), unitsSuffix);
    CTextLabel::setText(shown.c_str());
}

void CTextLabelWP::setUnits(const char* units)
{
    unitsSuffix = trimUnits(units);
}

} // namespace VSTGUI
