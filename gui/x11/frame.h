// The X11 platform frame: a child window of the host's window on a display connection
// of its own, driven entirely by the run loop it is given (no thread, nothing blocks
// after creation). xcb keeps every X error with our connection, so nothing here touches
// the host's connection or its (process-wide) Xlib error handler.
#pragma once

#include "gui/platform/platform_frame.h"
#include "gui/platform/run_loop.h"
#include "gui/x11/dirty_region.h"
#include "gui/x11/double_click_detector.h"

#include <memory>
#include <string>
#include <vector>

#include <xcb/xcb.h>


namespace VSTGUI::X11 {

class BackBuffer;
class CursorCache;
class Keyboard;

class Frame final : public IPlatformFrame, private IFileDescriptorHandler, private ITimerHandler
{
public:
    /// Repaint period while something is invalid; the timer is removed when all is painted.
    static constexpr uint32_t kPaintIntervalMs = 16;

    /// [UI thread] Opens the window described by `config` for `callback` (both must outlive
    /// the frame); null, with one line on stderr, when it cannot: no display, no such
    /// parent window, no run loop, or the run loop refuses the connection.
    static std::unique_ptr<Frame> create(IPlatformFrameCallback& callback, const PlatformFrameConfig& config);
    /// [UI thread] Unregisters from the run loop, destroys the window, closes the connection.
    ~Frame() override;

    // IPlatformFrame; [UI thread]. After the connection broke they do nothing.
    void invalidRect(const CRect& rect) override;
    void setSize(const CPoint& size) override;
    void setScaleFactor(double scale) override;
    void setCursor(CCursorType type) override;
    void takeFocus() override;
    uintptr_t getNativeWindow() const override { return window_; }

    /// [UI thread] Blocks until the server has handled every request the frame sent, then
    /// dispatches what arrived meanwhile. For tests and tools; the frame itself never waits.
    void sync();
    /// [UI thread] X errors the server reported on this frame's connection so far.
    int xErrorCount() const { return xErrors_; }
    /// [UI thread] True once the connection to the server broke (the frame is inert then).
    bool isBroken() const { return broken_; }
    double scaleFactor() const { return scale_; }

private:
    Frame(IPlatformFrameCallback& callback, const PlatformFrameConfig& config);
    /// Connects and creates the window; the reason for failure otherwise.
    std::string open(uintptr_t parent);

    // IFileDescriptorHandler / ITimerHandler
    void onFileDescriptorReady(int fd) override;
    void onTimer() override;

    /// Takes every event queued now (never waiting) and dispatches it.
    void processEvents();
    void paint();
    void updateDeviceSize();
    void invalidateAll();
    void scheduleRepaint();
    /// Called when the connection has broken: the frame stops listening and goes inert.
    void shutDown();
    void flush();

    // Event dispatch (frame_events.cpp). Each answers false when the frame was destroyed
    // by the callback it called.
    bool dispatch(const xcb_generic_event_t* event);
    bool onButtonPress(const xcb_generic_event_t* event);
    bool onButtonRelease(const xcb_generic_event_t* event);
    bool onMotion(const xcb_generic_event_t* event);
    bool onLeave(const xcb_generic_event_t* event);
    bool onKey(const xcb_generic_event_t* event, bool down);
    bool onFocus(bool focused);
    bool onClientMessage(const xcb_generic_event_t* event);
    void onError(const xcb_generic_event_t* event);
    CPoint logical(int x, int y) const { return {x / scale_, y / scale_}; }

    /// Expires with the frame: a handler holding a weak reference sees that a callback it
    /// made destroyed the frame (a host may close the editor from inside an edit).
    using Life = std::weak_ptr<const bool>;
    Life life() const { return lifeToken_; }
    std::shared_ptr<const bool> lifeToken_ = std::make_shared<const bool>(true);

    IPlatformFrameCallback& callback_;
    IRunLoop* runLoop_;
    CPoint size_;
    double scale_;
    int deviceWidth_ = 1;
    int deviceHeight_ = 1;

    xcb_connection_t* connection_ = nullptr;
    xcb_visualtype_t* visual_ = nullptr;
    uint32_t window_ = 0;
    uint32_t xembedAtom_ = 0;
    std::unique_ptr<Keyboard> keyboard_;
    std::unique_ptr<CursorCache> cursors_;
    std::unique_ptr<BackBuffer> backBuffer_;

    DirtyRegion dirty_;
    std::vector<PixelRect> painting_;
    DoubleClickDetector doubleClick_;
    int32_t pressedButtons_ = 0; // mouse buttons down in our window (we hold the pointer grab)
    uint32_t lastEventTime_ = 0; // X server time of the last input event (0 = CurrentTime)
    bool focused_ = false;

    bool fdRegistered_ = false;
    bool timerRegistered_ = false;
    bool broken_ = false;
    bool windowGone_ = false; // the host destroyed its window (and so ours) before us
    int xErrors_ = 0;
};

/// [UI thread] The X11 platform frame for `callback`; null (one line on stderr) when it
/// cannot be opened.
std::unique_ptr<IPlatformFrame> createPlatformFrame(IPlatformFrameCallback& callback,
                                                    const PlatformFrameConfig& config);

} // namespace VSTGUI::X11
