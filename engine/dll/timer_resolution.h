// Asks for a finer system timer for as long as the guard lives. Sleep(1) otherwise lasts a
// whole timer tick (about 15.6 ms), which makes the pause after each directory entry of a
// search more than ten times as long as it is meant to be.
#ifndef QUELBRIX_TIMER_RESOLUTION_H
#define QUELBRIX_TIMER_RESOLUTION_H

#include <windows.h>
#include <mmsystem.h>

namespace quelbrix {

class TimerResolutionGuard {
public:
    explicit TimerResolutionGuard(UINT milliseconds)
        : milliseconds_(milliseconds), granted_(timeBeginPeriod(milliseconds) == TIMERR_NOERROR) {}
    // Only a granted request is handed back; the system counts them.
    ~TimerResolutionGuard() {
        if (granted_) timeEndPeriod(milliseconds_);
    }
    TimerResolutionGuard(const TimerResolutionGuard&) = delete;
    TimerResolutionGuard& operator=(const TimerResolutionGuard&) = delete;

    bool Granted() const { return granted_; }

private:
    UINT milliseconds_;
    bool granted_;
};

}  // namespace quelbrix

#endif
