// The corner, column and row titles.
#include "grid/GridPaintInternals.h"

#include <algorithm>

#include "toolkit/objects/StringList.h"

namespace {

constexpr UINT TitleTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// One strip of titles: columns run right from the strip's left edge, rows down from its top edge.
struct TitleRun {
    bool Columns;
    RECT Strip;
    std::int32_t First;
    std::int32_t Last;
    const StringList *Texts;
    std::int32_t Current;
    std::int32_t Pressed;
    // The column drawn at ResizeSize instead of its own size; -1 for none.
    std::int32_t ResizeIndex;
    std::int32_t ResizeSize;
};

void PaintTitleRun(GridPainter &painter, const TitleRun &run) {
    XLGridData &data = painter.Data;
    Canvas *canvas = painter.Target;
    Font *font = canvas->Font();
    LONG at = run.Columns ? run.Strip.left : run.Strip.top;
    for (std::int32_t i = run.First; i <= run.Last; ++i) {
        std::int32_t size = run.Columns ? ColWidth(painter.Grid, i) : RowHeight(painter.Grid, i);
        if (i == run.ResizeIndex)
            size = run.ResizeSize;
        RECT title = run.Columns ? RECT{at, run.Strip.top, at + size, run.Strip.bottom}
                                 : RECT{run.Strip.left, at, run.Strip.right, at + size};
        at += size;
        font->SetColor(data.TitleFont->Settings.Color);
        const std::uint8_t style = font->GetStyle();
        font->SetStyle(i == run.Current ? style | FontStyle::Bold : style & ~FontStyle::Bold);
        UINT edge = BDR_RAISEDINNER;
        if (i == run.Pressed && (data.State & GridStateFlag::TitlePressed))
            edge = BDR_SUNKENINNER;
        else if (i == run.Current)
            edge = EDGE_RAISED;
        FillRectColor(painter, data.TitleColor, title);
        if (const HDC dc = painter.TextDC()) {
            painter.Text.Draw(dc, font->Settings.Font, i < run.Texts->Count ? run.Texts->Get(i) : std::string(), title,
                              TitleTextFormat);
            ::DrawEdge(dc, &title, edge, BF_RECT);
            // The edge is drawn with the platform's own tools, which need not leave the background mode alone.
            painter.TextTransparent = false;
        }
        if (data.OnDrawTitle) {
            bool handled = false;
            data.OnDrawTitle(painter.Grid, run.Columns ? i : -1, run.Columns ? -1 : i, nullptr, canvas, title, false,
                             false, handled);
        }
    }
}

} // namespace

void PaintTitles(GridPainter &painter) {
    XLGridData &data = painter.Data;
    XLGrid *grid = painter.Grid;
    Canvas *canvas = painter.Target;
    if (data.ColCount == 0 || data.RowCount == 0)
        return;
    const RECT client = grid->ClientRect();
    if (data.RowTitleWidth > 0 && data.ColTitleHeight > 0) {
        RECT corner{client.left, client.top, client.left + data.RowTitleWidth, client.top + data.ColTitleHeight};
        FillRectColor(painter, data.TitleColor, corner);
        if (const HDC dc = canvas->RequireState(CanvasState::DC))
            ::DrawEdge(dc, &corner, BDR_RAISEDINNER, BF_RECT);
        if (data.OnDrawTitle) {
            const bool all = data.State & GridStateFlag::AllSelected;
            bool handled = false;
            data.OnDrawTitle(grid, -1, -1, nullptr, canvas, corner, all, all, handled);
        }
    }
    DrawingTool::Assign(canvas->Font(), data.TitleFont);
    if (data.ColTitleHeight > 0) {
        const std::int32_t last = data.ResizeCol != -1
                                      ? data.ColCount - 1
                                      : std::min<std::int32_t>(data.ColCount - 1, data.LeftCol + VisibleColCount(grid));
        PaintTitleRun(painter,
                      {true,
                       {client.left + data.RowTitleWidth, client.top, client.right, client.top + data.ColTitleHeight},
                       data.LeftCol,
                       last,
                       data.ColTitles,
                       data.CurCol,
                       data.PressedColTitle,
                       data.ResizeWidth != -1 ? data.ResizeCol : -1,
                       data.ResizeWidth});
    }
    if (data.RowTitleWidth > 0) {
        PaintTitleRun(painter,
                      {false,
                       {client.left, client.top + data.ColTitleHeight, client.left + data.RowTitleWidth, client.bottom},
                       data.TopRow,
                       std::min<std::int32_t>(data.RowCount - 1, data.TopRow + VisibleRowCount(grid)),
                       data.RowTitles,
                       data.CurRow,
                       data.PressedRowTitle,
                       -1,
                       0});
    }
}
