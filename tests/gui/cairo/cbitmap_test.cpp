// CBitmap: PNG decoding, drawing at an offset with alpha, the double-resolution
// image at high scale factors, and embedded resources.
#include "gui/cairo/cbitmap.h"
#include "gui/cairo/cdrawcontext.h"
#include "gui/resources/resource_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace VSTGUI;

namespace {

uint32_t pixel(cairo_surface_t* s, int x, int y)
{
    cairo_surface_flush(s);
    uint32_t p;
    std::memcpy(&p, cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + 4 * x, 4);
    return p;
}

int red(uint32_t p)
{
    return (p >> 16) & 0xFF;
}

} // namespace

TEST(Bitmap, RefusesWhatIsNotAPng)
{
    const unsigned char garbage[] = {0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(CBitmap(garbage, sizeof garbage).isLoaded());
    EXPECT_FALSE(CBitmap("not a png at all", 16).isLoaded());
    EXPECT_FALSE(CBitmap(nullptr, 0).isLoaded());
    EXPECT_FALSE(CBitmap(CResourceDescription("no-such.png")).isLoaded());
    const ResourceBytes strip = findEmbeddedResource("filmstrip.png");
    ASSERT_TRUE(strip);
    EXPECT_FALSE(CBitmap(strip.data, strip.size / 2).isLoaded());  // truncated
    EXPECT_TRUE(CBitmap(strip.data, strip.size).isLoaded());
}

TEST(Bitmap, DrawsItsPixelAtTheOffsetClippedToTheRect)
{
    CBitmap strip(CResourceDescription("filmstrip.png"));  // frame i: red 20 * i
    ASSERT_TRUE(strip.isLoaded());
    EXPECT_EQ(strip.getSize(), CPoint(20, 200));
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 50, 50);
    cairo_t* cr = cairo_create(s);
    {
        CDrawContext context(cr);
        strip.draw(&context, CRect(5, 5, 25, 25), CPoint(0, 60));  // frame 3
        strip.draw(&context, CRect(30, 5, 40, 15), CPoint(0, 100), 0.5f);  // frame 5, half opaque
    }
    EXPECT_EQ(red(pixel(s, 5, 5)), 60);
    EXPECT_EQ(red(pixel(s, 24, 24)), 60);
    EXPECT_EQ(pixel(s, 25, 25) >> 24, 0u);  // clipped to the rect
    EXPECT_EQ(pixel(s, 4, 5) >> 24, 0u);
    EXPECT_NEAR(static_cast<int>(pixel(s, 35, 10) >> 24), 128, 1);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
}

TEST(Bitmap, HighResolutionImageIsUsedFromOneAndAHalf)
{
    CBitmap strip(CResourceDescription("filmstrip.png"));
    ASSERT_TRUE(strip.hasHighResolution());  // "filmstrip#2x.png" is embedded too
    for (double scale : {1.0, 1.25, 1.5, 2.0, 3.0})
    {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(20 * scale), int(20 * scale));
        cairo_t* cr = cairo_create(s);
        cairo_scale(cr, scale, scale);
        {
            CDrawContext context(cr, scale);
            strip.draw(&context, CRect(0, 0, 20, 20), CPoint(0, 40));
        }
        const uint32_t p = pixel(s, int(10 * scale), int(10 * scale));
        EXPECT_EQ(red(p), 40) << scale;
        EXPECT_EQ(((p >> 8) & 0xFF) == 200, scale >= 1.5) << scale;
        cairo_destroy(cr);
        cairo_surface_destroy(s);
    }
    // A companion that is not exactly twice the size is refused.
    const ResourceBytes other = findEmbeddedResource("track.png");
    EXPECT_FALSE(strip.addHighResolution(other.data, other.size));
}

TEST(Resources, LookupIsByExactName)
{
    const std::vector<std::string> names = embeddedResourceNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "test.uidesc"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "filmstrip#2x.png"), names.end());
    EXPECT_FALSE(findEmbeddedResource("TEST.UIDESC"));
    EXPECT_FALSE(findEmbeddedResource("test.uidesc "));
    const ResourceBytes uidesc = findEmbeddedResource("test.uidesc");
    ASSERT_TRUE(uidesc);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(uidesc.data), 5), "<?xml");
    EXPECT_EQ(CResourceDescription(42).getName(), "bmp00042.png");
}
