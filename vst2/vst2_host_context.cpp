#include "vst2/vst2_host_context.h"
#include "sdk/utf8_text.h"

#include <string>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

tresult PLUGIN_API Vst2HostContext::getName(String128 name)
{
    utf8ToString128(link_.hostName().c_str(), name);
    return kResultOk;
}

tresult PLUGIN_API Vst2HostContext::createInstance(TUID, TUID, void** obj)
{
    if (obj != nullptr)
        *obj = nullptr;
    return kResultFalse;
}

tresult PLUGIN_API Vst2HostContext::beginEdit(ParamID id)
{
    link_.editBegan(id);
    return kResultOk;
}

tresult PLUGIN_API Vst2HostContext::performEdit(ParamID id, ParamValue valueNormalized)
{
    link_.editPerformed(id, valueNormalized);
    return kResultOk;
}

tresult PLUGIN_API Vst2HostContext::endEdit(ParamID id)
{
    link_.editEnded(id);
    return kResultOk;
}

tresult PLUGIN_API Vst2HostContext::restartComponent(int32 flags)
{
    link_.componentRestarted(flags);
    return kResultOk;
}

tresult PLUGIN_API Vst2HostContext::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IHostApplication)
    QUERY_INTERFACE(iid, obj, IHostApplication::iid, IHostApplication)
    QUERY_INTERFACE(iid, obj, IComponentHandler::iid, IComponentHandler)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
