// Copying a window region's pixels into a new bitmap, and finding the part of a region a window can show.
#include "toolkit/bitmaps/WindowSnapshot.h"

#include <algorithm>
#include <cstdint>

#include "toolkit/gdi/Canvas.h"

Bitmap *LastSnapshot = nullptr;

void ClearLastSnapshot() { FreeAndClear(LastSnapshot); }

Bitmap *CaptureWindowRegion(HWND window, int x, int y, int width, int height) {
    Bitmap *bitmap = NewDIBitmap(width, height, PixelFormat::Bits32);
    bitmap->AddRef();
    ClearLastSnapshot();
    LastSnapshot = bitmap;
    Canvas *canvas = bitmap->Canvas();
    if (!canvas)
        return bitmap;
    // No DC (the window is gone) or a copy the window's surface refuses (a host drawn by DirectX) leaves black
    // pixels, which must not pass for the window's.
    HDC dc = GetDC(window);
    if (!dc || !BitBlt(canvas->Handle(), 0, 0, width, height, dc, x, y, SRCCOPY))
        bitmap->FailureMessage = "the window's pixels could not be copied";
    if (dc)
        ReleaseDC(window, dc);
    return bitmap;
}

RECT VisibleClientPart(HWND window, int x, int y, int width, int height) {
    RECT client{};
    if (width <= 0 || height <= 0 || !window || !GetClientRect(window, &client))
        return RECT{};
    // The far edges in 64 bits: a rectangle reaching past the 32-bit range is still cut to the client area.
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + width, client.right);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + height, client.bottom);
    const LONG left = std::max<LONG>(x, client.left);
    const LONG top = std::max<LONG>(y, client.top);
    if (right <= left || bottom <= top)
        return RECT{};
    return RECT{left, top, static_cast<LONG>(right), static_cast<LONG>(bottom)};
}
