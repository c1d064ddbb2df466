// Painting a grid into a screen-compatible picture of its client size through WM_PAINT with a DC, and reading it.
#pragma once

#include "grid/GridFixture.h"

class GridPaintTest : public GridTest {
protected:
    void TearDown() override;
    // A 400 x 300 grid whose cells all have the colour Paper and 1-pixel borders in Line.
    XLGrid *PlainGrid(std::uint16_t cols, std::uint16_t rows, GridOptions options = 0, std::uint8_t style = 1);
    // Fills the target with Marker, then sends WM_PAINT with the target's DC.
    void Paint(XLGrid *grid);
    COLORREF At(int x, int y) const { return GetPixel(Target, x, y); }

    static constexpr COLORREF Paper = RGB(250, 240, 200);
    static constexpr COLORREF Line = RGB(0, 0, 160);
    static constexpr COLORREF Marker = RGB(1, 2, 3);
    HDC Target = nullptr;
    HBITMAP Picture = nullptr;
    HGDIOBJ Saved = nullptr;
};

inline COLORREF Inverted(COLORREF c) { return ~c & 0xFFFFFF; }
