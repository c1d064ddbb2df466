// Shared between the grid's painting files.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "grid/GridInternals.h"
#include "toolkit/gdi/Canvas.h"

// Solid brushes by colour for one paint: the cells switch between their background and border colours many times,
// and re-making the canvas brush at every switch would cost GDI objects per cell.
class SolidBrushes {
public:
    SolidBrushes() = default;
    SolidBrushes(const SolidBrushes &) = delete;
    SolidBrushes &operator=(const SolidBrushes &) = delete;
    ~SolidBrushes();
    HBRUSH Get(std::uint32_t color);

private:
    std::vector<std::pair<COLORREF, HBRUSH>> Made;
};

// One paint of one grid into the buffer's canvas.
struct GridPainter {
    XLGrid *Grid;
    XLGridData &Data;
    Canvas *Target;
    SolidBrushes Brushes;
};

// Brush colour := colour, solid; fills rect.
void FillRectColor(GridPainter &painter, std::uint32_t color, const RECT &rect);
void PaintCells(GridPainter &painter);
void PaintCell(GridPainter &painter, XLCell *cell, const RECT &rect, std::int32_t col, std::int32_t row, bool selected,
               bool focused);
// Paints the four borders; gives the rectangle left inside them.
RECT PaintCellBorders(GridPainter &painter, XLCell *cell, const RECT &rect, std::int32_t col, std::int32_t row);
void PaintCurrentCell(GridPainter &painter);
void PaintTitles(GridPainter &painter);
// Valid UTF-8 beyond ASCII is drawn as Unicode; any other bytes as they are.
void DrawGridText(HDC dc, std::string_view text, const RECT &rect, UINT format);
