#include "gui/cvstguitimer.h"

#include "gui/cframe.h"

namespace VSTGUI {

const IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

CVSTGUITimer::CVSTGUITimer(CFrame* f, CBaseObject* t, uint32_t ms, bool doStart)
    : frame(f), target(t), fireTime(ms)
{
    if (doStart)
        start();
}

CVSTGUITimer::CVSTGUITimer(CFrame* f, CallbackFunc cb, uint32_t ms, bool doStart)
    : frame(f), callback(std::move(cb)), fireTime(ms)
{
    if (doStart)
        start();
}

CVSTGUITimer::CVSTGUITimer(IRunLoop* loop, CBaseObject* t, uint32_t ms, bool doStart)
    : runLoop(loop), target(t), fireTime(ms)
{
    if (doStart)
        start();
}

CVSTGUITimer::CVSTGUITimer(IRunLoop* loop, CallbackFunc cb, uint32_t ms, bool doStart)
    : runLoop(loop), callback(std::move(cb)), fireTime(ms)
{
    if (doStart)
        start();
}

CVSTGUITimer::~CVSTGUITimer()
{
    stop();
}

IRunLoop* CVSTGUITimer::currentRunLoop() const
{
    return frame ? frame->getRunLoop() : runLoop;
}

bool CVSTGUITimer::start()
{
    if (running)
        return true;
    IRunLoop* loop = currentRunLoop();
    if (!loop || !loop->registerTimer(fireTime, this))
        return false;
    registeredOn = loop;
    running = true;
    if (frame)
        frame->timerStarted(this);
    return true;
}

bool CVSTGUITimer::stop()
{
    if (!running)
        return false;
    running = false;
    registeredOn->unregisterTimer(this);
    registeredOn = nullptr;
    if (frame)
        frame->timerStopped(this);
    return true;
}

bool CVSTGUITimer::setFireTime(uint32_t ms)
{
    if (ms == fireTime)
        return true;
    fireTime = ms;
    if (running)
    {
        stop();
        return start();
    }
    return true;
}

void CVSTGUITimer::frameClosing()
{
    stop();
    frame = nullptr;
}

void CVSTGUITimer::onTimer()
{
    if (!running)
        return;
    // The tick may stop or release this timer; keep it alive until we return.
    SharedPointer<CVSTGUITimer> guard(this);
    if (target)
        target->notify(this, kMsgTimer);
    else if (callback)
        callback(this);
}

} // namespace VSTGUI
