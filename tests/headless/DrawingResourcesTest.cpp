// What drawing costs in GDI objects, and what it leaves behind, seen through
// the headless GDI's inspection.
#include <gtest/gtest.h>

#include "headless/GdiInspect.h"
#include "support/PixelSurface.h"
#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

class DrawingResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Stock objects are fetched before counting; they are not counted anyway.
        GetStockObject(SYSTEM_FONT);
        headless::ClearGdiMisuses();
        headless::ClearTextDraws();
        Start = headless::LiveGdiObjects();
    }
    void TearDown() override {
        EXPECT_EQ(headless::LiveGdiObjects(), Start) << "a GDI object was left behind";
        EXPECT_TRUE(headless::GdiMisuses().empty()) << headless::GdiMisuses().front();
        headless::ResetSystemColors();
    }
    headless::GdiObjectCounts Start;
};

TEST_F(DrawingResourcesTest, BitmapsAndTheirCanvasesLeaveNothingBehind) {
    for (std::uint8_t type : {HandleKind::DIB, HandleKind::DDB}) {
        Bitmap *bitmap = type == HandleKind::DDB ? NewDDBitmap(8, 6) : NewDIBitmap(8, 6, PixelFormat::Bits32);
        Canvas *canvas = bitmap->Canvas();
        canvas->Font();
        canvas->Pen()->SetIntField(ToolField::PenWidth, 3);
        canvas->Brush()->SetColor(RGB(9, 9, 9));
        canvas->Rectangle(1, 1, 5, 5);
        canvas->RequireState(CanvasState::Font);
        bitmap->SetWidth(12);
        bitmap->SetHeight(9);
        bitmap->Canvas()->FillRect(RECT{0, 0, 2, 2});
        ObjectBase::Free(bitmap);
    }
}

TEST_F(DrawingResourcesTest, RepeatingEqualSettingsMakesNoObjects) {
    Bitmap *bitmap = NewDDBitmap(40, 10);
    Canvas *canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(RGB(1, 2, 3));
    canvas->FillRect(RECT{0, 0, 4, 10});
    const int made = headless::CreatedGdiObjects().Total();
    for (int cell = 1; cell < 10; ++cell) {
        canvas->Brush()->SetColor(RGB(1, 2, 3));
        canvas->Brush()->SetBrushStyle(BrushStyleKind::Solid);
        canvas->FillRect(RECT{cell * 4, 0, cell * 4 + 4, 10});
    }
    EXPECT_EQ(headless::CreatedGdiObjects().Total(), made);

    // Each cell copies its font into the canvas: equal fonts keep the canvas font's handle.
    Font *cellFont = NewFont();
    cellFont->SetStyle(FontStyle::Bold);
    DrawingTool::Assign(canvas->Font(), cellFont);
    canvas->RequireState(CanvasState::Font);
    const int withFont = headless::CreatedGdiObjects().Total();
    for (int cell = 0; cell < 10; ++cell) {
        DrawingTool::Assign(canvas->Font(), cellFont);
        canvas->RequireState(CanvasState::Font);
    }
    EXPECT_EQ(headless::CreatedGdiObjects().Total(), withFont);
    ObjectBase::Free(cellFont);
    ObjectBase::Free(bitmap);
}

TEST_F(DrawingResourcesTest, ChangingTheBrushBetweenFillsDeletesOnlyDeselectedBrushes) {
    Bitmap *bitmap = NewDDBitmap(8, 2);
    Canvas *canvas = bitmap->Canvas();
    for (COLORREF color : {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0)}) {
        canvas->Brush()->SetColor(color);
        canvas->FillRect(RECT{0, 0, 8, 2});
    }
    // TearDown finds no deletion of a selected brush among the misuses.
    ObjectBase::Free(bitmap);
}

TEST_F(DrawingResourcesTest, AFailedSectionCarriesTheSystemText) {
    Bitmap *bitmap = NewDIBitmap(4, 4, PixelFormat::Bits32);
    headless::FailNextCreateDIBSection(8);
    EXPECT_EQ(bitmap->Canvas(), nullptr);
    EXPECT_EQ(bitmap->FailureMessage, "Can not create DIB section, error: 8 Not enough memory.");
    EXPECT_NE(bitmap->DIBBits, nullptr);
    EXPECT_NE(bitmap->Canvas(), nullptr) << "the next attempt may succeed";
    ObjectBase::Free(bitmap);
}

TEST_F(DrawingResourcesTest, ADeviceThatRefusesDIBsGetsTheSectionDrawnInstead) {
    Bitmap *bitmap = NewDIBitmap(2, 1, PixelFormat::Bits32);
    static_cast<DWORD *>(bitmap->DIBBits)[1] = 0x00FF00;
    {
        PixelSurface target(3, 1);
        headless::FailNextStretchDIBits();
        bitmap->Draw(target.DC(), 1, 0);
        EXPECT_NE(bitmap->Handle, nullptr);
        EXPECT_EQ(target.Pixel(2, 0), RGB(0, 255, 0));
    }
    ObjectBase::Free(bitmap);
}

TEST_F(DrawingResourcesTest, TextIsDrawnWithTheCanvasFontAndColour) {
    Bitmap *bitmap = NewDDBitmap(50, 20);
    Canvas *canvas = bitmap->Canvas();
    canvas->Font()->SetColor(RGB(200, 0, 0));
    canvas->Font()->SetStyle(FontStyle::Bold);
    canvas->Brush()->SetColor(RGB(0, 0, 200));
    RECT box{2, 2, 48, 18};
    DrawTextA(canvas->RequireState(CanvasState::DC | CanvasState::Font | CanvasState::Brush), "cell", -1, &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const std::vector<headless::TextDraw> draws = headless::TextDraws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].Text, "cell");
    EXPECT_STREQ(draws[0].Font.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(draws[0].Font.lfWeight, FW_BOLD);
    EXPECT_EQ(draws[0].TextColor, RGB(200, 0, 0));
    EXPECT_EQ(draws[0].BkColor, RGB(0, 0, 200));
    EXPECT_EQ(draws[0].Format, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ObjectBase::Free(bitmap);
}

TEST_F(DrawingResourcesTest, DeletingASelectedObjectIsReported) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    HGDIOBJ saved = SelectObject(dc, pen);
    DeleteObject(pen);
    ASSERT_EQ(headless::GdiMisuses().size(), 1u);
    EXPECT_NE(headless::GdiMisuses()[0].find("pen"), std::string::npos);
    headless::ClearGdiMisuses();
    SelectObject(dc, saved); // the deferred deletion happens here
    DeleteDC(dc);
}

} // namespace
