// The toolkit's IRunLoop on top of the run loop a Linux host offers its plug-in views
// (Steinberg::Linux::IRunLoop, found through the IPlugFrame).
#pragma once

#include "gui/platform/run_loop.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <memory>
#include <vector>

namespace VSTGUI {

/// Registers each of the toolkit's handlers with the host's loop through a small
/// reference-counted forwarder. Unregistering cuts the forwarder off first, so a host
/// that still holds it (or calls it once more in the same round) reaches nothing; a
/// forwarder keeps itself alive while it calls out, so a handler may unregister itself.
/// Everything still registered is unregistered when the adapter goes.
///
/// Typical use (an editor's attached): auto loop = RunLoopAdapter::fromPlugFrame(plugFrame);
/// if (!loop) return kResultFalse; config.runLoop = loop.get();
class RunLoopAdapter final : public IRunLoop
{
public:
    /// [UI thread] Wraps `hostLoop` (not null), holding a reference to it.
    explicit RunLoopAdapter(Steinberg::Linux::IRunLoop* hostLoop);
    /// [UI thread] The adapter for the run loop `frame` offers; null without a frame or loop.
    static std::unique_ptr<RunLoopAdapter> fromPlugFrame(Steinberg::IPlugFrame* frame);
    /// [UI thread] Unregisters every handler still registered.
    ~RunLoopAdapter() override;
    RunLoopAdapter(const RunLoopAdapter&) = delete;
    RunLoopAdapter& operator=(const RunLoopAdapter&) = delete;

    /// [UI thread] False for a null handler, a negative descriptor or when the host refuses.
    bool registerFileDescriptor(int fd, IFileDescriptorHandler* handler) override;
    /// [UI thread] Removes every registration of `handler`; unknown handlers are ignored.
    void unregisterFileDescriptor(IFileDescriptorHandler* handler) override;
    /// [UI thread] False for a null handler or when the host refuses.
    bool registerTimer(uint32_t intervalMs, ITimerHandler* handler) override;
    void unregisterTimer(ITimerHandler* handler) override;

private:
    class FdForwarder;
    class TimerForwarder;

    Steinberg::IPtr<Steinberg::Linux::IRunLoop> host_;
    std::vector<Steinberg::IPtr<FdForwarder>> fds_;
    std::vector<Steinberg::IPtr<TimerForwarder>> timers_;
};

} // namespace VSTGUI
