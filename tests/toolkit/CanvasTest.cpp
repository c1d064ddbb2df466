#include <gtest/gtest.h>

#include <memory>

#include "support/PixelSurface.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr COLORREF Back = RGB(0x12, 0x34, 0x56);
constexpr COLORREF Inverse = RGB(0xED, 0xCB, 0xA9);

// A canvas over a memory DC of its own with a 32-bit picture selected in it.
class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        Picture = std::make_unique<PixelSurface>(12, 10, Back);
        Picture->FreeDC();
        Dc = CreateCompatibleDC(nullptr);
        Saved = SelectObject(Dc, Picture->Bitmap());
        canvas = NewCanvas(Dc);
    }
    void TearDown() override {
        if (canvas) {
            canvas->DeselectTools();
            SelectObject(Dc, Saved);
            ObjectBase::Free(canvas); // deletes Dc
        }
    }
    COLORREF Pixel(int x, int y) const { return Picture->Pixel(x, y); }

    std::unique_ptr<PixelSurface> Picture;
    HDC Dc = nullptr;
    HGDIOBJ Saved = nullptr;
    Canvas *canvas = nullptr;
};

TEST_F(CanvasTest, SelectsOnlyWhatIsAskedAndOnlyOnce) {
    const HGDIOBJ pen = canvas->Pen()->GetHandle();
    const HGDIOBJ brush = canvas->Brush()->GetHandle();
    const HGDIOBJ dcBrush = GetCurrentObject(Dc, OBJ_BRUSH);
    EXPECT_EQ(canvas->RequireState(CanvasState::Pen), Dc);
    EXPECT_EQ(GetCurrentObject(Dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(Dc, OBJ_BRUSH), dcBrush);

    // Already selected: not selected again, even when something else took its place.
    SelectObject(Dc, GetStockObject(WHITE_PEN));
    canvas->RequireState(CanvasState::Pen | CanvasState::Brush);
    EXPECT_EQ(GetCurrentObject(Dc, OBJ_PEN), GetStockObject(WHITE_PEN));
    EXPECT_EQ(GetCurrentObject(Dc, OBJ_BRUSH), brush);

    // A change deselects, so the next call selects the new handle.
    canvas->Pen()->SetColor(RGB(1, 1, 1));
    EXPECT_EQ(canvas->State & CanvasState::Tools, 0);
    EXPECT_EQ(GetCurrentObject(Dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    canvas->RequireState(CanvasState::Pen);
    EXPECT_EQ(GetCurrentObject(Dc, OBJ_PEN), canvas->PenTool->Handle);
}

TEST_F(CanvasTest, ABrokenLinePenAlsoSetsTheBackgroundFromTheBrush) {
    canvas->Brush()->SetColor(RGB(0, 200, 0));
    SetBkColor(Dc, RGB(1, 2, 3));
    SetBkMode(Dc, TRANSPARENT);
    canvas->RequireState(CanvasState::Pen); // a solid pen leaves the background alone
    EXPECT_EQ(GetBkColor(Dc), RGB(1, 2, 3));

    canvas->Pen()->Settings.Pen.PenStyle = PS_DOT;
    canvas->Pen()->Changed();
    canvas->RequireState(CanvasState::Pen);
    EXPECT_EQ(GetBkColor(Dc), RGB(0, 200, 0));
    EXPECT_EQ(GetBkMode(Dc), OPAQUE);
    EXPECT_EQ(GetROP2(Dc), R2_COPYPEN);

    // Any other brush style: the inverse colour, transparent.
    canvas->Brush()->SetBrushStyle(BrushStyleKind::Clear);
    canvas->RequireState(CanvasState::Brush);
    EXPECT_EQ(GetBkColor(Dc), RGB(255, 55, 255));
    EXPECT_EQ(GetBkMode(Dc), TRANSPARENT);
}

TEST_F(CanvasTest, FillWithoutBrushOrOwnerUsesTheWindowColour) {
    canvas->FillRect(RECT{0, 0, 3, 3});
    EXPECT_EQ(Pixel(1, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(Pixel(3, 3), Back);
}

TEST_F(CanvasTest, ABrushColourChangeBetweenFillsPaintsBothColours) {
    canvas->Brush()->SetColor(RGB(255, 0, 0));
    canvas->FillRect(RECT{0, 0, 4, 4});
    const HGDIOBJ first = canvas->BrushTool->Handle;
    canvas->Brush()->SetColor(RGB(0, 0, 255));
    EXPECT_EQ(GetObjectType(first), 0u) << "the first brush is deleted once deselected";
    canvas->FillRect(RECT{4, 0, 8, 4});
    EXPECT_EQ(Pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(5, 1), RGB(0, 0, 255));
}

TEST_F(CanvasTest, AnInvertingWidePenFramesWithoutFilling) {
    // How the grid marks its current cell: width 5, R2_NOT, a clear brush.
    canvas->Pen()->SetIntField(ToolField::PenWidth, 5);
    canvas->Pen()->SetPenMode(R2_NOT - 1);
    canvas->Brush()->SetBrushStyle(BrushStyleKind::Clear);
    canvas->Rectangle(3, 3, 10, 11);
    EXPECT_EQ(Pixel(3, 3), Inverse);
    EXPECT_EQ(Pixel(1, 5), Inverse);
    EXPECT_EQ(Pixel(6, 6), Back);
    EXPECT_EQ(Pixel(0, 5), Back);
    EXPECT_EQ(GetROP2(Dc), R2_NOT);
}

TEST_F(CanvasTest, FocusRectangleAndPenPosition) {
    canvas->DrawFocusRect(RECT{1, 1, 5, 4});
    EXPECT_EQ(Pixel(4, 1), Inverse); // every other pixel from the top right
    EXPECT_EQ(Pixel(3, 1), Back);

    canvas->SetPenPos(POINT{7, 2});
    POINT at{};
    GetCurrentPositionEx(Dc, &at);
    EXPECT_EQ(at.x, 7);
    EXPECT_EQ(at.y, 2);
}

TEST_F(CanvasTest, ANewDCTakesThePenPositionAndTheOldOneIsDeleted) {
    canvas->SetPenPos(POINT{4, 5});
    canvas->DeselectTools();
    SelectObject(Dc, Saved);
    HDC other = CreateCompatibleDC(nullptr);
    canvas->SetHandle(other);
    EXPECT_EQ(GetObjectType(Dc), 0u);
    POINT at{};
    GetCurrentPositionEx(other, &at);
    EXPECT_EQ(at.x, 4);
    EXPECT_EQ(at.y, 5);
    canvas->SetHandle(nullptr);
    EXPECT_EQ(GetObjectType(other), 0u);
    EXPECT_EQ(canvas->RequireState(CanvasState::DC | CanvasState::Brush), nullptr);
    EXPECT_EQ(canvas->State, 0);
    ObjectBase::Free(canvas);
    canvas = nullptr;
}

// A stand-in for a control: hands out a DC it keeps, and a colour and tools.
struct FakeOwner {
    HDC Dc = nullptr;
    int Released = 0;
    std::uint32_t Color = RGB(0, 128, 0);
    std::uint32_t TextColor = RGB(0, 0, 128);
    Brush *OwnBrush = nullptr;
    Font *OwnFont = nullptr;
};
FakeOwner *owner = nullptr;

const ControlCanvasHook FakeHook = {
    [](Canvas *) { return owner->Dc; },       [](Canvas *, HDC) { ++owner->Released; },
    [](Canvas *) { return owner->Color; },    [](Canvas *) { return owner->TextColor; },
    [](Canvas *) { return owner->OwnBrush; }, [](Canvas *) { return owner->OwnFont; },
};

class OwnedCanvasTest : public CanvasTest {
protected:
    void SetUp() override {
        CanvasTest::SetUp();
        canvas->SetHandle(nullptr);
        owner = &Owner;
        Owner.Dc = CreateCompatibleDC(nullptr);
        SelectObject(Owner.Dc, Picture->Bitmap());
        owned = NewCanvas();
        owned->GetHandleHook = &FakeHook;
    }
    void TearDown() override {
        ObjectBase::Free(owned);
        ObjectBase::Free(Owner.OwnBrush);
        ObjectBase::Free(Owner.OwnFont);
        SelectObject(Owner.Dc, Saved);
        DeleteDC(Owner.Dc);
        owner = nullptr;
        ObjectBase::Free(canvas);
        canvas = nullptr;
    }
    FakeOwner Owner;
    Canvas *owned = nullptr;
};

TEST_F(OwnedCanvasTest, FillsWithTheOwnersBrushOrColourAndGivesTheDCBack) {
    owned->FillRect(RECT{0, 0, 2, 2});
    EXPECT_EQ(Pixel(0, 0), RGB(0, 128, 0));
    Owner.OwnBrush = NewBrush();
    Owner.OwnBrush->SetColor(RGB(128, 0, 0));
    owned->FillRect(RECT{2, 0, 4, 2});
    EXPECT_EQ(Pixel(2, 0), RGB(128, 0, 0));

    owned->RequireState(CanvasState::Font | CanvasState::Brush); // no tools: the owner's colours
    EXPECT_EQ(GetTextColor(Owner.Dc), RGB(0, 0, 128));
    EXPECT_EQ(GetBkColor(Owner.Dc), RGB(0, 128, 0));

    owned->SetHandle(nullptr);
    EXPECT_EQ(Owner.Released, 1);
    EXPECT_NE(GetObjectType(Owner.Dc), 0u) << "the owner's DC is given back, not deleted";
}

TEST_F(OwnedCanvasTest, NewToolsStartAsTheOwnersTools) {
    Owner.OwnFont = NewFont();
    Owner.OwnFont->SetColor(RGB(7, 7, 7));
    Owner.OwnFont->SetStyle(FontStyle::Bold);
    EXPECT_EQ(owned->Font()->Settings.Color, RGB(7, 7, 7));
    EXPECT_EQ(owned->Font()->GetStyle(), FontStyle::Bold);
    EXPECT_EQ(owned->Brush()->Settings.Color, RGB(0, 128, 0)); // no brush tool: the owner's colour

    owned->RequireState(CanvasState::DC | CanvasState::Font);
    EXPECT_EQ(GetTextColor(Owner.Dc), RGB(7, 7, 7));
    EXPECT_EQ(GetCurrentObject(Owner.Dc, OBJ_FONT), owned->FontTool->Handle);
}

} // namespace
