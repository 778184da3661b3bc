// IRunLoop: the event loop that drives an open editor. The toolkit owns no
// thread: its window registers the display connection's file descriptor and
// every timer here, and the loop calls back on the host's UI thread. In a plug-in
// the loop is the host's (adapted by the plug-in glue); tests use a small poll loop.
//
// Rules for both sides:
//  - handlers are registered and unregistered by pointer; the owner unregisters
//    before it goes away;
//  - a handler may unregister itself, or register or unregister others, from
//    inside its own callback;
//  - every callback returns at once (no blocking, no nested loops).
#pragma once

#include <cstdint>

namespace VSTGUI {

class IFileDescriptorHandler
{
public:
    /// The descriptor has data to read (or was closed). [UI thread]
    virtual void onFileDescriptorReady(int fd) = 0;

protected:
    ~IFileDescriptorHandler() = default;
};

class ITimerHandler
{
public:
    /// The timer's period has elapsed; it keeps firing until unregistered. [UI thread]
    virtual void onTimer() = 0;

protected:
    ~ITimerHandler() = default;
};

class IRunLoop
{
public:
    virtual ~IRunLoop() = default;

    /// Calls `handler` whenever `fd` is readable. False when the loop refuses it.
    virtual bool registerFileDescriptor(int fd, IFileDescriptorHandler* handler) = 0;
    virtual void unregisterFileDescriptor(IFileDescriptorHandler* handler) = 0;
    /// Calls `handler` every `intervalMs` milliseconds. False when the loop refuses it.
    virtual bool registerTimer(uint32_t intervalMs, ITimerHandler* handler) = 0;
    virtual void unregisterTimer(ITimerHandler* handler) = 0;
};

} // namespace VSTGUI
