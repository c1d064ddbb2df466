// The viewer's double click: what it hands to the host, and when.
#include "plugin/ViewerForm.h"
#include "db/SharedState.h"
#include "grid/XLGrid.h"
#include "toolkit/ToolkitFixture.h"

namespace {

class ViewerFormTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        HostWindow = Form(false)->GetWindowHandle();
    }
    void TearDown() override {
        HostWindow = nullptr;
        ToolkitTest::TearDown();
    }
};

// Removes the pending messages; counts the notification clicks posted to the host window.
int TakeNotifyClicks() {
    MSG msg;
    int clicks = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        clicks += msg.hwnd == HostWindow && msg.message == WM_LBUTTONDOWN;
    return clicks;
}

TEST_F(ViewerFormTest, DoubleClickHandsCurrentCellTextOnlyOnceFilled) {
    Control *parent = Form(false);
    ViewerForm *viewer = BuildViewerForm(parent);
    XLGrid *grid = viewer->Grid;
    ASSERT_NE(grid->GetWindowHandle(), nullptr);
    ExchangeText = "untouched";
    SendMessageA(grid->Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 30));
    EXPECT_EQ(ExchangeText, "untouched");

    SetColCount(grid, 2);
    SetRowCount(grid, 1);
    SetText(Cell(grid, 0, 0), "first");
    SendMessageA(grid->Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 30));
    EXPECT_EQ(ExchangeText, "first");
    EXPECT_EQ(TakeNotifyClicks(), 1);
}

// The viewer's column titles press like buttons; a double click there still hands the current cell, wherever it is.
TEST_F(ViewerFormTest, DoubleClickOnATitleHandsTheCurrentCell) {
    Control *parent = Form(false);
    XLGrid *grid = BuildViewerForm(parent)->Grid;
    ASSERT_NE(grid->GetWindowHandle(), nullptr);
    SetColCount(grid, 2);
    SetRowCount(grid, 2);
    SetText(Cell(grid, 1, 1), "current");
    SetCurrentCell(grid, 1, 1);
    ExchangeText = "untouched";
    const LPARAM title = MAKELPARAM(60, 10);
    for (const UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageA(grid->Handle, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, title);
    EXPECT_EQ(ExchangeText, "current");
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{1, 1}));
    EXPECT_EQ(grid->Data->PressedColTitle, -1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(TakeNotifyClicks(), 1);
}

} // namespace
