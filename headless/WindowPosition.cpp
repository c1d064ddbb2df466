// Moving, sizing, stacking, showing and hiding windows: SetWindowPos and ShowWindow with the messages they send.
#include "headless/WindowTable.h"

#include <algorithm>

namespace headless {
namespace {

constexpr UINT NoPositionChange = SWP_NOSIZE | SWP_NOMOVE | SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE | SWP_NOZORDER;
constexpr UINT StatusFlags = NoPositionChange | SWP_FRAMECHANGED | SWP_HIDEWINDOW | SWP_SHOWWINDOW;

LONG Width(const RECT &r) { return r.right - r.left; }
LONG Height(const RECT &r) { return r.bottom - r.top; }

// Where in the parent's z order the window goes, or -1 when it stays.
int ZOrderTarget(const Window &window, HWND insertAfter, const std::vector<HWND> &siblings) {
    const auto self = std::find(siblings.begin(), siblings.end(), window.Handle);
    if (self == siblings.end())
        return -1;
    const int current = static_cast<int>(self - siblings.begin());
    int target;
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)
        target = 0;
    else if (insertAfter == HWND_BOTTOM)
        target = static_cast<int>(siblings.size()) - 1;
    else {
        const auto after = std::find(siblings.begin(), siblings.end(), insertAfter);
        if (after == siblings.end() || insertAfter == window.Handle)
            return -1;
        target = static_cast<int>(after - siblings.begin());
        if (target < current)
            ++target;
    }
    return target == current ? -1 : target;
}

void MoveInZOrder(std::vector<HWND> &siblings, HWND hwnd, int target) {
    std::erase(siblings, hwnd);
    siblings.insert(siblings.begin() + std::min<int>(target, static_cast<int>(siblings.size())), hwnd);
}

// Cuts the span [from, to) down to what [nowFrom, nowTo) leaves bare of it, as one span; false when nothing is.
bool CutSpan(LONG &from, LONG &to, LONG nowFrom, LONG nowTo) {
    const bool before = nowFrom > from;
    const bool after = nowTo < to;
    if (!before && !after)
        return false;
    if (!before)
        from = nowTo;
    if (!after)
        to = nowFrom;
    return true;
}

// What of old the new rectangle leaves bare, as a bounding box: old itself unless now spans one of its sides.
RECT Uncovered(const RECT &old, const RECT &now) {
    if (IsEmpty(Intersect(old, now)))
        return old;
    RECT bare = old;
    if (now.left <= old.left && now.right >= old.right) {
        if (!CutSpan(bare.top, bare.bottom, now.top, now.bottom))
            return {};
    } else if (now.top <= old.top && now.bottom >= old.bottom) {
        if (!CutSpan(bare.left, bare.right, now.left, now.right))
            return {};
    }
    return bare;
}

// Invalidates what a change of place or visibility exposes, as Windows does: the parent where the window was, the
// window whole when shown, its frame changed or its class redraws on that change of size, else only the client
// area it gained (moved pixels are kept). A window just shown, the parent a hidden child left bare and a resized
// top-level window are erased at once, before WM_WINDOWPOSCHANGED.
void RedrawAfterChange(Window &window, Window *parent, const RECT &oldRect, const RECT &oldClient, UINT flags,
                       bool wasVisible) {
    const bool shown = flags & SWP_SHOWWINDOW;
    const bool hidden = flags & SWP_HIDEWINDOW;
    const bool placed = !(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE);
    const bool topLevel = !parent || !parent->Parent;
    if (!topLevel && (hidden || (wasVisible && !shown && placed))) {
        const RECT bare = hidden ? oldRect : Uncovered(oldRect, window.Rect);
        if (!IsEmpty(bare))
            Invalidate(*parent, &bare, true);
    }

    const LONG oldWidth = Width(oldClient), oldHeight = Height(oldClient);
    const LONG width = Width(window.Client), height = Height(window.Client);
    const UINT classStyle = window.Class ? window.Class->Info.style : 0;
    if (shown || (flags & SWP_FRAMECHANGED) || ((flags & SWP_NOCOPYBITS) && placed) ||
        (width != oldWidth && (classStyle & CS_HREDRAW)) || (height != oldHeight && (classStyle & CS_VREDRAW))) {
        Invalidate(window, nullptr, true);
    } else {
        if (width > oldWidth) {
            const RECT gained{oldWidth, 0, width, height};
            Invalidate(window, &gained, true);
        }
        if (height > oldHeight) {
            const RECT gained{0, oldHeight, width, height};
            Invalidate(window, &gained, true);
        }
    }

    if (flags & SWP_DEFERERASE)
        return;
    if (shown)
        EraseIfNeeded(window);
    else if (hidden && !topLevel)
        EraseIfNeeded(*parent);
    else if (topLevel && !(flags & SWP_NOSIZE))
        EraseIfNeeded(window);
}

LRESULT SetWindowPosOnThread(void *context) {
    const auto *pos = static_cast<const WINDOWPOS *>(context);
    return SetWindowPos(pos->hwnd, pos->hwndInsertAfter, pos->x, pos->y, pos->cx, pos->cy, pos->flags);
}

} // namespace
} // namespace headless

using namespace headless;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window *window = Find(hwnd);
    if (!window || !window->Parent) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->Thread != GetCurrentThreadId()) {
        WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
        return static_cast<BOOL>(CallOnThread(window->Thread, &SetWindowPosOnThread, &pos));
    }
    WINDOWPOS pos{hwnd, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
    if (pos.flags & SWP_NOMOVE) {
        pos.x = window->Rect.left;
        pos.y = window->Rect.top;
    }
    if (pos.flags & SWP_NOSIZE) {
        pos.cx = Width(window->Rect);
        pos.cy = Height(window->Rect);
    }
    if (!(pos.flags & SWP_NOSENDCHANGING)) {
        SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!Find(hwnd))
            return FALSE;
    }

    const RECT oldRect = window->Rect;
    const RECT oldClient = window->Client;
    const bool wasVisible = (window->Style & WS_VISIBLE) != 0;
    RECT newRect{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    if (newRect.left == oldRect.left && newRect.top == oldRect.top)
        pos.flags |= SWP_NOMOVE;
    if (Width(newRect) == Width(oldRect) && Height(newRect) == Height(oldRect))
        pos.flags |= SWP_NOSIZE;
    if (wasVisible)
        pos.flags &= ~SWP_SHOWWINDOW;
    else
        pos.flags &= ~SWP_HIDEWINDOW;
    Window *parent = Find(window->Parent);
    int zTarget = -1;
    if (!(pos.flags & SWP_NOZORDER) && parent)
        zTarget = ZOrderTarget(*window, pos.hwndInsertAfter, parent->Children);
    if (zTarget < 0)
        pos.flags |= SWP_NOZORDER;

    RECT newClient = Offset(oldClient, newRect.left - oldRect.left, newRect.top - oldRect.top);
    if (!(pos.flags & SWP_NOSIZE) || (pos.flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params{{newRect, oldRect, oldClient}, &pos};
        SendMessageA(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        if (!Find(hwnd))
            return FALSE;
        newClient = params.rgrc[0];
    }
    if (Width(newClient) == Width(oldClient) && Height(newClient) == Height(oldClient))
        pos.flags |= SWP_NOCLIENTSIZE;
    if (newClient.left == oldClient.left && newClient.top == oldClient.top)
        pos.flags |= SWP_NOCLIENTMOVE;

    window->Rect = newRect;
    window->Client = newClient;
    if (zTarget >= 0)
        MoveInZOrder(parent->Children, hwnd, zTarget);
    // The topmost band follows the request even for a window already first in z order.
    if (!(flags & SWP_NOZORDER) && pos.hwndInsertAfter == HWND_TOPMOST)
        window->ExStyle |= WS_EX_TOPMOST;
    else if (!(flags & SWP_NOZORDER) && pos.hwndInsertAfter == HWND_NOTOPMOST)
        window->ExStyle &= ~WS_EX_TOPMOST;
    if (pos.flags & SWP_SHOWWINDOW)
        window->Style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW)
        window->Style &= ~WS_VISIBLE;

    if (!(pos.flags & SWP_NOREDRAW))
        RedrawAfterChange(*window, parent, oldRect, oldClient, pos.flags, wasVisible);
    if (!Find(hwnd))
        return TRUE;

    if (!(pos.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && (window->Style & WS_VISIBLE)) {
        if ((window->Style & (WS_CHILD | WS_POPUP)) == WS_CHILD)
            SendMessageA(hwnd, WM_CHILDACTIVATE, 0, 0);
        else
            SetActiveWindow(hwnd);
        if (!Find(hwnd))
            return TRUE;
    }
    if ((pos.flags & StatusFlags) != NoPositionChange) {
        pos.x = window->Rect.left;
        pos.y = window->Rect.top;
        pos.cx = Width(window->Rect);
        pos.cy = Height(window->Rect);
        SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    }
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command) {
    Window *window = Find(hwnd);
    if (!window || !window->Parent) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const bool wasVisible = (window->Style & WS_VISIBLE) != 0;
    const bool child = (window->Style & WS_CHILD) != 0;
    const bool show = command != SW_HIDE;
    UINT swp = SWP_NOSIZE | SWP_NOMOVE;
    RECT target = window->Rect;
    bool stateChange = false;

    switch (command) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        swp |= SWP_HIDEWINDOW;
        if (hwnd != CurrentInput().Active)
            swp |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    case SW_SHOWMINNOACTIVE:
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        swp |= SWP_SHOWWINDOW | SWP_NOACTIVATE;
        if (!(window->Style & WS_MINIMIZE)) {
            if (!(window->Style & WS_MAXIMIZE))
                window->RestoreRect = window->Rect;
            window->Style = (window->Style | WS_MINIMIZE) & ~WS_MAXIMIZE;
            target = child ? RECT{0, 0, 160, 28} : RECT{-32000, -32000, -32000 + 160, -32000 + 28};
            stateChange = true;
        }
        break;
    case SW_SHOWMAXIMIZED:
        swp |= SWP_SHOWWINDOW;
        if (!(window->Style & WS_MAXIMIZE)) {
            if (!(window->Style & WS_MINIMIZE))
                window->RestoreRect = window->Rect;
            window->Style = (window->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
            const MINMAXINFO info = MinMaxInfo(hwnd);
            target = {info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
                      info.ptMaxPosition.y + info.ptMaxSize.y};
            stateChange = true;
        }
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        swp |= SWP_NOACTIVATE | SWP_NOZORDER;
        [[fallthrough]];
    case SW_SHOW:
        if (wasVisible)
            return TRUE;
        swp |= SWP_SHOWWINDOW;
        break;
    default: // SW_SHOWNORMAL, SW_RESTORE
        swp |= SWP_SHOWWINDOW;
        if (window->Style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            window->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            target = window->RestoreRect;
            stateChange = true;
        }
        break;
    }
    if (stateChange) {
        swp = (swp & ~(SWP_NOSIZE | SWP_NOMOVE)) | SWP_FRAMECHANGED | SWP_STATECHANGED;
    }
    if (child && command != SW_SHOWMAXIMIZED)
        swp |= SWP_NOACTIVATE | SWP_NOZORDER;

    if (show != wasVisible || command == SW_SHOWNA) {
        SendMessageA(hwnd, WM_SHOWWINDOW, show, 0);
        if (!Find(hwnd))
            return wasVisible;
    }
    const Window *parent = Find(window->Parent);
    if (parent && parent->Parent && !IsShown(*parent) && !stateChange) {
        // A child of a hidden window only changes its style.
        if (show)
            window->Style |= WS_VISIBLE;
        else
            window->Style &= ~WS_VISIBLE;
    } else {
        SetWindowPos(hwnd, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top,
                     swp);
    }
    if (!show && Find(hwnd)) {
        if (hwnd == CurrentInput().Active)
            ActivateOtherWindow(hwnd);
        const HWND focus = GetFocus();
        if (focus && (focus == hwnd || IsChild(hwnd, focus))) {
            const HWND up = GetAncestor(hwnd, GA_PARENT);
            SetFocus(up == GetDesktopWindow() ? nullptr : up);
        }
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
    const Window *window = Find(hwnd);
    return window && IsShown(*window);
}

BOOL IsIconic(HWND hwnd) {
    const Window *window = Find(hwnd);
    return window && (window->Style & WS_MINIMIZE);
}
