// One full paint of a 1280 x 1024 grid of plain cells with texts, into a memory DC through WM_PAINT. Prints the time
// of one paint (the mean of several) and the GDI objects a paint makes.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "BenchSupport.h"
#include "grid/XLGrid.h"

#ifndef _WIN32
#include "headless/GdiInspect.h"
#endif

namespace {

constexpr LONG Width = 1280;
constexpr LONG Height = 1024;
constexpr std::uint16_t Cols = 40;
constexpr std::uint16_t Rows = 200;
constexpr int Paints = 20;

} // namespace

int main() {
    Control *form = NewForm(nullptr, "paint bench");
    form->SetHasBorder(false);
    form->SetBoundsRect({0, 0, Width + 40, Height + 40});
    ShowWindow(form->GetWindowHandle(), SW_SHOWNA);
    XLGrid *grid = NewXLGrid(form, Cols, Rows, 1, 0);
    form->CreateWindow();
    grid->SetClientSize(Width, Height);
    for (std::int32_t r = 0; r < Rows; ++r)
        for (std::int32_t c = 0; c < Cols; ++c)
            SetText(Cell(grid, c, r), "value " + std::to_string(r * Cols + c));

    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, Width, Height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ saved = SelectObject(target, picture);
    auto paint = [&] { SendMessageA(grid->Handle, WM_PAINT, reinterpret_cast<WPARAM>(target), 0); };
    paint(); // sizes the buffer and makes the lasting tools

#ifndef _WIN32
    const int createdBefore = headless::CreatedGdiObjects().Total();
    paint();
    const int perPaint = headless::CreatedGdiObjects().Total() - createdBefore;
#endif
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Paints; ++i)
        paint();
    GdiFlush();
    const auto end = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(end - start).count() / Paints;

    SelectObject(target, saved);
    DeleteObject(picture);
    DeleteDC(target);
    ObjectBase::Free(form);
    std::printf("%s_paint_%ldx%ld: %.2f ms\n", Platform, long{Width}, long{Height}, ms);
#ifndef _WIN32
    std::printf("gdi_objects_per_paint: %d\n", perPaint);
#endif
    return 0;
}
