#include "plugin/ViewerForm.h"
#include "grid/XLGrid.h"
#include "plugin/PluginState.h"
#include "toolkit/ToolkitFixture.h"

namespace {

class ViewerFormTest : public ToolkitTest {};

TEST_F(ViewerFormTest, DoubleClickHandsCurrentCellTextOnlyOnceFilled) {
    Control *parent = Form(false);
    ViewerForm *viewer = BuildViewerForm(parent);
    XLGrid *grid = viewer->Grid;
    ASSERT_NE(grid->GetWindowHandle(), nullptr);
    HostWindow = nullptr;
    ExchangeText = "untouched";
    SendMessageA(grid->Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 30));
    EXPECT_EQ(ExchangeText, "untouched");

    SetColCount(grid, 2);
    SetRowCount(grid, 1);
    SetText(Cell(grid, 0, 0), "first");
    SendMessageA(grid->Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 30));
    EXPECT_EQ(ExchangeText, "first");
    MSG msg;
    int clicks = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        clicks += msg.hwnd == nullptr && msg.message == WM_LBUTTONDOWN;
    EXPECT_EQ(clicks, 1);
}

} // namespace
