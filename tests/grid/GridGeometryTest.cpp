// Cell rectangles, visible counts, and the scroll bars as they are set.
#include "grid/GridFixture.h"

namespace {

using GridGeometry = GridTest;

struct Bar {
    int Min, Max;
    UINT Page;
    int Pos;
    friend bool operator==(const Bar &, const Bar &) = default;
};

Bar ScrollBarOf(const XLGrid *grid, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(grid->Handle, bar, &info);
    return {info.nMin, info.nMax, info.nPage, info.nPos};
}

std::ostream &operator<<(std::ostream &out, const Bar &b) {
    return out << "min " << b.Min << " max " << b.Max << " page " << b.Page << " pos " << b.Pos;
}

TEST_F(GridGeometry, CellRectanglesFromTheFirstShownCell) {
    XLGrid *grid = MakeGrid(5, 4);
    EXPECT_TRUE(RectIs(CellRect(grid, 0, 0), 30, 20, 100, 40));
    EXPECT_TRUE(RectIs(CellRect(grid, 2, 1), 170, 40, 240, 60));
    EXPECT_TRUE(RectIs(CellRect(grid, 5, 0), 30, 20, 30, 20)) << "outside the grid";
    EXPECT_TRUE(RectIs(CellRect(grid, 0, -1), 30, 20, 30, 20));

    grid->Data->LeftCol = 3;
    grid->Data->TopRow = 1;
    EXPECT_TRUE(RectIs(CellRect(grid, 1, 0), -110, 0, -40, 20)) << "above and left of the shown area";
    EXPECT_TRUE(RectIs(CellRect(grid, 4, 3), 100, 60, 170, 80));

    grid->Data->LeftCol = 0;
    grid->Data->TopRow = 0;
    Cell(grid, 1, 1)->ColSpan = 1;
    Cell(grid, 1, 1)->RowSpan = 2;
    EXPECT_TRUE(RectIs(CellRect(grid, 1, 1), 100, 40, 240, 100)) << "a merged block: two columns, three rows";
    Cell(grid, 4, 3)->ColSpan = 5;
    EXPECT_TRUE(RectIs(CellRect(grid, 4, 3), 310, 80, 380, 100)) << "a span past the edge ends at the edge";
}

TEST_F(GridGeometry, AColumnEndingOnTheClientEdgeDoesNotFit) {
    struct Case {
        std::uint16_t Cols, Rows;
        LONG Width, Height;
        std::int32_t VisibleCols, VisibleRows;
    };
    const Case cases[] = {
        {6, 6, 310, 120, 3, 4}, // 30 + 4 * 70 = 310, 20 + 5 * 20 = 120: the last ones touch the edge
        {6, 6, 311, 121, 4, 5}, //
        {2, 2, 400, 300, 2, 2}, // everything fits
        {0, 0, 400, 300, 1, 1}, // no columns, no rows
        {3, 3, 90, 30, 1, 1},   // not even the first fits
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height);
        XLGrid *grid = MakeGrid(c.Cols, c.Rows, 0, 1, c.Width, c.Height);
        EXPECT_EQ(VisibleColCount(grid), c.VisibleCols);
        EXPECT_EQ(VisibleRowCount(grid), c.VisibleRows);
    }
    XLGrid *grid = MakeGrid(6, 6, 0, 1, 311, 121);
    grid->Data->LeftCol = 4;
    grid->Data->TopRow = 9;
    EXPECT_EQ(VisibleColCount(grid), 2);
    EXPECT_EQ(VisibleRowCount(grid), 1) << "first shown row beyond the last";
}

TEST_F(GridGeometry, ScrollBarsMirrorCountsPagesAndPositions) {
    XLGrid *grid = MakeGrid(10, 100, 0, 1, 311, 221); // 4 columns and 10 rows fit
    EXPECT_EQ(ScrollBarOf(grid, SB_VERT), (Bar{0, 99, 10, 0}));
    EXPECT_EQ(ScrollBarOf(grid, SB_HORZ), (Bar{0, 9, 4, 0}));

    SetTopRow(grid, 40);
    SetLeftCol(grid, 3);
    EXPECT_EQ(ScrollBarOf(grid, SB_VERT), (Bar{0, 99, 10, 40}));
    EXPECT_EQ(ScrollBarOf(grid, SB_HORZ), (Bar{0, 9, 4, 3}));

    // The window's size decides the pages.
    SetClientSize(grid, 241, 121);
    EXPECT_EQ(ScrollBarOf(grid, SB_VERT).Page, 5u);
    EXPECT_EQ(ScrollBarOf(grid, SB_HORZ).Page, 3u);

    // A first row beyond the last is accepted as it is; the bar keeps its position inside the range.
    SetRowCount(grid, 10);
    SetTopRow(grid, 40);
    EXPECT_EQ(TopRow(grid), 40);
    EXPECT_EQ(ScrollBarOf(grid, SB_VERT).Max, 9);
    EXPECT_EQ(VisibleRowCount(grid), 1);
}

// Without columns or rows a bar is sent the range 0 .. -1, which the system keeps as 0 .. 0.
TEST_F(GridGeometry, AnEmptyGridsBarsHaveNothingToScroll) {
    XLGrid *grid = MakeGrid(0, 5, 0, 1, 311, 221);
    EXPECT_EQ(VisibleColCount(grid), 1);
    EXPECT_EQ(ScrollBarOf(grid, SB_HORZ), (Bar{0, 0, 1, 0}));
    SetTopRow(grid, 3);
    SetRowCount(grid, 0);
    EXPECT_EQ(TopRow(grid), 3);
    EXPECT_EQ(ScrollBarOf(grid, SB_VERT), (Bar{0, 0, 1, 0}));
}

TEST_F(GridGeometry, CountsDoNotMoveTheFirstShownRowAndColumn) {
    XLGrid *grid = MakeGrid(10, 100, 0, 1, 311, 221);
    SetTopRow(grid, 50);
    SetLeftCol(grid, 5);
    SetRowCount(grid, 0);
    SetColCount(grid, 0);
    SetRowCount(grid, 100);
    SetColCount(grid, 10);
    EXPECT_EQ(TopRow(grid), 50);
    EXPECT_EQ(LeftCol(grid), 5);
}

} // namespace
