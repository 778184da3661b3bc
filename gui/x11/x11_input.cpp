#include "gui/x11/x11_input.h"

#include <xkbcommon/xkbcommon-keysyms.h>

namespace VSTGUI::X11 {
namespace {

// X core protocol state mask bits.
enum : uint16_t
{
    kXShift = 1 << 0,
    kXControl = 1 << 2,
    kXMod1 = 1 << 3,
    kXMod4 = 1 << 6,
    kXMod5 = 1 << 7,
    kXButton1 = 1 << 8,
    kXButton2 = 1 << 9,
    kXButton3 = 1 << 10,
};

struct KeysymEntry
{
    uint32_t keysym;
    uint8_t virt;
};

constexpr KeysymEntry kVirtualKeys[] = {
    {XKB_KEY_BackSpace, VKEY_BACK},     {XKB_KEY_Tab, VKEY_TAB},
    {XKB_KEY_ISO_Left_Tab, VKEY_TAB},   {XKB_KEY_Clear, VKEY_CLEAR},
    {XKB_KEY_Return, VKEY_RETURN},      {XKB_KEY_Pause, VKEY_PAUSE},
    {XKB_KEY_Escape, VKEY_ESCAPE},      {XKB_KEY_space, VKEY_SPACE},
    {XKB_KEY_KP_Space, VKEY_SPACE},     {XKB_KEY_End, VKEY_END},
    {XKB_KEY_KP_End, VKEY_END},         {XKB_KEY_Home, VKEY_HOME},
    {XKB_KEY_KP_Home, VKEY_HOME},       {XKB_KEY_Left, VKEY_LEFT},
    {XKB_KEY_KP_Left, VKEY_LEFT},       {XKB_KEY_Up, VKEY_UP},
    {XKB_KEY_KP_Up, VKEY_UP},           {XKB_KEY_Right, VKEY_RIGHT},
    {XKB_KEY_KP_Right, VKEY_RIGHT},     {XKB_KEY_Down, VKEY_DOWN},
    {XKB_KEY_KP_Down, VKEY_DOWN},       {XKB_KEY_Page_Up, VKEY_PAGEUP},
    {XKB_KEY_KP_Page_Up, VKEY_PAGEUP},  {XKB_KEY_Page_Down, VKEY_PAGEDOWN},
    {XKB_KEY_KP_Page_Down, VKEY_PAGEDOWN}, {XKB_KEY_Select, VKEY_SELECT},
    {XKB_KEY_Print, VKEY_PRINT},        {XKB_KEY_KP_Enter, VKEY_ENTER},
    {XKB_KEY_Insert, VKEY_INSERT},      {XKB_KEY_KP_Insert, VKEY_INSERT},
    {XKB_KEY_Delete, VKEY_DELETE},      {XKB_KEY_KP_Delete, VKEY_DELETE},
    {XKB_KEY_Help, VKEY_HELP},          {XKB_KEY_KP_Multiply, VKEY_MULTIPLY},
    {XKB_KEY_KP_Add, VKEY_ADD},         {XKB_KEY_KP_Separator, VKEY_SEPARATOR},
    {XKB_KEY_KP_Subtract, VKEY_SUBTRACT}, {XKB_KEY_KP_Decimal, VKEY_DECIMAL},
    {XKB_KEY_KP_Divide, VKEY_DIVIDE},   {XKB_KEY_Num_Lock, VKEY_NUMLOCK},
    {XKB_KEY_Scroll_Lock, VKEY_SCROLL}, {XKB_KEY_Shift_L, VKEY_SHIFT},
    {XKB_KEY_Shift_R, VKEY_SHIFT},      {XKB_KEY_Control_L, VKEY_CONTROL},
    {XKB_KEY_Control_R, VKEY_CONTROL},  {XKB_KEY_Alt_L, VKEY_ALT},
    {XKB_KEY_Alt_R, VKEY_ALT},          {XKB_KEY_KP_Equal, VKEY_EQUALS},
};

/// Virtual keys that also type their character into a text field.
bool typesText(uint8_t virt)
{
    return virt == VKEY_SPACE || (virt >= VKEY_NUMPAD0 && virt <= VKEY_DIVIDE) || virt == VKEY_EQUALS;
}

} // namespace

int32_t mouseButtonFromX(uint8_t button)
{
    switch (button) {
    case 1:
        return kLButton;
    case 2:
        return kMButton;
    case 3:
        return kRButton;
    default:
        return 0;
    }
}

bool wheelStepFromX(uint8_t button, WheelStep& step)
{
    switch (button) {
    case 4:
        step = {kMouseWheelAxisY, 1.0f};
        return true;
    case 5:
        step = {kMouseWheelAxisY, -1.0f};
        return true;
    case 6:
        step = {kMouseWheelAxisX, -1.0f};
        return true;
    case 7:
        step = {kMouseWheelAxisX, 1.0f};
        return true;
    default:
        return false;
    }
}

int32_t modifiersFromX(uint16_t state)
{
    int32_t bits = 0;
    if (state & kXShift)
        bits |= kShift;
    if (state & kXControl)
        bits |= kControl;
    if (state & (kXMod1 | kXMod5))
        bits |= kAlt;
    if (state & kXMod4)
        bits |= kApple;
    return bits;
}

int32_t heldButtonsFromX(uint16_t state)
{
    int32_t bits = 0;
    if (state & kXButton1)
        bits |= kLButton;
    if (state & kXButton2)
        bits |= kMButton;
    if (state & kXButton3)
        bits |= kRButton;
    return bits;
}

uint8_t keyModifiersFromX(uint16_t state)
{
    uint8_t bits = 0;
    if (state & kXShift)
        bits |= MODIFIER_SHIFT;
    if (state & kXControl)
        bits |= MODIFIER_CONTROL;
    if (state & (kXMod1 | kXMod5))
        bits |= MODIFIER_ALTERNATE;
    if (state & kXMod4)
        bits |= MODIFIER_COMMAND;
    return bits;
}

uint8_t virtualKeyFromKeysym(uint32_t keysym)
{
    if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F12)
        return static_cast<uint8_t>(VKEY_F1 + (keysym - XKB_KEY_F1));
    if (keysym >= XKB_KEY_KP_0 && keysym <= XKB_KEY_KP_9)
        return static_cast<uint8_t>(VKEY_NUMPAD0 + (keysym - XKB_KEY_KP_0));
    for (const KeysymEntry& entry : kVirtualKeys) {
        if (entry.keysym == keysym)
            return entry.virt;
    }
    return 0;
}

VstKeyCode keyCodeFromX(uint32_t keysym, uint32_t character, uint16_t state)
{
    VstKeyCode key;
    key.virt = virtualKeyFromKeysym(keysym);
    key.modifier = keyModifiersFromX(state);
    const bool printable = character >= 0x20 && character != 0x7f && !(character >= 0x80 && character < 0xa0);
    if (printable && (key.virt == 0 || typesText(key.virt)))
        key.character = static_cast<int32_t>(character);
    return key;
}

} // namespace VSTGUI::X11
