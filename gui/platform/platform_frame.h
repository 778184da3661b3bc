// The seam between a CFrame (views, drawing, events: platform-free) and the
// window system. A platform frame is a child window of the host's window; it
// turns window-system events into IPlatformFrameCallback calls, in the frame's
// logical coordinates (device pixels divided by the scale factor), and paints by
// asking the callback to draw the invalid region into a back buffer that it then
// copies to the window. Everything happens on the UI thread, from IRunLoop callbacks.
#pragma once

#include "gui/base/cbuttonstate.h"
#include "gui/base/crect.h"
#include "gui/base/vstkeycode.h"

#include <cstdint>

typedef struct _cairo cairo_t;

namespace VSTGUI {

class IRunLoop;

/// Implemented by the frame; called by the platform window. [UI thread]
class IPlatformFrameCallback
{
public:
    /// Draws `dirty` (logical coordinates) into `context`, which is already scaled
    /// and clipped to `dirty`.
    virtual void platformDrawRect(cairo_t* context, const CRect& dirty) = 0;

    virtual CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseExited(CPoint& where, const CButtonState& buttons) = 0;
    /// One wheel notch is a distance of ±1 (y: +1 away from the user, "up").
    virtual bool platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                                      const CButtonState& buttons) = 0;
    /// A key typed while the window has the keyboard focus. True when consumed.
    virtual bool platformOnKeyDown(VstKeyCode& key) = 0;
    virtual bool platformOnKeyUp(VstKeyCode& key) = 0;
    /// The window gained or lost the keyboard focus.
    virtual void platformOnFocusChanged(bool focused) = 0;

protected:
    ~IPlatformFrameCallback() = default;
};

/// Implemented by the window system layer (gui/x11). [UI thread]
class IPlatformFrame
{
public:
    /// Closes the window, unregisters from the run loop, closes the display connection.
    virtual ~IPlatformFrame() = default;

    /// Marks `rect` (logical coordinates) for repainting; the window redraws the
    /// collected region soon after, from a run-loop timer.
    virtual void invalidRect(const CRect& rect) = 0;
    /// New logical size of the window.
    virtual void setSize(const CPoint& size) = 0;
    /// New scale factor (1, 1.5, 2...): the window is resized to size × scale and
    /// everything is repainted.
    virtual void setScaleFactor(double scale) = 0;
    virtual void setCursor(CCursorType type) = 0;
    /// Asks the window system for the keyboard focus.
    virtual void takeFocus() = 0;
    /// The native window id (an X11 window), for tests and embedding.
    virtual uintptr_t getNativeWindow() const = 0;
};

/// How to create a platform frame.
struct PlatformFrameConfig
{
    uintptr_t parentWindow = 0;  ///< the host's window (X11: window id)
    CPoint size;                 ///< logical size
    double scaleFactor = 1.0;
    IRunLoop* runLoop = nullptr;  ///< required; drives every event and timer
};

} // namespace VSTGUI
