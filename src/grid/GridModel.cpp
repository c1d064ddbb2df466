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

CellLook CurrentLook(const XLGrid &grid) {
    const XLGridData &data = *grid.Data;
    return {grid.Color,           data.DefBorderColor, data.DefBorderLeft, data.DefBorderTop,   data.DefBorderRight,
            data.DefBorderBottom, data.DefMarginLeft,  data.DefMarginTop,  data.DefMarginRight, data.DefMarginBottom,
            data.DefHAlign,       data.DefVAlign,      data.DefWordWrap};
}

void TakeLook(XLGrid &grid, const CellLook &look, XLCell &cell) {
    cell.Owner = &grid;
    cell.CellColor = look.CellColor;
    cell.BorderLeft = {look.BorderColor, look.BorderLeft};
    cell.BorderTop = {look.BorderColor, look.BorderTop};
    cell.BorderBottom = {look.BorderColor, look.BorderBottom};
    cell.BorderRight = {look.BorderColor, look.BorderRight};
    cell.HAlign = look.HAlign;
    cell.VAlign = look.VAlign;
    cell.WordWrap = look.WordWrap;
    cell.MarginLeft = look.MarginLeft;
    cell.MarginTop = look.MarginTop;
    cell.MarginRight = look.MarginRight;
    cell.MarginBottom = look.MarginBottom;
}

// The look new rows' cells will take: the newest one, unless the defaults changed since.
std::uint32_t CurrentLookIndex(XLGrid *grid) {
    std::vector<CellLook> &looks = grid->Data->Looks;
    const CellLook look = CurrentLook(*grid);
    if (looks.empty() || !(looks.back() == look))
        looks.push_back(look);
    return static_cast<std::uint32_t>(looks.size() - 1);
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

void GrowCapacity(GridRow *row, std::int32_t n) {
    if (row->Capacity < n)
        ResultBudget.Regrow(CellListCost(row), static_cast<std::size_t>(n) * sizeof(void *),
                            [&] { row->SetCapacity(n); });
}

void DestroyEntry(XLGrid *grid, void *entry) {
    if (CellStore::IsMade(entry))
        DestroyCell(static_cast<XLCell *>(entry));
    else
        grid->Data->Cells.DeleteUnmade(entry);
}

// Cells added to a row that exists take the defaults of now, so they are made at once.
void ResizeRowCells(XLGrid *grid, GridRow *row, std::int32_t n) {
    GrowCapacity(row, n);
    if (row->Count < n) {
        // The new cells go straight into the entries' room, made and charged for all at once.
        void **cells = row->Items + row->Count;
        const auto count = static_cast<std::size_t>(n - row->Count);
        grid->Data->Cells.New(cells, count);
        const CellLook look = CurrentLook(*grid);
        for (std::size_t i = 0; i < count; ++i)
            TakeLook(*grid, look, *static_cast<XLCell *>(cells[i]));
        row->Count = n;
    }
    while (row->Count > n) {
        DestroyEntry(grid, row->Items[row->Count - 1]);
        row->Delete(row->Count - 1);
    }
}

void DestroyRow(XLGrid *grid, GridRow *row) {
    for (std::int32_t i = row->Count - 1; i >= 0; --i)
        DestroyEntry(grid, row->Items[i]);
    ResultBudget.Release(RowEntriesCost + CellListCost(row));
    row->Count = 0;
    grid->Data->Cells.DeleteRow(row);
}

// A row is made whole before it joins Rows, so a failed allocation leaves no row short of cells behind. Its cells
// are made when first reached, with the given look.
GridRow *NewRow(XLGrid *grid, std::uint32_t look) {
    GridRow *row = nullptr;
    const std::int32_t n = grid->Data->ColCount;
    ResultBudget.ChargeFor(RowEntriesCost, [&] { row = grid->Data->Cells.NewRow(n); });
    row->Look = look;
    try {
        GrowCapacity(row, n);
        grid->Data->Cells.Reserve(row->Items, static_cast<std::size_t>(n));
        row->Count = n;
    } catch (...) {
        DestroyRow(grid, row);
        throw;
    }
    return row;
}

// Makes the cell of an entry not made yet, with its row's look; null when memory ran out.
XLCell *MakeCell(const XLGrid *grid, const GridRow &row, void *&entry) {
    XLGridData &data = *grid->Data;
    XLCell *cell = data.Cells.Make(entry);
    if (cell)
        TakeLook(*data.Owner, data.Looks[row.Look], *cell);
    return cell;
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
    const std::uint32_t look = data.Rows->Count < n ? CurrentLookIndex(grid) : 0;
    while (data.Rows->Count < n) {
        GridRow *row = NewRow(grid, look);
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
    if (data.Rows->Count == 0)
        data.Looks.clear();
    if (data.EditRow >= n)
        data.EditRow = -1;
}

void **EntryAt(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    const XLGridData &data = *grid->Data;
    if (col < 0 || col >= data.ColCount || row < 0 || row >= data.RowCount)
        return nullptr;
    GridRow *cells = RowAt(grid, row);
    return cells && col < cells->Count ? &cells->Items[col] : nullptr;
}

XLCell *Cell(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    void **entry = EntryAt(grid, col, row);
    if (!entry)
        return nullptr;
    if (CellStore::IsMade(*entry))
        return static_cast<XLCell *>(*entry);
    return MakeCell(grid, *RowAt(grid, row), *entry);
}

XLCell *MadeCell(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    void **entry = EntryAt(grid, col, row);
    return entry && CellStore::IsMade(*entry) ? static_cast<XLCell *>(*entry) : nullptr;
}

GridBlock CoveredBlock(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    const XLCell *cell = MadeCell(grid, col, row);
    return {col, row, col + (cell ? cell->ColSpan : 0), row + (cell ? cell->RowSpan : 0)};
}

CellPosition CoveringPosition(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    void **entry = EntryAt(grid, col, row);
    if (!entry)
        return {};
    // A cell not made yet covers itself alone, as every cell the grid makes does.
    if (!CellStore::IsMade(*entry))
        return {col, row};
    const auto *cell = static_cast<const XLCell *>(*entry);
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
    // A cell not made yet was never marked.
    const XLCell *cell = MadeCell(grid, col, row);
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
void SetRowTexts(XLGrid *grid, std::int32_t row, std::span<const std::string_view> texts, ZeroBytes zeros) {
    if (row < 0 || row >= grid->Data->RowCount)
        return;
    GridRow *cells = RowAt(grid, row);
    if (!cells)
        return;
    const UpdateBracket bracket(grid);
    CellStore &store = grid->Data->Cells;
    const std::size_t n = std::min(texts.size(), static_cast<std::size_t>(cells->Count));
    // A row none of whose cells has a text yet, as a result's rows come, takes its texts at once.
    if (std::all_of(cells->Items, cells->Items + n, [](const void *entry) { return !entry; }) &&
        store.SetFreshTexts(cells->Items, texts.first(n), zeros == ZeroBytes::Possible))
        return;
    for (std::size_t i = 0; i < n; ++i) {
        void *&entry = cells->Items[i];
        if (CellStore::IsMade(entry)) {
            store.SetText(static_cast<XLCell *>(entry)->Text, texts[i]);
        } else if (!store.SetUnmadeText(entry, texts[i])) {
            XLCell *cell = MakeCell(grid, *cells, entry);
            if (!cell)
                throw std::bad_alloc();
            store.SetText(cell->Text, texts[i]);
        }
    }
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
