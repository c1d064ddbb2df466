// A timer over the multimedia timer service. Its OnTimer handler runs on the service's own thread, not on the
// window thread: it may only do thread-safe work, such as posting a message.
// A library that can be unloaded must not leave one armed across FreeLibrary: once the service has taken a one-shot,
// nothing tells when its callback has returned, and the loader lock forbids waiting for that thread. The viewer starts
// its move with a window timer for that reason.
#pragma once

#include <atomic>
#include <cstdint>

#include "toolkit/objects/ObjectBase.h"
#include "toolkit/platform/Win32.h"

class MultimediaTimer : public ObjectBase {
public:
    void Destroy() override;
    // Starts or stops the timer when its running state differs; Enabled takes the flag in every case. A one-shot
    // timer that has fired still counts as running until it is disabled. Once stopped, no callback of the timer runs
    // any more: neither a later one nor one in progress, so the timer (and the library) may go.
    virtual void SetEnabled(bool flag);

    UINT TimerId = 0;
    bool Enabled = false;
    UINT Interval = 0;
    NotifyEvent OnTimer;
    // 0 asks for the best resolution.
    UINT Resolution = 0;
    // Fires every Interval when true, once per start when false.
    bool Periodic = true;
    // Set from a one-shot start until its callback has returned: once the service has taken a one-shot from its list,
    // stopping it no longer waits for the callback, so SetEnabled(false) waits for this instead.
    std::atomic<bool> OneShotDue{false};
    // The thread running a callback of this timer, 0 when none: a handler stopping its own timer must not wait.
    std::atomic<DWORD> CallbackThread{0};

protected:
    ~MultimediaTimer() override = default;
};

// A stopped, periodic timer.
MultimediaTimer *NewMultimediaTimer(UINT interval);
