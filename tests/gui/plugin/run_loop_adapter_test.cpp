// The toolkit's run loop on top of a host's Linux::IRunLoop: driven by the host
// library's poll loop as a DAW drives it, and by a host that misbehaves on purpose.
#include "gui/plugin/run_loop_adapter.h"

#include "host/plug_frame.h"
#include "host/run_loop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace VSTGUI;
using namespace Steinberg;

namespace {

constexpr unsigned kTimeoutMs = 5000; // reached only when something is broken

template <typename T>
uint32 referencesOf(T* object)
{
    const uint32 count = object->addRef();
    object->release();
    return count - 1;
}

struct Timer : VSTGUI::ITimerHandler
{
    int calls = 0;
    std::function<void()> action;
    void onTimer() override
    {
        ++calls;
        if (action)
            action();
    }
};

struct Reader : IFileDescriptorHandler
{
    std::string received;
    std::function<void()> action;
    void onFileDescriptorReady(int fd) override
    {
        char c = 0;
        if (::read(fd, &c, 1) == 1)
            received += c;
        if (action)
            action();
    }
};

/// A host loop that keeps what it was given, even after unregistering, so a test can
/// call a handler the way a sloppy host might: once more after it was removed.
class KeepingHostLoop : public Linux::IRunLoop
{
public:
    KeepingHostLoop() { FUNKNOWN_CTOR }
    virtual ~KeepingHostLoop() { FUNKNOWN_DTOR }

    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler, Linux::FileDescriptor fd) override
    {
        if (refuse)
            return kResultFalse;
        events.push_back(handler);
        fds.push_back(fd);
        return kResultOk;
    }
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* handler) override
    {
        ++unregistered;
        return handler ? kResultOk : kInvalidArgument;
    }
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval ms) override
    {
        if (refuse)
            return kResultFalse;
        timers.push_back(handler);
        intervals.push_back(ms);
        return kResultOk;
    }
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) override
    {
        ++unregistered;
        return handler ? kResultOk : kInvalidArgument;
    }

    bool refuse = false;
    int unregistered = 0;
    std::vector<IPtr<Linux::IEventHandler>> events;
    std::vector<int> fds;
    std::vector<IPtr<Linux::ITimerHandler>> timers;
    std::vector<Linux::TimerInterval> intervals;
    DECLARE_FUNKNOWN_METHODS
};
IMPLEMENT_FUNKNOWN_METHODS(KeepingHostLoop, Linux::IRunLoop, Linux::IRunLoop::iid)

} // namespace

TEST(RunLoopAdapter, IsMadeFromAPlugFrameThatOffersARunLoopOnly)
{
    IPtr<corvale::host::RunLoop> loop = owned(new corvale::host::RunLoop);
    IPtr<corvale::host::PlugFrame> withLoop = owned(new corvale::host::PlugFrame(loop, nullptr));
    IPtr<corvale::host::PlugFrame> withoutLoop = owned(new corvale::host::PlugFrame(nullptr, nullptr));
    const uint32 before = referencesOf(loop.get());
    {
        const std::unique_ptr<RunLoopAdapter> adapter = RunLoopAdapter::fromPlugFrame(withLoop);
        EXPECT_NE(adapter, nullptr);
        EXPECT_EQ(referencesOf(loop.get()), before + 1) << "the adapter holds the host's loop";
    }
    EXPECT_EQ(referencesOf(loop.get()), before) << "and lets go of it";
    EXPECT_EQ(RunLoopAdapter::fromPlugFrame(withoutLoop), nullptr);
    EXPECT_EQ(RunLoopAdapter::fromPlugFrame(nullptr), nullptr);
}

TEST(RunLoopAdapter, TimersAndDescriptorsRunOnTheHostLoopAndMayRemoveThemselves)
{
    IPtr<corvale::host::RunLoop> loop = owned(new corvale::host::RunLoop);
    RunLoopAdapter adapter(loop);
    Timer once;
    once.action = [&] { adapter.unregisterTimer(&once); };
    Timer repeating;
    Reader reader;
    reader.action = [&] { adapter.unregisterFileDescriptor(&reader); };
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);

    ASSERT_TRUE(adapter.registerTimer(1, &once));
    ASSERT_TRUE(adapter.registerTimer(1, &repeating));
    ASSERT_TRUE(adapter.registerFileDescriptor(pipeFds[0], &reader));
    ASSERT_EQ(::write(pipeFds[1], "xy", 2), 2);
    ASSERT_TRUE(loop->runUntil([&] { return repeating.calls >= 5 && !reader.received.empty(); }, kTimeoutMs));

    EXPECT_EQ(once.calls, 1) << "a timer removed in its own callback fires once";
    EXPECT_EQ(reader.received, "x") << "a descriptor handler removed in its callback is not called again";
    EXPECT_EQ(loop->timerCount(), 1u);
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    adapter.unregisterTimer(&repeating);
    EXPECT_EQ(loop->timerCount(), 0u);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
}

TEST(RunLoopAdapter, AHostCallingARemovedHandlerReachesNothingAndNothingLeaks)
{
    IPtr<KeepingHostLoop> host = owned(new KeepingHostLoop);
    Timer timer;
    Reader reader;
    {
        RunLoopAdapter adapter(host);
        ASSERT_TRUE(adapter.registerTimer(50, &timer));
        ASSERT_TRUE(adapter.registerFileDescriptor(7, &reader));
        ASSERT_TRUE(adapter.registerTimer(16, &timer)); // twice: both are served
        EXPECT_EQ(host->intervals, (std::vector<Linux::TimerInterval> {50, 16}));
        EXPECT_EQ(host->fds, std::vector<int> {7});

        host->timers[0]->onTimer();
        host->timers[1]->onTimer();
        EXPECT_EQ(timer.calls, 2);
        adapter.unregisterTimer(&timer);
        EXPECT_EQ(host->unregistered, 2) << "every registration of the handler is removed";
        host->timers[0]->onTimer(); // a late call after removal
        EXPECT_EQ(timer.calls, 2);
        // The host's copies are the only references left to the forwarders.
        EXPECT_EQ(referencesOf(host->timers[0].get()), 1u);
        EXPECT_EQ(referencesOf(host->events[0].get()), 2u) << "still registered: held by the adapter too";
    }
    EXPECT_EQ(host->unregistered, 3) << "the adapter removes what is left when it goes";
    EXPECT_EQ(referencesOf(host->events[0].get()), 1u);
    host->events[0]->onFDIsSet(7);
    EXPECT_TRUE(reader.received.empty());
}

TEST(RunLoopAdapter, RefusalsAreReportedNotHidden)
{
    IPtr<KeepingHostLoop> host = owned(new KeepingHostLoop);
    RunLoopAdapter adapter(host);
    Timer timer;
    Reader reader;
    EXPECT_FALSE(adapter.registerTimer(10, nullptr));
    EXPECT_FALSE(adapter.registerFileDescriptor(3, nullptr));
    EXPECT_FALSE(adapter.registerFileDescriptor(-1, &reader));
    host->refuse = true;
    EXPECT_FALSE(adapter.registerTimer(10, &timer));
    EXPECT_FALSE(adapter.registerFileDescriptor(3, &reader));
    adapter.unregisterTimer(&timer); // never registered: nothing to do
    EXPECT_EQ(host->unregistered, 0);
}
