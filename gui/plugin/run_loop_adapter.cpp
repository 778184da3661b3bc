#include "gui/plugin/run_loop_adapter.h"

#include <algorithm>
#include <iterator>

namespace VSTGUI {

using namespace Steinberg;

class RunLoopAdapter::FdForwarder : public Linux::IEventHandler
{
public:
    explicit FdForwarder(IFileDescriptorHandler* target) : target_(target) { FUNKNOWN_CTOR }
    virtual ~FdForwarder() { FUNKNOWN_DTOR }

    IFileDescriptorHandler* target() const { return target_; }
    void disconnect() { target_ = nullptr; }

    void PLUGIN_API onFDIsSet(Linux::FileDescriptor fd) override
    {
        IPtr<FdForwarder> keepAlive(this); // the handler may unregister (and so release) us
        if (target_)
            target_->onFileDescriptorReady(fd);
    }

    DECLARE_FUNKNOWN_METHODS

private:
    IFileDescriptorHandler* target_;
};

IMPLEMENT_FUNKNOWN_METHODS(RunLoopAdapter::FdForwarder, Linux::IEventHandler, Linux::IEventHandler::iid)

class RunLoopAdapter::TimerForwarder : public Linux::ITimerHandler
{
public:
    explicit TimerForwarder(VSTGUI::ITimerHandler* target) : target_(target) { FUNKNOWN_CTOR }
    virtual ~TimerForwarder() { FUNKNOWN_DTOR }

    VSTGUI::ITimerHandler* target() const { return target_; }
    void disconnect() { target_ = nullptr; }

    void PLUGIN_API onTimer() override
    {
        IPtr<TimerForwarder> keepAlive(this);
        if (target_)
            target_->onTimer();
    }

    DECLARE_FUNKNOWN_METHODS

private:
    VSTGUI::ITimerHandler* target_; // the toolkit's handler (the base class has the same name)
};

IMPLEMENT_FUNKNOWN_METHODS(RunLoopAdapter::TimerForwarder, Linux::ITimerHandler, Linux::ITimerHandler::iid)

namespace {

/// Cuts off and unregisters every forwarder of `target` in `list`.
template <typename Forwarder, typename Target, typename Unregister>
void removeForwarders(std::vector<IPtr<Forwarder>>& list, Target* target, Unregister unregister)
{
    // Taken out of the list first: the host may call into the adapter while unregistering.
    std::vector<IPtr<Forwarder>> removed;
    auto keep = std::stable_partition(list.begin(), list.end(),
                                      [target](const IPtr<Forwarder>& f) { return f->target() != target; });
    std::move(keep, list.end(), std::back_inserter(removed));
    list.erase(keep, list.end());
    for (IPtr<Forwarder>& forwarder : removed) {
        forwarder->disconnect();
        unregister(forwarder.get());
    }
}

} // namespace

RunLoopAdapter::RunLoopAdapter(Linux::IRunLoop* hostLoop) : host_(hostLoop) {}

std::unique_ptr<RunLoopAdapter> RunLoopAdapter::fromPlugFrame(IPlugFrame* frame)
{
    if (!frame)
        return nullptr;
    Linux::IRunLoop* loop = nullptr;
    if (frame->queryInterface(Linux::IRunLoop::iid, reinterpret_cast<void**>(&loop)) != kResultOk || !loop)
        return nullptr;
    auto adapter = std::make_unique<RunLoopAdapter>(loop);
    loop->release(); // the adapter holds its own reference
    return adapter;
}

RunLoopAdapter::~RunLoopAdapter()
{
    for (IPtr<FdForwarder>& forwarder : fds_) {
        forwarder->disconnect();
        host_->unregisterEventHandler(forwarder);
    }
    for (IPtr<TimerForwarder>& forwarder : timers_) {
        forwarder->disconnect();
        host_->unregisterTimer(forwarder);
    }
}

bool RunLoopAdapter::registerFileDescriptor(int fd, IFileDescriptorHandler* handler)
{
    if (!handler || fd < 0)
        return false;
    IPtr<FdForwarder> forwarder = owned(new FdForwarder(handler));
    if (host_->registerEventHandler(forwarder, fd) != kResultOk)
        return false;
    fds_.push_back(forwarder);
    return true;
}

void RunLoopAdapter::unregisterFileDescriptor(IFileDescriptorHandler* handler)
{
    removeForwarders(fds_, handler, [this](FdForwarder* f) { host_->unregisterEventHandler(f); });
}

bool RunLoopAdapter::registerTimer(uint32_t intervalMs, ITimerHandler* handler)
{
    if (!handler)
        return false;
    IPtr<TimerForwarder> forwarder = owned(new TimerForwarder(handler));
    if (host_->registerTimer(forwarder, intervalMs) != kResultOk)
        return false;
    timers_.push_back(forwarder);
    return true;
}

void RunLoopAdapter::unregisterTimer(ITimerHandler* handler)
{
    removeForwarders(timers_, handler, [this](TimerForwarder* f) { host_->unregisterTimer(f); });
}

} // namespace VSTGUI
