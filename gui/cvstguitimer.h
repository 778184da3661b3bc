// CVSTGUITimer: a repeating timer on the run loop of an open frame (or on a run
// loop given directly). Each tick either notifies a target object with kMsgTimer
// or calls a function. A timer may be stopped, restarted or released from inside
// its own tick. Without an open frame there is no run loop, so start() fails.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/platform/run_loop.h"

#include <functional>

namespace VSTGUI {

class CFrame;

class CVSTGUITimer : public CBaseObject, private ITimerHandler
{
public:
    /// The message a target receives on each tick; compare it by pointer.
    static const IdStringPtr kMsgTimer;
    using CallbackFunc = std::function<void(CVSTGUITimer*)>;

    /// A timer on `frame`'s run loop notifying `target` (not owned). [UI thread]
    CVSTGUITimer(CFrame* frame, CBaseObject* target, uint32_t fireTimeMs = 100, bool doStart = false);
    /// A timer on `frame`'s run loop calling `callback`. [UI thread]
    CVSTGUITimer(CFrame* frame, CallbackFunc callback, uint32_t fireTimeMs = 100, bool doStart = false);
    /// The same on a run loop the caller keeps alive for the timer's lifetime. [UI thread]
    CVSTGUITimer(IRunLoop* runLoop, CBaseObject* target, uint32_t fireTimeMs = 100, bool doStart = false);
    CVSTGUITimer(IRunLoop* runLoop, CallbackFunc callback, uint32_t fireTimeMs = 100,
                 bool doStart = false);
    ~CVSTGUITimer() override;
    CVSTGUITimer(const CVSTGUITimer&) = delete;
    CVSTGUITimer& operator=(const CVSTGUITimer&) = delete;

    /// Starts ticking; false when there is no run loop (frame not open) or it refuses. [UI thread]
    bool start();
    /// Stops ticking. [UI thread]
    bool stop();
    bool isRunning() const { return running; }
    /// Changes the period, restarting the timer when it runs. [UI thread]
    bool setFireTime(uint32_t ms);
    uint32_t getFireTime() const { return fireTime; }

    /// The frame closes: the timer stops and forgets it. [UI thread]
    void frameClosing();

private:
    void onTimer() override;
    IRunLoop* currentRunLoop() const;

    CFrame* frame = nullptr;
    IRunLoop* runLoop = nullptr;
    IRunLoop* registeredOn = nullptr;
    CBaseObject* target = nullptr;
    CallbackFunc callback;
    uint32_t fireTime;
    bool running = false;
};

} // namespace VSTGUI
