// The cell records of one grid, their texts and its rows, carved from blocks of many: a large result costs a
// handful of allocations instead of two per cell and two per row, its records lie side by side, and once the grid is
// empty it hands every block back, so a large result leaves no scattered heap behind. What the store holds is
// charged to the result budget.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "toolkit/objects/PtrList.h"

class CellText;
struct XLCell;

// A grid row: the list of its cells. One carved from a store has the room for its entries right behind it.
class GridRow final : public PtrList {
public:
    ~GridRow() override = default;
    // The room carved for the row, or 0 for a row of its own.
    std::size_t CarvedSize = 0;
};

// Room carved in order from blocks for pieces of one kind, charged to the result budget as it is handed out and
// given back all at once. Blocks double in size from the first to the largest. Room a piece leaves behind is not
// reused, so once half of what was handed out is left over, Take refuses and the caller allocates the piece on its own.
class CarvedRoom {
public:
    CarvedRoom(std::size_t firstBlock, std::size_t maxBlock, std::size_t maxPiece)
        : FirstBlock(firstBlock), MaxBlock(maxBlock), MaxPiece(maxPiece) {}
    CarvedRoom(const CarvedRoom &) = delete;
    CarvedRoom &operator=(const CarvedRoom &) = delete;

    // Room for a piece of size bytes, which keeps the alignment of new for pieces of multiples of it; or null.
    std::byte *Take(std::size_t size);
    void Leave(std::size_t size) { LeftOver += size; }
    void Release();

private:
    std::size_t FirstBlock;
    std::size_t MaxBlock;
    std::size_t MaxPiece;
    std::vector<std::unique_ptr<std::byte[]>> Blocks;
    // The size of the newest block, and how much of it is handed out.
    std::size_t BlockSize = 0;
    std::size_t BlockUsed = 0;
    // Room handed out since the last release: what the budget is charged for.
    std::size_t HandedOut = 0;
    std::size_t LeftOver = 0;
};

class CellStore {
public:
    CellStore();
    CellStore(const CellStore &) = delete;
    CellStore &operator=(const CellStore &) = delete;
    ~CellStore();

    // What a fresh store charges for one record holding the text: a result's reader counts on it before the grid
    // makes the cells.
    // Takes the length of a text without zero bytes.
    static std::size_t CellCost(std::size_t length);

    // A record with the type's defaults; throws std::bad_alloc like new, or BudgetExceeded.
    XLCell *New();
    // count such records into the entries of a pointer list, charged at once: a row's cells cost one charge. All or
    // none.
    void New(void **cells, std::size_t count);
    // Destroys the record and keeps its place for the next New. When the last record goes, so do the blocks.
    void Delete(XLCell *cell);

    // Sets a cell's text, into the store's own room while that stays mostly in use: texts replaced or dropped
    // leave their room behind until the grid holds no cell, so once half of it is left over, texts are allocated
    // one by one instead. On a failure the text stays as it was.
    void SetText(CellText &text, std::string_view value);

    // What a fresh store charges for a row with room for the given number of cells, the cells aside. A row of its
    // own leaves the charge for its entries to whoever sizes them.
    static std::size_t RowCost(std::int32_t cells);
    // An empty row, with room for the given number of cells where carved; throws std::bad_alloc or BudgetExceeded.
    GridRow *NewRow(std::int32_t cells);
    // Destroys an empty row.
    void DeleteRow(GridRow *row);

    std::size_t Live() const { return LiveCount; }
    std::size_t LiveRows() const { return LiveRowCount; }

private:
    void ReleaseWhenEmpty();
    void Release();
    XLCell *Make();
    // Destroys a record and frees its slot; the caller settles the charges.
    void Unmake(XLCell *cell);
    // What a text's own allocation was charged; borrowed room is charged with the store's text room.
    static std::size_t OwnCost(const CellText &text);

    std::vector<std::unique_ptr<std::byte[]>> Blocks;
    std::size_t LastBlockSlots = 0;
    // Slots of the newest block not handed out yet.
    std::size_t Untouched = 0;
    // Freed slots, linked through their first bytes.
    void *FreeSlots = nullptr;
    std::size_t LiveCount = 0;

    CarvedRoom Texts;
    CarvedRoom Rows;
    std::size_t LiveRowCount = 0;
};
