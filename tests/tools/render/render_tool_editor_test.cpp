// corvale-render's editor options as a user runs them: --editor-screenshot writes the
// editor, with the settings given, at its size times --scale; the options refuse what
// they cannot do with one line and status 1.
#include "tool_runner.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const std::string kBundle = CORVALE_BUNDLE_PATH;

/// A PNG's pixels as cairo reads them (premultiplied ARGB); empty when unreadable.
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture readPng(const std::string& path)
{
    Picture p;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_flush(s);
        p.width = cairo_image_surface_get_width(s);
        p.height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < p.height; ++y)
        {
            const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
            p.pixels.insert(p.pixels.end(), row, row + p.width);
        }
    }
    cairo_surface_destroy(s);
    return p;
}

void expectOneLineError(const ToolResult& r, const std::string& expected)
{
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "exactly one line: " << r.err;
    EXPECT_NE(r.err.find(expected), std::string::npos) << "expected '" << expected << "' in: " << r.err;
}

} // namespace

TEST(RenderToolEditor, RefusesWhatItCannotDo)
{
    const std::string png = tempPath("refused.png");
    struct Case
    {
        std::vector<std::string> args;
        std::string expected;
    };
    const Case cases[] = {
        {{"--plugin", FAKE_GAIN_BUNDLE, "--editor-screenshot", png}, "the plug-in has no editor"},
        {{"--plugin", kBundle, "--editor-screenshot", png, "--scale", "0.5"}, "--scale must be between 1 and 4"},
        {{"--plugin", kBundle, "--editor-screenshot", png, "--scale", "big"}, "invalid number 'big'"},
        {{"--plugin", kBundle, "--editor-screenshot", ""}, "needs a non-empty value"},
        {{"--plugin", kBundle, "--vst2", "--editor-screenshot", png}, "VST 3 entry"},
        {{"--plugin", kBundle, "--vst2", "--editor", "--scale", "2"}, "--scale needs the VST 3 entry"},
        {{"--plugin", kBundle, "--editor", "--editor-screenshot", "/nonexistent/dir/e.png"}, "cannot write"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.expected);
        expectOneLineError(runTool(c.args), c.expected);
    }
    EXPECT_TRUE(readBytes(png).empty());
}

TEST(RenderToolEditor, TheScreenshotIsTheEditorAtItsSizeTimesTheScale)
{
    const struct
    {
        const char* scale;
        int width;
        int height;
    } cases[] = {{"1", 926, 213}, {"1.5", 1389, 320}, {"2", 1852, 426}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("scale ") + c.scale);
        const std::string png = tempPath(std::string("editor-") + c.scale + ".png");
        const ToolResult r = runTool({"--plugin", kBundle, "--editor-screenshot", png, "--scale", c.scale});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const Picture p = readPng(png);
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.height, c.height);
        ASSERT_FALSE(p.pixels.empty());
        EXPECT_EQ(p.at(2, 2), 0xff7f7f7fu) << "the grey panel, opaque";
    }
}

TEST(RenderToolEditor, TheSettingsShowInTheScreenshotWhereTheirControlsAre)
{
    const std::string flat = tempPath("flat.png");
    const std::string boosted = tempPath("boosted.png");
    ASSERT_EQ(runTool({"--plugin", kBundle, "--editor-screenshot", flat}).exitCode, 0);
    ASSERT_EQ(runTool({"--plugin", kBundle, "--set", "1000=12", "--editor-screenshot", boosted}).exitCode, 0);
    const Picture a = readPng(flat);
    const Picture b = readPng(boosted);
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    // Band 1000 is the ninth: its slider at x 457..489, y 52..147, its field at 450..495, 151..166.
    int inSlider = 0, inField = 0, elsewhere = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
        {
            if (a.at(x, y) == b.at(x, y))
                continue;
            if (x >= 457 && x < 489 && y >= 52 && y < 147)
                ++inSlider;
            else if (x >= 450 && x < 495 && y >= 151 && y < 166)
                ++inField;
            else
                ++elsewhere;
        }
    EXPECT_GT(inSlider, 100) << "the handle moved";
    EXPECT_GT(inField, 10) << "the value text changed";
    EXPECT_EQ(elsewhere, 0);
}
