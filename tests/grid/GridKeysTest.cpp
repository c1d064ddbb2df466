// Keyboard navigation, the scroll bars and the wheel, driven by posted messages with the modifiers in the key
// state: the resulting current cell, block, marks and first shown row and column.
#include "grid/GridFixture.h"

#include <string>
#include <vector>

namespace {

struct KeyPress {
    WPARAM Key;
    int Modifiers = Modifier::None;
};

struct KeyCase {
    std::string Name;
    GridOptions Options;
    std::uint16_t Rows;
    CellPosition Start;
    std::vector<KeyPress> Keys;
    CellPosition Current;
    GridBlock Selection;
    std::int32_t TopRow;
    std::int32_t LeftCol;
    // A block covering columns 2..4 of row 1.
    bool Merged = false;
};

constexpr GridOptions Range = GridOption::RangeSelect | GridOption::SelectCurrent;
constexpr int Shift = Modifier::Shift;
constexpr int Ctrl = Modifier::Ctrl;
const GridBlock None{};

// 10 columns of which 5 fit, 10 rows fit.
class GridKeys : public GridTest {
protected:
    XLGrid *MakeKeyGrid(GridOptions options, std::uint16_t rows = 30) {
        return MakeGrid(10, rows, options, 1, 400, 230);
    }
};

TEST_F(GridKeys, KeySequences) {
    const std::vector<KeyCase> cases = {
        {"RightStepsOverAMergedBlock", 0, 30, {2, 1}, {{VK_RIGHT}}, {5, 1}, None, 0, 1, true},
        {"LeftLandsOnTheBlockThenPassesIt", 0, 30, {5, 1}, {{VK_LEFT}, {VK_LEFT}}, {1, 1}, None, 0, 1, true},
        {"LeftOnceReachesTheCoveringCell", 0, 30, {5, 1}, {{VK_LEFT}}, {2, 1}, None, 0, 1, true},
        {"ShiftRightThreeTimesGrowsTheBlock",
         Range,
         30,
         {2, 2},
         {{VK_RIGHT, Shift}, {VK_RIGHT, Shift}, {VK_RIGHT, Shift}},
         {2, 2},
         {2, 2, 5, 2},
         0,
         5},
        {"ShiftLeftBringsItBack",
         Range,
         30,
         {2, 2},
         {{VK_RIGHT, Shift},
          {VK_RIGHT, Shift},
          {VK_RIGHT, Shift},
          {VK_LEFT, Shift},
          {VK_LEFT, Shift},
          {VK_LEFT, Shift}},
         {2, 2},
         {2, 2, 2, 2},
         0,
         2},
        {"ShiftLeftGrowsTowardsTheStart",
         Range,
         30,
         {3, 3},
         {{VK_LEFT, Shift}, {VK_UP, Shift}},
         {3, 3},
         {2, 2, 3, 3},
         0,
         0},
        {"ShiftIsIgnoredWithoutRangeSelect",
         GridOption::SelectCurrent,
         30,
         {2, 2},
         {{VK_RIGHT, Shift}},
         {3, 2},
         {3, 2, 3, 2},
         0,
         0},
        {"ShiftWithNothingSelectedStartsAtTheCurrentCell",
         GridOption::RangeSelect,
         30,
         {2, 2},
         {{VK_DOWN, Shift}},
         {2, 2},
         {2, 2, 2, 3},
         0,
         0},
        {"DownIsHeldAtTheLastRow", 0, 5, {1, 4}, {{VK_DOWN}}, {1, 4}, None, 0, 0},
        {"PageDownWhenAllRowsFit", 0, 5, {1, 1}, {{VK_NEXT}}, {1, 4}, None, 0, 0},
        {"PageDownScrollsAPageLessOne", 0, 30, {1, 1}, {{VK_NEXT}}, {1, 10}, None, 9, 0},
        {"PageUpAfterPageDown", 0, 30, {1, 1}, {{VK_NEXT}, {VK_PRIOR}}, {1, 1}, None, 0, 0},
        {"ShiftPageUpPastTheTopEdgeEndsAtTheCurrentRow",
         Range,
         30,
         {1, 5},
         {{VK_DOWN, Shift}, {VK_DOWN, Shift}, {VK_PRIOR, Shift}},
         {1, 5},
         {1, 0, 1, 5},
         0,
         0},
        {"ShiftPageDownFromTheTopEdge", Range, 30, {1, 2}, {{VK_NEXT, Shift}}, {1, 2}, {1, 2, 1, 11}, 9, 0},
        {"EndAndHome", 0, 30, {3, 4}, {{VK_END}}, {9, 4}, None, 0, 5},
        {"HomeAfterEnd", 0, 30, {3, 4}, {{VK_END}, {VK_HOME}}, {0, 4}, None, 0, 0},
        {"ShiftEndStretchesTheRow", Range, 30, {3, 4}, {{VK_END, Shift}}, {3, 4}, {3, 4, 9, 4}, 0, 5},
        {"CtrlEndShowsTheLastPage", 0, 30, {0, 0}, {{VK_END, Ctrl}}, {9, 29}, None, 20, 5},
        {"CtrlShiftEndSelectsToTheLastCell", Range, 30, {2, 3}, {{VK_END, Ctrl | Shift}}, {2, 3}, {2, 3, 9, 29}, 20, 5},
        {"CtrlHome", 0, 30, {7, 25}, {{VK_HOME, Ctrl}}, {0, 0}, None, 0, 0},
        {"CtrlDownAndCtrlUp", 0, 30, {2, 3}, {{VK_DOWN, Ctrl}}, {2, 29}, None, 20, 0},
        {"CtrlShiftUpSelectsToTheFirstRow", Range, 30, {2, 3}, {{VK_UP, Ctrl | Shift}}, {2, 3}, {2, 0, 2, 3}, 0, 0},
        {"CtrlRightIsEnd", 0, 30, {2, 3}, {{VK_RIGHT, Ctrl}}, {9, 3}, None, 0, 5},
        {"CtrlPageDownDoesNothing", 0, 30, {2, 3}, {{VK_NEXT, Ctrl}}, {2, 3}, None, 0, 0},
        {"CtrlLeftIsHome", 0, 30, {7, 3}, {{VK_LEFT, Ctrl}}, {0, 3}, None, 0, 0},
        {"CtrlUpShowsTheFirstRow", 0, 30, {2, 25}, {{VK_UP, Ctrl}}, {2, 0}, None, 0, 0},
        {"ShiftHomeStretchesToTheFirstColumn", Range, 30, {6, 4}, {{VK_HOME, Shift}}, {6, 4}, {0, 4, 6, 4}, 0, 0},
        {"ShiftHomeWithoutRangeSelectIsHome",
         GridOption::SelectCurrent,
         30,
         {6, 4},
         {{VK_HOME, Shift}},
         {0, 4},
         {0, 4, 0, 4},
         0,
         0},
        {"ShiftEndWithoutRangeSelectIsEnd",
         GridOption::SelectCurrent,
         30,
         {3, 4},
         {{VK_END, Shift}},
         {9, 4},
         {9, 4, 9, 4},
         0,
         5},
        {"CtrlShiftLeftIsShiftHome", Range, 30, {6, 4}, {{VK_LEFT, Ctrl | Shift}}, {6, 4}, {0, 4, 6, 4}, 0, 0},
        {"CtrlShiftRightIsShiftEnd", Range, 30, {3, 4}, {{VK_RIGHT, Ctrl | Shift}}, {3, 4}, {3, 4, 9, 4}, 0, 5},
        {"CtrlShiftDownSelectsToTheLastRow",
         Range,
         30,
         {2, 3},
         {{VK_DOWN, Ctrl | Shift}},
         {2, 3},
         {2, 3, 2, 29},
         20,
         0},
        {"CtrlShiftHomeSelectsToTheFirstCell",
         Range,
         30,
         {6, 25},
         {{VK_HOME, Ctrl | Shift}},
         {6, 25},
         {0, 0, 6, 25},
         0,
         0},
        {"CtrlShiftWithoutRangeSelectIsCtrl",
         GridOption::SelectCurrent,
         30,
         {2, 3},
         {{VK_DOWN, Ctrl | Shift}},
         {2, 29},
         {2, 29, 2, 29},
         20,
         0},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.Name);
        XLGrid *grid = MakeKeyGrid(c.Options, c.Rows);
        if (c.Merged)
            Merge(grid, 2, 1, 2, 0);
        SetCurrentCell(grid, c.Start.Col, c.Start.Row);
        for (const KeyPress &k : c.Keys)
            PostKey(grid, k.Key, k.Modifiers);
        EXPECT_EQ(GetCurrentCell(grid), c.Current);
        EXPECT_TRUE(
            BlockIs(grid->Data->Selection, c.Selection.Left, c.Selection.Top, c.Selection.Right, c.Selection.Bottom));
        EXPECT_EQ(TopRow(grid), c.TopRow);
        EXPECT_EQ(LeftCol(grid), c.LeftCol);
        // The marks are exactly the block.
        const GridBlock s = grid->Data->Selection;
        const auto marks = Marks(grid);
        for (std::int32_t r = 0; r < c.Rows; ++r)
            for (std::int32_t col = 0; col < 10; ++col)
                ASSERT_EQ(marks[r][col], s.Left <= col && col <= s.Right && s.Top <= r && r <= s.Bottom ? 1 : 0)
                    << col << ", " << r;
        ObjectBase::Free(grid);
    }
}

TEST_F(GridKeys, NavigationClearsEarlierMarksOtherKeysKeepThem) {
    XLGrid *grid = MakeKeyGrid(0);
    MarkAllCells(grid, true);
    PostKey(grid, VK_TAB);
    PostKey(grid, VK_F2, Ctrl);
    EXPECT_TRUE(IsCellSelected(grid, 7, 7));
    PostKey(grid, VK_RIGHT);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{1, 0}));
    EXPECT_FALSE(IsCellSelected(grid, 7, 7));
}

TEST_F(GridKeys, ArrowsWithoutACurrentCellStartFromTheFirst) {
    XLGrid *grid = MakeKeyGrid(0);
    SetRowCount(grid, 0);
    SetRowCount(grid, 30);
    ASSERT_EQ(GetCurrentCell(grid).Row, -1);
    PostKey(grid, VK_DOWN);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 1}));
}

TEST_F(GridKeys, KeysOnAGridWithoutCellsChangeNothing) {
    XLGrid *grid = MakeKeyGrid(Range, 0);
    for (const WPARAM key : {VK_RIGHT, VK_DOWN, VK_NEXT, VK_END, VK_RETURN})
        PostKey(grid, key, Shift);
    PostKey(grid, VK_END, Ctrl);
    EXPECT_TRUE(grid->Data->Selection.IsNone());
    EXPECT_EQ(TopRow(grid), 0);
    EXPECT_EQ(LeftCol(grid), 0);
}

TEST_F(GridKeys, ScrollBarRequests) {
    struct Request {
        WORD Code;
        std::int32_t Thumb, Count, First, Visible, Expected;
    };
    const Request requests[] = {
        {SB_LINEUP, 0, 100, 50, 10, 49},    {SB_LINEUP, 0, 100, 0, 10, 0},
        {SB_LINEDOWN, 0, 100, 50, 10, 51},  {SB_LINEDOWN, 0, 100, 90, 10, 90},
        {SB_LINEDOWN, 0, 5, 0, 10, 0},      {SB_PAGEUP, 0, 100, 50, 10, 41},
        {SB_PAGEUP, 0, 100, 5, 10, 0},      {SB_PAGEDOWN, 0, 100, 50, 10, 59},
        {SB_PAGEDOWN, 0, 100, 85, 10, 90},  {SB_THUMBPOSITION, 65535, 100, 0, 10, 90},
        {SB_THUMBTRACK, 7, 100, 50, 10, 7}, {SB_TOP, 0, 100, 50, 10, 0},
        {SB_BOTTOM, 0, 100, 0, 10, 90},     {SB_BOTTOM, 0, 0, 0, 1, 0},
        {SB_ENDSCROLL, 3, 100, 50, 10, 50},
    };
    for (const Request &r : requests)
        EXPECT_EQ(ApplyScrollRequest(r.Code, r.Thumb, r.Count, r.First, r.Visible), r.Expected)
            << "code " << r.Code << " from " << r.First;
}

TEST_F(GridKeys, ScrollMessagesMoveTheFirstLineAndTheBars) {
    XLGrid *grid = MakeKeyGrid(0, 100);
    PostMessageA(grid->Handle, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 65535), 0);
    PostMessageA(grid->Handle, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    Pump();
    EXPECT_EQ(TopRow(grid), 90);
    EXPECT_EQ(LeftCol(grid), 1);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    ASSERT_TRUE(GetScrollInfo(grid->Handle, SB_VERT, &info));
    EXPECT_EQ(info.nPos, 90);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 0}));
}

TEST_F(GridKeys, WheelScrollsWholeNotchesOnly) {
    struct Turn {
        std::int32_t From;
        SHORT Delta;
        WPARAM Keys;
        std::int32_t Expected;
    };
    const Turn turns[] = {
        {50, 240, 0, 48},  {50, 240, MK_CONTROL, 32}, {50, 119, 0, 50}, {50, -119, 0, 50},
        {50, -360, 0, 53}, {89, -240, 0, 90},         {1, 240, 0, 0},   {5, 120, MK_CONTROL, 0},
    };
    XLGrid *grid = MakeKeyGrid(0);
    SetRowCount(grid, 100);
    for (const Turn &t : turns) {
        SetTopRow(grid, t.From);
        PostMessageA(grid->Handle, WM_MOUSEWHEEL, MAKEWPARAM(t.Keys, static_cast<WORD>(t.Delta)), 0);
        Pump();
        EXPECT_EQ(TopRow(grid), t.Expected) << t.Delta << " from " << t.From;
    }
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 0}));
}

} // namespace
