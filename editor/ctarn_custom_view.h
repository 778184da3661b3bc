// CTarnCustomView: the editor of a plug-in that draws its own: an empty frame that the
// plug-in object fills when asked (editor message kind 6), sized as the plug-in says.
// The plug-in reports its users' edits through the CVSTParameterConnector it is handed,
// and hears every parameter's value when the editor opens (kind 13) and the editor's
// closing (kind 7).
#pragma once

#include "editor/cvst_parameter_connector.h"
#include "gui/plugin/vstgui_editor.h"

class CPlugIn;

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class CTarnCustomView : public CVSTParameterConnector, public VSTGUIEditor
{
public:
    /// [UI thread] The editor of `controller`, `rect` logical pixels until the plug-in sizes it.
    CTarnCustomView(EditController* controller, ViewRect* rect);
    ~CTarnCustomView() override;

    /// [UI thread] The plug-in that builds the content (not owned); set right after creation.
    void setPlugIn(CPlugIn* p) { plugIn = p; }
    CPlugIn* getPlugIn() const { return plugIn; }

    /// [UI thread] Makes the frame, has the plug-in fill it (kind 6), tells it every
    /// parameter's value and sizes the frame as the plug-in says; then opens the frame's
    /// window unless the plug-in did. False without a plug-in or when it declines.
    bool open(void* parent, const VSTGUI::PlatformType& platformType) override;
    /// [UI thread] Tells the plug-in (kind 7) and closes or releases the frame.
    void close() override;
    /// [UI thread] Sends the plug-in every parameter's normalised value (kind 13).
    void syncParameters();

    // CVSTParameterConnector [UI thread]: the edits go to the controller and the host.
    void beginParameterEdit(ParamID tag) override;
    void endParameterEdit(ParamID tag) override;
    void parameterEdited(ParamID tag, float normalizedValue) override;

private:
    CPlugIn* plugIn = nullptr;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
