#include "editor_window_fixture.h"

#include <cairo.h>

#include <cstdlib>

namespace corvale::test {

void EditorWindowFixture::openHostWindow()
{
    window = std::make_unique<host::HostWindow>(loop.get(), "editor test", kWidth, kHeight);
    ASSERT_TRUE(window->isOpen()) << window->error();
}

std::vector<xcb_window_t> EditorWindowFixture::children() const
{
    std::vector<xcb_window_t> result;
    xcb_connection_t* c = display.connection();
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(c, xcb_query_tree(c, window->windowId()), nullptr);
    if (!tree)
        return result;
    const xcb_window_t* list = xcb_query_tree_children(tree);
    result.assign(list, list + xcb_query_tree_children_length(tree));
    std::free(tree);
    return result;
}

bool EditorWindowFixture::waitFor(const std::function<bool()>& done)
{
    return loop->runUntil(done, kTimeoutMs);
}

xcb_window_t EditorWindowFixture::waitForPanel()
{
    xcb_window_t editor = 0;
    const bool shown = waitFor([&] {
        const auto list = children();
        if (list.size() != 1)
            return false;
        editor = list[0];
        const Screenshot shot = display.screenshot(editor);
        return !shot.pixels.empty() && shot.at(2, 2) == 0x7f7f7fu;
    });
    return shown ? editor : 0;
}

void EditorWindowFixture::drag(xcb_window_t target, int fromX, int fromY, int toX, int toY)
{
    display.moveTo(target, fromX, fromY);
    display.buttonDown(1);
    constexpr int kSteps = 6;
    for (int i = 1; i <= kSteps; ++i)
    {
        display.moveTo(target, fromX + (toX - fromX) * i / kSteps, fromY + (toY - fromY) * i / kSteps);
        loop->runFor(0); // let the editor take each move
    }
    display.buttonUp(1);
    display.sync();
}

void EditorWindowFixture::TearDown()
{
    window.reset();
}

std::size_t pixelsOff(const Screenshot& shot, int width, int height, const std::vector<uint32_t>& picture,
                      int tolerance)
{
    if (shot.width != width || shot.height != height || picture.size() != shot.pixels.size())
        return shot.pixels.size() + picture.size() + 1;
    std::size_t off = 0;
    for (std::size_t i = 0; i < picture.size(); ++i)
    {
        const uint32_t a = shot.pixels[i];
        const uint32_t b = picture[i];
        for (int shift : {0, 8, 16})
        {
            const int d = static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff);
            if (d > tolerance || d < -tolerance)
            {
                ++off;
                break;
            }
        }
    }
    return off;
}

std::vector<uint32_t> readPngRgb(const std::string& path, int& width, int& height)
{
    std::vector<uint32_t> pixels;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    width = height = 0;
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_flush(s);
        width = cairo_image_surface_get_width(s);
        height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < height; ++y)
        {
            const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
            for (int x = 0; x < width; ++x)
                pixels.push_back(row[x] & 0xffffffu);
        }
    }
    cairo_surface_destroy(s);
    return pixels;
}

} // namespace corvale::test
