// Appliers of CView, CViewContainer and CControl, and the shared value helpers.
#include "gui/ccontrol.h"
#include "gui/cviewcontainer.h"
#include "gui/icontroller.h"
#include "gui/uidesc/iuidescription.h"
#include "gui/uidesc/ui_value_parser.h"
#include "gui/uidesc/ui_view_appliers.h"
#include "gui/uidesc/uiattributes.h"

#include <algorithm>
#include <cctype>

namespace VSTGUI {
namespace UIViewAppliers {

bool readColor(const UIAttributes& a, const char* name, const IUIDescription* d, CColor& out)
{
    const std::string* v = a.getAttributeValue(name);
    if (!v)
        return false;
    if (v->empty())
    {
        out = kTransparentCColor;
        return true;
    }
    if (d)
        return d->getColor(v->c_str(), out);
    return UIValueParser::parseHexColor(*v, out);
}

bool readBitmap(const UIAttributes& a, const char* name, const IUIDescription* d, CBitmap*& out)
{
    const std::string* v = a.getAttributeValue(name);
    if (!v)
        return false;
    out = (v->empty() || !d) ? nullptr : d->getBitmap(v->c_str());
    return true;
}

void readStyleBit(const UIAttributes& a, const char* name, int32_t bit, int32_t& style)
{
    if (const std::string* v = a.getAttributeValue(name))
    {
        if (*v == "true")
            style |= bit;
        else
            style &= ~bit;
    }
}

void applyView(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    CPoint origin = view->getViewSize().getTopLeft();
    CPoint extent = view->getViewSize().getSize();
    const bool hasOrigin = a.getPointAttribute("origin", origin);
    const bool hasSize = a.getPointAttribute("size", extent);
    if (hasOrigin || hasSize)
    {
        const CRect r(origin, extent);
        view->setViewSize(r, false);
        view->setMouseableArea(r);
    }
    CBitmap* bitmap = nullptr;
    if (readBitmap(a, "bitmap", d, bitmap))
        view->setBackground(bitmap);
    if (readBitmap(a, "disabled-bitmap", d, bitmap))
        view->setDisabledBackground(bitmap);
    bool flag;
    if (a.getBooleanAttribute("transparent", flag))
        view->setTransparency(flag);
    if (a.getBooleanAttribute("mouse-enabled", flag))
        view->setMouseEnabled(flag);
    if (a.getBooleanAttribute("wants-focus", flag))
        view->setWantsFocus(flag);
    if (const std::string* v = a.getAttributeValue("autosize"))
    {
        int32_t flags = kAutosizeNone;
        const struct
        {
            const char* word;
            int32_t bit;
        } kWords[] = {{"left", kAutosizeLeft},     {"top", kAutosizeTop},
                      {"right", kAutosizeRight},   {"bottom", kAutosizeBottom},
                      {"row", kAutosizeRow},       {"column", kAutosizeColumn}};
        for (const auto& w : kWords)
            if (v->find(w.word) != std::string::npos)
                flags |= w.bit;
        view->setAutosizeFlags(flags);
    }
    if (const std::string* v = a.getAttributeValue("tooltip"))
        view->setTooltipText(*v);
    double opacity;
    if (a.getDoubleAttribute("opacity", opacity))
        view->setAlphaValue(static_cast<float>(opacity));
}

void applyViewContainer(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    auto* container = dynamic_cast<CViewContainer*>(view);
    if (!container)
        return;
    CColor color;
    if (readColor(a, "background-color", d, color))
        container->setBackgroundColor(color);
    if (const std::string* v = a.getAttributeValue("background-color-draw-style"))
    {
        if (*v == "stroked")
            container->setBackgroundColorDrawStyle(kDrawStrokedBackground);
        else if (*v == "filled")
            container->setBackgroundColorDrawStyle(kDrawFilledBackground);
        else if (*v == "filled and stroked")
            container->setBackgroundColorDrawStyle(kDrawFilledAndStrokedBackground);
    }
}

void applyControl(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    auto* control = dynamic_cast<CControl*>(view);
    if (!control)
        return;
    double v;
    if (a.getDoubleAttribute("min-value", v))
        control->setMin(static_cast<float>(v));
    if (a.getDoubleAttribute("max-value", v))
        control->setMax(static_cast<float>(v));
    if (a.getDoubleAttribute("default-value", v))
        control->setDefaultValue(static_cast<float>(v));
    if (a.getDoubleAttribute("wheel-inc-value", v))
        control->setWheelInc(static_cast<float>(v));
    const std::string* tagName = a.getAttributeValue("control-tag");
    if (!tagName)
        return;
    if (tagName->empty())
    {
        control->setListener(nullptr);
        control->setTag(-1);
        return;
    }
    int32_t tag = d ? d->getTagForName(tagName->c_str()) : -1;
    if (tag == -1)
    {
        int32_t leading;
        if (UIValueParser::parseLeadingInteger(*tagName, leading) && !tagName->empty() &&
            (std::isdigit(static_cast<unsigned char>((*tagName)[0])) ||
             (*tagName)[0] == '-' || (*tagName)[0] == '+'))
            tag = leading;
    }
    if (tag == -1)
    {
        control->setTag(-1);
        return;
    }
    control->setListener(d ? d->getControlListener(tagName->c_str()) : nullptr);
    control->setTag(tag);
}

} // namespace UIViewAppliers
} // namespace VSTGUI
