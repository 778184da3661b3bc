#include "host/host_window.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace corvale::host {

using namespace Steinberg;

/// Forwards the run loop's "readable" to the window; cut off when the window goes first.
class HostWindow::EventSink : public Linux::IEventHandler
{
public:
    explicit EventSink(HostWindow* owner) : owner_(owner) { FUNKNOWN_CTOR }
    virtual ~EventSink() { FUNKNOWN_DTOR }

    void disconnect() { owner_ = nullptr; }
    void PLUGIN_API onFDIsSet(Linux::FileDescriptor) override
    {
        if (owner_)
            owner_->onReadable();
    }

    DECLARE_FUNKNOWN_METHODS

private:
    HostWindow* owner_;
};

IMPLEMENT_FUNKNOWN_METHODS(HostWindow::EventSink, Linux::IEventHandler, Linux::IEventHandler::iid)

namespace {

uint32_t internAtom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const uint32_t atom = reply ? reply->atom : static_cast<uint32_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

void setStringProperty(xcb_connection_t* c, uint32_t window, uint32_t property, uint32_t type,
                       const std::string& value)
{
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                        static_cast<uint32_t>(value.size()), value.data());
}

} // namespace

HostWindow::HostWindow(RunLoop* loop, const std::string& title, int width, int height)
    : loop_(loop), width_(width), height_(height)
{
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) {
        error_ = "window size " + std::to_string(width) + "x" + std::to_string(height) + " is out of range";
        return;
    }
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        const char* display = std::getenv("DISPLAY");
        error_ = std::string("cannot connect to the X display '") + (display ? display : "") + "'";
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i)
        xcb_screen_next(&screens);
    const xcb_screen_t* screen = screens.data;

    window_ = xcb_generate_id(connection_);
    const uint32_t values[] = {
        screen->black_pixel,
        XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE,
    };
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0,
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);

    wmProtocols_ = internAtom(connection_, "WM_PROTOCOLS");
    wmDeleteWindow_ = internAtom(connection_, "WM_DELETE_WINDOW");
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, wmProtocols_, XCB_ATOM_ATOM, 32, 1,
                        &wmDeleteWindow_);
    setStringProperty(connection_, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title);
    setStringProperty(connection_, window_, internAtom(connection_, "_NET_WM_NAME"),
                      internAtom(connection_, "UTF8_STRING"), title);
    // WM_CLASS is two NUL-terminated strings: instance and class.
    setStringProperty(connection_, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
                      std::string("corvale-host\0Corvale-host\0", 26));
    setSizeHints();
    xcb_map_window(connection_, window_);
    xcb_flush(connection_);

    sink_ = owned(new EventSink(this));
    if (!loop_ || loop_->registerEventHandler(sink_, xcb_get_file_descriptor(connection_)) != kResultOk)
        error_ = "the run loop refused the display connection";
    sync();
}

HostWindow::~HostWindow()
{
    if (sink_) {
        sink_->disconnect();
        if (loop_)
            loop_->unregisterEventHandler(sink_);
    }
    if (connection_) {
        if (window_ && !xcb_connection_has_error(connection_))
            xcb_destroy_window(connection_, window_);
        xcb_disconnect(connection_);
    }
}

void HostWindow::resize(int width, int height)
{
    if (!connection_ || !window_ || width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    setSizeHints();
    const uint32_t values[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    xcb_configure_window(connection_, window_, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
    xcb_flush(connection_);
}

void HostWindow::sync()
{
    if (!connection_)
        return;
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    onReadable(); // the reply may have queued events behind it
}

void HostWindow::setSizeHints()
{
    // WM_NORMAL_HINTS (WM_SIZE_HINTS, 18 words): the editor does not resize, so the
    // window manager is told min = max = the size.
    enum { kProgramMinSize = 1 << 4, kProgramMaxSize = 1 << 5 };
    uint32_t hints[18] = {};
    hints[0] = kProgramMinSize | kProgramMaxSize;
    hints[5] = hints[7] = static_cast<uint32_t>(width_);
    hints[6] = hints[8] = static_cast<uint32_t>(height_);
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
}

void HostWindow::onReadable()
{
    if (!connection_)
        return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        switch (event->response_type & 0x7f) {
        case 0:
            ++xErrors_;
            break;
        case XCB_CLIENT_MESSAGE: {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message->window == window_ && message->type == wmProtocols_ && message->format == 32
                && message->data.data32[0] == wmDeleteWindow_)
                close();
            break;
        }
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == window_) {
                window_ = 0; // gone already: never destroy it again
                close();
            }
            break;
        default:
            break;
        }
        std::free(event);
    }
    if (xcb_connection_has_error(connection_) && sink_) {
        // The server went away: stop watching a descriptor that stays readable for ever.
        sink_->disconnect();
        loop_->unregisterEventHandler(sink_);
        sink_ = nullptr;
        close();
    }
}

void HostWindow::close()
{
    if (closed_)
        return;
    closed_ = true;
    if (loop_)
        loop_->quit();
}

} // namespace corvale::host
