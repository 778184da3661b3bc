// A frame callback for the X11 tests: records every call it gets, in logical
// coordinates, and draws a fixed scene that a test can also draw off-screen.
#pragma once

#include "gui/platform/platform_frame.h"

#include <cairo.h>

#include <functional>
#include <vector>

namespace corvale::test {

struct FrameEvent
{
    enum Kind { Down, Up, Moved, Exited, Wheel, KeyDown, KeyUp, Focus };

    FrameEvent(Kind k, VSTGUI::CPoint w = {}, int32_t b = 0) : kind(k), where(w), buttons(b) {}

    Kind kind;
    VSTGUI::CPoint where;
    int32_t buttons = 0;
    VSTGUI::CMouseWheelAxis axis = VSTGUI::kMouseWheelAxisY;
    float distance = 0.0f;
    VSTGUI::VstKeyCode key;
    bool focused = false;
};

/// Draws the test scene in logical coordinates: a background of `background`, an
/// anti-aliased circle, a diagonal line and a rectangle at fractional positions, so any
/// scaling or copying mistake changes pixels.
void drawScene(cairo_t* context, const VSTGUI::CPoint& size, uint32_t background);

class RecordingCallback : public VSTGUI::IPlatformFrameCallback
{
public:
    explicit RecordingCallback(VSTGUI::CPoint frameSize) : size(frameSize) {}

    VSTGUI::CPoint size;
    uint32_t background = 0x2a5d8f;
    std::vector<FrameEvent> events;
    std::vector<VSTGUI::CRect> drawn; // each rect the frame asked us to draw
    VSTGUI::CMouseEventResult downResult = VSTGUI::kMouseEventHandled;
    std::function<void()> onMouseDown; // runs inside platformOnMouseDown

    /// The events of one kind, in order.
    std::vector<FrameEvent> ofKind(FrameEvent::Kind kind) const;
    bool has(FrameEvent::Kind kind) const { return !ofKind(kind).empty(); }

    void platformDrawRect(cairo_t* context, const VSTGUI::CRect& dirty) override;
    VSTGUI::CMouseEventResult platformOnMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult platformOnMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult platformOnMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult platformOnMouseExited(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    bool platformOnMouseWheel(const VSTGUI::CPoint& where, VSTGUI::CMouseWheelAxis axis, float distance,
                              const VSTGUI::CButtonState& buttons) override;
    bool platformOnKeyDown(VSTGUI::VstKeyCode& key) override;
    bool platformOnKeyUp(VSTGUI::VstKeyCode& key) override;
    void platformOnFocusChanged(bool focused) override;
};

} // namespace corvale::test
