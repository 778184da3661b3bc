#include "gui/cframe.h"

#include "gui/cairo/cdrawcontext.h"
#include "gui/ctextedit.h"
#include "gui/cvstguitimer.h"
#include "gui/vstgui_editor_interface.h"

#include <algorithm>

namespace VSTGUI {

namespace {

// Idle views (meters) are polled at about 30 Hz.
constexpr uint32_t kIdleIntervalMs = 33;

template <class T>
void removeFrom(std::vector<T*>& list, T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

} // namespace

CFrame::CFrame(const CRect& r, VSTGUIEditorInterface* e)
    : CViewContainer(CRect(0, 0, r.getWidth(), r.getHeight())), editor(e)
{
    parentFrame = this;
}

CFrame::~CFrame()
{
    // Whoever registered these may be gone by now: tell them nothing more.
    viewObservers.clear();
    mouseObservers.clear();
    keyboardHooks.clear();
    stopTimers();
    // Views leaving with the frame neither commit nor hand the focus on.
    focusView.reset();
    mouseOverView.reset();
    removeAll(true);
    platformFrame.reset();
    parentFrame = nullptr;
}

bool CFrame::open(std::unique_ptr<IPlatformFrame> pf, IRunLoop* loop)
{
    if (runLoop || !loop)
        return false;
    runLoop = loop;
    platformFrame = std::move(pf);
    if (platformFrame && scaleFactor != 1.0)
        platformFrame->setScaleFactor(scaleFactor);
    if (!idleViews.empty())
        startIdleTimer();
    invalid();
    return true;
}

void CFrame::close()
{
    stopTimers();
    focusView.reset();
    mouseOverView.reset();
    platformFrame.reset();
    runLoop = nullptr;
    removeAll(true);
    forget();
}

void CFrame::stopTimers()
{
    const std::vector<CVSTGUITimer*> list = timers;
    for (CVSTGUITimer* t : list)
        t->frameClosing();
    timers.clear();
    idleTimer.reset();
}

bool CFrame::setSize(double width, double height)
{
    const CRect newSize(0, 0, width, height);
    if (newSize == size)
        return true;
    if (editor && !editor->beforeSizeChange(newSize, size))
        return false;
    setViewSize(newSize);
    return true;
}

void CFrame::setViewSize(const CRect& rect, bool invalidate)
{
    const CRect r(0, 0, rect.getWidth(), rect.getHeight());
    CViewContainer::setViewSize(r, false);
    if (platformFrame)
        platformFrame->setSize(r.getSize());
    if (invalidate)
        invalid();
}

void CFrame::setScaleFactor(double scale)
{
    if (scale <= 0.0 || scale == scaleFactor)
        return;
    scaleFactor = scale;
    if (platformFrame)
        platformFrame->setScaleFactor(scale);
    invalid();
}

void CFrame::setFocusView(CView* view)
{
    if (view == focusView.get())
        return;
    SharedPointer<CView> old = focusView;
    focusView = view;
    if (old)
        old->looseFocus();
    // looseFocus may have moved the focus on (or removed `view`); respect that.
    if (view && focusView.get() == view)
    {
        if (platformFrame)
            platformFrame->takeFocus();
        view->takeFocus();
    }
}

void CFrame::registerViewAddedRemovedObserver(IViewAddedRemovedObserver* o)
{
    if (o && std::find(viewObservers.begin(), viewObservers.end(), o) == viewObservers.end())
        viewObservers.push_back(o);
}

void CFrame::unregisterViewAddedRemovedObserver(IViewAddedRemovedObserver* o)
{
    removeFrom(viewObservers, o);
}

void CFrame::registerMouseObserver(IMouseObserver* o)
{
    if (o && std::find(mouseObservers.begin(), mouseObservers.end(), o) == mouseObservers.end())
        mouseObservers.push_back(o);
}

void CFrame::unregisterMouseObserver(IMouseObserver* o)
{
    removeFrom(mouseObservers, o);
}

void CFrame::registerKeyboardHook(IKeyboardHook* hook)
{
    if (hook && std::find(keyboardHooks.begin(), keyboardHooks.end(), hook) == keyboardHooks.end())
        keyboardHooks.push_back(hook);
}

void CFrame::unregisterKeyboardHook(IKeyboardHook* hook)
{
    removeFrom(keyboardHooks, hook);
}

void CFrame::beginEdit(int32_t index)
{
    if (editor)
        editor->beginEdit(index);
}

void CFrame::endEdit(int32_t index)
{
    if (editor)
        editor->endEdit(index);
}

int32_t CFrame::getKnobMode() const
{
    const int32_t mode = editor ? editor->getKnobMode() : -1;
    return mode == -1 ? kCircularMode : mode;
}

void CFrame::invalidRect(const CRect& rect)
{
    CRect r(rect);
    r.bound(CRect(0, 0, getWidth(), getHeight()));
    if (r.isEmpty())
        return;
    if (platformFrame)
        platformFrame->invalidRect(r);
    else
        invalidArea.unite(r);
}

CRect CFrame::takeInvalidArea()
{
    const CRect r = invalidArea;
    invalidArea = CRect();
    return r;
}

void CFrame::idle()
{
    const std::vector<CView*> list = idleViews;
    for (CView* v : list)
        if (std::find(idleViews.begin(), idleViews.end(), v) != idleViews.end())
            v->onIdle();
}

void CFrame::registerIdleView(CView* view)
{
    if (std::find(idleViews.begin(), idleViews.end(), view) != idleViews.end())
        return;
    idleViews.push_back(view);
    if (runLoop && !idleTimer)
        startIdleTimer();
}

void CFrame::unregisterIdleView(CView* view)
{
    removeFrom(idleViews, view);
    if (idleViews.empty() && idleTimer)
    {
        idleTimer->stop();
        idleTimer.reset();
    }
}

void CFrame::startIdleTimer()
{
    idleTimer = owned(new CVSTGUITimer(this, [this](CVSTGUITimer*) { idle(); }, kIdleIntervalMs));
    idleTimer->start();
}

void CFrame::timerStarted(CVSTGUITimer* timer)
{
    if (std::find(timers.begin(), timers.end(), timer) == timers.end())
        timers.push_back(timer);
}

void CFrame::timerStopped(CVSTGUITimer* timer)
{
    removeFrom(timers, timer);
}

void CFrame::notifyViewAdded(CView* view)
{
    const auto list = viewObservers;
    for (auto* o : list)
        o->onViewAdded(this, view);
}

void CFrame::notifyViewRemoved(CView* view)
{
    const auto list = viewObservers;
    for (auto* o : list)
        o->onViewRemoved(this, view);
}

void CFrame::onViewRemoved(CView* view)
{
    if (focusView.get() == view)
        setFocusView(nullptr);
    if (mouseOverView.get() == view)
        mouseOverView.reset();
}

void CFrame::platformDrawRect(cairo_t* context, const CRect& dirtyRect)
{
    CDrawContext drawContext(context, scaleFactor, &fonts);
    drawRect(&drawContext, dirtyRect);
}

CMouseEventResult CFrame::platformOnMouseDown(CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> guard(this);
    for (auto* o : std::vector<IMouseObserver*>(mouseObservers))
    {
        const CMouseEventResult r = o->onMouseDown(this, where, buttons);
        if (r != kMouseEventNotHandled && r != kMouseEventNotImplemented)
            return r;
    }
    // A click anywhere but inside the field being edited ends the text entry first.
    if (auto* edit = dynamic_cast<CTextEdit*>(focusView.get()))
    {
        CPoint local(where);
        edit->frameToLocal(local);
        if (!edit->isEditingText() || !edit->getViewSize().pointInside(local))
            setFocusView(nullptr);
    }
    const CMouseEventResult result = CViewContainer::onMouseDown(where, buttons);
    if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented)
        if (focusView && !dynamic_cast<CTextEdit*>(focusView.get()))
            setFocusView(nullptr);
    return result;
}

CMouseEventResult CFrame::platformOnMouseUp(CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> guard(this);
    const CMouseEventResult result = CViewContainer::onMouseUp(where, buttons);
    updateMouseOver(where, buttons);
    return result;
}

CMouseEventResult CFrame::platformOnMouseMoved(CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> guard(this);
    for (auto* o : std::vector<IMouseObserver*>(mouseObservers))
    {
        const CMouseEventResult r = o->onMouseMoved(this, where, buttons);
        if (r != kMouseEventNotHandled && r != kMouseEventNotImplemented)
            return r;
    }
    if (getMouseDownView())
        return CViewContainer::onMouseMoved(where, buttons);
    updateMouseOver(where, buttons);
    return kMouseEventNotHandled;
}

CMouseEventResult CFrame::platformOnMouseExited(CPoint& where, const CButtonState& buttons)
{
    if (SharedPointer<CView> old = mouseOverView)
    {
        mouseOverView.reset();
        CPoint p(where);
        old->frameToLocal(p);
        old->onMouseExited(p, buttons);
        for (auto* o : std::vector<IMouseObserver*>(mouseObservers))
            o->onMouseExited(old, this);
    }
    if (platformFrame)
        platformFrame->setCursor(kCursorDefault);
    return kMouseEventHandled;
}

void CFrame::updateMouseOver(const CPoint& where, const CButtonState& buttons)
{
    CView* now = getViewAt(where, true);
    if (now == mouseOverView.get())
        return;
    SharedPointer<CView> old = mouseOverView;
    mouseOverView = now;
    if (old)
    {
        CPoint p(where);
        old->frameToLocal(p);
        old->onMouseExited(p, buttons);
        for (auto* o : std::vector<IMouseObserver*>(mouseObservers))
            o->onMouseExited(old, this);
    }
    if (now)
    {
        CPoint p(where);
        now->frameToLocal(p);
        now->onMouseEntered(p, buttons);
        for (auto* o : std::vector<IMouseObserver*>(mouseObservers))
            o->onMouseEntered(now, this);
    }
    if (platformFrame)
        platformFrame->setCursor(now && now->getMouseEnabled() ? now->getCursorType() : kCursorDefault);
}

bool CFrame::platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                                  const CButtonState& buttons)
{
    SharedPointer<CFrame> guard(this);
    return CViewContainer::onWheel(where, axis, distance, buttons);
}

bool CFrame::platformOnKeyDown(VstKeyCode& key)
{
    SharedPointer<CFrame> guard(this);
    for (auto* h : std::vector<IKeyboardHook*>(keyboardHooks))
        if (h->onKeyDown(key, this) != -1)
            return true;
    if (key.virt == VKEY_ESCAPE && getMouseDownView())
    {
        CViewContainer::onMouseCancel();
        return true;
    }
    for (SharedPointer<CView> v = focusView; v; v = v->getParentView())
        if (v->onKeyDown(key) != -1)
            return true;
    return false;
}

bool CFrame::platformOnKeyUp(VstKeyCode& key)
{
    SharedPointer<CFrame> guard(this);
    for (auto* h : std::vector<IKeyboardHook*>(keyboardHooks))
        if (h->onKeyUp(key, this) != -1)
            return true;
    for (SharedPointer<CView> v = focusView; v; v = v->getParentView())
        if (v->onKeyUp(key) != -1)
            return true;
    return false;
}

void CFrame::platformOnFocusChanged(bool focused)
{
    if (!focused)
        setFocusView(nullptr);
}

} // namespace VSTGUI
