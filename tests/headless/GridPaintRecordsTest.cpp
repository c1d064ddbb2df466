// What a paint draws as text, and what it costs in GDI objects.
#include "grid/GridPaintFixture.h"

#include "headless/GdiInspect.h"
#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/objects/StringList.h"

namespace {

using GridPaintRecords = GridPaintTest;

const headless::TextDraw *DrawOf(const std::vector<headless::TextDraw> &draws, std::string_view text) {
    for (const auto &d : draws)
        if (d.Text == text)
            return &d;
    return nullptr;
}

// The headless font measures 16 pixels high and 7 wide per character. Single lines of plain ASCII are placed by the
// grid itself; other texts go through DrawText with the cell's format.
TEST_F(GridPaintRecords, CellTextPlacementFlagsColoursAndEncoding) {
    XLGrid *grid = PlainGrid(5, 5, GridOption::RangeSelect, 1);
    grid->Data->SelTextColor = RGB(9, 8, 7);
    constexpr UINT Placed = 0xFFFFFFFF;
    struct Case {
        std::int32_t Col, Row;
        const char *Text;
        ::HAlign H;
        ::VAlign V;
        bool Wrap;
        UINT Format;
        bool Wide;
        // From the text rectangle's top-left corner, when placed.
        LONG Dx, Dy;
    } cases[] = {
        {1, 1, "left top", HAlign::Left, VAlign::Top, false, Placed, false, 0, 0},
        {2, 1, "right bottom", HAlign::Right, VAlign::Bottom, true, DT_RIGHT | DT_BOTTOM | DT_NOPREFIX | DT_WORDBREAK,
         false, 0, 0},
        {1, 2, "\xC3\xA9t\xC3\xA9", HAlign::Center, VAlign::Center, false,
         DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_SINGLELINE, true, 0, 0},
        {2, 2, "\xE9t\xE9", HAlign::Left, VAlign::Top, false, DT_NOPREFIX | DT_SINGLELINE, false, 0, 0},
        // 63 x 11 inside borders and margins: 16-pixel lines stick out, lower ones by 5, centred ones by 2 each way.
        {1, 3, "mid", HAlign::Center, VAlign::Center, false, Placed, false, (63 - 21) / 2, -2},
        {2, 3, "rb", HAlign::Right, VAlign::Bottom, false, Placed, false, 63 - 14, -5},
        {3, 1, "tab\there", HAlign::Left, VAlign::Center, false, DT_VCENTER | DT_NOPREFIX | DT_SINGLELINE, false, 0, 0},
    };
    for (const Case &c : cases) {
        XLCell *cell = Cell(grid, c.Col, c.Row);
        SetText(cell, c.Text);
        cell->HAlign = c.H;
        cell->VAlign = c.V;
        cell->WordWrap = c.Wrap;
        cell->MarginLeft = 2;
        cell->MarginTop = 3;
        cell->MarginRight = 4;
        cell->MarginBottom = 5;
    }
    SetSelection(grid, {2, 2, 3, 3});
    headless::ClearTextDraws();
    Paint(grid);
    const auto draws = headless::TextDraws();
    for (const Case &c : cases) {
        const headless::TextDraw *d = DrawOf(draws, c.Text);
        ASSERT_TRUE(d) << c.Text;
        EXPECT_EQ(d->Positioned, c.Format == Placed) << c.Text;
        if (!d->Positioned) {
            EXPECT_EQ(d->Format, c.Format) << c.Text;
        }
        EXPECT_EQ(d->Wide, c.Wide) << c.Text;
        EXPECT_EQ(d->BkMode, TRANSPARENT);
        EXPECT_TRUE(d->Clipped) << c.Text;
        // Inside the borders (left and top painted by this cell), then inside the margins.
        const RECT cell = CellRect(grid, c.Col, c.Row);
        EXPECT_TRUE(RectIs(d->Rect, cell.left + 1 + 2, cell.top + 1 + 3, cell.right - 4, cell.bottom - 5)) << c.Text;
        if (d->Positioned) {
            EXPECT_EQ(d->Origin.x, d->Rect.left + c.Dx) << c.Text;
            EXPECT_EQ(d->Origin.y, d->Rect.top + c.Dy) << c.Text;
        }
        const bool selected = c.Col >= 2 && c.Row >= 2;
        EXPECT_EQ(d->TextColor, selected ? RGB(9, 8, 7) : GetCellFont(Cell(grid, c.Col, c.Row))->ResolvedColor())
            << c.Text;
    }
}

TEST_F(GridPaintRecords, HandledDrawCellSuppressesOnlyTheText) {
    XLGrid *grid = PlainGrid(3, 3);
    SetText(Cell(grid, 1, 1), "kept");
    SetText(Cell(grid, 2, 1), "dropped");
    grid->Data->OnDrawCell = {[](void *, ObjectBase *, std::int32_t col, std::int32_t, XLCell *, Canvas *, RECT &, bool,
                                 bool, bool &handled) { handled = col == 2; },
                              nullptr};
    headless::ClearTextDraws();
    Paint(grid);
    const auto draws = headless::TextDraws();
    EXPECT_TRUE(DrawOf(draws, "kept"));
    EXPECT_FALSE(DrawOf(draws, "dropped"));
}

TEST_F(GridPaintRecords, OnlyTheCurrentTitlesAreBold) {
    for (bool boldFont : {false, true}) {
        XLGrid *grid = PlainGrid(4, 4);
        const std::string titles[] = {"c0", "c1", "c2", "c3"};
        SetColTitles(grid, titles);
        for (int r = 0; r < 4; ++r)
            grid->Data->RowTitles->Put(r, "r" + std::to_string(r));
        grid->Data->TitleFont->SetStyle(boldFont ? FontStyle::Bold : 0);
        grid->Data->TitleFont->SetColor(RGB(5, 6, 7));
        grid->Data->CurCol = 2;
        grid->Data->CurRow = 1;
        headless::ClearTextDraws();
        Paint(grid);
        const auto draws = headless::TextDraws();
        for (std::string_view t : {"c0", "c1", "c2", "c3", "r0", "r1", "r2", "r3"}) {
            const headless::TextDraw *d = DrawOf(draws, t);
            ASSERT_TRUE(d) << t;
            const bool current = t == "c2" || t == "r1";
            EXPECT_EQ(d->Font.lfWeight >= FW_BOLD, current) << t << (boldFont ? " bold font" : "");
            // Centred both ways in 70 x 20 and 30 x 20 titles: two 7-pixel characters, 16-pixel lines.
            const bool column = t[0] == 'c';
            EXPECT_EQ(d->Origin.x, column ? 30 + 70 * (t[1] - '0') + 28 : 8) << t;
            EXPECT_EQ(d->Origin.y, column ? 2 : 20 + 20 * (t[1] - '0') + 2) << t;
            EXPECT_EQ(d->TextColor, RGB(5, 6, 7));
        }
        ObjectBase::Free(grid);
    }
}

TEST_F(GridPaintRecords, OnlyVisibleCellsArePainted) {
    XLGrid *grid = PlainGrid(50, 200);
    for (int r = 0; r < 200; ++r)
        for (int c = 0; c < 50; ++c)
            SetText(Cell(grid, c, r), std::to_string(c) + "," + std::to_string(r));
    SetTopRow(grid, 100);
    SetLeftCol(grid, 20);
    headless::ClearTextDraws();
    Paint(grid);
    const auto draws = headless::TextDraws();
    const std::int32_t lastCol = 20 + VisibleColCount(grid);
    const std::int32_t lastRow = 100 + VisibleRowCount(grid);
    // Each visible cell once, the current cell (out of view here) once more.
    int cells = 0;
    for (const auto &d : draws) {
        int c = -1, r = -1;
        if (std::sscanf(d.Text.c_str(), "%d,%d", &c, &r) != 2)
            continue;
        ++cells;
        const bool current = c == grid->Data->CurCol && r == grid->Data->CurRow;
        EXPECT_TRUE(current || (c >= 20 && c <= lastCol && r >= 100 && r <= lastRow)) << d.Text;
    }
    EXPECT_EQ(cells, (lastCol - 20 + 1) * (lastRow - 100 + 1) + 1);
}

// GDI objects a paint makes, and those still alive after it.
struct PaintCost {
    int Created;
    int LiveChange;
};

TEST_F(GridPaintRecords, APaintMakesAFewObjectsWhateverTheCellCountAndLeaksNone) {
    auto costOf = [&](LONG width, LONG height) {
        XLGrid *grid = PlainGrid(60, 100);
        SetClientSize(grid, width, height);
        Paint(grid); // sizes the buffer and makes the lasting tools
        const auto created = headless::CreatedGdiObjects();
        const auto live = headless::LiveGdiObjects();
        Paint(grid);
        const PaintCost cost{headless::CreatedGdiObjects().Total() - created.Total(),
                             headless::LiveGdiObjects().Total() - live.Total()};
        ObjectBase::Free(grid);
        return cost;
    };
    headless::ClearGdiMisuses();
    const PaintCost small = costOf(120, 50);
    const PaintCost large = costOf(400, 300);
    EXPECT_EQ(small.LiveChange, 0);
    EXPECT_EQ(large.LiveChange, 0);
    EXPECT_EQ(small.Created, large.Created);
    EXPECT_LE(large.Created, 12);
    EXPECT_TRUE(headless::GdiMisuses().empty());
}

} // namespace
