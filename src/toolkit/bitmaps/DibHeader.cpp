#include "toolkit/bitmaps/DibHeader.h"

#include <cstdlib>
#include <cstring>

#include "toolkit/bitmaps/Bitmap.h"

namespace {

constexpr int FormatBits[] = {0, 1, 4, 8, 16, 16, 24, 32, 0};
constexpr DWORD Masks565[3] = {0xF800, 0x07E0, 0x001F};

} // namespace

int PixelFormatBits(std::uint8_t format) { return format < std::size(FormatBits) ? FormatBits[format] : 0; }

BITMAPINFO *NewDibHeader(std::uint8_t pixelFormat, LONG width, LONG height) {
    auto *header = static_cast<BITMAPINFO *>(GlobalAlloc(GMEM_ZEROINIT, DibHeaderBytes));
    if (!header)
        return nullptr;
    BITMAPINFOHEADER &h = header->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(PixelFormatBits(pixelFormat));
    if (pixelFormat == PixelFormat::Bits16) {
        h.biCompression = BI_BITFIELDS;
        std::memcpy(header->bmiColors, Masks565, sizeof Masks565);
    }
    return header;
}

void FreeDibHeader(BITMAPINFO *&header) {
    if (header)
        GlobalFree(header);
    header = nullptr;
}

std::uint32_t DibStride(int bitCount, LONG width) {
    return static_cast<std::uint32_t>(((std::int64_t(bitCount) * width + 31) / 8) & ~std::int64_t{3});
}

std::uint64_t DibSize(const BITMAPINFO *header) {
    if (!header)
        return 0;
    const BITMAPINFOHEADER &h = header->bmiHeader;
    const std::uint64_t size =
        std::uint64_t(DibStride(h.biBitCount, h.biWidth)) * std::uint64_t(std::llabs(h.biHeight));
    return size > 0x7FFFFFF0u ? 0 : size;
}

std::uint8_t DibFormat(std::uint8_t pixelFormat) {
    return PixelFormatBits(pixelFormat) ? pixelFormat : PixelFormat::Default;
}

void *NewDibBits(const BITMAPINFO *header, std::uint32_t &size) {
    const std::uint64_t bytes = DibSize(header);
    void *bits = bytes ? GlobalAlloc(GMEM_ZEROINIT, std::size_t(bytes) + 16) : nullptr;
    size = bits ? std::uint32_t(bytes) : 0;
    return bits;
}

HBITMAP NewScreenBitmap(LONG width, LONG height) {
    HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap;
}
