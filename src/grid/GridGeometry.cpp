// Where cells lie in the grid window, how many fit, the first shown row and column, and the scroll bars that
// mirror them. The cell area starts right of the title column and below the title row; only it scrolls.
#include "grid/GridInternals.h"
#include "toolkit/objects/RectHelpers.h"

namespace {

using SizeOf = std::int32_t (*)(const XLGrid *, std::int32_t);

// The sizes of the lines from .. to - 1; lines outside the grid count as 0, so the walk stops at its edge.
std::int32_t SumSizes(const XLGrid *grid, SizeOf size, std::int32_t count, std::int32_t from, std::int32_t to) {
    std::int32_t sum = 0;
    for (std::int32_t i = IntMax(0, from); i < IntMin(to, count); ++i)
        sum += size(grid, i);
    return sum;
}

// Where line index starts relative to the first shown line: negative for lines before it.
std::int32_t Offset(const XLGrid *grid, SizeOf size, std::int32_t count, std::int32_t first, std::int32_t index) {
    if (first <= index)
        return SumSizes(grid, size, count, first, index);
    return -SumSizes(grid, size, count, index, first);
}

// How many lines from first fit entirely into extent, starting at start; at least 1.
std::int32_t FittingLines(const XLGrid *grid, SizeOf size, std::int32_t count, std::int32_t first, std::int32_t start,
                          std::int32_t extent) {
    std::int32_t edge = start;
    std::int32_t i = first;
    while (i < count) {
        const std::int32_t next = edge + size(grid, i);
        if (next >= extent)
            break;
        edge = next;
        ++i;
    }
    return IntMax(1, i - first);
}

void SetScrollBar(HWND window, int bar, std::int32_t count, std::int32_t page, std::int32_t position) {
    static_assert(sizeof(SCROLLINFO) == 28);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = count - 1;
    info.nPage = static_cast<UINT>(page);
    info.nPos = position;
    // Drawn with the frame at the next paint (RequestRepaint): drawing a bar at once costs milliseconds under
    // Wine, and the count setters set both bars for every row the query runner adds.
    SetScrollInfo(window, bar, &info, FALSE);
}

} // namespace

RECT CellRect(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    const XLGridData &data = *grid->Data;
    RECT rect = MakeRect(data.RowTitleWidth, data.ColTitleHeight, data.RowTitleWidth, data.ColTitleHeight);
    const XLCell *cell = Cell(grid, col, row);
    if (!cell)
        return rect;
    rect.top += Offset(grid, &RowHeight, data.RowCount, data.TopRow, row);
    rect.left += Offset(grid, &ColWidth, data.ColCount, data.LeftCol, col);
    rect.bottom = rect.top + SumSizes(grid, &RowHeight, data.RowCount, row, row + cell->RowSpan + 1);
    rect.right = rect.left + SumSizes(grid, &ColWidth, data.ColCount, col, col + cell->ColSpan + 1);
    return rect;
}

std::int32_t VisibleColCount(XLGrid *grid) {
    const XLGridData &data = *grid->Data;
    return FittingLines(grid, &ColWidth, data.ColCount, data.LeftCol, data.RowTitleWidth, grid->ClientWidth());
}

std::int32_t VisibleRowCount(XLGrid *grid) {
    const XLGridData &data = *grid->Data;
    return FittingLines(grid, &RowHeight, data.RowCount, data.TopRow, data.ColTitleHeight, grid->ClientHeight());
}

std::int32_t TopRow(const XLGrid *grid) { return grid->Data->TopRow; }

std::int32_t LeftCol(const XLGrid *grid) { return grid->Data->LeftCol; }

void SetTopRow(XLGrid *grid, std::int32_t row) {
    const UpdateBracket bracket(grid);
    grid->Data->TopRow = row;
    UpdateScrollBars(grid);
}

void SetLeftCol(XLGrid *grid, std::int32_t col) {
    const UpdateBracket bracket(grid);
    grid->Data->LeftCol = col;
    UpdateScrollBars(grid);
}

void UpdateScrollBars(XLGrid *grid) {
    EndEdit(grid, true, true);
    const XLGridData &data = *grid->Data;
    if (!grid->Handle)
        return;
    SetScrollBar(grid->Handle, SB_VERT, data.RowCount, VisibleRowCount(grid), data.TopRow);
    SetScrollBar(grid->Handle, SB_HORZ, data.ColCount, VisibleColCount(grid), data.LeftCol);
    if (grid->UpdateCount == 0)
        RequestRepaint(grid);
}
