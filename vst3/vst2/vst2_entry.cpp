// The VST 2.4 entry point. It is compiled into the module itself (not the
// adapter library) so that the version script can export it.
#include "vst3/processor_ids.h"
#include "vst3/vst2/vst2_adapter.h"

#include <dlfcn.h>
#include <memory>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

/// The VST 2 unique ID: '0', 'i', 'u', '&'.
constexpr int32 kVst2UniqueId = 0x30697526;

// A VST 2 host never calls ModuleEntry, so the module would have no handle (the
// editor finds its resources through it). Each effect holds one: its own
// reference to this library, opened without loading, and one ModuleEntry call.
class ModuleLease final : public Vst2ModuleLease
{
public:
    ModuleLease();
    ~ModuleLease() override;

private:
    void* handle_ = nullptr;
};

} // namespace
} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg

extern "C" {
bool ModuleEntry(void* sharedLibraryHandle);
bool ModuleExit();
Steinberg::IPluginFactory* GetPluginFactory();
}

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

ModuleLease::ModuleLease()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<void*>(&ModuleEntry), &info) != 0 && info.dli_fname != nullptr)
        handle_ = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    ModuleEntry(handle_);
}

ModuleLease::~ModuleLease()
{
    ModuleExit();
    if (handle_ != nullptr)
        dlclose(handle_);
}

} // namespace
} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    using namespace Steinberg;
    using namespace Steinberg::Vst::Rive2ZOD3;
    if (audioMaster == nullptr || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    auto lease = std::make_unique<ModuleLease>();
    IPluginFactory* factory = GetPluginFactory();
    if (factory == nullptr)
        return nullptr;
    TUID cid {};
    processorClassId().toTUID(cid);
    AEffect* effect = Vst2Adapter::create(factory, cid, kVst2UniqueId, audioMaster, std::move(lease));
    factory->release();
    return effect;
}
