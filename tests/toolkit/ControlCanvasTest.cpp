// A control's font, brush and canvas.
#include "toolkit/ToolkitFixture.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/windows/ControlDrawingHooks.h"
#include "toolkit/windows/ControlDrawingTools.h"

namespace {

class ControlDrawing : public ToolkitTest {};

COLORREF WindowPixel(HWND window, int x, int y) {
    const HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

TEST_F(ControlDrawing, ToolsAndControlKeepTheirColoursInStep) {
    Control *form = Form();
    Font *font = ControlFont(form);
    Brush *brush = ControlBrush(form);
    EXPECT_EQ(font->Settings.Color, form->TextColor);
    EXPECT_EQ(brush->Settings.Color, form->Color);

    form->SetColor(RGB(10, 20, 30));
    EXPECT_EQ(brush->Settings.Color, RGB(10, 20, 30));
    form->GetWindowHandle();
    DefaultControlBrush(form); // caches a colour brush
    ASSERT_NE(form->ColorBrush, nullptr);
    brush->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(form->Color, RGB(1, 2, 3));
    EXPECT_EQ(form->ColorBrush, nullptr) << "the cached colour brush is dropped";

    font->SetColor(RGB(4, 5, 6));
    EXPECT_EQ(form->TextColor, RGB(4, 5, 6));
}

TEST_F(ControlDrawing, AChildStartsWithItsParentsToolsAndTheirHandles) {
    Control *form = Form();
    ControlFont(form)->SetStyle(FontStyle::Bold);
    ControlBrush(form);
    Control *button = NewButton(form, "button");
    ASSERT_NE(button->Font, nullptr);
    ASSERT_NE(button->Brush, nullptr);
    EXPECT_EQ(button->Font->ParentTool, form->Font);
    EXPECT_EQ(button->Font->GetHandle(), form->Font->GetHandle());
    EXPECT_EQ(button->Brush->GetHandle(), form->Brush->GetHandle());

    form->GetWindowHandle();
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(button->Handle, WM_GETFONT, 0, 0)), form->Font->Handle);
    button->Font->SetColor(RGB(0, 0, 90)); // the colour counts: the button makes its own font
    EXPECT_NE(button->Font->GetHandle(), form->Font->Handle);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(button->Handle, WM_GETFONT, 0, 0)), button->Font->Handle);
    EXPECT_EQ(button->TextColor, RGB(0, 0, 90));
}

struct PaintSeen {
    HDC CanvasDC = nullptr;
    HDC PaintDC = nullptr;
};

void PaintHalves(void *data, ObjectBase *sender, HDC) {
    auto *control = static_cast<Control *>(sender);
    auto *seen = static_cast<PaintSeen *>(data);
    Canvas *canvas = ControlCanvas(control);
    canvas->Brush()->SetColor(RGB(200, 0, 0));
    canvas->FillRect(RECT{0, 0, 20, 30});
    canvas->Brush()->SetColor(RGB(0, 0, 200));
    canvas->FillRect(RECT{20, 0, 40, 30});
    seen->CanvasDC = canvas->DC;
    seen->PaintDC = control->PaintDC;
}

TEST_F(ControlDrawing, DrawsOnThePaintDCAndLetsItGoAfterwards) {
    Control *panel = Panel(40, 30);
    PaintSeen seen;
    panel->SetOnPaint({&PaintHalves, &seen});
    InvalidateRect(panel->Handle, nullptr, TRUE);
    UpdateWindow(panel->Handle);
    Pump();
    ASSERT_NE(seen.PaintDC, nullptr);
    EXPECT_EQ(seen.CanvasDC, seen.PaintDC);
    EXPECT_EQ(panel->Canvas->DC, nullptr) << "detached from the paint DC";
    EXPECT_EQ(WindowPixel(panel->Handle, 5, 5), RGB(200, 0, 0));
    EXPECT_EQ(WindowPixel(panel->Handle, 35, 25), RGB(0, 0, 200));
}

TEST_F(ControlDrawing, OutsideAPaintItDrawsThroughAWindowDC) {
    Control *panel = Panel(30, 20);
    panel->SetColor(RGB(0, 120, 0));
    Pump();
    Canvas *canvas = ControlCanvas(panel);
    EXPECT_EQ(canvas->Owner, panel);
    canvas->FillRect(RECT{0, 0, 10, 10}); // the control's colour
    ASSERT_NE(canvas->DC, nullptr);
    EXPECT_EQ(GetPixel(canvas->DC, 5, 5), RGB(0, 120, 0));
    canvas->SetHandle(nullptr);
    EXPECT_EQ(WindowPixel(panel->Handle, 5, 5), RGB(0, 120, 0));

    // Its tools start as copies of the control's, and a new font rebuilds the canvas.
    ControlFont(panel)->SetStyle(FontStyle::Italic);
    EXPECT_EQ(panel->Canvas, nullptr);
    EXPECT_EQ(ControlCanvas(panel)->Font()->GetStyle(), FontStyle::Italic);
    EXPECT_EQ(ControlCanvas(panel)->Brush()->Settings.Color, RGB(0, 120, 0));
}

} // namespace
