// What a user does in an editor's frame, sent as the window would send it: clicks,
// drags, typing into a text edit. Points are in the frame's logical coordinates.
#pragma once

#include "gui/cframe.h"
#include "gui/ctextedit.h"

#include <string>

namespace corvale::test {

/// The rectangle of `view` in frame coordinates.
inline VSTGUI::CRect frameRectOf(const VSTGUI::CView* view)
{
    VSTGUI::CPoint topLeft = view->getViewSize().getTopLeft();
    view->localToFrame(topLeft);
    return VSTGUI::CRect(topLeft.x, topLeft.y, topLeft.x + view->getWidth(),
                         topLeft.y + view->getHeight());
}

/// The centre of `view` in frame coordinates.
inline VSTGUI::CPoint centreOf(const VSTGUI::CView* view)
{
    VSTGUI::CPoint p = view->getViewSize().getCenter();
    return view->localToFrame(p);
}

/// Presses the left button at `from`, moves to `to` in `steps` moves, releases there.
inline void drag(VSTGUI::CFrame* frame, VSTGUI::CPoint from, VSTGUI::CPoint to, int steps = 4,
                 int32_t modifiers = 0)
{
    const VSTGUI::CButtonState buttons(VSTGUI::kLButton | modifiers);
    VSTGUI::CPoint p = from;
    frame->platformOnMouseDown(p, buttons);
    for (int i = 1; i <= steps; ++i)
    {
        p = VSTGUI::CPoint(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        frame->platformOnMouseMoved(p, buttons);
    }
    p = to;
    frame->platformOnMouseUp(p, buttons);
}

/// Clicks into `edit`, replaces its text by typing `text` and presses Enter (or Escape).
inline void typeInto(VSTGUI::CFrame* frame, VSTGUI::CTextEdit* edit, const std::string& text,
                     bool cancel = false)
{
    VSTGUI::CPoint p = centreOf(edit);
    frame->platformOnMouseDown(p, VSTGUI::CButtonState(VSTGUI::kLButton));
    frame->platformOnMouseUp(p, VSTGUI::CButtonState(VSTGUI::kLButton));
    for (char c : text)
    {
        VSTGUI::VstKeyCode key;
        key.character = static_cast<unsigned char>(c);
        frame->platformOnKeyDown(key);
    }
    VSTGUI::VstKeyCode end;
    end.virt = cancel ? VSTGUI::VKEY_ESCAPE : VSTGUI::VKEY_RETURN;
    frame->platformOnKeyDown(end);
}

} // namespace corvale::test
