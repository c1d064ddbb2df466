// The selection: the block in effect, widening over merged cells, replacing the block with the per-cell marks,
// and marking every cell.
#include <optional>

#include "grid/GridInternals.h"
#include "toolkit/objects/RectHelpers.h"

namespace {

// Adds delta to the SelCount of every cell of the block, never below 0; cells outside the grid are skipped. Lowering
// makes no cell: one not made yet has a SelCount of 0.
void AddToMarks(XLGrid *grid, const GridBlock &block, std::int32_t delta) {
    for (std::int32_t row = block.Top; row <= block.Bottom; ++row)
        for (std::int32_t col = block.Left; col <= block.Right; ++col)
            if (XLCell *cell = delta > 0 ? Cell(grid, col, row) : MadeCell(grid, col, row))
                cell->SelCount = IntMax(0, cell->SelCount + delta);
    GridBlock &extent = grid->Data->MarkedExtent;
    if (delta <= 0 || block.IsNone())
        return;
    extent = extent.IsNone() ? block
                             : GridBlock{IntMin(extent.Left, block.Left), IntMin(extent.Top, block.Top),
                                         IntMax(extent.Right, block.Right), IntMax(extent.Bottom, block.Bottom)};
}

// The smallest range around index, clamped to 0 .. count - 1, that holds every merged block met in the lines
// acrossFrom .. acrossTo at an index of the range. extentAt(i, line) gives the range that the covering cell of
// position i of the line spans, or nothing.
template <class ExtentAt>
IndexRange Widen(std::int32_t acrossFrom, std::int32_t acrossTo, std::int32_t index, std::int32_t count,
                 ExtentAt extentAt) {
    index = IntMin(count - 1, IntMax(0, index));
    IndexRange range{index, index};
    IndexRange pass;
    do {
        pass = range;
        for (std::int32_t line = acrossFrom; line <= acrossTo; ++line) {
            for (std::int32_t i = pass.Lo; i <= pass.Hi; ++i) {
                if (const std::optional<IndexRange> extent = extentAt(i, line)) {
                    // A block that someone let stick out of the grid is cut at its edge.
                    range.Lo = IntMax(0, IntMin(range.Lo, extent->Lo));
                    range.Hi = IntMin(count - 1, IntMax(range.Hi, extent->Hi));
                }
            }
        }
    } while (range != pass);
    return range;
}

// The columns (or rows) that the cell covering (col, row) spans; nothing outside the grid.
std::optional<IndexRange> CoveringSpan(const XLGrid *grid, std::int32_t col, std::int32_t row, bool columns) {
    const CellPosition m = CoveringPosition(grid, col, row);
    if (!EntryAt(grid, m.Col, m.Row))
        return std::nullopt;
    // Widening a block makes no cell.
    const GridBlock covered = CoveredBlock(grid, m.Col, m.Row);
    return columns ? IndexRange{covered.Left, covered.Right} : IndexRange{covered.Top, covered.Bottom};
}

} // namespace

GridBlock EffectiveSelection(const XLGrid *grid) {
    const XLGridData &data = *grid->Data;
    if (data.Options & GridOption::RangeSelect)
        return data.Selection;
    if (data.Options & GridOption::SelectCurrent)
        return {data.CurCol, data.CurRow, data.CurCol, data.CurRow};
    return {};
}

IndexRange WidenColRange(const XLGrid *grid, std::int32_t rowFrom, std::int32_t rowTo, std::int32_t col) {
    return Widen(rowFrom, rowTo, col, grid->Data->ColCount,
                 [grid](std::int32_t c, std::int32_t r) { return CoveringSpan(grid, c, r, true); });
}

IndexRange WidenRowRange(const XLGrid *grid, std::int32_t colFrom, std::int32_t colTo, std::int32_t row) {
    return Widen(colFrom, colTo, row, grid->Data->RowCount,
                 [grid](std::int32_t r, std::int32_t c) { return CoveringSpan(grid, c, r, false); });
}

void SetSelection(XLGrid *grid, const GridBlock &block) {
    XLGridData &data = *grid->Data;
    if (data.ColCount == 0 || data.RowCount == 0)
        return;
    const UpdateBracket bracket(grid);
    if (data.Selection.Top != -1)
        AddToMarks(grid, data.Selection, -1);
    GridBlock &s = data.Selection;
    s = block;
    for (;;) {
        const IndexRange a = WidenRowRange(grid, s.Left, s.Right, s.Top);
        const IndexRange b = WidenRowRange(grid, s.Left, s.Right, s.Bottom);
        const IndexRange c = WidenColRange(grid, s.Top, s.Bottom, s.Left);
        const IndexRange d = WidenColRange(grid, s.Top, s.Bottom, s.Right);
        const GridBlock widened{IntMin(c.Lo, d.Lo), IntMin(a.Lo, b.Lo), IntMax(c.Hi, d.Hi), IntMax(a.Hi, b.Hi)};
        if (widened == s)
            break;
        s = widened;
    }
    AddToMarks(grid, s, +1);
    data.OnSelectionChanged(grid, s);
}

void MarkAllCells(XLGrid *grid, bool flag) {
    const UpdateBracket bracket(grid);
    XLGridData &data = *grid->Data;
    if (flag) {
        // Every cell is made to hold its mark; one that memory cannot make stays unmarked.
        for (std::int32_t row = 0; row < data.RowCount; ++row)
            for (std::int32_t col = 0; col < data.ColCount; ++col)
                if (XLCell *cell = Cell(grid, col, row))
                    cell->SelCount = 1;
        data.MarkedExtent = {0, 0, data.ColCount - 1, data.RowCount - 1};
        return;
    }
    const GridBlock marked = data.MarkedExtent;
    for (std::int32_t row = IntMax(0, marked.Top); row <= IntMin(marked.Bottom, data.RowCount - 1); ++row)
        for (std::int32_t col = IntMax(0, marked.Left); col <= IntMin(marked.Right, data.ColCount - 1); ++col)
            if (XLCell *cell = MadeCell(grid, col, row))
                cell->SelCount = 0;
    data.MarkedExtent = {};
}
