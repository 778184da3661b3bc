#include "vst3/plugin_factory.h"

#include <cstring>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

void copyField(char8* dest, const char8* source, size_t size)
{
    if (size == 0)
        return;
    size_t n = 0;
    if (source != nullptr)
        for (; n + 1 < size && source[n] != 0; ++n)
            dest[n] = source[n];
    std::memset(dest + n, 0, size - n);
}

void copyField(char16* dest, const char8* source, size_t size)
{
    if (size == 0)
        return;
    size_t n = 0;
    if (source != nullptr)
        for (; n + 1 < size && source[n] != 0; ++n)
            dest[n] = static_cast<char16>(static_cast<unsigned char>(source[n]));
    for (; n < size; ++n)
        dest[n] = 0;
}

PluginFactory::PluginFactory(const PFactoryInfo& info)
{
    copyField(factoryInfo_.vendor, info.vendor, PFactoryInfo::kNameSize);
    copyField(factoryInfo_.url, info.url, PFactoryInfo::kURLSize);
    copyField(factoryInfo_.email, info.email, PFactoryInfo::kEmailSize);
    factoryInfo_.flags = info.flags;
}

PluginFactory::~PluginFactory() = default;

bool PluginFactory::registerClass(const PClassInfo2* info, CreateFunction create, void* context)
{
    if (info == nullptr || create == nullptr)
        return false;
    Entry e;
    std::memcpy(e.info8.cid, info->cid, sizeof(TUID));
    e.info8.cardinality = info->cardinality;
    e.info8.classFlags = info->classFlags;
    copyField(e.info8.category, info->category, PClassInfo::kCategorySize);
    copyField(e.info8.name, info->name, PClassInfo::kNameSize);
    copyField(e.info8.subCategories, info->subCategories, PClassInfo2::kSubCategoriesSize);
    copyField(e.info8.vendor, info->vendor, PClassInfo2::kVendorSize);
    copyField(e.info8.version, info->version, PClassInfo2::kVersionSize);
    copyField(e.info8.sdkVersion, info->sdkVersion, PClassInfo2::kVersionSize);

    // The UTF-16 form: category and sub-categories stay 8-bit in that record too.
    std::memcpy(e.info16.cid, info->cid, sizeof(TUID));
    e.info16.cardinality = info->cardinality;
    e.info16.classFlags = info->classFlags;
    copyField(e.info16.category, info->category, PClassInfo::kCategorySize);
    copyField(e.info16.name, info->name, PClassInfo::kNameSize);
    copyField(e.info16.subCategories, info->subCategories, PClassInfoW::kSubCategoriesSize);
    copyField(e.info16.vendor, info->vendor, PClassInfoW::kVendorSize);
    copyField(e.info16.version, info->version, PClassInfoW::kVersionSize);
    copyField(e.info16.sdkVersion, info->sdkVersion, PClassInfoW::kVersionSize);

    e.create = create;
    e.context = context;
    e.isUnicode = false;
    entries_.push_back(e);
    return true;
}

bool PluginFactory::registerClass(const PClassInfoW* info, CreateFunction create, void* context)
{
    if (info == nullptr || create == nullptr)
        return false;
    Entry e;
    e.info16 = *info;
    e.create = create;
    e.context = context;
    e.isUnicode = true;
    entries_.push_back(e);
    return true;
}

const PluginFactory::Entry* PluginFactory::entryAt(int32 index) const
{
    if (index < 0 || index >= static_cast<int32>(entries_.size()))
        return nullptr;
    return &entries_[static_cast<size_t>(index)];
}

tresult PLUGIN_API PluginFactory::getFactoryInfo(PFactoryInfo* info)
{
    if (info == nullptr)
        return kInvalidArgument;
    *info = factoryInfo_;
    return kResultOk;
}

int32 PLUGIN_API PluginFactory::countClasses()
{
    return static_cast<int32>(entries_.size());
}

tresult PLUGIN_API PluginFactory::getClassInfo(int32 index, PClassInfo* info)
{
    const Entry* e = entryAt(index);
    if (e == nullptr || info == nullptr)
        return kInvalidArgument;
    if (e->isUnicode)
    {
        *info = PClassInfo();
        return kResultFalse;
    }
    std::memcpy(info->cid, e->info8.cid, sizeof(TUID));
    info->cardinality = e->info8.cardinality;
    std::memcpy(info->category, e->info8.category, sizeof(info->category));
    std::memcpy(info->name, e->info8.name, sizeof(info->name));
    return kResultOk;
}

tresult PLUGIN_API PluginFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
    const Entry* e = entryAt(index);
    if (e == nullptr || info == nullptr)
        return kInvalidArgument;
    if (e->isUnicode)
    {
        *info = PClassInfo2();
        return kResultFalse;
    }
    *info = e->info8;
    return kResultOk;
}

tresult PLUGIN_API PluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
    const Entry* e = entryAt(index);
    if (e == nullptr || info == nullptr)
        return kInvalidArgument;
    *info = e->info16;
    return kResultOk;
}

tresult PLUGIN_API PluginFactory::createInstance(FIDString cid, FIDString iid, void** obj)
{
    if (obj == nullptr)
        return kInvalidArgument;
    *obj = nullptr;
    if (cid == nullptr || iid == nullptr)
        return kInvalidArgument;
    for (const Entry& e : entries_)
    {
        if (std::memcmp(e.info16.cid, cid, sizeof(TUID)) != 0)
            continue;
        FUnknown* instance = e.create(e.context);
        if (instance == nullptr)
            break;
        const tresult result = instance->queryInterface(iid, obj);
        instance->release();  // the query holds the host's reference
        if (result != kResultOk)
        {
            *obj = nullptr;
            break;
        }
        return kResultOk;
    }
    return kNoInterface;
}

tresult PLUGIN_API PluginFactory::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, IPluginFactory::iid, IPluginFactory)
    QUERY_INTERFACE(iid, obj, IPluginFactory2::iid, IPluginFactory2)
    QUERY_INTERFACE(iid, obj, IPluginFactory3::iid, IPluginFactory3)
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IPluginFactory)
    *obj = nullptr;
    return kNoInterface;
}

uint32 PLUGIN_API PluginFactory::addRef()
{
    return ++refCount_;
}

uint32 PLUGIN_API PluginFactory::release()
{
    const uint32 left = --refCount_;
    if (left == 0)
        delete this;
    return left;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
