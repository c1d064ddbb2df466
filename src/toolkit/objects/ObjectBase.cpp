#include "toolkit/objects/ObjectBase.h"

#include "toolkit/objects/ProcEntry.h"
#include "toolkit/objects/PtrList.h"

namespace {

// A dying object's count is held negative, so references taken or dropped by its own destroy handlers cannot
// start a second destruction.
constexpr std::int32_t DyingRefCount = -2;

} // namespace

void ObjectBase::Destroy() {
    RunDestroyHandlers();
    delete this;
}

void ObjectBase::AddRef() {
    if (RefCount >= 0)
        RefCount += 2;
}

void ObjectBase::Free(ObjectBase *obj) {
    if (!obj || obj->RefCount < 0)
        return;
    obj->RefCount -= 2;
    if (obj->RefCount < 0)
        obj->Destroy();
}

void ObjectBase::RunDestroyHandlers() {
    // Destroy may also be called directly, bypassing Free.
    if (RefCount >= 0)
        RefCount = DyingRefCount;

    NotifyEvent handler = OnDestroy;
    OnDestroy.Clear();
    handler(this);

    // The list is re-read on every round: a released object may remove other entries from it, or empty and
    // release it, while this loop runs.
    while (AutoFreeList && AutoFreeList->Count >= 2) {
        std::int32_t last = AutoFreeList->Count - 2;
        ReleaseProc release = EntryToProc<ReleaseProc>(AutoFreeList->Get(last));
        auto *obj = static_cast<ObjectBase *>(AutoFreeList->Get(last + 1));
        AutoFreeList->DeleteRange(last, 2);
        release(obj);
    }
    FreeAndClear(AutoFreeList);
}

void ObjectBase::AddToAutoFree(ObjectBase *obj, ReleaseProc release) {
    if (!AutoFreeList)
        AutoFreeList = NewPtrList();
    AutoFreeList->Insert(0, obj);
    AutoFreeList->Insert(0, ProcToEntry(release));
}

void ObjectBase::RemoveFromAutoFree(ObjectBase *obj) {
    if (!AutoFreeList)
        return;
    // Search only the object slots: a procedure entry never names an object.
    for (std::int32_t i = 1; i < AutoFreeList->Count; i += 2) {
        if (AutoFreeList->Get(i) == obj) {
            AutoFreeList->DeleteRange(i - 1, 2);
            break;
        }
    }
    if (AutoFreeList->Count == 0)
        FreeAndClear(AutoFreeList);
}
