// Making a grid: its window, its initial state, and the message procedure that follows the window's size.
#include "grid/GridFixture.h"

namespace {

using GridConstruction = GridTest;

TEST_F(GridConstruction, TheWindowIsAToolkitGridWithBothScrollBars) {
    XLGrid *grid = MakeGrid(0, 0);
    ASSERT_NE(grid->Handle, nullptr);
    char name[64];
    GetClassNameA(grid->Handle, name, sizeof name);
    EXPECT_STREQ(name, "obj_vornGrid");
    const auto style = static_cast<DWORD>(GetWindowLongA(grid->Handle, GWL_STYLE));
    constexpr DWORD expected =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;
    EXPECT_EQ(style & expected, expected);
    EXPECT_FALSE(style & WS_BORDER) << "the three-dimensional look draws a client edge instead";
    EXPECT_TRUE(GetWindowLongA(grid->Handle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetClassLongA(grid->Handle, GCL_STYLE) & 0xFFFF, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    EXPECT_NE(grid->Data->ResizeCursor, nullptr);
    EXPECT_EQ(grid->Data->Owner, grid);
    EXPECT_EQ(grid->Parent, Panel_);
}

TEST_F(GridConstruction, AnEmptyGridHasNoCellsNoSelectionAndTheFirstCellCurrent) {
    XLGrid *grid = MakeGrid(0, 0, 0x7C, 1);
    const XLGridData &d = *grid->Data;
    EXPECT_EQ(ColCount(grid), 0);
    EXPECT_EQ(RowCount(grid), 0);
    EXPECT_EQ(Cell(grid, 0, 0), nullptr);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 0}));
    EXPECT_TRUE(d.Selection.IsNone());
    EXPECT_EQ(d.Options, 0x7C);
    EXPECT_EQ(d.SelectionStyle, 1);
    EXPECT_EQ(d.State, 0);
    EXPECT_EQ(d.Editor, nullptr);
    EXPECT_EQ(grid->UpdateCount, 0);
    EXPECT_EQ(TopRow(grid), 0);
    EXPECT_EQ(LeftCol(grid), 0);
}

TEST_F(GridConstruction, CountsOptionsAndStyleAreAppliedInOrder) {
    XLGrid *grid = MakeGrid(3, 4, GridOption::SelectCurrent | GridOption::RangeSelect, 0);
    EXPECT_EQ(ColCount(grid), 3);
    EXPECT_EQ(RowCount(grid), 4);
    EXPECT_EQ(grid->Data->SelectionStyle, 0);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 0}));
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 0, 0, 0, 0)) << "the first cell is selected with SelectCurrent";
    EXPECT_EQ(Cell(grid, 0, 0)->SelCount, 1);
    EXPECT_EQ(Cell(grid, 1, 0)->SelCount, 0);
}

} // namespace
