// The cancel check: Esc in the host, looked at from SQLite's progress handler.
#include "db/CancelCheck.h"

#include "db/SharedState.h"
#include "toolkit/platform/Win32.h"

namespace {

bool EscapeDown() { return GetAsyncKeyState(VK_ESCAPE) < 0; }

bool SameRect(const RECT &a, const RECT &b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The host's top-level window is not responding and the window in front stands exactly in its place: its ghost.
bool GhostOfHostInFront(HWND front) {
    const HWND top = HostWindow ? GetAncestor(HostWindow, GA_ROOT) : nullptr;
    RECT frontRect, topRect;
    return top && IsHungAppWindow(top) && GetWindowRect(front, &frontRect) && GetWindowRect(top, &topRect) &&
           SameRect(frontRect, topRect);
}

bool HostInFront() {
    const HWND front = GetForegroundWindow();
    DWORD process = 0;
    if (!front || !GetWindowThreadProcessId(front, &process))
        return false;
    return process == GetCurrentProcessId() || GhostOfHostInFront(front);
}

} // namespace

bool EscapePressedInHost() { return EscapeDown() && HostInFront(); }

CancelCheck::CancelCheck(sqlite3 *db) : Db(db), LastLook(GetTickCount()), EscapeReleased(!EscapeDown()) {
    sqlite3_progress_handler(Db, Instructions, &Progress, this);
}

CancelCheck::~CancelCheck() { sqlite3_progress_handler(Db, 0, nullptr, nullptr); }

int CancelCheck::Progress(void *data) {
    auto *check = static_cast<CancelCheck *>(data);
    const std::uint32_t now = GetTickCount();
    if (now - check->LastLook < LookInterval)
        return 0;
    check->LastLook = now;
    if (!EscapeDown()) {
        check->EscapeReleased = true;
        return 0;
    }
    return check->EscapeReleased && HostInFront() ? 1 : 0;
}
