// A host window with the host library's poll run loop (through the toolkit's run-loop
// adapter, as in a plug-in), and an X11 frame attached to it with a recording callback.
#pragma once

#include "recording_callback.h"
#include "x_test_display.h"

#include "gui/plugin/run_loop_adapter.h"
#include "gui/x11/frame.h"
#include "host/host_window.h"
#include "host/run_loop.h"

#include <functional>
#include <memory>

namespace corvale::test {

class FrameFixture : public XDisplayTest
{
protected:
    static constexpr unsigned kTimeoutMs = 5000; // only reached when something is broken

    /// Opens a host window of the frame's device size and attaches a frame of logical
    /// `size` at `scale` to it; waits until the first picture is on the screen.
    void openFrame(VSTGUI::CPoint size, double scale);
    /// Attaches another frame to the open host window.
    std::unique_ptr<VSTGUI::X11::Frame> attachFrame(double scale);
    /// Serves the run loop until `done` holds; false after kTimeoutMs.
    bool waitFor(const std::function<bool()>& done);
    /// Serves the run loop until the frame has painted everything it was asked to and
    /// the server has shown it.
    void settle();
    /// Logical to device pixels for input, at the frame's scale.
    int device(double logical) const { return static_cast<int>(logical * scale_ + 0.5); }
    xcb_window_t frameWindow() const { return static_cast<xcb_window_t>(frame->getNativeWindow()); }
    /// The scene drawn off-screen by cairo alone, as the window should show it; when
    /// `repainted` is not empty, then drawn again over it with `newBackground`, clipped to
    /// `repainted` (logical coordinates), as after a partial repaint.
    Screenshot expectedPicture(VSTGUI::CPoint size, double scale, uint32_t background,
                               const VSTGUI::CRect& repainted = {}, uint32_t newBackground = 0) const;

    void TearDown() override;

    Steinberg::IPtr<host::RunLoop> loop = Steinberg::owned(new host::RunLoop);
    std::unique_ptr<host::HostWindow> window;
    std::unique_ptr<VSTGUI::RunLoopAdapter> adapter;
    RecordingCallback callback {{200, 100}};
    std::unique_ptr<VSTGUI::X11::Frame> frame;

private:
    double scale_ = 1.0;
};

/// Pixels that differ between two pictures of the same size (all of them when the sizes differ).
std::size_t differingPixels(const Screenshot& a, const Screenshot& b);

} // namespace corvale::test
