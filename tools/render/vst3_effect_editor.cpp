// Vst3Effect: the plug-in's editor view, in a window of the tool's own or drawn off-screen
// through the view's snapshot extension.
#include "vst3_effect.h"

#include "tool_error.h"

#include "host/host_window.h"
#include "host/plug_frame.h"
#include "host/run_loop.h"
#include "sdk/ieditor_snapshot.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace corvale::render {

using namespace Steinberg;

namespace {

/// A new editor view of `controller` at content scale `scale`, and its size then.
IPtr<IPlugView> createEditorView(Vst::IEditController* controller, double scale, ViewRect& size)
{
    IPtr<IPlugView> view = owned(controller ? controller->createView(Vst::ViewType::kEditor) : nullptr);
    if (!view)
        throw ToolError("the plug-in has no editor");
    if (scale != 1.0)
    {
        FUnknownPtr<IPlugViewContentScaleSupport> scaling(view);
        if (!scaling || scaling->setContentScaleFactor(static_cast<float>(scale)) != kResultTrue)
            throw ToolError("the plug-in's editor cannot be drawn at scale " + std::to_string(scale));
    }
    if (view->getSize(&size) != kResultTrue || size.getWidth() <= 0 || size.getHeight() <= 0)
        throw ToolError("the plug-in's editor reports no size");
    return view;
}

} // namespace

void Vst3Effect::runEditor(double scale)
{
    ViewRect size;
    IPtr<IPlugView> view = createEditorView(instance_->controller(), scale, size);
    if (view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultTrue)
        throw ToolError("the plug-in's editor cannot be embedded in an X11 window");

    IPtr<host::RunLoop> loop = owned(new host::RunLoop);
    host::HostWindow window(loop, name(), size.getWidth(), size.getHeight());
    if (!window.isOpen())
        throw ToolError("cannot open a window: " + window.error());
    IPtr<host::PlugFrame> frame = owned(new host::PlugFrame(loop, &window));
    view->setFrame(frame);
    if (view->attached(window.nativeParent(), kPlatformTypeX11EmbedWindowID) != kResultOk)
    {
        view->setFrame(nullptr);
        throw ToolError("the plug-in's editor did not open");
    }
    loop->run(); // until the window is closed
    view->removed();
    view->setFrame(nullptr);
}

EditorPicture Vst3Effect::drawEditor(double scale)
{
    ViewRect size;
    IPtr<IPlugView> view = createEditorView(instance_->controller(), scale, size);
    FUnknownPtr<IEditorSnapshot> snapshot(view);
    if (!snapshot)
        throw ToolError("the plug-in's editor cannot draw itself off-screen");
    EditorPicture picture;
    picture.width = size.getWidth();
    picture.height = size.getHeight();
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * picture.height, 0u);
    if (snapshot->drawSnapshot(picture.pixels.data(), picture.width, picture.height,
                               picture.width * 4)
        != kResultOk)
        throw ToolError("the plug-in's editor could not be drawn");
    return picture;
}

} // namespace corvale::render
