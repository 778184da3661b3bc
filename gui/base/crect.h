// CRect: an axis-aligned rectangle given by its edges. left/top are inside,
// right/bottom are the first coordinates outside (width = right - left).
#pragma once

#include "gui/base/cpoint.h"

#include <algorithm>

namespace VSTGUI {

struct CRect
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    constexpr CRect() = default;
    constexpr CRect(double l, double t, double r, double b) : left(l), top(t), right(r), bottom(b) {}
    /// A rectangle at `origin` with the extent `size`.
    constexpr CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
    {
    }

    constexpr double getWidth() const { return right - left; }
    constexpr double getHeight() const { return bottom - top; }
    constexpr CPoint getTopLeft() const { return {left, top}; }
    constexpr CPoint getBottomRight() const { return {right, bottom}; }
    constexpr CPoint getSize() const { return {getWidth(), getHeight()}; }
    constexpr CPoint getCenter() const { return {left + getWidth() / 2.0, top + getHeight() / 2.0}; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    CRect& setWidth(double w)
    {
        right = left + w;
        return *this;
    }
    CRect& setHeight(double h)
    {
        bottom = top + h;
        return *this;
    }
    CRect& setSize(const CPoint& size)
    {
        setWidth(size.x);
        return setHeight(size.y);
    }
    /// Moves the rectangle so that its top-left corner is `origin`, keeping its size.
    CRect& moveTo(const CPoint& origin)
    {
        const CPoint size = getSize();
        left = origin.x;
        top = origin.y;
        return setSize(size);
    }
    CRect& offset(double dx, double dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    CRect& offset(const CPoint& delta) { return offset(delta.x, delta.y); }
    CRect& inset(double dx, double dy)
    {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
        return *this;
    }
    CRect& extend(double dx, double dy) { return inset(-dx, -dy); }

    /// True when `p` lies inside: left/top edges included, right/bottom excluded.
    constexpr bool pointInside(const CPoint& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool rectOverlap(const CRect& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    /// Shrinks this rectangle to its intersection with `o` (empty when they do not meet).
    CRect& bound(const CRect& o)
    {
        left = std::max(left, o.left);
        top = std::max(top, o.top);
        right = std::max(left, std::min(right, o.right));
        bottom = std::max(top, std::min(bottom, o.bottom));
        return *this;
    }
    /// Grows this rectangle to cover `o` as well (an empty one becomes `o`).
    CRect& unite(const CRect& o)
    {
        if (o.isEmpty())
            return *this;
        if (isEmpty())
            return *this = o;
        left = std::min(left, o.left);
        top = std::min(top, o.top);
        right = std::max(right, o.right);
        bottom = std::max(bottom, o.bottom);
        return *this;
    }

    constexpr bool operator==(const CRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    constexpr bool operator!=(const CRect& o) const { return !(*this == o); }
};

} // namespace VSTGUI
