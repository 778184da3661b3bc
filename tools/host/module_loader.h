// ModuleLoader: opens a VST 3 bundle through its exports, as a DAW does.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <string>
#include <vector>

namespace corvale::host {

/// Loads a VST 3 module the way a DAW does: dlopen the shared object inside the
/// bundle, call `ModuleEntry` (when exported), then `GetPluginFactory`. Unloading
/// releases the factory, calls `ModuleExit` and closes the library.
class ModuleLoader
{
public:
    /// One class of the factory: the 8-bit fields of PClassInfo2, or of PClassInfo when
    /// that is all there is.
    struct ClassEntry
    {
        Steinberg::TUID cid {};
        std::string name;
        std::string category;
        std::string subCategories;
        std::string vendor;
        std::string version;
    };

    ModuleLoader() = default;
    ~ModuleLoader();
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    /// [main] Loads a bundle ("X.vst3" folder) or a shared object given directly.
    /// Returns false and sets error() for a missing file, a library that cannot be
    /// loaded, one without `GetPluginFactory`, or a failing `ModuleEntry`.
    bool load(const std::string& path);

    /// [main] Releases the factory, calls `ModuleExit` and closes the library; safe to repeat.
    void unload();

    /// [any] True between a successful load() and unload().
    bool isLoaded() const { return factory_ != nullptr; }

    /// [any] The reason the last load() or findAudioEffectClass() failed, as one line.
    const std::string& error() const { return error_; }

    /// [any] The shared object actually opened (inside the bundle), empty before load().
    const std::string& libraryPath() const { return libraryPath_; }

    /// [any] The module's factory (owned by the loader; do not release it), or null.
    Steinberg::IPluginFactory* factory() const { return factory_; }

    /// [main] All classes the factory reports.
    std::vector<ClassEntry> classes() const;

    /// [main] The first class of category "Audio Module Class"; false (error() set) when none.
    bool findAudioEffectClass(ClassEntry& out);

    /// [any] The shared object a bundle path stands for: "A/B.vst3" (a folder) maps to
    /// "A/B.vst3/Contents/<arch>-linux/B.so"; any other path is returned unchanged.
    static std::string resolveLibraryPath(const std::string& path);

private:
    void* handle_ = nullptr;
    Steinberg::IPluginFactory* factory_ = nullptr;
    bool entered_ = false;
    std::string libraryPath_;
    std::string error_;
};

} // namespace corvale::host
