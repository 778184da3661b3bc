// CDrawContext on an image surface: shapes land on the pixels they should,
// clips replace each other, transforms move the origin, text is aligned.
#include "gui/cairo/cdrawcontext.h"
#include "gui/cairo/font_cache.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace VSTGUI;

namespace {

class Surface
{
public:
    Surface(int w, int h, double scale = 1.0)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(w * scale), int(h * scale))),
          cr(cairo_create(surface))
    {
        cairo_scale(cr, scale, scale);
    }
    ~Surface()
    {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    /// Alpha of device pixel (x, y): enough to see where something was drawn.
    int alpha(int x, int y)
    {
        cairo_surface_flush(surface);
        uint32_t p;
        std::memcpy(&p, cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface) + 4 * x, 4);
        return static_cast<int>(p >> 24);
    }
    /// Bounding box of the drawn pixels (alpha > 128), as [left, top, right, bottom).
    CRect inked()
    {
        CRect r(1e9, 1e9, -1, -1);
        for (int y = 0; y < cairo_image_surface_get_height(surface); ++y)
            for (int x = 0; x < cairo_image_surface_get_width(surface); ++x)
                if (alpha(x, y) > 128)
                    r = CRect(std::min(r.left, double(x)), std::min(r.top, double(y)),
                              std::max(r.right, x + 1.0), std::max(r.bottom, y + 1.0));
        return r;
    }

    cairo_surface_t* surface;
    cairo_t* cr;
};

} // namespace

TEST(DrawContext, RectanglesCoverExactlyTheirPixels)
{
    const struct
    {
        CDrawStyle style;
        double lineWidth;
        int32_t mode;
    } cases[] = {{kDrawFilled, 1, kAliasing},
                 {kDrawStroked, 1, kAliasing},
                 {kDrawFilledAndStroked, 1, kAliasing},
                 {kDrawStroked, 3, kAliasing}};
    for (const auto& c : cases)
    {
        Surface s(40, 40);
        CDrawContext context(s.cr);
        context.setDrawMode(c.mode);
        context.setLineWidth(c.lineWidth);
        context.drawRect(CRect(10, 12, 30, 22), c.style);
        EXPECT_EQ(s.inked(), CRect(10, 12, 30, 22)) << c.style << " width " << c.lineWidth;
        if (c.style == kDrawStroked)
        {
            EXPECT_EQ(s.alpha(20, 17), 0);  // hollow
        }
    }
}

TEST(DrawContext, ClipRectsReplaceEachOtherWithinTheRepaintArea)
{
    Surface s(40, 40);
    cairo_rectangle(s.cr, 0, 0, 30, 40);  // the platform's repaint area
    cairo_clip(s.cr);
    CDrawContext context(s.cr);
    CRect clip;
    EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 30, 40));
    context.setClipRect(CRect(0, 0, 10, 10));
    context.setClipRect(CRect(5, 5, 40, 40));  // replaces, may be larger than the last
    context.drawRect(CRect(0, 0, 40, 40), kDrawFilled);
    EXPECT_EQ(s.inked(), CRect(5, 5, 30, 40));
}

TEST(DrawContext, TransformsMoveTheOriginAndNest)
{
    Surface s(60, 60);
    CDrawContext context(s.cr);
    {
        CDrawContext::Transform a(context, CGraphicsTransform().translate(10, 20));
        {
            CDrawContext::Transform b(context, CGraphicsTransform().translate(5, 5));
            context.setClipRect(CRect(0, 0, 10, 10));
            CRect clip;
            EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 10, 10));
            context.drawRect(CRect(0, 0, 100, 100), kDrawFilled);
        }
        CRect clip;
        EXPECT_EQ(context.getClipRect(clip), CRect(5, 5, 15, 15));  // seen from the outer origin
    }
    EXPECT_EQ(s.inked(), CRect(15, 25, 25, 35));
}

TEST(DrawContext, SaveAndRestoreGlobalState)
{
    Surface s(20, 20);
    CDrawContext context(s.cr);
    context.setFillColor(kRedCColor);
    context.saveGlobalState();
    context.setFillColor(kBlueCColor);
    context.setClipRect(CRect(0, 0, 1, 1));
    context.restoreGlobalState();
    EXPECT_EQ(context.getFillColor(), kRedCColor);
    CRect clip;
    EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 20, 20));
}

TEST(DrawContext, StringsAreAlignedInTheirRect)
{
    const struct
    {
        CHoriTxtAlign align;
        double expectLeft, expectRight;  // where the ink may lie
    } cases[] = {{kLeftText, 10, 60}, {kCenterText, 35, 85}, {kRightText, 60, 110}};
    for (const auto& c : cases)
    {
        Surface s(120, 40);
        CDrawContext context(s.cr);
        auto font = owned(new CFontDesc("Arial", 20));
        context.setFont(font);
        context.setFontColor(kBlackCColor);
        const double width = context.getStringWidth("HHH");
        EXPECT_GT(width, 30);
        EXPECT_LT(width, 50);
        context.drawString("HHH", CRect(10, 0, 110, 40), c.align);
        const CRect ink = s.inked();
        EXPECT_GE(ink.left, c.expectLeft - 2) << c.align;
        EXPECT_LE(ink.right, c.expectRight + 2) << c.align;
        // Capitals centred vertically on the rect's middle.
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 20.0, 1.5);
    }
    Surface clipped(120, 40);
    CDrawContext context(clipped.cr);
    auto font = owned(new CFontDesc("Arial", 20));
    context.setFont(font);
    context.setFontColor(kBlackCColor);
    context.drawString("HHHHHHHHHH", CRect(10, 0, 40, 40), kLeftText);
    EXPECT_LE(clipped.inked().right, 40);  // text never spills out of its rect
}

TEST(FontCache, ResolvesFacesThroughFontconfigWithMetricStandIns)
{
    FontCache fonts;
    const struct
    {
        const char* face;
        int32_t style;
        const char* family;
    } cases[] = {
        {"Arial", kNormalFace, "Liberation Sans"},
        {"Arial", kBoldFace | kItalicFace, "Liberation Sans"},
        {"Verdana", kBoldFace, "DejaVu Sans"},
        {"Liberation Mono", kNormalFace, "Liberation Mono"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fonts.getResolvedFamily(CFontDesc(c.face, 12, c.style)), c.family) << c.face;
    // A face nobody has falls back to a sans face, not to nothing.
    const std::string fallback = fonts.getResolvedFamily(CFontDesc("No Such Face 12345", 12));
    EXPECT_FALSE(fallback.empty());
    EXPECT_NE(fallback.find("Sans"), std::string::npos) << fallback;
    // The alternatives are tried before the fallback.
    CFontDesc withAlternatives("No Such Face", 12);
    withAlternatives.setAlternativeNames("Also Missing, Liberation Serif");
    EXPECT_EQ(fonts.getResolvedFamily(withAlternatives), "Liberation Serif");
    EXPECT_EQ(fonts.getFace(CFontDesc("Arial", 12)), fonts.getFace(CFontDesc("Arial", 30)));
}

TEST(DrawContext, EllipsesArcsPolygonsAndLines)
{
    Surface s(100, 100);
    CDrawContext context(s.cr);
    context.setDrawMode(kAntiAliasing);
    context.drawEllipse(CRect(0, 0, 40, 20), kDrawFilled);
    EXPECT_EQ(s.alpha(20, 10), 255);  // centre
    EXPECT_EQ(s.alpha(1, 1), 0);      // corner of the box, outside the ellipse
    EXPECT_EQ(s.alpha(39, 10) > 0, true);
    // A quarter pie from 3 o'clock to 6 o'clock: the lower right quarter.
    context.drawArc(CRect(50, 0, 90, 40), 0, 90, kDrawFilled);
    EXPECT_EQ(s.alpha(75, 25), 255);
    EXPECT_EQ(s.alpha(65, 15), 0);
    context.drawPolygon({CPoint(0, 50), CPoint(40, 50), CPoint(0, 90)}, kDrawFilled);
    EXPECT_EQ(s.alpha(5, 55), 255);
    EXPECT_EQ(s.alpha(35, 85), 0);
    context.setDrawMode(kAliasing);
    context.setLineWidth(1);
    context.drawLine(CPoint(50, 60), CPoint(90, 60));  // one crisp row of pixels
    EXPECT_EQ(s.alpha(70, 60), 255);
    EXPECT_EQ(s.alpha(70, 59), 0);
    EXPECT_EQ(s.alpha(70, 61), 0);
}
