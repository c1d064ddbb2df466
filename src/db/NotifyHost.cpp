// The notification click: the plug-in's one signal to the host that the exchange text holds something new.
#include "db/NotifyHost.h"

#include "db/SharedState.h"

#include <cstdint>

LPARAM NotifyPoint(std::int32_t left, std::int32_t top) {
    const std::uint32_t point = (static_cast<std::uint32_t>(top) << 16) + static_cast<std::uint32_t>(left);
    return static_cast<LPARAM>(static_cast<std::int32_t>(point));
}

void NotifyHost() {
    // Posted to no window, the pair would land in the calling thread's queue as thread messages, where a host loop
    // that handles those sees a click nobody made.
    if (!HostWindow)
        return;
    const LPARAM point = NotifyPoint(ViewRect.Left, ViewRect.Top);
    PostMessageA(HostWindow, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(HostWindow, WM_LBUTTONUP, 0, point);
}
