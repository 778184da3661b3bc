// Text helpers for the strings a VST 2 host asks for: fixed-size 8-bit buffers.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <cstddef>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// Copies text into a host buffer of `size` bytes: cut to size - 1, always
/// terminated; a null source gives an empty text. Nothing happens for a null
/// buffer or a size of 0. [any]
void copyVst2Text(char* dest, const char* source, size_t size);

/// The same from a UTF-16 text; code units above 0x7F become '?', since the host
/// reads the buffer as 8-bit text of unknown encoding. [any]
void copyVst2Text(char* dest, const char16* source, size_t size);

/// Compares two 8-bit texts without regard to ASCII case. [any]
bool equalsIgnoringCase(const char* a, const char* b);

/// True when `text` contains `part`, without regard to ASCII case. [any]
bool containsIgnoringCase(const char* text, const char* part);

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
