// Painting the whole grid through its off-screen buffer, and the cells.
#include "grid/GridPaintInternals.h"

#include <algorithm>

#include "toolkit/bitmaps/Bitmap.h"

namespace {

UINT CellTextFormat(const XLCell &cell) {
    static constexpr UINT horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    static constexpr UINT vertical[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
    const auto h = static_cast<std::size_t>(cell.HAlign);
    const auto v = static_cast<std::size_t>(cell.VAlign);
    return (h < 3 ? horizontal[h] : DT_LEFT) | (v < 3 ? vertical[v] : DT_TOP) | DT_NOPREFIX |
           (cell.WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
}

} // namespace

SolidBrushes::~SolidBrushes() {
    for (const auto &[color, brush] : Made)
        DeleteObject(brush);
}

// By the colour value, not the RGB it stands for: a system colour is then looked up once per paint, not per fill.
HBRUSH SolidBrushes::Get(std::uint32_t color) {
    for (const auto &[made, brush] : Made)
        if (made == color)
            return brush;
    const HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    if (brush)
        Made.emplace_back(color, brush);
    return brush;
}

void GridPainter::BeforeText(const LOGFONTA &font) {
    if (!Confined || (!font.lfUnderline && !font.lfStrikeOut))
        return;
    Confined = false;
    DeferLines = false;
    // The borders of the cells painted so far lie under the line, as they would had they not waited.
    Lines.Paint(*this);
}

void GridPainter::SetBrush(std::uint32_t color, std::uint8_t style) {
    BrushColor = color;
    BrushStyle = style;
    // An owner may keep the DC's state from one call to the next: it finds the canvas as it always did.
    if (!Text.Direct)
        SyncBrush();
}

void GridPainter::SyncBrush() {
    Target->Brush()->SetColor(BrushColor);
    Target->Brush()->SetBrushStyle(BrushStyle);
    TextTransparent = false;
}

HDC GridPainter::TextDC() {
    const HDC dc = Target->RequireState(CanvasState::DC | CanvasState::Font);
    if (dc && !TextTransparent) {
        ::SetBkMode(dc, TRANSPARENT);
        TextTransparent = Text.Direct;
    }
    return dc;
}

void FillRectColor(GridPainter &painter, std::uint32_t color, const RECT &rect) {
    // The canvas brush carries the colour for whoever draws next; the fill itself uses this paint's brush.
    painter.SetBrush(color, BrushStyleKind::Solid);
    if (const HDC dc = painter.Target->RequireState(CanvasState::DC))
        ::FillRect(dc, &rect, painter.Brushes.Get(color));
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
        GridPainter painter(grid, data, canvas);
        painter.Text.Direct = !data.OnDrawCell && !data.OnDrawTitle;
        FillRectColor(painter, grid->Color, grid->ClientRect());
        PaintCells(painter);
        PaintCurrentCell(painter);
        PaintTitles(painter);
        painter.SyncBrush();
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
    painter.DeferLines = painter.Text.Direct;
    for (std::int32_t r = data.TopRow; r <= lastRow; ++r)
        for (std::int32_t c = data.LeftCol; c <= lastCol; ++c) {
            const XLCell *at = Cell(painter.Grid, c, r);
            if (!at)
                continue;
            const std::int32_t mc = c - at->MasterDX;
            const std::int32_t mr = r - at->MasterDY;
            // A merged cell is painted once for each of its cells in view, over itself.
            if (XLCell *cell = Cell(painter.Grid, mc, mr))
                PaintCell(painter, cell, CellRect(painter.Grid, mc, mr), mc, mr, IsCellSelected(painter.Grid, mc, mr),
                          false, painter.Confined && cell->ColSpan == 0 && cell->RowSpan == 0);
        }
    painter.DeferLines = false;
    painter.Lines.Paint(painter);
}

void PaintCell(GridPainter &painter, XLCell *cell, const RECT &rect, std::int32_t col, std::int32_t row, bool selected,
               bool focused, bool blank) {
    if (!cell->Visible)
        return;
    XLGridData &data = painter.Data;
    Canvas *canvas = painter.Target;
    const bool highlight =
        data.SelectionStyle == 1 && (selected || (focused && (data.Options & GridOption::SelectCurrent)));
    const std::uint32_t background = highlight ? data.SelColor : cell->CellColor;
    if (blank && background == painter.Grid->Color)
        painter.SetBrush(background, BrushStyleKind::Solid);
    else
        FillRectColor(painter, background, rect);
    RECT inner = PaintCellBorders(painter, cell, rect, col, row);
    const RECT textRect{inner.left + cell->MarginLeft, inner.top + cell->MarginTop, inner.right - cell->MarginRight,
                        inner.bottom - cell->MarginBottom};
    painter.SetBrush(cell->CellColor, painter.BrushStyle);
    if (data.SelectionStyle == 1 && focused) {
        painter.SyncBrush();
        canvas->DrawFocusRect(inner);
    }
    painter.SetBrush(cell->CellColor, BrushStyleKind::Clear);
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
        painter.BeforeText(canvas->Font()->Settings.Font);
        painter.Text.Draw(painter.TextDC(), canvas->Font()->Settings.Font, cell->Text.View(), textRect,
                          CellTextFormat(*cell));
    }
    DrawingTool::Assign(canvas->Font(), GetCellFont(cell));
    canvas->RequireState(textState);
    if (dc && data.SelectionStyle == 0 && selected && !focused)
        ::InvertRect(dc, &inner);
}
