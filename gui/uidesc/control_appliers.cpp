// Appliers of the controls: text views, slider, knobs, kick button, meter, pad.
#include "gui/canimknob.h"
#include "gui/cknob.h"
#include "gui/ckickbutton.h"
#include "gui/cslider.h"
#include "gui/ctextedit.h"
#include "gui/cvumeter.h"
#include "gui/cxypad.h"
#include "gui/uidesc/iuidescription.h"
#include "gui/uidesc/ui_value_parser.h"
#include "gui/uidesc/ui_view_appliers.h"
#include "gui/uidesc/uiattributes.h"

namespace VSTGUI {
namespace UIViewAppliers {

void applyParamDisplay(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    auto* display = dynamic_cast<CParamDisplay*>(view);
    if (!display)
        return;
    if (const std::string* v = a.getAttributeValue("font"))
        if (CFontDesc* font = d ? d->getFont(v->c_str()) : nullptr)
            display->setFont(font);
    CColor color;
    if (readColor(a, "font-color", d, color))
        display->setFontColor(color);
    if (readColor(a, "back-color", d, color))
        display->setBackColor(color);
    if (readColor(a, "frame-color", d, color))
        display->setFrameColor(color);
    if (readColor(a, "shadow-color", d, color))
        display->setShadowColor(color);
    CPoint p;
    if (a.getPointAttribute("text-inset", p))
        display->setTextInset(p);
    if (a.getPointAttribute("text-shadow-offset", p))
        display->setShadowTextOffset(p);
    if (a.getPointAttribute("background-offset", p))
        display->setBackOffset(p);
    bool flag;
    if (a.getBooleanAttribute("font-antialias", flag))
        display->setAntialias(flag);
    if (const std::string* v = a.getAttributeValue("text-alignment"))
        display->setHoriAlign(*v == "left" ? kLeftText : *v == "right" ? kRightText : kCenterText);
    double number;
    if (a.getDoubleAttribute("round-rect-radius", number))
        display->setRoundRectRadius(number);
    if (a.getDoubleAttribute("frame-width", number))
        display->setFrameWidth(number);
    if (a.getDoubleAttribute("text-rotation", number))
        display->setTextRotation(number);
    int32_t style = display->getStyle();
    readStyleBit(a, "style-3D-in", k3DIn, style);
    readStyleBit(a, "style-3D-out", k3DOut, style);
    readStyleBit(a, "style-no-frame", kNoFrame, style);
    readStyleBit(a, "style-no-draw", kNoDrawStyle, style);
    readStyleBit(a, "style-no-text", kNoTextStyle, style);
    readStyleBit(a, "style-shadow-text", kShadowText, style);
    readStyleBit(a, "style-round-rect", kRoundRectStyle, style);
    display->setStyle(style);
    int32_t precision;
    if (const std::string* v = a.getAttributeValue("value-precision"))
        if (UIValueParser::parseLeadingInteger(*v, precision) && precision >= 0 && precision <= 255)
            display->setPrecision(static_cast<uint8_t>(precision));
}

void applyTextLabel(CView* view, const UIAttributes& a, const IUIDescription*)
{
    auto* label = dynamic_cast<CTextLabel*>(view);
    if (!label)
        return;
    if (const std::string* v = a.getAttributeValue("title"))
    {
        std::string text;
        for (size_t i = 0; i < v->size(); ++i)
        {
            if ((*v)[i] == '\\' && i + 1 < v->size() && (*v)[i + 1] == 'n')
            {
                text += '\n';
                ++i;
            }
            else
                text += (*v)[i];
        }
        label->setText(text.c_str());
    }
    if (const std::string* v = a.getAttributeValue("truncate-mode"))
        label->setTextTruncateMode(*v == "head"   ? CTextLabel::kTruncateHead
                                   : *v == "tail" ? CTextLabel::kTruncateTail
                                                  : CTextLabel::kTruncateNone);
}

void applyTextEdit(CView* view, const UIAttributes& a, const IUIDescription*)
{
    auto* edit = dynamic_cast<CTextEdit*>(view);
    if (!edit)
        return;
    bool flag;
    if (a.getBooleanAttribute("immediate-text-change", flag))
        edit->setImmediateTextChange(flag);
    if (a.getBooleanAttribute("secure-style", flag))
        edit->setSecureStyle(flag);
    int32_t style = edit->getStyle();
    readStyleBit(a, "style-doubleclick", kDoubleClickStyle, style);
    edit->setStyle(style);
    if (const std::string* v = a.getAttributeValue("placeholder-title"))
        edit->setPlaceholderString(*v);
}

void applySlider(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    auto* slider = dynamic_cast<CSlider*>(view);
    if (!slider)
        return;
    CBitmap* bitmap = nullptr;
    if (readBitmap(a, "handle-bitmap", d, bitmap))
        slider->setHandle(bitmap);
    CPoint p;
    if (a.getPointAttribute("handle-offset", p))
        slider->setOffsetHandle(p);
    if (a.getPointAttribute("bitmap-offset", p))
        slider->setOffset(p);
    double number;
    if (a.getDoubleAttribute("zoom-factor", number))
        slider->setZoomFactor(static_cast<float>(number));
    if (const std::string* v = a.getAttributeValue("free-click"))
        slider->setMode(*v == "true" ? CSlider::kFreeClickMode : CSlider::kTouchMode);
    if (const std::string* v = a.getAttributeValue("mode"))
    {
        static const struct
        {
            const char* name;
            CSlider::Mode mode;
        } kModes[] = {{"touch", CSlider::kTouchMode},
                      {"relative touch", CSlider::kRelativeTouchMode},
                      {"free click", CSlider::kFreeClickMode},
                      {"ramp", CSlider::kRampMode},
                      {"use global", CSlider::kUseGlobal}};
        for (const auto& m : kModes)
            if (*v == m.name)
                slider->setMode(m.mode);
    }
    int32_t style = slider->getStyle();
    if (const std::string* v = a.getAttributeValue("orientation"))
    {
        if (*v == "vertical")
            style = (style | kVertical) & ~kHorizontal;
        else
            style = (style | kHorizontal) & ~kVertical;
    }
    if (const std::string* v = a.getAttributeValue("reverse-orientation"))
    {
        const bool reverse = *v == "true";
        if (style & kVertical)
            style = reverse ? ((style | kTop) & ~kBottom) : ((style | kBottom) & ~kTop);
        else
            style = reverse ? ((style | kRight) & ~kLeft) : ((style | kLeft) & ~kRight);
    }
    slider->setStyle(style);
    int32_t drawStyle = slider->getDrawStyle();
    readStyleBit(a, "draw-frame", CSlider::kDrawFrame, drawStyle);
    readStyleBit(a, "draw-back", CSlider::kDrawBack, drawStyle);
    readStyleBit(a, "draw-value", CSlider::kDrawValue, drawStyle);
    readStyleBit(a, "draw-value-from-center", CSlider::kDrawValueFromCenter, drawStyle);
    readStyleBit(a, "draw-value-inverted", CSlider::kDrawInverted, drawStyle);
    slider->setDrawStyle(drawStyle);
    if (a.getDoubleAttribute("frame-width", number))
        slider->setFrameWidth(number);
    CColor color;
    if (readColor(a, "draw-frame-color", d, color))
        slider->setFrameColor(color);
    if (readColor(a, "draw-back-color", d, color))
        slider->setBackColor(color);
    if (readColor(a, "draw-value-color", d, color))
        slider->setValueColor(color);
}

void applyKnob(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    auto* knob = dynamic_cast<CKnob*>(view);
    if (!knob)
        return;
    double number;
    if (a.getDoubleAttribute("angle-start", number))
        knob->setStartAngle(static_cast<float>(number));
    if (a.getDoubleAttribute("angle-range", number))
        knob->setRangeAngle(static_cast<float>(number));
    if (a.getDoubleAttribute("value-inset", number))
        knob->setInsetValue(number);
    if (a.getDoubleAttribute("zoom-factor", number))
        knob->setZoomFactor(static_cast<float>(number));
    if (a.getDoubleAttribute("knob-range", number))
        knob->setKnobRange(static_cast<float>(number));
    CBitmap* bitmap = nullptr;
    if (readBitmap(a, "handle-bitmap", d, bitmap))
        knob->setHandleBitmap(bitmap);
    CColor color;
    if (readColor(a, "handle-color", d, color))
        knob->setColorHandle(color);
}

void applyAnimKnob(CView* view, const UIAttributes& a, const IUIDescription*)
{
    auto* knob = dynamic_cast<CAnimKnob*>(view);
    if (!knob)
        return;
    int32_t n;
    if (a.getIntegerAttribute("height-of-one-image", n) && n >= 0)
        knob->setHeightOfOneImage(n);
    if (a.getIntegerAttribute("sub-pixmaps", n) && n >= 0)
        knob->setNumSubPixmaps(n);
    bool flag;
    if (a.getBooleanAttribute("inverse-bitmap", flag))
        knob->setInverseBitmap(flag);
}

void applyKickButton(CView* view, const UIAttributes& a, const IUIDescription*)
{
    auto* button = dynamic_cast<CKickButton*>(view);
    if (!button)
        return;
    int32_t n;
    if (a.getIntegerAttribute("height-of-one-image", n) && n >= 0)
        button->setHeightOfOneImage(n);
    if (a.getIntegerAttribute("sub-pixmaps", n) && n >= 0)
        button->setNumSubPixmaps(n);
}

void applyVuMeter(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    auto* meter = dynamic_cast<CVuMeter*>(view);
    if (!meter)
        return;
    CBitmap* bitmap = nullptr;
    if (readBitmap(a, "off-bitmap", d, bitmap))
        meter->setOffBitmap(bitmap);
    int32_t n;
    if (a.getIntegerAttribute("num-led", n) && n >= 0)
        meter->setNbLed(n);
    if (const std::string* v = a.getAttributeValue("orientation"))
        meter->setStyle(*v == "vertical" ? kVertical : kHorizontal);
    double number;
    if (a.getDoubleAttribute("decrease-step-value", number))
        meter->setDecreaseStepValue(static_cast<float>(number));
}

void applyXYPad(CView* view, const UIAttributes& a, const IUIDescription* d)
{
    auto* pad = dynamic_cast<CXYPad*>(view);
    if (!pad)
        return;
    CBitmap* bitmap = nullptr;
    if (readBitmap(a, "handle-bitmap", d, bitmap))
        pad->setHandleBitmap(bitmap);
}

} // namespace UIViewAppliers
} // namespace VSTGUI
