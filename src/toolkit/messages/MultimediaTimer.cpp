// The multimedia timer: starting and stopping over the timer service, and the one callback every timer goes through.
#include "toolkit/messages/MultimediaTimer.h"

namespace {

// The edge between the timer service's thread and the toolkit: nothing thrown may unwind into the service, and the
// timer is not touched after OneShotDue is cleared, since its owner may free it (or unload the library) from then on.
void CALLBACK TimerCallback(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto *timer = reinterpret_cast<MultimediaTimer *>(user);
    timer->CallbackThread = GetCurrentThreadId();
    try {
        timer->OnTimer(timer);
    } catch (...) {
    }
    timer->CallbackThread = 0;
    timer->OneShotDue = false;
}

// Longest wait for a one-shot callback the service has already taken; it only posts a message, so this is never
// reached unless the service's thread is stalled, and then the host's thread does not hang for it.
constexpr DWORD OneShotWaitLimit = 2000;

} // namespace

MultimediaTimer *NewMultimediaTimer(UINT interval) {
    MultimediaTimer *timer = NewObject<MultimediaTimer>();
    timer->Interval = interval;
    return timer;
}

void MultimediaTimer::SetEnabled(bool flag) {
    if ((TimerId != 0) != flag) {
        if (flag) {
            // The synchronous kill makes timeKillEvent wait for a callback in progress of a periodic timer.
            const UINT kind =
                (Periodic ? TIME_PERIODIC : TIME_ONESHOT) | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS;
            OneShotDue = !Periodic;
            TimerId = timeSetEvent(Interval, Resolution, &TimerCallback, reinterpret_cast<DWORD_PTR>(this), kind);
            if (!TimerId)
                OneShotDue = false;
        } else {
            // A kill that finds no timer means a one-shot that fired. Wine keeps a one-shot's ID valid until its
            // callback has returned, so the synchronous kill waits for it there; a service that drops the ID before
            // the call could not, and then the callback may still be running: wait for it here.
            const bool taken = timeKillEvent(TimerId) != TIMERR_NOERROR;
            TimerId = 0;
            if (taken && CallbackThread != GetCurrentThreadId()) {
                const DWORD start = GetTickCount();
                while (OneShotDue && GetTickCount() - start < OneShotWaitLimit)
                    Sleep(1);
            }
            OneShotDue = false;
        }
    }
    Enabled = flag;
}

void MultimediaTimer::Destroy() {
    SetEnabled(false);
    ObjectBase::Destroy();
}
