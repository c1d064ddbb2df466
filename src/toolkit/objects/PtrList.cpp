#include "toolkit/objects/PtrList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

PtrList *NewPtrList() {
    PtrList *list = NewObject<PtrList>();
    list->AddBy = 4;
    return list;
}

PtrList::~PtrList() { Clear(); }

void PtrList::Destroy() {
    Clear();
    ObjectBase::Destroy();
}

std::int32_t PtrList::Add(void *item) {
    std::int32_t index = Count;
    if (index >= Capacity)
        SetCapacity(index + (AddBy != 0 ? AddBy : index / 4 + 1));
    Items[index] = item;
    Count = index + 1;
    return index;
}

bool PtrList::Insert(std::int32_t index, void *item) {
    if (index < 0 || index > Count)
        return false;
    Add(nullptr);
    std::memmove(Items + index + 1, Items + index, static_cast<std::size_t>(Count - 1 - index) * sizeof(void *));
    Items[index] = item;
    return true;
}

void *PtrList::Get(std::int32_t index) const {
    if (index < 0 || index >= Count)
        return nullptr;
    return Items[index];
}

void PtrList::Put(std::int32_t index, void *item) {
    if (index < 0 || index >= Count)
        return;
    Items[index] = item;
}

void PtrList::Delete(std::int32_t index) { DeleteRange(index, 1); }

void PtrList::DeleteRange(std::int32_t index, std::int32_t n) {
    // A negative index is refused as well: callers pass IndexOf results straight through.
    if (n <= 0 || index < 0 || index >= Count)
        return;
    if (n > Count - index)
        n = Count - index;
    std::int32_t tail = Count - index - n;
    std::memmove(Items + index, Items + index + n, static_cast<std::size_t>(tail) * sizeof(void *));
    Count -= n;
}

std::int32_t PtrList::IndexOf(const void *item) const {
    for (std::int32_t i = 0; i < Count; ++i) {
        if (Items[i] == item)
            return i;
    }
    return -1;
}

void PtrList::Remove(const void *item) {
    std::int32_t index = IndexOf(item);
    if (index >= 0)
        Delete(index);
}

void PtrList::SetCapacity(std::int32_t n) {
    if (n < Count)
        n = Count;
    if (n == Capacity)
        return;
    if (n == 0) {
        Clear();
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(n) * sizeof(void *);
    void *grown = ItemsBorrowed ? std::malloc(bytes) : std::realloc(Items, bytes);
    if (!grown)
        throw std::bad_alloc();
    if (ItemsBorrowed)
        std::memcpy(grown, Items, static_cast<std::size_t>(Count) * sizeof(void *));
    Items = static_cast<void **>(grown);
    ItemsBorrowed = false;
    Capacity = n;
}

void PtrList::Reserve(std::int32_t n) {
    if (n > Capacity)
        SetCapacity(std::max(n, Count + Count / 4 + 1));
}

void PtrList::Clear() {
    if (!ItemsBorrowed)
        std::free(Items);
    Items = nullptr;
    ItemsBorrowed = false;
    Count = 0;
    Capacity = 0;
}

void PtrList::UseRoom(void **room, std::int32_t capacity) {
    Clear();
    Items = room;
    ItemsBorrowed = true;
    Capacity = capacity;
}
