// The headless window manager's records: window classes, windows and the per-thread input state, and the helpers
// the USER functions share.
#pragma once

#include "headless/Rectangles.h"
#include "headless/Windows.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace headless {

struct WindowClass {
    std::string Name;
    WNDCLASSA Info{}; // lpszClassName points at Name; no menu names are kept
    bool System = false;
};

struct ScrollBar {
    int Min = 0;
    int Max = 100;
    UINT Page = 0;
    int Pos = 0;
    int TrackPos = 0;
};

// Records are never freed, so a pointer taken before a message was sent stays valid when the window proc destroyed
// the window meanwhile; Alive tells. Handles are never reused either. The owning thread alone changes a window.
struct Window {
    HWND Handle = nullptr;
    DWORD Thread = 0;
    bool Alive = true;
    bool Destroying = false;
    std::shared_ptr<WindowClass> Class;
    WNDPROC Proc = nullptr;
    HINSTANCE Instance = nullptr;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    // The desktop for top-level windows; null only for the desktop itself.
    HWND Parent = nullptr;
    HWND Owner = nullptr;
    // Z order, topmost first.
    std::vector<HWND> Children;
    // Window and client rectangles in the parent's client coordinates (screen coordinates for top-level windows).
    RECT Rect{};
    RECT Client{};
    RECT RestoreRect{};
    std::string Text;
    LONG_PTR UserData = 0;
    LONG_PTR Id = 0;
    std::vector<BYTE> Extra;
    // The update region is kept as its bounding box, in client coordinates.
    RECT Update{};
    bool EraseUpdate = false;
    // WM_ERASEBKGND was sent for the update region but left the background unerased: BeginPaint reports fErase.
    bool EraseDelayed = false;
    ScrollBar Scroll[2];
    HMENU SystemMenu = nullptr;
    HICON Icons[2]{};
};

class WindowTable {
public:
    static WindowTable &Instance();

    HWND Add(std::unique_ptr<Window> window);
    // Null for handles that name no live window.
    Window *Find(HWND handle);
    // The owning thread of a live window, or 0; safe from any thread.
    DWORD ThreadOf(HWND handle);
    // Ends a window's life; under the lock, since any thread may ask whether a window is alive.
    void MarkDestroyed(HWND handle);
    // Live windows of a thread in creation order.
    std::vector<Window *> WindowsOf(DWORD thread);
    // True while a window of the class lives, on any thread.
    bool HasWindowsOf(const WindowClass *cls);
    Window &Desktop();

private:
    WindowTable();
    std::mutex Lock;
    std::unordered_map<HWND, std::unique_ptr<Window>> Windows;
    std::vector<HWND> Order;
    std::uintptr_t NextHandle = 0x10010;
    HWND DesktopHandle = nullptr;
};

// Input state of a thread: focus, activation, capture and the key state.
struct ThreadInput {
    HWND Focus = nullptr;
    HWND Active = nullptr;
    HWND Capture = nullptr;
    BYTE Keys[256]{};
};
ThreadInput &CurrentInput();

inline Window *Find(HWND hwnd) { return WindowTable::Instance().Find(hwnd); }

// The client area in client coordinates, as GetClientRect reports it: at the origin, never of negative size.
inline RECT ClientRectOf(const Window &window) {
    return {0, 0, std::max<LONG>(window.Client.right - window.Client.left, 0),
            std::max<LONG>(window.Client.bottom - window.Client.top, 0)};
}

// Screen position of the window's client origin, and its rectangles in screen coordinates.
POINT ClientOrigin(const Window &window);
RECT ScreenWindowRect(const Window &window);
// The window and all its ancestors are visible.
bool IsShown(const Window &window);
// The window rectangle's margins around the client area that the styles give.
RECT NonClientMargins(DWORD style, DWORD exStyle, bool scrollBars = true);

// The extended style a window really gets: WS_EX_WINDOWEDGE goes with a dialog frame or an overlapped window.
DWORD FixExStyle(DWORD style, DWORD exStyle);

// Adds to (or, with a null rect, fills) the update region; ignored for windows that are not shown.
void Invalidate(Window &window, const RECT *rect, bool erase);
// Removes everything a destroyed window held of the thread's focus, activation and capture.
void ForgetInput(HWND hwnd);
// Sends WM_ERASEBKGND through a window DC when the update region still asks for it.
void EraseIfNeeded(Window &window);

// Asks the window for its tracking sizes (WM_GETMINMAXINFO) and holds a size within them when the window keeps
// them: windows with a sizing frame, and overlapped windows.
MINMAXINFO MinMaxInfo(HWND hwnd);
void ClampToTrackingSize(HWND hwnd, int &cx, int &cy);
// Activates the next window when the active one is hidden or destroyed: its owner, else the topmost shown and
// enabled top-level window of the thread, else none.
void ActivateOtherWindow(HWND hwnd);

// Runs a call on the thread that owns a window and waits for it, serving calls sent to the waiting thread
// meanwhile, as a cross-thread SendMessage does.
LRESULT CallOnThread(DWORD thread, LRESULT (*call)(void *context), void *context);

} // namespace headless
