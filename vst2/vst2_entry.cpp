// The VST 2.4 entry point: the one place of the VST 2 layer that knows the
// product (its class ID and VST 2 unique ID). It is compiled into the module
// itself, not the adapter library, so that the version script can export it.
#include "product_identity.h"
#include "vst2/vst2_adapter.h"
#include "vst3/module_entry.h"

#include "pluginterfaces/base/funknown.h"

#include <dlfcn.h>
#include <memory>
#include <new>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

// A VST 2 host never calls ModuleEntry, so the module would have no handle (the
// editor finds its resources through it). Each effect holds one: its own
// reference to this library, opened without loading, and the module entered
// for as long as the effect lives.
class ModuleLease final : public Vst2ModuleLease
{
public:
    ModuleLease();
    ~ModuleLease() override;

private:
    void* handle_ = nullptr;
};

ModuleLease::ModuleLease()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<void*>(&moduleHandle), &info) != 0 && info.dli_fname != nullptr)
        handle_ = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    enterModuleForEffect(handle_);
}

ModuleLease::~ModuleLease()
{
    leaveModuleForEffect();
    if (handle_ != nullptr)
        dlclose(handle_);
}

AEffect* createEffect(audioMasterCallback audioMaster)
{
    auto lease = std::make_unique<ModuleLease>();
    // The module's one factory; this call's reference is given back below, the
    // module keeps its own.
    IPluginFactory* factory = acquireModuleFactory();
    if (factory == nullptr)
        return nullptr;
    // The same 16 bytes the factory registers the class under.
    const auto& words = ProductIdentity::kClassIdWords;
    TUID cid {};
    FUID(words[0], words[1], words[2], words[3]).toTUID(cid);
    AEffect* effect = nullptr;
    try
    {
        effect = Vst2Adapter::create(factory, cid, ProductIdentity::kVst2UniqueId, audioMaster,
                                     std::move(lease));
    }
    catch (const std::bad_alloc&)
    {
        effect = nullptr;
    }
    factory->release();
    return effect;
}

} // namespace
} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    using namespace Steinberg::Vst::Rive2ZOD3;
    if (audioMaster == nullptr || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    // Nothing may unwind into the host: a failed allocation means no effect.
    try
    {
        return createEffect(audioMaster);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}
