#include "host/run_loop.h"

#include <algorithm>
#include <cstdio>

namespace corvale::host {

using namespace Steinberg;
using namespace Steinberg::Linux;

RunLoop::RunLoop()
{
    FUNKNOWN_CTOR
}

RunLoop::~RunLoop()
{
    FUNKNOWN_DTOR
}

IMPLEMENT_REFCOUNT(RunLoop)

tresult PLUGIN_API RunLoop::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IRunLoop)
    QUERY_INTERFACE(_iid, obj, IRunLoop::iid, IRunLoop)
    *obj = nullptr;
    return kNoInterface;
}

tresult PLUGIN_API RunLoop::registerEventHandler(IEventHandler* handler, FileDescriptor fd)
{
    if (!handler || fd < 0)
        return kInvalidArgument;
    fds_.push_back({handler, fd});
    return kResultOk;
}

tresult PLUGIN_API RunLoop::unregisterEventHandler(IEventHandler* handler)
{
    bool found = false;
    for (FdEntry& entry : fds_) {
        if (handler && entry.handler == handler) {
            entry.handler = nullptr;
            found = true;
        }
    }
    compact();
    return found ? kResultOk : kResultFalse;
}

tresult PLUGIN_API RunLoop::registerTimer(ITimerHandler* handler, TimerInterval milliseconds)
{
    if (!handler)
        return kInvalidArgument;
    const auto interval = std::chrono::milliseconds(std::max<TimerInterval>(milliseconds, 1));
    timers_.push_back({handler, interval, Clock::now() + interval});
    return kResultOk;
}

tresult PLUGIN_API RunLoop::unregisterTimer(ITimerHandler* handler)
{
    bool found = false;
    for (TimerEntry& entry : timers_) {
        if (handler && entry.handler == handler) {
            entry.handler = nullptr;
            found = true;
        }
    }
    compact();
    return found ? kResultOk : kResultFalse;
}

void RunLoop::run()
{
    quit_ = false;
    while (!quit_)
        iterate(Clock::time_point::max());
}

void RunLoop::runFor(unsigned ms)
{
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end)
        iterate(end);
}

bool RunLoop::runUntil(const std::function<bool()>& done, unsigned timeoutMs)
{
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (Clock::now() >= end)
            return done();
        iterate(end);
    }
    return true;
}

std::size_t RunLoop::eventHandlerCount() const
{
    return std::count_if(fds_.begin(), fds_.end(), [](const FdEntry& e) { return e.handler != nullptr; });
}

std::size_t RunLoop::timerCount() const
{
    return std::count_if(timers_.begin(), timers_.end(),
                         [](const TimerEntry& e) { return e.handler != nullptr; });
}

void RunLoop::iterate(Clock::time_point deadline)
{
    ++depth_;
    Clock::time_point wake = deadline;
    for (const TimerEntry& timer : timers_) {
        if (timer.handler)
            wake = std::min(wake, timer.due);
    }
    polled_.clear();
    pollOwner_.clear();
    for (std::size_t i = 0; i < fds_.size(); ++i) {
        if (fds_[i].handler) {
            polled_.push_back({fds_[i].fd, POLLIN, 0});
            pollOwner_.push_back(i);
        }
    }

    int timeoutMs = -1;
    if (wake != Clock::time_point::max()) {
        const auto left = wake - Clock::now();
        // Round up, so a timer is never polled for early and then spun on.
        timeoutMs = left <= Clock::duration::zero()
            ? 0
            : static_cast<int>(std::min<long long>(
                  std::chrono::ceil<std::chrono::milliseconds>(left).count(), 60000));
    }
    if (::poll(polled_.data(), polled_.size(), timeoutMs) > 0)
        serveDescriptors();
    serveTimers();
    --depth_;
    compact();
}

void RunLoop::serveDescriptors()
{
    for (std::size_t k = 0; k < polled_.size(); ++k) {
        const short events = polled_[k].revents;
        const std::size_t index = pollOwner_[k];
        if (events == 0 || !fds_[index].handler)
            continue; // unregistered by an earlier callback of this round
        if (events & POLLNVAL) {
            // The owner closed the descriptor without unregistering it; polling it again
            // would spin, so it is dropped.
            std::fprintf(stderr, "corvale host: descriptor %d was closed while registered; its handler is dropped\n",
                         fds_[index].fd);
            fds_[index].handler = nullptr;
            continue;
        }
        IPtr<IEventHandler> handler = fds_[index].handler; // survives its own unregistering
        handler->onFDIsSet(fds_[index].fd);
    }
}

void RunLoop::serveTimers()
{
    const Clock::time_point now = Clock::now();
    const std::size_t count = timers_.size(); // timers added by a callback wait a period
    for (std::size_t i = 0; i < count; ++i) {
        if (!timers_[i].handler || timers_[i].due > now)
            continue;
        // The next period counts from now, so a slow callback does not cause a burst.
        timers_[i].due = now + timers_[i].interval;
        IPtr<ITimerHandler> handler = timers_[i].handler;
        handler->onTimer();
    }
}

void RunLoop::compact()
{
    if (depth_ > 0)
        return;
    fds_.erase(std::remove_if(fds_.begin(), fds_.end(), [](const FdEntry& e) { return !e.handler; }),
               fds_.end());
    timers_.erase(
        std::remove_if(timers_.begin(), timers_.end(), [](const TimerEntry& e) { return !e.handler; }),
        timers_.end());
}

} // namespace corvale::host
