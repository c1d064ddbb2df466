// Draining the calling thread's message queue; the host's own loop dispatches everything else.
#include "toolkit/windows/Control.h"

bool Terminated = false;

bool Control::ProcessMessage() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        Terminated = true;
    } else {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return msg.message != 0;
}

void Control::ProcessMessages() {
    while (ProcessMessage()) {
    }
}
