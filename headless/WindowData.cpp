// A window's data: rectangles and coordinate mapping, window longs, text and the enabled state.
#include "headless/WindowTable.h"

#include <algorithm>
#include <cstring>

namespace headless {
namespace {

struct StyleChange {
    DWORD styleOld;
    DWORD styleNew;
};

LONG_PTR SetStyle(Window &window, int index, DWORD value) {
    DWORD &field = index == GWL_STYLE ? window.Style : window.ExStyle;
    if (index == GWL_EXSTYLE)
        value = FixExStyle(window.Style, value);
    StyleChange change{field, value};
    SendMessageA(window.Handle, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    if (!window.Alive)
        return 0;
    value = change.styleNew;
    if (index == GWL_STYLE) {
        // Top-level windows always clip their siblings, and a minimised window stays so.
        if (window.Parent == WindowTable::Instance().Desktop().Handle)
            value |= WS_CLIPSIBLINGS;
        value |= window.Style & WS_MINIMIZE;
    }
    const DWORD previous = field;
    field = value;
    if (index == GWL_STYLE && !(previous & WS_VISIBLE) && (value & WS_VISIBLE))
        Invalidate(window, nullptr, true);
    change = {previous, value};
    SendMessageA(window.Handle, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    return static_cast<LONG_PTR>(static_cast<LONG>(previous));
}

LONG_PTR ReadExtra(const Window &window, int index, std::size_t size) {
    if (index < 0 || static_cast<std::size_t>(index) + size > window.Extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (size == sizeof(LONG)) {
        LONG value;
        std::memcpy(&value, window.Extra.data() + index, sizeof value);
        return value;
    }
    LONG_PTR value;
    std::memcpy(&value, window.Extra.data() + index, sizeof value);
    return value;
}

LONG_PTR WriteExtra(Window &window, int index, LONG_PTR value, std::size_t size) {
    const LONG_PTR previous = ReadExtra(window, index, size);
    if (index < 0 || static_cast<std::size_t>(index) + size > window.Extra.size())
        return 0;
    if (size == sizeof(LONG)) {
        const auto narrow = static_cast<LONG>(value);
        std::memcpy(window.Extra.data() + index, &narrow, sizeof narrow);
    } else {
        std::memcpy(window.Extra.data() + index, &value, sizeof value);
    }
    return previous;
}

LONG_PTR GetLong(HWND hwnd, int index, std::size_t size) {
    const Window *window = Find(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG>(window->Style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(window->ExStyle);
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->Proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->Instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>((window->Style & WS_CHILD) ? window->Parent : window->Owner);
    case GWLP_ID:
        return window->Id;
    case GWLP_USERDATA:
        return window->UserData;
    default:
        return ReadExtra(*window, index, size);
    }
}

LONG_PTR SetLong(HWND hwnd, int index, LONG_PTR value, std::size_t size) {
    Window *window = Find(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LONG_PTR previous = 0;
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE:
        return SetStyle(*window, index, static_cast<DWORD>(value));
    case GWLP_WNDPROC:
        previous = reinterpret_cast<LONG_PTR>(window->Proc);
        window->Proc = reinterpret_cast<WNDPROC>(value);
        return previous;
    case GWLP_HINSTANCE:
        previous = reinterpret_cast<LONG_PTR>(window->Instance);
        window->Instance = reinterpret_cast<HINSTANCE>(value);
        return previous;
    case GWLP_HWNDPARENT:
        previous = reinterpret_cast<LONG_PTR>(window->Owner);
        if (!(window->Style & WS_CHILD))
            window->Owner = reinterpret_cast<HWND>(value);
        return previous;
    case GWLP_ID:
        previous = window->Id;
        window->Id = value;
        return previous;
    case GWLP_USERDATA:
        previous = window->UserData;
        window->UserData = value;
        return previous;
    default:
        return WriteExtra(*window, index, value, size);
    }
}

} // namespace
} // namespace headless

using namespace headless;

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    const Window *window = Find(hwnd);
    if (!window || !rect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = ScreenWindowRect(*window);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    const Window *window = Find(hwnd);
    if (!window || !rect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = ClientRectOf(*window);
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT origin{0, 0};
    if (from) {
        const Window *window = Find(from);
        if (!window)
            return 0;
        const POINT o = ClientOrigin(*window);
        origin.x += o.x;
        origin.y += o.y;
    }
    if (to) {
        const Window *window = Find(to);
        if (!window)
            return 0;
        const POINT o = ClientOrigin(*window);
        origin.x -= o.x;
        origin.y -= o.y;
    }
    for (UINT i = 0; i < count; ++i) {
        points[i].x += origin.x;
        points[i].y += origin.y;
    }
    return static_cast<int>(MAKELONG(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    if (!Find(hwnd) || !point)
        return FALSE;
    MapWindowPoints(hwnd, nullptr, point, 1);
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    if (!Find(hwnd) || !point)
        return FALSE;
    MapWindowPoints(nullptr, hwnd, point, 1);
    return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect)
        return FALSE;
    const RECT m = NonClientMargins(style, exStyle, false);
    rect->left -= m.left;
    rect->top -= m.top + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rect->right += m.right;
    rect->bottom += m.bottom;
    return TRUE;
}

LONG GetWindowLongA(HWND hwnd, int index) { return static_cast<LONG>(GetLong(hwnd, index, sizeof(LONG))); }
LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    return static_cast<LONG>(SetLong(hwnd, index, value, sizeof(LONG)));
}
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) { return GetLong(hwnd, index, sizeof(LONG_PTR)); }
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    return SetLong(hwnd, index, value, sizeof(LONG_PTR));
}

int GetWindowTextA(HWND hwnd, LPSTR text, int size) {
    if (!text || size <= 0)
        return 0;
    text[0] = '\0';
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND hwnd) { return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    return static_cast<BOOL>(SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

BOOL IsWindowEnabled(HWND hwnd) {
    const Window *window = Find(hwnd);
    return window && !(window->Style & WS_DISABLED);
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window *window = Find(hwnd);
    if (!window)
        return FALSE;
    const bool wasDisabled = (window->Style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        window->Style &= ~WS_DISABLED;
        SendMessageA(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        SendMessageA(hwnd, WM_CANCELMODE, 0, 0);
        if (!Find(hwnd))
            return FALSE;
        window->Style |= WS_DISABLED;
        // A disabled window can hold neither the focus nor the capture.
        if (hwnd == GetFocus())
            SetFocus(nullptr);
        if (hwnd == GetCapture())
            ReleaseCapture();
        SendMessageA(hwnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}
