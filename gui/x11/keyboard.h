// The keyboard of a display connection, through the X keyboard extension and
// xkbcommon: turns key events into VstKeyCodes with the character the user's layout
// types, and follows layout and mapping changes.
#pragma once

#include "gui/base/vstkeycode.h"

#include <cstdint>

#include <xcb/xcb.h>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace VSTGUI::X11 {

class Keyboard
{
public:
    /// Sets the X keyboard extension up on `connection` (which must outlive this object),
    /// asks for its mapping-change events and loads the core keyboard's keymap. Blocks for
    /// a few round trips. isValid() is false when the server has no keyboard extension. [UI thread]
    explicit Keyboard(xcb_connection_t* connection);
    ~Keyboard();
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    bool isValid() const { return state_ != nullptr; }
    /// Reloads the keymap when `event` says the keyboard mapping changed; false for every
    /// other event. [UI thread]
    bool handleEvent(const xcb_generic_event_t* event);
    /// The key event of X keycode `keycode` with the X event state `state` (modifiers and
    /// layout group); an empty VstKeyCode when there is no keymap. [UI thread]
    VstKeyCode translate(uint8_t keycode, uint16_t state);

private:
    bool loadKeymap();

    xcb_connection_t* connection_;
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* state_ = nullptr;
    int32_t deviceId_ = -1;
    uint8_t firstEvent_ = 0; // the extension's first event code; 0 when it is missing
};

} // namespace VSTGUI::X11
