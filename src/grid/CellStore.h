// The cell records of one grid and their texts, carved from blocks of many: a large result costs a handful of
// allocations instead of two per cell, and its records lie side by side. What the store holds is charged to the
// result budget.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class CellText;
struct XLCell;

class CellStore {
public:
    CellStore() = default;
    CellStore(const CellStore &) = delete;
    CellStore &operator=(const CellStore &) = delete;
    ~CellStore();

    // What a fresh store charges for one record holding the text: a result's reader counts on it before the grid
    // makes the cells.
    // Takes the length of a text without zero bytes.
    static std::size_t CellCost(std::size_t length);

    // A record with the type's defaults; throws std::bad_alloc like new, or BudgetExceeded.
    XLCell *New();
    // Destroys the record and keeps its place for the next New. When the last record goes, so do the blocks.
    void Delete(XLCell *cell);

    // Sets a cell's text, into the store's own room while that stays mostly in use: texts replaced or dropped
    // leave their room behind until the grid holds no cell, so once half of it is left over, texts are allocated
    // one by one instead. On a failure the text stays as it was.
    void SetText(CellText &text, std::string_view value);

    std::size_t Live() const { return LiveCount; }

private:
    void Release();
    char *TextRoom(std::size_t size);
    XLCell *Make();
    char *CarveText(std::size_t size);
    // What a text's own allocation was charged; borrowed room is charged with the store's text room.
    static std::size_t OwnCost(const CellText &text);

    std::vector<std::unique_ptr<std::byte[]>> Blocks;
    std::size_t LastBlockSlots = 0;
    // Slots of the newest block not handed out yet.
    std::size_t Untouched = 0;
    // Freed slots, linked through their first bytes.
    void *FreeSlots = nullptr;
    std::size_t LiveCount = 0;

    std::vector<std::unique_ptr<char[]>> TextBlocks;
    std::size_t TextBlockUsed = 0;
    // Room handed to texts since the store was last empty: what the budget is charged for borrowed texts.
    std::size_t TextHandedOut = 0;
    std::size_t TextLeftOver = 0;
};
