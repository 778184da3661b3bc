// The module's exported entry points: the Linux module protocol
// (ModuleEntry/ModuleExit), the factory (GetPluginFactory) and InitDll/ExitDll
// for hosts that call them. The VST 2.4 entry, VSTPluginMain, is in
// vst2/vst2_entry.cpp. exports.map keeps every other symbol local.
//
// Hosts may scan, instantiate and unload from several threads at once, and a
// VST 2 host creates each effect through its own VSTPluginMain call, so the
// module's state (entry count, handle, factory) lives behind one mutex. These
// calls are rare and never on the audio thread.
#include "product_identity.h"
#include "vst3/module_entry.h"
#include "vst3/plugin_factory.h"
#include "vst3/processor.h"
#include "vst3/processor_ids.h"

#include "base/source/updatehandler.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <mutex>
#include <new>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

constexpr const char* kSubCategories = "FX|EQ";

std::mutex gModuleMutex;
int gHostEntries = 0;          ///< ModuleEntry calls not yet matched by ModuleExit
int gEffectEntries = 0;        ///< VST 2 effects alive
void* gModuleHandle = nullptr;
PluginFactory* gFactory = nullptr;  ///< the module's own reference

// Gives up the module's reference when the library is unloaded without a
// ModuleExit (VST 2 hosts, or a host that skips it).
struct FactoryReleaseAtUnload
{
    ~FactoryReleaseAtUnload()
    {
        std::lock_guard<std::mutex> lock(gModuleMutex);
        if (gFactory != nullptr)
            gFactory->release();
        gFactory = nullptr;
    }
} gFactoryReleaseAtUnload;

FUnknown* createProcessorInstance(void*)
{
    return Processor::createInstance(nullptr);
}

PluginFactory* buildFactory()
{
    // The SDK makes its update handler, a singleton, when the first controller
    // is constructed, and assumes that no two threads do so at once; hosts do
    // create instances from several threads. Every instance comes through this
    // factory, so making the handler here, under the module's lock, orders it
    // before all of them.
    UpdateHandler::instance();

    PFactoryInfo factoryInfo;
    copyField(factoryInfo.vendor, ProductIdentity::kVendor);
    copyField(factoryInfo.url, ProductIdentity::kVendorUrl);
    copyField(factoryInfo.email, ProductIdentity::kProductAndVersion);  // by convention
    factoryInfo.flags = PFactoryInfo::kUnicode;
    IPtr<PluginFactory> factory = owned(new PluginFactory(factoryInfo));

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
    factory->addRef();
    return factory.get();
}

void dropHandleIfUnheld()
{
    if (gHostEntries == 0 && gEffectEntries == 0)
        gModuleHandle = nullptr;
}

} // namespace

void* moduleHandle()
{
    std::lock_guard<std::mutex> lock(gModuleMutex);
    return gModuleHandle;
}

IPluginFactory* acquireModuleFactory()
{
    std::lock_guard<std::mutex> lock(gModuleMutex);
    if (gFactory == nullptr)
    {
        try
        {
            gFactory = buildFactory();
        }
        catch (const std::bad_alloc&)
        {
            return nullptr;  // the host is told there is no factory, and may ask again
        }
    }
    gFactory->addRef();
    return gFactory;
}

void enterModuleForEffect(void* handle)
{
    std::lock_guard<std::mutex> lock(gModuleMutex);
    ++gEffectEntries;
    if (gModuleHandle == nullptr)
        gModuleHandle = handle;
}

void leaveModuleForEffect()
{
    std::lock_guard<std::mutex> lock(gModuleMutex);
    if (gEffectEntries > 0)
        --gEffectEntries;
    dropHandleIfUnheld();
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg

using namespace Steinberg;
using namespace Steinberg::Vst::Rive2ZOD3;

#define CORVALE_EXPORT extern "C" __attribute__((visibility("default")))

CORVALE_EXPORT IPluginFactory* PLUGIN_API GetPluginFactory()
{
    return acquireModuleFactory();
}

CORVALE_EXPORT bool ModuleEntry(void* sharedLibraryHandle)
{
    std::lock_guard<std::mutex> lock(gModuleMutex);
    if (++gHostEntries == 1 && sharedLibraryHandle != nullptr)
        gModuleHandle = sharedLibraryHandle;
    return true;
}

CORVALE_EXPORT bool ModuleExit()
{
    PluginFactory* released = nullptr;
    {
        std::lock_guard<std::mutex> lock(gModuleMutex);
        if (gHostEntries == 0)
            return false;
        if (--gHostEntries == 0)
        {
            // The host is done with the module: the factory goes once the host's
            // own references are released too, and a later entry builds a new one.
            released = gFactory;
            gFactory = nullptr;
            dropHandleIfUnheld();
        }
    }
    if (released != nullptr)
        released->release();
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
