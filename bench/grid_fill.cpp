// Filling the grid the way the query runner does: inside one update bracket, the columns, the rows in one count
// change, then every cell's text. Prints the time of the fill and the heap bytes per empty cell.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "BenchSupport.h"
#include "grid/XLGrid.h"

namespace {

constexpr std::uint16_t Rows = 65535;
constexpr std::uint16_t Cols = 8;

Control *VisibleForm() {
    Control *form = NewForm(nullptr, "grid bench");
    form->SetBoundsRect({0, 0, 800, 600});
    ShowWindow(form->GetWindowHandle(), SW_SHOWNA);
    return form;
}

XLGrid *NewBenchGrid(Control *form) {
    XLGrid *grid = NewXLGrid(form, 0, 0, 1, 0x7C);
    grid->SetBoundsRect({0, 0, 780, 560});
    form->CreateWindow();
    return grid;
}

double FillMilliseconds(XLGrid *grid) {
    const auto start = std::chrono::steady_clock::now();
    {
        const UpdateBracket bracket(grid);
        SetColCount(grid, Cols);
        SetRowCount(grid, Rows);
        for (std::int32_t r = 0; r < Rows; ++r)
            for (std::int32_t c = 0; c < Cols; ++c)
                SetText(Cell(grid, c, r), "value " + std::to_string(r * Cols + c));
    }
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double BytesPerEmptyCell(XLGrid *grid) {
    const std::int64_t before = HeapInUse();
    SetColCount(grid, Cols);
    SetRowCount(grid, Rows);
    const std::int64_t after = HeapInUse();
    return static_cast<double>(after - before) / (double(Rows) * Cols);
}

} // namespace

int main() {
    Control *form = VisibleForm();

    XLGrid *grid = NewBenchGrid(form);
    const double fill = FillMilliseconds(grid);
    ObjectBase::Free(grid);

    grid = NewBenchGrid(form);
    const double bytes = BytesPerEmptyCell(grid);
    ObjectBase::Free(grid);

    ObjectBase::Free(form);
    std::printf("%s_fill_%ux%u: %.0f ms\n", Platform, unsigned{Rows}, unsigned{Cols}, fill);
    std::printf("%s_bytes_per_cell: %.1f B\n", Platform, bytes);
    return 0;
}
