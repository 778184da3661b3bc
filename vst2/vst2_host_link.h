// Vst2HostLink: what the host objects the adapter hands the component (the
// host context, the component handler, the editor's plug frame) pass on to the
// adapter, which answers through the VST 2 host callback.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <string>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class Vst2HostLink
{
public:
    virtual ~Vst2HostLink() = default;

    /// Edits from the plug-in side (its editor). [main]
    virtual void editBegan(ParamID id) = 0;
    virtual void editPerformed(ParamID id, ParamValue value) = 0;
    virtual void editEnded(ParamID id) = 0;
    /// restartComponent from the plug-in (flags of RestartFlags). [main]
    virtual void componentRestarted(int32 flags) = 0;
    /// The editor asks for a new size; true when the host took it. [main]
    virtual bool editorResized(int32 width, int32 height) = 0;
    /// The host's product name, empty when it does not tell. [main]
    virtual std::string hostName() = 0;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
