// Module-wide facts of the bundle: factory texts and the module handle.
#pragma once

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

constexpr const char* kVendor = "Brackwater";
constexpr const char* kVendorUrl = "https://www.brackwater.example";
constexpr const char* kVendorEmail = "Corvale 0.0.2.0";  ///< product and version, by convention
constexpr const char* kClassName = "CorvaleV0020";
constexpr const char* kSubCategories = "FX|EQ";
constexpr const char* kClassVersion = "0.0.2.0";

/// The handle ModuleEntry received, or null outside ModuleEntry/ModuleExit. [main]
void* moduleHandle();

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
