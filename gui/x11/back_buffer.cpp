#include "gui/x11/back_buffer.h"

#include "gui/platform/platform_frame.h"

#include <cairo-xcb.h>
#include <cairo.h>

#include <algorithm>

namespace VSTGUI::X11 {

BackBuffer::BackBuffer(xcb_connection_t* connection, uint32_t window, xcb_visualtype_t* visual, int width,
                       int height)
    : width_(std::max(1, width)), height_(std::max(1, height))
{
    window_ = cairo_xcb_surface_create(connection, window, visual, width_, height_);
    image_ = createImage();
}

BackBuffer::~BackBuffer()
{
    cairo_surface_destroy(image_);
    if (window_) {
        // cairo keeps per-connection state (caches, server-side pictures) in its device;
        // it must be finished before the connection closes, or it would outlive it.
        cairo_device_t* device = cairo_surface_get_device(window_);
        if (device)
            cairo_device_finish(device);
        cairo_surface_destroy(window_);
    }
}

cairo_surface_t* BackBuffer::createImage() const
{
    // An image "similar" to the window lives in memory shared with the X server where
    // the server allows it, so presenting it copies nothing through the socket; and in
    // the window's own pixel format (no alpha for a 24-bit window), the server copies
    // it as it is instead of compositing.
    const cairo_format_t format =
        cairo_surface_get_content(window_) == CAIRO_CONTENT_COLOR ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32;
    return cairo_surface_create_similar_image(window_, format, width_, height_);
}

void BackBuffer::resize(int width, int height)
{
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    cairo_surface_destroy(image_);
    cairo_xcb_surface_set_size(window_, width_, height_);
    image_ = createImage();
}

void BackBuffer::draw(const PixelRect& rect, IPlatformFrameCallback& callback, double scale)
{
    if (rect.isEmpty())
        return;
    cairo_t* context = cairo_create(image_);
    cairo_rectangle(context, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(context);
    // Whatever the frame leaves undrawn shows as black, never as the last picture.
    cairo_set_operator(context, CAIRO_OPERATOR_CLEAR);
    cairo_paint(context);
    cairo_set_operator(context, CAIRO_OPERATOR_OVER);
    cairo_scale(context, scale, scale);
    const CRect logical(rect.x / scale, rect.y / scale, rect.right() / scale, rect.bottom() / scale);
    cairo_save(context);
    callback.platformDrawRect(context, logical);
    cairo_restore(context);
    cairo_destroy(context);
}

void BackBuffer::present(const std::vector<PixelRect>& rects)
{
    if (rects.empty())
        return;
    cairo_surface_flush(image_);
    cairo_t* context = cairo_create(window_);
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(context, image_, 0, 0);
    for (const PixelRect& rect : rects)
        cairo_rectangle(context, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(context);
    cairo_destroy(context);
    cairo_surface_flush(window_);
}

} // namespace VSTGUI::X11
