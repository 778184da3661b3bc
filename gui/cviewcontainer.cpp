#include "gui/cviewcontainer.h"

#include "gui/cairo/cbitmap.h"
#include "gui/ccontrol.h"
#include "gui/cframe.h"

#include <algorithm>

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& r) : CView(r) {}

CViewContainer::CViewContainer(const CViewContainer& o)
    : CView(o),
      backgroundColor(o.backgroundColor),
      backgroundStyle(o.backgroundStyle),
      backgroundOffset(o.backgroundOffset)
{
    for (const auto& c : o.children)
        if (CView* copy = c->newCopy())
            addView(copy);
}

CViewContainer::~CViewContainer()
{
    removeAll(true);
}

bool CViewContainer::addView(CView* view)
{
    return addView(view, nullptr);
}

bool CViewContainer::addView(CView* view, CView* before)
{
    if (!view || view->getParentView() || isChild(view))
        return false;
    auto pos = std::find_if(children.begin(), children.end(),
                            [&](const SharedPointer<CView>& c) { return c.get() == before; });
    children.insert(pos, SharedPointer<CView>(view, true));
    if (getFrame())
    {
        view->attached(this);
        getFrame()->notifyViewAdded(view);
        view->invalid();
    }
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    auto it = std::find_if(children.begin(), children.end(),
                           [&](const SharedPointer<CView>& c) { return c.get() == view; });
    if (it == children.end())
        return false;
    SharedPointer<CView> keep = *it;  // alive through the notifications below
    if (view->isAttached())
    {
        view->invalid();
        if (CFrame* frame = getFrame())
            frame->notifyViewRemoved(view);
        view->removed(this);
    }
    clearMouseDownView(view);
    it = std::find_if(children.begin(), children.end(),
                      [&](const SharedPointer<CView>& c) { return c.get() == view; });
    if (it != children.end())
        children.erase(it);
    if (!withForget)
        view->remember();
    return true;
}

bool CViewContainer::removeAll(bool withForget)
{
    mouseDownView.reset();
    while (!children.empty())
        removeView(children.back().get(), withForget);
    return true;
}

bool CViewContainer::isChild(const CView* view) const
{
    return std::any_of(children.begin(), children.end(),
                       [&](const SharedPointer<CView>& c) { return c.get() == view; });
}

CView* CViewContainer::getView(int32_t index) const
{
    if (index < 0 || index >= getNbViews())
        return nullptr;
    return children[static_cast<size_t>(index)];
}

bool CViewContainer::changeViewZOrder(CView* view, int32_t newIndex)
{
    auto it = std::find_if(children.begin(), children.end(),
                           [&](const SharedPointer<CView>& c) { return c.get() == view; });
    if (it == children.end() || newIndex < 0 || newIndex >= getNbViews())
        return false;
    SharedPointer<CView> keep = *it;
    children.erase(it);
    children.insert(children.begin() + newIndex, keep);
    view->invalid();
    return true;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep, bool mouseEnabledOnly) const
{
    for (auto it = children.rbegin(); it != children.rend(); ++it)
    {
        CView* v = *it;
        if (!v->isVisible() || (mouseEnabledOnly && !v->getMouseEnabled()) ||
            !v->getViewSize().pointInside(where))
            continue;
        if (deep)
            if (auto* sub = dynamic_cast<CViewContainer*>(v))
                if (CView* inner = sub->getViewAt(sub->toLocal(where), true, mouseEnabledOnly))
                    return inner;
        return v;
    }
    return nullptr;
}

void CViewContainer::forEachViewRecursive(const std::function<void(CView*)>& f) const
{
    // A copy of the list: `f` may add or remove views.
    const std::vector<SharedPointer<CView>> list = children;
    for (const auto& c : list)
    {
        f(c);
        if (auto* sub = dynamic_cast<CViewContainer*>(c.get()))
            sub->forEachViewRecursive(f);
    }
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
    backgroundColor = color;
    setDirty(true);
}

void CViewContainer::setBackgroundColorDrawStyle(CViewContainerBackgroundDrawStyle style)
{
    backgroundStyle = style;
    setDirty(true);
}

void CViewContainer::draw(CDrawContext* context)
{
    drawRect(context, size);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect)
{
    const CRect bounds(0, 0, getWidth(), getHeight());
    if (CBitmap* bitmap = getDrawBackground())
    {
        bitmap->draw(context, bounds, backgroundOffset);
        return;
    }
    if (getTransparency() && backgroundColor.alpha == 255)
        return;
    context->setDrawMode(kAliasing);
    if (backgroundStyle == kDrawFilledBackground ||
        (backgroundStyle == kDrawFilledAndStrokedBackground && backgroundColor.alpha == 255))
    {
        context->setFillColor(backgroundColor);
        CRect r(rect);
        r.extend(1, 1);
        context->drawRect(r, kDrawFilled);
        return;
    }
    context->setLineWidth(1);
    context->setFillColor(backgroundColor);
    context->setFrameColor(backgroundColor);
    context->drawRect(bounds, backgroundStyle == kDrawStrokedBackground ? kDrawStroked
                                                                        : kDrawFilledAndStroked);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CRect local(updateRect);
    local.offset(-size.left, -size.top);
    local.bound(CRect(0, 0, getWidth(), getHeight()));
    if (local.isEmpty())
        return;
    CDrawContext::Transform transform(*context, CGraphicsTransform().translate(size.left, size.top));
    CRect oldClip;
    context->getClipRect(oldClip);
    CRect clip(local);
    clip.bound(oldClip);
    if (!clip.isEmpty())
    {
        context->saveGlobalState();
        context->setClipRect(clip);
        drawBackgroundRect(context, clip);
        context->restoreGlobalState();
        for (const auto& c : children)
        {
            CView* v = c;
            if (!v->isVisible() || !v->checkUpdate(clip))
                continue;
            CRect childClip(v->getViewSize());
            childClip.bound(clip);
            if (childClip.isEmpty())
                continue;
            context->saveGlobalState();
            context->setClipRect(childClip);
            context->setGlobalAlpha(context->getGlobalAlpha() * v->getAlphaValue());
            v->drawRect(context, childClip);
            context->restoreGlobalState();
        }
    }
    setDirty(false);
}

void CViewContainer::invalid()
{
    setDirty(false);
    if (parentView && isVisible())
        parentView->invalidRect(size);
}

void CViewContainer::invalidRect(const CRect& rect)
{
    if (!parentView || !isVisible())
        return;
    CRect r(rect);
    r.offset(size.left, size.top);
    r.bound(size);
    if (!r.isEmpty())
        parentView->invalidRect(r);
}

void CViewContainer::applyAutosize(CView* child, double dw, double dh)
{
    const int32_t flags = child->getAutosizeFlags();
    if (flags == kAutosizeNone)
        return;
    CRect r = child->getViewSize();
    if (flags & kAutosizeRight)
    {
        if (flags & kAutosizeLeft)
            r.right += dw;
        else
            r.offset(dw, 0);
    }
    if (flags & kAutosizeBottom)
    {
        if (flags & kAutosizeTop)
            r.bottom += dh;
        else
            r.offset(0, dh);
    }
    child->setViewSize(r, false);
    child->parentSizeChanged();
}

void CViewContainer::setViewSize(const CRect& rect, bool invalidate)
{
    if (rect == size)
        return;
    const double dw = rect.getWidth() - getWidth(), dh = rect.getHeight() - getHeight();
    CView::setViewSize(rect, invalidate);
    if (dw != 0.0 || dh != 0.0)
        for (const auto& c : children)
            applyAutosize(c, dw, dh);
}

bool CViewContainer::attached(CView* parent)
{
    if (!CView::attached(parent))
        return false;
    for (const auto& c : children)
        c->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent)
{
    if (!isAttached())
        return false;
    mouseDownView.reset();
    for (const auto& c : children)
        c->removed(this);
    return CView::removed(parent);
}

bool CViewContainer::isDirty() const
{
    if (CView::isDirty())
        return true;
    return std::any_of(children.begin(), children.end(), [](const SharedPointer<CView>& c) {
        return c->isVisible() && c->isDirty();
    });
}

void CViewContainer::clearMouseDownView(CView* view)
{
    if (!mouseDownView)
        return;
    if (mouseDownView.get() == view)
    {
        mouseDownView.reset();
        return;
    }
    if (auto* sub = dynamic_cast<CViewContainer*>(view))
    {
        bool inside = false;
        sub->forEachViewRecursive([&](CView* v) { inside = inside || v == mouseDownView.get(); });
        if (inside)
            mouseDownView.reset();
    }
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    const CPoint local = toLocal(where);
    const std::vector<SharedPointer<CView>> list = children;
    for (auto it = list.rbegin(); it != list.rend(); ++it)
    {
        CView* v = *it;
        if (!v->isVisible() || !v->getMouseEnabled() || !v->hitTest(local, buttons))
            continue;
        // Exactly-Ctrl click: the control goes back to its default before it sees the event.
        if (auto* control = dynamic_cast<CControl*>(v))
            if (control->checkDefaultValue(buttons))
                return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
        CPoint p = local;
        const CMouseEventResult result = v->onMouseDown(p, buttons);
        if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented)
            continue;
        if (result == kMouseEventHandled)
            mouseDownView = v;
        if (v->wantsFocus() && getFrame() && getFrame()->getFocusView() != v &&
            !dynamic_cast<CViewContainer*>(v))
            getFrame()->setFocusView(v);
        return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CView> target = mouseDownView;
    mouseDownView.reset();
    if (!target)
        return kMouseEventNotHandled;
    CPoint p = toLocal(where);
    return target->onMouseUp(p, buttons);
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CView> target = mouseDownView;
    if (!target)
        return kMouseEventNotHandled;
    CPoint p = toLocal(where);
    const CMouseEventResult result = target->onMouseMoved(p, buttons);
    if (result == kMouseMoveEventHandledButDontNeedMoreEvents && mouseDownView == target)
        mouseDownView.reset();
    return result;
}

CMouseEventResult CViewContainer::onMouseCancel()
{
    SharedPointer<CView> target = mouseDownView;
    mouseDownView.reset();
    return target ? target->onMouseCancel() : kMouseEventNotHandled;
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                             const CButtonState& buttons)
{
    const CPoint local = toLocal(where);
    const std::vector<SharedPointer<CView>> list = children;
    for (auto it = list.rbegin(); it != list.rend(); ++it)
    {
        CView* v = *it;
        if (v->isVisible() && v->getMouseEnabled() && v->hitTest(local, buttons) &&
            v->onWheel(local, axis, distance, buttons))
            return true;
    }
    return false;
}

bool CViewContainer::hitTest(const CPoint& where, const CButtonState& buttons)
{
    return CView::hitTest(where, buttons);
}

} // namespace VSTGUI
