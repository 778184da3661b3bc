#include "gui/x11/dirty_region.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI::X11 {
namespace {

bool overlap(const PixelRect& a, const PixelRect& b)
{
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

PixelRect unite(const PixelRect& a, const PixelRect& b)
{
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    return {left, top, std::max(a.right(), b.right()) - left, std::max(a.bottom(), b.bottom()) - top};
}

int clampToInt(double v, int lo, int hi)
{
    if (!(v > lo)) // also catches NaN
        return lo;
    return v >= hi ? hi : static_cast<int>(v);
}

} // namespace

PixelRect toDevicePixels(const CRect& logical, double scale, int windowWidth, int windowHeight)
{
    // A tiny tolerance keeps 10 × 1.5 from becoming 15.000000001 and growing a pixel.
    constexpr double kSlack = 1e-6;
    const int left = clampToInt(std::floor(logical.left * scale + kSlack), 0, windowWidth);
    const int top = clampToInt(std::floor(logical.top * scale + kSlack), 0, windowHeight);
    const int right = clampToInt(std::ceil(logical.right * scale - kSlack), 0, windowWidth);
    const int bottom = clampToInt(std::ceil(logical.bottom * scale - kSlack), 0, windowHeight);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void DirtyRegion::add(const PixelRect& rect)
{
    if (rect.isEmpty())
        return;
    PixelRect merged = rect;
    // A merge can make the rectangle overlap others it did not meet before: repeat until none.
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < rects_.size();) {
            if (overlap(merged, rects_[i])) {
                const PixelRect next = unite(merged, rects_[i]);
                grew = grew || !(next == merged);
                merged = next;
                rects_.erase(rects_.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ++i;
            }
        }
    }
    rects_.push_back(merged);
    if (rects_.size() > kMaxRects) {
        PixelRect all = rects_.front();
        for (const PixelRect& r : rects_)
            all = unite(all, r);
        rects_.assign(1, all);
    }
}

void DirtyRegion::takeInto(std::vector<PixelRect>& out)
{
    out.swap(rects_);
    rects_.clear();
}

} // namespace VSTGUI::X11
