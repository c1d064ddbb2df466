// Common ground for the grid tests: a grid on a panel with a known client size, and a recorder of its events.
#pragma once

#include <vector>

#include "grid/XLGrid.h"
#include "toolkit/ToolkitFixture.h"

// Counts and keeps what the grid reports.
struct GridEvents {
    std::vector<CellPosition> CellChanged;
    std::vector<GridBlock> SelectionChanged;
    int Changing = 0;
    int Change = 0;

    // Installs handlers for OnCellChanged, OnSelectionChanged, OnCellChanging (which leaves the request alone) and
    // the control's OnChange.
    void Attach(XLGrid *grid);
    void Clear() { *this = GridEvents{}; }
};

class GridTest : public ToolkitTest {
protected:
    // A grid on the test's visible panel (made on first use), its client area width x height pixels.
    XLGrid *MakeGrid(std::uint16_t cols, std::uint16_t rows, GridOptions options = 0, std::uint8_t style = 1,
                     LONG width = 400, LONG height = 300);
    static void SetClientSize(XLGrid *grid, LONG width, LONG height);
    // A visible, borderless, inactive form of 800 x 600 pixels, freed after the test.
    Control *Stage();

    Control *Panel_ = nullptr;
};

// Makes (col, row) the covering cell of a block spanning cols more columns and rows more rows.
void Merge(XLGrid *grid, std::int32_t col, std::int32_t row, std::int32_t cols, std::int32_t rows);

// The SelCount of every cell, row by row.
std::vector<std::vector<int>> Marks(const XLGrid *grid);

// Input as the user gives it: posted messages, dispatched at once, with the modifiers in the thread's key state.
namespace Modifier {
constexpr int None = 0;
constexpr int Shift = 1;
constexpr int Ctrl = 2;
} // namespace Modifier
void PostKey(XLGrid *grid, WPARAM key, int modifiers = Modifier::None);
void PostMouse(XLGrid *grid, UINT msg, POINT at, WPARAM flags = 0);
POINT CellCentre(const XLGrid *grid, std::int32_t col, std::int32_t row);

::testing::AssertionResult RectIs(const RECT &r, LONG left, LONG top, LONG right, LONG bottom);
::testing::AssertionResult BlockIs(const GridBlock &b, std::int32_t left, std::int32_t top, std::int32_t right,
                                   std::int32_t bottom);
