// X11 input fields to the toolkit's buttons, wheel steps, modifiers and key codes.
#include "gui/x11/x11_input.h"

#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon.h>

using namespace VSTGUI;
using namespace VSTGUI::X11;

namespace {

// X core state mask bits, as the protocol defines them.
constexpr uint16_t kXShift = 1 << 0, kXLock = 1 << 1, kXControl = 1 << 2, kXMod1 = 1 << 3, kXMod2 = 1 << 4,
                   kXMod4 = 1 << 6, kXMod5 = 1 << 7, kXButton1 = 1 << 8, kXButton2 = 1 << 9, kXButton3 = 1 << 10;

} // namespace

TEST(X11Input, ButtonsAndWheelNotches)
{
    EXPECT_EQ(mouseButtonFromX(1), kLButton);
    EXPECT_EQ(mouseButtonFromX(2), kMButton);
    EXPECT_EQ(mouseButtonFromX(3), kRButton);
    for (uint8_t other : {0, 4, 5, 6, 7, 8, 9})
        EXPECT_EQ(mouseButtonFromX(other), 0) << int(other);

    struct Case
    {
        uint8_t button;
        CMouseWheelAxis axis;
        float distance;
    };
    for (const Case& c : {Case {4, kMouseWheelAxisY, 1}, Case {5, kMouseWheelAxisY, -1}, Case {6, kMouseWheelAxisX, -1},
                          Case {7, kMouseWheelAxisX, 1}}) {
        WheelStep step {};
        ASSERT_TRUE(wheelStepFromX(c.button, step)) << int(c.button);
        EXPECT_EQ(step.axis, c.axis) << int(c.button);
        EXPECT_EQ(step.distance, c.distance) << int(c.button);
    }
    WheelStep step {};
    for (uint8_t other : {1, 2, 3, 8})
        EXPECT_FALSE(wheelStepFromX(other, step)) << int(other);
}

TEST(X11Input, StateMaskToModifiersAndHeldButtons)
{
    struct Case
    {
        uint16_t state;
        int32_t modifiers;
        int32_t held;
        uint8_t keyModifiers;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {kXShift, kShift, 0, MODIFIER_SHIFT},
        {kXControl, kControl, 0, MODIFIER_CONTROL},
        {kXMod1, kAlt, 0, MODIFIER_ALTERNATE},
        {kXMod5, kAlt, 0, MODIFIER_ALTERNATE},
        {kXMod4, kApple, 0, MODIFIER_COMMAND},
        {kXLock | kXMod2, 0, 0, 0}, // Caps Lock and Num Lock are no modifiers to a view
        {kXButton1 | kXButton3, 0, kLButton | kRButton, 0},
        {kXShift | kXControl | kXButton2, kShift | kControl, kMButton, MODIFIER_SHIFT | MODIFIER_CONTROL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modifiersFromX(c.state), c.modifiers) << std::hex << c.state;
        EXPECT_EQ(heldButtonsFromX(c.state), c.held) << std::hex << c.state;
        EXPECT_EQ(keyModifiersFromX(c.state), c.keyModifiers) << std::hex << c.state;
    }
}

TEST(X11Input, KeysymsBecomeVirtualKeysOrTypedCharacters)
{
    struct Case
    {
        const char* keysymName; // resolved by xkbcommon, not by us
        int32_t character;
        uint8_t virt;
    };
    const Case cases[] = {
        {"a", 'a', 0},
        {"A", 'A', 0},
        {"7", '7', 0},
        {"period", '.', 0},
        {"eacute", 0xe9, 0},
        {"EuroSign", 0x20ac, 0},
        {"Cyrillic_zhe", 0x436, 0},
        {"space", ' ', VKEY_SPACE},
        {"Return", 0, VKEY_RETURN},
        {"KP_Enter", 0, VKEY_ENTER},
        {"Escape", 0, VKEY_ESCAPE},
        {"Tab", 0, VKEY_TAB},
        {"ISO_Left_Tab", 0, VKEY_TAB},
        {"BackSpace", 0, VKEY_BACK},
        {"Delete", 0, VKEY_DELETE},
        {"KP_Delete", 0, VKEY_DELETE},
        {"Home", 0, VKEY_HOME},
        {"End", 0, VKEY_END},
        {"Prior", 0, VKEY_PAGEUP},
        {"Next", 0, VKEY_PAGEDOWN},
        {"Left", 0, VKEY_LEFT},
        {"KP_Up", 0, VKEY_UP},
        {"Right", 0, VKEY_RIGHT},
        {"Down", 0, VKEY_DOWN},
        {"F1", 0, VKEY_F1},
        {"F12", 0, VKEY_F12},
        {"KP_0", '0', VKEY_NUMPAD0},
        {"KP_9", '9', VKEY_NUMPAD9},
        {"KP_Decimal", '.', VKEY_DECIMAL},
        {"KP_Subtract", '-', VKEY_SUBTRACT},
        {"Shift_L", 0, VKEY_SHIFT},
        {"Control_R", 0, VKEY_CONTROL},
        {"Alt_L", 0, VKEY_ALT},
        {"dead_acute", 0, 0}, // types nothing by itself
    };
    for (const Case& c : cases) {
        const xkb_keysym_t keysym = xkb_keysym_from_name(c.keysymName, XKB_KEYSYM_NO_FLAGS);
        ASSERT_NE(keysym, XKB_KEY_NoSymbol) << c.keysymName;
        const VstKeyCode key = keyCodeFromX(keysym, xkb_keysym_to_utf32(keysym), 0);
        EXPECT_EQ(key.character, c.character) << c.keysymName;
        EXPECT_EQ(key.virt, c.virt) << c.keysymName;
        EXPECT_EQ(key.modifier, 0) << c.keysymName;
    }
}

TEST(X11Input, ControlCharactersAreNeverTyped)
{
    // Whatever character a layout reports for these, a text field must not get it.
    for (uint32_t control : {0x01u, 0x08u, 0x0du, 0x1bu, 0x7fu, 0x9bu}) {
        const VstKeyCode key = keyCodeFromX(0x61 /* a */, control, kXControl);
        EXPECT_EQ(key.character, 0) << std::hex << control;
        EXPECT_EQ(key.modifier, MODIFIER_CONTROL);
    }
}
