// The painted picture, read back pixel by pixel. Cells are 70 x 20 from (30, 20); cell (c, r) spans
// x 30 + 70c .. 100 + 70c and y 20 + 20r .. 40 + 20r.
#include "grid/GridPaintFixture.h"

namespace {

using GridPainting = GridPaintTest;

constexpr COLORREF Left = RGB(200, 0, 0);
constexpr COLORREF Right = RGB(0, 150, 0);
constexpr COLORREF Sel = RGB(20, 60, 120);
constexpr COLORREF Frame = RGB(230, 120, 0);
constexpr COLORREF Title = RGB(180, 190, 170);

TEST_F(GridPainting, SharedEdgesAreSplitBetweenTheCells) {
    XLGrid *grid = PlainGrid(4, 3);
    // Row 1 is away from the current cell's focus rectangle.
    Cell(grid, 0, 1)->BorderRight = {Left, 3};
    Cell(grid, 1, 1)->BorderLeft = {Right, 1};
    Cell(grid, 1, 1)->BorderRight = {Left, 1};
    Cell(grid, 2, 1)->BorderLeft = {Right, 1};
    Paint(grid);
    // 3 and 1: 3 pixels, 1 in the left cell's colour, 2 in the right cell's.
    EXPECT_EQ(At(98, 50), Paper);
    EXPECT_EQ(At(99, 50), Left);
    EXPECT_EQ(At(100, 50), Right);
    EXPECT_EQ(At(101, 50), Right);
    EXPECT_EQ(At(102, 50), Paper);
    // 1 and 1: one pixel, painted by the right cell.
    EXPECT_EQ(At(169, 50), Paper);
    EXPECT_EQ(At(170, 50), Right);
    EXPECT_EQ(At(171, 50), Paper);
    // The row below paints the shared horizontal edge.
    EXPECT_EQ(At(150, 59), Paper);
    EXPECT_EQ(At(150, 60), Line);
}

TEST_F(GridPainting, TheGridEdgeShowsHalfABorderRoundedToEven) {
    struct Case {
        std::int32_t Width;
        int Band;
    } cases[] = {{5, 2}, {1, 1}, {0, 0}, {3, 2}, {2, 1}};
    for (const Case &c : cases) {
        XLGrid *grid = PlainGrid(3, 3);
        Cell(grid, 0, 1)->BorderLeft = {Left, c.Width};
        Paint(grid);
        for (int x = 30; x < 36; ++x)
            EXPECT_EQ(At(x, 50), x < 30 + c.Band ? Left : Paper) << "width " << c.Width << " at x " << x;
        ObjectBase::Free(grid);
    }
}

TEST_F(GridPainting, MergedCellsPaintThroughTheCoveringCellHiddenCellsNotAtAll) {
    XLGrid *grid = PlainGrid(5, 4);
    XLCell *master = Cell(grid, 1, 1);
    master->ColSpan = 1;
    master->RowSpan = 1;
    master->CellColor = Sel;
    for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}}) {
        Cell(grid, 1 + dx, 1 + dy)->MasterDX = dx;
        Cell(grid, 1 + dx, 1 + dy)->MasterDY = dy;
    }
    Cell(grid, 4, 3)->Visible = false;
    grid->SetColor(Frame);
    Paint(grid);
    EXPECT_EQ(At(120, 50), Sel);
    EXPECT_EQ(At(200, 70), Sel) << "the far quarter of the block";
    EXPECT_EQ(At(170, 50), Sel) << "no inner border";
    EXPECT_EQ(At(150, 60), Sel);
    EXPECT_EQ(At(240, 70), Line) << "the right neighbour's share of the block's right edge";
    EXPECT_EQ(At(330, 90), Frame) << "a hidden cell shows the grid's colour";
    EXPECT_EQ(At(330, 70), Paper);
}

TEST_F(GridPainting, HighlightStyleShowsSelectionFrameAndFocus) {
    XLGrid *grid = PlainGrid(5, 5, GridOption::RangeSelect, 1);
    grid->Data->SelColor = Sel;
    grid->Data->SelFrameColor = Frame;
    SetSelection(grid, {1, 1, 2, 2});
    grid->Data->CurCol = 3;
    grid->Data->CurRow = 3;
    Paint(grid);
    EXPECT_EQ(At(200, 70), Sel) << "selected cell";
    EXPECT_EQ(At(150, 50), Sel);
    EXPECT_EQ(At(280, 50), Paper) << "unselected cell";
    // The frame lies one pixel inside the block's cells: the block's outline inflated by 1, drawn from +2 / -1.
    EXPECT_EQ(At(101, 70), Frame);
    EXPECT_EQ(At(150, 41), Frame);
    EXPECT_EQ(At(239, 70), Frame);
    EXPECT_EQ(At(150, 79), Frame);
    EXPECT_EQ(At(102, 70), Sel);
    // The current cell: no highlight without SelectCurrent, a dotted focus rectangle inside its borders.
    EXPECT_EQ(At(280, 90), Paper);
    EXPECT_NE(At(241, 81), Paper);

    SetOptions(grid, GridOption::SelectCurrent);
    grid->Data->CurCol = 3;
    grid->Data->CurRow = 3;
    Paint(grid);
    EXPECT_EQ(At(280, 90), Sel) << "SelectCurrent highlights the current cell";
    EXPECT_EQ(At(150, 50), Paper) << "without RangeSelect the block is not shown";
    EXPECT_EQ(At(101, 70), Paper) << "a single cell gets no frame";
}

TEST_F(GridPainting, InvertingStyleInvertsTheBlockButTheCurrentCell) {
    XLGrid *grid = PlainGrid(5, 5, GridOption::RangeSelect, 0);
    SetSelection(grid, {0, 1, 2, 1});
    grid->Data->CurCol = 0;
    grid->Data->CurRow = 1;
    Paint(grid);
    EXPECT_EQ(At(200, 50), Inverted(Paper)) << "selected cell, inverted inside its borders";
    EXPECT_EQ(At(170, 50), Line) << "its border is not inverted";
    EXPECT_EQ(At(60, 50), Paper) << "the current cell";
    EXPECT_EQ(At(60, 90), Paper) << "unselected cell";
    // The 5-pixel inverting frame round the block: at its top edge it inverts the row above.
    EXPECT_EQ(At(150, 39), Inverted(Paper));
    EXPECT_EQ(At(150, 36), Paper);
    EXPECT_EQ(At(150, 34), Paper);

    // Nothing selected: the frame goes round the current cell.
    SetOptions(grid, 0);
    grid->Data->CurCol = 2;
    grid->Data->CurRow = 3;
    Paint(grid);
    EXPECT_EQ(At(200, 50), Paper);
    EXPECT_EQ(At(200, 79), Inverted(Paper));
    EXPECT_EQ(At(200, 80), Inverted(Line));
    EXPECT_EQ(At(200, 90), Paper) << "the current cell itself is not inverted";
    EXPECT_EQ(At(200, 76), Paper);
}

struct DrawCellCalls {
    std::vector<CellPosition> Cells;
    std::vector<RECT> Rects;
    bool Handle = false;
};

TEST_F(GridPainting, HandledDrawCellKeepsBackgroundBordersAndInversion) {
    XLGrid *grid = PlainGrid(3, 3, GridOption::RangeSelect, 0);
    SetSelection(grid, {1, 1, 2, 2});
    grid->Data->CurCol = 0;
    grid->Data->CurRow = 0;
    DrawCellCalls calls;
    calls.Handle = true;
    grid->Data->OnDrawCell = {[](void *self, ObjectBase *, std::int32_t col, std::int32_t row, XLCell *, Canvas *,
                                 RECT &rect, bool, bool, bool &handled) {
                                  auto *calls = static_cast<DrawCellCalls *>(self);
                                  calls->Cells.push_back({col, row});
                                  calls->Rects.push_back(rect);
                                  handled = calls->Handle;
                              },
                              &calls};
    Paint(grid);
    // Every visible cell once, the current cell again.
    EXPECT_EQ(calls.Cells.size(), 10u);
    EXPECT_EQ(calls.Cells.back(), (CellPosition{0, 0}));
    EXPECT_TRUE(RectIs(calls.Rects[4], 101, 41, 170, 60)) << "the rectangle inside the borders";
    EXPECT_EQ(At(150, 50), Inverted(Paper));
    EXPECT_EQ(At(170, 50), Line);
    EXPECT_EQ(At(150, 60), Line);
    EXPECT_EQ(At(60, 50), Paper);
}

TEST_F(GridPainting, CurrentTitlesAreRaisedOthersFlat) {
    XLGrid *grid = PlainGrid(5, 5);
    grid->Data->TitleColor = Title;
    grid->Data->CurCol = 1;
    grid->Data->CurRow = 2;
    Paint(grid);
    // A raised edge is two pixels deep; the plain titles' edge one.
    EXPECT_NE(At(101, 10), Title);
    EXPECT_EQ(At(31, 10), Title);
    EXPECT_EQ(At(171, 10), Title);
    EXPECT_NE(At(1, 70), Title);
    EXPECT_EQ(At(1, 50), Title);
    EXPECT_EQ(At(15, 10), Title) << "corner";
}

TEST_F(GridPainting, OnlyThePressedTitleIsSunkenAndOnlyWhileOverIt) {
    XLGrid *grid = PlainGrid(5, 5);
    grid->Data->TitleColor = Title;
    const auto titleRect = [](bool isRow, int i) {
        return isRow ? RECT{0, 20 + 20 * i, 30, 40 + 20 * i} : RECT{30 + 70 * i, 0, 100 + 70 * i, 20};
    };
    // The two outermost pixel rings, where an edge lies.
    const auto pixels = [&](RECT r) {
        std::vector<COLORREF> ring;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (x < r.left + 2 || x >= r.right - 2 || y < r.top + 2 || y >= r.bottom - 2)
                    ring.push_back(At(x, y));
        return ring;
    };
    // An empty title as the platform draws it with the given edge.
    const auto drawn = [&](RECT r, UINT edge) {
        HBRUSH brush = CreateSolidBrush(Title);
        FillRect(Target, &r, brush);
        DeleteObject(brush);
        DrawEdge(Target, &r, edge, BF_RECT);
        return pixels(r);
    };
    // Title 0 is the current column's (row's), raised when not pressed.
    const auto flatEdge = [](int i) -> UINT { return i == 0 ? EDGE_RAISED : BDR_RAISEDINNER; };
    struct Case {
        bool IsRow;
        int Index;
        POINT At;
    } cases[] = {{false, 2, {205, 10}}, {true, 0, {15, 30}}};
    for (const Case &c : cases) {
        const RECT pressed = titleRect(c.IsRow, c.Index);
        // The other strip's title of the same index, and a neighbour in the same strip.
        const RECT others[] = {titleRect(!c.IsRow, c.Index), titleRect(c.IsRow, c.Index + 1)};
        PostMouse(grid, WM_LBUTTONDOWN, c.At, MK_LBUTTON);
        Paint(grid);
        const auto down = pixels(pressed);
        std::vector<std::vector<COLORREF>> untouched;
        for (const RECT &r : others)
            untouched.push_back(pixels(r));
        EXPECT_TRUE(down == drawn(pressed, BDR_SUNKENINNER)) << "title " << c.Index << (c.IsRow ? " of rows" : "");
        EXPECT_TRUE(untouched[0] == drawn(others[0], flatEdge(c.Index)));
        EXPECT_TRUE(untouched[1] == drawn(others[1], BDR_RAISEDINNER));

        PostMouse(grid, WM_MOUSEMOVE, {300, 200}, MK_LBUTTON);
        Paint(grid);
        const auto away = pixels(pressed);
        EXPECT_TRUE(away == drawn(pressed, flatEdge(c.Index))) << "flat while the pointer is away";
        PostMouse(grid, WM_MOUSEMOVE, c.At, MK_LBUTTON);
        PostMouse(grid, WM_LBUTTONUP, c.At);
        Paint(grid);
        const auto up = pixels(pressed);
        EXPECT_TRUE(up == drawn(pressed, flatEdge(c.Index))) << "flat after the release";
    }
}

TEST_F(GridPainting, ResizeShowsTheNewTitleWidthAndAGuide) {
    XLGrid *grid = PlainGrid(8, 8);
    grid->Data->TitleColor = Title;
    grid->Data->ResizeCol = 1;
    // Hovering a border: every title to the last column is painted, column 6 being in view then only if sized.
    grid->Data->ResizeWidth = 10;
    Paint(grid);
    EXPECT_EQ(At(395, 10), Title) << "column 6's title after a column narrowed to 10";
    EXPECT_EQ(At(150, 50), Paper) << "the cells keep their widths";
    EXPECT_EQ(At(100, 50), Line);

    // Dragging wider: the dotted outline marks the new width over the whole height.
    grid->Data->ResizeWidth = 100;
    Paint(grid);
    int dotted = 0;
    for (int y = 101; y < 120; ++y)
        dotted += At(200, y) != Paper;
    EXPECT_GT(dotted, 4);
    EXPECT_LT(dotted, 19);
    EXPECT_EQ(At(150, 110), Paper);

    grid->Data->ResizeWidth = -1;
    grid->Data->ResizeCol = -1;
    Paint(grid);
    for (int y = 101; y < 120; ++y)
        EXPECT_EQ(At(200, y), Paper);
}

TEST_F(GridPainting, NothingIsPaintedInsideAnUpdateBracket) {
    XLGrid *grid = PlainGrid(3, 3);
    BeginUpdate(grid);
    Paint(grid);
    EXPECT_EQ(At(60, 50), Marker);
    EndUpdate(grid);
    Paint(grid);
    EXPECT_EQ(At(60, 50), Paper);
    // A grid without cells shows its own colour.
    SetRowCount(grid, 0);
    grid->SetColor(Sel);
    Paint(grid);
    EXPECT_EQ(At(60, 50), Sel);
    EXPECT_EQ(At(10, 10), Sel);
}

TEST_F(GridPainting, Utf8TextLooksLikeTheSameCharactersInTheAnsiCodePage) {
    XLGrid *grid = PlainGrid(3, 3);
    auto paintText = [&](std::string_view text) {
        SetText(Cell(grid, 1, 1), text);
        Paint(grid);
        std::vector<COLORREF> pixels;
        for (int y = 41; y < 60; ++y)
            for (int x = 101; x < 170; ++x)
                pixels.push_back(At(x, y));
        return pixels;
    };
    // U+00E9 U+00FC in UTF-8 and in code page 1252.
    const auto unicode = paintText("\xC3\xA9\xC3\xBC\xC3\xA9");
    const auto ansi = paintText("\xE9\xFC\xE9");
    EXPECT_TRUE(unicode == ansi);
#ifdef _WIN32
    // Here the text is rendered, so the comparison sees the characters.
    EXPECT_FALSE(unicode == paintText("eue"));
#endif
}

TEST_F(GridPainting, TheWindowShowsTheFinishedPicture) {
    XLGrid *grid = PlainGrid(6, 20, GridOption::RangeSelect, 1);
    grid->Data->TitleColor = Title;
    grid->Data->SelColor = Sel;
    SetSelection(grid, {2, 3, 3, 4});
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 6; ++c)
            SetText(Cell(grid, c, r), "x");
    InvalidateRect(grid->Handle, nullptr, FALSE);
    UpdateWindow(grid->Handle);
    HDC window = GetDC(grid->Handle);
    struct Point {
        int X, Y;
        COLORREF Expected;
    } points[] = {{15, 10, Title}, {60, 5, Title},   {15, 95, Title}, {195, 105, Sel},
                  {265, 95, Sel},  {330, 95, Paper}, {170, 95, Line}, {198, 100, Line}};
    for (const Point &p : points)
        EXPECT_EQ(GetPixel(window, p.X, p.Y), p.Expected) << p.X << ", " << p.Y;
    ReleaseDC(grid->Handle, window);
}

} // namespace
