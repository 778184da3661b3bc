// HostApplication: the host context a plug-in receives in initialize, with
// the message and attribute objects it may ask the host to create.
#pragma once

#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstpluginterfacesupport.h"
#include "pluginterfaces/base/smartpointer.h"

namespace corvale::host {

/// The host context handed to `initialize`: IHostApplication (our name; creates IMessage
/// and IAttributeList objects) and IPlugInterfaceSupport (the interfaces a DAW supports).
/// Reference counted; create with `new` and hold it in an IPtr. (The SDK's example class
/// never deletes itself and cannot be asked for IPlugInterfaceSupport, so we keep our own.)
class HostApplication : public Steinberg::Vst::IHostApplication
{
public:
    /// The host name reported to plug-ins.
    static constexpr const char* kName = "Corvale Host";

    HostApplication();
    virtual ~HostApplication() = default;

    /// [any] Writes kName as UTF-16 into `name`.
    Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) override;
    /// [any] Creates an IMessage or IAttributeList (the SDK's host classes); kResultFalse
    /// otherwise.
    Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID cid, Steinberg::TUID iid,
                                                 void** obj) override;

    DECLARE_FUNKNOWN_METHODS

private:
    Steinberg::IPtr<Steinberg::Vst::IPlugInterfaceSupport> interfaceSupport_;
};

} // namespace corvale::host
