// Default message processing, as far as the toolkit and the system classes rely on it.
#include "headless/WindowTable.h"

#include <algorithm>
#include <cstring>

namespace headless {
namespace {

LRESULT GetText(const Window &window, WPARAM size, LPARAM lParam) {
    auto *buffer = reinterpret_cast<char *>(lParam);
    if (!buffer || size == 0)
        return 0;
    const std::size_t length = std::min<std::size_t>(size - 1, window.Text.size());
    std::memcpy(buffer, window.Text.data(), length);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
}

void CalculateClient(const Window &window, RECT &rect) {
    const RECT m = NonClientMargins(window.Style, window.ExStyle);
    rect.left += m.left;
    rect.top += m.top;
    rect.right -= m.right;
    rect.bottom -= m.bottom;
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
}

void SizeMessages(HWND hwnd, const WINDOWPOS &pos) {
    const Window *window = Find(hwnd);
    if (!window)
        return;
    const RECT c = window->Client;
    if (!(pos.flags & SWP_NOCLIENTMOVE))
        SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(c.left), static_cast<WORD>(c.top)));
    if ((!(pos.flags & SWP_NOCLIENTSIZE) || (pos.flags & SWP_STATECHANGED)) && (window = Find(hwnd))) {
        const WPARAM kind = (window->Style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                            : (window->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                            : SIZE_RESTORED;
        const RECT now = window->Client;
        SendMessageA(hwnd, WM_SIZE, kind,
                     MAKELPARAM(static_cast<WORD>(now.right - now.left), static_cast<WORD>(now.bottom - now.top)));
    }
}

// As the class names it: a brush, or a system colour index + 1, which FillRect takes as it is.
HBRUSH ClassBrush(const Window &window) { return window.Class ? window.Class->Info.hbrBackground : nullptr; }

LRESULT ControlColor(UINT message, WPARAM wParam) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
}

} // namespace
} // namespace headless

using namespace headless;

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *window = Find(hwnd);
    if (!window)
        return 0;
    switch (message) {
    case WM_NCCREATE: {
        const auto *create = reinterpret_cast<const CREATESTRUCTA *>(lParam);
        if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName))
            window->Text = create->lpszName;
        return TRUE;
    }
    case WM_NCCALCSIZE:
        if (lParam)
            CalculateClient(*window, wParam ? reinterpret_cast<NCCALCSIZE_PARAMS *>(lParam)->rgrc[0]
                                            : *reinterpret_cast<RECT *>(lParam));
        return 0;
    case WM_SETTEXT:
        window->Text = lParam ? reinterpret_cast<const char *>(lParam) : "";
        return TRUE;
    case WM_GETTEXT:
        return GetText(*window, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->Text.size());
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    case WM_WINDOWPOSCHANGING: {
        auto *pos = reinterpret_cast<WINDOWPOS *>(lParam);
        if (pos && !(pos->flags & SWP_NOSIZE))
            ClampToTrackingSize(hwnd, pos->cx, pos->cy);
        return 0;
    }
    case WM_WINDOWPOSCHANGED:
        if (lParam)
            SizeMessages(hwnd, *reinterpret_cast<const WINDOWPOS *>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd))
            SetFocus(hwnd);
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    case WM_MOUSEACTIVATE:
        return 1; // MA_ACTIVATE
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SETCURSOR:
        if (window->Style & WS_CHILD)
            if (SendMessageA(window->Parent, WM_SETCURSOR, wParam, lParam))
                return TRUE;
        if (LOWORD(lParam) == HTCLIENT && window->Class && window->Class->Info.hCursor) {
            SetCursor(window->Class->Info.hCursor);
            return TRUE;
        }
        return FALSE;
    case WM_MOUSEWHEEL:
        if (window->Style & WS_CHILD)
            return SendMessageA(window->Parent, message, wParam, lParam);
        return 0;
    case WM_ERASEBKGND:
        if (const HBRUSH brush = ClassBrush(*window)) {
            RECT area;
            GetClientRect(hwnd, &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
            return 1;
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_CANCELMODE:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_SETICON: {
        const int which = wParam == ICON_BIG ? 1 : 0;
        const HICON previous = window->Icons[which];
        window->Icons[which] = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(window->Icons[wParam == ICON_BIG ? 1 : 0]);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return ControlColor(message, wParam);
    default:
        return 0;
    }
}
