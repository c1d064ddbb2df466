// The grid's records as the counts change: cells kept, made with the defaults in force, or destroyed; the current
// cell and the selection clamped; the update bracket.
#include "grid/GridFixture.h"

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/objects/PtrList.h"
#include "toolkit/objects/StringList.h"

namespace {

using GridModel = GridTest;

// Every list holds as many entries as the counts say.
::testing::AssertionResult ListsMatchCounts(const XLGrid *grid) {
    const XLGridData &d = *grid->Data;
    if (d.ColWidths->Count != d.ColCount || d.ColTitles->Count != d.ColCount)
        return ::testing::AssertionFailure() << "column lists";
    if (d.RowHeights->Count != d.RowCount || d.RowTitles->Count != d.RowCount || d.Rows->Count != d.RowCount)
        return ::testing::AssertionFailure() << "row lists";
    for (std::int32_t r = 0; r < d.RowCount; ++r)
        if (static_cast<PtrList *>(d.Rows->Get(r))->Count != d.ColCount)
            return ::testing::AssertionFailure() << "row " << r << " has the wrong number of cells";
    return ::testing::AssertionSuccess();
}

bool Invalidated(HWND window) {
    RECT update;
    return GetUpdateRect(window, &update, FALSE) != FALSE;
}

TEST_F(GridModel, ColumnsGrowWithTheDefaultsInForceAndShrinkWithTheirCells) {
    XLGrid *grid = MakeGrid(3, 2);
    XLGridData &d = *grid->Data;
    for (std::int32_t r = 0; r < 2; ++r)
        for (std::int32_t c = 0; c < 3; ++c)
            SetText(Cell(grid, c, r), std::to_string(c) + "," + std::to_string(r));
    SetHAlign(Cell(grid, 2, 1), HAlign::Right);
    Cell(grid, 2, 1)->BorderRight.LineWidth = 4;

    d.DefBorderRight = 3;
    d.DefMarginTop = 5;
    d.DefHAlign = HAlign::Center;
    d.DefColWidth = 50;
    SetColCount(grid, 5);
    EXPECT_TRUE(ListsMatchCounts(grid));
    EXPECT_EQ(Cell(grid, 2, 1)->Text.View(), "2,1");
    EXPECT_EQ(Cell(grid, 2, 1)->HAlign, HAlign::Right);
    EXPECT_EQ(Cell(grid, 2, 1)->BorderRight.LineWidth, 4);
    EXPECT_EQ(Cell(grid, 0, 0)->BorderRight.LineWidth, 1) << "old cells keep the defaults they were made with";
    EXPECT_EQ(ColWidth(grid, 2), 70);
    for (std::int32_t r = 0; r < 2; ++r) {
        for (std::int32_t c = 3; c < 5; ++c) {
            const XLCell *cell = Cell(grid, c, r);
            ASSERT_NE(cell, nullptr);
            EXPECT_TRUE(cell->Text.Empty());
            EXPECT_EQ(cell->BorderRight.LineWidth, 3);
            EXPECT_EQ(cell->BorderLeft.LineWidth, 1);
            EXPECT_EQ(cell->BorderTop.LineColor, d.DefBorderColor);
            EXPECT_EQ(cell->MarginTop, 5);
            EXPECT_EQ(cell->HAlign, HAlign::Center);
            EXPECT_EQ(cell->VAlign, VAlign::Center);
            EXPECT_TRUE(cell->Visible);
            EXPECT_EQ(cell->Owner, grid);
            EXPECT_EQ(cell->SelCount, 0);
        }
        EXPECT_EQ(ColWidth(grid, 4), 50);
    }

    SetColCount(grid, 2);
    EXPECT_TRUE(ListsMatchCounts(grid));
    EXPECT_EQ(Cell(grid, 2, 0), nullptr);
    EXPECT_EQ(Cell(grid, 1, 1)->Text.View(), "1,1");
    SetColCount(grid, 3);
    EXPECT_TRUE(Cell(grid, 2, 1)->Text.Empty()) << "a column that was dropped comes back empty";
}

TEST_F(GridModel, RowsMadeWithoutColumnsAreFilledWhenColumnsCome) {
    XLGrid *grid = MakeGrid(0, 0);
    EXPECT_EQ(Cell(grid, 0, 0), nullptr);
    SetRowCount(grid, 3);
    EXPECT_TRUE(ListsMatchCounts(grid));
    EXPECT_EQ(Cell(grid, 0, 2), nullptr);
    grid->Data->DefRowHeight = 33;
    SetRowCount(grid, 4);
    EXPECT_EQ(RowHeight(grid, 2), 20);
    EXPECT_EQ(RowHeight(grid, 3), 33);
    SetColCount(grid, 2);
    EXPECT_TRUE(ListsMatchCounts(grid));
    EXPECT_NE(Cell(grid, 1, 3), nullptr);
    SetRowCount(grid, 1);
    EXPECT_TRUE(ListsMatchCounts(grid));
    EXPECT_EQ(Cell(grid, 0, 1), nullptr);
    // Out of range reads are none or 0.
    EXPECT_EQ(Cell(grid, -1, 0), nullptr);
    EXPECT_EQ(Cell(grid, 2, 0), nullptr);
    EXPECT_EQ(ColWidth(grid, 2), 0);
    EXPECT_EQ(RowHeight(grid, -1), 0);
    EXPECT_FALSE(IsCellSelected(grid, 5, 5));
}

TEST_F(GridModel, GridColourReachesOnlyCellsMadeAfterIt) {
    XLGrid *grid = MakeGrid(2, 1);
    EXPECT_EQ(grid->Color, 0x80000005u);
    EXPECT_EQ(Cell(grid, 1, 0)->CellColor, 0x80000005u);
    grid->SetColor(0x00112233);
    SetRowCount(grid, 2);
    SetColCount(grid, 3);
    EXPECT_EQ(Cell(grid, 1, 0)->CellColor, 0x80000005u);
    EXPECT_EQ(Cell(grid, 1, 1)->CellColor, 0x00112233u);
    EXPECT_EQ(Cell(grid, 2, 0)->CellColor, 0x00112233u);
}

TEST_F(GridModel, LoweringACountClampsTheCurrentCellRaisingItDoesNot) {
    XLGrid *grid = MakeGrid(6, 4);
    GridEvents events;
    events.Attach(grid);
    SetCurrentCell(grid, 5, 3);
    events.Clear();

    SetColCount(grid, 3);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{2, 3}));
    EXPECT_TRUE(events.CellChanged.empty());
    EXPECT_TRUE(events.SelectionChanged.empty());

    SetRowCount(grid, 2);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{2, 1}));
    SetColCount(grid, 0);
    EXPECT_EQ(GetCurrentCell(grid).Col, -1);
    SetColCount(grid, 4);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{-1, 1})) << "stays -1 until the current cell is set";
    EXPECT_TRUE(events.CellChanged.empty());

    SetCurrentCell(grid, GetCurrentCell(grid).Col, GetCurrentCell(grid).Row);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 1}));
    EXPECT_EQ(events.CellChanged.size(), 1u);
}

TEST_F(GridModel, LoweringTheRowCountClampsTheSelection) {
    XLGrid *grid = MakeGrid(3, 10, GridOption::RangeSelect);
    SetSelection(grid, {0, 6, 1, 8});
    SetRowCount(grid, 4);
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 0, 3, 1, 3));
    // The clamped block is a real block: replacing it keeps the marks sound.
    SetSelection(grid, {2, 0, 2, 0});
    EXPECT_FALSE(IsCellSelected(grid, 0, 3));
    EXPECT_TRUE(IsCellSelected(grid, 2, 0));
}

// A count set to 0 clamps only one pair of the selection; what is left is dropped, so that raising the count again
// does not bring back a block with -1 on one side.
TEST_F(GridModel, ACountSetToZeroLeavesNoSelection) {
    for (const bool columns : {true, false}) {
        SCOPED_TRACE(columns ? "columns" : "rows");
        XLGrid *grid = MakeGrid(4, 5, GridOption::RangeSelect);
        SetSelection(grid, {1, 1, 2, 3});
        columns ? SetColCount(grid, 0) : SetRowCount(grid, 0);
        EXPECT_TRUE(grid->Data->Selection.IsNone());
        columns ? SetColCount(grid, 4) : SetRowCount(grid, 5);
        EXPECT_TRUE(grid->Data->Selection.IsNone());
        EXPECT_TRUE(EffectiveSelection(grid).IsNone());
        SetSelection(grid, {0, 0, 1, 1});
        EXPECT_TRUE(BlockIs(grid->Data->Selection, 0, 0, 1, 1));
        EXPECT_EQ(Cell(grid, 1, 1)->SelCount, 1);
    }
}

TEST_F(GridModel, ColumnTitlesAreSetForExistingColumnsOnly) {
    XLGrid *grid = MakeGrid(3, 1);
    const std::vector<std::string> five{"a", "b", "c", "d", "e"};
    SetColTitles(grid, five);
    EXPECT_EQ(grid->Data->ColTitles->Count, 3);
    EXPECT_EQ(grid->Data->ColTitles->Get(2), "c");
    const std::vector<std::string> two{"x", "y"};
    SetColTitles(grid, two);
    EXPECT_EQ(grid->Data->ColTitles->Get(0), "x");
    EXPECT_EQ(grid->Data->ColTitles->Get(1), "y");
    EXPECT_EQ(grid->Data->ColTitles->Get(2), "c");
    SetColCount(grid, 4);
    EXPECT_EQ(grid->Data->ColTitles->Get(3), "");
    EXPECT_EQ(grid->Data->RowTitles->Get(0), "");
}

// Painting (UpdateWindow sends WM_PAINT, which default processing validates) is what makes the next change
// invalidate the window again.
TEST_F(GridModel, OnlyTheOutermostBracketRepaints) {
    XLGrid *grid = MakeGrid(2, 2);
    const HWND window = grid->Handle;
    UpdateWindow(window);
    ASSERT_FALSE(Invalidated(window));
    BeginUpdate(grid);
    SetText(Cell(grid, 0, 0), "inside");
    EXPECT_FALSE(Invalidated(window));
    EndUpdate(grid);
    EXPECT_TRUE(Invalidated(window));
    EXPECT_EQ(grid->UpdateCount, 0);

    BeginUpdate(grid);
    UpdateWindow(window);
    EXPECT_FALSE(Invalidated(window)) << "painted while the bracket is open";
    EndUpdate(grid);
    EXPECT_TRUE(Invalidated(window)) << "so the close invalidates again";

    UpdateWindow(window);
    SetCellColor(Cell(grid, 1, 1), 0xFF);
    EXPECT_TRUE(Invalidated(window)) << "a setter outside any bracket repaints";
    EXPECT_EQ(Cell(grid, 1, 1)->CellColor, 0xFFu);

    UpdateWindow(window);
    EndUpdate(grid);
    EXPECT_EQ(grid->UpdateCount, 0);
    EXPECT_TRUE(Invalidated(window)) << "an unmatched EndUpdate repaints and stays at 0";

    UpdateWindow(window);
    SetClientSize(grid, 300, 200);
    UpdateWindow(window);
    SetTopRow(grid, 1);
    EXPECT_TRUE(Invalidated(window)) << "scrolling repaints";
}

// The viewer's grid is double-buffered and is filled while still hidden: neither may stop later changes from
// repainting it.
TEST_F(GridModel, ChangesRepaintABufferedGridAndOneFilledWhileHidden) {
    XLGrid *grid = MakeGrid(2, 2);
    const HWND window = grid->Handle;
    grid->SetDoubleBuffered(true);
    for (int round = 0; round < 2; ++round) {
        UpdateWindow(window);
        ASSERT_FALSE(Invalidated(window));
        SetText(Cell(grid, 0, 0), "round " + std::to_string(round));
        EXPECT_TRUE(Invalidated(window)) << "round " << round;
    }

    UpdateWindow(window);
    ShowWindow(window, SW_HIDE);
    SetText(Cell(grid, 1, 1), "while hidden");
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetText(Cell(grid, 1, 0), "shown again");
    EXPECT_TRUE(Invalidated(window));
}

TEST_F(GridModel, CellTextIsCutAtAZeroByteAndEmptyTextsAreNeverNull) {
    XLGrid *grid = MakeGrid(1, 1);
    XLCell *cell = Cell(grid, 0, 0);
    EXPECT_STREQ(cell->Text.CStr(), "");
    SetText(cell, std::string("ab\0cd", 5));
    EXPECT_EQ(cell->Text.View(), "ab");
    SetText(cell, cell->Text.View().substr(1));
    EXPECT_EQ(cell->Text.View(), "b") << "a text set from the cell's own text";
    SetText(cell, "");
    EXPECT_TRUE(cell->Text.Empty());
    EXPECT_STREQ(cell->Text.CStr(), "");
}

// A row's texts set at once land as SetText would put them one by one, and nowhere else.
TEST_F(GridModel, RowTextsGoToTheirRowFromTheLeft) {
    struct Case {
        const char *Name;
        std::int32_t Row;
        std::vector<std::string_view> Texts;
        // The grid's 3 x 2 texts afterwards, row by row.
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        {"a whole row", 1, {"a", "b", "c"}, {"0", "1", "2", "a", "b", "c"}},
        {"fewer texts than columns", 0, {"a"}, {"a", "1", "2", "3", "4", "5"}},
        {"texts past the last column", 0, {"a", "b", "c", "d"}, {"a", "b", "c", "3", "4", "5"}},
        {"a zero byte and an empty text", 1, {std::string_view("x\0y", 3), ""}, {"0", "1", "2", "x", "", "5"}},
        {"a row below the last", 2, {"a"}, {"0", "1", "2", "3", "4", "5"}},
        {"a row above the first", -1, {"a"}, {"0", "1", "2", "3", "4", "5"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        XLGrid *grid = MakeGrid(3, 2);
        for (int i = 0; i < 6; ++i)
            SetText(Cell(grid, i % 3, i / 3), std::to_string(i));
        SetRowTexts(grid, c.Row, c.Texts);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(Cell(grid, i % 3, i / 3)->Text.Str(), c.Expected[static_cast<std::size_t>(i)]) << i;
        ObjectBase::Free(grid);
    }
}

} // namespace
