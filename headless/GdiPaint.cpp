#include "headless/GdiPaint.h"

#include <algorithm>

namespace headless::gdi {
namespace {

// Rows of the 8 x 8 hatch patterns, the high bit leftmost.
constexpr BYTE Hatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
};

int Wrap(int value, int size) { return ((value % size) + size) % size; }

} // namespace

COLORREF ApplyRop2(int mode, COLORREF pen, COLORREF dst) {
    // The mode less one is a truth table indexed by (pen bit << 1) | destination bit.
    const unsigned table = unsigned(mode - 1) & 0xF;
    const DWORD p = pen, d = dst;
    DWORD result = 0;
    if (table & 8)
        result |= p & d;
    if (table & 4)
        result |= p & ~d;
    if (table & 2)
        result |= ~p & d;
    if (table & 1)
        result |= ~p & ~d;
    return result & 0xFFFFFF;
}

COLORREF ApplyRop3(DWORD rop, COLORREF pattern, COLORREF source, COLORREF dst) {
    // The third byte is a truth table indexed by (pattern << 2) | (source << 1) | destination.
    const unsigned table = (rop >> 16) & 0xFF;
    // The common copies and constants without walking the table.
    switch (table) {
    case 0x00:
        return 0;
    case 0xFF:
        return 0xFFFFFF;
    case 0xF0:
        return pattern & 0xFFFFFF;
    case 0xCC:
        return source & 0xFFFFFF;
    case 0xAA:
        return dst & 0xFFFFFF;
    case 0x55:
        return ~dst & 0xFFFFFF;
    default:
        break;
    }
    DWORD result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(table & (1u << i)))
            continue;
        const DWORD p = i & 4 ? pattern : ~pattern;
        const DWORD s = i & 2 ? source : ~source;
        const DWORD d = i & 1 ? dst : ~dst;
        result |= p & s & d;
    }
    return result & 0xFFFFFF;
}

bool RopUsesSource(DWORD rop) {
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 2) & 0x33) != (t & 0x33);
}

bool RopUsesPattern(DWORD rop) {
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 4) & 0x0F) != (t & 0x0F);
}

bool RopUsesDest(DWORD rop) {
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 1) & 0x55) != (t & 0x55);
}

BrushPaint BrushPaint::Solid(COLORREF color) {
    BrushPaint paint;
    paint.Style = BS_SOLID;
    paint.Color = color & 0xFFFFFF;
    return paint;
}

BrushPaint BrushPaint::Of(HBRUSH handle, const DeviceContext &dc) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= 1 && value <= COLOR_MENUBAR + 1)
        return Solid(GetSysColor(int(value - 1)));
    BrushPaint paint;
    const auto *brush = Table::Instance().Get<Brush>(handle, Kind::Brush);
    if (!brush)
        return paint;
    paint.Style = brush->Style;
    paint.Color = brush->Color;
    paint.Hatch = brush->Hatch;
    paint.Pattern = brush->Pattern;
    paint.TextColor = dc.TextColor & 0xFFFFFF;
    paint.BkColor = dc.BkColor & 0xFFFFFF;
    paint.Opaque = dc.BkMode == OPAQUE;
    paint.Origin = dc.BrushOrigin;
    return paint;
}

std::optional<COLORREF> BrushPaint::At(int x, int y) const {
    switch (Style) {
    case BS_SOLID:
        return Color;
    case BS_HATCHED: {
        const bool line = (Hatches[Hatch][Wrap(y - Origin.y, 8)] << Wrap(x - Origin.x, 8)) & 0x80;
        if (line)
            return Color;
        return Opaque ? std::optional(BkColor) : std::nullopt;
    }
    case BS_PATTERN: {
        const int px = Wrap(x - Origin.x, Pattern->Width);
        const int py = Wrap(y - Origin.y, Pattern->Height);
        // A monochrome pattern takes the DC's colours: set bits the background, clear ones the text.
        if (Pattern->BitCount == 1)
            return Pattern->Index(px, py) ? BkColor : TextColor;
        return Pattern->Get(px, py);
    }
    default:
        return std::nullopt;
    }
}

std::optional<Painter> Painter::For(HDC handle) {
    DeviceContext *dc = FindDC(handle);
    Surface *surface = dc ? TargetOf(*dc) : nullptr;
    if (!surface)
        return std::nullopt;
    return Painter{*dc, *surface, DrawableArea(*dc, *surface)};
}

RECT Painter::ToDevice(const RECT &r) const {
    const POINT o = ToDevice(0, 0);
    return RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
}

bool Painter::Visible(int x, int y) const {
    return std::any_of(Area.begin(), Area.end(),
                       [&](const RECT &r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}

void Painter::Fill(const RECT &rect, const BrushPaint &brush, DWORD rop) const {
    Blend(rect, brush, rop, [](int, int) { return std::optional<COLORREF>(0); });
}

void Painter::Plot(int x, int y, COLORREF color, int rop2) const {
    if (Visible(x, y))
        Target.Set(x, y, ApplyRop2(rop2, color & 0xFFFFFF, Target.Get(x, y)));
}

} // namespace headless::gdi
