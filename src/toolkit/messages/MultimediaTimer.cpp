#include "toolkit/messages/MultimediaTimer.h"

namespace {

void CALLBACK TimerCallback(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto *timer = reinterpret_cast<MultimediaTimer *>(user);
    // The timer service's thread is not ours to unwind.
    try {
        timer->OnTimer(timer);
    } catch (...) {
    }
}

} // namespace

MultimediaTimer *NewMultimediaTimer(UINT interval) {
    MultimediaTimer *timer = NewObject<MultimediaTimer>();
    timer->Interval = interval;
    return timer;
}

void MultimediaTimer::SetEnabled(bool flag) {
    if ((TimerId != 0) != flag) {
        if (flag) {
            // The synchronous kill makes timeKillEvent wait for a callback in progress, so the timer is never
            // freed under its own callback.
            const UINT kind =
                (Periodic ? TIME_PERIODIC : TIME_ONESHOT) | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS;
            TimerId = timeSetEvent(Interval, Resolution, &TimerCallback, reinterpret_cast<DWORD_PTR>(this), kind);
        } else {
            timeKillEvent(TimerId);
            TimerId = 0;
        }
    }
    Enabled = flag;
}

void MultimediaTimer::Destroy() {
    SetEnabled(false);
    ObjectBase::Destroy();
}
