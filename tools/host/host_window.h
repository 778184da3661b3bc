#pragma once

#include "host/run_loop.h"

#include "pluginterfaces/base/smartpointer.h"

#include <cstdint>
#include <string>

typedef struct xcb_connection_t xcb_connection_t;

namespace corvale::host {

/// The top-level X11 window a DAW opens for a plug-in's editor: the parent handed to
/// IPlugView::attached. It has a display connection of its own (never shared with the
/// plug-in), served by the run loop; closing it (the window manager's close button)
/// ends the loop's run(). A broken connection or an X error never ends the process.
///
/// Typical use: HostWindow window(loop, "Corvale", 926, 213);
///              view->attached(window.nativeParent(), kPlatformTypeX11EmbedWindowID);
class HostWindow
{
public:
    /// [UI thread] Connects to $DISPLAY and opens a mapped window of width × height
    /// pixels titled `title`. Check isOpen(); error() says why it is not.
    HostWindow(RunLoop* loop, const std::string& title, int width, int height);
    /// [UI thread] Destroys the window and closes the connection.
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    /// [any] True while the window exists and has not been closed.
    bool isOpen() const { return window_ != 0 && !closed_; }
    /// [any] True once the user closed the window or the connection broke.
    bool closed() const { return closed_; }
    /// [any] Why the window could not be opened, as one line.
    const std::string& error() const { return error_; }
    /// [any] The X window id, and the same as the pointer-sized parent `attached` takes.
    uint32_t windowId() const { return window_; }
    void* nativeParent() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window_)); }
    int width() const { return width_; }
    int height() const { return height_; }
    /// [any] X errors the server reported for this connection (a host fault when not 0).
    int xErrors() const { return xErrors_; }

    /// [UI thread] Resizes the window (a fixed size for the window manager).
    void resize(int width, int height);
    /// [UI thread] Returns when the X server has handled every request sent so far.
    void sync();

private:
    class EventSink;
    void onReadable();
    void setSizeHints();
    void close();

    Steinberg::IPtr<RunLoop> loop_;
    Steinberg::IPtr<EventSink> sink_;
    xcb_connection_t* connection_ = nullptr;
    uint32_t window_ = 0;
    uint32_t wmProtocols_ = 0;
    uint32_t wmDeleteWindow_ = 0;
    int width_ = 0;
    int height_ = 0;
    int xErrors_ = 0;
    bool closed_ = false;
    std::string error_;
};

} // namespace corvale::host
