#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/objects/PtrList.h"
#include "toolkit/objects/RectHelpers.h"
#include "toolkit/objects/StringList.h"

namespace {

int slots[16];
void *Item(int i) { return &slots[i]; }

using Ptrs = std::vector<void *>;
using Texts = std::vector<std::string>;

class ListsTest : public ::testing::Test {
protected:
    void TearDown() override {
        ObjectBase::Free(list);
        ObjectBase::Free(strings);
    }
    Ptrs Entries() const {
        Ptrs result;
        for (std::int32_t i = 0; i < list->Count; ++i)
            result.push_back(list->Get(i));
        return result;
    }
    Texts Lines() const {
        Texts result;
        for (std::int32_t i = 0; i < strings->Count; ++i)
            result.push_back(strings->Get(i));
        return result;
    }
    PtrList *list = NewPtrList();
    StringList *strings = NewStringList();
};

TEST_F(ListsTest, PtrListGrowth) {
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list->Add(Item(i)), i);
    EXPECT_EQ(list->Capacity, 4);
    list->Add(Item(4));
    EXPECT_EQ(list->Capacity, 8);
    list->SetCapacity(2);
    EXPECT_EQ(list->Capacity, 5); // never below Count
    EXPECT_EQ(Entries(), (Ptrs{Item(0), Item(1), Item(2), Item(3), Item(4)}));

    list->Clear();
    list->AddBy = 0; // a quarter of the count, plus one
    std::vector<std::int32_t> capacities;
    for (int i = 0; i < 9; ++i) {
        list->Add(Item(i));
        capacities.push_back(list->Capacity);
    }
    EXPECT_EQ(capacities, (std::vector<std::int32_t>{1, 2, 3, 4, 6, 6, 8, 8, 11}));
    EXPECT_EQ(list->Get(8), Item(8));
}

TEST_F(ListsTest, PtrListIgnoresOutOfRangeAccess) {
    list->Add(Item(0));
    list->Add(Item(1));
    EXPECT_EQ(list->Get(-1), nullptr);
    EXPECT_EQ(list->Get(2), nullptr);
    list->Put(-1, Item(9));
    list->Put(2, Item(9));
    EXPECT_FALSE(list->Insert(-1, Item(9)));
    EXPECT_FALSE(list->Insert(3, Item(9)));
    list->Delete(-1);
    list->Delete(2);
    list->DeleteRange(0, 0);
    list->DeleteRange(0, -3);
    EXPECT_EQ(Entries(), (Ptrs{Item(0), Item(1)}));
}

TEST_F(ListsTest, PtrListEditing) {
    list->Add(Item(1));
    list->Add(Item(3));
    EXPECT_TRUE(list->Insert(0, Item(0)));
    EXPECT_TRUE(list->Insert(2, Item(2)));
    EXPECT_TRUE(list->Insert(4, Item(4)));
    list->Add(Item(1));
    list->Put(5, Item(5));
    EXPECT_EQ(Entries(), (Ptrs{Item(0), Item(1), Item(2), Item(3), Item(4), Item(5)}));

    list->DeleteRange(1, 2);
    EXPECT_EQ(Entries(), (Ptrs{Item(0), Item(3), Item(4), Item(5)}));
    list->DeleteRange(3, 100);
    EXPECT_EQ(Entries(), (Ptrs{Item(0), Item(3), Item(4)}));

    list->Add(Item(3));
    EXPECT_EQ(list->IndexOf(Item(3)), 1);
    EXPECT_EQ(list->IndexOf(Item(0)), 0);
    EXPECT_EQ(list->IndexOf(Item(7)), -1);
    list->Remove(Item(3));
    list->Remove(Item(7));
    EXPECT_EQ(Entries(), (Ptrs{Item(0), Item(4), Item(3)}));
}

TEST_F(ListsTest, StringListKeepsCopiesAndCountInStep) {
    EXPECT_EQ(strings->NameValueSeparator, '=');
    EXPECT_EQ(strings->Get(0), ""); // no lines yet
    strings->Put(0, "x");
    strings->Delete(0);
    EXPECT_EQ(strings->Count, 0);

    std::string source = "b";
    EXPECT_EQ(strings->Add(source), 0);
    source = "changed";
    EXPECT_EQ(strings->Add(""), 1);
    EXPECT_TRUE(strings->Insert(0, "a"));
    EXPECT_FALSE(strings->Insert(4, "far"));
    EXPECT_FALSE(strings->Insert(-1, "far"));
    strings->Put(2, "c");
    strings->Put(3, "beyond");
    strings->Delete(3);
    strings->Delete(-1);
    EXPECT_EQ(Lines(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(strings->Lines->Count, 3);
    EXPECT_EQ(strings->Get(3), "");

    strings->Delete(0);
    EXPECT_EQ(Lines(), (Texts{"b", "c"}));
    strings->Clear();
    EXPECT_EQ(strings->Lines, nullptr);
    strings->Add("again");
    EXPECT_EQ(Lines(), Texts{"again"});
}

TEST_F(ListsTest, StringListLeavesBufferLinesToTheBuffer) {
    // Lines loaded in bulk point into one block; freeing one of them alone trips the sanitizer.
    static const char bulk[] = "first\0second";
    strings->TextBuffer = static_cast<char *>(std::malloc(sizeof bulk));
    strings->TextBufferSize = sizeof bulk;
    std::memcpy(strings->TextBuffer, bulk, sizeof bulk);
    strings->Add("");
    strings->Add("");
    std::free(strings->Lines->Get(0));
    std::free(strings->Lines->Get(1));
    strings->Lines->Put(0, strings->TextBuffer);
    strings->Lines->Put(1, strings->TextBuffer + 6);
    strings->Add("third");
    ASSERT_EQ(Lines(), (Texts{"first", "second", "third"}));

    strings->Put(0, "replaced");
    strings->Delete(1);
    EXPECT_EQ(Lines(), (Texts{"replaced", "third"}));
    strings->Clear();
    EXPECT_EQ(strings->TextBuffer, nullptr);
}

TEST(UtilitiesTest, IntegersAndRectangles) {
    EXPECT_EQ(IntMin(-5, 3), -5);
    EXPECT_EQ(IntMax(-5, 3), 3);

    RECT r = MakeRect(1, 2, 3, 4);
    POINT p = MakePoint(5, 6);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom, p.x, p.y}), (std::vector<LONG>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(RectsEqual(r, MakeRect(1, 2, 3, 4)));
    for (LONG RECT::*field : {&RECT::left, &RECT::top, &RECT::right, &RECT::bottom}) {
        RECT other = r;
        other.*field += 1;
        EXPECT_FALSE(RectsEqual(r, other));
    }

    RECT box = MakeRect(0, 0, 10, 10);
    for (POINT in : {MakePoint(10, 10), MakePoint(0, 0), MakePoint(0, 10)})
        EXPECT_TRUE(PointInRect(in, box)) << in.x << "," << in.y;
    for (POINT out : {MakePoint(11, 5), MakePoint(5, 11), MakePoint(-1, 5), MakePoint(5, -1)})
        EXPECT_FALSE(PointInRect(out, box)) << out.x << "," << out.y;
}

} // namespace
