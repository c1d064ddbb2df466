// The shared text's storage: one malloc'ed block, grown by half again, charged to a budget while it lives.
#include "db/SharedText.h"

#include "grid/MemoryBudget.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
constexpr std::size_t MinCapacity = 64;
} // namespace

struct SharedText::Storage {
    // NUL-terminated, Capacity + 1 bytes.
    char *Bytes = nullptr;
    std::size_t Size = 0;
    std::size_t Capacity = 0;
    MemoryBudget *Budget = nullptr;
    std::size_t Charged = 0;

    Storage() = default;
    Storage(const Storage &) = delete;
    Storage &operator=(const Storage &) = delete;
    ~Storage() {
        std::free(Bytes);
        if (Budget)
            Budget->Release(Charged);
    }

    static std::size_t Cost(std::size_t capacity) { return capacity + 1 + HeapBlockOverhead; }

    // Room for at least size bytes. Doubling, so that a text built by many appends is copied about once over in all:
    // each copy goes into fresh memory, which under Wine costs more than the appends themselves. Where the budget or
    // the memory refuses that, half again, and then just the size asked.
    void GrowFor(std::size_t size) {
        for (const std::size_t capacity : {Capacity * 2, Capacity + Capacity / 2}) {
            if (capacity <= size)
                break;
            try {
                Reserve(std::max(capacity, MinCapacity));
                return;
            } catch (const std::bad_alloc &) {
            }
        }
        Reserve(std::max(size, MinCapacity));
    }

    void Reserve(std::size_t capacity) {
        if (capacity <= Capacity && Bytes)
            return;
        auto grow = [&] {
            void *grown = std::realloc(Bytes, capacity + 1);
            if (!grown)
                throw std::bad_alloc();
            Bytes = static_cast<char *>(grown);
            Bytes[Size] = '\0';
            Capacity = capacity;
        };
        if (Budget) {
            Budget->Regrow(Charged, Cost(capacity), grow);
            Charged = Cost(capacity);
        } else {
            grow();
        }
    }
};

namespace {

// Fresh storage holding a copy of the content, with room for `capacity` bytes, charged to the budget if any.
std::shared_ptr<SharedText::Storage> CopyOf(std::string_view content, std::size_t capacity, MemoryBudget *budget) {
    auto fresh = std::make_shared<SharedText::Storage>();
    fresh->Budget = budget;
    fresh->Reserve(std::max(capacity, content.size()));
    if (!content.empty())
        std::memcpy(fresh->Bytes, content.data(), content.size());
    fresh->Bytes[content.size()] = '\0';
    fresh->Size = content.size();
    return fresh;
}

} // namespace

SharedText &SharedText::operator=(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    Data = CopyOf(text, text.size(), nullptr);
    Fixed = nullptr;
    return *this;
}

void SharedText::SetStatic(const char *text) noexcept {
    Data.reset();
    Fixed = text;
}

SharedText::Storage &SharedText::Own(std::size_t size) {
    if (Data && Data.use_count() == 1) {
        if (size > Data->Capacity)
            Data->GrowFor(size);
        return *Data;
    }
    // Shared or static: the change goes to a copy, which the other holders never see.
    Data = CopyOf(View(), size, Budget);
    Fixed = nullptr;
    return *Data;
}

void SharedText::Append(std::string_view text) {
    if (text.empty())
        return;
    std::memcpy(Grow(text.size()), text.data(), text.size());
}

char *SharedText::Grow(std::size_t count) {
    Storage &storage = Own(Size() + count);
    char *added = storage.Bytes + storage.Size;
    storage.Size += count;
    storage.Bytes[storage.Size] = '\0';
    return added;
}

void SharedText::Truncate(std::size_t size) {
    if (size >= Size())
        return;
    Storage &storage = Own(size);
    storage.Size = size;
    storage.Bytes[size] = '\0';
}

void SharedText::Clear() noexcept {
    Data.reset();
    Fixed = nullptr;
}

const char *SharedText::CStr() const noexcept {
    if (Data)
        return Data->Bytes;
    return Fixed ? Fixed : "";
}

std::string_view SharedText::View() const noexcept {
    if (Data)
        return {Data->Bytes, Data->Size};
    return Fixed ? std::string_view(Fixed) : std::string_view();
}
