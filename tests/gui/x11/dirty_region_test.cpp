#include "gui/x11/dirty_region.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VSTGUI;
using namespace VSTGUI::X11;

namespace {

/// Every pixel covered by `rects`, counted once per rect that covers it.
std::vector<int> coverage(const std::vector<PixelRect>& rects, int width, int height)
{
    std::vector<int> hits(static_cast<std::size_t>(width * height), 0);
    for (const PixelRect& r : rects) {
        for (int y = r.y; y < r.bottom(); ++y) {
            for (int x = r.x; x < r.right(); ++x)
                ++hits[static_cast<std::size_t>(y * width + x)];
        }
    }
    return hits;
}

} // namespace

TEST(DirtyRegion, LogicalRectsBecomeTheDevicePixelsTheyTouch)
{
    struct Case
    {
        CRect logical;
        double scale;
        PixelRect device;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {{10, 20, 30, 40}, 1.0, {10, 20, 20, 20}},
        {{10, 20, 30, 40}, 2.0, {20, 40, 40, 40}},
        {{10, 10, 20, 20}, 1.5, {15, 15, 15, 15}},      // exact at 1.5: no pixel grows
        {{10.2, 10.2, 19.9, 19.9}, 1.0, {10, 10, 10, 10}}, // fractional edges round outward
        {{-50, -50, 10, 10}, 1.0, {0, 0, 10, 10}},       // clipped to the window
        {{190, 90, 500, 500}, 1.0, {190, 90, 10, 10}},
        {{300, 300, 400, 400}, 1.0, {200, 100, 0, 0}},   // wholly outside: empty
        {{nan, 0, 10, 10}, 1.0, {0, 0, 10, 10}},
    };
    for (const Case& c : cases) {
        const PixelRect device = toDevicePixels(c.logical, c.scale, 200, 100);
        if (c.device.isEmpty()) {
            EXPECT_TRUE(device.isEmpty()) << c.logical.left << " at " << c.scale;
        } else {
            EXPECT_EQ(device, c.device) << c.logical.left << " at " << c.scale;
        }
    }
}

TEST(DirtyRegion, OverlapsMergeSoNoPixelIsPaintedTwiceAndNoneIsLost)
{
    const std::vector<PixelRect> added = {
        {0, 0, 10, 10}, {50, 50, 10, 10}, {5, 5, 10, 10}, {10, 0, 5, 5}, {100, 0, 10, 10}, {52, 52, 2, 2}, {0, 0, 0, 5},
    };
    DirtyRegion region;
    for (const PixelRect& r : added)
        region.add(r);
    const std::vector<int> wanted = coverage(added, 200, 100);
    const std::vector<int> painted = coverage(region.rects(), 200, 100);
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        ASSERT_LE(painted[i], 1) << "pixel " << i << " painted twice";
        if (wanted[i] > 0) {
            ASSERT_EQ(painted[i], 1) << "pixel " << i << " lost";
        }
    }
    EXPECT_EQ(region.rects().size(), 3u) << "the two apart stay apart; the chain of three became one";
}

TEST(DirtyRegion, ManyScatteredRectsCollapseIntoTheirBounds)
{
    DirtyRegion region;
    for (int i = 0; i <= static_cast<int>(DirtyRegion::kMaxRects); ++i)
        region.add({i * 10, i % 2 * 50, 5, 5});
    ASSERT_EQ(region.rects().size(), 1u);
    EXPECT_EQ(region.rects()[0], (PixelRect {0, 0, static_cast<int>(DirtyRegion::kMaxRects) * 10 + 5, 55}));

    std::vector<PixelRect> taken;
    region.takeInto(taken);
    EXPECT_EQ(taken.size(), 1u);
    EXPECT_TRUE(region.isEmpty());
}
