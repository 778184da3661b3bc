// VSTGUIEditor: the toolkit's frame as a VST 3 plug-in view. It is the IPlugView a
// controller hands to the host (an SDK EditorView, so the controller hears about
// attaching and removing), the editor interface its CFrame asks for knob mode, size
// changes and gestures, and the target of an idle timer. A subclass builds the frame
// and its content in open() and takes them down in close().
//
// On Linux the view needs the host's run loop (Steinberg::Linux::IRunLoop, found on the
// IPlugFrame): the frame's window, its events and every timer run on it, on the host's
// UI thread. A host that offers none gets kResultFalse from attached, not a dead window.
//
// Sizes: getSize and onSize speak device pixels, the frame logical ones; the content
// scale (IPlugViewContentScaleSupport: 1, 1.5, 2...) is the factor between them.
#pragma once

#include "gui/cframe.h"
#include "gui/cvstguitimer.h"
#include "gui/platform/platform_frame.h"
#include "gui/platform/platform_type.h"
#include "gui/plugin/run_loop_adapter.h"
#include "gui/vstgui_editor_interface.h"
#include "sdk/ieditor_snapshot.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <functional>
#include <memory>

namespace Steinberg {
namespace Vst {

class VSTGUIEditor : public EditorView,
                     public VSTGUI::VSTGUIEditorInterface,
                     public VSTGUI::CBaseObject,
                     public IPlugViewContentScaleSupport,
                     public corvale::IEditorSnapshot
{
public:
    /// Makes the window of an opened frame; null when there can be none.
    using PlatformFrameFactory = std::function<std::unique_ptr<VSTGUI::IPlatformFrame>(
        VSTGUI::IPlatformFrameCallback& frame, const VSTGUI::PlatformFrameConfig& config)>;

    /// [UI thread] A view for `controller` (may be null) of `size` logical pixels (none: 0 × 0).
    explicit VSTGUIEditor(EditController* controller, ViewRect* size = nullptr);
    ~VSTGUIEditor() override;

    /// [UI thread] Builds the frame and its content in the host's window `parent` and opens
    /// the frame's window (openFrameWindow). False when it cannot; the view stays closed.
    virtual bool open(void* parent, const VSTGUI::PlatformType& type) = 0;
    /// [UI thread] Takes the frame and its content down.
    virtual void close() = 0;

    /// [UI thread] The idle timer's period (notify with kMsgTimer); restarts a running timer.
    void setIdleRate(int32 millisec);
    int32 getIdleRate() const { return idleRate; }
    /// [UI thread] Device pixels per logical pixel.
    double getContentScaleFactor() const { return scaleFactor; }
    /// [UI thread] The run loop of an attached view (the host's, adapted), else null.
    VSTGUI::IRunLoop* getRunLoop() const { return runLoop.get(); }
    /// [UI thread] Replaces the X11 window maker (tests: a window of their own, or none).
    void setPlatformFrameFactory(PlatformFrameFactory factory);

    // VSTGUIEditorInterface [UI thread]
    VSTGUI::CFrame* getFrame() const override { return frame; }
    /// The host's knob mode (IEditController2::setKnobMode), as the toolkit numbers it.
    int32_t getKnobMode() const override;
    /// A view of the frame begins / ends a gesture on parameter `index`: told to the controller.
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;

    // CBaseObject [UI thread]
    /// The idle timer's tick (kMsgTimer); nothing else is understood here.
    VSTGUI::CMessageResult notify(VSTGUI::CBaseObject* sender, VSTGUI::IdStringPtr message) override;

    // IPlugView [UI thread]
    /// kResultTrue for "X11EmbedWindowID", kInvalidArgument for anything else.
    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override;
    /// Opens the editor in the X11 window `parent` on the run loop of the frame set with
    /// setFrame: kResultFalse without a run loop, when already attached or when open fails.
    tresult PLUGIN_API attached(void* parent, FIDString type) override;
    /// Stops the timer, closes the editor, lets go of the run loop.
    tresult PLUGIN_API removed() override;
    /// One wheel notch is ±1, at the pointer's last place; kResultTrue when a view took it.
    tresult PLUGIN_API onWheel(float distance) override;
    /// Keys the host forwards; kResultTrue only when a view took the key.
    tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) override;
    /// The host gives the view `newSize` (device pixels): the frame follows.
    tresult PLUGIN_API onSize(ViewRect* newSize) override;

    // IPlugViewContentScaleSupport [UI thread]
    /// Any factor from 1 to 4: the view and its window grow by it, drawn sharp.
    tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) override;

    // IEditorSnapshot [UI thread]
    tresult PLUGIN_API drawSnapshot(void* pixels, int32 width, int32 height,
                                    int32 strideBytes) override;

    OBJ_METHODS(VSTGUIEditor, EditorView)
    DEFINE_INTERFACES
        DEF_INTERFACE(IPlugViewContentScaleSupport)
        DEF_INTERFACE(corvale::IEditorSnapshot)
    END_DEFINE_INTERFACES(EditorView)
    REFCOUNT_METHODS(EditorView)

protected:
    /// [UI thread] Gives the opened frame its window, a child of `parent`, on the run loop.
    /// False (the frame stays without a window) when the window cannot be made.
    bool openFrameWindow(void* parent);
    /// [UI thread] The logical size of the view's content; the reported size follows the scale.
    void setLogicalSize(double width, double height);
    VSTGUI::CPoint getLogicalSize() const { return logicalSize; }
    /// [UI thread] Builds the content for an off-screen picture while closed, and takes it
    /// down again. The base can build nothing.
    virtual bool openOffscreen() { return false; }
    virtual void closeOffscreen() {}
    /// [UI thread] The device-pixel rectangle of the current logical size and scale.
    ViewRect scaledRect() const;

    VSTGUI::CFrame* frame = nullptr;

private:
    class PointerTracker;

    void stopTimer();

    std::unique_ptr<VSTGUI::RunLoopAdapter> runLoop;
    VSTGUI::SharedPointer<VSTGUI::CVSTGUITimer> timer;
    std::unique_ptr<PointerTracker> pointer;
    PlatformFrameFactory platformFactory;
    VSTGUI::CPoint logicalSize;
    double scaleFactor = 1.0;
    int32 idleRate = 100;
};

} // namespace Vst
} // namespace Steinberg
