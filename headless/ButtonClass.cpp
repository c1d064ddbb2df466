// The system "BUTTON" class, push buttons only: pressing with the mouse or the space bar, the click, focus and
// double-click notifications to the parent, and the pushed state.
#include "headless/SystemClasses.h"

namespace headless {
namespace {

// Window extra bytes: the state at 0 (BST_ bits plus Pressed while the mouse or key holds the button), the font
// at 8.
constexpr LONG Pressed = 0x4000;
constexpr int StateOffset = 0;
constexpr int FontOffset = 8;

LONG State(HWND hwnd) { return GetWindowLongA(hwnd, StateOffset); }
void SetState(HWND hwnd, LONG state) { SetWindowLongA(hwnd, StateOffset, state); }

bool Notifies(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & BS_NOTIFY) != 0; }

void Press(HWND hwnd) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    SetState(hwnd, State(hwnd) | Pressed);
    SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
}

// Ends a press; clicks when the release happens over the button.
void Release(HWND hwnd, bool inside) {
    const LONG state = State(hwnd);
    if (!(state & Pressed))
        return;
    SetState(hwnd, state & ~Pressed);
    SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
    ReleaseCapture();
    if (inside)
        NotifyParent(hwnd, BN_CLICKED);
}

} // namespace

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_LBUTTONDBLCLK:
        if (Notifies(hwnd)) {
            NotifyParent(hwnd, BN_DOUBLECLICKED);
            return 0;
        }
        Press(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        Press(hwnd);
        return 0;
    case WM_LBUTTONUP: {
        RECT client;
        GetClientRect(hwnd, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        Release(hwnd, at.x >= client.left && at.x < client.right && at.y >= client.top && at.y < client.bottom);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !(State(hwnd) & Pressed)) {
            SetState(hwnd, State(hwnd) | Pressed);
            SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            Release(hwnd, true);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd && (State(hwnd) & Pressed)) {
            SetState(hwnd, State(hwnd) & ~Pressed);
            SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
        }
        return 0;
    case WM_SETFOCUS:
        SetState(hwnd, State(hwnd) | static_cast<LONG>(BST_FOCUS));
        InvalidateRect(hwnd, nullptr, FALSE);
        if (Notifies(hwnd))
            NotifyParent(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        SetState(hwnd, State(hwnd) & ~static_cast<LONG>(BST_FOCUS));
        if ((State(hwnd) & Pressed) && GetCapture() == hwnd)
            ReleaseCapture();
        InvalidateRect(hwnd, nullptr, FALSE);
        if (Notifies(hwnd))
            NotifyParent(hwnd, BN_KILLFOCUS);
        return 0;
    case BM_SETSTATE: {
        const LONG state = State(hwnd);
        const LONG changed = wParam ? state | static_cast<LONG>(BST_PUSHED) : state & ~static_cast<LONG>(BST_PUSHED);
        if (changed != state) {
            SetState(hwnd, changed);
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    }
    case BM_GETSTATE:
        return State(hwnd) & (BST_PUSHED | BST_FOCUS);
    case BM_CLICK:
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case WM_SETFONT:
        SetWindowLongPtrA(hwnd, FontOffset, static_cast<LONG_PTR>(wParam));
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(hwnd, FontOffset);
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_ERASEBKGND:
        return 1; // the button paints all of itself
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace headless
