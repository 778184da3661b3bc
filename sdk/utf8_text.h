// Conversions between the SDK's UTF-16 strings and UTF-8: the control texts a
// plug-in declares, the parameter texts formatted and scanned with the C library,
// and the texts a VST 2 host hands over. No allocation.
#pragma once

#include "pluginterfaces/base/ftypes.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <cstddef>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// Writes NUL-terminated UTF-8 into text, cut to fit (never mid-character);
/// malformed bytes become U+FFFD. [any]
void utf8ToString128(const char* utf8, String128 text);

/// Writes the UTF-16 text as NUL-terminated UTF-8 into a buffer of utf8Size
/// bytes (utf8Size >= 1), cut to fit; unpaired surrogates become U+FFFD. [any]
void utf16ToUtf8(const TChar* text, char* utf8, size_t utf8Size);

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
