// How X11 input maps onto the toolkit's: mouse buttons, wheel notches, modifier masks
// and keysyms. Pure functions of the event fields, so they are tested without a server.
#pragma once

#include "gui/base/cbuttonstate.h"
#include "gui/base/vstkeycode.h"

#include <cstdint>

namespace VSTGUI::X11 {

/// kLButton, kMButton or kRButton for X buttons 1, 2 and 3; 0 for the others. [any]
int32_t mouseButtonFromX(uint8_t button);

/// A wheel notch: X buttons 4/5 are y +1/-1 (4 = away from the user), 6/7 are x -1/+1.
struct WheelStep
{
    CMouseWheelAxis axis;
    float distance;
};
/// True (and `step`) when `button` is a wheel button. [any]
bool wheelStepFromX(uint8_t button, WheelStep& step);

/// The modifiers of an X event's state mask as CButtonState bits: Shift, Control,
/// Mod1 or Mod5 = kAlt, Mod4 = kApple. [any]
int32_t modifiersFromX(uint16_t state);
/// The mouse buttons held in an X event's state mask (Button1..3) as CButtonState bits. [any]
int32_t heldButtonsFromX(uint16_t state);
/// The modifiers of an X event's state mask as VstKeyCode ModifierKey bits. [any]
uint8_t keyModifiersFromX(uint16_t state);

/// The VirtualKey of an X keysym, 0 when it has none (letters, digits, punctuation). [any]
uint8_t virtualKeyFromKeysym(uint32_t keysym);
/// The key event for `keysym` with the Unicode `character` it types (0 for none) and
/// the X state mask. Keys with a virtual key keep a character only when they type one
/// into text (space, keypad digits and operators); control characters are dropped. [any]
VstKeyCode keyCodeFromX(uint32_t keysym, uint32_t character, uint16_t state);

} // namespace VSTGUI::X11
