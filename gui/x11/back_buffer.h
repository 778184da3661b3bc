// Flicker-free painting of one window: the frame draws into an off-screen ARGB image of
// the window's size, and only the repainted rectangles are copied to the window.
#pragma once

#include "gui/x11/dirty_region.h"

#include <cstdint>
#include <vector>

typedef struct xcb_connection_t xcb_connection_t;
typedef struct xcb_visualtype_t xcb_visualtype_t;
typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI {
class IPlatformFrameCallback;
}

namespace VSTGUI::X11 {

class BackBuffer
{
public:
    /// A buffer of width × height device pixels for `window` (of `visual`) on `connection`,
    /// which must outlive it. [UI thread]
    BackBuffer(xcb_connection_t* connection, uint32_t window, xcb_visualtype_t* visual, int width, int height);
    /// Releases the image and the window surface, and cairo's state for the connection. [UI thread]
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    /// New size in device pixels: the image starts over empty (everything must be redrawn). [UI thread]
    void resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    /// Has `callback` draw `rect` into the image: the rect is cleared, the context is
    /// clipped to it and scaled by `scale`, and the callback gets the rect in logical
    /// coordinates. [UI thread]
    void draw(const PixelRect& rect, IPlatformFrameCallback& callback, double scale);
    /// Copies `rects` from the image to the window (not flushed to the server). [UI thread]
    void present(const std::vector<PixelRect>& rects);

private:
    cairo_surface_t* createImage() const;

    int width_;
    int height_;
    cairo_surface_t* image_ = nullptr;
    cairo_surface_t* window_ = nullptr;
};

} // namespace VSTGUI::X11
