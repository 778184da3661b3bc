// Vst2PlugFrame: the frame the adapter gives the editor view. A VST 2 host has
// no run loop to lend, so the frame is its own Steinberg::Linux::IRunLoop: the
// view registers its file descriptors and timers here, and serve(), called from
// effEditIdle, polls the descriptors without blocking and fires the timers that
// are due. Owned by the adapter, which closes the view before it goes, so it is
// not reference counted; the handlers it holds are.
#pragma once

#include "vst2/vst2_host_link.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class Vst2PlugFrame : public IPlugFrame, public Linux::IRunLoop
{
public:
    explicit Vst2PlugFrame(Vst2HostLink& link) : link_(link) {}

    /// Handles ready descriptors and due timers. [main, from effEditIdle]
    void serve();
    /// Forgets every handler (the view is gone). [main]
    void clear();
    /// Registered handlers, for tests and checks. [main]
    size_t timerCount() const { return timers_.size(); }
    size_t eventHandlerCount() const { return fds_.size(); }

    // IPlugFrame [main]
    /// Asks the host for the new size, then tells the view.
    tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) override;

    // Linux::IRunLoop [main]
    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler, Linux::FileDescriptor fd) override;
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* handler) override;
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds) override;
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) override;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    using Clock = std::chrono::steady_clock;

    struct FdEntry
    {
        IPtr<Linux::IEventHandler> handler;
        Linux::FileDescriptor fd;
    };
    struct TimerEntry
    {
        IPtr<Linux::ITimerHandler> handler;
        Clock::duration interval;
        Clock::time_point due;
    };

    Vst2HostLink& link_;
    std::vector<FdEntry> fds_;
    std::vector<TimerEntry> timers_;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
