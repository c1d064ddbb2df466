// The cancel check: Esc in the host, looked at from SQLite's progress handler.
#include "db/CancelCheck.h"

#include "toolkit/platform/Win32.h"

bool EscapePressedInHost() {
    // The low bit reports a press between two looks that was over before the second one.
    if (!(GetAsyncKeyState(VK_ESCAPE) & 0x8001))
        return false;
    const HWND front = GetForegroundWindow();
    DWORD process = 0;
    return front && GetWindowThreadProcessId(front, &process) && process == GetCurrentProcessId();
}

CancelCheck::CancelCheck(sqlite3 *db) : Db(db), LastLook(GetTickCount()) {
    // Forgets a press from before the run, which the low bit would otherwise still report.
    GetAsyncKeyState(VK_ESCAPE);
    sqlite3_progress_handler(Db, Instructions, &Progress, this);
}

CancelCheck::~CancelCheck() { sqlite3_progress_handler(Db, 0, nullptr, nullptr); }

int CancelCheck::Progress(void *data) {
    auto *check = static_cast<CancelCheck *>(data);
    const std::uint32_t now = GetTickCount();
    if (now - check->LastLook < LookInterval)
        return 0;
    check->LastLook = now;
    return EscapePressedInHost() ? 1 : 0;
}
