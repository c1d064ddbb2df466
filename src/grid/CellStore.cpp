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

// Blocks double from a size that suits a small grid up to one that keeps a full result to a few dozen blocks.
constexpr std::size_t FirstBlockSlots = 64;
constexpr std::size_t MaxBlockSlots = 16384;

void *&NextFree(void *slot) { return *static_cast<void **>(slot); }

// Texts share blocks of this size; a longer one gets an allocation of its own. Room is handed out in even sizes,
// which keeps every text at an even address.
constexpr std::size_t TextBlockSize = 64 * 1024;
constexpr std::size_t MaxSharedText = 1024;

std::size_t RoomFor(std::size_t length) { return (length + 2) & ~std::size_t{1}; }

std::size_t OwnTextCost(std::size_t length) { return length + 1 + HeapBlockOverhead; }

} // namespace

// Records and borrowed room are charged as they are handed out, not by the block, so that a result's reader can tell
// from the values alone what the grid will be charged; the blocks' unused tails are at most a block of each kind.
std::size_t CellStore::CellCost(std::size_t length) {
    if (length == 0)
        return SlotSize;
    const std::size_t room = RoomFor(length);
    return SlotSize + (room > MaxSharedText ? OwnTextCost(length) : room);
}

CellStore::~CellStore() {
    assert(LiveCount == 0 && "every cell is destroyed before its grid's record");
    Release();
}

XLCell *CellStore::New() {
    XLCell *cell = nullptr;
    ResultBudget.ChargeFor(SlotSize, [&] { cell = Make(); });
    return cell;
}

XLCell *CellStore::Make() {
    void *slot = FreeSlots;
    if (slot) {
        FreeSlots = NextFree(slot);
    } else {
        if (Untouched == 0) {
            const std::size_t slots = Blocks.empty() ? FirstBlockSlots : std::min(MaxBlockSlots, LastBlockSlots * 2);
            Blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(slots * SlotSize));
            LastBlockSlots = slots;
            Untouched = slots;
        }
        slot = Blocks.back().get() + (LastBlockSlots - Untouched) * SlotSize;
        --Untouched;
    }
    XLCell *cell = new (slot) XLCell;
    ++LiveCount;
    return cell;
}

void CellStore::Delete(XLCell *cell) {
    if (cell->Text.Borrowed())
        TextLeftOver += RoomFor(cell->Text.View().size());
    ResultBudget.Release(OwnCost(cell->Text));
    cell->~XLCell();
    void *slot = cell;
    NextFree(slot) = FreeSlots;
    FreeSlots = slot;
    ResultBudget.Release(SlotSize);
    if (--LiveCount == 0)
        Release();
}

void CellStore::Release() {
    Blocks.clear();
    LastBlockSlots = 0;
    Untouched = 0;
    FreeSlots = nullptr;
    TextBlocks.clear();
    TextBlockUsed = 0;
    ResultBudget.Release(TextHandedOut);
    TextHandedOut = 0;
    TextLeftOver = 0;
}

void CellStore::SetText(CellText &text, std::string_view value) {
    value = CellText::Storable(value);
    // What the old text leaves behind, taken before the new one is copied, which may read from it.
    const std::size_t oldRoom = text.Borrowed() ? RoomFor(text.View().size()) : 0;
    const std::size_t oldOwnCost = OwnCost(text);
    // Every step that can fail comes before the old text is touched, so a failure leaves it as it was.
    if (char *room = value.empty() ? nullptr : TextRoom(RoomFor(value.size()))) {
        text.Borrow(value, room);
    } else {
        ResultBudget.ChargeFor(value.empty() ? 0 : OwnTextCost(value.size()), [&] { text.Assign(value); });
    }
    TextLeftOver += oldRoom;
    ResultBudget.Release(oldOwnCost);
}

char *CellStore::TextRoom(std::size_t size) {
    if (size > MaxSharedText || TextLeftOver > TextHandedOut / 2)
        return nullptr;
    char *room = nullptr;
    ResultBudget.ChargeFor(size, [&] { room = CarveText(size); });
    return room;
}

char *CellStore::CarveText(std::size_t size) {
    if (TextBlocks.empty() || TextBlockUsed + size > TextBlockSize) {
        TextBlocks.push_back(std::make_unique_for_overwrite<char[]>(TextBlockSize));
        TextBlockUsed = 0;
    }
    char *room = TextBlocks.back().get() + TextBlockUsed;
    TextBlockUsed += size;
    TextHandedOut += size;
    return room;
}

std::size_t CellStore::OwnCost(const CellText &text) {
    return text.Empty() || text.Borrowed() ? 0 : OwnTextCost(text.View().size());
}
