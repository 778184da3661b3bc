// CParamDisplay: a control that shows its value as text over a background
// (colour with an optional frame, or a bitmap). A value-to-string function, when
// set, makes the text (a parameter binding installs one).
#pragma once

#include "gui/base/ccolor.h"
#include "gui/base/cfontdesc.h"
#include "gui/cairo/cdrawcontext.h"
#include "gui/ccontrol.h"
#include "gui/control_styles.h"

#include <functional>
#include <string>

namespace VSTGUI {

class CParamDisplay : public CControl
{
public:
    /// Makes the text for `value`; false to fall back to the numeric format.
    using ValueToStringFunction = std::function<bool(float value, std::string& text, CParamDisplay*)>;

    explicit CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
    CParamDisplay(const CParamDisplay& other);
    CView* newCopy() const override { return new CParamDisplay(*this); }

    void setValueToStringFunction(ValueToStringFunction f) { valueToString = std::move(f); }
    const ValueToStringFunction& getValueToStringFunction() const { return valueToString; }
    /// The text for `val`: the function's, else printf("%.<precision>f"). [UI thread]
    std::string valueToText(float val);

    // --- appearance ---
    virtual void setFont(CFontDesc* font);
    CFontDesc* getFont() const { return font; }
    virtual void setFontColor(const CColor& c);
    const CColor& getFontColor() const { return fontColor; }
    virtual void setBackColor(const CColor& c);
    const CColor& getBackColor() const { return backColor; }
    virtual void setFrameColor(const CColor& c);
    const CColor& getFrameColor() const { return frameColor; }
    virtual void setShadowColor(const CColor& c);
    const CColor& getShadowColor() const { return shadowColor; }
    virtual void setHoriAlign(CHoriTxtAlign a);
    CHoriTxtAlign getHoriAlign() const { return horiAlign; }
    virtual void setStyle(int32_t val);
    int32_t getStyle() const { return style; }
    void setPrecision(uint8_t p);
    uint8_t getPrecision() const { return precision; }
    void setTextInset(const CPoint& p) { textInset = p; setDirty(true); }
    const CPoint& getTextInset() const { return textInset; }
    void setShadowTextOffset(const CPoint& p) { shadowTextOffset = p; setDirty(true); }
    const CPoint& getShadowTextOffset() const { return shadowTextOffset; }
    void setBackOffset(const CPoint& p) { backOffset = p; setDirty(true); }
    const CPoint& getBackOffset() const { return backOffset; }
    void setAntialias(bool state) { antialias = state; setDirty(true); }
    bool getAntialias() const { return antialias; }
    void setRoundRectRadius(double r) { roundRectRadius = r; setDirty(true); }
    double getRoundRectRadius() const { return roundRectRadius; }
    void setFrameWidth(double w) { frameWidth = w; setDirty(true); }
    double getFrameWidth() const { return frameWidth; }
    void setTextRotation(double degrees) { textRotation = degrees; setDirty(true); }
    double getTextRotation() const { return textRotation; }

    void draw(CDrawContext* context) override;

protected:
    /// Background bitmap, or colour fill and frame as the style says. [UI thread]
    virtual void drawBack(CDrawContext* context, CBitmap* newBack = nullptr);
    /// The text in the rect inset by the text inset, with its shadow. [UI thread]
    virtual void drawStyledText(CDrawContext* context, const std::string& text);

    ValueToStringFunction valueToString;
    SharedPointer<CFontDesc> font;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor = kRedCColor;
    CHoriTxtAlign horiAlign = kCenterText;
    int32_t style;
    uint8_t precision = 2;
    CPoint textInset;
    CPoint shadowTextOffset{1, 1};
    CPoint backOffset;
    bool antialias = true;
    double roundRectRadius = 6.0;
    double frameWidth = 1.0;
    double textRotation = 0.0;
};

} // namespace VSTGUI
