// Bitmap conversions after a size, type or format change: the picture moves
// into a bitmap of the new kind and size, anchored at its top-left corner.
#include "toolkit/bitmaps/Bitmap.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/bitmaps/DibHeader.h"
#include "toolkit/gdi/DrawingTool.h"

void Bitmap::FormatChanged() {
    if (IsEmpty())
        return;
    DeselectFromCanvas();
    ScanLineSize = 0;
    LONG oldHeight = Height;
    if (DIBBits && DIBHeader)
        oldHeight = std::labs(DIBHeader->bmiHeader.biHeight);
    else if (Handle)
        oldHeight = HandleHeight();
    HDC memory = CreateCompatibleDC(nullptr);
    if (HandleType == HandleKind::DDB)
        ConvertToDDB(memory);
    else
        ConvertToDIB(memory, oldHeight);
    DeleteDC(memory);
}

void Bitmap::ConvertToDDB(HDC memory) {
    const HBITMAP fresh = NewScreenBitmap(Width, Height);
    if (fresh) {
        const HGDIOBJ saved = SelectObject(memory, fresh);
        const HBRUSH background = CreateSolidBrush(ColorToRGB(BkColor));
        const RECT all{0, 0, Width, Height};
        FillRect(memory, &all, background);
        DeleteObject(background);
        if (DIBBits && DIBHeader)
            SetDIBits(memory, fresh, 0, UINT(Height), DIBBits, DIBHeader, DIB_RGB_COLORS);
        else if (Handle)
            Draw(memory, 0, 0);
        SelectObject(memory, saved);
    }
    Clear();
    Handle = fresh;
}

void Bitmap::ConvertToDIB(HDC memory, LONG oldHeight) {
    PixelFormat = DibFormat(PixelFormat);
    BITMAPINFO *header = NewDibHeader(PixelFormat, Width, Height);
    std::uint32_t size = 0;
    void *block = NewDibBits(header, size);
    HBITMAP section = nullptr;
    // A picture with nothing in it yet needs no converting: the zeroed block is it.
    if (block && (Handle || DIBBits)) {
        const HBITMAP old = GetHandle();
        const int lines = int(std::min(Height, oldHeight));
        if (!old || GetDIBits(memory, old, 0, UINT(lines), block, header, DIB_RGB_COLORS) < lines) {
            // The format is beyond GetDIBits: draw the old picture into a section of the new one.
            void *bits = nullptr;
            section = MakeSection(header, &bits);
            if (section) {
                GlobalFree(block);
                block = bits;
                const HGDIOBJ saved = SelectObject(memory, section);
                Draw(memory, 0, 0);
                SelectObject(memory, saved);
            }
        }
    }
    Clear();
    DIBHeader = header;
    DIBBits = block;
    DIBSize = size;
    Handle = section;
    BitsInSection = section != nullptr;
}
