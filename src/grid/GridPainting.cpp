// Painting the whole grid through its off-screen buffer, and the cells.
#include "grid/GridPaintInternals.h"

#include <algorithm>

#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/objects/TextEncoding.h"

namespace {

UINT CellTextFormat(const XLCell &cell) {
    static constexpr UINT horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    static constexpr UINT vertical[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
    const auto h = static_cast<std::size_t>(cell.HAlign);
    const auto v = static_cast<std::size_t>(cell.VAlign);
    return (h < 3 ? horizontal[h] : DT_LEFT) | (v < 3 ? vertical[v] : DT_TOP) | DT_NOPREFIX |
           (cell.WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

SolidBrushes::~SolidBrushes() {
    for (const auto &[color, brush] : Made)
        DeleteObject(brush);
}

HBRUSH SolidBrushes::Get(std::uint32_t color) {
    const COLORREF rgb = ColorToRGB(color);
    for (const auto &[made, brush] : Made)
        if (made == rgb)
            return brush;
    const HBRUSH brush = CreateSolidBrush(rgb);
    if (brush)
        Made.emplace_back(rgb, brush);
    return brush;
}

void FillRectColor(GridPainter &painter, std::uint32_t color, const RECT &rect) {
    Canvas *canvas = painter.Target;
    canvas->Brush()->SetColor(color);
    canvas->Brush()->SetBrushStyle(BrushStyleKind::Solid);
    // The canvas brush carries the colour for whoever draws next; the fill itself uses this paint's brush.
    if (const HDC dc = canvas->RequireState(CanvasState::DC))
        ::FillRect(dc, &rect, painter.Brushes.Get(color));
}

void DrawGridText(HDC dc, std::string_view text, const RECT &rect, UINT format) {
    RECT box = rect;
    if (!IsAscii(text) && IsValidUtf8(text)) {
        const std::wstring wide = Utf8ToWide(text);
        ::DrawTextW(dc, wide.c_str(), -1, &box, format);
    } else {
        ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &box, format);
    }
}

void PaintGrid(XLGrid *grid, HDC dc) {
    XLGridData &data = *grid->Data;
    const LONG width = grid->ClientWidth();
    const LONG height = grid->ClientHeight();
    data.Buffer->SetWidth(width);
    data.Buffer->SetHeight(height);
    Canvas *canvas = data.Buffer->Canvas();
    if (!canvas)
        return;
    {
        GridPainter painter{grid, data, canvas, {}};
        FillRectColor(painter, grid->Color, grid->ClientRect());
        PaintCells(painter);
        PaintCurrentCell(painter);
        PaintTitles(painter);
        // The paint's brushes are deleted next; none of them is ever selected, but the canvas's own may be stale.
    }
    ::BitBlt(dc, 0, 0, width, height, canvas->Handle(), 0, 0, SRCCOPY);
}

void PaintCells(GridPainter &painter) {
    XLGridData &data = painter.Data;
    if (data.ColCount == 0 || data.RowCount == 0)
        return;
    const std::int32_t lastRow = std::min<std::int32_t>(data.RowCount - 1, data.TopRow + VisibleRowCount(painter.Grid));
    const std::int32_t lastCol =
        std::min<std::int32_t>(data.ColCount - 1, data.LeftCol + VisibleColCount(painter.Grid));
    for (std::int32_t r = data.TopRow; r <= lastRow; ++r)
        for (std::int32_t c = data.LeftCol; c <= lastCol; ++c) {
            const XLCell *at = Cell(painter.Grid, c, r);
            if (!at)
                continue;
            const std::int32_t mc = c - at->MasterDX;
            const std::int32_t mr = r - at->MasterDY;
            if (XLCell *cell = Cell(painter.Grid, mc, mr))
                PaintCell(painter, cell, CellRect(painter.Grid, mc, mr), mc, mr, IsCellSelected(painter.Grid, mc, mr),
                          false);
        }
}

void PaintCell(GridPainter &painter, XLCell *cell, const RECT &rect, std::int32_t col, std::int32_t row, bool selected,
               bool focused) {
    if (!cell->Visible)
        return;
    XLGridData &data = painter.Data;
    Canvas *canvas = painter.Target;
    const bool highlight =
        data.SelectionStyle == 1 && (selected || (focused && (data.Options & GridOption::SelectCurrent)));
    FillRectColor(painter, highlight ? data.SelColor : cell->CellColor, rect);
    RECT inner = PaintCellBorders(painter, cell, rect, col, row);
    const RECT textRect{inner.left + cell->MarginLeft, inner.top + cell->MarginTop, inner.right - cell->MarginRight,
                        inner.bottom - cell->MarginBottom};
    canvas->Brush()->SetColor(cell->CellColor);
    if (data.SelectionStyle == 1 && focused)
        canvas->DrawFocusRect(inner);
    canvas->Brush()->SetBrushStyle(BrushStyleKind::Clear);
    DrawingTool::Assign(canvas->Font(), GetCellFont(cell));
    if (highlight)
        canvas->Font()->SetColor(data.SelTextColor);
    // The text needs only the font; the clear brush means a transparent text background, set here rather than by
    // selecting a brush handle that every cell would re-make.
    const std::uint8_t textState = CanvasState::DC | CanvasState::Font;
    canvas->RequireState(textState);
    bool handled = false;
    if (data.OnDrawCell)
        data.OnDrawCell(painter.Grid, col, row, cell, canvas, inner, selected, focused, handled);
    const HDC dc = canvas->RequireState(textState);
    if (dc && !handled) {
        ::SetBkMode(dc, TRANSPARENT);
        DrawGridText(dc, cell->Text.View(), textRect, CellTextFormat(*cell));
    }
    DrawingTool::Assign(canvas->Font(), GetCellFont(cell));
    canvas->RequireState(textState);
    if (dc && data.SelectionStyle == 0 && selected && !focused)
        ::InvertRect(dc, &inner);
}
