// A 32-bit picture to draw on in tests, with a memory DC, read back pixel by
// pixel from its own memory so reading does not depend on the GDI under test.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "toolkit/platform/Win32.h"

using Legend = std::vector<std::pair<COLORREF, char>>;
using Picture = std::vector<std::string>;

class PixelSurface {
public:
    PixelSurface(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~PixelSurface();
    PixelSurface(const PixelSurface &) = delete;
    PixelSurface &operator=(const PixelSurface &) = delete;

    HDC DC() const { return Dc; }
    // Drops the surface's own DC, so the picture can be selected into another
    // one (a bitmap is in one DC at a time); the pixels stay readable.
    void FreeDC();
    HBITMAP Bitmap() const { return Section; }
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF color);
    // Every pixel equal to the other surface's, which has the same size.
    bool SamePixels(const PixelSurface &other) const;
    // One character per pixel from the legend, '?' for colours it does not name.
    Picture Draw(const Legend &legend) const;
    // The picture as a binary PPM, for a person to look at when a test fails; false if it cannot be written.
    bool WritePpm(const std::string &path) const;

private:
    int Width, Height;
    HBITMAP Section = nullptr;
    HDC Dc = nullptr;
    HGDIOBJ Saved = nullptr;
    DWORD *Bits = nullptr;
};

// The colours of a 32-bit DIB pixel, as a COLORREF.
COLORREF FromDibPixel(DWORD pixel);
