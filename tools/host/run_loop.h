#pragma once

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/base/smartpointer.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

#include <poll.h>

namespace corvale::host {

/// The run loop a DAW gives a plug-in's editor on Linux (Steinberg::Linux::IRunLoop), on
/// poll(2): handlers for readable file descriptors and repeating timers, all called on the
/// thread that runs the loop. Handlers are held (addRef) while registered; unregistering
/// works from inside any callback, the handler's own included.
/// Reference counted; create with `new` and hold it in an IPtr.
///
/// Typical use (a test): loop->runUntil([&] { return clicked; }, 5000);
/// the render tool's editor mode: loop->run() until the host window is closed.
class RunLoop : public Steinberg::Linux::IRunLoop
{
public:
    using Clock = std::chrono::steady_clock;

    RunLoop();
    virtual ~RunLoop();

    // Linux::IRunLoop; [UI thread]. A handler may be registered several times (each
    // registration is served); unregistering removes all of its registrations and answers
    // kResultFalse when there were none. Null handlers and negative descriptors are
    // kInvalidArgument, a zero interval counts as 1 ms.
    Steinberg::tresult PLUGIN_API registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                                       Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult PLUGIN_API unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                                Steinberg::Linux::TimerInterval milliseconds) override;
    Steinberg::tresult PLUGIN_API unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

    /// [UI thread] Serves events until quit() is called.
    void run();
    /// [UI thread] Makes run() return after the current callback.
    void quit() { quit_ = true; }
    /// [UI thread] Serves events for `ms` milliseconds.
    void runFor(unsigned ms);
    /// [UI thread] Serves events until `done()` holds (asked before waiting and after every
    /// round of callbacks) or `timeoutMs` has passed. Returns done().
    bool runUntil(const std::function<bool()>& done, unsigned timeoutMs);

    /// [UI thread] Registered descriptor handlers and timers, for leak checks.
    std::size_t eventHandlerCount() const;
    std::size_t timerCount() const;

    DECLARE_FUNKNOWN_METHODS

private:
    struct FdEntry
    {
        Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler; // null once unregistered
        int fd;
    };
    struct TimerEntry
    {
        Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler; // null once unregistered
        Clock::duration interval;
        Clock::time_point due;
    };

    /// Waits until `deadline` at most for a descriptor or a timer, then serves them.
    void iterate(Clock::time_point deadline);
    void serveDescriptors();
    void serveTimers();
    /// Drops unregistered entries, unless a callback further up the stack still walks them.
    void compact();

    std::vector<FdEntry> fds_;
    std::vector<TimerEntry> timers_;
    std::vector<pollfd> polled_;        // reused by every iterate()
    std::vector<std::size_t> pollOwner_; // index into fds_ of each polled_ entry
    int depth_ = 0; // nesting of iterate(), so entries are only erased when nothing walks them
    bool quit_ = false;
};

} // namespace corvale::host
