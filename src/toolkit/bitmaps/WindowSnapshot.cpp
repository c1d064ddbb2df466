#include "toolkit/bitmaps/WindowSnapshot.h"

#include "toolkit/gdi/Canvas.h"

Bitmap *LastSnapshot = nullptr;

void ClearLastSnapshot() { FreeAndClear(LastSnapshot); }

Bitmap *CaptureWindowRegion(HWND window, int x, int y, int width, int height) {
    Bitmap *bitmap = NewDIBitmap(width, height, PixelFormat::Bits32);
    bitmap->AddRef();
    ClearLastSnapshot();
    LastSnapshot = bitmap;
    HDC dc = GetDC(window);
    if (Canvas *canvas = bitmap->Canvas())
        BitBlt(canvas->Handle(), 0, 0, width, height, dc, x, y, SRCCOPY);
    if (dc)
        ReleaseDC(window, dc);
    return bitmap;
}
