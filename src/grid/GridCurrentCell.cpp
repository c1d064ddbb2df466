// The current cell, the frame round the selection and the guide of a column being resized.
#include "grid/GridPaintInternals.h"

#include <algorithm>

namespace {

constexpr std::int32_t InvertingFrameWidth = 5;
// R2_NOT, stored as the pen mode less one.
constexpr std::uint8_t InvertingPenMode = R2_NOT - 1;

// The left edge of the column being resized, or -1.
LONG GuidePosition(GridPainter &painter) {
    XLGridData &data = painter.Data;
    if (data.ResizeCol == -1)
        return -1;
    LONG x = painter.Grid->ClientRect().left + data.RowTitleWidth;
    const std::int32_t last = std::min<std::int32_t>(data.ColCount - 1, data.LeftCol + VisibleColCount(painter.Grid));
    for (std::int32_t i = data.LeftCol; i <= last && i != data.ResizeCol; ++i)
        x += ColWidth(painter.Grid, i);
    return x;
}

} // namespace

void PaintCurrentCell(GridPainter &painter) {
    XLGridData &data = painter.Data;
    XLGrid *grid = painter.Grid;
    Canvas *canvas = painter.Target;
    if (data.ColCount == 0 || data.RowCount == 0)
        return;
    const LONG guide = GuidePosition(painter);
    const GridBlock sel = EffectiveSelection(grid);
    RECT frame = CellRect(grid, data.CurCol, data.CurRow);
    if (sel.Right != -1) {
        frame = CellRect(grid, sel.Left, sel.Top);
        const RECT corner = CellRect(grid, sel.Right, sel.Bottom);
        frame.right = corner.right;
        frame.bottom = corner.bottom;
        ::InflateRect(&frame, 1, 1);
    }
    const RECT current = CellRect(grid, data.CurCol, data.CurRow);
    XLCell *cell = Cell(grid, data.CurCol, data.CurRow);
    if (data.CurCol >= 0 && data.CurRow >= 0 && cell) {
        const bool selected = IsCellSelected(grid, data.CurCol, data.CurRow);
        if (data.SelectionStyle == 0) {
            PaintCell(painter, cell, current, data.CurCol, data.CurRow, selected, true);
            canvas->Pen()->SetIntField(ToolField::PenWidth, InvertingFrameWidth);
            canvas->Pen()->SetPenMode(InvertingPenMode);
            painter.SetBrush(painter.BrushColor, BrushStyleKind::Clear);
            painter.SyncBrush();
            canvas->Rectangle(frame.left, frame.top, frame.right, frame.bottom);
        } else {
            if (sel.Left != sel.Right || sel.Top != sel.Bottom) {
                painter.SetBrush(data.SelFrameColor, BrushStyleKind::Solid);
                const RECT inside{frame.left + 2, frame.top + 2, frame.right - 1, frame.bottom - 1};
                if (const HDC dc = canvas->RequireState(CanvasState::DC))
                    ::FrameRect(dc, &inside, painter.Brushes.Get(data.SelFrameColor));
            }
            PaintCell(painter, cell, current, data.CurCol, data.CurRow, selected, true);
        }
    }
    painter.SetBrush(grid->Color, BrushStyleKind::Solid);
    if (data.ResizeWidth != -1 && guide != -1) {
        painter.SyncBrush();
        canvas->DrawFocusRect({guide, -1, guide + 1 + data.ResizeWidth, grid->GetHeight()});
    }
}
