// Mouse input through posted messages: hit tests, presses and drags over cells and titles, scrolling while
// dragging, the capture, column resizing with its cursor, pressed titles, and double click.
#include "grid/GridFixture.h"

#include <string>
#include <utility>
#include <vector>

namespace {

// 10 columns of 70 pixels, 6 of them shown; 30 rows of 20 pixels, 10 shown. Titles: 30 wide, 20 high.
class GridMouse : public GridTest {
protected:
    XLGrid *MakeMouseGrid(GridOptions options) {
        XLGrid *grid = MakeGrid(10, 30, options, 1, 500, 230);
        Events.Attach(grid);
        return grid;
    }
    static void Drag(XLGrid *grid, std::vector<POINT> path, WPARAM flags = 0) {
        PostMouse(grid, WM_LBUTTONDOWN, path.front(), MK_LBUTTON | flags);
        for (const POINT &p : path)
            PostMouse(grid, WM_MOUSEMOVE, p, MK_LBUTTON | flags);
        PostMouse(grid, WM_LBUTTONUP, path.back(), flags);
    }
    // Cells painted as selected.
    static std::int32_t MarkedCount(const XLGrid *grid) {
        std::int32_t n = 0;
        for (const auto &row : Marks(grid))
            for (const int mark : row)
                n += mark > 0 ? 1 : 0;
        return n;
    }

    GridEvents Events;
};

TEST_F(GridMouse, HitTests) {
    XLGrid *grid = MakeMouseGrid(GridOption::ColSizing);
    SetColWidth(grid, 1, 2);
    struct Probe {
        std::int32_t LeftCol, X, Col, Border;
    };
    // Column 0 spans 30..100, column 1 100..102, column 2 102..172; the last one ends at 30 + 9 * 70 + 2 = 662.
    const Probe probes[] = {
        {0, 29, -1, -1}, {0, 30, 0, -1},  {0, 98, 0, -1}, {0, 99, 0, 0},  {0, 100, 0, 0},  {0, 101, 1, 0},
        {0, 102, 1, 1},  {0, 103, 2, -1}, {0, 171, 2, 2}, {0, 173, 3, 2}, {0, 660, 9, -1}, {0, 663, 9, 9},
        {0, 664, 9, -1}, {2, 30, 2, -1},  {2, 100, 2, 2}, {2, 101, 3, 2},
    };
    for (const Probe &p : probes) {
        grid->Data->LeftCol = p.LeftCol;
        EXPECT_EQ(ColAtX(grid, p.X), p.Col) << p.X << " from column " << p.LeftCol;
        EXPECT_EQ(ColBorderAtX(grid, p.X), p.Border) << p.X << " from column " << p.LeftCol;
    }
    grid->Data->LeftCol = 0;
    grid->Data->TopRow = 3;
    EXPECT_EQ(RowAtY(grid, 20), 3);
    EXPECT_EQ(RowAtY(grid, 40), 3);
    EXPECT_EQ(RowAtY(grid, 41), 4);
    EXPECT_EQ(RowAtY(grid, 19), -1);
    EXPECT_EQ(RowAtY(grid, 5000), 29);
    EXPECT_EQ(CellAtPoint(grid, 101, 41), (CellPosition{1, 4}));
    SetOptions(grid, 0);
    EXPECT_EQ(ColBorderAtX(grid, 100), -1);
}

TEST_F(GridMouse, PressAndReleaseOnACell) {
    for (const GridOptions options : {GridOptions{0}, GridOption::SelectCurrent}) {
        XLGrid *grid = MakeMouseGrid(options);
        MarkAllCells(grid, true);
        PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 3, 4), MK_LBUTTON);
        EXPECT_EQ(GetCapture(), grid->Handle);
        PostMouse(grid, WM_LBUTTONUP, CellCentre(grid, 3, 4));
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(GetCurrentCell(grid), (CellPosition{3, 4}));
        EXPECT_EQ(GetFocus(), grid->Handle);
        if (options & GridOption::SelectCurrent) {
            EXPECT_TRUE(BlockIs(grid->Data->Selection, 3, 4, 3, 4));
            EXPECT_EQ(MarkedCount(grid), 1);
        } else {
            EXPECT_TRUE(grid->Data->Selection.IsNone());
            EXPECT_EQ(MarkedCount(grid), 0);
        }
        ObjectBase::Free(grid);
    }
}

TEST_F(GridMouse, DragSelectsTheBlockReportingEachChangeOnce) {
    XLGrid *grid = MakeMouseGrid(GridOption::RangeSelect);
    const POINT start = CellCentre(grid, 2, 3);
    PostMouse(grid, WM_LBUTTONDOWN, start, MK_LBUTTON);
    Events.Clear();
    POINT inside = CellCentre(grid, 3, 3);
    PostMouse(grid, WM_MOUSEMOVE, inside, MK_LBUTTON);
    inside.x += 5;
    PostMouse(grid, WM_MOUSEMOVE, inside, MK_LBUTTON);
    PostMouse(grid, WM_MOUSEMOVE, CellCentre(grid, 5, 1), MK_LBUTTON);
    PostMouse(grid, WM_MOUSEMOVE, CellCentre(grid, 5, 1), MK_LBUTTON);
    PostMouse(grid, WM_LBUTTONUP, CellCentre(grid, 5, 1));
    ASSERT_EQ(Events.SelectionChanged.size(), 2u);
    EXPECT_TRUE(BlockIs(Events.SelectionChanged[0], 2, 3, 3, 3));
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 2, 1, 5, 3));
    EXPECT_EQ(MarkedCount(grid), 12);
    EXPECT_EQ(Cell(grid, 5, 1)->SelCount, 1);
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{2, 3}));
}

TEST_F(GridMouse, DragIsWidenedOverAMergedCell) {
    XLGrid *grid = MakeMouseGrid(GridOption::RangeSelect);
    Merge(grid, 3, 2, 1, 0);
    PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 5, 0), MK_LBUTTON);
    Events.Clear();
    POINT covered = CellCentre(grid, 4, 2);
    covered.x += 20; // inside column 4 of the merged cell
    PostMouse(grid, WM_MOUSEMOVE, covered, MK_LBUTTON);
    covered.x += 5;
    PostMouse(grid, WM_MOUSEMOVE, covered, MK_LBUTTON);
    PostMouse(grid, WM_LBUTTONUP, covered);
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 3, 0, 5, 2));
    EXPECT_EQ(Events.SelectionChanged.size(), 1u);
    EXPECT_EQ(Cell(grid, 3, 1)->SelCount, 1);
}

TEST_F(GridMouse, CtrlDragAddsABlockAndAPlainClickClearsAll) {
    XLGrid *grid = MakeMouseGrid(GridOption::RangeSelect);
    Drag(grid, {CellCentre(grid, 0, 0), CellCentre(grid, 1, 1)});
    Drag(grid, {CellCentre(grid, 3, 3), CellCentre(grid, 4, 4)}, MK_CONTROL);
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 3, 3, 4, 4));
    EXPECT_EQ(MarkedCount(grid), 8);
    EXPECT_TRUE(IsCellSelected(grid, 1, 1));
    EXPECT_FALSE(IsCellSelected(grid, 2, 2));
    PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 2, 2), MK_LBUTTON);
    PostMouse(grid, WM_LBUTTONUP, CellCentre(grid, 2, 2));
    EXPECT_EQ(MarkedCount(grid), 0);
}

TEST_F(GridMouse, DraggingOutOfTheCellsScrolls) {
    XLGrid *grid = MakeMouseGrid(GridOption::RangeSelect);
    PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 1, 1), MK_LBUTTON);
    // Row 10 is the partly shown one below the last full row.
    PostMouse(grid, WM_MOUSEMOVE, {100, 229}, MK_LBUTTON);
    EXPECT_EQ(TopRow(grid), 1);
    PostMouse(grid, WM_MOUSEMOVE, {100, 1000}, MK_LBUTTON);
    EXPECT_EQ(TopRow(grid), 20);
    EXPECT_TRUE(BlockIs(grid->Data->Selection, 0, 1, 1, 29));
    PostMouse(grid, WM_LBUTTONUP, {100, 1000});

    SetLeftCol(grid, 3);
    SetTopRow(grid, 0);
    PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 4, 1), MK_LBUTTON);
    for (const std::int32_t expected : {2, 1, 0, 0}) {
        PostMouse(grid, WM_MOUSEMOVE, {10, 30}, MK_LBUTTON);
        EXPECT_EQ(LeftCol(grid), expected);
        EXPECT_EQ(grid->Data->Selection.Left, expected);
    }
    PostMouse(grid, WM_LBUTTONUP, {10, 30});
}

TEST_F(GridMouse, ReleaseOutsideTheWindowEndsTheDrag) {
    XLGrid *grid = MakeMouseGrid(GridOption::RangeSelect);
    PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 1, 1), MK_LBUTTON);
    PostMouse(grid, WM_LBUTTONUP, {-40, -40});
    EXPECT_EQ(grid->Data->AnchorCol, -1);
    EXPECT_EQ(GetCapture(), nullptr);
    PostMouse(grid, WM_MOUSEMOVE, CellCentre(grid, 4, 4));
    EXPECT_TRUE(BlockIs(grid->Data->Selection, -1, -1, -1, -1));
}

// The button held on a cell while the counts change (a query without rows, for one): a count change that leaves the
// drag's cell outside the grid ends the drag, and the selection stays none or inside the grid.
TEST_F(GridMouse, ACountChangeUnderADragEndsItWhenItsCellIsGone) {
    struct Case {
        const char *Name;
        std::uint16_t Cols, Rows;
        bool DragGoesOn;
    };
    const Case cases[] = {
        {"no columns", 0, 30, false},
        {"no rows", 10, 0, false},
        {"the anchor's row gone", 10, 2, false},
        {"the anchor's column gone", 3, 30, false},
        {"the anchor stays", 10, 20, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        XLGrid *grid = MakeMouseGrid(GridOption::RangeSelect);
        PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 4, 5), MK_LBUTTON);
        ASSERT_EQ(GetCapture(), grid->Handle);
        SetColCount(grid, c.Cols);
        SetRowCount(grid, c.Rows);
        EXPECT_EQ(GetCapture() == grid->Handle, c.DragGoesOn);
        for (const POINT p : {POINT{200, 60}, POINT{60, 100}, POINT{5, 5}}) {
            PostMouse(grid, WM_MOUSEMOVE, p, MK_LBUTTON);
            const GridBlock &s = grid->Data->Selection;
            EXPECT_TRUE(s.IsNone() || (s.Left >= 0 && s.Top >= 0 && s.Right < c.Cols && s.Bottom < c.Rows))
                << s.Left << "," << s.Top << "-" << s.Right << "," << s.Bottom;
        }
        PostMouse(grid, WM_LBUTTONUP, {5, 5});
    }
}

TEST_F(GridMouse, AWindowTakingTheMouseEndsTheDrag) {
    XLGrid *grid = MakeMouseGrid(GridOption::RangeSelect | GridOption::ColSizing);
    Control *other = Child(Panel_);
    Panel_->CreateWindow();
    ASSERT_TRUE(other->Handle);
    PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 1, 1), MK_LBUTTON);
    SetCapture(other->Handle);
    PostMouse(grid, WM_MOUSEMOVE, CellCentre(grid, 4, 4));
    EXPECT_TRUE(grid->Data->Selection.IsNone());
    ReleaseCapture();

    PostMouse(grid, WM_MOUSEMOVE, {100, 10});
    PostMouse(grid, WM_LBUTTONDOWN, {100, 10}, MK_LBUTTON);
    SetCapture(other->Handle);
    PostMouse(grid, WM_LBUTTONUP, {150, 10});
    ReleaseCapture();
    EXPECT_EQ(ColWidth(grid, 0), 70);
}

TEST_F(GridMouse, CornerPress) {
    for (const GridOptions options : {GridOptions{0}, GridOption::RangeSelect}) {
        XLGrid *grid = MakeMouseGrid(options);
        SetLeftCol(grid, 2);
        SetTopRow(grid, 3);
        SetCurrentCell(grid, 5, 8);
        PostMouse(grid, WM_LBUTTONDOWN, {30, 20}, MK_LBUTTON);
        PostMouse(grid, WM_LBUTTONUP, {30, 20});
        EXPECT_EQ(GetFocus(), grid->Handle);
        if (options & GridOption::RangeSelect) {
            EXPECT_EQ(MarkedCount(grid), 300);
            EXPECT_EQ(GetCurrentCell(grid), (CellPosition{2, 3}));
            EXPECT_TRUE(BlockIs(grid->Data->Selection, 0, 0, 9, 29));
            EXPECT_TRUE(grid->Data->State & GridStateFlag::AllSelected);
            PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 4, 5), MK_LBUTTON);
            PostMouse(grid, WM_LBUTTONUP, CellCentre(grid, 4, 5));
            EXPECT_FALSE(grid->Data->State & GridStateFlag::AllSelected);
            EXPECT_EQ(MarkedCount(grid), 0);
        } else {
            EXPECT_EQ(MarkedCount(grid), 0);
            EXPECT_EQ(GetCurrentCell(grid), (CellPosition{5, 8}));
            EXPECT_TRUE(grid->Data->Selection.IsNone());
        }
        ObjectBase::Free(grid);
    }
}

TEST_F(GridMouse, TitleDragsTrackTheirRangeAndClearTheSelection) {
    XLGrid *grid = MakeMouseGrid(GridOption::RangeSelect | GridOption::ColSelect | GridOption::RowSelect);
    SetSelection(grid, {1, 1, 2, 2});
    Drag(grid, {{135, 10}, {205, 10}, {275, 10}});
    EXPECT_EQ(grid->Data->ColDragTo, 3);
    EXPECT_EQ(grid->Data->ColDragFrom, -1);
    EXPECT_TRUE(grid->Data->Selection.IsNone());
    EXPECT_EQ(MarkedCount(grid), 0);
    Drag(grid, {{10, 50}, {10, 1000}});
    EXPECT_EQ(grid->Data->RowDragTo, 29);
    EXPECT_EQ(TopRow(grid), 20);
}

TEST_F(GridMouse, ColumnResizeByTheTitleBorder) {
    XLGrid *grid = MakeMouseGrid(GridOption::ColSizing);
    std::vector<std::int32_t> resized;
    grid->Data->OnColResized = {[](void *self, ObjectBase *, bool isRow, std::int32_t col, std::int32_t width) {
                                    EXPECT_FALSE(isRow);
                                    static_cast<std::vector<std::int32_t> *>(self)->insert(
                                        static_cast<std::vector<std::int32_t> *>(self)->end(), {col, width});
                                },
                                &resized};
    const HCURSOR own = grid->Cursor;
    PostMouse(grid, WM_MOUSEMOVE, {100, 10});
    EXPECT_EQ(grid->Data->ResizeCol, 0);
    EXPECT_EQ(grid->Cursor, grid->Data->ResizeCursor);
    PostMouse(grid, WM_LBUTTONDOWN, {100, 10}, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), grid->Handle);
    EXPECT_EQ(grid->Data->PressedColTitle, -1) << "a press on the border resizes, it does not press the title";
    PostMouse(grid, WM_MOUSEMOVE, {130, 10}, MK_LBUTTON);
    EXPECT_EQ(grid->Data->ResizeWidth, 100);
    EXPECT_EQ(ColWidth(grid, 0), 70);
    PostMouse(grid, WM_MOUSEMOVE, {0, 10}, MK_LBUTTON);
    EXPECT_EQ(grid->Data->ResizeWidth, 1);
    PostMouse(grid, WM_LBUTTONUP, {0, 10});
    EXPECT_EQ(ColWidth(grid, 0), 1);
    EXPECT_EQ(resized, (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(grid->Data->ResizeCol, -1);
    EXPECT_EQ(GetCapture(), nullptr);
    PostMouse(grid, WM_MOUSEMOVE, {200, 100});
    EXPECT_EQ(grid->Cursor, own);
}

TEST_F(GridMouse, AfterHoveringABorderAPressInTheCellsSelects) {
    XLGrid *grid = MakeMouseGrid(GridOption::ColSizing);
    PostMouse(grid, WM_MOUSEMOVE, {100, 10});
    ASSERT_EQ(grid->Data->ResizeCol, 0);
    // The title row's bottom pixel is not part of the border zone.
    PostMouse(grid, WM_MOUSEMOVE, {100, 20});
    EXPECT_EQ(grid->Data->ResizeCol, -1);
    EXPECT_FALSE(grid->Data->CursorSwapped);
    PostMouse(grid, WM_MOUSEMOVE, {100, 50});
    PostMouse(grid, WM_LBUTTONDOWN, {100, 50}, MK_LBUTTON);
    PostMouse(grid, WM_LBUTTONUP, {100, 50});
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 1}));
    EXPECT_EQ(ColWidth(grid, 0), 70);
}

TEST_F(GridMouse, APressedTitleClicksOnlyWhenReleasedOverIt) {
    // Three columns (x 30..240) and three rows (y 20..80): the titles end well inside the window.
    XLGrid *grid = MakeGrid(3, 3, 0, 1, 500, 230);
    std::vector<std::pair<bool, std::int32_t>> clicks;
    grid->Data->OnTitleClick = {[](void *self, ObjectBase *, bool isRow, std::int32_t index) {
                                    static_cast<decltype(clicks) *>(self)->push_back({isRow, index});
                                },
                                &clicks};
    const auto sunken = [&] { return (grid->Data->State & GridStateFlag::TitlePressed) != 0; };
    struct Case {
        bool IsRow;
        POINT Title, Neighbour, Past, Outside;
    } cases[] = {{false, {135, 10}, {205, 10}, {300, 10}, {135, -5}}, {true, {15, 50}, {15, 70}, {15, 150}, {-5, 50}}};
    for (const Case &c : cases) {
        const std::int32_t &pressed = c.IsRow ? grid->Data->PressedRowTitle : grid->Data->PressedColTitle;
        PostMouse(grid, WM_LBUTTONDOWN, c.Title, MK_LBUTTON);
        EXPECT_EQ(pressed, 1);
        EXPECT_TRUE(sunken());
        EXPECT_EQ(GetCapture(), grid->Handle);
        PostMouse(grid, WM_MOUSEMOVE, CellCentre(grid, 1, 1), MK_LBUTTON);
        EXPECT_FALSE(sunken());
        PostMouse(grid, WM_MOUSEMOVE, c.Title, MK_LBUTTON);
        EXPECT_TRUE(sunken());
        PostMouse(grid, WM_LBUTTONUP, c.Title);
        EXPECT_EQ(clicks, (std::vector<std::pair<bool, std::int32_t>>{{c.IsRow, 1}}));
        EXPECT_EQ(pressed, -1);
        EXPECT_FALSE(sunken());
        EXPECT_EQ(GetCapture(), nullptr);

        for (const POINT away : {CellCentre(grid, 1, 1), c.Neighbour, c.Past, POINT{15, 10}, c.Outside}) {
            PostMouse(grid, WM_LBUTTONDOWN, c.Title, MK_LBUTTON);
            PostMouse(grid, WM_MOUSEMOVE, away, MK_LBUTTON);
            EXPECT_FALSE(sunken()) << away.x << ", " << away.y;
            PostMouse(grid, WM_LBUTTONUP, away);
            EXPECT_EQ(pressed, -1);
            EXPECT_FALSE(sunken());
        }
        // Past the last title and in the corner there is nothing to press.
        for (const POINT nothing : {c.Past, POINT{15, 10}}) {
            PostMouse(grid, WM_LBUTTONDOWN, nothing, MK_LBUTTON);
            EXPECT_EQ(pressed, -1) << nothing.x << ", " << nothing.y;
            EXPECT_FALSE(sunken());
            PostMouse(grid, WM_LBUTTONUP, nothing);
        }
        EXPECT_EQ(clicks.size(), 1u) << "only the release over the title clicks";
        clicks.clear();
    }
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 0}));
}

// A title whose kind of selection is on starts a title drag; the other kind presses like a button.
TEST_F(GridMouse, TitleSelectionKeepsItsTitlesFromPressing) {
    for (const GridOptions select : {GridOption::ColSelect, GridOption::RowSelect}) {
        XLGrid *grid = MakeMouseGrid(GridOption::RangeSelect | select);
        int clicks = 0;
        grid->Data->OnTitleClick = {[](void *self, ObjectBase *, bool, std::int32_t) { ++*static_cast<int *>(self); },
                                    &clicks};
        const XLGridData &data = *grid->Data;
        for (const bool isRow : {false, true}) {
            const bool selects = select == (isRow ? GridOption::RowSelect : GridOption::ColSelect);
            const POINT title = isRow ? POINT{10, 50} : POINT{135, 10};
            SetSelection(grid, {1, 1, 2, 2});
            PostMouse(grid, WM_LBUTTONDOWN, title, MK_LBUTTON);
            EXPECT_EQ(isRow ? data.RowDragFrom : data.ColDragFrom, selects ? 1 : -1);
            EXPECT_EQ(isRow ? data.PressedRowTitle : data.PressedColTitle, selects ? -1 : 1);
            EXPECT_EQ((data.State & GridStateFlag::TitlePressed) != 0, !selects);
            EXPECT_EQ(data.Selection.IsNone(), selects) << "a pressed title leaves the selection alone";
            PostMouse(grid, WM_LBUTTONUP, title);
            EXPECT_EQ(clicks, selects ? 0 : 1);
            clicks = 0;
        }
        ObjectBase::Free(grid);
    }
}

// Enter and double click open an edit; while the owner refuses to end it, presses, keys and the wheel are ignored.
TEST_F(GridMouse, InputWhileTheOwnerKeepsTheEditOpen) {
    struct Owner {
        Control *Box = nullptr;
        bool Refuse = true;
    } owner;
    XLGrid *grid = MakeMouseGrid(0);
    owner.Box = NewEditBox(Panel_, 0);
    grid->Data->OnBeginEdit = {[](void *self, ObjectBase *, std::int32_t, std::int32_t, Control *&editor, Control *&,
                                  EditInsets &) { editor = static_cast<Owner *>(self)->Box; },
                               &owner};
    grid->Data->OnEndEdit = {[](void *self, ObjectBase *, std::int32_t, std::int32_t, Control *, Control *,
                                std::string &, bool, bool &allow) { allow = !static_cast<Owner *>(self)->Refuse; },
                             &owner};
    SetCurrentCell(grid, 1, 1);
    SetTopRow(grid, 1);
    PostKey(grid, VK_RETURN);
    ASSERT_EQ(grid->Data->EditCol, 1);
    const HWND focus = GetFocus();
    PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 3, 3), MK_LBUTTON);
    PostMouse(grid, WM_LBUTTONUP, CellCentre(grid, 3, 3));
    PostKey(grid, VK_DOWN);
    PostMessageA(grid->Handle, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    Pump();
    EXPECT_EQ(GetCurrentCell(grid), (CellPosition{1, 1}));
    EXPECT_EQ(TopRow(grid), 1);
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(grid->Data->EditCol, 1);

    owner.Refuse = false;
    PostMouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 3, 3), MK_LBUTTON);
    PostMouse(grid, WM_LBUTTONUP, CellCentre(grid, 3, 3));
    EXPECT_EQ(grid->Data->EditCol, -1);
    // A double click elsewhere than on the current cell does not edit.
    PostMouse(grid, WM_LBUTTONDBLCLK, CellCentre(grid, 4, 3), MK_LBUTTON);
    EXPECT_EQ(grid->Data->EditCol, -1);
    PostMouse(grid, WM_LBUTTONDBLCLK, CellCentre(grid, 3, 3), MK_LBUTTON);
    EXPECT_EQ(grid->Data->EditCol, 3);
}

} // namespace
