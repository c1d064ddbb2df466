#include "toolkit/platform/headless/WindowTable.h"

#include "toolkit/platform/headless/Inspect.h"

namespace headless {

WindowTable &WindowTable::Instance() {
    static WindowTable table;
    return table;
}

HWND WindowTable::Add(std::unique_ptr<Window> window) {
    std::lock_guard guard(Lock);
    // Handles are never reused, so a stale handle never names a newer window.
    window->Handle = reinterpret_cast<HWND>(NextHandle);
    NextHandle += 4;
    const HWND handle = window->Handle;
    Windows.emplace(handle, std::move(window));
    return handle;
}

void WindowTable::Remove(HWND handle) {
    std::lock_guard guard(Lock);
    Windows.erase(handle);
}

Window *WindowTable::Find(HWND handle) {
    std::lock_guard guard(Lock);
    const auto found = Windows.find(handle);
    return found == Windows.end() ? nullptr : found->second.get();
}

HWND CreateTestWindow(WNDPROC proc) {
    auto window = std::make_unique<Window>();
    window->Thread = GetCurrentThreadId();
    window->Proc = proc;
    return WindowTable::Instance().Add(std::move(window));
}

} // namespace headless

BOOL IsWindow(HWND hwnd) { return headless::WindowTable::Instance().Find(hwnd) != nullptr; }

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD *processId) {
    const headless::Window *window = headless::WindowTable::Instance().Find(hwnd);
    if (processId)
        *processId = window ? 1 : 0;
    return window ? window->Thread : 0;
}
