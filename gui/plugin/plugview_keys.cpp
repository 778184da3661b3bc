#include "gui/plugin/plugview_keys.h"

namespace VSTGUI {

namespace {

// The host's modifier bits (shift, alternate, command, control) in its own order.
constexpr Steinberg::int16 kHostShift = 1 << 0;
constexpr Steinberg::int16 kHostAlternate = 1 << 1;
constexpr Steinberg::int16 kHostCommand = 1 << 2;
constexpr Steinberg::int16 kHostControl = 1 << 3;

} // namespace

VstKeyCode keyCodeFromPlugView(Steinberg::char16 key, Steinberg::int16 keyCode,
                               Steinberg::int16 modifiers)
{
    VstKeyCode code;
    if (keyCode >= VKEY_BACK && keyCode <= VKEY_F12)
        code.virt = static_cast<uint8_t>(keyCode);
    // A key with a virtual code types nothing, except the space bar.
    if (code.virt == 0 || code.virt == VKEY_SPACE)
        code.character = key;
    if (modifiers & kHostShift)
        code.modifier |= MODIFIER_SHIFT;
    if (modifiers & kHostAlternate)
        code.modifier |= MODIFIER_ALTERNATE;
    if (modifiers & kHostCommand)
        code.modifier |= MODIFIER_COMMAND;
    if (modifiers & kHostControl)
        code.modifier |= MODIFIER_CONTROL;
    return code;
}

} // namespace VSTGUI
