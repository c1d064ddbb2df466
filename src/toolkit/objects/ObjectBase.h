// The toolkit's object model: reference-counted objects that own other objects through an auto-free list.
#pragma once

#include <concepts>
#include <cstdint>
#include <utility>

#include "toolkit/objects/EventSlot.h"

class PtrList;

// Objects are made with NewObject and released with Free; they never live on the stack and are never deleted
// directly. Init (called right after allocation) and Destroy are the type's two overridable operations; an
// override of Destroy does its own teardown first and ends by calling its base's Destroy, which frees the memory.
class ObjectBase {
public:
    using ReleaseProc = void (*)(ObjectBase *obj);

    ObjectBase() = default;
    ObjectBase(const ObjectBase &) = delete;
    ObjectBase &operator=(const ObjectBase &) = delete;

    virtual void Init() {}
    // Tears the object down regardless of its reference count; `this` is gone afterwards.
    virtual void Destroy();

    void AddRef();
    // Drops one reference; the object is destroyed when the count goes negative. Null is ignored.
    static void Free(ObjectBase *obj);

    // Runs OnDestroy, then releases the auto-free list oldest first. Safe to call more than once.
    void RunDestroyHandlers();
    void AddToAutoFree(ObjectBase *obj, ReleaseProc release = &ObjectBase::Free);
    void RemoveFromAutoFree(ObjectBase *obj);

    // Counts in steps of 2: 0 after creation, negative once destruction has begun.
    std::int32_t RefCount = 0;
    NotifyEvent OnDestroy;
    // (release procedure, object) pairs, newest first; created on first use.
    PtrList *AutoFreeList = nullptr;
    // Free for the object's user; wide enough for a pointer on every platform.
    std::intptr_t Tag = 0;

protected:
    virtual ~ObjectBase() = default;
};

template <std::derived_from<ObjectBase> T, class... Args> T *NewObject(Args &&...args) {
    T *obj = new T(std::forward<Args>(args)...);
    try {
        obj->Init();
    } catch (...) {
        // Destroy copes with a partly initialised object, since every field starts out empty.
        obj->Destroy();
        throw;
    }
    return obj;
}

// Clears the reference before releasing, so nothing reached from the object's teardown sees a dangling pointer.
template <std::derived_from<ObjectBase> T> void FreeAndClear(T *&ref) {
    T *obj = ref;
    ref = nullptr;
    ObjectBase::Free(obj);
}
