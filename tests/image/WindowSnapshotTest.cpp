// Snapshots of a window region: the pixels copied, regions reaching outside, empty regions, the last snapshot, and
// the part of a region a window shows.
#include <gtest/gtest.h>

#include "support/PixelSurface.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/bitmaps/WindowSnapshot.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/windows/ControlDrawingTools.h"

#include <vector>

namespace {

constexpr COLORREF Left = RGB(200, 0, 0);
constexpr COLORREF Right = RGB(0, 0, 200);

class WindowSnapshot : public ToolkitTest {
protected:
    void TearDown() override {
        ClearLastSnapshot();
        ToolkitTest::TearDown();
    }

    // A shown window painted in two halves: red on the left, blue from x = 20.
    Control *PaintedPanel() {
        Control *panel = Panel(40, 30);
        panel->SetOnPaint({[](void *, ObjectBase *sender, HDC) {
                               Canvas *canvas = ControlCanvas(static_cast<Control *>(sender));
                               canvas->Brush()->SetColor(Left);
                               canvas->FillRect(RECT{0, 0, 20, 30});
                               canvas->Brush()->SetColor(Right);
                               canvas->FillRect(RECT{20, 0, 40, 30});
                           },
                           nullptr});
        InvalidateRect(panel->Handle, nullptr, TRUE);
        UpdateWindow(panel->Handle);
        Pump();
        return panel;
    }

    // A pixel of a 32-bit snapshot, whose rows lie bottom-up in memory.
    static COLORREF PixelOf(Bitmap *snapshot, int x, int y) {
        const auto *bits = static_cast<const DWORD *>(snapshot->DIBBits);
        return FromDibPixel(bits[(snapshot->Height - 1 - y) * snapshot->Width + x]);
    }
};

TEST_F(WindowSnapshot, HoldsThePixelsOfTheRegion) {
    Control *panel = PaintedPanel();
    Bitmap *snapshot = CaptureWindowRegion(panel->Handle, 15, 5, 10, 20);
    ASSERT_EQ(snapshot->Width, 10);
    ASSERT_EQ(snapshot->Height, 20);
    EXPECT_EQ(snapshot->PixelFormat, PixelFormat::Bits32);
    ASSERT_NE(snapshot->Handle, nullptr);
    EXPECT_EQ(PixelOf(snapshot, 0, 0), Left);
    EXPECT_EQ(PixelOf(snapshot, 4, 19), Left);
    EXPECT_EQ(PixelOf(snapshot, 5, 0), Right);
    EXPECT_EQ(PixelOf(snapshot, 9, 19), Right);
    ObjectBase::Free(snapshot);
}

TEST_F(WindowSnapshot, ARegionReachingOutsideStillCopiesWhatIsInside) {
    Control *panel = PaintedPanel();
    Bitmap *snapshot = CaptureWindowRegion(panel->Handle, 30, 20, 20, 20);
    ASSERT_NE(snapshot->Handle, nullptr);
    EXPECT_EQ(PixelOf(snapshot, 0, 0), Right);
    EXPECT_EQ(PixelOf(snapshot, 9, 9), Right);
    EXPECT_TRUE(snapshot->FailureMessage.empty());
    ObjectBase::Free(snapshot);
}

TEST_F(WindowSnapshot, AnEmptyRegionGivesAnEmptyBitmap) {
    Control *panel = PaintedPanel();
    Bitmap *snapshot = CaptureWindowRegion(panel->Handle, 10, 10, 0, 0);
    ASSERT_NE(snapshot, nullptr);
    EXPECT_EQ(LastSnapshot, snapshot);
    EXPECT_TRUE(snapshot->IsEmpty());
    EXPECT_EQ(snapshot->OwnCanvas, nullptr);
    EXPECT_EQ(snapshot->Handle, nullptr);
    EXPECT_TRUE(snapshot->FailureMessage.empty());
    ObjectBase::Free(snapshot);
}

// A window whose pixels cannot be read gives no pixels that could pass for its own: the failure is said.
TEST_F(WindowSnapshot, AWindowWithoutPixelsGivesAFailedSnapshot) {
    Control *panel = PaintedPanel();
    const HWND gone = panel->Handle;
    Bitmap *good = CaptureWindowRegion(gone, 0, 0, 4, 4);
    EXPECT_TRUE(good->FailureMessage.empty());
    ObjectBase::Free(good);
    DestroyWindow(gone);
    Bitmap *failed = CaptureWindowRegion(gone, 0, 0, 4, 4);
    EXPECT_FALSE(failed->FailureMessage.empty());
    ObjectBase::Free(failed);
}

TEST_F(WindowSnapshot, TheLastSnapshotOutlivesItsCallersReference) {
    Control *panel = PaintedPanel();
    Bitmap *first = CaptureWindowRegion(panel->Handle, 0, 0, 4, 3);
    Bitmap *second = CaptureWindowRegion(panel->Handle, 20, 0, 2, 2);
    EXPECT_EQ(LastSnapshot, second);
    EXPECT_EQ(PixelOf(first, 3, 2), Left) << "the first stays valid for its caller";
    ObjectBase::Free(first);
    ObjectBase::Free(second);
    ASSERT_EQ(LastSnapshot, second);
    EXPECT_EQ(PixelOf(LastSnapshot, 1, 1), Right);
    ClearLastSnapshot();
    EXPECT_EQ(LastSnapshot, nullptr);
}

struct RegionCase {
    const char *Name;
    int X, Y, Width, Height;
    RECT Expected;
};

// The panel's client area is 40 x 30.
const RegionCase RegionCases[] = {
    {"inside", 5, 6, 10, 12, {5, 6, 15, 18}},
    {"the whole area", 0, 0, 40, 30, {0, 0, 40, 30}},
    {"over the left and top edges", -300, -200, 310, 205, {0, 0, 10, 5}},
    {"over the right and bottom edges", 30, 20, 20000, 20000, {30, 20, 40, 30}},
    {"past the 32-bit range", 35, 25, 0x7FFFFFFF, 0x7FFFFFFF, {35, 25, 40, 30}},
    {"right of the area", 40, 0, 10, 10, {}},
    {"below the area", 0, 31, 10, 10, {}},
    {"zero size", 5, 5, 0, 0, {}},
    {"negative size", 20, 20, -10, -10, {}},
};

TEST_F(WindowSnapshot, TheVisiblePartIsTheRegionInsideTheClientArea) {
    Control *panel = PaintedPanel();
    for (const RegionCase &c : RegionCases) {
        const RECT part = VisibleClientPart(panel->Handle, c.X, c.Y, c.Width, c.Height);
        EXPECT_EQ(std::vector<LONG>({part.left, part.top, part.right, part.bottom}),
                  std::vector<LONG>({c.Expected.left, c.Expected.top, c.Expected.right, c.Expected.bottom}))
            << c.Name;
    }
    const RECT none = VisibleClientPart(nullptr, 0, 0, 10, 10);
    EXPECT_EQ(none.right - none.left, 0) << "no window";
}

} // namespace
