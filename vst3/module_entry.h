// The module's shared state: the handle the editor finds its resources through
// and the one class factory, kept for the module's lifetime. The exported
// entry points (module_entry.cpp) and the VST 2 entry (vst2/vst2_entry.cpp) go
// through these functions; all of them are safe to call from any thread.
#pragma once

namespace Steinberg {
class IPluginFactory;
namespace Vst {
namespace Rive2ZOD3 {

/// The handle ModuleEntry (or a VST 2 effect) gave the module, or null while
/// nothing holds the module entered. [any]
void* moduleHandle();

/// The module's factory with one more reference, which the caller releases. It
/// is built on the first call and kept until ModuleExit or unload; null when it
/// cannot be built. [any]
IPluginFactory* acquireModuleFactory();

/// A VST 2 effect holds the module entered for its whole life (VST 2 hosts
/// never call ModuleEntry): the first holder's handle becomes the module
/// handle. It does not keep the factory alive. [any]
void enterModuleForEffect(void* handle);
/// Ends one enterModuleForEffect. [any]
void leaveModuleForEffect();

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
