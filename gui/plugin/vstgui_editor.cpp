#include "gui/plugin/vstgui_editor.h"

#include "gui/frame_observers.h"
#include "gui/plugin/plugview_keys.h"
#include "gui/x11/frame.h"

#include <cairo.h>
#include <dlfcn.h>

#include <cmath>
#include <cstring>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;

namespace {

// cairo and the libraries under it keep process-wide caches they never free (pixman's
// implementation tables, fontconfig's configuration, cairo's font and pattern caches). A
// host that loads and unloads this module would unload them with it and lose those caches
// every time; pinned, they are made once per process. Hosts that draw with cairo
// themselves already keep them loaded.
const bool kDrawingLibrariesPinned = [] {
    bool all = true;
    for (const char* library : {"libpixman-1.so.0", "libcairo.so.2", "libfontconfig.so.1",
                                "libfreetype.so.6"})
    {
        void* handle = dlopen(library, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        all = all && handle != nullptr;
        if (handle)
            dlclose(handle);
    }
    return all;
}();

} // namespace

/// Remembers where the pointer last was over the frame: a host's wheel event
/// (onWheel) carries no position of its own.
class VSTGUIEditor::PointerTracker : public IMouseObserver
{
public:
    void onMouseEntered(CView*, CFrame*) override {}
    void onMouseExited(CView*, CFrame*) override {}
    CMouseEventResult onMouseMoved(CFrame*, const CPoint& where, const CButtonState& buttons) override
    {
        position = where;
        modifiers = buttons.getModifierState();
        known = true;
        return kMouseEventNotHandled;
    }
    CMouseEventResult onMouseDown(CFrame* frame, const CPoint& where, const CButtonState& buttons) override
    {
        return onMouseMoved(frame, where, buttons);
    }

    CPoint position;
    int32_t modifiers = 0;
    bool known = false;
};

VSTGUIEditor::VSTGUIEditor(EditController* editController, ViewRect* size)
: EditorView(editController, size),
  pointer(std::make_unique<PointerTracker>()),
  platformFactory(&X11::createPlatformFrame)
{
    if (size)
        logicalSize = CPoint(size->getWidth(), size->getHeight());
    rect = scaledRect();
}

VSTGUIEditor::~VSTGUIEditor()
{
    stopTimer();
}

void VSTGUIEditor::setIdleRate(int32 millisec)
{
    idleRate = millisec > 0 ? millisec : 1;
    if (timer)
        timer->setFireTime(static_cast<uint32_t>(idleRate));
}

void VSTGUIEditor::setPlatformFrameFactory(PlatformFrameFactory factory)
{
    platformFactory = std::move(factory);
}

int32_t VSTGUIEditor::getKnobMode() const
{
    switch (EditController::getHostKnobMode())
    {
    case Vst::kRelativCircularMode:
        return VSTGUI::kRelativCircularMode;
    case Vst::kLinearMode:
        return VSTGUI::kLinearMode;
    default:
        return VSTGUI::kCircularMode;
    }
}

void VSTGUIEditor::beginEdit(int32_t index)
{
    if (controller)
        controller->beginEdit(static_cast<ParamID>(index));
}

void VSTGUIEditor::endEdit(int32_t index)
{
    if (controller)
        controller->endEdit(static_cast<ParamID>(index));
}

CMessageResult VSTGUIEditor::notify(CBaseObject*, IdStringPtr message)
{
    // The frame polls its idle views on a timer of its own; the tick is for subclasses.
    return message == CVSTGUITimer::kMsgTimer ? kMessageNotified : kMessageUnknown;
}

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported(FIDString type)
{
    if (type && std::strcmp(type, kPlatformTypeX11EmbedWindowID) == 0)
        return kResultTrue;
    return kInvalidArgument;
}

tresult PLUGIN_API VSTGUIEditor::attached(void* parent, FIDString type)
{
    if (isPlatformTypeSupported(type) != kResultTrue)
        return kInvalidArgument;
    if (frame || runLoop)
        return kResultFalse;
    runLoop = RunLoopAdapter::fromPlugFrame(plugFrame);
    if (!runLoop)
        return kResultFalse;
    const ViewRect before = rect;
    if (!open(parent, kX11EmbedWindowID) || !frame || !frame->isOpen())
    {
        if (frame)
            close();
        runLoop.reset();
        return kResultFalse;
    }
    setLogicalSize(frame->getWidth(), frame->getHeight());
    // The host sized its window from getSize; ask it again only when the content differs.
    if (plugFrame && (rect.getWidth() != before.getWidth() || rect.getHeight() != before.getHeight()))
    {
        ViewRect wanted = rect;
        plugFrame->resizeView(this, &wanted);
    }
    timer = makeOwned<CVSTGUITimer>(frame, this, static_cast<uint32_t>(idleRate), true);
    return EditorView::attached(parent, type);
}

tresult PLUGIN_API VSTGUIEditor::removed()
{
    stopTimer();
    if (frame)
    {
        frame->unregisterMouseObserver(pointer.get());
        close();
    }
    pointer->known = false;
    runLoop.reset();
    return EditorView::removed();
}

void VSTGUIEditor::stopTimer()
{
    if (timer)
    {
        timer->stop();
        timer.reset();
    }
}

bool VSTGUIEditor::openFrameWindow(void* parent)
{
    if (!frame || !runLoop)
        return false;
    PlatformFrameConfig config;
    config.parentWindow = reinterpret_cast<uintptr_t>(parent);
    config.size = frame->getViewSize().getSize();
    config.scaleFactor = scaleFactor;
    config.runLoop = runLoop.get();
    std::unique_ptr<IPlatformFrame> window = platformFactory ? platformFactory(*frame, config) : nullptr;
    if (!window)
        return false;
    frame->setScaleFactor(scaleFactor);
    if (!frame->open(std::move(window), runLoop.get()))
        return false;
    frame->registerMouseObserver(pointer.get());
    return true;
}

void VSTGUIEditor::setLogicalSize(double width, double height)
{
    logicalSize = CPoint(width, height);
    rect = scaledRect();
}

ViewRect VSTGUIEditor::scaledRect() const
{
    return ViewRect(rect.left, rect.top,
                    rect.left + static_cast<int32>(std::lround(logicalSize.x * scaleFactor)),
                    rect.top + static_cast<int32>(std::lround(logicalSize.y * scaleFactor)));
}

tresult PLUGIN_API VSTGUIEditor::onWheel(float distance)
{
    if (!frame || !pointer->known)
        return kResultFalse;
    return frame->platformOnMouseWheel(pointer->position, kMouseWheelAxisY, distance,
                                       CButtonState(pointer->modifiers))
               ? kResultTrue
               : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::onKeyDown(char16 key, int16 keyCode, int16 modifiers)
{
    if (!frame)
        return kResultFalse;
    VstKeyCode code = keyCodeFromPlugView(key, keyCode, modifiers);
    if (code.character == 0 && code.virt == 0)
        return kResultFalse;
    return frame->platformOnKeyDown(code) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::onKeyUp(char16 key, int16 keyCode, int16 modifiers)
{
    if (!frame)
        return kResultFalse;
    VstKeyCode code = keyCodeFromPlugView(key, keyCode, modifiers);
    if (code.character == 0 && code.virt == 0)
        return kResultFalse;
    return frame->platformOnKeyUp(code) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::onSize(ViewRect* newSize)
{
    if (!newSize || newSize->getWidth() <= 0 || newSize->getHeight() <= 0)
        return kInvalidArgument;
    // A device size that is the rounding of the present logical one (the size asked for
    // at a scale such as 1.5) leaves the layout alone: dividing back would creep.
    auto logical = [this](int32 device, double current) {
        return std::lround(current * scaleFactor) == device ? current : device / scaleFactor;
    };
    logicalSize = CPoint(logical(newSize->getWidth(), logicalSize.x),
                         logical(newSize->getHeight(), logicalSize.y));
    if (frame)
        frame->setSize(logicalSize.x, logicalSize.y);
    rect = *newSize;
    return kResultTrue;
}

tresult PLUGIN_API VSTGUIEditor::setContentScaleFactor(ScaleFactor factor)
{
    if (!(factor >= 1.0f && factor <= 4.0f))
        return kInvalidArgument;
    if (factor == scaleFactor)
        return kResultTrue;
    scaleFactor = factor;
    rect = scaledRect();
    if (frame)
    {
        frame->setScaleFactor(scaleFactor);
        // The window has grown with the scale; the host's window must follow.
        if (plugFrame && frame->isOpen())
        {
            ViewRect wanted = rect;
            plugFrame->resizeView(this, &wanted);
        }
    }
    return kResultTrue;
}

tresult PLUGIN_API VSTGUIEditor::drawSnapshot(void* pixels, int32 width, int32 height,
                                              int32 strideBytes)
{
    if (!pixels || width <= 0 || height <= 0 || strideBytes < width * 4)
        return kInvalidArgument;
    const bool offscreen = frame == nullptr;
    if (offscreen && (!openOffscreen() || !frame))
        return kResultFalse;

    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        static_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32, width, height, strideBytes);
    cairo_t* context = cairo_create(surface);
    cairo_set_operator(context, CAIRO_OPERATOR_CLEAR);
    cairo_paint(context);
    cairo_set_operator(context, CAIRO_OPERATOR_OVER);
    cairo_scale(context, scaleFactor, scaleFactor);
    const CRect all(0, 0, frame->getWidth(), frame->getHeight());
    cairo_rectangle(context, all.left, all.top, all.getWidth(), all.getHeight());
    cairo_clip(context);
    frame->setScaleFactor(scaleFactor);
    frame->platformDrawRect(context, all);
    cairo_destroy(context);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);

    if (offscreen)
        closeOffscreen();
    return kResultOk;
}

} // namespace Vst
} // namespace Steinberg
