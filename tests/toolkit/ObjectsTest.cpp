#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/objects/ObjectBase.h"
#include "toolkit/objects/PtrList.h"

namespace {

using Names = std::vector<std::string>;
using Action = std::function<void(ObjectBase *)>;

// Records its initialisation and destruction in a shared journal.
class Probe : public ObjectBase {
public:
    Probe(Names *journal, std::string name) : journal_(journal), name_(std::move(name)) {}
    void Init() override { journal_->push_back("init " + name_); }
    void Destroy() override {
        journal_->push_back(name_);
        ObjectBase::Destroy();
    }

private:
    Names *journal_;
    std::string name_;
};

void OnDestroyDo(ObjectBase *obj, Action &action) {
    obj->OnDestroy = {[](void *data, ObjectBase *sender) { (*static_cast<Action *>(data))(sender); }, &action};
}

class ObjectsTest : public ::testing::Test {
protected:
    Probe *Make(const std::string &name) {
        Probe *probe = NewObject<Probe>(&journal, name);
        journal.clear();
        return probe;
    }
    Names journal;
};

TEST_F(ObjectsTest, ReferenceCountDecidesDestruction) {
    Probe *fresh = NewObject<Probe>(&journal, "fresh");
    EXPECT_EQ(journal, Names{"init fresh"});
    ObjectBase::Free(fresh);
    EXPECT_EQ(journal, (Names{"init fresh", "fresh"}));

    Probe *held = Make("held");
    held->AddRef();
    ObjectBase::Free(held);
    EXPECT_EQ(held->RefCount, 0);
    EXPECT_EQ(journal, Names{});
    ObjectBase::Free(held);
    EXPECT_EQ(journal, Names{"held"});

    ObjectBase::Free(nullptr);
}

TEST_F(ObjectsTest, FreeAndClearNullsTheReferenceBeforeTeardown) {
    Probe *ref = Make("a");
    Probe *seen = ref;
    Action look = [&](ObjectBase *) { seen = ref; };
    OnDestroyDo(ref, look);
    FreeAndClear(ref);
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(journal, Names{"a"});
    FreeAndClear(ref);
    EXPECT_EQ(journal, Names{"a"});
}

TEST_F(ObjectsTest, OwnerRunsOnDestroyOnceThenReleasesOldestFirst) {
    Probe *owner = Make("owner");
    Probe *held = Make("held");
    held->AddRef(); // the owner's release drops only its own reference
    for (Probe *obj : {Make("A"), held, Make("C")})
        owner->AddToAutoFree(obj);
    Action note = [&](ObjectBase *sender) { journal.push_back(sender->OnDestroy ? "still set" : "on-destroy"); };
    OnDestroyDo(owner, note);
    owner->Destroy(); // directly, as a form is closed: the count plays no part
    EXPECT_EQ(journal, (Names{"owner", "on-destroy", "A", "C"}));
    ObjectBase::Free(held);
    EXPECT_EQ(journal.back(), "held");
}

TEST_F(ObjectsTest, RemoveFromAutoFree) {
    Probe *owner = Make("owner");
    Probe *a = Make("A"), *b = Make("B"), *c = Make("C");
    owner->AddToAutoFree(a);
    owner->AddToAutoFree(b);
    owner->AddToAutoFree(c);
    owner->RemoveFromAutoFree(b);
    owner->RemoveFromAutoFree(b);
    EXPECT_EQ(owner->AutoFreeList->Count, 4);
    owner->RemoveFromAutoFree(a);
    owner->RemoveFromAutoFree(c);
    EXPECT_EQ(owner->AutoFreeList, nullptr); // emptied lists are released at once

    owner->AddToAutoFree(a);
    owner->AddToAutoFree(b);
    owner->AddToAutoFree(c);
    owner->RemoveFromAutoFree(b);
    ObjectBase::Free(owner);
    EXPECT_EQ(journal, (Names{"owner", "A", "C"}));
    ObjectBase::Free(b);
}

TEST_F(ObjectsTest, ReleasedObjectMayEmptyItsOwnersList) {
    Probe *owner = Make("owner");
    Probe *b = Make("B"), *c = Make("C");
    owner->AddToAutoFree(b);
    owner->AddToAutoFree(c);
    Action dropC = [&](ObjectBase *) { owner->RemoveFromAutoFree(c); };
    OnDestroyDo(b, dropC);
    ObjectBase::Free(owner);
    EXPECT_EQ(journal, (Names{"owner", "B"}));
    ObjectBase::Free(c);
}

TEST_F(ObjectsTest, DyingObjectIsDestroyedOnce) {
    Probe *a = Make("A");
    Action churn = [](ObjectBase *self) {
        self->AddRef();
        ObjectBase::Free(self);
        ObjectBase::Free(self);
    };
    OnDestroyDo(a, churn);
    ObjectBase::Free(a);
    EXPECT_EQ(journal, Names{"A"});

    Probe *owner = Make("owner");
    Probe *child = Make("child");
    owner->AddToAutoFree(child);
    Action freeOwner = [&](ObjectBase *) { ObjectBase::Free(owner); };
    OnDestroyDo(child, freeOwner);
    owner->Destroy();
    EXPECT_EQ(journal, (Names{"owner", "child"}));
}

TEST(EventTest, EmptySlotIsSkippedAndArgumentsArrive) {
    Event<int> slot;
    EXPECT_FALSE(slot);
    slot(nullptr, 1);

    std::pair<ObjectBase *, int> got{};
    auto *sender = reinterpret_cast<ObjectBase *>(&got);
    slot = {[](void *data, ObjectBase *from, int n) { *static_cast<decltype(got) *>(data) = {from, n}; }, &got};
    slot(sender, 42);
    EXPECT_EQ(got, std::make_pair(sender, 42));
}

} // namespace
