// What the X11 tests need from a display of their own: to know whether there is one
// (skip when run by hand without, fail when the test script provided one), real input
// through the XTEST extension, the keyboard mapping, and screenshots of a window.
#pragma once

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvale::test {

/// Pixels read back from a window, 0xRRGGBB each, row by row.
struct Screenshot
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

class XTestDisplay
{
public:
    /// Connects to $DISPLAY; ok() tells whether that worked and XTEST is there.
    XTestDisplay();
    /// Puts back any key mapping changed by bindSpareKeycode and disconnects.
    ~XTestDisplay();
    XTestDisplay(const XTestDisplay&) = delete;
    XTestDisplay& operator=(const XTestDisplay&) = delete;

    bool ok() const { return ok_; }
    xcb_connection_t* connection() const { return connection_; }
    xcb_window_t root() const { return root_; }

    /// Moves the pointer to (x, y) device pixels relative to `window`'s top-left corner.
    void moveTo(xcb_window_t window, int x, int y);
    void buttonDown(uint8_t button);
    void buttonUp(uint8_t button);
    void click(uint8_t button)
    {
        buttonDown(button);
        buttonUp(button);
    }
    void keyDown(uint8_t keycode);
    void keyUp(uint8_t keycode);
    /// The keycode that types `keysym` and whether Shift is needed for it; 0 when no key has it.
    uint8_t keycodeFor(uint32_t keysym, bool* needsShift = nullptr);
    /// Gives an unused keycode the symbol `keysym` (restored by the destructor); 0 when none is free.
    uint8_t bindSpareKeycode(uint32_t keysym);
    /// Presses and releases the key for `keysym`, with Shift when the keymap needs it.
    void type(uint32_t keysym);

    /// Returns when the server has handled everything this connection sent.
    void sync();
    /// The window's pixels (it must be viewable); empty when it cannot be read.
    Screenshot screenshot(xcb_window_t window);
    /// The window's size in pixels; 0×0 when it does not exist.
    std::pair<int, int> windowSize(xcb_window_t window);

private:
    void fakeInput(uint8_t type, uint8_t detail, int16_t x = 0, int16_t y = 0);
    std::vector<uint32_t> keysymsOf(uint8_t keycode);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    bool ok_ = false;
    std::vector<uint8_t> reboundKeycodes_;
};

/// Fixture for tests that need an X display: skipped without one, unless the test
/// script started a server for them (CORVALE_REQUIRE_X_DISPLAY=1), in which case a
/// missing display is a failure.
class XDisplayTest : public ::testing::Test
{
protected:
    void SetUp() override;

    XTestDisplay display;
};

} // namespace corvale::test
