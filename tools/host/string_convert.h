// Conversions between the SDK's UTF-16 texts and std::string (UTF-8) for the
// host library; they allocate, so they are for the main thread.
#pragma once

#include "pluginterfaces/base/ftypes.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <string>

namespace corvale::host {

/// [any] UTF-16 (zero-terminated, at most `maxChars` units) to UTF-8.
std::string toUtf8(const Steinberg::Vst::TChar* text, std::size_t maxChars = 128);

/// [any] UTF-8 to a zero-terminated String128 (truncated to 127 units).
void toString128(const std::string& text, Steinberg::Vst::String128 out);

} // namespace corvale::host
