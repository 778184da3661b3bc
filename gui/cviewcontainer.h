// CViewContainer: a view holding child views, with a background colour or bitmap.
// Children's rectangles are relative to the container's top-left; they draw in
// order (later on top) and are hit-tested last to first.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/cairo/cdrawcontext.h"
#include "gui/cview.h"

#include <functional>
#include <vector>

namespace VSTGUI {

enum CViewContainerBackgroundDrawStyle
{
    kDrawStrokedBackground = 0,
    kDrawFilledBackground = 1,
    kDrawFilledAndStrokedBackground = 2,
};

class CViewContainer : public CView
{
public:
    explicit CViewContainer(const CRect& size);
    /// Copies the settings and a copy of every child that can be copied.
    CViewContainer(const CViewContainer& other);
    ~CViewContainer() override;
    CView* newCopy() const override { return new CViewContainer(*this); }

    // --- children [UI thread] ---
    /// Appends `view`, taking over the caller's reference. False when it already has a parent.
    virtual bool addView(CView* view);
    /// Inserts `view` before `before` (appends when `before` is not a child).
    virtual bool addView(CView* view, CView* before);
    /// Removes `view`; with `withForget` the container drops its reference.
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    bool isChild(const CView* view) const;
    int32_t getNbViews() const { return static_cast<int32_t>(children.size()); }
    CView* getView(int32_t index) const;
    /// Moves `view` to position `newIndex` in the drawing order.
    bool changeViewZOrder(CView* view, int32_t newIndex);
    /// The top-most visible child under `where` (container coordinates), or null;
    /// with `deep`, descends into child containers.
    CView* getViewAt(const CPoint& where, bool deep = false, bool mouseEnabledOnly = false) const;
    /// Calls `f` for every descendant, depth first, parents before children.
    void forEachViewRecursive(const std::function<void(CView*)>& f) const;
    /// Every descendant of type T, depth first.
    template <class T>
    void getChildViewsOfType(std::vector<T*>& result, bool deep = true) const
    {
        for (const auto& c : children)
        {
            if (auto* t = dynamic_cast<T*>(c.get()))
                result.push_back(t);
            if (deep)
                if (auto* sub = dynamic_cast<CViewContainer*>(c.get()))
                    sub->getChildViewsOfType<T>(result, true);
        }
    }

    // --- background ---
    void setBackgroundColor(const CColor& color);
    const CColor& getBackgroundColor() const { return backgroundColor; }
    void setBackgroundColorDrawStyle(CViewContainerBackgroundDrawStyle style);
    CViewContainerBackgroundDrawStyle getBackgroundColorDrawStyle() const { return backgroundStyle; }
    void setBackgroundOffset(const CPoint& p) { backgroundOffset = p; }
    const CPoint& getBackgroundOffset() const { return backgroundOffset; }

    // --- CView ---
    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    /// Draws the background for `rect` (container coordinates).
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);
    void invalid() override;
    /// `rect` is in this container's own coordinates when a child calls it.
    void invalidRect(const CRect& rect) override;
    void setViewSize(const CRect& rect, bool invalidate = true) override;
    bool attached(CView* parent) override;
    bool removed(CView* parent) override;
    bool isDirty() const override;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    bool hitTest(const CPoint& where, const CButtonState& buttons = CButtonState()) override;

    /// The child receiving this gesture's move and up events, if any.
    CView* getMouseDownView() const { return mouseDownView; }
    /// Forgets the gesture's capture if it is `view` or lies inside it.
    void clearMouseDownView(CView* view);

protected:
    /// Own coordinates of a point given in the parent's.
    CPoint toLocal(const CPoint& where) const { return {where.x - size.left, where.y - size.top}; }

    std::vector<SharedPointer<CView>> children;

private:
    void applyAutosize(CView* child, double dw, double dh);

    CColor backgroundColor = kBlackCColor;
    CViewContainerBackgroundDrawStyle backgroundStyle = kDrawFilledAndStrokedBackground;
    CPoint backgroundOffset;
    SharedPointer<CView> mouseDownView;
};

} // namespace VSTGUI
