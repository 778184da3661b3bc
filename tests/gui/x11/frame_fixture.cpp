#include "frame_fixture.h"

#include <cmath>

namespace corvale::test {

using namespace VSTGUI;

void FrameFixture::openFrame(CPoint size, double scale)
{
    scale_ = scale;
    callback.size = size;
    window = std::make_unique<host::HostWindow>(loop.get(), "frame test", static_cast<int>(std::ceil(size.x * scale)),
                                                static_cast<int>(std::ceil(size.y * scale)));
    ASSERT_TRUE(window->isOpen()) << window->error();
    adapter = std::make_unique<RunLoopAdapter>(loop.get());
    frame = attachFrame(scale);
    ASSERT_NE(frame, nullptr);
    settle();
}

std::unique_ptr<X11::Frame> FrameFixture::attachFrame(double scale)
{
    PlatformFrameConfig config;
    config.parentWindow = window->windowId();
    config.size = callback.size;
    config.scaleFactor = scale;
    config.runLoop = adapter.get();
    return X11::Frame::create(callback, config);
}

bool FrameFixture::waitFor(const std::function<bool()>& done)
{
    return loop->runUntil(done, kTimeoutMs);
}

void FrameFixture::settle()
{
    // The first picture and the window's expose both ask for paints; the frame is
    // settled when, after a round trip, no paint timer is left.
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(waitFor([&] { return loop->timerCount() == 0; }));
        frame->sync();
        if (loop->timerCount() == 0)
            return;
    }
    FAIL() << "the frame keeps repainting";
}

Screenshot FrameFixture::expectedPicture(CPoint size, double scale, uint32_t background, const CRect& repainted,
                                         uint32_t newBackground) const
{
    const int width = static_cast<int>(std::ceil(size.x * scale - 1e-6));
    const int height = static_cast<int>(std::ceil(size.y * scale - 1e-6));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* context = cairo_create(surface);
    cairo_scale(context, scale, scale);
    drawScene(context, size, background);
    if (!repainted.isEmpty()) {
        // cairo rasterises anti-aliased edges a little differently under a clip, so a
        // partial repaint is compared with a clipped drawing, not with a full one.
        cairo_rectangle(context, repainted.left, repainted.top, repainted.getWidth(), repainted.getHeight());
        cairo_clip(context);
        drawScene(context, size, newBackground);
    }
    cairo_destroy(context);
    cairo_surface_flush(surface);

    Screenshot picture;
    picture.width = width;
    picture.height = height;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(row[x] & 0xffffff);
    }
    cairo_surface_destroy(surface);
    return picture;
}

void FrameFixture::TearDown()
{
    frame.reset(); // before the adapter and the window it lives in
    adapter.reset();
    window.reset();
}

std::size_t differingPixels(const Screenshot& a, const Screenshot& b)
{
    if (a.width != b.width || a.height != b.height)
        return std::max(a.pixels.size(), b.pixels.size()) + 1;
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        count += a.pixels[i] != b.pixels[i];
    return count;
}

} // namespace corvale::test
