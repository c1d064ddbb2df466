// Scrolling by the scroll bars and the mouse wheel, and bringing a column or row into view.
#include "grid/GridInternals.h"
#include "toolkit/objects/RectHelpers.h"

namespace {

constexpr int NotchDelta = 120;

// The message carries only the low 16 bits of the thumb; the track position has all of them, but it follows the
// thumb only while the user drags it. It is taken when it agrees with the message.
std::int32_t ThumbPosition(HWND window, int bar, WORD thumb) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    if (GetScrollInfo(window, bar, &info) && LOWORD(static_cast<DWORD>(info.nTrackPos)) == thumb)
        return info.nTrackPos;
    return thumb;
}

} // namespace

void MakeColVisible(XLGrid *grid, std::int32_t col) {
    const XLGridData &data = *grid->Data;
    const std::int32_t visible = VisibleColCount(grid);
    if (data.LeftCol <= col && col <= data.LeftCol + visible - 1)
        return;
    SetLeftCol(grid, IntMax(0, IntMin(col, data.ColCount - visible)));
}

void MakeRowVisible(XLGrid *grid, std::int32_t row) {
    const XLGridData &data = *grid->Data;
    const std::int32_t visible = VisibleRowCount(grid);
    if (data.TopRow <= row && row <= data.TopRow + visible - 1)
        return;
    SetTopRow(grid, IntMax(0, IntMin(row, data.RowCount - visible)));
}

std::int32_t ApplyScrollRequest(WORD code, std::int32_t thumb, std::int32_t count, std::int32_t first,
                                std::int32_t visible) {
    const std::int32_t last = count - visible;
    switch (code) {
    case SB_LINEUP:
        return IntMax(0, first - 1);
    case SB_LINEDOWN:
        return IntMax(0, IntMin(last, first + 1));
    case SB_PAGEUP:
        return IntMax(0, first - visible + 1);
    case SB_PAGEDOWN:
        return IntMax(0, IntMin(last, first + visible - 1));
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return IntMax(0, IntMin(last, thumb));
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return IntMax(0, last);
    default:
        return first;
    }
}

void HandleGridScroll(XLGrid *grid, bool vertical, WPARAM wParam) {
    XLGridData &data = *grid->Data;
    const UpdateBracket bracket(grid);
    const WORD code = LOWORD(wParam);
    const std::int32_t thumb =
        grid->Handle ? ThumbPosition(grid->Handle, vertical ? SB_VERT : SB_HORZ, HIWORD(wParam)) : HIWORD(wParam);
    if (vertical)
        data.TopRow = ApplyScrollRequest(code, thumb, data.RowCount, data.TopRow, VisibleRowCount(grid));
    else
        data.LeftCol = ApplyScrollRequest(code, thumb, data.ColCount, data.LeftCol, VisibleColCount(grid));
    UpdateScrollBars(grid);
}

void HandleGridWheel(XLGrid *grid, WPARAM wParam) {
    if (!EndEdit(grid, true, false))
        return;
    XLGridData &data = *grid->Data;
    const UpdateBracket bracket(grid);
    // Division truncates towards zero: part of a notch scrolls nothing and is not kept.
    const std::int32_t notches = static_cast<SHORT>(HIWORD(wParam)) / NotchDelta;
    const std::int32_t visible = VisibleRowCount(grid);
    const std::int32_t step = (LOWORD(wParam) & MK_CONTROL) ? notches * (visible - 1) : notches;
    SetTopRow(grid, IntMax(0, IntMin(data.RowCount - visible, IntMax(0, data.TopRow - step))));
    UpdateScrollBars(grid);
}
