// CFontDesc: a font request (face name, pixel size, style bits). The draw
// context resolves it to an installed face; see gui/cairo/font_resolver.h.
#pragma once

#include "gui/base/cbaseobject.h"

#include <string>

namespace VSTGUI {

enum CTxtFace : int32_t
{
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
    kUnderlineFace = 1 << 3,
    kStrikethroughFace = 1 << 4,
};

class CFontDesc : public CBaseObject
{
public:
    /// A font of face `name` at `size` pixels with `style` (CTxtFace bits). [any]
    explicit CFontDesc(const std::string& faceName = "", double sizePx = 0.0, int32_t styleBits = 0)
        : name(faceName), size(sizePx), style(styleBits)
    {
    }

    const std::string& getName() const { return name; }
    double getSize() const { return size; }
    int32_t getStyle() const { return style; }
    void setName(const std::string& n) { name = n; }
    void setSize(double s) { size = s; }
    void setStyle(int32_t s) { style = s; }
    /// Faces tried, in order, when `getName()` is not installed (comma-separated).
    const std::string& getAlternativeNames() const { return alternatives; }
    void setAlternativeNames(const std::string& names) { alternatives = names; }

    bool operator==(const CFontDesc& o) const
    {
        return name == o.name && size == o.size && style == o.style &&
               alternatives == o.alternatives;
    }

private:
    std::string name;
    double size;
    int32_t style;
    std::string alternatives;
};

using CFontRef = CFontDesc*;

// The predefined fonts. They are immutable and live as long as the process;
// views may remember and forget them freely.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
extern const CFontRef kSymbolFont;

} // namespace VSTGUI
