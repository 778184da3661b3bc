// CView: the base of everything drawn in a frame. A view's rectangle is in its
// parent container's coordinates; mouse points handed to a view are in that same
// space. Views are reference counted: a container owns one reference to each child.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/cbuttonstate.h"
#include "gui/base/crect.h"
#include "gui/base/sharedpointer.h"
#include "gui/base/vstkeycode.h"
#include "gui/cairo/cbitmap.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace VSTGUI {

class CBitmap;
class CDrawContext;
class CFrame;
class CViewContainer;
class IController;

enum CViewAutosizing : int32_t
{
    kAutosizeNone = 0,
    kAutosizeLeft = 1 << 0,
    kAutosizeTop = 1 << 1,
    kAutosizeRight = 1 << 2,
    kAutosizeBottom = 1 << 3,
    kAutosizeColumn = 1 << 4,
    kAutosizeRow = 1 << 5,
    kAutosizeAll = kAutosizeLeft | kAutosizeTop | kAutosizeRight | kAutosizeBottom,
};

class CView : public CBaseObject
{
public:
    explicit CView(const CRect& size);
    /// A detached copy with the same settings (no parent, no controller).
    CView(const CView& other);
    ~CView() override;

    /// A new copy of this view, or null for classes that cannot be copied. [UI thread]
    virtual CView* newCopy() const { return new CView(*this); }

    // --- drawing [UI thread] ---
    /// Draws the view (the background bitmap here), then marks it clean.
    virtual void draw(CDrawContext* context);
    /// Draws the part `updateRect` (parent coordinates) of the view.
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    /// True when the view overlaps `updateRect` (parent coordinates).
    virtual bool checkUpdate(const CRect& updateRect) const { return updateRect.rectOverlap(size); }
    virtual bool isDirty() const { return dirty; }
    virtual void setDirty(bool state = true) { dirty = state; }
    /// Asks for the whole view to be redrawn.
    virtual void invalid();
    /// Asks for `rect` (parent coordinates) to be redrawn.
    virtual void invalidRect(const CRect& rect);

    // --- events [UI thread]; points in parent coordinates ---
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    /// The gesture was interrupted (Escape, capture lost): undo it.
    virtual CMouseEventResult onMouseCancel() { return kMouseEventNotImplemented; }
    virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
    /// One wheel notch is ±1. True when consumed.
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const CButtonState& buttons);
    /// 1 when the key was consumed, -1 otherwise.
    virtual int32_t onKeyDown(VstKeyCode& key);
    virtual int32_t onKeyUp(VstKeyCode& key);
    /// True when `where` (parent coordinates) is over the view's mouseable area.
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = CButtonState());
    /// The cursor shape shown over the view.
    virtual CCursorType getCursorType() const { return kCursorDefault; }
    /// Called about 30 times a second while setWantsIdle(true) and the frame is open.
    virtual void onIdle() {}

    // --- geometry ---
    const CRect& getViewSize() const { return size; }
    virtual void setViewSize(const CRect& rect, bool invalidate = true);
    double getWidth() const { return size.getWidth(); }
    double getHeight() const { return size.getHeight(); }
    const CRect& getMouseableArea() const { return mouseableArea; }
    void setMouseableArea(const CRect& rect) { mouseableArea = rect; }
    /// Converts a point of this view's space (its parent's coordinates) to frame coordinates.
    CPoint& localToFrame(CPoint& point) const;
    CPoint& frameToLocal(CPoint& point) const;
    void setAutosizeFlags(int32_t flags) { autosizeFlags = flags; }
    int32_t getAutosizeFlags() const { return autosizeFlags; }
    /// Called after the parent container changed size.
    virtual void parentSizeChanged() {}

    // --- state ---
    virtual void setMouseEnabled(bool state = true) { mouseEnabled = state; }
    bool getMouseEnabled() const { return mouseEnabled; }
    virtual void setVisible(bool state);
    bool isVisible() const { return visible; }
    virtual void setTransparency(bool state) { transparent = state; }
    bool getTransparency() const { return transparent; }
    void setWantsFocus(bool state) { focusWanted = state; }
    bool wantsFocus() const { return focusWanted; }
    void setWantsIdle(bool state);
    bool wantsIdle() const { return idleWanted; }
    void setAlphaValue(float alpha);
    float getAlphaValue() const { return alphaValue; }
    void setTooltipText(const std::string& text) { tooltip = text; }
    const std::string& getTooltipText() const { return tooltip; }

    virtual void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const;
    virtual void setDisabledBackground(CBitmap* bitmap);
    CBitmap* getDisabledBackground() const;
    /// The disabled background when not mouse-enabled and there is one, else the background.
    CBitmap* getDrawBackground() const;

    // --- tree ---
    /// Joins `parent` (which is attached to a frame). [UI thread]
    virtual bool attached(CView* parent);
    /// Leaves `parent`. [UI thread]
    virtual bool removed(CView* parent);
    bool isAttached() const { return parentView != nullptr; }
    CView* getParentView() const { return parentView; }
    CFrame* getFrame() const { return parentFrame; }
    /// The keyboard focus arrives / leaves. [UI thread]
    virtual void takeFocus() {}
    virtual void looseFocus() {}

    // --- raw named data and the sub-controller this view owns ---
    bool setAttribute(uint32_t id, uint32_t byteSize, const void* data);
    bool getAttributeSize(uint32_t id, uint32_t& byteSize) const;
    bool getAttribute(uint32_t id, uint32_t byteSize, void* data, uint32_t& outSize) const;
    bool removeAttribute(uint32_t id);
    /// Hands `controller` to the view, which releases it when destroyed.
    void setController(IController* controller);
    IController* getController() const { return controller; }

protected:
    CRect size;
    CRect mouseableArea;
    CView* parentView = nullptr;
    CFrame* parentFrame = nullptr;

private:
    void releaseController();

    SharedPointer<CBitmap> background;
    SharedPointer<CBitmap> disabledBackground;
    IController* controller = nullptr;
    std::map<uint32_t, std::vector<char>> attributes;
    std::string tooltip;
    int32_t autosizeFlags = kAutosizeNone;
    float alphaValue = 1.0f;
    bool dirty = false;
    bool mouseEnabled = true;
    bool visible = true;
    bool transparent = false;
    bool focusWanted = false;
    bool idleWanted = false;
};

} // namespace VSTGUI
