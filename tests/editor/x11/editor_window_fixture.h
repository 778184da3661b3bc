// The built bundle's editor in a real X window, as a DAW opens it: a host window and a
// run loop of the host library, real input through XTEST, screenshots of the editor's
// window. Helpers to find the editor's window (the host window's child), to wait until
// it shows the panel, and to drag the pointer.
#pragma once

#include "x_test_display.h"

#include "host/host_window.h"
#include "host/run_loop.h"

#include "pluginterfaces/base/smartpointer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvale::test {

class EditorWindowFixture : public XDisplayTest
{
protected:
    static constexpr unsigned kTimeoutMs = 10000;  // only reached when something is broken
    static constexpr int kWidth = 926;
    static constexpr int kHeight = 213;

    /// Opens the host window the editor goes into.
    void openHostWindow();
    /// The host window's child windows (the editor's, while one is open).
    std::vector<xcb_window_t> children() const;
    /// Serves the run loop until `done` holds; false after kTimeoutMs.
    bool waitFor(const std::function<bool()>& done);
    /// Serves the run loop until the editor's window is viewable and shows the grey panel;
    /// the editor's window then, or 0.
    xcb_window_t waitForPanel();
    /// Presses the left button at `from` in `window`, moves to `to` in steps, releases.
    void drag(xcb_window_t window, int fromX, int fromY, int toX, int toY);
    void TearDown() override;

    Steinberg::IPtr<host::RunLoop> loop = Steinberg::owned(new host::RunLoop);
    std::unique_ptr<host::HostWindow> window;
};

/// Pixels of a screenshot whose colour differs from `picture` (0xRRGGBB each) by more
/// than `tolerance` in some channel; all of them when the sizes differ.
std::size_t pixelsOff(const Screenshot& shot, int width, int height,
                      const std::vector<uint32_t>& picture, int tolerance);

/// A PNG's pixels as 0xRRGGBB (over black where transparent); empty when unreadable.
std::vector<uint32_t> readPngRgb(const std::string& path, int& width, int& height);

} // namespace corvale::test
