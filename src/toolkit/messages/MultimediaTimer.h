// A timer over the multimedia timer service. Its OnTimer handler runs on the service's own thread, not on the
// window thread: it may only do thread-safe work, such as posting a message.
#pragma once

#include <cstdint>

#include "toolkit/objects/ObjectBase.h"
#include "toolkit/platform/Win32.h"

class MultimediaTimer : public ObjectBase {
public:
    void Destroy() override;
    // Starts or stops the timer when its running state differs; Enabled takes the flag in every case. A one-shot
    // timer that has fired still counts as running until it is disabled.
    virtual void SetEnabled(bool flag);

    UINT TimerId = 0;
    bool Enabled = false;
    UINT Interval = 0;
    NotifyEvent OnTimer;
    // 0 asks for the best resolution.
    UINT Resolution = 0;
    // Fires every Interval when true, once per start when false.
    bool Periodic = true;

protected:
    ~MultimediaTimer() override = default;
};

// A stopped, periodic timer.
MultimediaTimer *NewMultimediaTimer(UINT interval);
