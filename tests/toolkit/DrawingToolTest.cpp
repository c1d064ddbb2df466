#include <gtest/gtest.h>

#include <vector>

#include "support/PixelSurface.h"
#include "toolkit/gdi/DrawingTool.h"

namespace {

LOGBRUSH BrushInfo(HGDIOBJ brush) {
    LOGBRUSH info{};
    GetObjectA(brush, sizeof info, &info);
    return info;
}

// Changes a system colour for one test and puts it back afterwards.
class SystemColourChange {
public:
    SystemColourChange(int index, COLORREF color) : Index(index), Saved(GetSysColor(index)) {
        SetSysColors(1, &Index, &color);
    }
    ~SystemColourChange() { SetSysColors(1, &Index, &Saved); }

private:
    INT Index;
    COLORREF Saved;
};

TEST(DrawingToolTest, AToolUsesItsEqualParentsHandleUntilAnySettingDiffers) {
    Font *parent = NewFont();
    Font *child = NewFont();
    child->SetParentTool(parent);
    const HGDIOBJ shared = child->GetHandle();
    EXPECT_EQ(shared, parent->Handle);
    EXPECT_EQ(child->Handle, nullptr);

    // The colour is part of the compared settings, though no part of a GDI font.
    child->SetColor(RGB(1, 2, 3));
    const HGDIOBJ own = child->GetHandle();
    EXPECT_NE(own, shared);
    EXPECT_EQ(child->Handle, own);
    EXPECT_EQ(parent->Handle, shared);

    // Setting what is already set keeps the handle.
    child->SetColor(RGB(1, 2, 3));
    child->SetStyle(child->GetStyle());
    EXPECT_EQ(child->Handle, own);

    child->SetColor(parent->Settings.Color);
    EXPECT_EQ(child->GetHandle(), shared);
    EXPECT_EQ(child->Handle, nullptr);

    ObjectBase::Free(parent); // the child still holds it
    EXPECT_EQ(child->GetHandle(), shared);
    ObjectBase::Free(child);
}

TEST(DrawingToolTest, ASystemColourChangeMakesTheBrushAgain) {
    Brush *brush = NewBrush(); // button face
    const HGDIOBJ first = brush->GetHandle();
    EXPECT_EQ(brush->GetHandle(), first);
    EXPECT_EQ(BrushInfo(first).lbColor, GetSysColor(COLOR_BTNFACE));

    const COLORREF changed = GetSysColor(COLOR_BTNFACE) ^ 0x102030;
    SystemColourChange change(COLOR_BTNFACE, changed);
    // Assigning the same colour again must not hide the change.
    brush->SetColor(0x8000000F);
    const HGDIOBJ second = brush->GetHandle();
    EXPECT_EQ(BrushInfo(second).lbColor, changed);
    EXPECT_EQ(brush->HandleColor, changed);
    ObjectBase::Free(brush);
}

TEST(DrawingToolTest, ChangedFiresBeforeTheHandleGoesAndAgainAfter) {
    struct Seen {
        std::vector<bool> HandleLive;
        HGDIOBJ Handle = nullptr;
    } seen;
    Pen *pen = NewPen();
    pen->OnChange = {[](void *data, ObjectBase *) {
                         auto *s = static_cast<Seen *>(data);
                         s->HandleLive.push_back(GetObjectType(s->Handle) != 0);
                     },
                     &seen};
    pen->SetIntField(ToolField::PenWidth, 3); // no handle yet: one notice
    EXPECT_EQ(seen.HandleLive.size(), 1u);
    seen.Handle = pen->GetHandle();
    seen.HandleLive.clear();
    pen->SetPenMode(R2_NOT - 1);
    EXPECT_EQ(seen.HandleLive, (std::vector<bool>{true, false}));
    ObjectBase::Free(pen);
}

TEST(DrawingToolTest, HandlesFollowTheKindData) {
    Pen *pen = NewPen();
    pen->SetColor(RGB(9, 8, 7));
    pen->SetIntField(ToolField::PenWidth, 5); // byte 10 of the settings block
    pen->Settings.Pen.PenStyle = PS_DOT;
    LOGPEN log{};
    GetObjectA(pen->GetHandle(), sizeof log, &log);
    EXPECT_EQ(log.lopnWidth.x, 5);
    EXPECT_EQ(log.lopnStyle, UINT(PS_DOT));
    EXPECT_EQ(log.lopnColor, RGB(9, 8, 7));
    ObjectBase::Free(pen);

    Brush *brush = NewBrush();
    brush->SetBrushStyle(BrushStyleKind::Clear);
    EXPECT_EQ(BrushInfo(brush->GetHandle()).lbStyle, BS_NULL);
    brush->Settings.Brush.BrushLineColor = 0x80000008; // a system colour resolves too
    brush->SetBrushStyle(BrushStyleKind::HatchFirst + HS_CROSS);
    const LOGBRUSH hatch = BrushInfo(brush->GetHandle());
    EXPECT_EQ(hatch.lbStyle, BS_HATCHED);
    EXPECT_EQ(hatch.lbHatch, ULONG_PTR(HS_CROSS));
    EXPECT_EQ(hatch.lbColor, GetSysColor(COLOR_WINDOWTEXT));
    ObjectBase::Free(brush);
}

TEST(DrawingToolTest, BoldRaisesTheWeightToBoldAndClearingItDropsTheWeight) {
    Font *font = NewFont();
    font->Settings.Font.lfWeight = FW_NORMAL;
    font->SetStyle(FontStyle::Bold | FontStyle::Underline);
    EXPECT_EQ(font->Settings.Font.lfWeight, FW_BOLD);
    EXPECT_EQ(font->Settings.Font.lfUnderline, 1);
    EXPECT_EQ(font->GetStyle(), FontStyle::Bold | FontStyle::Underline);

    font->Settings.Font.lfWeight = 800;
    font->SetStyle(FontStyle::Bold); // already bold: 800 stays
    EXPECT_EQ(font->Settings.Font.lfWeight, 800);
    EXPECT_EQ(font->Settings.Font.lfUnderline, 0);
    font->SetStyle(FontStyle::Italic | FontStyle::StrikeOut);
    EXPECT_EQ(font->Settings.Font.lfWeight, 0);
    EXPECT_EQ(font->GetStyle(), FontStyle::Italic | FontStyle::StrikeOut);
    ObjectBase::Free(font);
}

TEST(DrawingToolTest, AssignCopiesTheSettings) {
    Brush *source = NewBrush();
    source->SetColor(RGB(10, 20, 30));
    auto *made = static_cast<Brush *>(DrawingTool::Assign(nullptr, source));
    ASSERT_NE(made, nullptr);
    EXPECT_NE(made, source);
    EXPECT_EQ(made->Settings.Color, RGB(10, 20, 30));
    EXPECT_EQ(made->Kind, ToolKind::Brush);

    Brush *target = NewBrush();
    target->GetHandle();
    int notices = 0;
    target->OnChange = {[](void *data, ObjectBase *) { ++*static_cast<int *>(data); }, &notices};
    EXPECT_EQ(DrawingTool::Assign(target, source), target);
    EXPECT_EQ(target->Settings.Color, RGB(10, 20, 30));
    EXPECT_EQ(target->Handle, nullptr);
    EXPECT_GT(notices, 0);

    EXPECT_EQ(DrawingTool::Assign(made, nullptr), nullptr); // releases it
    ObjectBase::Free(target);
    ObjectBase::Free(source);
}

TEST(DrawingToolTest, AnAssignedPatternBrushOwnsACopyOfTheBitmap) {
    PixelSurface tileSurface(2, 1, RGB(255, 0, 0));
    SetPixel(tileSurface.DC(), 1, 0, RGB(0, 0, 255));
    HBITMAP tile = CreateCompatibleBitmap(tileSurface.DC(), 2, 1);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ saved = SelectObject(dc, tile);
    BitBlt(dc, 0, 0, 2, 1, tileSurface.DC(), 0, 0, SRCCOPY);
    SelectObject(dc, saved);
    DeleteDC(dc);

    Brush *source = NewBrush();
    source->SetBrushBitmap(tile);
    auto *copy = static_cast<Brush *>(DrawingTool::Assign(nullptr, source));
    EXPECT_NE(copy->Settings.Brush.BrushBitmap, source->Settings.Brush.BrushBitmap);
    ObjectBase::Free(source); // deletes its bitmap, not the copy's

    PixelSurface s(4, 1);
    RECT all{0, 0, 4, 1};
    FillRect(s.DC(), &all, static_cast<HBRUSH>(copy->GetHandle()));
    EXPECT_EQ(s.Pixel(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(s.Pixel(3, 0), RGB(0, 0, 255));
    ObjectBase::Free(copy);
}

// The pattern bitmap's handle is kept in 32 bits; a 64-bit process gets back the handle Windows gives it, whose
// upper half repeats bit 31.
TEST(DrawingToolTest, AHandleKeptIn32BitsComesBackWhole) {
    struct Case {
        std::uint32_t Bits;
        std::intptr_t Handle;
    };
    const Case cases[] = {
        {0, 0},
        {0x0005000Au, 0x0005000A},
        {0x7FFFFFFFu, 0x7FFFFFFF},
        {0x8000000Cu, sizeof(void *) == 8 ? std::intptr_t{-0x7FFFFFF4} : static_cast<std::intptr_t>(0x8000000Cu)},
        {0xFFFFFFFFu, -1},
    };
    for (const Case &c : cases) {
        const HBITMAP handle = BitmapFromBits(c.Bits);
        EXPECT_EQ(reinterpret_cast<std::intptr_t>(handle), c.Handle) << std::hex << c.Bits;
        EXPECT_EQ(HandleBits(handle), c.Bits) << std::hex << c.Bits;
    }
}

} // namespace
