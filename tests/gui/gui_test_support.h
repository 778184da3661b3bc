// Helpers for the GUI tests: a run loop driven by hand (virtual time, no
// sleeping), a listener that records what a control tells it, and pixel access
// to a frame drawn into a cairo image surface.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/ccontrol.h"
#include "gui/cframe.h"
#include "gui/platform/run_loop.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace VSTGUI {
namespace test {

/// Timers fire only when the test advances the clock.
class ManualRunLoop : public IRunLoop
{
public:
    bool registerFileDescriptor(int, IFileDescriptorHandler*) override { return true; }
    void unregisterFileDescriptor(IFileDescriptorHandler*) override {}
    bool registerTimer(uint32_t intervalMs, ITimerHandler* handler) override
    {
        timers.push_back({handler, intervalMs, now + intervalMs});
        return true;
    }
    void unregisterTimer(ITimerHandler* handler) override
    {
        timers.erase(std::remove_if(timers.begin(), timers.end(),
                                    [&](const Timer& t) { return t.handler == handler; }),
                     timers.end());
    }

    /// Moves the clock on by `ms`, firing every timer that falls due, in time order.
    void advance(uint64_t ms)
    {
        const uint64_t target = now + ms;
        for (;;)
        {
            auto due = std::min_element(timers.begin(), timers.end(),
                                        [](const Timer& a, const Timer& b) { return a.due < b.due; });
            if (due == timers.end() || due->due > target)
                break;
            now = due->due;
            due->due += std::max<uint32_t>(1, due->interval);
            ITimerHandler* handler = due->handler;
            handler->onTimer();  // may unregister itself or others
        }
        now = target;
    }
    size_t timerCount() const { return timers.size(); }
    uint64_t time() const { return now; }

private:
    struct Timer
    {
        ITimerHandler* handler;
        uint32_t interval;
        uint64_t due;
    };
    std::vector<Timer> timers;
    uint64_t now = 0;
};

/// Records the listener calls a control makes, as short strings.
class RecordingListener : public IControlListener
{
public:
    void valueChanged(CControl* c) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "change %.4g", static_cast<double>(c->getValue()));
        events.push_back(text);
    }
    void controlBeginEdit(CControl*) override { events.push_back("begin"); }
    void controlEndEdit(CControl*) override { events.push_back("end"); }
    void controlTagWillChange(CControl* c) override { events.push_back("tag will " + std::to_string(c->getTag())); }
    void controlTagDidChange(CControl* c) override { events.push_back("tag did " + std::to_string(c->getTag())); }

    /// The events since the last call.
    std::vector<std::string> take()
    {
        std::vector<std::string> out;
        out.swap(events);
        return out;
    }
    std::vector<std::string> events;
};

/// An ARGB32 image of a frame drawn at `scale`.
class Canvas
{
public:
    Canvas(CFrame& frame, double drawScale = 1.0, CRect dirty = CRect())
        : scale(drawScale),
          surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32,
                                             static_cast<int>(std::ceil(frame.getWidth() * scale)),
                                             static_cast<int>(std::ceil(frame.getHeight() * scale))))
    {
        if (dirty.isEmpty())
            dirty = CRect(0, 0, frame.getWidth(), frame.getHeight());
        frame.setScaleFactor(scale);
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, scale, scale);
        cairo_rectangle(cr, dirty.left, dirty.top, dirty.getWidth(), dirty.getHeight());
        cairo_clip(cr);
        frame.platformDrawRect(cr, dirty);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
    }
    ~Canvas() { cairo_surface_destroy(surface); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    /// The colour at logical point (x, y) (the device pixel at its top-left).
    CColor at(double x, double y) const { return device(static_cast<int>(x * scale), static_cast<int>(y * scale)); }
    CColor device(int x, int y) const
    {
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* row = cairo_image_surface_get_data(surface) + y * stride;
        uint32_t p;
        std::memcpy(&p, row + 4 * x, 4);
        const uint8_t a = p >> 24;
        auto un = [a](uint32_t c) {
            return static_cast<uint8_t>(a ? std::min<uint32_t>(255, (c * 255 + a / 2) / a) : 0);
        };
        return CColor(un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF), a);
    }
    /// How many device pixels of `rect` (logical) differ from `color` by more than `tolerance`.
    int countDiffering(const CRect& rect, const CColor& color, int tolerance = 8) const
    {
        int n = 0;
        for (int y = static_cast<int>(rect.top * scale); y < static_cast<int>(rect.bottom * scale); ++y)
            for (int x = static_cast<int>(rect.left * scale); x < static_cast<int>(rect.right * scale); ++x)
                if (!near(device(x, y), color, tolerance))
                    ++n;
        return n;
    }
    static bool near(const CColor& a, const CColor& b, int tolerance = 8)
    {
        return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
               std::abs(a.blue - b.blue) <= tolerance && std::abs(a.alpha - b.alpha) <= tolerance;
    }
    int width() const { return cairo_image_surface_get_width(surface); }
    int height() const { return cairo_image_surface_get_height(surface); }

private:
    double scale;
    cairo_surface_t* surface;
};

/// A solid w x h PNG of `color`, base64-encoded (for a description's <data>).
inline std::string solidPngBase64(int w, int h, const CColor& color)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgba(cr, color.normRed(), color.normGreen(), color.normBlue(), color.normAlpha());
    cairo_paint(cr);
    cairo_destroy(cr);
    std::string png;
    cairo_surface_write_to_png_stream(
        s,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &png);
    cairo_surface_destroy(s);
    static const char* kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < png.size(); i += 3)
    {
        uint32_t v = static_cast<unsigned char>(png[i]) << 16;
        if (i + 1 < png.size())
            v |= static_cast<unsigned char>(png[i + 1]) << 8;
        if (i + 2 < png.size())
            v |= static_cast<unsigned char>(png[i + 2]);
        out += kDigits[(v >> 18) & 63];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < png.size() ? kDigits[(v >> 6) & 63] : '=';
        out += i + 2 < png.size() ? kDigits[v & 63] : '=';
    }
    return out;
}

} // namespace test
} // namespace VSTGUI
