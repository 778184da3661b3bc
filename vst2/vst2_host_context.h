// Vst2HostContext: the host as the component sees it through the adapter: the
// context given to initialize (IHostApplication) and the component handler
// (IComponentHandler). Everything is passed on to the adapter's Vst2HostLink.
// The adapter owns this object and outlives the component's use of it, so it
// is not reference counted.
#pragma once

#include "vst2/vst2_host_link.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivsthostapplication.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class Vst2HostContext : public IHostApplication, public IComponentHandler
{
public:
    explicit Vst2HostContext(Vst2HostLink& link) : link_(link) {}

    // IHostApplication [main]
    tresult PLUGIN_API getName(String128 name) override;
    /// The adapter creates no host objects for the plug-in.
    tresult PLUGIN_API createInstance(TUID, TUID, void** obj) override;

    // IComponentHandler [main]
    tresult PLUGIN_API beginEdit(ParamID id) override;
    tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) override;
    tresult PLUGIN_API endEdit(ParamID id) override;
    tresult PLUGIN_API restartComponent(int32 flags) override;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    Vst2HostLink& link_;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
