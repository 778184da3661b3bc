// Vst2Adapter: the component's editor view in the host's X11 window. The view
// is created when the host first asks for the editor's size or opens it, and
// released when the host closes it.
#include "vst2/vst2_adapter.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

bool Vst2Adapter::ensureView()
{
    if (view_ != nullptr)
        return true;
    IPlugView* view = controller_->createView(ViewType::kEditor);
    if (view == nullptr)
        return false;
    view_ = owned(view);
    return true;
}

VstIntPtr Vst2Adapter::editorRect(void* ptr)
{
    if (ptr == nullptr || !ensureView())
        return 0;
    if (!editorOpen_)
        view_->setFrame(&plugFrame_);
    ViewRect rect {};
    if (view_->getSize(&rect) != kResultOk || rect.getWidth() <= 0 || rect.getHeight() <= 0)
        return 0;
    editorRect_.top = static_cast<short>(rect.top);
    editorRect_.left = static_cast<short>(rect.left);
    editorRect_.bottom = static_cast<short>(rect.bottom);
    editorRect_.right = static_cast<short>(rect.right);
    *static_cast<ERect**>(ptr) = &editorRect_;
    return 1;
}

VstIntPtr Vst2Adapter::openEditor(void* parent)
{
    if (editorOpen_)
        return 1;
    if (parent == nullptr || !ensureView())
        return 0;
    if (view_->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultTrue)
        return 0;
    flushToController();  // the editor shows the host's latest values
    view_->setFrame(&plugFrame_);
    if (view_->attached(parent, kPlatformTypeX11EmbedWindowID) != kResultOk)
    {
        view_->setFrame(nullptr);
        plugFrame_.clear();
        return 0;
    }
    editorOpen_ = true;
    return 1;
}

void Vst2Adapter::closeEditor()
{
    if (view_ == nullptr)
        return;
    if (editorOpen_)
        view_->removed();
    view_->setFrame(nullptr);
    plugFrame_.clear();
    view_ = nullptr;
    editorOpen_ = false;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
