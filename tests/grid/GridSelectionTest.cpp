// The selection: widening over merged cells, the per-cell marks when blocks are replaced, and the selection in
// effect under each option.
#include "grid/GridFixture.h"

namespace {

using GridSelection = GridTest;

TEST_F(GridSelection, NothingHappensOnAGridWithoutCells) {
    for (const auto &[cols, rows] : {std::pair{0, 3}, std::pair{3, 0}}) {
        XLGrid *grid = MakeGrid(cols, rows, GridOption::RangeSelect);
        GridEvents events;
        events.Attach(grid);
        SetSelection(grid, {0, 0, 1, 1});
        EXPECT_TRUE(grid->Data->Selection.IsNone());
        EXPECT_TRUE(events.SelectionChanged.empty());
    }
}

TEST_F(GridSelection, CornersInAnyOrderAreStoredInOrder) {
    XLGrid *grid = MakeGrid(6, 6, GridOption::RangeSelect);
    GridEvents events;
    events.Attach(grid);
    SetSelection(grid, {4, 5, 1, 2});
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 1, 2, 4, 5));
    ASSERT_EQ(events.SelectionChanged.size(), 1u);
    EXPECT_TRUE(BlockIs(events.SelectionChanged[0], 1, 2, 4, 5));
    EXPECT_TRUE(IsCellSelected(grid, 1, 2));
    EXPECT_TRUE(IsCellSelected(grid, 4, 5));
    EXPECT_FALSE(IsCellSelected(grid, 0, 2));
}

TEST_F(GridSelection, BlocksWidenUntilNoMergedCellIsCut) {
    XLGrid *grid = MakeGrid(8, 8, GridOption::RangeSelect);
    // A chain: the first block pulls in row 3, where the second one starts and pulls in column 6 and row 4.
    Merge(grid, 3, 2, 1, 1); // columns 3..4, rows 2..3
    Merge(grid, 5, 3, 1, 1); // columns 5..6, rows 3..4
    SetSelection(grid, {4, 2, 5, 2});
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 3, 2, 6, 4));

    EXPECT_EQ(WidenColRange(grid, 2, 2, 4), (IndexRange{3, 4}));
    EXPECT_EQ(WidenColRange(grid, 3, 3, 4), (IndexRange{3, 4}));
    EXPECT_EQ(WidenColRange(grid, 2, 4, 5), (IndexRange{5, 6}));
    EXPECT_EQ(WidenRowRange(grid, 5, 5, 4), (IndexRange{3, 4}));
    EXPECT_EQ(WidenColRange(grid, 0, 7, 99), (IndexRange{7, 7})) << "the column is clamped first";
    EXPECT_EQ(WidenColRange(grid, 0, 0, -3), (IndexRange{0, 0}));
}

TEST_F(GridSelection, ReplacingABlockMovesTheMarksOneStepNeverBelowZero) {
    XLGrid *grid = MakeGrid(4, 3, GridOption::RangeSelect);
    SetSelection(grid, {0, 0, 1, 1});
    SetSelection(grid, {1, 1, 2, 2});
    EXPECT_EQ(Marks(grid), (std::vector<std::vector<int>>{{0, 0, 0, 0}, {0, 1, 1, 0}, {0, 1, 1, 0}}));

    // Marks from elsewhere add up; the old block's cells that had none stay at 0.
    MarkAllCells(grid, true);
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 1, 1, 2, 2)) << "marking leaves the block alone";
    SetSelection(grid, {0, 0, 1, 0});
    EXPECT_EQ(Marks(grid), (std::vector<std::vector<int>>{{2, 2, 1, 1}, {1, 0, 0, 1}, {1, 0, 0, 1}}));
    SetSelection(grid, {3, 2, 3, 2});
    EXPECT_EQ(Marks(grid), (std::vector<std::vector<int>>{{1, 1, 1, 1}, {1, 0, 0, 1}, {1, 0, 0, 2}}));

    MarkAllCells(grid, false);
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 3, 2, 3, 2));
    EXPECT_FALSE(IsCellSelected(grid, 3, 2));
    SetSelection(grid, {3, 1, 3, 2});
    EXPECT_EQ(Cell(grid, 3, 2)->SelCount, 1) << "not below 0 on the way out";
}

TEST_F(GridSelection, TheSelectionInEffectFollowsTheOptions) {
    struct Case {
        GridOptions Options;
        GridBlock Expected;
    };
    // Selection holds (1, 1)-(2, 2) and the current cell is (3, 0) in every case.
    const Case cases[] = {
        {GridOption::RangeSelect, {1, 1, 2, 2}},
        {GridOption::RangeSelect | GridOption::SelectCurrent, {1, 1, 2, 2}},
        {GridOption::SelectCurrent, {3, 0, 3, 0}},
        {GridOption::RowSelect | GridOption::ColSelect, {}},
    };
    for (const Case &c : cases) {
        XLGrid *grid = MakeGrid(4, 4);
        grid->Data->Options = c.Options;
        grid->Data->Selection = {1, 1, 2, 2};
        grid->Data->CurCol = 3;
        grid->Data->CurRow = 0;
        EXPECT_EQ(EffectiveSelection(grid), c.Expected) << int(c.Options);
    }
}

} // namespace
