// Keyboard focus, activation and mouse capture, per thread as on Windows, with their notification messages.
#include "headless/WindowTable.h"

#include <atomic>

namespace headless {
namespace {

// The process's foreground window: the one last activated by any thread, until it is deactivated or destroyed.
std::atomic<HWND> Foreground{nullptr};

bool OwnedByThisThread(const Window *window) { return window && window->Thread == GetCurrentThreadId(); }

// Moves the focus and sends WM_KILLFOCUS and WM_SETFOCUS; a handler that moves the focus again wins.
HWND ChangeFocus(HWND hwnd) {
    ThreadInput &input = CurrentInput();
    const HWND previous = input.Focus;
    if (previous == hwnd)
        return previous;
    input.Focus = hwnd;
    if (previous && Find(previous)) {
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (CurrentInput().Focus != hwnd)
            return previous;
    }
    if (hwnd && Find(hwnd))
        SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

// Activation: the old window is told first, then the new one; the focus then moves into the new window unless
// its handlers already put it there.
bool Activate(HWND hwnd) {
    ThreadInput &input = CurrentInput();
    const HWND previous = input.Active;
    if (previous == hwnd)
        return true;
    input.Active = hwnd;
    if (hwnd) {
        Foreground = hwnd;
    } else {
        HWND front = previous;
        Foreground.compare_exchange_strong(front, nullptr);
    }
    if (previous && Find(previous)) {
        SendMessageA(previous, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(hwnd));
        SendMessageA(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(previous) ? 1 : 0),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    if (hwnd && Find(hwnd)) {
        SendMessageA(hwnd, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(previous));
        SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(hwnd) ? 1 : 0),
                     reinterpret_cast<LPARAM>(previous));
    }
    if (CurrentInput().Active != hwnd)
        return false;
    const HWND focus = CurrentInput().Focus;
    if (!hwnd)
        ChangeFocus(nullptr);
    else if (!focus || GetAncestor(focus, GA_ROOT) != hwnd)
        ChangeFocus(hwnd);
    return true;
}

} // namespace

void ForgetInput(HWND hwnd) {
    ThreadInput &input = CurrentInput();
    if (input.Focus == hwnd)
        input.Focus = nullptr;
    if (input.Active == hwnd)
        input.Active = nullptr;
    HWND front = hwnd;
    Foreground.compare_exchange_strong(front, nullptr);
    if (input.Capture == hwnd)
        input.Capture = nullptr;
}

void ActivateOtherWindow(HWND hwnd) {
    const Window *window = Find(hwnd);
    HWND next = nullptr;
    if (window && window->Owner && IsWindowVisible(window->Owner) && IsWindowEnabled(window->Owner))
        next = window->Owner;
    for (HWND candidate : WindowTable::Instance().Desktop().Children) {
        if (next)
            break;
        const Window *other = Find(candidate);
        if (candidate != hwnd && OwnedByThisThread(other) && (other->Style & WS_VISIBLE) &&
            !(other->Style & WS_DISABLED))
            next = candidate;
    }
    Activate(next);
}

} // namespace headless

using namespace headless;

HWND SetFocus(HWND hwnd) {
    ThreadInput &input = CurrentInput();
    const HWND previous = input.Focus;
    if (!hwnd) {
        ChangeFocus(nullptr);
        return previous;
    }
    const Window *window = Find(hwnd);
    if (!OwnedByThisThread(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (hwnd == previous)
        return previous;
    // Neither the window nor an ancestor may be minimised or disabled; a child must have a parent window.
    const Window *top = window;
    for (;;) {
        if (top->Style & (WS_MINIMIZE | WS_DISABLED))
            return nullptr;
        if (!(top->Style & WS_CHILD))
            break;
        const Window *parent = Find(top->Parent);
        if (!parent || !parent->Parent) {
            if ((top->Style & (WS_POPUP | WS_CHILD)) == WS_CHILD)
                return nullptr;
            break;
        }
        top = parent;
    }
    if (top->Handle != input.Active) {
        if (!Activate(top->Handle) || !Find(hwnd) || top->Handle != CurrentInput().Active)
            return nullptr;
    }
    ChangeFocus(hwnd);
    return previous;
}

HWND GetFocus() { return CurrentInput().Focus; }

HWND SetActiveWindow(HWND hwnd) {
    const HWND previous = CurrentInput().Active;
    if (hwnd) {
        const Window *window = Find(hwnd);
        if (!OwnedByThisThread(window) || (window->Style & WS_CHILD))
            return nullptr;
    }
    Activate(hwnd);
    return previous;
}

HWND GetForegroundWindow() { return Foreground; }

BOOL SetForegroundWindow(HWND hwnd) {
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    if (!root)
        return FALSE;
    if (OwnedByThisThread(Find(root)))
        Activate(root);
    return TRUE;
}

HWND SetCapture(HWND hwnd) {
    ThreadInput &input = CurrentInput();
    const HWND previous = input.Capture;
    if (hwnd && !OwnedByThisThread(Find(hwnd)))
        return nullptr;
    input.Capture = hwnd;
    if (previous && previous != hwnd && Find(previous))
        SendMessageA(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return previous;
}

BOOL ReleaseCapture() {
    ThreadInput &input = CurrentInput();
    const HWND previous = input.Capture;
    input.Capture = nullptr;
    if (previous && Find(previous))
        SendMessageA(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return CurrentInput().Capture; }
