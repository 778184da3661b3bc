// The part of a window that waits to be repainted, as a short list of device-pixel
// rectangles: overlapping ones are merged, so no pixel is drawn twice in one paint,
// and past a handful the list collapses into one bounding rectangle.
#pragma once

#include "gui/base/crect.h"

#include <vector>

namespace VSTGUI::X11 {

/// A rectangle of whole device pixels.
struct PixelRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const PixelRect& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

/// The device pixels that `logical` covers at `scale` (edges rounded outward), clipped to
/// a window of `windowWidth` × `windowHeight` pixels. [any]
PixelRect toDevicePixels(const CRect& logical, double scale, int windowWidth, int windowHeight);

class DirtyRegion
{
public:
    /// More rectangles than this are painted as their bounding rectangle.
    static constexpr std::size_t kMaxRects = 16;

    /// Adds `rect` (ignored when empty), merging it with every rectangle it overlaps. [UI thread]
    void add(const PixelRect& rect);
    bool isEmpty() const { return rects_.empty(); }
    const std::vector<PixelRect>& rects() const { return rects_; }
    /// Moves the rectangles into `out` (its old content is dropped) and empties the region. [UI thread]
    void takeInto(std::vector<PixelRect>& out);
    void clear() { rects_.clear(); }

private:
    std::vector<PixelRect> rects_;
};

} // namespace VSTGUI::X11
