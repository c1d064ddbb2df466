// Cell borders: a shared edge is as wide as the wider of its two borders and split between the two cells; the edge
// of the grid shows about half of a border.
#include "grid/GridPaintInternals.h"

#include <algorithm>
#include <cmath>

namespace {

// Half of w rounded half to even, as the platform's default floating-point rounding does.
std::int32_t HalfRounded(std::int32_t w) { return static_cast<std::int32_t>(std::lrint(w / 2.0)); }

std::int32_t OuterShare(std::int32_t w) { return std::max(w > 0 ? 1 : 0, HalfRounded(w)); }

// What the left or upper cell of a shared edge leaves to the other one.
std::int32_t LaterShare(std::int32_t s) { return std::max(1, HalfRounded(s)); }

std::int32_t WidthOf(const XLCell *cell, CellBorder XLCell::*side) { return cell ? (cell->*side).LineWidth : 0; }

} // namespace

RECT PaintCellBorders(GridPainter &painter, XLCell *cell, const RECT &rect, std::int32_t col, std::int32_t row) {
    XLGrid *grid = painter.Grid;
    const std::int32_t lastCol = painter.Data.ColCount - 1;
    const std::int32_t lastRow = painter.Data.RowCount - 1;
    RECT result = rect;

    std::int32_t band = 0;
    std::int32_t s = 0;
    if (col == 0) {
        s = band = OuterShare(cell->BorderLeft.LineWidth);
    } else {
        s = std::max(cell->BorderLeft.LineWidth, WidthOf(Cell(grid, col - 1, row), &XLCell::BorderRight));
        band = LaterShare(s);
    }
    if (s > 0) {
        FillRectColor(painter, cell->BorderLeft.LineColor, {rect.left, rect.top, rect.left + band, rect.bottom});
        result.left = rect.left + band;
    }

    if (col + cell->ColSpan == lastCol) {
        s = band = OuterShare(cell->BorderRight.LineWidth);
    } else {
        s = std::max(cell->BorderRight.LineWidth,
                     WidthOf(Cell(grid, col + cell->ColSpan + 1, row), &XLCell::BorderLeft));
        band = s - LaterShare(s);
    }
    if (s > 0) {
        if (band > 0)
            FillRectColor(painter, cell->BorderRight.LineColor, {rect.right - band, rect.top, rect.right, rect.bottom});
        result.right = rect.right - band;
    }

    if (row == 0) {
        s = band = OuterShare(cell->BorderTop.LineWidth);
    } else {
        s = std::max(cell->BorderTop.LineWidth, WidthOf(Cell(grid, col, row - 1), &XLCell::BorderBottom));
        band = LaterShare(s);
    }
    if (s > 0) {
        FillRectColor(painter, cell->BorderTop.LineColor, {rect.left, rect.top, rect.right, rect.top + band});
        result.top = rect.top + band;
    }

    if (row + cell->RowSpan == lastRow) {
        s = band = OuterShare(cell->BorderBottom.LineWidth);
    } else {
        s = std::max(cell->BorderBottom.LineWidth,
                     WidthOf(Cell(grid, col, row + cell->RowSpan + 1), &XLCell::BorderTop));
        band = s - LaterShare(s);
    }
    if (s > 0) {
        if (band > 0)
            FillRectColor(painter, cell->BorderBottom.LineColor,
                          {rect.left, rect.bottom - band, rect.right, rect.bottom});
        result.bottom = rect.bottom - band;
    }
    return result;
}
