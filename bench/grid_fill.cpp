// Filling the grid the way the query runner does: one row at a time, each row's texts set and the row count raised
// by one. Prints the time of the fill and the heap bytes per empty cell (allocator overhead included).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "grid/XLGrid.h"

#ifndef _WIN32
#include <malloc.h>
#endif

namespace {

#ifdef _WIN32
constexpr const char *Platform = "wine";

// Bytes in use in every heap of the process, with each block's overhead.
std::int64_t HeapInUse() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    std::int64_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData + entry.cbOverhead;
        HeapUnlock(heaps[i]);
    }
    return total;
}
#else
constexpr const char *Platform = "native";

std::int64_t HeapInUse() { return static_cast<std::int64_t>(mallinfo2().uordblks); }
#endif

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

// As the query runner: the first row makes the columns, each row's values go in, and the count runs one ahead.
double FillMilliseconds(XLGrid *grid) {
    const auto start = std::chrono::steady_clock::now();
    SetColCount(grid, Cols);
    SetRowCount(grid, 1);
    for (std::int32_t r = 0; r < Rows; ++r) {
        for (std::int32_t c = 0; c < Cols; ++c)
            SetText(Cell(grid, c, r), "value " + std::to_string(r * Cols + c));
        if (r + 1 < Rows)
            SetRowCount(grid, static_cast<std::uint16_t>(r + 2));
    }
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double BytesPerEmptyCell(XLGrid *grid) {
    const std::int64_t before = HeapInUse();
    SetColCount(grid, Cols);
    for (std::int32_t r = 1; r <= Rows; ++r)
        SetRowCount(grid, static_cast<std::uint16_t>(r));
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
