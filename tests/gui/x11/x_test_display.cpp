#include "x_test_display.h"

#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>

namespace corvale::test {
namespace {

constexpr uint32_t kShiftL = 0xffe1;

template <typename T>
struct Freed
{
    T* p;
    explicit Freed(T* reply) : p(reply) {}
    ~Freed() { std::free(p); }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

} // namespace

XTestDisplay::XTestDisplay()
{
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_))
        return;
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i)
        xcb_screen_next(&screens);
    root_ = screens.data->root;
    Freed<xcb_test_get_version_reply_t> version(
        xcb_test_get_version_reply(connection_, xcb_test_get_version(connection_, 2, 2), nullptr));
    ok_ = static_cast<bool>(version);
}

XTestDisplay::~XTestDisplay()
{
    if (ok_) {
        for (uint8_t keycode : reboundKeycodes_) {
            const uint32_t none = 0;
            xcb_change_keyboard_mapping(connection_, 1, keycode, 1, &none);
        }
        sync();
    }
    xcb_disconnect(connection_);
}

void XTestDisplay::fakeInput(uint8_t type, uint8_t detail, int16_t x, int16_t y)
{
    xcb_test_fake_input(connection_, type, detail, XCB_CURRENT_TIME, root_, x, y, 0);
    xcb_flush(connection_);
}

void XTestDisplay::moveTo(xcb_window_t window, int x, int y)
{
    Freed<xcb_translate_coordinates_reply_t> where(xcb_translate_coordinates_reply(
        connection_,
        xcb_translate_coordinates(connection_, window, root_, static_cast<int16_t>(x), static_cast<int16_t>(y)),
        nullptr));
    if (where)
        fakeInput(XCB_MOTION_NOTIFY, 0, where->dst_x, where->dst_y);
}

void XTestDisplay::buttonDown(uint8_t button)
{
    fakeInput(XCB_BUTTON_PRESS, button);
}

void XTestDisplay::buttonUp(uint8_t button)
{
    fakeInput(XCB_BUTTON_RELEASE, button);
}

void XTestDisplay::keyDown(uint8_t keycode)
{
    fakeInput(XCB_KEY_PRESS, keycode);
}

void XTestDisplay::keyUp(uint8_t keycode)
{
    fakeInput(XCB_KEY_RELEASE, keycode);
}

std::vector<uint32_t> XTestDisplay::keysymsOf(uint8_t keycode)
{
    Freed<xcb_get_keyboard_mapping_reply_t> mapping(
        xcb_get_keyboard_mapping_reply(connection_, xcb_get_keyboard_mapping(connection_, keycode, 1), nullptr));
    if (!mapping)
        return {};
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping.p);
    return std::vector<uint32_t>(syms, syms + xcb_get_keyboard_mapping_keysyms_length(mapping.p));
}

uint8_t XTestDisplay::keycodeFor(uint32_t keysym, bool* needsShift)
{
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    for (int keycode = setup->min_keycode; keycode <= setup->max_keycode; ++keycode) {
        const std::vector<uint32_t> syms = keysymsOf(static_cast<uint8_t>(keycode));
        // Columns 0 and 1 are the unshifted and shifted symbols of the first group.
        for (std::size_t column = 0; column < syms.size() && column < 2; ++column) {
            if (syms[column] == keysym) {
                if (needsShift)
                    *needsShift = column == 1;
                return static_cast<uint8_t>(keycode);
            }
        }
    }
    return 0;
}

uint8_t XTestDisplay::bindSpareKeycode(uint32_t keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    for (int keycode = setup->max_keycode; keycode >= setup->min_keycode; --keycode) {
        const std::vector<uint32_t> syms = keysymsOf(static_cast<uint8_t>(keycode));
        bool unused = true;
        for (uint32_t sym : syms)
            unused = unused && sym == 0;
        if (!unused)
            continue;
        const uint32_t both[] = {keysym, keysym};
        xcb_change_keyboard_mapping(connection_, 1, static_cast<uint8_t>(keycode), 2, both);
        reboundKeycodes_.push_back(static_cast<uint8_t>(keycode));
        sync();
        return static_cast<uint8_t>(keycode);
    }
    return 0;
}

void XTestDisplay::type(uint32_t keysym)
{
    bool shift = false;
    const uint8_t keycode = keycodeFor(keysym, &shift);
    ASSERT_NE(keycode, 0) << "no key types keysym 0x" << std::hex << keysym;
    const uint8_t shiftKey = shift ? keycodeFor(kShiftL) : 0;
    if (shiftKey)
        keyDown(shiftKey);
    keyDown(keycode);
    keyUp(keycode);
    if (shiftKey)
        keyUp(shiftKey);
}

void XTestDisplay::sync()
{
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

Screenshot XTestDisplay::screenshot(xcb_window_t window)
{
    Screenshot shot;
    const auto [width, height] = windowSize(window);
    if (width == 0)
        return shot;
    Freed<xcb_get_image_reply_t> image(xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, static_cast<uint16_t>(width),
                      static_cast<uint16_t>(height), ~0u),
        nullptr));
    if (!image || xcb_get_image_data_length(image.p) < width * height * 4)
        return shot;
    shot.width = width;
    shot.height = height;
    shot.pixels.resize(static_cast<std::size_t>(width) * height);
    const uint8_t* data = xcb_get_image_data(image.p);
    // 24-bit true colour comes as 32-bit little-endian words, 0xXXRRGGBB.
    for (std::size_t i = 0; i < shot.pixels.size(); ++i) {
        uint32_t word;
        std::memcpy(&word, data + i * 4, 4);
        shot.pixels[i] = word & 0xffffff;
    }
    return shot;
}

std::pair<int, int> XTestDisplay::windowSize(xcb_window_t window)
{
    Freed<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    if (!geometry)
        return {0, 0};
    return {geometry->width, geometry->height};
}

void XDisplayTest::SetUp()
{
    if (display.ok())
        return;
    const char* required = std::getenv("CORVALE_REQUIRE_X_DISPLAY");
    if (required && std::strcmp(required, "1") == 0)
        FAIL() << "the test script started an X server, but it cannot be used (DISPLAY="
               << (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "") << ", XTEST needed)";
    GTEST_SKIP() << "no X display (set DISPLAY, or run scripts/test.sh, which starts Xvfb)";
}

} // namespace corvale::test
