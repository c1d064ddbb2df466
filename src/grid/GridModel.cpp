// The grid's records: cells, the per-column and per-row lists and how they follow the counts, the update bracket
// and the cell setters.
#include <algorithm>
#include <cstdint>
#include <new>

#include "grid/GridInternals.h"
#include "grid/MemoryBudget.h"
#include "toolkit/objects/PtrList.h"
#include "toolkit/objects/StringList.h"

namespace {

// A new cell takes the grid's colour and its cell defaults.
void TakeDefaults(XLGrid &grid, XLCell &cell) {
    const XLGridData &data = *grid.Data;
    cell.Owner = &grid;
    cell.CellColor = grid.Color;
    cell.BorderLeft = {data.DefBorderColor, data.DefBorderLeft};
    cell.BorderTop = {data.DefBorderColor, data.DefBorderTop};
    cell.BorderBottom = {data.DefBorderColor, data.DefBorderBottom};
    cell.BorderRight = {data.DefBorderColor, data.DefBorderRight};
    cell.HAlign = data.DefHAlign;
    cell.VAlign = data.DefVAlign;
    cell.WordWrap = data.DefWordWrap;
    cell.MarginLeft = data.DefMarginLeft;
    cell.MarginTop = data.DefMarginTop;
    cell.MarginRight = data.DefMarginRight;
    cell.MarginBottom = data.DefMarginBottom;
}

void *SizeEntry(std::int32_t size) { return reinterpret_cast<void *>(static_cast<std::intptr_t>(size)); }

std::int32_t EntrySize(const void *entry) { return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(entry)); }

GridRow *RowAt(const XLGrid *grid, std::int32_t row) { return static_cast<GridRow *>(grid->Data->Rows->Get(row)); }

void ResizeTitles(StringList *titles, std::int32_t n) { titles->Resize(n); }

void ResizeSizes(PtrList *sizes, std::int32_t n, std::int32_t size) {
    sizes->Reserve(n);
    while (sizes->Count < n)
        sizes->Add(SizeEntry(size));
    if (sizes->Count > n)
        sizes->DeleteRange(n, sizes->Count - n);
}

// A row is charged for its entries in the grid's per-row lists and for what its store charges; its cells charge for
// themselves.
constexpr std::size_t RowEntriesCost = 3 * sizeof(void *);

// The bytes of a row's entries held outside the store's room.
std::size_t CellListCost(const PtrList *row) {
    return row->ItemsBorrowed ? 0 : static_cast<std::size_t>(row->Capacity) * sizeof(void *);
}

void ResizeRowCells(XLGrid *grid, GridRow *row, std::int32_t n) {
    if (row->Capacity < n)
        ResultBudget.Regrow(CellListCost(row), static_cast<std::size_t>(n) * sizeof(void *),
                            [&] { row->SetCapacity(n); });
    if (row->Count < n) {
        // The new cells go straight into the entries' room, made and charged for all at once.
        void **cells = row->Items + row->Count;
        const auto count = static_cast<std::size_t>(n - row->Count);
        grid->Data->Cells.New(cells, count);
        for (std::size_t i = 0; i < count; ++i)
            TakeDefaults(*grid, *static_cast<XLCell *>(cells[i]));
        row->Count = n;
    }
    while (row->Count > n) {
        DestroyCell(static_cast<XLCell *>(row->Items[row->Count - 1]));
        row->Delete(row->Count - 1);
    }
}

void DestroyRow(XLGrid *grid, GridRow *row) {
    for (std::int32_t i = row->Count - 1; i >= 0; --i)
        DestroyCell(static_cast<XLCell *>(row->Items[i]));
    ResultBudget.Release(RowEntriesCost + CellListCost(row));
    row->Count = 0;
    grid->Data->Cells.DeleteRow(row);
}

// A row is made whole before it joins Rows, so a failed allocation leaves no row short of cells behind.
GridRow *NewRow(XLGrid *grid) {
    GridRow *row = nullptr;
    ResultBudget.ChargeFor(RowEntriesCost, [&] { row = grid->Data->Cells.NewRow(grid->Data->ColCount); });
    try {
        ResizeRowCells(grid, row, grid->Data->ColCount);
    } catch (...) {
        DestroyRow(grid, row);
        throw;
    }
    return row;
}

} // namespace

std::size_t NewRowCost(std::uint16_t cols) { return RowEntriesCost + CellStore::RowCost(cols); }

void DestroyCell(XLCell *cell) {
    ReleaseCellFont(cell);
    cell->Owner->Data->Cells.Delete(cell);
}

void ResizeColumns(XLGrid *grid, std::int32_t n) {
    XLGridData &data = *grid->Data;
    ResizeTitles(data.ColTitles, n);
    ResizeSizes(data.ColWidths, n, data.DefColWidth);
    for (std::int32_t r = 0; r < data.Rows->Count; ++r)
        ResizeRowCells(grid, RowAt(grid, r), n);
    if (data.EditCol >= n)
        data.EditCol = -1;
}

void ResizeRows(XLGrid *grid, std::int32_t n) {
    XLGridData &data = *grid->Data;
    ResizeTitles(data.RowTitles, n);
    ResizeSizes(data.RowHeights, n, data.DefRowHeight);
    data.Rows->Reserve(n);
    while (data.Rows->Count < n) {
        GridRow *row = NewRow(grid);
        try {
            data.Rows->Add(row);
        } catch (...) {
            DestroyRow(grid, row);
            throw;
        }
    }
    while (data.Rows->Count > n) {
        DestroyRow(grid, RowAt(grid, data.Rows->Count - 1));
        data.Rows->Delete(data.Rows->Count - 1);
    }
    if (data.EditRow >= n)
        data.EditRow = -1;
}

XLCell *Cell(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    const XLGridData &data = *grid->Data;
    if (col < 0 || col >= data.ColCount || row < 0 || row >= data.RowCount)
        return nullptr;
    const PtrList *cells = RowAt(grid, row);
    return cells ? static_cast<XLCell *>(cells->Get(col)) : nullptr;
}

CellPosition CoveringPosition(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    const XLCell *cell = Cell(grid, col, row);
    if (!cell)
        return {};
    return {col - cell->MasterDX, row - cell->MasterDY};
}

std::int32_t ColWidth(const XLGrid *grid, std::int32_t col) { return EntrySize(grid->Data->ColWidths->Get(col)); }

std::int32_t RowHeight(const XLGrid *grid, std::int32_t row) { return EntrySize(grid->Data->RowHeights->Get(row)); }

void SetColWidth(XLGrid *grid, std::int32_t col, std::int32_t width) {
    XLGridData &data = *grid->Data;
    {
        const UpdateBracket bracket(grid);
        if (col >= 0 && col < data.ColWidths->Count)
            data.ColWidths->Put(col, SizeEntry(width));
        data.ResizeWidth = -1;
        data.ResizeCol = -1;
        data.OnColResized(grid, false, col, width);
    }
    UpdateScrollBars(grid);
}

bool IsCellSelected(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    const XLCell *cell = Cell(grid, col, row);
    return cell && cell->SelCount > 0;
}

void BeginUpdate(XLGrid *grid) { ++grid->UpdateCount; }

void EndUpdate(XLGrid *grid) {
    if (grid->UpdateCount > 0)
        --grid->UpdateCount;
    if (grid->UpdateCount == 0)
        RequestRepaint(grid);
}

void RequestRepaint(XLGrid *grid) {
    if (grid->Handle)
        RedrawWindow(grid->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

namespace {

// Every cell setter changes the cell inside an update bracket of its grid.
template <class Change> void ChangeCell(XLCell *cell, Change change) {
    if (!cell)
        return;
    const UpdateBracket bracket(cell->Owner);
    change(*cell);
}

} // namespace

void SetText(XLCell *cell, std::string_view text) {
    ChangeCell(cell, [text](XLCell &c) { c.Owner->Data->Cells.SetText(c.Text, text); });
}
void SetRowTexts(XLGrid *grid, std::int32_t row, std::span<const std::string_view> texts) {
    if (row < 0 || row >= grid->Data->RowCount)
        return;
    const GridRow *cells = RowAt(grid, row);
    if (!cells)
        return;
    const UpdateBracket bracket(grid);
    const std::size_t n = std::min(texts.size(), static_cast<std::size_t>(cells->Count));
    for (std::size_t i = 0; i < n; ++i)
        grid->Data->Cells.SetText(static_cast<XLCell *>(cells->Items[i])->Text, texts[i]);
}
void SetCellColor(XLCell *cell, std::uint32_t color) {
    ChangeCell(cell, [color](XLCell &c) { c.CellColor = color; });
}
void SetHAlign(XLCell *cell, ::HAlign value) {
    ChangeCell(cell, [value](XLCell &c) { c.HAlign = value; });
}
void SetVAlign(XLCell *cell, ::VAlign value) {
    ChangeCell(cell, [value](XLCell &c) { c.VAlign = value; });
}
void SetWordWrap(XLCell *cell, bool value) {
    ChangeCell(cell, [value](XLCell &c) { c.WordWrap = value; });
}
