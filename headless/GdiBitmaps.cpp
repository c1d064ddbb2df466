// Bitmaps of the headless GDI: device-dependent bitmaps, DIB sections and the
// transfers between DIB memory and bitmaps.
#include "headless/GdiPaint.h"

#include <algorithm>
#include <cstring>
#include <new>

using namespace headless::gdi;

namespace {

// Larger pixel buffers are refused as Windows refuses what it cannot map.
constexpr std::size_t MaxSurfaceBytes = std::size_t(256) << 20;

bool TooLarge(int width, int height, int bitCount) {
    return std::size_t(StrideOf(width, bitCount)) * std::size_t(height) > MaxSurfaceBytes;
}

HBITMAP AddBitmap(std::unique_ptr<Surface> pixels, bool section) {
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->Pixels = std::move(pixels);
    bitmap->IsSection = section;
    return static_cast<HBITMAP>(Table::Instance().Add(std::move(bitmap)));
}

// Which bitmap row holds a DIB scan line: scans count from the bottom of a
// bottom-up DIB and from the top of a top-down one, the DIB laid over the
// bitmap from its top-left corner.
int BitmapRowOf(const DibFormat &format, int scan) { return format.TopDown ? scan : format.Height - 1 - scan; }

// The DIB's memory row for a scan, when the caller's memory begins at scan `start`.
BYTE *DibRow(const DibFormat &format, void *bits, int scan, int start) {
    return static_cast<BYTE *>(bits) + std::ptrdiff_t(scan - start) * format.Stride;
}

// A one-row surface over a DIB row, so pixels convert through the one set of format rules.
Surface RowView(const DibFormat &format, BYTE *row) {
    DibFormat one = format;
    one.Height = 1;
    one.TopDown = true;
    return ViewDib(one, row);
}

} // namespace

HBITMAP CreateCompatibleBitmap(HDC handle, int width, int height) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc)
        return nullptr;
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (width == 0 || height == 0)
        return static_cast<HBITMAP>(DefaultBitmap());
    // A memory DC makes bitmaps like the one it holds: a fresh one holds a monochrome 1 x 1.
    Surface *current = TargetOf(*dc);
    const int bitCount = dc->Target == DCKind::Memory && current && current->BitCount == 1 ? 1 : 32;
    if (TooLarge(width, height, bitCount)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return AddBitmap(NewSurface(width, height, bitCount), false);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void *bits) {
    auto lock = Locked();
    if (width < 0 || height < 0 || planes != 1 || (bitCount != 1 && bitCount != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (width == 0 || height == 0)
        return static_cast<HBITMAP>(DefaultBitmap());
    if (TooLarge(width, height, int(bitCount))) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::unique_ptr<Surface> pixels = NewSurface(width, height, int(bitCount));
    if (bits) {
        // Rows of device-dependent bitmap data are padded to 16 bits.
        const int rowBytes = ((width * int(bitCount) + 15) / 16) * 2;
        for (int y = 0; y < height; ++y)
            std::memcpy(pixels->Row(y), static_cast<const BYTE *>(bits) + std::ptrdiff_t(y) * rowBytes,
                        std::size_t(std::min(rowBytes, pixels->Stride)));
    }
    return AddBitmap(std::move(pixels), false);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO *info, UINT usage, void **bits, HANDLE, DWORD) {
    auto lock = Locked();
    if (bits)
        *bits = nullptr;
    Table &table = Table::Instance();
    if (table.FailDIBSection) {
        SetLastError(*table.FailDIBSection);
        table.FailDIBSection.reset();
        return nullptr;
    }
    const std::optional<DibFormat> format = ReadDibFormat(info);
    if (!format || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (TooLarge(format->Width, format->Height, format->BitCount)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto pixels = std::make_unique<Surface>(ViewDib(*format, nullptr));
    pixels->Storage.reset(new (std::nothrow) BYTE[pixels->Size()]());
    if (!pixels->Storage) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    pixels->Bits = pixels->Storage.get();
    if (bits)
        *bits = pixels->Bits;
    return AddBitmap(std::move(pixels), true);
}

int GetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
    auto lock = Locked();
    auto *bitmap = Table::Instance().Get<Bitmap>(handle, Kind::Bitmap);
    if (!FindDC(dc) || !bitmap || !info || usage != DIB_RGB_COLORS)
        return 0;
    const Surface &source = *bitmap->Pixels;
    if (!bits) {
        // A query: describe the bitmap.
        BITMAPINFOHEADER &h = info->bmiHeader;
        if (h.biBitCount == 0) {
            h.biWidth = source.Width;
            h.biHeight = source.Height;
            h.biPlanes = 1;
            h.biBitCount = WORD(source.BitCount);
            h.biCompression = BI_RGB;
        }
        h.biSizeImage = DWORD(StrideOf(h.biWidth, h.biBitCount) * (h.biHeight < 0 ? -h.biHeight : h.biHeight));
        return source.Height;
    }
    std::optional<DibFormat> format = ReadDibFormat(info);
    if (!format)
        return 0;
    if (format->BitCount == 1 && source.BitCount == 1) {
        // A monochrome bitmap reads out as black and white.
        format->Palette = source.Palette;
        std::memcpy(info->bmiColors, source.Palette.data(), source.Palette.size() * sizeof(RGBQUAD));
    }
    const int first = int(start);
    const int last = std::min(format->Height, int(start + lines));
    int copied = 0;
    for (int scan = first; scan < last; ++scan) {
        const int y = BitmapRowOf(*format, scan);
        if (y < 0 || y >= source.Height)
            continue;
        Surface row = RowView(*format, DibRow(*format, bits, scan, first));
        const int width = std::min(format->Width, source.Width);
        for (int x = 0; x < width; ++x)
            row.Set(x, 0, source.Get(x, y));
        ++copied;
    }
    return copied;
}

int SetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, const void *bits, const BITMAPINFO *info, UINT usage) {
    auto lock = Locked();
    auto *bitmap = Table::Instance().Get<Bitmap>(handle, Kind::Bitmap);
    const std::optional<DibFormat> format = ReadDibFormat(info);
    if (!bitmap || !format || !bits || usage != DIB_RGB_COLORS)
        return 0;
    Surface &target = *bitmap->Pixels;
    const int first = int(start);
    const int last = std::min(format->Height, int(start + lines));
    for (int scan = first; scan < last; ++scan) {
        const int y = BitmapRowOf(*format, scan);
        if (y < 0 || y >= target.Height)
            continue;
        const Surface row = RowView(*format, DibRow(*format, const_cast<void *>(bits), scan, first));
        const int width = std::min(format->Width, target.Width);
        for (int x = 0; x < width; ++x)
            target.Set(x, y, row.Get(x, 0));
    }
    // Scan lines that fall outside the bitmap count as set.
    return std::max(0, last - first);
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
                  const void *bits, const BITMAPINFO *info, UINT usage, DWORD rop) {
    auto lock = Locked();
    Table &table = Table::Instance();
    if (table.FailStretchDIBits) {
        table.FailStretchDIBits = false;
        return 0;
    }
    std::optional<Painter> painter = Painter::For(dc);
    if (!painter) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const std::optional<DibFormat> format = ReadDibFormat(info);
    if (!format || !bits || usage != DIB_RGB_COLORS || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return 0;
    const Surface source = ViewDib(*format, bits);
    // The source rectangle is in DIB coordinates, whose origin is the bottom
    // left of a bottom-up DIB.
    const int top = format->TopDown ? srcY : format->Height - (srcY + srcHeight);
    const POINT origin = painter->ToDevice(x, y);
    const BrushPaint brush = BrushPaint::Of(static_cast<HBRUSH>(painter->DC.SelectedBrush), painter->DC);
    painter->Blend(RECT{origin.x, origin.y, origin.x + width, origin.y + height}, brush, rop,
                   [&](int px, int py) -> std::optional<COLORREF> {
                       const int sx = srcX + int(std::int64_t(px - origin.x) * srcWidth / width);
                       const int sy = top + int(std::int64_t(py - origin.y) * srcHeight / height);
                       if (!source.Contains(sx, sy))
                           return std::nullopt;
                       return source.Get(sx, sy);
                   });
    return srcHeight;
}
