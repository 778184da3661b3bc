// Observers a frame offers to its editor: views added and removed, mouse
// activity before the views see it, and keys before the focus view sees them.
#pragma once

#include "gui/base/cbuttonstate.h"
#include "gui/base/cpoint.h"
#include "gui/base/vstkeycode.h"

namespace VSTGUI {

class CFrame;
class CView;

class IViewAddedRemovedObserver
{
public:
    virtual ~IViewAddedRemovedObserver() = default;
    /// `view` (and its subtree) now belongs to `frame`. [UI thread]
    virtual void onViewAdded(CFrame* frame, CView* view) = 0;
    /// `view` is about to leave `frame`. [UI thread]
    virtual void onViewRemoved(CFrame* frame, CView* view) = 0;
};

class IMouseObserver
{
public:
    virtual ~IMouseObserver() = default;
    virtual void onMouseEntered(CView* view, CFrame* frame) = 0;
    virtual void onMouseExited(CView* view, CFrame* frame) = 0;
    /// Seen before the views; anything but kMouseEventNotHandled stops the event. [UI thread]
    virtual CMouseEventResult onMouseMoved(CFrame*, const CPoint&, const CButtonState&)
    {
        return kMouseEventNotHandled;
    }
    virtual CMouseEventResult onMouseDown(CFrame*, const CPoint&, const CButtonState&)
    {
        return kMouseEventNotHandled;
    }
};

class IKeyboardHook
{
public:
    virtual ~IKeyboardHook() = default;
    /// Seen before the focus view; answer 1 when consumed, -1 otherwise. [UI thread]
    virtual int32_t onKeyDown(const VstKeyCode& code, CFrame* frame) = 0;
    virtual int32_t onKeyUp(const VstKeyCode& code, CFrame* frame) = 0;
};

} // namespace VSTGUI
