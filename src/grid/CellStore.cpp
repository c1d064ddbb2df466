#include "grid/CellStore.h"

#include <algorithm>
#include <cassert>
#include <new>

#include "grid/MemoryBudget.h"
#include "grid/XLGrid.h"

namespace {

// Room for a record or, once freed, the link to the next free slot.
constexpr std::size_t SlotAlign = std::max(alignof(XLCell), alignof(void *));
constexpr std::size_t SlotSize = (std::max(sizeof(XLCell), sizeof(void *)) + SlotAlign - 1) / SlotAlign * SlotAlign;
static_assert(SlotAlign <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "plain new[] aligns every slot");

// Blocks double from a size that suits a small grid. The largest keep a full result to a few dozen blocks and are
// large enough that the heap maps each apart and gives it back to the system when freed: smaller ones stay in the
// heap, where the scraps the rest of the program leaves between them keep the heap from shrinking.
constexpr std::size_t FirstBlockSlots = 64;
constexpr std::size_t MaxBlockSlots = 8192;
constexpr std::size_t MappedBlockSize = 640 * 1024;
static_assert(MaxBlockSlots * SlotSize >= MappedBlockSize);

void *&NextFree(void *slot) { return *static_cast<void **>(slot); }

// Texts and rows share blocks of their kind, doubling up to a mapped size; a longer text or a row of many cells gets
// an allocation of its own.
constexpr std::size_t FirstRoomBlock = 64 * 1024;
constexpr std::size_t MaxRoomBlock = 1024 * 1024;
static_assert(MaxRoomBlock >= MappedBlockSize);
constexpr std::size_t MaxSharedText = 1024;
// A row's texts taken at once: small beside a block, so that a run that does not fit the newest block's rest leaves
// little of it unused.
constexpr std::size_t MaxSharedRun = 16 * 1024;
constexpr std::size_t MaxCarvedRow = 4096;

// Text room is handed out in even sizes, which keeps every text at an even address.
std::size_t RoomFor(std::size_t length) { return (length + 2) & ~std::size_t{1}; }

std::size_t OwnTextCost(std::size_t length) { return length + 1 + HeapBlockOverhead; }

// A carved row is the list with the room for its entries behind it, in whole steps of the list's alignment, so the
// next row is aligned as well.
constexpr std::size_t RowAlign = alignof(GridRow);
static_assert(RowAlign <= __STDCPP_DEFAULT_NEW_ALIGNMENT__ && alignof(void *) <= RowAlign);

std::size_t RowRoom(std::int32_t cells) {
    return (sizeof(GridRow) + static_cast<std::size_t>(cells) * sizeof(void *) + RowAlign - 1) / RowAlign * RowAlign;
}

// A row of its own is two heap blocks: the list, and its entries, whose bytes the grid charges as it sizes them.
constexpr std::size_t OwnRowCost = sizeof(GridRow) + 2 * HeapBlockOverhead;

} // namespace

std::byte *CarvedRoom::Take(std::size_t size, std::size_t maxRun) {
    if (size > maxRun || LeftOver > HandedOut / 2)
        return nullptr;
    std::byte *room = nullptr;
    ResultBudget.ChargeFor(size, [&] {
        if (Blocks.empty() || BlockUsed + size > BlockSize) {
            const std::size_t next = Blocks.empty() ? FirstBlock : std::min(MaxBlock, BlockSize * 2);
            Blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(next));
            BlockSize = next;
            BlockUsed = 0;
        }
        room = Blocks.back().get() + BlockUsed;
    });
    BlockUsed += size;
    HandedOut += size;
    return room;
}

void CarvedRoom::Release() {
    Blocks.clear();
    BlockSize = 0;
    BlockUsed = 0;
    ResultBudget.Release(HandedOut);
    HandedOut = 0;
    LeftOver = 0;
}

CellStore::CellStore()
    : Texts(FirstRoomBlock, MaxRoomBlock, MaxSharedText), Rows(FirstRoomBlock, MaxRoomBlock, MaxCarvedRow) {}

// Records and borrowed room are charged as they are handed out, not by the block, so that a result's reader can tell
// from the values alone what the grid will be charged; the blocks' unused tails are at most a block of each kind.
std::size_t CellStore::CellCost(std::size_t length) {
    if (length == 0)
        return SlotSize;
    const std::size_t room = RoomFor(length);
    return SlotSize + (room > MaxSharedText ? OwnTextCost(length) : room);
}

CellStore::~CellStore() {
    assert(LiveCount == 0 && LiveRowCount == 0 && "every cell and row is destroyed before its grid's record");
    Release();
}

XLCell *CellStore::New() {
    void *cell = nullptr;
    New(&cell, 1);
    return static_cast<XLCell *>(cell);
}

void *CellStore::Slot() {
    if (void *slot = FreeSlots) {
        FreeSlots = NextFree(slot);
        return slot;
    }
    if (Untouched == 0) {
        const std::size_t slots = Blocks.empty() ? FirstBlockSlots : std::min(MaxBlockSlots, LastBlockSlots * 2);
        Blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(slots * SlotSize));
        LastBlockSlots = slots;
        Untouched = slots;
    }
    return Blocks.back().get() + (LastBlockSlots - Untouched--) * SlotSize;
}

XLCell *CellStore::MakeRecord() {
    XLCell *cell = new (Slot()) XLCell;
    ++MadeCount;
    return cell;
}

void CellStore::New(void **cells, std::size_t count) {
    ResultBudget.ChargeFor(count * SlotSize, [&] {
        std::size_t made = 0;
        try {
            for (; made < count; ++made)
                cells[made] = MakeRecord();
        } catch (...) {
            while (made > 0)
                Unmake(static_cast<XLCell *>(cells[--made]));
            throw;
        }
    });
    LiveCount += count;
}

void CellStore::Reserve(void **entries, std::size_t count) {
    ResultBudget.Charge(count * SlotSize);
    std::fill_n(entries, count, nullptr);
    LiveCount += count;
}

XLCell *CellStore::Make(void *&entry) noexcept {
    assert(!IsMade(entry));
    XLCell *cell = nullptr;
    try {
        cell = MakeRecord();
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
    cell->Text.TakeBorrowed(reinterpret_cast<std::uintptr_t>(entry));
    entry = cell;
    return cell;
}

bool CellStore::SetUnmadeText(void *&entry, std::string_view value) {
    assert(!IsMade(entry));
    value = CellText::Storable(value);
    const std::size_t oldRoom = entry ? RoomFor(UnmadeText(entry).size()) : 0;
    if (value.empty()) {
        entry = nullptr;
    } else if (char *room = reinterpret_cast<char *>(Texts.Take(RoomFor(value.size())))) {
        entry = reinterpret_cast<void *>(CellText::BorrowedBits(value, room));
    } else {
        return false;
    }
    Texts.Leave(oldRoom);
    return true;
}

bool CellStore::SetFreshTexts(void **entries, std::span<const std::string_view> texts, bool zerosPossible) {
    std::size_t total = 0;
    for (const std::string_view text : texts) {
        assert(zerosPossible || text.find('\0') == text.npos);
        if (RoomFor(text.size()) > MaxSharedText || (zerosPossible && CellText::Storable(text).size() < text.size()))
            return false;
        total += text.empty() ? 0 : RoomFor(text.size());
    }
    char *room = nullptr;
    if (total && !(room = reinterpret_cast<char *>(Texts.Take(total, MaxSharedRun))))
        return false;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        assert(!entries[i]);
        if (!texts[i].empty()) {
            entries[i] = reinterpret_cast<void *>(CellText::BorrowedBits(texts[i], room));
            room += RoomFor(texts[i].size());
        }
    }
    return true;
}

void CellStore::DeleteUnmade(void *entry) {
    assert(!IsMade(entry));
    if (entry)
        Texts.Leave(RoomFor(UnmadeText(entry).size()));
    ResultBudget.Release(SlotSize);
    --LiveCount;
    ReleaseWhenEmpty();
}

void CellStore::Delete(XLCell *cell) {
    if (cell->Text.Borrowed())
        Texts.Leave(RoomFor(cell->Text.View().size()));
    ResultBudget.Release(OwnCost(cell->Text) + SlotSize);
    Unmake(cell);
    --LiveCount;
    ReleaseWhenEmpty();
}

void CellStore::Unmake(XLCell *cell) {
    cell->~XLCell();
    void *slot = cell;
    NextFree(slot) = FreeSlots;
    FreeSlots = slot;
    --MadeCount;
}

std::size_t CellStore::RowCost(std::int32_t cells) {
    const std::size_t room = RowRoom(cells);
    return room > MaxCarvedRow ? OwnRowCost + static_cast<std::size_t>(cells) * sizeof(void *) : room;
}

GridRow *CellStore::NewRow(std::int32_t cells) {
    GridRow *row = nullptr;
    const std::size_t size = RowRoom(cells);
    if (std::byte *room = Rows.Take(size)) {
        row = new (room) GridRow;
        row->CarvedSize = size;
        row->UseRoom(reinterpret_cast<void **>(row + 1), cells);
    } else {
        ResultBudget.ChargeFor(OwnRowCost, [&] { row = NewObject<GridRow>(); });
    }
    ++LiveRowCount;
    return row;
}

void CellStore::DeleteRow(GridRow *row) {
    assert(row->Count == 0 && "a row's cells are destroyed before the row");
    if (row->CarvedSize) {
        Rows.Leave(row->CarvedSize);
        row->~GridRow();
    } else {
        ObjectBase::Free(row);
        ResultBudget.Release(OwnRowCost);
    }
    --LiveRowCount;
    ReleaseWhenEmpty();
}

void CellStore::ReleaseWhenEmpty() {
    if (LiveCount == 0 && LiveRowCount == 0)
        Release();
}

void CellStore::Release() {
    Blocks.clear();
    LastBlockSlots = 0;
    Untouched = 0;
    FreeSlots = nullptr;
    Texts.Release();
    Rows.Release();
}

void CellStore::SetText(CellText &text, std::string_view value) {
    value = CellText::Storable(value);
    // What the old text leaves behind, taken before the new one is copied, which may read from it.
    const std::size_t oldRoom = text.Borrowed() ? RoomFor(text.View().size()) : 0;
    const std::size_t oldOwnCost = OwnCost(text);
    // Every step that can fail comes before the old text is touched, so a failure leaves it as it was.
    if (char *room = value.empty() ? nullptr : reinterpret_cast<char *>(Texts.Take(RoomFor(value.size())))) {
        text.Borrow(value, room);
    } else {
        ResultBudget.ChargeFor(value.empty() ? 0 : OwnTextCost(value.size()), [&] { text.Assign(value); });
    }
    Texts.Leave(oldRoom);
    ResultBudget.Release(oldOwnCost);
}

std::size_t CellStore::OwnCost(const CellText &text) {
    return text.Empty() || text.Borrowed() ? 0 : OwnTextCost(text.View().size());
}
