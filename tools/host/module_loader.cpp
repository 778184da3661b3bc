// ModuleLoader: bundle paths, dlopen, the module entry protocol and the
// factory's class list.
#include "host/module_loader.h"

#include "pluginterfaces/base/ipluginbase.h"

#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/utsname.h>

namespace corvale::host {
namespace {

using GetFactoryProc = Steinberg::IPluginFactory* (*)();
using ModuleEntryProc = bool (*)(void*);
using ModuleExitProc = bool (*)();

constexpr const char* kAudioEffectCategory = "Audio Module Class";

bool isDirectory(const std::string& path)
{
    struct stat st
    {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& path)
{
    struct stat st
    {};
    return ::stat(path.c_str(), &st) == 0;
}

std::string stem(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const auto slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string copyField(const char* field, std::size_t size)
{
    return std::string(field, ::strnlen(field, size));
}

} // namespace

ModuleLoader::~ModuleLoader()
{
    unload();
}

std::string ModuleLoader::resolveLibraryPath(const std::string& path)
{
    if (!isDirectory(path))
        return path;
    struct utsname names
    {};
    const std::string arch = ::uname(&names) == 0 ? names.machine : "x86_64";
    std::string bundle = path;
    while (bundle.size() > 1 && bundle.back() == '/')
        bundle.pop_back();
    return bundle + "/Contents/" + arch + "-linux/" + stem(bundle) + ".so";
}

bool ModuleLoader::load(const std::string& path)
{
    unload();
    error_.clear();
    if (!exists(path))
    {
        error_ = "cannot open plug-in '" + path + "': no such file or directory";
        return false;
    }
    libraryPath_ = resolveLibraryPath(path);
    if (isDirectory(path) && !exists(libraryPath_))
    {
        error_ = "'" + path + "' is not a VST 3 bundle: " + libraryPath_ + " is missing";
        libraryPath_.clear();
        return false;
    }
    ::dlerror();
    handle_ = ::dlopen(libraryPath_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
    {
        const char* why = ::dlerror();
        error_ = "'" + path + "' is not a VST 3 module: cannot load it ("
                 + (why ? why : "unknown error") + ")";
        libraryPath_.clear();
        return false;
    }
    auto getFactory = reinterpret_cast<GetFactoryProc>(::dlsym(handle_, "GetPluginFactory"));
    if (getFactory == nullptr)
    {
        error_ = "'" + path + "' is not a VST 3 module: it does not export GetPluginFactory";
        unload();
        return false;
    }
    if (auto entry = reinterpret_cast<ModuleEntryProc>(::dlsym(handle_, "ModuleEntry")))
    {
        if (!entry(handle_))
        {
            error_ = "'" + path + "': ModuleEntry failed";
            unload();
            return false;
        }
        entered_ = true;
    }
    factory_ = getFactory();
    if (factory_ == nullptr)
    {
        error_ = "'" + path + "': GetPluginFactory returned no factory";
        unload();
        return false;
    }
    return true;
}

void ModuleLoader::unload()
{
    if (factory_ != nullptr)
    {
        factory_->release();
        factory_ = nullptr;
    }
    if (handle_ != nullptr)
    {
        if (entered_)
        {
            if (auto exitProc = reinterpret_cast<ModuleExitProc>(::dlsym(handle_, "ModuleExit")))
                exitProc();
        }
        ::dlclose(handle_);
    }
    handle_ = nullptr;
    entered_ = false;
    libraryPath_.clear();
}

std::vector<ModuleLoader::ClassEntry> ModuleLoader::classes() const
{
    std::vector<ClassEntry> result;
    if (factory_ == nullptr)
        return result;
    Steinberg::IPtr<Steinberg::IPluginFactory2> factory2 =
        Steinberg::FUnknownPtr<Steinberg::IPluginFactory2>(factory_);
    const Steinberg::int32 count = factory_->countClasses();
    for (Steinberg::int32 i = 0; i < count; ++i)
    {
        ClassEntry entry;
        Steinberg::PClassInfo2 info2 {};
        Steinberg::PClassInfo info {};
        if (factory2 && factory2->getClassInfo2(i, &info2) == Steinberg::kResultOk)
        {
            std::memcpy(entry.cid, info2.cid, sizeof(entry.cid));
            entry.name = copyField(info2.name, sizeof(info2.name));
            entry.category = copyField(info2.category, sizeof(info2.category));
            entry.subCategories = copyField(info2.subCategories, sizeof(info2.subCategories));
            entry.vendor = copyField(info2.vendor, sizeof(info2.vendor));
            entry.version = copyField(info2.version, sizeof(info2.version));
        }
        else if (factory_->getClassInfo(i, &info) == Steinberg::kResultOk)
        {
            std::memcpy(entry.cid, info.cid, sizeof(entry.cid));
            entry.name = copyField(info.name, sizeof(info.name));
            entry.category = copyField(info.category, sizeof(info.category));
        }
        else
        {
            continue;
        }
        result.push_back(entry);
    }
    return result;
}

bool ModuleLoader::findAudioEffectClass(ClassEntry& out)
{
    for (const auto& entry : classes())
    {
        if (entry.category == kAudioEffectCategory)
        {
            out = entry;
            return true;
        }
    }
    error_ = factory_ == nullptr ? "no module loaded"
                                 : "the module offers no audio processor class (\""
                                       + std::string(kAudioEffectCategory) + "\")";
    return false;
}

} // namespace corvale::host
