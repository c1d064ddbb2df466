// A row's cells are made when something first reaches them: until then a cell is its text alone. Whoever reaches a
// cell late must find what it would have found had the cell been made with its row, and whatever only asks about
// marks, spans or fonts must not make the cells of a large result.
#include "grid/GridFixture.h"

#include <string>
#include <string_view>
#include <vector>

#include "grid/MemoryBudget.h"
#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/windows/ControlDrawingTools.h"

namespace {

using CellsMadeWhenReached = GridTest;

std::size_t Made(const XLGrid *grid) { return grid->Data->Cells.Made(); }

TEST_F(CellsMadeWhenReached, RowsFilledWithTextsMakeNoCellAndChargeAsMadeOnes) {
    XLGrid *grid = MakeGrid(4, 0);
    const std::size_t before = ResultBudget.Used();
    SetRowCount(grid, 1000);
    const std::string longText(2000, 'x');
    const std::vector<std::string_view> texts{"a", "", std::string_view("b\0c", 3), longText};
    for (std::int32_t r = 0; r < 1000; ++r)
        SetRowTexts(grid, r, texts);
    EXPECT_EQ(grid->Data->Cells.Live(), 4000u);
    // A text too long for the shared room needs a record of its own: one cell per row.
    EXPECT_EQ(Made(grid), 1000u);
    const std::size_t charged = ResultBudget.Used() - before;

    EXPECT_EQ(Cell(grid, 0, 7)->Text.View(), "a");
    EXPECT_TRUE(Cell(grid, 1, 7)->Text.Empty());
    EXPECT_EQ(Cell(grid, 2, 7)->Text.View(), "b");
    EXPECT_EQ(Cell(grid, 3, 7)->Text.View().size(), 2000u);
    EXPECT_EQ(Made(grid), 1003u);
    EXPECT_EQ(ResultBudget.Used() - before, charged) << "a cell's record was charged when its row was made";

    // Texts replaced before and after the cell is made.
    const std::vector<std::string_view> again{"", "new", "b", "short"};
    SetRowTexts(grid, 7, again);
    SetRowTexts(grid, 8, again);
    for (std::int32_t r : {7, 8})
        for (std::int32_t c = 0; c < 4; ++c)
            EXPECT_EQ(Cell(grid, c, r)->Text.View(), again[static_cast<std::size_t>(c)]) << c << "," << r;

    SetRowCount(grid, 0);
    EXPECT_EQ(grid->Data->Cells.Live(), 0u);
    EXPECT_EQ(ResultBudget.Used(), before);

    // Short texts into new rows, at once or one by one, are charged what a result's reader reserves for them.
    SetRowCount(grid, 2);
    const std::vector<std::string_view> shortTexts{"", std::string_view("b\0c", 3), "abc", "0123456789"};
    const std::vector<std::string_view> withoutZeros{"", "b", "abc", "0123456789"};
    SetRowTexts(grid, 0, shortTexts);
    SetRowTexts(grid, 1, withoutZeros, ZeroBytes::None);
    EXPECT_EQ(Made(grid), 0u);
    EXPECT_EQ(ResultBudget.Used() - before, 2 * (NewRowCost(4) + CellStore::CellCost(0) + CellStore::CellCost(1) +
                                                 CellStore::CellCost(3) + CellStore::CellCost(10)));
    for (std::int32_t r = 0; r < 2; ++r)
        for (std::int32_t c = 0; c < 4; ++c)
            EXPECT_EQ(Cell(grid, c, r)->Text.View(), withoutZeros[static_cast<std::size_t>(c)]) << c << "," << r;
}

TEST_F(CellsMadeWhenReached, ACellReachedLateHasTheDefaultsOfWhenItsRowWasMade) {
    XLGrid *grid = MakeGrid(2, 2);
    const std::size_t made = Made(grid);
    XLGridData &d = *grid->Data;
    d.DefBorderLeft = 3;
    d.DefMarginTop = 4;
    d.DefHAlign = HAlign::Right;
    d.DefVAlign = VAlign::Bottom;
    d.DefWordWrap = true;
    grid->SetColor(0x00445566);
    SetRowCount(grid, 4);
    d.DefBorderColor = 0x00010203;
    SetRowCount(grid, 5);
    EXPECT_EQ(Made(grid), made) << "new rows make no cell";

    struct Expected {
        std::int32_t Row;
        std::int32_t BorderLeft;
        std::int32_t MarginTop;
        HAlign H;
        VAlign V;
        bool Wrap;
        std::uint32_t Color;
        std::uint32_t BorderColor;
    };
    const Expected rows[] = {
        {1, 1, 1, HAlign::Left, VAlign::Center, false, 0x80000005, 0x80000010},
        {3, 3, 4, HAlign::Right, VAlign::Bottom, true, 0x00445566, 0x80000010},
        {4, 3, 4, HAlign::Right, VAlign::Bottom, true, 0x00445566, 0x00010203},
    };
    for (const Expected &e : rows) {
        SCOPED_TRACE(e.Row);
        const XLCell *cell = Cell(grid, 1, e.Row);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->Owner, grid);
        EXPECT_EQ(cell->BorderLeft.LineWidth, e.BorderLeft);
        EXPECT_EQ(cell->BorderRight.LineWidth, 1);
        EXPECT_EQ(cell->MarginTop, e.MarginTop);
        EXPECT_EQ(cell->HAlign, e.H);
        EXPECT_EQ(cell->VAlign, e.V);
        EXPECT_EQ(cell->WordWrap, e.Wrap);
        EXPECT_EQ(cell->CellColor, e.Color);
        EXPECT_EQ(cell->BorderTop.LineColor, e.BorderColor);
        EXPECT_TRUE(cell->Visible);
        EXPECT_EQ(cell->CellFont, nullptr);
        EXPECT_EQ(cell->SelCount, 0);
        EXPECT_EQ(cell->ColSpan + cell->RowSpan + cell->MasterDX + cell->MasterDY, 0);
    }
    // An emptied grid forgets the old defaults: new rows take those of now.
    SetRowCount(grid, 0);
    d.DefBorderLeft = 6;
    SetRowCount(grid, 1);
    EXPECT_EQ(Cell(grid, 0, 0)->BorderLeft.LineWidth, 6);
}

TEST_F(CellsMadeWhenReached, PaintingMakesTheCellsInViewOnly) {
    XLGrid *grid = MakeGrid(8, 0, 0, 1, 400, 300);
    SetRowCount(grid, 20000);
    const std::vector<std::string_view> texts(8, "text");
    for (std::int32_t r = 0; r < 20000; ++r)
        SetRowTexts(grid, r, texts);
    UpdateWindow(grid->GetWindowHandle());
    // 300 px of 20 px rows and 400 px of 70 px columns, with the neighbours whose borders meet theirs.
    EXPECT_GT(Made(grid), 0u);
    EXPECT_LE(Made(grid), 9u * 17u);
    EXPECT_EQ(Cell(grid, 0, 0)->Text.View(), "text");
}

TEST_F(CellsMadeWhenReached, MarksSpansAndFontsLeaveUnreachedCellsAlone) {
    XLGrid *grid = MakeGrid(5, 0, GridOption::RangeSelect);
    SetRowCount(grid, 400);
    Merge(grid, 1, 1, 1, 1);
    const std::size_t merged = Made(grid);

    SetSelection(grid, {0, 0, 3, 3});
    EXPECT_TRUE(IsCellSelected(grid, 3, 3));
    EXPECT_FALSE(IsCellSelected(grid, 4, 399));
    const std::size_t marked = Made(grid);
    EXPECT_LE(marked, merged + 16) << "only the block's cells are made to hold their marks";
    SetSelection(grid, {0, 0, 0, 0});
    SetSelection(grid, {-1, -1, -1, -1});
    EXPECT_EQ(Made(grid), marked) << "unmarking makes nothing";

    // The grid font reaches made cells with a font of their own; the others follow it without being made.
    Font *own = ChangeCellFont(Cell(grid, 2, 2));
    ControlFont(grid)->SetStyle(FontStyle::Italic);
    EXPECT_EQ(own->GetStyle(), FontStyle::Italic);
    EXPECT_EQ(GetCellFont(Cell(grid, 4, 300)), ControlFont(grid));

    MarkAllCells(grid, true);
    EXPECT_EQ(Made(grid), 5u * 400u);
    EXPECT_TRUE(IsCellSelected(grid, 4, 399));
    MarkAllCells(grid, false);
    EXPECT_FALSE(IsCellSelected(grid, 4, 399));
}

} // namespace
