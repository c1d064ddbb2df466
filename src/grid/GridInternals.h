// Shared between the grid's files; not for the grid's users.
#pragma once

#include "grid/XLGrid.h"
#include "toolkit/objects/PtrList.h"

// Invalidates the whole window, its scroll bars included.
void RequestRepaint(XLGrid *grid);

void DestroyCell(XLCell *cell);

// The position of the cell that covers (col, row): the position itself unless it lies inside a merged block.
// (-1, -1) outside the grid.
CellPosition CoveringPosition(const XLGrid *grid, std::int32_t col, std::int32_t row);

// Closes an open edit without reading it; for the grid's teardown, after EndEdit, which leaves an edit open while
// the focus is in another part of a compound editor.
void DropEdit(XLGrid *grid);

// Makes the grid font (tag 0) and the title font (tag 1) report their changes to the grid.
void FollowFonts(XLGrid *grid);
void ReleaseCellFont(XLCell *cell);

// The list work of the count setters: titles, sizes, then the cells.
void ResizeColumns(XLGrid *grid, std::int32_t n);
void ResizeRows(XLGrid *grid, std::int32_t n);

// The row's entry for (col, row), the cell made or not; null outside the grid.
void **EntryAt(const XLGrid *grid, std::int32_t col, std::int32_t row);
// The cell at (col, row) if it is made; null for one nobody has reached yet, which still has every default, and
// outside the grid. For whoever only needs what a cell changed from its defaults: it makes no cell.
XLCell *MadeCell(const XLGrid *grid, std::int32_t col, std::int32_t row);

// The block a cell covers, from (col, row) over its spans; one not made yet covers itself alone.
GridBlock CoveredBlock(const XLGrid *grid, std::int32_t col, std::int32_t row);

// Calls visit(cell) for every made cell, rows first to last and within a row columns first to last.
template <class Visit> void ForEachMadeCell(const XLGrid *grid, Visit visit) {
    const PtrList *rows = grid->Data->Rows;
    for (std::int32_t r = 0; r < rows->Count; ++r) {
        const auto *row = static_cast<const PtrList *>(rows->Items[r]);
        for (std::int32_t c = 0; row && c < row->Count; ++c)
            if (CellStore::IsMade(row->Items[c]))
                visit(static_cast<XLCell *>(row->Items[c]));
    }
}

// Like ColAtX and RowAtY, except that a point past the last column (row) lies on no title: -1.
std::int32_t TitleColAtX(const XLGrid *grid, std::int32_t x);
std::int32_t TitleRowAtY(const XLGrid *grid, std::int32_t y);

// The resize cursor over a column border, and the control's own cursor back.
void ShowResizeCursor(XLGrid *grid);
void RestoreCursor(XLGrid *grid);

// The grid's input, from its message procedure.
void HandleGridKey(XLGrid *grid, WPARAM key);
void HandleGridScroll(XLGrid *grid, bool vertical, WPARAM wParam);
void HandleGridWheel(XLGrid *grid, WPARAM wParam);
void HandleGridButtonDown(XLGrid *grid, WPARAM wParam, LPARAM lParam);
void HandleGridMouseMove(XLGrid *grid, LPARAM lParam);
void HandleGridButtonUp(XLGrid *grid, LPARAM lParam);
void HandleGridDoubleClick(XLGrid *grid, LPARAM lParam);
void HandleGridCaptureLost(XLGrid *grid, HWND taker);
// After a count change: a drag, resize or pressed title that started where no cell is any more (all of them, when
// the grid is empty) ends, so the next mouse move cannot select from a cell that does not exist.
void EndMouseActionOutsideGrid(XLGrid *grid);
