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
    default:
        break;
    }
    return false;
}
