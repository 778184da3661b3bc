// The VST 2.4 binary interface as the adapter and its tests use it: Debian's
// fst header with the VST 2 names, plus the few numbers that header leaves
// unnamed (it marks them unknown). The header carries #warning lines, so the
// targets that include it compile with -Wno-cpp.
#pragma once

#include "pluginterfaces/fst/aeffectx.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

// Dispatcher opcodes missing from the header.
constexpr int kEffSetBypass = 44;
constexpr int kEffGetTailSize = 52;

// Host callback opcodes missing from the header.
constexpr int kAudioMasterIOChanged = 13;
constexpr int kAudioMasterUpdateDisplay = 42;

// Buffer sizes, terminating zero included, of the texts the host asks for.
constexpr int kParamStrSize = kVstMaxParamStrLen;   ///< name, label, display: 8
constexpr int kProgNameSize = kVstMaxProgNameLen;   ///< 24 characters + zero
constexpr int kEffectNameSize = 32;
constexpr int kVendorStrSize = 64;                  ///< vendor and product

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
