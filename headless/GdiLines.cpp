// Pens of the headless GDI: lines, rectangle outlines and the focus rectangle.
#include "headless/GdiPaint.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

using namespace headless::gdi;

namespace {

struct PenInfo {
    int Style = PS_SOLID;
    int Width = 0;
    COLORREF Color = 0;
};

PenInfo PenOf(const DeviceContext &dc) {
    const auto *pen = Table::Instance().Get<Pen>(dc.SelectedPen, Kind::Pen);
    if (!pen)
        return {};
    return PenInfo{int(pen->Log.lopnStyle), int(pen->Log.lopnWidth.x), pen->Log.lopnColor};
}

bool IsStyled(const PenInfo &pen) { return pen.Width <= 1 && pen.Style >= PS_DASH && pen.Style <= PS_DASHDOTDOT; }

// On and off run lengths of the cosmetic pen styles.
std::span<const int> DashesOf(int style) {
    static constexpr int dash[] = {18, 6};
    static constexpr int dot[] = {3, 3};
    static constexpr int dashDot[] = {9, 6, 3, 6};
    static constexpr int dashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH:
        return dash;
    case PS_DOT:
        return dot;
    case PS_DASHDOT:
        return dashDot;
    default:
        return dashDotDot;
    }
}

bool DashOn(int style, int position) {
    const std::span<const int> runs = DashesOf(style);
    int total = 0;
    for (int run : runs)
        total += run;
    position %= total;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (position < runs[i])
            return i % 2 == 0;
        position -= runs[i];
    }
    return false;
}

// The pixels of a line from a to b, b excluded.
std::vector<POINT> LinePixels(POINT a, POINT b) {
    std::vector<POINT> pixels;
    const LONG dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const LONG sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    LONG error = dx + dy;
    POINT p = a;
    while (p.x != b.x || p.y != b.y) {
        pixels.push_back(p);
        const LONG twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.y += sy;
        }
    }
    return pixels;
}

bool Before(const POINT &a, const POINT &b) { return a.y != b.y ? a.y < b.y : a.x < b.x; }
bool Same(const POINT &a, const POINT &b) { return a.x == b.x && a.y == b.y; }

void Unique(std::vector<POINT> &pixels) {
    std::sort(pixels.begin(), pixels.end(), Before);
    pixels.erase(std::unique(pixels.begin(), pixels.end(), Same), pixels.end());
}

// A wide pen covers a disc of its width around every pixel of the path, which
// rounds its joins and ends; the disc of an even width is centred half a pixel
// up and left of its pixel.
std::vector<POINT> Widen(const std::vector<POINT> &path, int width) {
    std::vector<POINT> pixels;
    const int shift = width % 2 ? 0 : 1;
    const int limit = width * width - 1;
    for (const POINT &p : path)
        for (int oy = -width; oy <= width; ++oy)
            for (int ox = -width; ox <= width; ++ox) {
                const int dx = 2 * ox + shift, dy = 2 * oy + shift;
                if (dx * dx + dy * dy < limit)
                    pixels.push_back(POINT{p.x + ox, p.y + oy});
            }
    Unique(pixels);
    return pixels;
}

// Draws a closed figure given by its corners. A cosmetic pen walks it pixel by pixel
// (dashes continue from one segment to the next); a wide one covers its pixels once.
std::vector<POINT> Stroke(const Painter &painter, const PenInfo &pen, const std::vector<POINT> &corners) {
    std::vector<POINT> path;
    for (std::size_t i = 0; i + 1 < corners.size(); ++i) {
        const std::vector<POINT> segment = LinePixels(corners[i], corners[i + 1]);
        path.insert(path.end(), segment.begin(), segment.end());
    }
    if (pen.Style == PS_NULL)
        return {};
    DeviceContext &dc = painter.DC;
    if (IsStyled(pen)) {
        for (const POINT &p : path) {
            if (DashOn(pen.Style, dc.DashPosition++))
                painter.Plot(p.x, p.y, pen.Color, dc.Rop2);
            else if (dc.BkMode == OPAQUE)
                painter.Plot(p.x, p.y, dc.BkColor, dc.Rop2);
        }
        return path;
    }
    std::vector<POINT> pixels = pen.Width > 1 ? Widen(path, pen.Width) : path;
    if (pen.Width <= 1)
        Unique(pixels);
    return pixels;
}

void PlotAll(const Painter &painter, const std::vector<POINT> &pixels, COLORREF color) {
    for (const POINT &p : pixels)
        painter.Plot(p.x, p.y, color, painter.DC.Rop2);
}

// The corners of a rectangle outline as Windows walks it: from the top right, anticlockwise.
std::vector<POINT> OutlineOf(const RECT &r) {
    const LONG right = r.right - 1, bottom = r.bottom - 1;
    return {{right, r.top}, {r.left, r.top}, {r.left, bottom}, {right, bottom}, {right, r.top}};
}

} // namespace

BOOL MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->Position;
    dc->Position = POINT{x, y};
    dc->DashPosition = 0;
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC handle, LPPOINT position) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc || !position)
        return FALSE;
    *position = dc->Position;
    return TRUE;
}

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom) {
    auto lock = Locked();
    std::optional<Painter> painter = Painter::For(handle);
    if (!painter)
        return FALSE;
    const RECT r = headless::Normalized(painter->ToDevice(RECT{left, top, right, bottom}));
    if (r.right == r.left || r.bottom == r.top)
        return TRUE;
    DeviceContext &dc = painter->DC;
    const PenInfo pen = PenOf(dc);
    dc.DashPosition = 0;
    std::vector<POINT> outline;
    if (pen.Style != PS_NULL && !IsStyled(pen))
        outline = Stroke(*painter, pen, OutlineOf(r));
    // The interior: inside the outline, or one pixel short at the right and bottom without a pen.
    const RECT inside = pen.Style == PS_NULL ? RECT{r.left, r.top, r.right - 1, r.bottom - 1}
                                             : RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    const BrushPaint brush = BrushPaint::Of(static_cast<HBRUSH>(dc.SelectedBrush), dc);
    if (!brush.IsNull()) {
        std::vector<POINT> covered = outline;
        painter->ForEach(inside, [&](int x, int y) {
            if (std::binary_search(covered.begin(), covered.end(), POINT{x, y}, Before))
                return;
            if (const std::optional<COLORREF> color = brush.At(x, y))
                painter->Target.Set(x, y, ApplyRop2(dc.Rop2, *color, painter->Target.Get(x, y)));
        });
    }
    if (IsStyled(pen))
        Stroke(*painter, pen, OutlineOf(r));
    else
        PlotAll(*painter, outline, pen.Color);
    return TRUE;
}

BOOL DrawFocusRect(HDC handle, const RECT *rect) {
    if (!rect)
        return FALSE;
    auto lock = Locked();
    std::optional<Painter> painter = Painter::For(handle);
    if (!painter)
        return FALSE;
    const RECT r = painter->ToDevice(*rect);
    if (r.right <= r.left || r.bottom <= r.top)
        return TRUE;
    // Every other pixel of the outline inverted, counted along the outline from
    // its start; where the outline runs back over itself the pixels invert again.
    const std::vector<POINT> corners = OutlineOf(r);
    std::size_t index = 0;
    for (std::size_t i = 0; i + 1 < corners.size(); ++i)
        for (const POINT &p : LinePixels(corners[i], corners[i + 1]))
            if (index++ % 2 == 0 && painter->Visible(p.x, p.y))
                painter->Target.Set(p.x, p.y, painter->Target.Get(p.x, p.y) ^ 0xFFFFFF);
    return TRUE;
}
