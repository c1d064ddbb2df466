#include "Screenshot.h"

#include "PngFile.h"

#include <vector>

bool SaveClientScreenshot(HWND window, const std::string &path) {
    RECT client;
    if (!GetClientRect(window, &client))
        return false;
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return false;

    HDC windowDC = GetDC(window);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memoryDC, bitmap);
        BitBlt(memoryDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
        GdiFlush();
        const auto *pixels = static_cast<const std::uint32_t *>(bits);
        saved = WritePng(path, width, height,
                         std::vector<std::uint32_t>(pixels, pixels + static_cast<std::size_t>(width) * height));
        SelectObject(memoryDC, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    return saved;
}
