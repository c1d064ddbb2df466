#include "grid/GridPaintFixture.h"

void GridPaintTest::TearDown() {
    if (Target) {
        SelectObject(Target, Saved);
        DeleteObject(Picture);
        DeleteDC(Target);
    }
    GridTest::TearDown();
}

XLGrid *GridPaintTest::PlainGrid(std::uint16_t cols, std::uint16_t rows, GridOptions options, std::uint8_t style) {
    XLGrid *grid = MakeGrid(cols, rows, options, style);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            XLCell *cell = Cell(grid, c, r);
            cell->CellColor = Paper;
            for (CellBorder *b : {&cell->BorderLeft, &cell->BorderTop, &cell->BorderRight, &cell->BorderBottom})
                *b = {Line, 1};
        }
    return grid;
}

void GridPaintTest::Paint(XLGrid *grid) {
    if (!Target) {
        HDC screen = GetDC(nullptr);
        Target = CreateCompatibleDC(screen);
        Picture = CreateCompatibleBitmap(screen, 400, 300);
        ReleaseDC(nullptr, screen);
        Saved = SelectObject(Target, Picture);
    }
    const RECT all{0, 0, 400, 300};
    HBRUSH marker = CreateSolidBrush(Marker);
    FillRect(Target, &all, marker);
    DeleteObject(marker);
    SendMessageA(grid->Handle, WM_PAINT, reinterpret_cast<WPARAM>(Target), 0);
}
