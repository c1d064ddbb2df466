#include "support/PixelSurface.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

COLORREF FromDibPixel(DWORD pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

PixelSurface::PixelSurface(int width, int height, COLORREF fill) : Width(width), Height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row y starts at Bits + y * Width
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    Section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Dc = CreateCompatibleDC(nullptr);
    if (!Section || !Dc)
        throw std::runtime_error("cannot make a test surface");
    Bits = static_cast<DWORD *>(bits);
    Saved = SelectObject(Dc, Section);
    Fill(fill);
}

PixelSurface::~PixelSurface() {
    FreeDC();
    DeleteObject(Section);
}

void PixelSurface::FreeDC() {
    if (!Dc)
        return;
    SelectObject(Dc, Saved);
    DeleteDC(Dc);
    Dc = nullptr;
}

COLORREF PixelSurface::Pixel(int x, int y) const {
    GdiFlush();
    return FromDibPixel(Bits[y * Width + x]);
}

void PixelSurface::Fill(COLORREF color) {
    GdiFlush();
    for (int i = 0; i < Width * Height; ++i)
        Bits[i] = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

bool PixelSurface::SamePixels(const PixelSurface &other) const {
    GdiFlush();
    return Width == other.Width && Height == other.Height &&
           std::equal(Bits, Bits + std::size_t(Width) * std::size_t(Height), other.Bits);
}

Picture PixelSurface::Draw(const Legend &legend) const {
    Picture rows;
    for (int y = 0; y < Height; ++y) {
        std::string row;
        for (int x = 0; x < Width; ++x) {
            const COLORREF pixel = Pixel(x, y);
            char c = '?';
            for (const auto &[color, mark] : legend)
                if (color == pixel) {
                    c = mark;
                    break;
                }
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

bool PixelSurface::WritePpm(const std::string &path) const {
    const std::unique_ptr<FILE, int (*)(FILE *)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file || std::fprintf(file.get(), "P6\n%d %d\n255\n", Width, Height) < 0)
        return false;
    std::vector<unsigned char> row(std::size_t(Width) * 3);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const COLORREF pixel = Pixel(x, y);
            row[x * 3] = GetRValue(pixel);
            row[x * 3 + 1] = GetGValue(pixel);
            row[x * 3 + 2] = GetBValue(pixel);
        }
        if (std::fwrite(row.data(), 1, row.size(), file.get()) != row.size())
            return false;
    }
    return true;
}
