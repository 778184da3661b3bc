#include "gui/x11/frame.h"

#include "gui/x11/back_buffer.h"
#include "gui/x11/cursor_cache.h"
#include "gui/x11/keyboard.h"

#include <xcb/xcb.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace VSTGUI::X11 {
namespace {

constexpr uint32_t kXembedVersion = 0;
constexpr uint32_t kXembedMapped = 1 << 0;
constexpr int kMaxDevicePixels = 32767; // X window sizes are 16-bit
constexpr double kMaxScale = 8.0;

template <typename T>
struct FreeDeleter
{
    void operator()(T* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter<T>>;

uint32_t internAtom(xcb_connection_t* c, const char* name)
{
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<uint32_t>(XCB_ATOM_NONE);
}

/// The visual `visualId` of the screen whose root is `root`; null when there is none.
xcb_visualtype_t* findVisual(xcb_connection_t* c, xcb_window_t root, xcb_visualid_t visualId)
{
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(c)); screens.rem; xcb_screen_next(&screens)) {
        if (screens.data->root != root)
            continue;
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem; xcb_depth_next(&depths)) {
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals)) {
                if (visuals.data->visual_id == visualId)
                    return visuals.data;
            }
        }
    }
    return nullptr;
}

int toDevice(double logical, double scale)
{
    const double device = std::ceil(logical * scale - 1e-6);
    if (!(device >= 1.0)) // NaN too
        return 1;
    return device > kMaxDevicePixels ? kMaxDevicePixels : static_cast<int>(device);
}

std::string hex(uintptr_t id)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(id));
    return text;
}

} // namespace

std::unique_ptr<IPlatformFrame> createPlatformFrame(IPlatformFrameCallback& callback,
                                                    const PlatformFrameConfig& config)
{
    return Frame::create(callback, config);
}

std::unique_ptr<Frame> Frame::create(IPlatformFrameCallback& callback, const PlatformFrameConfig& config)
{
    std::unique_ptr<Frame> frame(new Frame(callback, config));
    const std::string failure = frame->open(config.parentWindow);
    if (failure.empty())
        return frame;
    std::fprintf(stderr, "X11 frame: %s; the editor window stays closed\n", failure.c_str());
    return nullptr;
}

Frame::Frame(IPlatformFrameCallback& callback, const PlatformFrameConfig& config)
    : callback_(callback), runLoop_(config.runLoop), size_(config.size), scale_(1.0)
{
    if (std::isfinite(config.scaleFactor) && config.scaleFactor > 0.0 && config.scaleFactor <= kMaxScale)
        scale_ = config.scaleFactor;
    updateDeviceSize();
}

std::string Frame::open(uintptr_t parent)
{
    if (!runLoop_)
        return "the host offers no run loop";
    if (parent == 0 || parent > UINT32_MAX)
        return "no parent window was given";
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_)) {
        const char* display = std::getenv("DISPLAY");
        return std::string("cannot connect to the X display '") + (display ? display : "") + "'";
    }
    const auto parentId = static_cast<xcb_window_t>(parent);
    const auto geometryCookie = xcb_get_geometry(connection_, parentId);
    const auto attributesCookie = xcb_get_window_attributes(connection_, parentId);
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(connection_, geometryCookie, nullptr));
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection_, attributesCookie, nullptr));
    if (!geometry || !attributes)
        return "the parent window " + hex(parent) + " does not exist";
    // The child shares the parent's depth and visual, so an ARGB host window works too.
    visual_ = findVisual(connection_, geometry->root, attributes->visual);
    if (!visual_ || (visual_->_class != XCB_VISUAL_CLASS_TRUE_COLOR && visual_->_class != XCB_VISUAL_CLASS_DIRECT_COLOR))
        return "the parent window " + hex(parent) + " has no true-colour visual";

    xembedAtom_ = internAtom(connection_, "_XEMBED");
    const uint32_t xembedInfoAtom = internAtom(connection_, "_XEMBED_INFO");

    window_ = xcb_generate_id(connection_);
    // No background: the server never clears what we drew (no flicker on expose or resize).
    const uint32_t values[] = {
        XCB_BACK_PIXMAP_NONE,
        XCB_GRAVITY_NORTH_WEST,
        XCB_BACKING_STORE_WHEN_MAPPED,
        XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_BUTTON_PRESS
            | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW
            | XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY
            | XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_PROPERTY_CHANGE,
    };
    const auto created = xcb_create_window_checked(
        connection_, XCB_COPY_FROM_PARENT, window_, parentId, 0, 0, static_cast<uint16_t>(deviceWidth_),
        static_cast<uint16_t>(deviceHeight_), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
        XCB_CW_BACK_PIXMAP | XCB_CW_BIT_GRAVITY | XCB_CW_BACKING_STORE | XCB_CW_EVENT_MASK, values);
    if (Reply<xcb_generic_error_t> error {xcb_request_check(connection_, created)}) {
        window_ = 0;
        return "cannot create a window in the parent window " + hex(parent) + " (X error "
            + std::to_string(error->error_code) + ")";
    }
    const uint32_t xembedInfo[] = {kXembedVersion, kXembedMapped};
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, xembedInfoAtom, xembedInfoAtom, 32, 2,
                        xembedInfo);

    keyboard_ = std::make_unique<Keyboard>(connection_);
    if (!keyboard_->isValid())
        std::fprintf(stderr, "X11 frame: the X server has no keyboard extension; keys are not handled\n");
    cursors_ = std::make_unique<CursorCache>(connection_);
    backBuffer_ = std::make_unique<BackBuffer>(connection_, window_, visual_, deviceWidth_, deviceHeight_);

    xcb_map_window(connection_, window_);
    xcb_flush(connection_);
    fdRegistered_ = runLoop_->registerFileDescriptor(xcb_get_file_descriptor(connection_), this);
    if (!fdRegistered_)
        return "the host's run loop refused the display connection";
    invalidateAll();
    return {};
}

Frame::~Frame()
{
    if (fdRegistered_)
        runLoop_->unregisterFileDescriptor(this);
    if (timerRegistered_)
        runLoop_->unregisterTimer(this);
    backBuffer_.reset(); // cairo lets go of the connection first
    cursors_.reset();
    keyboard_.reset();
    if (connection_) {
        if (window_ && !windowGone_)
            xcb_destroy_window(connection_, window_);
        xcb_flush(connection_);
        xcb_disconnect(connection_);
    }
}

void Frame::invalidRect(const CRect& rect)
{
    if (broken_ || windowGone_)
        return;
    dirty_.add(toDevicePixels(rect, scale_, deviceWidth_, deviceHeight_));
    scheduleRepaint();
}

void Frame::setSize(const CPoint& size)
{
    size_ = size;
    updateDeviceSize();
}

void Frame::setScaleFactor(double scale)
{
    if (!std::isfinite(scale) || scale <= 0.0 || scale > kMaxScale)
        return;
    scale_ = scale;
    updateDeviceSize();
}

void Frame::setCursor(CCursorType type)
{
    if (broken_ || windowGone_)
        return;
    const uint32_t cursor = cursors_->cursor(type);
    xcb_change_window_attributes(connection_, window_, XCB_CW_CURSOR, &cursor);
    flush();
}

void Frame::takeFocus()
{
    if (broken_ || windowGone_)
        return;
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_PARENT, window_,
                        lastEventTime_ ? lastEventTime_ : XCB_CURRENT_TIME);
    flush();
}

void Frame::sync()
{
    if (broken_)
        return;
    Reply<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    processEvents();
}

void Frame::updateDeviceSize()
{
    deviceWidth_ = toDevice(size_.x, scale_);
    deviceHeight_ = toDevice(size_.y, scale_);
    if (!window_ || broken_ || windowGone_)
        return;
    const uint32_t extent[] = {static_cast<uint32_t>(deviceWidth_), static_cast<uint32_t>(deviceHeight_)};
    xcb_configure_window(connection_, window_, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, extent);
    backBuffer_->resize(deviceWidth_, deviceHeight_);
    dirty_.clear(); // the old rectangles are in old device pixels
    invalidateAll();
    flush();
}

void Frame::invalidateAll()
{
    dirty_.add({0, 0, deviceWidth_, deviceHeight_});
    scheduleRepaint();
}

void Frame::scheduleRepaint()
{
    if (!timerRegistered_ && !dirty_.isEmpty())
        timerRegistered_ = runLoop_->registerTimer(kPaintIntervalMs, this);
}

void Frame::onTimer()
{
    // Events a blocking reply moved into xcb's queue leave the descriptor quiet: serve them.
    const Life guard = life();
    processEvents();
    if (guard.expired() || broken_)
        return;
    paint();
}

void Frame::paint()
{
    const Life guard = life();
    if (!dirty_.isEmpty() && !windowGone_) {
        // Invalidations made while drawing go to the next round.
        dirty_.takeInto(painting_);
        for (std::size_t i = 0; i < painting_.size(); ++i) {
            backBuffer_->draw(painting_[i], callback_, scale_);
            if (guard.expired())
                return;
        }
        backBuffer_->present(painting_);
        flush();
    }
    if (dirty_.isEmpty() && timerRegistered_) {
        runLoop_->unregisterTimer(this);
        timerRegistered_ = false;
    }
}

void Frame::flush()
{
    if (broken_)
        return;
    xcb_flush(connection_);
    if (xcb_connection_has_error(connection_))
        shutDown();
}

void Frame::shutDown()
{
    if (broken_)
        return;
    broken_ = true;
    std::fprintf(stderr, "X11 frame: the connection to the X server broke; the editor window stops\n");
    if (fdRegistered_)
        runLoop_->unregisterFileDescriptor(this);
    if (timerRegistered_)
        runLoop_->unregisterTimer(this);
    fdRegistered_ = timerRegistered_ = false;
    dirty_.clear();
}

} // namespace VSTGUI::X11
