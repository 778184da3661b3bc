#include "vst3/plugin_factory.h"

#include <cstring>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

namespace {

// Fills the 8-bit or the UTF-16 class record from the 8-bit one.
template <typename Info>
void copyClassInfo(Info& target, const PClassInfo2& source)
{
    std::memcpy(target.cid, source.cid, sizeof(TUID));
    target.cardinality = source.cardinality;
    target.classFlags = source.classFlags;
    copyField(target.category, source.category);
    copyField(target.name, source.name);
    copyField(target.subCategories, source.subCategories);
    copyField(target.vendor, source.vendor);
    copyField(target.version, source.version);
    copyField(target.sdkVersion, source.sdkVersion);
}

} // namespace

PluginFactory::PluginFactory(const PFactoryInfo& info)
{
    copyField(factoryInfo_.vendor, info.vendor);
    copyField(factoryInfo_.url, info.url);
    copyField(factoryInfo_.email, info.email);
    factoryInfo_.flags = info.flags;
}

PluginFactory::~PluginFactory() = default;

bool PluginFactory::registerClass(const PClassInfo2* info, CreateFunction create, void* context)
{
    if (info == nullptr || create == nullptr)
        return false;
    Entry e;
    copyClassInfo(e.info8, *info);
    // The UTF-16 form: category and sub-categories stay 8-bit in that record too.
    copyClassInfo(e.info16, *info);

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

tresult PLUGIN_API PluginFactory::createInstance(FIDString cid, FIDString _iid, void** obj)
{
    if (obj == nullptr)
        return kInvalidArgument;
    *obj = nullptr;
    if (cid == nullptr || _iid == nullptr)
        return kInvalidArgument;
    for (const Entry& e : entries_)
    {
        if (std::memcmp(e.info16.cid, cid, sizeof(TUID)) != 0)
            continue;
        FUnknown* instance = e.create(e.context);
        if (instance == nullptr)
            break;
        const tresult result = instance->queryInterface(_iid, obj);
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

tresult PLUGIN_API PluginFactory::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, IPluginFactory::iid, IPluginFactory)
    QUERY_INTERFACE(_iid, obj, IPluginFactory2::iid, IPluginFactory2)
    QUERY_INTERFACE(_iid, obj, IPluginFactory3::iid, IPluginFactory3)
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IPluginFactory)
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
