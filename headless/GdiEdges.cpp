// DrawEdge of the headless GDI: one or two lines per side in the 3-D system
// colours, the top and left ones first so the bottom and right ones own the
// corners. The lines replace what is there whatever the DC's raster operation.
#include "headless/GdiPaint.h"

using namespace headless::gdi;

namespace {

constexpr int None = -1;
constexpr int Hi = COLOR_BTNHIGHLIGHT;
constexpr int Lt = COLOR_3DLIGHT;
constexpr int Sh = COLOR_BTNSHADOW;
constexpr int Dk = COLOR_3DDKSHADOW;

// Indexed by the inner and outer edge bits. With one line only, it is drawn
// where the outer line goes, in that line's colours.
constexpr int TopLeftInner[16] = {None, None, None, None, None, Hi,   Hi,   None,
                                  None, Dk,   Dk,   None, None, None, None, None};
constexpr int TopLeftOuter[16] = {None, Lt, Sh, None, Hi, Lt, Sh, None, Dk, Lt, Sh, None, None, Lt, Sh, None};
constexpr int BottomRightInner[16] = {None, None, None, None, None, Sh,   Sh,   None,
                                      None, Lt,   Lt,   None, None, None, None, None};
constexpr int BottomRightOuter[16] = {None, Dk, Hi, None, Sh, Dk, Hi, None, Lt, Dk, Hi, None, None, Dk, Hi, None};

// A one-pixel line from (x0, y0) up to, not including, (x1, y1), horizontal or vertical.
void Line(const Painter &painter, int color, LONG x0, LONG y0, LONG x1, LONG y1) {
    if (color == None)
        return;
    const POINT a = painter.ToDevice(x0, y0), b = painter.ToDevice(x1, y1);
    const RECT line = a.y == b.y ? RECT{a.x, a.y, b.x, a.y + 1} : RECT{a.x, a.y, a.x + 1, b.y};
    painter.Fill(line, BrushPaint::Solid(GetSysColor(color)), PATCOPY);
}

} // namespace

BOOL DrawEdge(HDC handle, RECT *rect, UINT edge, UINT flags) {
    if (!rect)
        return FALSE;
    auto lock = Locked();
    std::optional<Painter> painter = Painter::For(handle);
    if (!painter)
        return FALSE;
    const unsigned index = edge & (BDR_INNER | BDR_OUTER);
    const RECT r = *rect;
    const int lt = (flags & BF_TOPLEFT) == BF_TOPLEFT;
    const int rt = (flags & (BF_TOP | BF_RIGHT)) == (BF_TOP | BF_RIGHT);
    const int lb = (flags & (BF_BOTTOM | BF_LEFT)) == (BF_BOTTOM | BF_LEFT);
    const int rb = (flags & BF_BOTTOMRIGHT) == BF_BOTTOMRIGHT;

    if (flags & BF_TOP)
        Line(*painter, TopLeftOuter[index], r.left, r.top, r.right, r.top);
    if (flags & BF_LEFT)
        Line(*painter, TopLeftOuter[index], r.left, r.top, r.left, r.bottom);
    if (flags & BF_BOTTOM)
        Line(*painter, BottomRightOuter[index], r.left, r.bottom - 1, r.right, r.bottom - 1);
    if (flags & BF_RIGHT)
        Line(*painter, BottomRightOuter[index], r.right - 1, r.top, r.right - 1, r.bottom);

    if (flags & BF_TOP)
        Line(*painter, TopLeftInner[index], r.left + lt, r.top + 1, r.right - rt, r.top + 1);
    if (flags & BF_LEFT)
        Line(*painter, TopLeftInner[index], r.left + 1, r.top + lt, r.left + 1, r.bottom - lb);
    if (flags & BF_BOTTOM)
        Line(*painter, BottomRightInner[index], r.left + lb, r.bottom - 2, r.right - rb, r.bottom - 2);
    if (flags & BF_RIGHT)
        Line(*painter, BottomRightInner[index], r.right - 2, r.top + rt, r.right - 2, r.bottom - rb);

    if (flags & (BF_MIDDLE | BF_ADJUST)) {
        const int lines = (TopLeftOuter[index] != None) + (TopLeftInner[index] != None);
        RECT inner = r;
        if (flags & BF_LEFT)
            inner.left += lines;
        if (flags & BF_RIGHT)
            inner.right -= lines;
        if (flags & BF_TOP)
            inner.top += lines;
        if (flags & BF_BOTTOM)
            inner.bottom -= lines;
        if (flags & BF_MIDDLE)
            painter->Fill(painter->ToDevice(inner), BrushPaint::Solid(GetSysColor(COLOR_BTNFACE)), PATCOPY);
        if (flags & BF_ADJUST)
            *rect = inner;
    }
    return TRUE;
}
