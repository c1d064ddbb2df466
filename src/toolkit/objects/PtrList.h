// A growable array of untyped pointers: children, attached procedures, grid rows and columns.
#pragma once

#include <cstdint>

#include "toolkit/objects/ObjectBase.h"

// Out-of-range reads give null and out-of-range writes are ignored, so callers can index without checking.
class PtrList : public ObjectBase {
public:
    void Destroy() override;

    // Appends and returns the new entry's index.
    std::int32_t Add(void *item);
    // Valid positions are 0 to Count (Count appends); returns false and changes nothing otherwise.
    bool Insert(std::int32_t index, void *item);
    void *Get(std::int32_t index) const;
    void Put(std::int32_t index, void *item);
    void Delete(std::int32_t index);
    // Removes up to n entries starting at index; the count is cut to the entries available.
    void DeleteRange(std::int32_t index, std::int32_t n);
    // First position holding item, or -1.
    std::int32_t IndexOf(const void *item) const;
    void Remove(const void *item);
    // Never shrinks below Count.
    void SetCapacity(std::int32_t n);
    // Room for n entries, grown by at least a quarter of the count, so a list resized a little at a time stays
    // amortised and one sized at once takes no more than it needs.
    void Reserve(std::int32_t n);
    void Clear();
    // Makes the empty list keep its entries in room it does not own, up to capacity of them: the list never frees
    // that room, and a change of capacity moves the entries into an allocation of the list's own.
    void UseRoom(void **room, std::int32_t capacity);

    void **Items = nullptr;
    std::int32_t Count = 0;
    std::int32_t Capacity = 0;
    // Growth step; 0 grows by a quarter of the count (plus one).
    std::int32_t AddBy = 0;
    // Items lies in room given with UseRoom.
    bool ItemsBorrowed = false;

protected:
    ~PtrList() override;
};

// An empty list growing 4 entries at a time.
PtrList *NewPtrList();
