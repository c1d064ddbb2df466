// Cell borders: a shared edge is as wide as the wider of its two borders and split between the two cells; the edge
// of the grid shows about half of a border.
#include "grid/GridPaintInternals.h"

#include <algorithm>
#include <cmath>

namespace {

// Half of w rounded half to even, as the platform's default floating-point rounding does.
std::int32_t HalfRounded(std::int32_t w) { return static_cast<std::int32_t>(std::lrint(w / 2.0)); }

// What the left or upper cell of a shared edge leaves to the other one.
std::int32_t LaterShare(std::int32_t s) { return std::max(1, HalfRounded(s)); }

std::int32_t WidthOf(const XLCell *cell, CellBorder XLCell::*side) { return cell ? (cell->*side).LineWidth : 0; }

// The width of the edge on one side of a cell (0: no edge) and the band of it this cell paints.
struct Side {
    std::int32_t Edge;
    std::int32_t Band;
};

Side SideOf(bool gridEdge, bool leading, std::int32_t own, std::int32_t neighbour) {
    if (gridEdge) {
        const std::int32_t outer = std::max(own > 0 ? 1 : 0, HalfRounded(own));
        return {outer, outer};
    }
    const std::int32_t edge = std::max(own, neighbour);
    return {edge, leading ? LaterShare(edge) : edge - LaterShare(edge)};
}

} // namespace

void GridLines::Join(std::vector<Line> &lines, std::uint32_t color, const RECT &band, bool vertical) {
    // Cells come row by row, so the line a band continues is among the last few.
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        RECT &r = it->Rect;
        if (it->Color != color)
            continue;
        if (vertical && r.left == band.left && r.right == band.right && r.bottom == band.top) {
            r.bottom = band.bottom;
            return;
        }
        if (!vertical && r.top == band.top && r.bottom == band.bottom && r.right == band.left) {
            r.right = band.right;
            return;
        }
    }
    lines.push_back({color, band});
}

void GridLines::Add(std::uint32_t color, const RECT &band, bool vertical) {
    Join(vertical ? Vertical : Horizontal, color, band, vertical);
}

void GridLines::Paint(GridPainter &painter) {
    if (const HDC dc = painter.Target->RequireState(CanvasState::DC))
        for (const std::vector<Line> *lines : {&Vertical, &Horizontal})
            for (const Line &line : *lines)
                ::FillRect(dc, &line.Rect, painter.Brushes.Get(line.Color));
    Vertical.clear();
    Horizontal.clear();
}

RECT PaintCellBorders(GridPainter &painter, XLCell *cell, const RECT &rect, std::int32_t col, std::int32_t row) {
    XLGrid *grid = painter.Grid;
    RECT result = rect;
    bool defer = false;
    auto paint = [&](const CellBorder &border, Side side, RECT band, LONG &edge, LONG inner, bool vertical) {
        if (side.Edge <= 0)
            return;
        if (side.Band > 0 && defer)
            painter.Lines.Add(border.LineColor, band, vertical);
        else if (side.Band > 0)
            FillRectColor(painter, border.LineColor, band);
        edge = inner;
    };
    // A merged cell meets its left and right neighbours in its first row, the upper and lower ones in its first column.
    const Side left =
        SideOf(col == 0, true, cell->BorderLeft.LineWidth, WidthOf(Cell(grid, col - 1, row), &XLCell::BorderRight));
    const Side right = SideOf(col + cell->ColSpan == painter.Data.ColCount - 1, false, cell->BorderRight.LineWidth,
                              WidthOf(Cell(grid, col + cell->ColSpan + 1, row), &XLCell::BorderLeft));
    const Side top =
        SideOf(row == 0, true, cell->BorderTop.LineWidth, WidthOf(Cell(grid, col, row - 1), &XLCell::BorderBottom));
    const Side bottom = SideOf(row + cell->RowSpan == painter.Data.RowCount - 1, false, cell->BorderBottom.LineWidth,
                               WidthOf(Cell(grid, col, row + cell->RowSpan + 1), &XLCell::BorderTop));
    // Deferred only where the text stays inside the borders and the cell's own bands meet at corners alone.
    defer = painter.DeferLines && cell->MarginLeft >= 0 && cell->MarginTop >= 0 && cell->MarginRight >= 0 &&
            cell->MarginBottom >= 0 && std::max(0, left.Band) + std::max(0, right.Band) <= rect.right - rect.left &&
            std::max(0, top.Band) + std::max(0, bottom.Band) <= rect.bottom - rect.top;
    paint(cell->BorderLeft, left, {rect.left, rect.top, rect.left + left.Band, rect.bottom}, result.left,
          rect.left + left.Band, true);
    paint(cell->BorderRight, right, {rect.right - right.Band, rect.top, rect.right, rect.bottom}, result.right,
          rect.right - right.Band, true);
    paint(cell->BorderTop, top, {rect.left, rect.top, rect.right, rect.top + top.Band}, result.top, rect.top + top.Band,
          false);
    paint(cell->BorderBottom, bottom, {rect.left, rect.bottom - bottom.Band, rect.right, rect.bottom}, result.bottom,
          rect.bottom - bottom.Band, false);
    return result;
}
