// A control's drawing tools and canvas give back every GDI object when it goes.
#include "toolkit/ToolkitFixture.h"

#include "headless/GdiInspect.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/windows/ControlDrawingTools.h"

namespace {

class ControlDrawingResources : public ToolkitTest {};

TEST_F(ControlDrawingResources, AControlWithToolsAndCanvasesLeavesNothingBehind) {
    ObjectBase::Free(NewBrush()); // the hooks of the drawing tools are in place from here on
    ObjectBase::Free(NewFont());
    headless::ClearGdiMisuses();
    const headless::GdiObjectCounts start = headless::LiveGdiObjects();
    Control *form = NewForm(nullptr, "tools");
    ControlFont(form)->SetStyle(FontStyle::Bold);
    ControlBrush(form)->SetColor(RGB(9, 9, 9));
    Control *button = NewButton(form, "button");
    form->SetVisible(true);
    form->GetWindowHandle();
    Pump();
    ControlCanvas(button)->FillRect(RECT{0, 0, 5, 5}); // holds a DC of the button's window
    ControlCanvas(form)->RequireState(CanvasState::DC | CanvasState::Tools);
    button->Font->SetColor(RGB(1, 1, 1));
    ObjectBase::Free(form);
    Pump();
    EXPECT_EQ(headless::LiveGdiObjects(), start);
    EXPECT_TRUE(headless::GdiMisuses().empty()) << headless::GdiMisuses().front();
}

} // namespace
