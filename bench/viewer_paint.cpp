// A repaint of the viewer after a query: the real viewer form in a host window, 780 x 560, filled by sqlrun from a
// table of 2,000 rows x 8 columns, then its grid invalidated and painted again and again. Prints the mean time of one
// repaint (the paint into the buffer and the copy to the window), and of the grid's paint alone into a memory DC.
#include "BenchHost.h"
#include "BenchSupport.h"
#include "grid/XLGrid.h"
#include "plugin/PluginExports.h"
#include "plugin/ViewerForm.h"

#include <cstdio>

namespace {

constexpr LONG Width = 780;
constexpr LONG Height = 560;
constexpr int Repaints = 30;

// The mean time of one call of paint, over Repaints calls.
template <class Paint> double MeanMilliseconds(Paint paint) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Repaints; ++i)
        paint();
    GdiFlush();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / Repaints;
}

} // namespace

int main() {
    const std::string path = (std::filesystem::temp_directory_path() / "bench_viewer_paint.db").string();
    MakeBenchDatabase(path, WideTableSql(2000));
    HWND host = MakeBenchHost("ViewerPaintHost", Width + 60, Height + 80);
    SetParentWindow(host);
    Draw(0, 8, 8, Width, Height);
    PumpFor(700);
    SetFile(path.c_str());
    openbase();
    SetFile("select * from wide");
    sqlrun();
    PumpFor(100);

    XLGrid *grid = ViewerGrid();
    if (!grid) {
        std::printf("%s_viewer_repaint_%ldx%ld: no viewer\n", Platform, long{Width}, long{Height});
        return 1;
    }
    const HWND window = grid->GetWindowHandle();
    auto repaint = [&] {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    };
    repaint(); // sizes the buffer and makes the lasting tools
    const double ms = MeanMilliseconds(repaint);

    // The grid's own paint alone, into a memory DC: what is left of a repaint is the window's buffered paint around
    // it and the copy to the window.
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, Width, Height);
    const HGDIOBJ saved = SelectObject(memory, bitmap);
    ReleaseDC(nullptr, screen);
    const double memoryMs = MeanMilliseconds([&] { PaintGrid(grid, memory); });
    SelectObject(memory, saved);
    DeleteObject(bitmap);
    DeleteDC(memory);

    std::printf("%s_viewer_repaint_%ldx%ld: %.2f ms\n", Platform, long{Width}, long{Height}, ms);
    std::printf("%s_viewer_paint_into_memory_%ldx%ld: %.2f ms\n", Platform, long{Width}, long{Height}, memoryMs);
    std::fflush(stdout);
    DestroyWindow(host);
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return 0;
}
