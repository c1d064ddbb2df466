// Mouse input: selecting cells by clicking and dragging, the corner title, title drags, titles pressed like
// buttons, column resizing by the title borders, and double click to edit.
#include "grid/GridInternals.h"
#include "toolkit/objects/RectHelpers.h"

namespace {

POINT PointOf(LPARAM lParam) {
    const auto bits = static_cast<DWORD>(lParam);
    return {static_cast<SHORT>(LOWORD(bits)), static_cast<SHORT>(HIWORD(bits))};
}

enum class Area { Corner, RowTitles, ColTitles, Cells };

// The boundary pixels belong to the titles.
Area AreaAt(const XLGridData &data, POINT p) {
    const bool inTitleCol = p.x <= data.RowTitleWidth;
    const bool inTitleRow = p.y <= data.ColTitleHeight;
    if (inTitleCol)
        return inTitleRow ? Area::Corner : Area::RowTitles;
    return inTitleRow ? Area::ColTitles : Area::Cells;
}

// Whole-column and whole-row marks: titles mark nothing, so a title drag only clears the selection and tracks
// its range.
void MarkTitles(XLGrid *, std::int32_t, std::int32_t, bool) {}

void StartDrag(XLGrid *grid) {
    if (grid->Handle)
        SetCapture(grid->Handle);
}

void CellDrag(XLGrid *grid, POINT p) {
    XLGridData &data = *grid->Data;
    auto [c, r] = CellAtPoint(grid, p.x, p.y);
    if (c > data.LeftCol + VisibleColCount(grid) - 1)
        SetLeftCol(grid, c - VisibleColCount(grid) + 1);
    if (r > data.TopRow + VisibleRowCount(grid) - 1) {
        SetTopRow(grid, r - VisibleRowCount(grid) + 1);
        grid->Invalidate();
    }
    if (c < 0) {
        SetLeftCol(grid, IntMax(0, data.LeftCol - 1));
        c = data.LeftCol;
    }
    if (r < 0) {
        SetTopRow(grid, IntMax(0, data.TopRow - 1));
        r = data.TopRow;
    }
    if (data.Options & GridOption::RangeSelect) {
        const GridBlock block{IntMin(data.AnchorCol, c), IntMin(data.AnchorRow, r), IntMax(data.AnchorCol, c),
                              IntMax(data.AnchorRow, r)};
        if (block == data.DragBlock || block == data.Selection)
            return;
        data.DragBlock = block;
        SetSelection(grid, block);
    } else {
        // A covered position moves to its covering cell, which may be current already.
        if (CoveringPosition(grid, c, r) == GetCurrentCell(grid))
            return;
        SetCurrentCell(grid, c, r);
        data.Selection = {data.CurCol, data.CurRow, data.CurCol, data.CurRow};
    }
    grid->Invalidate();
    UpdateScrollBars(grid);
}

// A drag over the column (row) titles; titles beyond the shown ones scroll one line per message.
template <bool IsCol> void TitleDrag(XLGrid *grid, POINT p) {
    XLGridData &data = *grid->Data;
    const std::int32_t first = IsCol ? data.LeftCol : data.TopRow;
    const std::int32_t visible = IsCol ? VisibleColCount(grid) : VisibleRowCount(grid);
    const auto scroll = IsCol ? &SetLeftCol : &SetTopRow;
    std::int32_t at = IsCol ? ColAtX(grid, p.x) : RowAtY(grid, p.y);
    if (at > first + visible - 1)
        scroll(grid, at - visible + 1);
    if (at < 0) {
        scroll(grid, IntMax(0, first - 1));
        at = IsCol ? data.LeftCol : data.TopRow;
    }
    const std::int32_t from = IsCol ? data.ColDragFrom : data.RowDragFrom;
    std::int32_t &to = IsCol ? data.ColDragTo : data.RowDragTo;
    if (at == -1 || at == to)
        return;
    MarkTitles(grid, IntMin(from, to), IntMax(from, to), false);
    to = at;
    MarkTitles(grid, IntMin(from, to), IntMax(from, to), true);
    grid->Invalidate();
    UpdateScrollBars(grid);
}

// The title under p, or -1. A pressed title counts as under the pointer only inside the window and on the title
// itself: released past the last title, over the corner or outside the window, it does not click.
std::int32_t TitleAt(XLGrid *grid, POINT p, bool isRow) {
    const XLGridData &data = *grid->Data;
    if (!PointInRect(p, grid->ClientRect()) || AreaAt(data, p) != (isRow ? Area::RowTitles : Area::ColTitles))
        return -1;
    return isRow ? TitleRowAtY(grid, p.y) : TitleColAtX(grid, p.x);
}

void SetTitlePressed(XLGridData &data, bool pressed) {
    if (pressed)
        data.State |= GridStateFlag::TitlePressed;
    else
        data.State &= static_cast<GridState>(~GridStateFlag::TitlePressed);
}

// Without title selection a title works as a button: sunken while held, clicking when released over it.
void PressTitle(XLGrid *grid, POINT p, bool isRow) {
    const std::int32_t title = TitleAt(grid, p, isRow);
    if (title == -1)
        return;
    XLGridData &data = *grid->Data;
    (isRow ? data.PressedRowTitle : data.PressedColTitle) = title;
    SetTitlePressed(data, true);
    grid->Invalidate();
    StartDrag(grid);
}

// A pressed title shows sunken while the pointer is over it and clicks when the button goes up there.
bool TrackPressedTitle(XLGrid *grid, POINT p) {
    XLGridData &data = *grid->Data;
    if (data.PressedColTitle >= 0)
        SetTitlePressed(data, TitleAt(grid, p, false) == data.PressedColTitle);
    else if (data.PressedRowTitle >= 0)
        SetTitlePressed(data, TitleAt(grid, p, true) == data.PressedRowTitle);
    else
        return false;
    grid->Invalidate();
    return true;
}

void ReleasePressedTitle(XLGrid *grid, POINT p) {
    XLGridData &data = *grid->Data;
    for (const bool isRow : {false, true}) {
        const std::int32_t pressed = isRow ? data.PressedRowTitle : data.PressedColTitle;
        if (pressed < 0)
            continue;
        SetTitlePressed(data, false);
        grid->Invalidate();
        if (TitleAt(grid, p, isRow) == pressed)
            data.OnTitleClick(grid, isRow, pressed);
    }
}

void Hover(XLGrid *grid, POINT p) {
    XLGridData &data = *grid->Data;
    // Strictly above the title row's bottom pixel.
    if (p.x > data.RowTitleWidth && p.y < data.ColTitleHeight) {
        data.ResizeCol = ColBorderAtX(grid, p.x);
        if (data.ResizeCol != -1)
            return ShowResizeCursor(grid);
    } else {
        data.ResizeCol = -1;
    }
    RestoreCursor(grid);
}

} // namespace

void HandleGridButtonDown(XLGrid *grid, WPARAM wParam, LPARAM lParam) {
    XLGridData &data = *grid->Data;
    if (!EndEdit(grid, true, false))
        return;
    if (grid->Handle)
        SetFocus(grid->Handle);
    if (data.ColCount == 0 || data.RowCount == 0)
        return;
    const POINT p = PointOf(lParam);
    if (data.ResizeCol != -1) {
        data.ResizeWidth = ColWidth(grid, data.ResizeCol);
        data.ResizeStartX = p.x;
        grid->Invalidate();
        return StartDrag(grid);
    }
    data.RowDragFrom = data.ColDragFrom = -1;
    data.AnchorCol = data.AnchorRow = -1;
    const bool ctrl = wParam & MK_CONTROL;
    const bool rangeSelect = data.Options & GridOption::RangeSelect;
    const Area area = AreaAt(data, p);
    if (rangeSelect)
        data.State &= static_cast<GridState>(~GridStateFlag::AllSelected);
    if (area == Area::Corner && rangeSelect) {
        data.State |= GridStateFlag::AllSelected;
        MarkAllCells(grid, true);
        SetCurrentCell(grid, data.LeftCol, data.TopRow);
        SetSelection(grid, {0, 0, data.ColCount - 1, data.RowCount - 1});
    } else if ((area == Area::RowTitles && (data.Options & GridOption::RowSelect)) ||
               (area == Area::ColTitles && (data.Options & GridOption::ColSelect))) {
        data.Selection = {};
        if (!ctrl)
            MarkAllCells(grid, false);
        if (area == Area::RowTitles) {
            data.RowDragFrom = data.RowDragTo = RowAtY(grid, p.y);
            if (data.RowDragFrom != -1)
                MarkTitles(grid, data.RowDragFrom, data.RowDragFrom, true);
        } else {
            data.ColDragFrom = data.ColDragTo = ColAtX(grid, p.x);
            if (data.ColDragFrom != -1)
                MarkTitles(grid, data.ColDragFrom, data.ColDragFrom, true);
        }
        StartDrag(grid);
    } else if (area == Area::RowTitles || area == Area::ColTitles) {
        PressTitle(grid, p, area == Area::RowTitles);
    } else if (area == Area::Cells) {
        data.Selection = {};
        if (!(ctrl && rangeSelect))
            MarkAllCells(grid, false);
        const CellPosition at = CellAtPoint(grid, p.x, p.y);
        SetCurrentCell(grid, at.Col, at.Row);
        const CellPosition current = GetCurrentCell(grid);
        data.AnchorCol = current.Col;
        data.AnchorRow = current.Row;
        data.DragBlock = {};
        StartDrag(grid);
    }
}

void HandleGridMouseMove(XLGrid *grid, LPARAM lParam) {
    XLGridData &data = *grid->Data;
    const POINT p = PointOf(lParam);
    if (TrackPressedTitle(grid, p))
        return;
    if (data.AnchorCol != -1)
        CellDrag(grid, p);
    else if (data.ColDragFrom != -1)
        TitleDrag<true>(grid, p);
    else if (data.RowDragFrom != -1)
        TitleDrag<false>(grid, p);
    else if (data.ResizeWidth != -1) {
        data.ResizeWidth = IntMax(1, ColWidth(grid, data.ResizeCol) + p.x - data.ResizeStartX);
        grid->Invalidate();
    } else
        Hover(grid, p);
}

namespace {

void EndMouseAction(XLGridData &data) {
    data.ResizeWidth = data.ResizeCol = -1;
    data.RowDragFrom = data.ColDragFrom = -1;
    data.AnchorCol = data.AnchorRow = -1;
    data.PressedColTitle = data.PressedRowTitle = -1;
}

} // namespace

void HandleGridButtonUp(XLGrid *grid, LPARAM lParam) {
    XLGridData &data = *grid->Data;
    ReleasePressedTitle(grid, PointOf(lParam));
    if (data.ResizeWidth != -1)
        SetColWidth(grid, data.ResizeCol, data.ResizeWidth);
    EndMouseAction(data);
    if (grid->Handle && GetCapture() == grid->Handle)
        ReleaseCapture();
}

void EndMouseActionOutsideGrid(XLGrid *grid) {
    XLGridData &data = *grid->Data;
    const std::int32_t cols = data.ColCount, rows = data.RowCount;
    const bool outside = cols == 0 || rows == 0 || data.AnchorCol >= cols || data.AnchorRow >= rows ||
                         data.ColDragFrom >= cols || data.RowDragFrom >= rows || data.ResizeCol >= cols ||
                         data.PressedColTitle >= cols || data.PressedRowTitle >= rows;
    if (!outside)
        return;
    EndMouseAction(data);
    SetTitlePressed(data, false);
    if (grid->Handle && GetCapture() == grid->Handle)
        ReleaseCapture();
}

void HandleGridCaptureLost(XLGrid *grid, HWND taker) {
    // Another window took the mouse during a drag (a message box, a menu): the button-up will not come here, so
    // the drag ends now, a column width unchanged.
    if (taker && taker != grid->Handle) {
        EndMouseAction(*grid->Data);
        SetTitlePressed(*grid->Data, false);
        grid->Invalidate();
    }
}

void HandleGridDoubleClick(XLGrid *grid, LPARAM lParam) {
    const POINT p = PointOf(lParam);
    if (CellAtPoint(grid, p.x, p.y) == GetCurrentCell(grid))
        BeginEdit(grid);
}
