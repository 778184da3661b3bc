#include "host/host_application.h"

#include "host/string_convert.h"

namespace corvale::host {

Steinberg::tresult PLUGIN_API HostApplication::getName(Steinberg::Vst::String128 name)
{
    toString128(kName, name);
    return Steinberg::kResultOk;
}

} // namespace corvale::host
