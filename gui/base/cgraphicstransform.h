// CGraphicsTransform: a 2-D affine transform (x' = m11 x + m12 y + dx,
// y' = m21 x + m22 y + dy), used to map view coordinates while drawing.
#pragma once

#include "gui/base/crect.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

struct CGraphicsTransform
{
    double m11 = 1.0;
    double m12 = 0.0;
    double m21 = 0.0;
    double m22 = 1.0;
    double dx = 0.0;
    double dy = 0.0;

    constexpr CGraphicsTransform() = default;
    constexpr CGraphicsTransform(double a11, double a12, double a21, double a22, double tx, double ty)
        : m11(a11), m12(a12), m21(a21), m22(a22), dx(tx), dy(ty)
    {
    }

    /// This transform followed by `t` (points go through this one first).
    CGraphicsTransform concat(const CGraphicsTransform& t) const
    {
        return {t.m11 * m11 + t.m12 * m21, t.m11 * m12 + t.m12 * m22,
                t.m21 * m11 + t.m22 * m21, t.m21 * m12 + t.m22 * m22,
                t.m11 * dx + t.m12 * dy + t.dx, t.m21 * dx + t.m22 * dy + t.dy};
    }
    CGraphicsTransform& translate(double x, double y) { return *this = concat({1, 0, 0, 1, x, y}); }
    CGraphicsTransform& scale(double sx, double sy) { return *this = concat({sx, 0, 0, sy, 0, 0}); }
    /// Rotation by `degrees` (clockwise on screen, as y grows downward).
    CGraphicsTransform& rotate(double degrees)
    {
        const double a = degrees * M_PI / 180.0;
        const double c = std::cos(a), s = std::sin(a);
        return *this = concat({c, -s, s, c, 0, 0});
    }

    constexpr bool isInvariant() const
    {
        return m11 == 1.0 && m12 == 0.0 && m21 == 0.0 && m22 == 1.0 && dx == 0.0 && dy == 0.0;
    }
    /// The inverse; the identity when this transform cannot be inverted.
    CGraphicsTransform inverse() const
    {
        const double det = m11 * m22 - m12 * m21;
        if (det == 0.0)
            return {};
        const double i11 = m22 / det, i12 = -m12 / det, i21 = -m21 / det, i22 = m11 / det;
        return {i11, i12, i21, i22, -(i11 * dx + i12 * dy), -(i21 * dx + i22 * dy)};
    }

    CPoint transform(const CPoint& p) const
    {
        return {m11 * p.x + m12 * p.y + dx, m21 * p.x + m22 * p.y + dy};
    }
    /// The bounding box of the transformed corners.
    CRect transform(const CRect& r) const
    {
        const CPoint a = transform(r.getTopLeft()), b = transform(r.getBottomRight());
        const CPoint c = transform(CPoint(r.right, r.top)), d = transform(CPoint(r.left, r.bottom));
        return {std::min({a.x, b.x, c.x, d.x}), std::min({a.y, b.y, c.y, d.y}),
                std::max({a.x, b.x, c.x, d.x}), std::max({a.y, b.y, c.y, d.y})};
    }

    constexpr bool operator==(const CGraphicsTransform& o) const
    {
        return m11 == o.m11 && m12 == o.m12 && m21 == o.m21 && m22 == o.m22 && dx == o.dx &&
               dy == o.dy;
    }
};

} // namespace VSTGUI
