// HostApplication: host name, object creation and the interface-support query.
#include "host/host_application.h"

#include "host/string_convert.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "public.sdk/source/vst/hosting/pluginterfacesupport.h"

namespace corvale::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

HostApplication::HostApplication()
    : interfaceSupport_(owned(new PlugInterfaceSupport)) {FUNKNOWN_CTOR}

      IMPLEMENT_REFCOUNT(HostApplication)

          tresult PLUGIN_API HostApplication::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IHostApplication)
    QUERY_INTERFACE(_iid, obj, IHostApplication::iid, IHostApplication)
    if (FUnknownPrivate::iidEqual(_iid, IPlugInterfaceSupport::iid))
        return interfaceSupport_->queryInterface(_iid, obj);
    *obj = nullptr;
    return kNoInterface;
}

tresult PLUGIN_API HostApplication::getName(String128 name)
{
    toString128(kName, name);
    return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID cid, TUID _iid, void** obj)
{
    if (FUnknownPrivate::iidEqual(cid, IMessage::iid)
        && FUnknownPrivate::iidEqual(_iid, IMessage::iid))
    {
        *obj = static_cast<IMessage*>(new HostMessage);
        return kResultOk;
    }
    if (FUnknownPrivate::iidEqual(cid, IAttributeList::iid)
        && FUnknownPrivate::iidEqual(_iid, IAttributeList::iid))
    {
        *obj = static_cast<IAttributeList*>(new HostAttributeList);
        return kResultOk;
    }
    *obj = nullptr;
    return kResultFalse;
}

} // namespace corvale::host
