// The grid's message procedure: the grid's own work on each message, before the control's default processing.
#include "grid/GridInternals.h"

bool HandleGridMessage(Control *control, WindowMessage &message, LRESULT &result) {
    auto *grid = static_cast<XLGrid *>(control);
    if (!grid->Data)
        return false;
    switch (message.Msg) {
    case WM_PAINT: {
        // While an update bracket is open the default processing takes it; the bracket's close repaints.
        if (grid->UpdateCount > 0)
            break;
        if (message.WParam) {
            PaintGrid(grid, reinterpret_cast<HDC>(message.WParam));
        } else {
            // Ended even when the paint fails, so the window is validated and its DC released.
            struct Painting {
                HWND Window;
                PAINTSTRUCT Paint{};
                HDC Dc = BeginPaint(Window, &Paint);
                ~Painting() { EndPaint(Window, &Paint); }
            } painting{message.Hwnd};
            if (painting.Dc)
                PaintGrid(grid, painting.Dc);
        }
        result = 0;
        return true;
    }
    case WM_SIZE:
        // The visible counts follow the client size.
        UpdateScrollBars(grid);
        break;
    case WM_KEYDOWN:
        HandleGridKey(grid, message.WParam);
        break;
    case WM_VSCROLL:
    case WM_HSCROLL:
        HandleGridScroll(grid, message.Msg == WM_VSCROLL, message.WParam);
        break;
    case WM_MOUSEWHEEL:
        HandleGridWheel(grid, message.WParam);
        break;
    case WM_LBUTTONDOWN:
        HandleGridButtonDown(grid, message.WParam, message.LParam);
        break;
    case WM_MOUSEMOVE:
        HandleGridMouseMove(grid, message.LParam);
        break;
    case WM_LBUTTONUP:
        HandleGridButtonUp(grid, message.LParam);
        break;
    case WM_CAPTURECHANGED:
        HandleGridCaptureLost(grid, reinterpret_cast<HWND>(message.LParam));
        break;
    case WM_LBUTTONDBLCLK:
        HandleGridDoubleClick(grid, message.LParam);
        break;
    default:
        break;
    }
    return false;
}
