// CFrame: the top container of an editor. It receives the platform window's
// draw and input calls (IPlatformFrameCallback), keeps the keyboard focus and
// the mouse capture, turns invalid() into platform repaints, and gives views
// the run loop for their timers. It runs fully without a window (headless):
// tests call the platformOn... entry points and platformDrawRect directly.
#pragma once

#include "gui/cairo/font_cache.h"
#include "gui/cviewcontainer.h"
#include "gui/frame_observers.h"
#include "gui/platform/platform_frame.h"

#include <memory>
#include <vector>

namespace VSTGUI {

class CVSTGUITimer;
class IRunLoop;
class VSTGUIEditorInterface;

class CFrame : public CViewContainer, public IPlatformFrameCallback
{
public:
    /// A frame of `size` (its origin is ignored: a frame sits at 0, 0) for
    /// `editor` (may be null). [UI thread]
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);
    ~CFrame() override;
    CView* newCopy() const override { return nullptr; }

    // --- opening and closing [UI thread] ---
    /// Attaches a window (may be null: headless) and the run loop that drives it
    /// and every timer of the frame's views. False when already open or no run loop.
    bool open(std::unique_ptr<IPlatformFrame> platformFrame, IRunLoop* runLoop);
    bool isOpen() const { return runLoop != nullptr; }
    /// Stops the frame's timers, destroys the window, removes every view and drops
    /// the caller's reference. Use instead of forget() for an opened frame.
    void close();
    IRunLoop* getRunLoop() const { return runLoop; }
    IPlatformFrame* getPlatformFrame() const { return platformFrame.get(); }
    VSTGUIEditorInterface* getEditor() const { return editor; }

    // --- size and scale ---
    /// Resizes the frame if the editor agrees; the window follows. [UI thread]
    bool setSize(double width, double height);
    void setViewSize(const CRect& rect, bool invalidate = true) override;
    /// Device pixels per logical pixel (1, 1.5, 2). [UI thread]
    void setScaleFactor(double scale);
    double getScaleFactor() const { return scaleFactor; }
    void setTransparency(bool state) override { CViewContainer::setTransparency(state); }
    void enableTooltips(bool state) { tooltipsEnabled = state; }

    // --- focus and capture ---
    /// Gives the keyboard focus to `view` (null: nobody). The old focus view loses it first.
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView; }
    /// The view under the mouse at the last move.
    CView* getMouseOverView() const { return mouseOverView; }

    // --- observers (not owned; remove before they go away) ---
    void registerViewAddedRemovedObserver(IViewAddedRemovedObserver* o);
    void unregisterViewAddedRemovedObserver(IViewAddedRemovedObserver* o);
    void registerMouseObserver(IMouseObserver* o);
    void unregisterMouseObserver(IMouseObserver* o);
    void registerKeyboardHook(IKeyboardHook* hook);
    void unregisterKeyboardHook(IKeyboardHook* hook);

    // --- what controls report ---
    /// A control with tag `index` begins / ends a gesture: told to the editor.
    void beginEdit(int32_t index);
    void endEdit(int32_t index);
    /// The editor's knob mode, or kCircularMode when it has none.
    int32_t getKnobMode() const;

    // --- invalidation ---
    void invalidRect(const CRect& rect) override;
    void invalid() override { invalidRect(CRect(0, 0, getWidth(), getHeight())); }
    /// Headless: the area invalidated since the last call (empty when none). A
    /// frame with a window hands every rect to the window instead.
    CRect takeInvalidArea();
    /// Polls the idle views (the frame's own timer does it while open). [UI thread]
    void idle();

    // --- IPlatformFrameCallback [UI thread] ---
    void platformDrawRect(cairo_t* context, const CRect& dirty) override;
    CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseExited(CPoint& where, const CButtonState& buttons) override;
    bool platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                              const CButtonState& buttons) override;
    bool platformOnKeyDown(VstKeyCode& key) override;
    bool platformOnKeyUp(VstKeyCode& key) override;
    void platformOnFocusChanged(bool focused) override;

    // --- bookkeeping the views and timers call ---
    void notifyViewAdded(CView* view);
    void notifyViewRemoved(CView* view);
    /// A view leaves the frame: it can no longer hold the focus, capture or hover.
    void onViewRemoved(CView* view);
    void registerIdleView(CView* view);
    void unregisterIdleView(CView* view);
    void timerStarted(CVSTGUITimer* timer);
    void timerStopped(CVSTGUITimer* timer);

private:
    void updateMouseOver(const CPoint& where, const CButtonState& buttons);
    void startIdleTimer();
    void stopTimers();

    VSTGUIEditorInterface* editor;
    std::unique_ptr<IPlatformFrame> platformFrame;
    IRunLoop* runLoop = nullptr;
    FontCache fonts;
    double scaleFactor = 1.0;
    bool tooltipsEnabled = false;
    SharedPointer<CView> focusView;
    SharedPointer<CView> mouseOverView;
    CRect invalidArea;
    std::vector<IViewAddedRemovedObserver*> viewObservers;
    std::vector<IMouseObserver*> mouseObservers;
    std::vector<IKeyboardHook*> keyboardHooks;
    std::vector<CView*> idleViews;
    std::vector<CVSTGUITimer*> timers;
    SharedPointer<CVSTGUITimer> idleTimer;
};

} // namespace VSTGUI
