#include <gtest/gtest.h>

#include "image/WindowSnapshot.h"

namespace {

class WindowSnapshotTest : public ::testing::Test {
protected:
    void TearDown() override { ClearLastSnapshot(); }
};

TEST_F(WindowSnapshotTest, AnEmptyRegionGivesAnEmptyBitmap) {
    Bitmap *snapshot = CaptureWindowRegion(nullptr, 10, 10, 0, 0);
    ASSERT_NE(snapshot, nullptr);
    EXPECT_EQ(LastSnapshot, snapshot);
    EXPECT_TRUE(snapshot->IsEmpty());
    EXPECT_EQ(snapshot->OwnCanvas, nullptr);
    EXPECT_EQ(snapshot->Handle, nullptr);
    EXPECT_TRUE(snapshot->FailureMessage.empty());
    ObjectBase::Free(snapshot);
}

TEST_F(WindowSnapshotTest, TheLastSnapshotOutlivesItsCallersReference) {
    Bitmap *first = CaptureWindowRegion(nullptr, 0, 0, 4, 3);
    Bitmap *second = CaptureWindowRegion(nullptr, 0, 0, 2, 2);
    EXPECT_EQ(LastSnapshot, second);
    EXPECT_EQ(first->Width, 4) << "the first stays valid for its caller";
    EXPECT_EQ(second->DIBHeader->bmiHeader.biBitCount, 32);
    EXPECT_EQ(second->HandleType, HandleKind::DIB);
    ObjectBase::Free(first);
    ObjectBase::Free(second);
    ASSERT_EQ(LastSnapshot, second);
    EXPECT_EQ(LastSnapshot->Height, 2);
    ClearLastSnapshot();
    EXPECT_EQ(LastSnapshot, nullptr);
}

} // namespace
