#include "gui/x11/keyboard.h"

#include "gui/x11/x11_input.h"

#include <xcb/xcb.h>
// xcb's keyboard-extension header names a structure field `explicit`, a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace VSTGUI::X11 {
namespace {

constexpr uint8_t kCoreMappingNotify = XCB_MAPPING_NOTIFY;

} // namespace

Keyboard::Keyboard(xcb_connection_t* connection) : connection_(connection)
{
    uint8_t firstEvent = 0;
    if (!xkb_x11_setup_xkb_extension(connection_, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &firstEvent,
                                     nullptr))
        return;
    deviceId_ = xkb_x11_get_core_keyboard_device_id(connection_);
    if (deviceId_ < 0)
        return;
    firstEvent_ = firstEvent;

    // A new keyboard or a changed map means a new keymap; every detail of both is wanted.
    const uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
    const uint16_t mapParts = 0xff;
    const xcb_xkb_select_events_details_t noDetails = {};
    xcb_xkb_select_events_aux(connection_, static_cast<xcb_xkb_device_spec_t>(deviceId_), events, 0, events,
                              mapParts, mapParts, &noDetails);

    context_ = xkb_context_new(
        static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    if (context_)
        loadKeymap();
}

Keyboard::~Keyboard()
{
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

bool Keyboard::loadKeymap()
{
    xkb_keymap* keymap = xkb_x11_keymap_new_from_device(context_, connection_, deviceId_, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_state* state = keymap ? xkb_x11_state_new_from_device(keymap, connection_, deviceId_) : nullptr;
    if (!state) {
        xkb_keymap_unref(keymap);
        return false; // keep the keymap we had
    }
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    state_ = state;
    return true;
}

bool Keyboard::handleEvent(const xcb_generic_event_t* event)
{
    const uint8_t type = event->response_type & 0x7f;
    bool changed = type == kCoreMappingNotify;
    if (firstEvent_ != 0 && type == firstEvent_) {
        // The extension's events share one code; the second byte tells which one it is.
        const uint8_t xkbType = event->pad0;
        changed = xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || xkbType == XCB_XKB_MAP_NOTIFY;
    }
    if (changed && context_)
        loadKeymap();
    return changed;
}

VstKeyCode Keyboard::translate(uint8_t keycode, uint16_t state)
{
    if (!state_)
        return {};
    // The event's state is what the server applied to this key: its modifiers and, in
    // bits 13-14, the layout group. Feeding exactly that gives the symbol the user saw.
    xkb_state_update_mask(state_, state & 0xff, 0, 0, 0, 0, (state >> 13) & 3);
    const xkb_keysym_t keysym = xkb_state_key_get_one_sym(state_, keycode);
    return keyCodeFromX(keysym, xkb_keysym_to_utf32(keysym), state);
}

} // namespace VSTGUI::X11
