// Pixel formats of the headless GDI.
#include "headless/GdiObjects.h"

#include <bit>
#include <cstring>

namespace headless::gdi {
namespace {

RGBQUAD Quad(COLORREF color) { return RGBQUAD{GetBValue(color), GetGValue(color), GetRValue(color), 0}; }

COLORREF FromQuad(const RGBQUAD &q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

// A channel of `bits` bits widened to 8 by repeating its high bits, as Windows does.
BYTE Expand(DWORD value, int bits) {
    if (bits <= 0)
        return 0;
    if (bits >= 8)
        return static_cast<BYTE>(value >> (bits - 8));
    DWORD wide = value << (8 - bits);
    for (int have = bits; have < 8; have *= 2)
        wide |= wide >> have;
    return static_cast<BYTE>(wide);
}

BYTE Extract(DWORD pixel, const Surface::Channel &channel) {
    if (!channel.Mask)
        return 0;
    return Expand((pixel & channel.Mask) >> channel.Shift, channel.Bits);
}

DWORD Insert(BYTE value, const Surface::Channel &channel) {
    if (!channel.Mask)
        return 0;
    const int bits = channel.Bits;
    const DWORD scaled = bits >= 8 ? DWORD(value) << (bits - 8) : DWORD(value) >> (8 - bits);
    return (scaled << channel.Shift) & channel.Mask;
}

unsigned Nearest(const std::vector<RGBQUAD> &palette, COLORREF color) {
    unsigned best = 0;
    long bestDistance = -1;
    for (unsigned i = 0; i < palette.size(); ++i) {
        const long dr = long(palette[i].rgbRed) - GetRValue(color);
        const long dg = long(palette[i].rgbGreen) - GetGValue(color);
        const long db = long(palette[i].rgbBlue) - GetBValue(color);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

int StrideOf(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

unsigned Surface::Index(int x, int y) const {
    const BYTE *row = Row(y);
    switch (BitCount) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
    case 8:
        return row[x];
    default:
        return 0;
    }
}

COLORREF Surface::Get(int x, int y) const {
    const BYTE *row = Row(y);
    switch (BitCount) {
    case 1:
    case 4:
    case 8: {
        const unsigned index = Index(x, y);
        return index < Palette.size() ? FromQuad(Palette[index]) : 0;
    }
    case 16: {
        DWORD pixel = row[x * 2] | (row[x * 2 + 1] << 8);
        return RGB(Extract(pixel, Channels[0]), Extract(pixel, Channels[1]), Extract(pixel, Channels[2]));
    }
    case 24:
        return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default: {
        if (DefaultMasks)
            return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
        DWORD pixel;
        std::memcpy(&pixel, row + x * 4, 4);
        return RGB(Extract(pixel, Channels[0]), Extract(pixel, Channels[1]), Extract(pixel, Channels[2]));
    }
    }
}

void Surface::Set(int x, int y, COLORREF color) {
    BYTE *row = Row(y);
    switch (BitCount) {
    case 1: {
        const BYTE bit = BYTE(0x80 >> (x % 8));
        row[x / 8] = Nearest(Palette, color) ? row[x / 8] | bit : row[x / 8] & ~bit;
        break;
    }
    case 4: {
        const BYTE index = BYTE(Nearest(Palette, color));
        BYTE &cell = row[x / 2];
        cell = x % 2 ? (cell & 0xF0) | index : (cell & 0x0F) | BYTE(index << 4);
        break;
    }
    case 8:
        row[x] = BYTE(Nearest(Palette, color));
        break;
    case 16: {
        const DWORD pixel = Insert(GetRValue(color), Channels[0]) | Insert(GetGValue(color), Channels[1]) |
                            Insert(GetBValue(color), Channels[2]);
        row[x * 2] = BYTE(pixel);
        row[x * 2 + 1] = BYTE(pixel >> 8);
        break;
    }
    case 24:
        row[x * 3] = GetBValue(color);
        row[x * 3 + 1] = GetGValue(color);
        row[x * 3 + 2] = GetRValue(color);
        break;
    default: {
        if (DefaultMasks) {
            BYTE *at = row + x * 4;
            at[0] = GetBValue(color);
            at[1] = GetGValue(color);
            at[2] = GetRValue(color);
            at[3] = 0;
            break;
        }
        const DWORD pixel = Insert(GetRValue(color), Channels[0]) | Insert(GetGValue(color), Channels[1]) |
                            Insert(GetBValue(color), Channels[2]);
        std::memcpy(row + x * 4, &pixel, 4);
        break;
    }
    }
}

void Surface::SetMasks(const DWORD (&masks)[3]) {
    for (int i = 0; i < 3; ++i)
        Channels[i] = Channel{masks[i], masks[i] ? std::countr_zero(masks[i]) : 0, std::popcount(masks[i])};
    DefaultMasks = masks[0] == 0xFF0000 && masks[1] == 0x00FF00 && masks[2] == 0x0000FF;
}

std::unique_ptr<Surface> NewSurface(int width, int height, int bitCount) {
    auto surface = std::make_unique<Surface>();
    surface->Width = width;
    surface->Height = height;
    surface->BitCount = bitCount;
    surface->Stride = StrideOf(width, bitCount);
    surface->Storage = std::make_unique<BYTE[]>(surface->Size());
    surface->Bits = surface->Storage.get();
    if (bitCount == 1)
        surface->Palette = {Quad(0), Quad(0xFFFFFF)};
    return surface;
}

std::optional<DibFormat> ReadDibFormat(const BITMAPINFO *info) {
    if (!info)
        return std::nullopt;
    const BITMAPINFOHEADER &h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
        return std::nullopt;
    DibFormat format;
    format.Width = h.biWidth;
    format.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    format.TopDown = h.biHeight < 0;
    format.BitCount = h.biBitCount;
    format.Stride = StrideOf(format.Width, format.BitCount);
    const auto *after = reinterpret_cast<const BYTE *>(info) + h.biSize;
    switch (h.biBitCount) {
    case 1:
    case 4:
    case 8: {
        if (h.biCompression != BI_RGB)
            return std::nullopt;
        const DWORD entries = h.biClrUsed ? h.biClrUsed : 1u << h.biBitCount;
        if (entries > (1u << h.biBitCount))
            return std::nullopt;
        format.Palette.resize(entries);
        std::memcpy(format.Palette.data(), after, entries * sizeof(RGBQUAD));
        break;
    }
    case 16:
    case 32:
        if (h.biCompression == BI_BITFIELDS) {
            // A header larger than the basic one carries the masks inside itself.
            const auto *masks = h.biSize > sizeof(BITMAPINFOHEADER)
                                    ? reinterpret_cast<const BYTE *>(info) + sizeof(BITMAPINFOHEADER)
                                    : after;
            std::memcpy(format.Masks, masks, sizeof format.Masks);
        } else if (h.biCompression == BI_RGB) {
            const DWORD defaults16[3] = {0x7C00, 0x03E0, 0x001F};
            const DWORD defaults32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
            std::memcpy(format.Masks, h.biBitCount == 16 ? defaults16 : defaults32, sizeof format.Masks);
        } else {
            return std::nullopt;
        }
        break;
    case 24:
        if (h.biCompression != BI_RGB)
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    return format;
}

Surface ViewDib(const DibFormat &format, const void *bits) {
    Surface view;
    view.Width = format.Width;
    view.Height = format.Height;
    view.BitCount = format.BitCount;
    view.Stride = format.Stride;
    view.TopDown = format.TopDown;
    view.SetMasks(format.Masks);
    view.Palette = format.Palette;
    view.Bits = static_cast<BYTE *>(const_cast<void *>(bits));
    return view;
}

} // namespace headless::gdi
