#include "recording_callback.h"

#include <cmath>

namespace corvale::test {

using namespace VSTGUI;

namespace {

void setColour(cairo_t* context, uint32_t rgb)
{
    cairo_set_source_rgb(context, ((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0);
}

} // namespace

void drawScene(cairo_t* context, const CPoint& size, uint32_t background)
{
    setColour(context, background);
    cairo_paint(context);
    setColour(context, 0xf0c040);
    cairo_arc(context, size.x * 0.3, size.y * 0.5, size.y * 0.3, 0, 2 * M_PI);
    cairo_fill(context);
    setColour(context, 0xffffff);
    cairo_set_line_width(context, 1.5);
    cairo_move_to(context, 3.25, 2.5);
    cairo_line_to(context, size.x - 4.5, size.y - 3.75);
    cairo_stroke(context);
    setColour(context, 0x802020);
    cairo_rectangle(context, size.x * 0.6 + 0.5, size.y * 0.2 + 0.25, size.x * 0.25, size.y * 0.5);
    cairo_fill(context);
}

std::vector<FrameEvent> RecordingCallback::ofKind(FrameEvent::Kind kind) const
{
    std::vector<FrameEvent> result;
    for (const FrameEvent& e : events) {
        if (e.kind == kind)
            result.push_back(e);
    }
    return result;
}

void RecordingCallback::platformDrawRect(cairo_t* context, const CRect& dirty)
{
    drawn.push_back(dirty);
    drawScene(context, size, background);
}

CMouseEventResult RecordingCallback::platformOnMouseDown(CPoint& where, const CButtonState& buttons)
{
    events.push_back({FrameEvent::Down, where, buttons.state});
    if (onMouseDown)
        onMouseDown(); // may destroy the frame: nothing of it is touched after this
    return downResult;
}

CMouseEventResult RecordingCallback::platformOnMouseUp(CPoint& where, const CButtonState& buttons)
{
    events.push_back({FrameEvent::Up, where, buttons.state});
    return kMouseEventHandled;
}

CMouseEventResult RecordingCallback::platformOnMouseMoved(CPoint& where, const CButtonState& buttons)
{
    events.push_back({FrameEvent::Moved, where, buttons.state});
    return kMouseEventHandled;
}

CMouseEventResult RecordingCallback::platformOnMouseExited(CPoint& where, const CButtonState& buttons)
{
    events.push_back({FrameEvent::Exited, where, buttons.state});
    return kMouseEventHandled;
}

bool RecordingCallback::platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                                             const CButtonState& buttons)
{
    FrameEvent e {FrameEvent::Wheel, where, buttons.state};
    e.axis = axis;
    e.distance = distance;
    events.push_back(e);
    return true;
}

bool RecordingCallback::platformOnKeyDown(VstKeyCode& key)
{
    FrameEvent e {FrameEvent::KeyDown, {}};
    e.key = key;
    events.push_back(e);
    return true;
}

bool RecordingCallback::platformOnKeyUp(VstKeyCode& key)
{
    FrameEvent e {FrameEvent::KeyUp, {}};
    e.key = key;
    events.push_back(e);
    return true;
}

void RecordingCallback::platformOnFocusChanged(bool focused)
{
    FrameEvent e {FrameEvent::Focus, {}};
    e.focused = focused;
    events.push_back(e);
}

} // namespace corvale::test
