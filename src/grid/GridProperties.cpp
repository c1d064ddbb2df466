// The grid's properties: counts, column titles, options, selection style and the current cell.
#include <algorithm>
#include <exception>

#include "grid/GridInternals.h"
#include "toolkit/objects/RectHelpers.h"
#include "toolkit/objects/StringList.h"

namespace {

// A count lowered to 0 clamps one pair of the selection to -1 and leaves the other; what is left of such a block
// is no block.
void DropBrokenSelection(GridBlock &s) {
    if (s.Left < 0 || s.Top < 0 || s.Right < 0 || s.Bottom < 0)
        s = {};
}

void ClampCols(XLGridData &data, std::uint16_t n) {
    data.CurCol = IntMin(data.CurCol, n - 1);
    data.ColCount = n;
    data.Selection.Left = IntMin(data.Selection.Left, n - 1);
    data.Selection.Right = IntMin(data.Selection.Right, n - 1);
    DropBrokenSelection(data.Selection);
}

void ClampRows(XLGridData &data, std::uint16_t n) {
    data.RowCount = n;
    data.CurRow = IntMin(data.CurRow, n - 1);
    data.Selection.Top = IntMin(data.Selection.Top, n - 1);
    data.Selection.Bottom = IntMin(data.Selection.Bottom, n - 1);
    DropBrokenSelection(data.Selection);
}

} // namespace

void SetColCount(XLGrid *grid, std::uint16_t n) {
    XLGridData &data = *grid->Data;
    std::exception_ptr failure;
    {
        const UpdateBracket bracket(grid);
        const std::uint16_t was = data.ColCount;
        try {
            ResizeColumns(grid, n);
            ClampCols(data, n);
        } catch (...) {
            // Rows widened part of the way cannot stand: every row goes back to the old width, which only frees.
            const auto kept = static_cast<std::uint16_t>(IntMin(was, n));
            ResizeColumns(grid, kept);
            ClampCols(data, kept);
            failure = std::current_exception();
        }
    }
    EndMouseActionOutsideGrid(grid);
    UpdateScrollBars(grid);
    if (failure)
        std::rethrow_exception(failure);
}

void SetRowCount(XLGrid *grid, std::uint16_t n) {
    XLGridData &data = *grid->Data;
    std::exception_ptr failure;
    {
        const UpdateBracket bracket(grid);
        try {
            ResizeRows(grid, n);
            ClampRows(data, n);
        } catch (...) {
            // Rows are made whole one by one: the grid keeps those made, and the per-row lists follow them.
            const auto made = static_cast<std::uint16_t>(IntMin(data.Rows->Count, n));
            ResizeRows(grid, made);
            ClampRows(data, made);
            failure = std::current_exception();
        }
    }
    EndMouseActionOutsideGrid(grid);
    UpdateScrollBars(grid);
    if (failure)
        std::rethrow_exception(failure);
}

std::uint16_t ColCount(const XLGrid *grid) { return grid->Data->ColCount; }

std::uint16_t RowCount(const XLGrid *grid) { return grid->Data->RowCount; }

void SetColTitles(XLGrid *grid, std::span<const std::string> titles) {
    const UpdateBracket bracket(grid);
    StringList *colTitles = grid->Data->ColTitles;
    const std::size_t n = std::min(static_cast<std::size_t>(colTitles->Count), titles.size());
    for (std::size_t i = 0; i < n; ++i)
        colTitles->Put(static_cast<std::int32_t>(i), titles[i]);
}

void SetOptions(XLGrid *grid, GridOptions options) {
    XLGridData &data = *grid->Data;
    const UpdateBracket bracket(grid);
    if (!(options & GridOption::RangeSelect)) {
        data.State &= static_cast<GridState>(~GridStateFlag::AllSelected);
        MarkAllCells(grid, false);
        SetCurrentCell(grid, data.CurCol, data.CurRow);
    }
    data.Options = options;
}

void SetSelectionStyle(XLGrid *grid, std::uint8_t style) {
    const UpdateBracket bracket(grid);
    grid->Data->SelectionStyle = style;
}

CellPosition GetCurrentCell(const XLGrid *grid) { return {grid->Data->CurCol, grid->Data->CurRow}; }

void SetCurrentCell(XLGrid *grid, std::int32_t col, std::int32_t row) {
    XLGridData &data = *grid->Data;
    if (data.ColCount == 0 || data.RowCount == 0)
        return;
    const UpdateBracket bracket(grid);
    data.OnCellChanging(grid, data.CurCol, data.CurRow, col, row);
    EndEdit(grid, true, false);
    // The handlers may have changed the counts.
    if (data.ColCount == 0 || data.RowCount == 0)
        return;
    row = IntMin(data.RowCount - 1, IntMax(0, row));
    col = IntMin(data.ColCount - 1, IntMax(0, col));
    data.CurCol = col;
    data.CurRow = row;
    while (data.CurRow > data.TopRow + VisibleRowCount(grid) - 1)
        SetTopRow(grid, data.TopRow + 1);
    while (data.CurCol > data.LeftCol + VisibleColCount(grid) - 1)
        SetLeftCol(grid, data.LeftCol + 1);
    if (data.CurCol < data.LeftCol)
        SetLeftCol(grid, data.LeftCol - 1);
    if (data.CurRow < data.TopRow)
        SetTopRow(grid, data.TopRow - 1);
    if (const CellPosition covering = CoveringPosition(grid, data.CurCol, data.CurRow);
        Cell(grid, covering.Col, covering.Row)) {
        data.CurCol = covering.Col;
        data.CurRow = covering.Row;
    }
    if (data.Options & GridOption::SelectCurrent)
        SetSelection(grid, CoveredBlock(grid, data.CurCol, data.CurRow));
    if (data.TopRow > row)
        SetTopRow(grid, row);
    if (data.LeftCol > col)
        SetLeftCol(grid, col);
    data.OnSelectionChanged(grid, data.Selection);
    data.OnCellChanged(grid, data.CurCol, data.CurRow);
}
