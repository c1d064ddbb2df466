// The grid's message procedure: the grid's own work on each message, before the control's default processing.
#include "grid/GridInternals.h"

bool HandleGridMessage(Control *control, WindowMessage &message, LRESULT &) {
    auto *grid = static_cast<XLGrid *>(control);
    if (!grid->Data)
        return false;
    switch (message.Msg) {
    case WM_PAINT:
        // Whoever paints validates the window: the next change must invalidate it again.
        grid->Data->RepaintPending = false;
        break;
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
