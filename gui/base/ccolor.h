// CColor: an 8-bit RGBA colour, and the predefined colours descriptions may name.
#pragma once

#include <cstdint>

namespace VSTGUI {

struct CColor
{
    uint8_t red = 255;
    uint8_t green = 255;
    uint8_t blue = 255;
    uint8_t alpha = 255;

    constexpr CColor() = default;
    constexpr CColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
        : red(r), green(g), blue(b), alpha(a)
    {
    }

    constexpr double normRed() const { return red / 255.0; }
    constexpr double normGreen() const { return green / 255.0; }
    constexpr double normBlue() const { return blue / 255.0; }
    constexpr double normAlpha() const { return alpha / 255.0; }

    constexpr bool operator==(const CColor& o) const
    {
        return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
    }
    constexpr bool operator!=(const CColor& o) const { return !(*this == o); }
};

/// Builds a colour from components (the usual spelling in view code).
constexpr CColor MakeCColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
{
    return CColor(r, g, b, a);
}

inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};
inline constexpr CColor kGreyCColor{127, 127, 127, 255};
inline constexpr CColor kRedCColor{255, 0, 0, 255};
inline constexpr CColor kGreenCColor{0, 255, 0, 255};
inline constexpr CColor kBlueCColor{0, 0, 255, 255};
inline constexpr CColor kYellowCColor{255, 255, 0, 255};
inline constexpr CColor kCyanCColor{0, 255, 255, 255};
inline constexpr CColor kMagentaCColor{255, 0, 255, 255};
inline constexpr CColor kTransparentCColor{255, 255, 255, 0};

} // namespace VSTGUI
