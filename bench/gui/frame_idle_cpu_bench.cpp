// CPU an attached X11 frame costs while the editor idles: a 926x213 frame whose editor
// invalidates everything every 50 ms (as an editor with an idle timer may), in a host
// window served by the host library's poll run loop. Measured with getrusage over the
// whole run (default 10 s); needs an X display (Xvfb will do). The X server's own CPU is
// not included.
//
//   frame_idle_cpu_bench [seconds] [scale]
#include "gui/plugin/run_loop_adapter.h"
#include "gui/x11/frame.h"
#include "host/host_window.h"
#include "host/run_loop.h"

#include <cairo.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

using namespace VSTGUI;

namespace {

/// Draws something like the equaliser's panel: a grey background, fifteen slider
/// tracks with handles and value boxes, a knob and a few labels.
class PanelCallback : public IPlatformFrameCallback
{
public:
    int paints = 0;

    void platformDrawRect(cairo_t* cr, const CRect&) override
    {
        ++paints;
        cairo_set_source_rgb(cr, 0.78, 0.78, 0.78);
        cairo_paint(cr);
        for (int k = 0; k < 15; ++k) {
            const double x = 35 + 50 * k;
            cairo_set_source_rgb(cr, 0.25, 0.25, 0.25);
            cairo_rectangle(cr, x, 40, 32, 95);
            cairo_fill(cr);
            cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
            cairo_rectangle(cr, x, 80 + 3 * std::sin(paints * 0.1 + k), 32, 15);
            cairo_fill(cr);
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_rectangle(cr, x - 4, 150, 40, 18);
            cairo_fill(cr);
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_move_to(cr, x - 2, 164);
            cairo_set_font_size(cr, 11);
            cairo_show_text(cr, "+0.0");
        }
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_arc(cr, 852, 98, 21, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_move_to(cr, 20, 25);
        cairo_set_font_size(cr, 14);
        cairo_show_text(cr, "Graphic equaliser");
    }
    CMouseEventResult platformOnMouseDown(CPoint&, const CButtonState&) override { return kMouseEventHandled; }
    CMouseEventResult platformOnMouseUp(CPoint&, const CButtonState&) override { return kMouseEventHandled; }
    CMouseEventResult platformOnMouseMoved(CPoint&, const CButtonState&) override { return kMouseEventHandled; }
    CMouseEventResult platformOnMouseExited(CPoint&, const CButtonState&) override { return kMouseEventHandled; }
    bool platformOnMouseWheel(const CPoint&, CMouseWheelAxis, float, const CButtonState&) override { return false; }
    bool platformOnKeyDown(VstKeyCode&) override { return false; }
    bool platformOnKeyUp(VstKeyCode&) override { return false; }
    void platformOnFocusChanged(bool) override {}
};

/// The editor's idle timer: invalidates the whole frame on every tick.
class InvalidateAll : public ITimerHandler
{
public:
    IPlatformFrame* frame = nullptr;
    CPoint size;
    void onTimer() override { frame->invalidRect(CRect(CPoint(), size)); }
};

double cpuSeconds()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec * 1e-6 + usage.ru_stime.tv_sec
        + usage.ru_stime.tv_usec * 1e-6;
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const double scale = argc > 2 ? std::atof(argv[2]) : 1.0;
    const CPoint size(926, 213);

    Steinberg::IPtr<corvale::host::RunLoop> loop = Steinberg::owned(new corvale::host::RunLoop);
    corvale::host::HostWindow window(loop, "frame idle bench", static_cast<int>(std::ceil(size.x * scale)),
                                     static_cast<int>(std::ceil(size.y * scale)));
    if (!window.isOpen()) {
        std::fprintf(stderr, "frame_idle_cpu_bench: %s\n", window.error().c_str());
        return 1;
    }
    RunLoopAdapter adapter(loop);
    PanelCallback callback;
    PlatformFrameConfig config;
    config.parentWindow = window.windowId();
    config.size = size;
    config.scaleFactor = scale;
    config.runLoop = &adapter;
    std::unique_ptr<X11::Frame> frame = X11::Frame::create(callback, config);
    if (!frame)
        return 1;
    InvalidateAll idle;
    idle.frame = frame.get();
    idle.size = size;
    adapter.registerTimer(50, &idle);

    loop->runFor(500); // settle: first picture, expose
    const int paintsBefore = callback.paints;
    const double cpuBefore = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    loop->runFor(static_cast<unsigned>(seconds * 1000));
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = cpuSeconds() - cpuBefore;

    adapter.unregisterTimer(&idle);
    std::printf("926x213 frame at scale %g, whole frame invalidated every 50 ms: %.1f s, %d repaints, "
                "CPU %.2f %% of one core (%.3f s)\n",
                scale, wall, callback.paints - paintsBefore, 100.0 * cpu / wall, cpu);
    return 0;
}
