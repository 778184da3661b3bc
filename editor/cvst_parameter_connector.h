// CVSTParameterConnector: how a plug-in that builds its own editor content reports
// its users' edits. The plug-in receives a pointer to it with the request to build
// the content (editor message kind 6) and calls it on the UI thread.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class CVSTParameterConnector
{
public:
    /// [UI thread] A gesture on parameter `tag` begins.
    virtual void beginParameterEdit(ParamID tag) { (void)tag; }
    /// [UI thread] The gesture on parameter `tag` ends.
    virtual void endParameterEdit(ParamID tag) { (void)tag; }
    /// [UI thread] The user set parameter `tag` to `normalizedValue` (0..1).
    virtual void parameterEdited(ParamID tag, float normalizedValue)
    {
        (void)tag;
        (void)normalizedValue;
    }

protected:
    // Plug-ins only ever hold a pointer to the connector; nobody deletes through it.
    ~CVSTParameterConnector() = default;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
