// Draining the calling thread's message queue; the host's own loop dispatches everything else. A WM_QUIT belongs to
// the host's loop: a pump of ours that takes one posts it again, with its exit code, and stops there.
#include "toolkit/windows/Control.h"

bool Terminated = false;
std::uint32_t QuitsHandedBack = 0;

namespace {

// A host's WM_PAINT handler that never validates would make WM_PAINT come back for good: a paint pump stops after
// this many.
constexpr int PaintMessagesPerPump = 64;

} // namespace

bool Control::ProcessMessage() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        // Taken only when nothing else was posted, so the host's loop meets it next; the drain ends with it.
        PostQuitMessage(static_cast<int>(msg.wParam));
        ++QuitsHandedBack;
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return msg.message != 0;
}

void Control::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void Control::ProcessPaintMessages() {
    MSG msg;
    for (int i = 0; i < PaintMessagesPerPump && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i)
        if (msg.message == WM_PAINT)
            DispatchMessageA(&msg);
}
