// The cell records of one grid, their texts and its rows, carved from blocks of many: a large result costs a
// handful of allocations instead of two per cell and two per row, its records lie side by side, and once the grid is
// empty it hands every block back, so a large result leaves no scattered heap behind. A cell's record is made when
// the cell is first reached, so a result shown a screen at a time holds little more than its texts. What the store
// holds, and the records of cells not made yet, is charged to the result budget.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "grid/CellText.h"
#include "toolkit/objects/PtrList.h"

struct XLCell;

// A grid row: the list of its cells. One carved from a store has the room for its entries right behind it.
// An entry is a cell's record, or, for a cell nobody has reached yet, only its text: a large result then costs a
// word per cell until painting, the selection or the owner reaches a cell, and the rows' records are made one by
// one as they come into view.
class GridRow final : public PtrList {
public:
    ~GridRow() override = default;
    // The room carved for the row, or 0 for a row of its own.
    std::size_t CarvedSize = 0;
    // Which of the grid's looks its cells not made yet take when made: the defaults in effect when the row was made.
    std::uint32_t Look = 0;
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
    std::byte *Take(std::size_t size) { return Take(size, MaxPiece); }
    // The same for a run of pieces handed out at once, up to maxRun bytes in all.
    std::byte *Take(std::size_t size, std::size_t maxRun);
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

    // Cells not made yet. Their entry holds what a made cell's text would hold: 0 while the text is empty, else
    // borrowed room with the low bit set, which a record's address never has.
    static bool IsMade(const void *entry) {
        return entry && !(reinterpret_cast<std::uintptr_t>(entry) & CellText::BorrowedBit);
    }
    // count cells not made yet into empty entries, charged as their records at once, so that making one later
    // charges nothing and the budget holds what the made grid would hold. All or none.
    void Reserve(void **entries, std::size_t count);
    // The record of an entry not made yet, with the type's defaults and the entry's text, put in the entry; null,
    // with the entry as it was, when memory ran out.
    XLCell *Make(void *&entry) noexcept;
    // The text of an entry not made yet.
    static std::string_view UnmadeText(const void *entry) {
        return CellText::BorrowedView(reinterpret_cast<std::uintptr_t>(entry));
    }
    // Sets it; false, with nothing changed, when the text needs an allocation of its own, which only a record holds.
    bool SetUnmadeText(void *&entry, std::string_view value);
    // Sets texts into entries not made yet that hold none, from one piece of room for them all: one charge where a
    // text at a time makes as many. False, with nothing changed, where a text holds a zero byte (unless the caller
    // vouched there is none) or needs room of its own, or the room is refused; throws std::bad_alloc or
    // BudgetExceeded with nothing changed.
    bool SetFreshTexts(void **entries, std::span<const std::string_view> texts, bool zerosPossible);
    // Destroys an entry not made yet.
    void DeleteUnmade(void *entry);

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

    // Cells, made or not, and the records made.
    std::size_t Live() const { return LiveCount; }
    std::size_t Made() const { return MadeCount; }
    std::size_t LiveRows() const { return LiveRowCount; }

private:
    void ReleaseWhenEmpty();
    void Release();
    // Room for a record; throws std::bad_alloc.
    void *Slot();
    XLCell *MakeRecord();
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
    std::size_t MadeCount = 0;

    CarvedRoom Texts;
    CarvedRoom Rows;
    std::size_t LiveRowCount = 0;
};
