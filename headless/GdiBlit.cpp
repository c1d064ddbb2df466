// Rectangle fills and block transfers of the headless GDI.
#include "headless/GdiPaint.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace headless::gdi;

namespace {

// The pixels PatBlt covers: a negative extent reaches back from the origin, including it.
RECT BlitRect(int x, int y, int width, int height) {
    const LONG left = width < 0 ? x + width + 1 : x;
    const LONG top = height < 0 ? y + height + 1 : y;
    return RECT{left, top, left + std::abs(width), top + std::abs(height)};
}

BOOL PaintRect(HDC handle, const RECT &logical, std::optional<HBRUSH> brush, DWORD rop) {
    auto lock = Locked();
    std::optional<Painter> painter = Painter::For(handle);
    if (!painter)
        return FALSE;
    const HBRUSH used = brush ? *brush : static_cast<HBRUSH>(painter->DC.SelectedBrush);
    painter->Fill(painter->ToDevice(logical), BrushPaint::Of(used, painter->DC), rop);
    return TRUE;
}

// A source pixel as the destination sees it: monochrome bitmaps take the
// destination's text and background colours, and colour turns monochrome by
// matching the source's background colour.
COLORREF Convert(const Surface &from, const DeviceContext &source, int x, int y, const Surface &to,
                 const DeviceContext &target) {
    if (from.BitCount == 1 && to.BitCount != 1)
        return from.Index(x, y) ? target.BkColor & 0xFFFFFF : target.TextColor & 0xFFFFFF;
    const COLORREF color = from.Get(x, y);
    if (to.BitCount == 1 && from.BitCount != 1)
        return color == (source.BkColor & 0xFFFFFF) ? 0xFFFFFF : 0;
    return color;
}

// Whether two surfaces share pixel memory.
bool Overlap(const Surface &a, const Surface &b) {
    const auto aStart = reinterpret_cast<std::uintptr_t>(a.Bits), bStart = reinterpret_cast<std::uintptr_t>(b.Bits);
    return aStart < bStart + b.Size() && bStart < aStart + a.Size();
}

} // namespace

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    return PaintRect(dc, BlitRect(x, y, width, height), std::nullopt, rop);
}

int FillRect(HDC dc, const RECT *rect, HBRUSH brush) {
    if (!rect || !brush)
        return 0;
    return PaintRect(dc, BlitRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top), brush,
                     PATCOPY);
}

int FrameRect(HDC dc, const RECT *rect, HBRUSH brush) {
    if (!rect || !brush)
        return 0;
    const RECT r = *rect;
    if (r.right <= r.left || r.bottom <= r.top)
        return TRUE;
    const RECT sides[] = {{r.left, r.top, r.right, r.top + 1},
                          {r.left, r.bottom - 1, r.right, r.bottom},
                          {r.left, r.top, r.left + 1, r.bottom},
                          {r.right - 1, r.top, r.right, r.bottom}};
    for (const RECT &side : sides)
        if (!PaintRect(dc, side, brush, PATCOPY))
            return 0;
    return TRUE;
}

BOOL InvertRect(HDC dc, const RECT *rect) {
    if (!rect)
        return FALSE;
    return PatBlt(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, DSTINVERT);
}

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int srcX, int srcY, DWORD rop) {
    if (!RopUsesSource(rop))
        return PatBlt(dc, x, y, width, height, rop);
    auto lock = Locked();
    std::optional<Painter> target = Painter::For(dc);
    std::optional<Painter> from = Painter::For(source);
    if (!target || !from)
        return FALSE;
    if (width <= 0 || height <= 0)
        return TRUE;
    const POINT s = from->ToDevice(srcX, srcY);
    const POINT d = target->ToDevice(x, y);
    // Only the part of the source inside its surface is copied; the rest of the
    // destination stays as it was.
    const LONG left = std::max<LONG>(0, s.x), top = std::max<LONG>(0, s.y);
    const LONG right = std::min<LONG>(from->Target.Width, s.x + width);
    const LONG bottom = std::min<LONG>(from->Target.Height, s.y + height);
    if (left >= right || top >= bottom)
        return TRUE;
    const int w = int(right - left), h = int(bottom - top);
    const LONG dx = d.x + (left - s.x), dy = d.y + (top - s.y);
    const BrushPaint brush = BrushPaint::Of(static_cast<HBRUSH>(target->DC.SelectedBrush), target->DC);
    const RECT area{dx, dy, dx + w, dy + h};
    if (Overlap(from->Target, target->Target)) {
        // The blit may overwrite pixels it has yet to read: read them all first.
        std::vector<COLORREF> pixels(std::size_t(w) * h);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                pixels[std::size_t(row) * w + col] =
                    Convert(from->Target, from->DC, int(left) + col, int(top) + row, target->Target, target->DC);
        target->Blend(area, brush, rop, [&](int px, int py) -> std::optional<COLORREF> {
            return pixels[std::size_t(py - dy) * w + (px - dx)];
        });
    } else {
        target->Blend(area, brush, rop, [&](int px, int py) -> std::optional<COLORREF> {
            return Convert(from->Target, from->DC, int(left + (px - dx)), int(top + (py - dy)), target->Target,
                           target->DC);
        });
    }
    return TRUE;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    auto lock = Locked();
    std::optional<Painter> painter = Painter::For(dc);
    if (!painter)
        return CLR_INVALID;
    const POINT p = painter->ToDevice(x, y);
    return painter->Visible(p.x, p.y) ? painter->Target.Get(p.x, p.y) : CLR_INVALID;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    auto lock = Locked();
    std::optional<Painter> painter = Painter::For(dc);
    if (!painter)
        return CLR_INVALID;
    const POINT p = painter->ToDevice(x, y);
    if (!painter->Visible(p.x, p.y))
        return CLR_INVALID;
    painter->Target.Set(p.x, p.y, color & 0xFFFFFF);
    return painter->Target.Get(p.x, p.y);
}
