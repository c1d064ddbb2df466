// The resize cursor shown over a column border in place of the control's own.
#include "grid/GridInternals.h"

void ShowResizeCursor(XLGrid *grid) {
    XLGridData &data = *grid->Data;
    if (!data.CursorSwapped)
        data.SavedCursor = grid->Cursor;
    grid->SetCursor(data.ResizeCursor);
    data.CursorSwapped = true;
}

void RestoreCursor(XLGrid *grid) {
    XLGridData &data = *grid->Data;
    if (!data.CursorSwapped)
        return;
    grid->SetCursor(data.SavedCursor);
    data.CursorSwapped = false;
}
