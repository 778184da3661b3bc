// The host's poll run loop keeps the contract plug-in editors rely on: timers repeat
// until unregistered, descriptors are served when readable, and any handler may
// unregister itself or another from inside a callback.
#include "host/run_loop.h"

#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

using namespace corvale::host;
using namespace Steinberg;
using namespace Steinberg::Linux;

namespace {

/// References held on `object`.
template <typename T>
uint32 referencesOf(T* object)
{
    const uint32 count = object->addRef();
    object->release();
    return count - 1;
}

class TestTimer : public ITimerHandler
{
public:
    TestTimer() { FUNKNOWN_CTOR }
    virtual ~TestTimer() { FUNKNOWN_DTOR }
    void PLUGIN_API onTimer() override
    {
        ++calls;
        if (action)
            action();
    }
    int calls = 0;
    std::function<void()> action;
    DECLARE_FUNKNOWN_METHODS
};
IMPLEMENT_FUNKNOWN_METHODS(TestTimer, ITimerHandler, ITimerHandler::iid)

class TestReader : public IEventHandler
{
public:
    TestReader() { FUNKNOWN_CTOR }
    virtual ~TestReader() { FUNKNOWN_DTOR }
    void PLUGIN_API onFDIsSet(FileDescriptor fd) override
    {
        char byte = 0;
        if (::read(fd, &byte, 1) == 1)
            received += byte;
        lastFd = fd;
        if (action)
            action();
    }
    std::string received;
    int lastFd = -1;
    std::function<void()> action;
    DECLARE_FUNKNOWN_METHODS
};
IMPLEMENT_FUNKNOWN_METHODS(TestReader, IEventHandler, IEventHandler::iid)

struct Pipe
{
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(::pipe(fds), 0); }
    ~Pipe()
    {
        for (int fd : fds) {
            if (fd >= 0)
                ::close(fd);
        }
    }
    void send(char c) { ASSERT_EQ(::write(fds[1], &c, 1), 1); }
};

constexpr unsigned kTimeoutMs = 5000; // reached only when the loop is broken

} // namespace

TEST(RunLoop, ATimerRepeatsUntilItUnregistersItselfAndIsThenReleased)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    IPtr<TestTimer> timer = owned(new TestTimer);
    timer->action = [&] {
        if (timer->calls == 3) {
            EXPECT_EQ(loop->unregisterTimer(timer), kResultOk);
        }
    };
    ASSERT_EQ(loop->registerTimer(timer, 1), kResultOk);
    EXPECT_EQ(referencesOf(timer.get()), 2u) << "the loop holds the handler while it is registered";
    ASSERT_TRUE(loop->runUntil([&] { return timer->calls >= 3; }, kTimeoutMs));
    loop->runFor(20); // time for a fourth call, which must not come
    EXPECT_EQ(timer->calls, 3);
    EXPECT_EQ(loop->timerCount(), 0u);
    EXPECT_EQ(referencesOf(timer.get()), 1u) << "and lets go of it afterwards";
}

TEST(RunLoop, AHandlerUnregisteredByAnotherInTheSameRoundIsNotCalled)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    IPtr<TestTimer> first = owned(new TestTimer);
    IPtr<TestTimer> second = owned(new TestTimer);
    first->action = [&] { loop->unregisterTimer(second); };
    second->action = [&] { loop->unregisterTimer(first); };
    ASSERT_EQ(loop->registerTimer(first, 5), kResultOk);
    ASSERT_EQ(loop->registerTimer(second, 5), kResultOk);
    ASSERT_TRUE(loop->runUntil([&] { return first->calls + second->calls > 0; }, kTimeoutMs));
    loop->runFor(30);
    // Whichever ran first removed the other, which never ran; the first one goes on.
    EXPECT_NE(first->calls == 0, second->calls == 0) << first->calls << " and " << second->calls;
    EXPECT_EQ(loop->timerCount(), 1u);
}

TEST(RunLoop, ReadableDescriptorsAreServedUntilTheirHandlerLeaves)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    IPtr<TestReader> reader = owned(new TestReader);
    Pipe pipe;
    reader->action = [&] {
        if (reader->received.size() == 2)
            loop->unregisterEventHandler(reader);
    };
    ASSERT_EQ(loop->registerEventHandler(reader, pipe.fds[0]), kResultOk);
    loop->runFor(10);
    EXPECT_TRUE(reader->received.empty()) << "nothing to read, no call";
    pipe.send('a');
    ASSERT_TRUE(loop->runUntil([&] { return reader->received == "a"; }, kTimeoutMs));
    EXPECT_EQ(reader->lastFd, pipe.fds[0]);
    pipe.send('b');
    ASSERT_TRUE(loop->runUntil([&] { return reader->received == "ab"; }, kTimeoutMs));
    pipe.send('c');
    loop->runFor(20);
    EXPECT_EQ(reader->received, "ab");
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(referencesOf(reader.get()), 1u);
}

TEST(RunLoop, ADescriptorClosedWhileRegisteredIsDroppedNotSpunOn)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    IPtr<TestReader> reader = owned(new TestReader);
    Pipe pipe;
    ASSERT_EQ(loop->registerEventHandler(reader, pipe.fds[0]), kResultOk);
    ::close(pipe.fds[0]);
    pipe.fds[0] = -1;
    loop->runFor(20);
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(reader->lastFd, -1);
}

TEST(RunLoop, RefusesNullHandlersAndTellsWhenThereWasNothingToUnregister)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    IPtr<TestTimer> timer = owned(new TestTimer);
    IPtr<TestReader> reader = owned(new TestReader);
    EXPECT_EQ(loop->registerTimer(nullptr, 10), kInvalidArgument);
    EXPECT_EQ(loop->registerEventHandler(nullptr, 0), kInvalidArgument);
    EXPECT_EQ(loop->registerEventHandler(reader, -1), kInvalidArgument);
    EXPECT_EQ(loop->unregisterTimer(timer), kResultFalse);
    EXPECT_EQ(loop->unregisterEventHandler(reader), kResultFalse);
    EXPECT_EQ(loop->unregisterTimer(nullptr), kResultFalse);
    EXPECT_EQ(loop->timerCount() + loop->eventHandlerCount(), 0u);
}

TEST(RunLoop, RunEndsWhenACallbackQuitsAndRunUntilTellsWhetherItsConditionCame)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    IPtr<TestTimer> timer = owned(new TestTimer);
    timer->action = [&] {
        if (timer->calls == 3)
            loop->quit();
    };
    ASSERT_EQ(loop->registerTimer(timer, 1), kResultOk);
    loop->run();
    EXPECT_EQ(timer->calls, 3);
    EXPECT_TRUE(loop->runUntil([] { return true; }, 0));
    EXPECT_FALSE(loop->runUntil([] { return false; }, 10));
    loop->unregisterTimer(timer);
}

TEST(RunLoop, QueryInterfaceAnswersTheRunLoopInterface)
{
    IPtr<RunLoop> loop = owned(new RunLoop);
    IRunLoop* asked = nullptr;
    ASSERT_EQ(loop->queryInterface(IRunLoop::iid, reinterpret_cast<void**>(&asked)), kResultOk);
    EXPECT_EQ(asked, static_cast<IRunLoop*>(loop.get()));
    asked->release();
    void* other = nullptr;
    EXPECT_EQ(loop->queryInterface(ITimerHandler::iid, &other), kNoInterface);
    EXPECT_EQ(other, nullptr);
}
