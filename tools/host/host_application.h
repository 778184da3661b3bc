#pragma once

#include "public.sdk/source/vst/hosting/hostclasses.h"

namespace corvale::host {

/// The host context handed to `initialize`: the SDK's host application (IHostApplication
/// with IMessage/IAttributeList creation and IPlugInterfaceSupport) under our own name.
/// Reference counted; create with `new` and hold it in an IPtr.
class HostApplication : public Steinberg::Vst::HostApplication
{
public:
    /// [main] The host name reported to plug-ins.
    static constexpr const char* kName = "Corvale Host";

    /// [any] Writes kName as UTF-16 into `name`.
    Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) override;
};

} // namespace corvale::host
