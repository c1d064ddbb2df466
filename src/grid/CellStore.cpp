#include "grid/CellStore.h"

#include <algorithm>
#include <cassert>
#include <new>

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

} // namespace

CellStore::~CellStore() {
    assert(LiveCount == 0 && "every cell is destroyed before its grid's record");
    Release();
}

XLCell *CellStore::New() {
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
    Abandon(cell->Text);
    cell->~XLCell();
    void *slot = cell;
    NextFree(slot) = FreeSlots;
    FreeSlots = slot;
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
    TextHandedOut = 0;
    TextLeftOver = 0;
}

void CellStore::SetText(CellText &text, std::string_view value) {
    value = CellText::Storable(value);
    char *room = value.empty() ? nullptr : TextRoom(RoomFor(value.size()));
    // The old text is counted as left over before the new one is copied, which may read from it.
    Abandon(text);
    if (room)
        text.Borrow(value, room);
    else
        text.Assign(value);
}

char *CellStore::TextRoom(std::size_t size) {
    if (size > MaxSharedText || TextLeftOver > TextHandedOut / 2)
        return nullptr;
    if (TextBlocks.empty() || TextBlockUsed + size > TextBlockSize) {
        TextBlocks.push_back(std::make_unique_for_overwrite<char[]>(TextBlockSize));
        TextBlockUsed = 0;
    }
    char *room = TextBlocks.back().get() + TextBlockUsed;
    TextBlockUsed += size;
    TextHandedOut += size;
    return room;
}

void CellStore::Abandon(const CellText &text) {
    if (text.Borrowed())
        TextLeftOver += RoomFor(text.View().size());
}
