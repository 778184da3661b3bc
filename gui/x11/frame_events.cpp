// Frame: X events turned into the callback's mouse, wheel, key and focus calls.
#include "gui/x11/frame.h"

#include "gui/x11/keyboard.h"
#include "gui/x11/x11_input.h"

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace VSTGUI::X11 {
namespace {

// XEmbed messages the embedder may send us.
constexpr uint32_t kXembedFocusIn = 4;
constexpr uint32_t kXembedFocusOut = 5;

struct EventDeleter
{
    void operator()(xcb_generic_event_t* event) const { std::free(event); }
};
using EventPtr = std::unique_ptr<xcb_generic_event_t, EventDeleter>;

uint8_t typeOf(const xcb_generic_event_t* event)
{
    return event->response_type & 0x7f; // the top bit marks events sent by other clients
}

/// True when `later` makes `motion` obsolete: a newer position under the same buttons.
bool supersedes(const xcb_generic_event_t* later, const xcb_generic_event_t* motion)
{
    if (typeOf(motion) != XCB_MOTION_NOTIFY || typeOf(later) != XCB_MOTION_NOTIFY)
        return false;
    const auto* a = reinterpret_cast<const xcb_motion_notify_event_t*>(motion);
    const auto* b = reinterpret_cast<const xcb_motion_notify_event_t*>(later);
    return a->event == b->event && a->state == b->state;
}

} // namespace

void Frame::onFileDescriptorReady(int)
{
    processEvents();
}

void Frame::processEvents()
{
    if (broken_)
        return;
    const Life guard = life();
    std::vector<EventPtr> events;
    // Whatever a callback's round trip queues meanwhile is taken by the next pass.
    for (;;) {
        events.clear();
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            events.emplace_back(event);
        if (events.empty())
            break;
        for (std::size_t i = 0; i < events.size(); ++i) {
            if (i + 1 < events.size() && supersedes(events[i + 1].get(), events[i].get()))
                continue; // only the newest of a run of motions is reported
            if (!dispatch(events[i].get()) || guard.expired())
                return;
        }
    }
    if (xcb_connection_has_error(connection_))
        shutDown();
    else
        flush();
}

bool Frame::dispatch(const xcb_generic_event_t* event)
{
    switch (typeOf(event)) {
    case 0:
        onError(event);
        return true;
    case XCB_BUTTON_PRESS:
        return onButtonPress(event);
    case XCB_BUTTON_RELEASE:
        return onButtonRelease(event);
    case XCB_MOTION_NOTIFY:
        return onMotion(event);
    case XCB_LEAVE_NOTIFY:
        return onLeave(event);
    case XCB_KEY_PRESS:
        return onKey(event, true);
    case XCB_KEY_RELEASE:
        return onKey(event, false);
    case XCB_FOCUS_IN:
    case XCB_FOCUS_OUT: {
        const auto* focus = reinterpret_cast<const xcb_focus_in_event_t*>(event);
        // Grabs by others (a host's menu) and pointer-root focus are no focus change of ours.
        if (focus->event != window_ || focus->mode == XCB_NOTIFY_MODE_GRAB || focus->mode == XCB_NOTIFY_MODE_UNGRAB
            || focus->detail == XCB_NOTIFY_DETAIL_POINTER || focus->detail > XCB_NOTIFY_DETAIL_NONLINEAR_VIRTUAL)
            return true;
        return onFocus(typeOf(event) == XCB_FOCUS_IN);
    }
    case XCB_EXPOSE: {
        const auto* expose = reinterpret_cast<const xcb_expose_event_t*>(event);
        if (expose->window == window_) {
            dirty_.add({expose->x, expose->y, expose->width, expose->height});
            scheduleRepaint();
        }
        return true;
    }
    case XCB_DESTROY_NOTIFY:
        if (reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == window_) {
            windowGone_ = true;
            dirty_.clear();
        }
        return true;
    case XCB_CLIENT_MESSAGE:
        return onClientMessage(event);
    default:
        if (keyboard_)
            keyboard_->handleEvent(event);
        return true;
    }
}

bool Frame::onButtonPress(const xcb_generic_event_t* event)
{
    const auto* press = reinterpret_cast<const xcb_button_press_event_t*>(event);
    if (press->event != window_)
        return true;
    lastEventTime_ = press->time;
    CPoint where = logical(press->event_x, press->event_y);
    const int32_t modifiers = modifiersFromX(press->state);
    const Life guard = life();

    WheelStep step;
    if (wheelStepFromX(press->detail, step)) {
        callback_.platformOnMouseWheel(where, step.axis, step.distance,
                                       CButtonState(modifiers | heldButtonsFromX(press->state)));
        return !guard.expired();
    }
    const int32_t button = mouseButtonFromX(press->detail);
    if (!button)
        return true;
    CButtonState buttons(button | modifiers);
    if (doubleClick_.press(press->detail, press->time, press->event_x, press->event_y))
        buttons |= kDoubleClick;
    if (pressedButtons_ == 0) {
        // Drags go on reaching us outside the window until the last button is up.
        xcb_grab_pointer(connection_, 0, window_,
                         XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION
                             | XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW,
                         XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, press->time);
    }
    pressedButtons_ |= button;
    const CMouseEventResult result = callback_.platformOnMouseDown(where, buttons);
    if (guard.expired())
        return false;
    if (result == kMouseEventHandled || result == kMouseDownEventHandledButDontNeedMovedOrUpEvents)
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_PARENT, window_, press->time);
    return true;
}

bool Frame::onButtonRelease(const xcb_generic_event_t* event)
{
    const auto* release = reinterpret_cast<const xcb_button_release_event_t*>(event);
    const int32_t button = mouseButtonFromX(release->detail);
    if (release->event != window_ || !button)
        return true; // wheel buttons report their release too: nothing to do
    lastEventTime_ = release->time;
    pressedButtons_ &= ~button;
    if (pressedButtons_ == 0)
        xcb_ungrab_pointer(connection_, release->time);
    CPoint where = logical(release->event_x, release->event_y);
    const Life guard = life();
    callback_.platformOnMouseUp(where, CButtonState(button | modifiersFromX(release->state)));
    return !guard.expired();
}

bool Frame::onMotion(const xcb_generic_event_t* event)
{
    const auto* motion = reinterpret_cast<const xcb_motion_notify_event_t*>(event);
    if (motion->event != window_)
        return true;
    lastEventTime_ = motion->time;
    CPoint where = logical(motion->event_x, motion->event_y);
    const Life guard = life();
    callback_.platformOnMouseMoved(where,
                                   CButtonState(heldButtonsFromX(motion->state) | modifiersFromX(motion->state)));
    return !guard.expired();
}

bool Frame::onLeave(const xcb_generic_event_t* event)
{
    const auto* leave = reinterpret_cast<const xcb_leave_notify_event_t*>(event);
    // While a button is down the drag still belongs to us (the ungrab's leave comes later).
    if (leave->event != window_ || pressedButtons_ != 0 || leave->detail == XCB_NOTIFY_DETAIL_INFERIOR)
        return true;
    CPoint where = logical(leave->event_x, leave->event_y);
    const Life guard = life();
    callback_.platformOnMouseExited(where,
                                    CButtonState(heldButtonsFromX(leave->state) | modifiersFromX(leave->state)));
    return !guard.expired();
}

bool Frame::onKey(const xcb_generic_event_t* event, bool down)
{
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (key->event != window_ || !keyboard_)
        return true;
    lastEventTime_ = key->time;
    VstKeyCode code = keyboard_->translate(key->detail, key->state);
    if (code.character == 0 && code.virt == 0)
        return true; // a key that means nothing to a view (a dead key, a bare Super)
    const Life guard = life();
    if (down)
        callback_.platformOnKeyDown(code);
    else
        callback_.platformOnKeyUp(code);
    return !guard.expired();
}

bool Frame::onFocus(bool focused)
{
    if (focused == focused_)
        return true;
    focused_ = focused;
    const Life guard = life();
    callback_.platformOnFocusChanged(focused);
    return !guard.expired();
}

bool Frame::onClientMessage(const xcb_generic_event_t* event)
{
    const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
    if (message->window != window_ || message->type != xembedAtom_ || message->format != 32)
        return true;
    // An XEmbed embedder tells us about focus this way instead of (or besides) FocusIn/Out.
    switch (message->data.data32[1]) {
    case kXembedFocusIn:
        return onFocus(true);
    case kXembedFocusOut:
        return onFocus(false);
    default:
        return true;
    }
}

void Frame::onError(const xcb_generic_event_t* event)
{
    const auto* error = reinterpret_cast<const xcb_generic_error_t*>(event);
    if (xErrors_++ == 0) {
        std::fprintf(stderr, "X11 frame: the X server refused a request (error %u, request %u.%u); carrying on\n",
                     error->error_code, error->major_code, error->minor_code);
    }
}

} // namespace VSTGUI::X11
