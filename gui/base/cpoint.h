// CPoint: a position or an extent in view coordinates (pixels at scale 1,
// y growing downward). Doubles, as fractional positions occur while scaling.
#pragma once

namespace VSTGUI {

struct CPoint
{
    double x = 0.0;
    double y = 0.0;

    constexpr CPoint() = default;
    constexpr CPoint(double px, double py) : x(px), y(py) {}

    CPoint& offset(double dx, double dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    CPoint& offset(const CPoint& delta) { return offset(delta.x, delta.y); }

    constexpr CPoint operator+(const CPoint& o) const { return {x + o.x, y + o.y}; }
    constexpr CPoint operator-(const CPoint& o) const { return {x - o.x, y - o.y}; }
    constexpr bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
    constexpr bool operator!=(const CPoint& o) const { return !(*this == o); }
};

} // namespace VSTGUI
