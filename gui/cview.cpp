#include "gui/cview.h"

#include "gui/cairo/cbitmap.h"
#include "gui/cframe.h"
#include "gui/icontroller.h"

#include <cstring>

namespace VSTGUI {

CView::CView(const CRect& r) : size(r), mouseableArea(r) {}

CView::CView(const CView& o)
    : CBaseObject(o),
      size(o.size),
      mouseableArea(o.mouseableArea),
      background(o.background),
      disabledBackground(o.disabledBackground),
      attributes(o.attributes),
      tooltip(o.tooltip),
      autosizeFlags(o.autosizeFlags),
      alphaValue(o.alphaValue),
      mouseEnabled(o.mouseEnabled),
      visible(o.visible),
      transparent(o.transparent),
      focusWanted(o.focusWanted),
      idleWanted(o.idleWanted)
{
}

CView::~CView()
{
    releaseController();
}

void CView::releaseController()
{
    IController* c = controller;
    controller = nullptr;
    if (!c)
        return;
    if (auto* object = dynamic_cast<CBaseObject*>(c))
        object->forget();
    else
        delete c;
}

void CView::setController(IController* c)
{
    if (c == controller)
        return;
    releaseController();
    controller = c;
}

void CView::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
    draw(context);
}

void CView::invalid()
{
    setDirty(false);
    invalidRect(size);
}

void CView::invalidRect(const CRect& rect)
{
    if (parentView && visible)
        parentView->invalidRect(rect);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

bool CView::onWheel(const CPoint&, const CMouseWheelAxis&, const float&, const CButtonState&)
{
    return false;
}

int32_t CView::onKeyDown(VstKeyCode&)
{
    return -1;
}

int32_t CView::onKeyUp(VstKeyCode&)
{
    return -1;
}

bool CView::hitTest(const CPoint& where, const CButtonState&)
{
    return mouseableArea.pointInside(where);
}

void CView::setViewSize(const CRect& rect, bool invalidate)
{
    if (rect == size)
        return;
    if (invalidate)
        invalid();
    size = rect;
    mouseableArea = rect;
    if (invalidate)
        invalid();
}

CPoint& CView::localToFrame(CPoint& point) const
{
    if (parentView)
        return parentView->localToFrame(point.offset(parentView->size.left, parentView->size.top));
    return point;
}

CPoint& CView::frameToLocal(CPoint& point) const
{
    if (parentView)
        return parentView->frameToLocal(point.offset(-parentView->size.left, -parentView->size.top));
    return point;
}

void CView::setVisible(bool state)
{
    if (visible == state)
        return;
    if (!state)
        invalid();
    visible = state;
    if (state)
        invalid();
}

void CView::setWantsIdle(bool state)
{
    if (idleWanted == state)
        return;
    idleWanted = state;
    if (parentFrame && parentFrame != this)
    {
        if (state)
            parentFrame->registerIdleView(this);
        else
            parentFrame->unregisterIdleView(this);
    }
}

void CView::setAlphaValue(float alpha)
{
    alphaValue = alpha < 0.f ? 0.f : (alpha > 1.f ? 1.f : alpha);
    invalid();
}

void CView::setBackground(CBitmap* bitmap)
{
    background = bitmap;
    setDirty(true);
}

CBitmap* CView::getBackground() const
{
    return background;
}

void CView::setDisabledBackground(CBitmap* bitmap)
{
    disabledBackground = bitmap;
    setDirty(true);
}

CBitmap* CView::getDisabledBackground() const
{
    return disabledBackground;
}

CBitmap* CView::getDrawBackground() const
{
    if (disabledBackground && !mouseEnabled)
        return disabledBackground;
    return background;
}

bool CView::attached(CView* parent)
{
    if (parentView)
        return false;
    parentView = parent;
    parentFrame = parent ? parent->getFrame() : nullptr;
    if (idleWanted && parentFrame)
        parentFrame->registerIdleView(this);
    return true;
}

bool CView::removed(CView*)
{
    if (!parentView)
        return false;
    if (parentFrame)
    {
        if (idleWanted)
            parentFrame->unregisterIdleView(this);
        parentFrame->onViewRemoved(this);
    }
    parentView = nullptr;
    parentFrame = nullptr;
    return true;
}

bool CView::setAttribute(uint32_t id, uint32_t byteSize, const void* data)
{
    if (!data && byteSize)
        return false;
    const char* bytes = static_cast<const char*>(data);
    attributes[id].assign(bytes, bytes + byteSize);
    return true;
}

bool CView::getAttributeSize(uint32_t id, uint32_t& byteSize) const
{
    auto it = attributes.find(id);
    if (it == attributes.end())
        return false;
    byteSize = static_cast<uint32_t>(it->second.size());
    return true;
}

bool CView::getAttribute(uint32_t id, uint32_t byteSize, void* data, uint32_t& outSize) const
{
    auto it = attributes.find(id);
    if (it == attributes.end() || byteSize < it->second.size())
        return false;
    outSize = static_cast<uint32_t>(it->second.size());
    if (outSize)
        std::memcpy(data, it->second.data(), outSize);
    return true;
}

bool CView::removeAttribute(uint32_t id)
{
    return attributes.erase(id) > 0;
}

} // namespace VSTGUI
