#include "editor/ctarn_custom_view.h"

#include "framework/plugin.h"

#include <dlfcn.h>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

using namespace VSTGUI;

namespace {

/// The module's instance handle as Linux knows one: the base address the module is
/// loaded at (what an instance handle is on Windows), found from code of this module.
void* moduleInstance()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<const void*>(&moduleInstance), &info) == 0)
        return nullptr;
    return info.dli_fbase;
}

} // namespace

CTarnCustomView::CTarnCustomView(EditController* editController, ViewRect* size)
: VSTGUIEditor(editController, size)
{
}

CTarnCustomView::~CTarnCustomView()
{
    // A host that releases the view without removing it first.
    if (frame)
        close();
}

bool CTarnCustomView::open(void* parent, const PlatformType& platformType)
{
    if (frame)
        return false;
    frame = new CFrame(CRect(0, 0, 0, 0), this);
    frame->setTransparency(true);
    frame->enableTooltips(true);
    if (plugIn == nullptr)
        return false;
    systemWindow = parent;

    EditorMessage message {};
    message.kind = EditorMessage::kCreateEditorContent;
    message.editor = this;
    message.parentWindow = parent;
    message.platformType = platformType;
    message.moduleInstance = moduleInstance();
    message.parameterConnector = static_cast<CVSTParameterConnector*>(this);
    if (plugIn->receiveEditorMessage(&message) == 0)
    {
        // Declined: there is no editor, and nothing the plug-in must hear closing.
        CFrame* empty = frame;
        frame = nullptr;
        empty->close();
        systemWindow = nullptr;
        return false;
    }

    syncParameters();
    // A plug-in that names no size keeps the view's own: a window cannot be empty.
    const CPoint own = getLogicalSize();
    frame->setSize(message.width > 0 ? message.width : own.x, message.height > 0 ? message.height : own.y);
    setLogicalSize(frame->getWidth(), frame->getHeight());
    // The plug-in may have given the frame a window itself; otherwise it gets one here.
    return frame->isOpen() || openFrameWindow(parent);
}

void CTarnCustomView::close()
{
    if (plugIn != nullptr)
    {
        EditorMessage message {};
        message.kind = EditorMessage::kEditorContentClosing;
        message.parentWindow = systemWindow;
        message.moduleInstance = moduleInstance();
        plugIn->receiveEditorMessage(&message);
        systemWindow = nullptr;
    }
    if (frame == nullptr)
        return;
    // Closing drops our reference. A plug-in that still holds the frame keeps an empty one:
    // its window must go now, with the host's run loop it lives on.
    CFrame* closing = frame;
    frame = nullptr;
    closing->close();
}

void CTarnCustomView::syncParameters()
{
    if (plugIn == nullptr || controller == nullptr)
        return;
    // The count is asked again after each message: the plug-in may change the parameters.
    for (int32 index = 0; index < controller->getParameterCount(); ++index)
    {
        ParameterInfo info {};
        if (controller->getParameterInfo(index, info) != kResultOk)
            continue;
        EditorMessage message {};
        message.kind = EditorMessage::kParameterChanged;
        message.parameterTag = static_cast<int32_t>(info.id);
        message.value = controller->getParamNormalized(info.id);
        plugIn->receiveEditorMessage(&message);
    }
}

void CTarnCustomView::beginParameterEdit(ParamID tag)
{
    if (controller)
        controller->beginEdit(tag);
}

void CTarnCustomView::endParameterEdit(ParamID tag)
{
    if (controller)
        controller->endEdit(tag);
}

void CTarnCustomView::parameterEdited(ParamID tag, float normalizedValue)
{
    if (controller == nullptr)
        return;
    controller->setParamNormalized(tag, normalizedValue);
    controller->performEdit(tag, normalizedValue);
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
