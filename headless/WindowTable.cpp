#include "headless/WindowTable.h"

#include "headless/Inspect.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <set>

namespace headless {

WindowTable &WindowTable::Instance() {
    static WindowTable table;
    return table;
}

WindowTable::WindowTable() {
    auto desktop = std::make_unique<Window>();
    // No thread of the process owns the desktop; this one names none that pumps.
    desktop->Thread = 1;
    desktop->Style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    desktop->Rect = desktop->Client = {0, 0, 1600, 1200};
    desktop->Handle = reinterpret_cast<HWND>(NextHandle);
    NextHandle += 4;
    DesktopHandle = desktop->Handle;
    Windows.emplace(DesktopHandle, std::move(desktop));
}

HWND WindowTable::Add(std::unique_ptr<Window> window) {
    std::lock_guard guard(Lock);
    window->Handle = reinterpret_cast<HWND>(NextHandle);
    NextHandle += 4;
    const HWND handle = window->Handle;
    Windows.emplace(handle, std::move(window));
    Order.push_back(handle);
    return handle;
}

Window *WindowTable::Find(HWND handle) {
    std::lock_guard guard(Lock);
    const auto found = Windows.find(handle);
    return found == Windows.end() || !found->second->Alive ? nullptr : found->second.get();
}

DWORD WindowTable::ThreadOf(HWND handle) {
    std::lock_guard guard(Lock);
    const auto found = Windows.find(handle);
    return found == Windows.end() || !found->second->Alive ? 0 : found->second->Thread;
}

void WindowTable::MarkDestroyed(HWND handle) {
    std::lock_guard guard(Lock);
    const auto found = Windows.find(handle);
    if (found != Windows.end())
        found->second->Alive = false;
}

std::vector<Window *> WindowTable::WindowsOf(DWORD thread) {
    std::lock_guard guard(Lock);
    std::vector<Window *> result;
    for (HWND handle : Order) {
        Window *window = Windows[handle].get();
        if (window->Alive && window->Thread == thread)
            result.push_back(window);
    }
    return result;
}

bool WindowTable::HasWindowsOf(const WindowClass *cls) {
    std::lock_guard guard(Lock);
    return std::any_of(Windows.begin(), Windows.end(),
                       [&](const auto &entry) { return entry.second->Alive && entry.second->Class.get() == cls; });
}

Window &WindowTable::Desktop() { return *Windows.at(DesktopHandle); }

ThreadInput &CurrentInput() {
    thread_local ThreadInput input;
    return input;
}

POINT ClientOrigin(const Window &window) {
    POINT origin{window.Client.left, window.Client.top};
    for (const Window *parent = Find(window.Parent); parent && parent->Parent; parent = Find(parent->Parent)) {
        origin.x += parent->Client.left;
        origin.y += parent->Client.top;
    }
    return origin;
}

RECT ScreenWindowRect(const Window &window) {
    const POINT origin = ClientOrigin(window);
    return Offset(window.Rect, origin.x - window.Client.left, origin.y - window.Client.top);
}

bool IsShown(const Window &window) {
    for (const Window *w = &window; w && w->Parent; w = Find(w->Parent))
        if (!(w->Style & WS_VISIBLE))
            return false;
    return true;
}

RECT NonClientMargins(DWORD style, DWORD exStyle, bool scrollBars) {
    RECT m{};
    auto grow = [&m](int x, int y) {
        m.left += x;
        m.right += x;
        m.top += y;
        m.bottom += y;
    };
    if (style & WS_MINIMIZE)
        return m;
    if (style & WS_THICKFRAME)
        grow(GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME));
    else if ((exStyle & WS_EX_DLGMODALFRAME) || (style & WS_DLGFRAME))
        grow(GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME));
    else if ((style & WS_BORDER) || !(style & (WS_CHILD | WS_POPUP)))
        grow(GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
    if ((style & WS_CAPTION) == WS_CAPTION)
        m.top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    if (exStyle & WS_EX_CLIENTEDGE)
        grow(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    if (scrollBars && (style & WS_VSCROLL))
        m.right += GetSystemMetrics(SM_CXVSCROLL);
    if (scrollBars && (style & WS_HSCROLL))
        m.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return m;
}

DWORD FixExStyle(DWORD style, DWORD exStyle) {
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME) || !(style & (WS_CHILD | WS_POPUP)))
        return exStyle | WS_EX_WINDOWEDGE;
    return exStyle & ~WS_EX_WINDOWEDGE;
}

HWND CreateTestWindow(WNDPROC proc) {
    auto window = std::make_unique<Window>();
    window->Thread = GetCurrentThreadId();
    window->Proc = proc ? proc : &DefWindowProcA;
    window->Parent = WindowTable::Instance().Desktop().Handle;
    const HWND handle = WindowTable::Instance().Add(std::move(window));
    WindowTable::Instance().Desktop().Children.push_back(handle);
    return handle;
}

} // namespace headless

BOOL IsWindow(HWND hwnd) { return headless::WindowTable::Instance().ThreadOf(hwnd) != 0; }

namespace {

// Windows a test made stand for another process's, and windows it marked as not responding.
std::mutex markedLock;
std::map<HWND, DWORD> foreignProcesses;
std::set<HWND> hungWindows;

} // namespace

void headless::SetWindowProcess(HWND hwnd, DWORD process) {
    std::lock_guard guard(markedLock);
    foreignProcesses[hwnd] = process;
}

void headless::SetHungAppWindow(HWND hwnd, bool hung) {
    std::lock_guard guard(markedLock);
    if (hung)
        hungWindows.insert(hwnd);
    else
        hungWindows.erase(hwnd);
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD *process) {
    const DWORD thread = headless::WindowTable::Instance().ThreadOf(hwnd);
    if (process) {
        std::lock_guard guard(markedLock);
        const auto foreign = foreignProcesses.find(hwnd);
        *process = !thread ? 0 : foreign != foreignProcesses.end() ? foreign->second : GetCurrentProcessId();
    }
    return thread;
}

BOOL IsHungAppWindow(HWND hwnd) {
    std::lock_guard guard(markedLock);
    return hungWindows.count(hwnd) != 0;
}

HWND GetDesktopWindow() { return headless::WindowTable::Instance().Desktop().Handle; }
