// PluginFactory: the module's class factory. It describes the vendor and the
// classes it offers (in plain, extended and UTF-16 form) and creates instances.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <atomic>
#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class PluginFactory : public IPluginFactory3
{
public:
    /// Creates a new object of a class and returns its creation reference, or null.
    using CreateFunction = FUnknown* (*)(void* context);

    /// A factory with one reference, owned by the caller. [main]
    explicit PluginFactory(const PFactoryInfo& info);
    virtual ~PluginFactory();
    PluginFactory(const PluginFactory&) = delete;
    PluginFactory& operator=(const PluginFactory&) = delete;

    /// Registers a class from its 8-bit description; the UTF-16 form is derived
    /// from it. False for a null argument. [main]
    bool registerClass(const PClassInfo2* info, CreateFunction create, void* context = nullptr);
    /// Registers a class known only in its UTF-16 form. [main]
    bool registerClass(const PClassInfoW* info, CreateFunction create, void* context = nullptr);

    // IPluginFactory [main]
    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override;
    int32 PLUGIN_API countClasses() override;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override;
    /// Creates the class whose 16 ID bytes equal cid and queries iid on it.
    tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) override;
    // IPluginFactory2 [main]
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) override;
    // IPluginFactory3 [main]
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) override;
    tresult PLUGIN_API setHostContext(FUnknown*) override { return kNotImplemented; }

    // FUnknown [any]
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    uint32 PLUGIN_API addRef() override;
    uint32 PLUGIN_API release() override;

private:
    struct Entry
    {
        PClassInfo2 info8 {};
        PClassInfoW info16 {};
        CreateFunction create = nullptr;
        void* context = nullptr;
        bool isUnicode = false;
    };

    const Entry* entryAt(int32 index) const;

    PFactoryInfo factoryInfo_ {};
    std::vector<Entry> entries_;
    std::atomic<uint32> refCount_ {1};
};

/// Copies an 8-bit text into a fixed field of `size` 8- or 16-bit characters (each
/// byte one code unit): cut to size - 1, zero-filled, always terminated. [any]
template <typename Char>
void copyField(Char* dest, const char8* source, size_t size)
{
    size_t n = 0;
    if (source != nullptr)
        for (; n + 1 < size && source[n] != 0; ++n)
            dest[n] = static_cast<Char>(static_cast<unsigned char>(source[n]));
    for (; n < size; ++n)
        dest[n] = 0;
}

/// The same into a field whose size the array type gives. [any]
template <typename Char, size_t N>
void copyField(Char (&dest)[N], const char8* source)
{
    copyField(dest, source, N);
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
