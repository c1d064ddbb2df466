// Moving the current cell: clamping, scrolling into view, merged blocks, the events, and the options that
// change the selection with it.
#include "grid/GridFixture.h"

namespace {

using CurrentCell = GridTest;

TEST_F(CurrentCell, RequestsAreClampedAndScrolledIntoView) {
    XLGrid *grid = MakeGrid(4, 10, 0, 1, 400, 100); // 3 rows fit
    GridEvents events;
    events.Attach(grid);
    SetCurrentCell(grid, -5, 1000);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 9}));
    EXPECT_EQ(TopRow(grid), 7);
    ASSERT_EQ(events.CellChanged.size(), 1u);
    EXPECT_EQ(events.CellChanged[0], (CellPosition{0, 9}));

    SetCurrentCell(grid, 1, 2);
    EXPECT_EQ(TopRow(grid), 2) << "a row above the shown ones becomes the first";
    SetCurrentCell(grid, 1, 0);
    EXPECT_EQ(TopRow(grid), 0);

    SetClientSize(grid, 200, 100); // 2 columns fit
    SetCurrentCell(grid, 3, 0);
    EXPECT_EQ(LeftCol(grid), 2);
    SetCurrentCell(grid, 0, 0);
    EXPECT_EQ(LeftCol(grid), 0);
}

TEST_F(CurrentCell, EveryCallReportsTheCellAndTheSelection) {
    for (const GridOptions options : {GridOptions{0}, GridOption::SelectCurrent}) {
        XLGrid *grid = MakeGrid(3, 3, options);
        GridEvents events;
        events.Attach(grid);
        SetCurrentCell(grid, 1, 1);
        SetCurrentCell(grid, 1, 1);
        EXPECT_EQ(events.Changing, 2);
        EXPECT_EQ(events.CellChanged.size(), 2u) << "also when the cell stays";
        const std::size_t selections = options ? 4 : 2;
        EXPECT_EQ(events.SelectionChanged.size(), selections) << "twice per call with SelectCurrent";
        if (options)
            EXPECT_TRUE(BlockIs(grid->Data->Selection, 1, 1, 1, 1));
        else
            EXPECT_TRUE(grid->Data->Selection.IsNone());
    }
}

TEST_F(CurrentCell, ACellInsideAMergedBlockMovesToItsCoveringCell) {
    XLGrid *grid = MakeGrid(5, 5, GridOption::SelectCurrent);
    // Columns 1..2, rows 1..3.
    Cell(grid, 1, 1)->ColSpan = 1;
    Cell(grid, 1, 1)->RowSpan = 2;
    for (std::int32_t r = 1; r <= 3; ++r)
        for (std::int32_t c = 1; c <= 2; ++c) {
            Cell(grid, c, r)->MasterDX = c - 1;
            Cell(grid, c, r)->MasterDY = r - 1;
        }
    GridEvents events;
    events.Attach(grid);
    SetCurrentCell(grid, 2, 3);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{1, 1}));
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 1, 1, 2, 3));
    EXPECT_TRUE(IsCellSelected(grid, 2, 3));
    EXPECT_FALSE(IsCellSelected(grid, 0, 0)) << "the previous current cell is no longer marked";
    EXPECT_EQ(events.CellChanged.back(), (CellPosition{1, 1}));
}

TEST_F(CurrentCell, ChangingHandlerCanRedirectEveryMove) {
    XLGrid *grid = MakeGrid(4, 4);
    grid->Data->OnCellChanging = {
        [](void *, ObjectBase *, std::int32_t, std::int32_t, std::int32_t &, std::int32_t &row) { row = 0; }, nullptr};
    for (const CellPosition request : {CellPosition{2, 3}, CellPosition{3, 1}, CellPosition{-1, -1}}) {
        SetCurrentCell(grid, request.Col, request.Row);
        EXPECT_EQ(GetCurrentCell(grid).Row, 0);
        EXPECT_EQ(GetCurrentCell(grid).Col, std::max(0, request.Col));
    }
}

TEST_F(CurrentCell, NothingOnAGridWithoutCells) {
    XLGrid *grid = MakeGrid(0, 3);
    GridEvents events;
    events.Attach(grid);
    SetCurrentCell(grid, 0, 1);
    EXPECT_EQ(events.Changing, 0);
    EXPECT_TRUE(events.CellChanged.empty());
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 0}));
}

// Switching RangeSelect off clears the marks and moves to the current cell under the old options, which decide
// what becomes of Selection.
TEST_F(CurrentCell, OptionsWithoutRangeSelectClearTheMarks) {
    for (const bool selectCurrent : {false, true}) {
        SCOPED_TRACE(selectCurrent ? "old options select the current cell" : "old options do not");
        const GridOptions old = GridOption::RangeSelect | (selectCurrent ? GridOption::SelectCurrent : 0);
        XLGrid *grid = MakeGrid(4, 4, old);
        SetCurrentCell(grid, 3, 3);
        SetSelection(grid, {0, 0, 2, 2});
        grid->Data->State = GridStateFlag::AllSelected | GridStateFlag::TitlePressed;
        GridEvents events;
        events.Attach(grid);
        SetOptions(grid, GridOption::SelectCurrent);
        EXPECT_EQ(grid->Data->Options, GridOption::SelectCurrent);
        EXPECT_EQ(grid->Data->State, GridStateFlag::TitlePressed);
        EXPECT_EQ(events.CellChanged.size(), 1u);
        if (selectCurrent) {
            EXPECT_TRUE(BlockIs(grid->Data->Selection, 3, 3, 3, 3));
            EXPECT_TRUE(IsCellSelected(grid, 3, 3));
        } else {
            EXPECT_TRUE(BlockIs(grid->Data->Selection, 0, 0, 2, 2));
            EXPECT_FALSE(IsCellSelected(grid, 3, 3));
        }
        EXPECT_FALSE(IsCellSelected(grid, 1, 1));
    }
    // With RangeSelect kept, the marks stay.
    XLGrid *grid = MakeGrid(4, 4, GridOption::RangeSelect);
    SetSelection(grid, {0, 0, 1, 1});
    SetOptions(grid, GridOption::RangeSelect | GridOption::ColSizing);
    EXPECT_TRUE(IsCellSelected(grid, 1, 1));
}

} // namespace
