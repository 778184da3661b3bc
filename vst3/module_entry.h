// The module handle the host passed to ModuleEntry; the editor finds its
// resources through it.
#pragma once

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// The handle ModuleEntry received, or null outside ModuleEntry/ModuleExit. [main]
void* moduleHandle();

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
