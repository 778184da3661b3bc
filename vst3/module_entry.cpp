// The module's exported entry points: the Linux module protocol
// (ModuleEntry/ModuleExit), the factory (GetPluginFactory) and InitDll/ExitDll
// for hosts that call them. The VST 2.4 entry, VSTPluginMain, is in
// vst2/vst2_entry.cpp. exports.map keeps every other symbol local.
#include "product_identity.h"
#include "vst3/module_entry.h"
#include "vst3/plugin_factory.h"
#include "vst3/processor.h"
#include "vst3/processor_ids.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <atomic>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

constexpr const char* kSubCategories = "FX|EQ";

std::atomic<int> gModuleEntryCount {0};
void* gModuleHandle = nullptr;
class ModuleFactory;
ModuleFactory* gFactory = nullptr;

// The module-wide factory; it forgets itself when the host releases it for good,
// so that a later GetPluginFactory builds a fresh one.
class ModuleFactory : public PluginFactory
{
public:
    using PluginFactory::PluginFactory;
    ~ModuleFactory() override
    {
        if (gFactory == this)
            gFactory = nullptr;
    }
};

FUnknown* createProcessorInstance(void*)
{
    return Processor::createInstance(nullptr);
}

ModuleFactory* buildFactory()
{
    PFactoryInfo factoryInfo;
    copyField(factoryInfo.vendor, ProductIdentity::kVendor);
    copyField(factoryInfo.url, ProductIdentity::kVendorUrl);
    copyField(factoryInfo.email, ProductIdentity::kProductAndVersion);  // by convention
    factoryInfo.flags = PFactoryInfo::kUnicode;
    auto* factory = new ModuleFactory(factoryInfo);

    PClassInfo2 classInfo;
    processorClassId().toTUID(classInfo.cid);
    classInfo.cardinality = PClassInfo::kManyInstances;
    copyField(classInfo.category, kVstAudioEffectClass);
    copyField(classInfo.name, ProductIdentity::kClassName);
    classInfo.classFlags = 0;
    copyField(classInfo.subCategories, kSubCategories);
    copyField(classInfo.vendor, "");
    copyField(classInfo.version, ProductIdentity::kVersion);
    // The SDK this module is built with, not a fixed number.
    copyField(classInfo.sdkVersion, kVstVersionString);
    factory->registerClass(&classInfo, createProcessorInstance, nullptr);
    return factory;
}

} // namespace

void* moduleHandle()
{
    return gModuleHandle;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg

using namespace Steinberg;
using namespace Steinberg::Vst::Rive2ZOD3;

#define CORVALE_EXPORT extern "C" __attribute__((visibility("default")))

CORVALE_EXPORT IPluginFactory* PLUGIN_API GetPluginFactory()
{
    if (gFactory == nullptr)
    {
        gFactory = buildFactory();  // the first caller owns the creation reference
        return gFactory;
    }
    gFactory->addRef();
    return gFactory;
}

CORVALE_EXPORT bool ModuleEntry(void* sharedLibraryHandle)
{
    if (++gModuleEntryCount == 1)
        gModuleHandle = sharedLibraryHandle;
    return true;
}

CORVALE_EXPORT bool ModuleExit()
{
    const int left = --gModuleEntryCount;
    if (left < 0)
    {
        gModuleEntryCount = 0;
        return false;
    }
    if (left == 0)
        gModuleHandle = nullptr;
    return true;
}

CORVALE_EXPORT bool InitDll()
{
    return true;
}

CORVALE_EXPORT bool ExitDll()
{
    return true;
}
