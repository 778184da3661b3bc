#include "vst2/vst2_plug_frame.h"

#include <algorithm>
#include <poll.h>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

// The interface IDs by their inline bytes: the FUID objects of these
// interfaces are defined by whichever editor code needs them, not here.
bool isInterface(const TUID iid, const TUID candidate)
{
    return FUnknownPrivate::iidEqual(iid, candidate);
}

} // namespace

void Vst2PlugFrame::serve()
{
    // Handlers may register or unregister while being called: work on copies.
    if (!fds_.empty())
    {
        std::vector<FdEntry> fds = fds_;
        std::vector<pollfd> polled;
        polled.reserve(fds.size());
        for (const FdEntry& e : fds)
            polled.push_back(pollfd {e.fd, POLLIN, 0});
        if (poll(polled.data(), polled.size(), 0) > 0)
            for (size_t i = 0; i < fds.size(); ++i)
                if ((polled[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0)
                    fds[i].handler->onFDIsSet(fds[i].fd);
    }
    const Clock::time_point now = Clock::now();
    std::vector<IPtr<Linux::ITimerHandler>> due;
    for (TimerEntry& t : timers_)
        if (t.due <= now)
        {
            due.push_back(t.handler);
            t.due = now + t.interval;
        }
    for (auto& handler : due)
    {
        // Skip a timer that an earlier one unregistered.
        const bool registered = std::any_of(timers_.begin(), timers_.end(),
                                            [&](const TimerEntry& t) { return t.handler == handler; });
        if (registered)
            handler->onTimer();
    }
}

void Vst2PlugFrame::clear()
{
    fds_.clear();
    timers_.clear();
}

tresult PLUGIN_API Vst2PlugFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
    if (view == nullptr || newSize == nullptr)
        return kInvalidArgument;
    if (!link_.editorResized(newSize->getWidth(), newSize->getHeight()))
        return kResultFalse;
    return view->onSize(newSize);
}

tresult PLUGIN_API Vst2PlugFrame::registerEventHandler(Linux::IEventHandler* handler,
                                                       Linux::FileDescriptor fd)
{
    if (handler == nullptr || fd < 0)
        return kInvalidArgument;
    fds_.push_back(FdEntry {handler, fd});
    return kResultOk;
}

tresult PLUGIN_API Vst2PlugFrame::unregisterEventHandler(Linux::IEventHandler* handler)
{
    const auto before = fds_.size();
    fds_.erase(std::remove_if(fds_.begin(), fds_.end(),
                              [&](const FdEntry& e) { return e.handler == handler; }),
               fds_.end());
    return fds_.size() != before ? kResultOk : kResultFalse;
}

tresult PLUGIN_API Vst2PlugFrame::registerTimer(Linux::ITimerHandler* handler,
                                                Linux::TimerInterval milliseconds)
{
    if (handler == nullptr || milliseconds == 0)
        return kInvalidArgument;
    const auto interval = std::chrono::duration_cast<Clock::duration>(std::chrono::milliseconds(milliseconds));
    timers_.push_back(TimerEntry {handler, interval, Clock::now() + interval});
    return kResultOk;
}

tresult PLUGIN_API Vst2PlugFrame::unregisterTimer(Linux::ITimerHandler* handler)
{
    const auto before = timers_.size();
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [&](const TimerEntry& t) { return t.handler == handler; }),
                  timers_.end());
    return timers_.size() != before ? kResultOk : kResultFalse;
}

tresult PLUGIN_API Vst2PlugFrame::queryInterface(const TUID iid, void** obj)
{
    if (isInterface(iid, FUnknown_iid) || isInterface(iid, IPlugFrame_iid))
    {
        *obj = static_cast<IPlugFrame*>(this);
        return kResultOk;
    }
    if (isInterface(iid, Linux::IRunLoop_iid))
    {
        *obj = static_cast<Linux::IRunLoop*>(this);
        return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
