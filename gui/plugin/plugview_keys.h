// Keys a VST 3 host forwards through IPlugView::onKeyDown/onKeyUp, as the toolkit's
// VstKeyCode.
#pragma once

#include "gui/base/vstkeycode.h"

#include "pluginterfaces/base/ftypes.h"

namespace VSTGUI {

/// [any] The key event for a host's (character, virtual key code, modifiers). The host's
/// virtual key codes share their numbers with the toolkit's up to F12; codes beyond that
/// and unknown modifier bits are dropped.
VstKeyCode keyCodeFromPlugView(Steinberg::char16 key, Steinberg::int16 keyCode,
                               Steinberg::int16 modifiers);

} // namespace VSTGUI
