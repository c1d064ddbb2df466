// Regions and clipping of the headless GDI.
#include "headless/GdiObjects.h"

#include <algorithm>
#include <utility>

namespace headless::gdi {
namespace {

using Span = std::pair<LONG, LONG>;

struct Band {
    LONG Top, Bottom;
    std::vector<Span> Spans;
};

bool Covers(const RectList &rects, LONG left, LONG top, LONG right, LONG bottom) {
    return std::any_of(rects.begin(), rects.end(), [&](const RECT &r) {
        return r.left <= left && right <= r.right && r.top <= top && bottom <= r.bottom;
    });
}

bool Keep(bool inA, bool inB, int mode) {
    switch (mode) {
    case RGN_AND:
        return inA && inB;
    case RGN_OR:
        return inA || inB;
    case RGN_XOR:
        return inA != inB;
    case RGN_DIFF:
        return inA && !inB;
    default:
        return inA;
    }
}

std::vector<LONG> Breakpoints(const RectList &a, const RectList &b, LONG RECT::*low, LONG RECT::*high) {
    std::vector<LONG> points;
    for (const RectList *list : {&a, &b})
        for (const RECT &r : *list) {
            points.push_back(r.*low);
            points.push_back(r.*high);
        }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

Region *FindRegion(HRGN handle) { return Table::Instance().Get<Region>(handle, Kind::Region); }

// The clip of a DC as a list; without one, everything.
RectList CurrentClip(DeviceContext &dc) {
    constexpr LONG Far = 1 << 28;
    return dc.Clip ? *dc.Clip : RectsOf(RECT{-Far, -Far, Far, Far});
}

int Clip(HDC handle, const RectList &with, int mode) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc)
        return ERROR;
    dc->Clip = mode == RGN_COPY ? with : CombineRects(CurrentClip(*dc), with, mode);
    return Complexity(*dc->Clip);
}

} // namespace

RectList RectsOf(const RECT &rect) {
    const RECT r = Normalized(rect);
    if (r.left == r.right || r.top == r.bottom)
        return {};
    return {r};
}

RectList CombineRects(const RectList &a, const RectList &b, int mode) {
    if (mode == RGN_COPY)
        return a;
    const std::vector<LONG> xs = Breakpoints(a, b, &RECT::left, &RECT::right);
    const std::vector<LONG> ys = Breakpoints(a, b, &RECT::top, &RECT::bottom);
    std::vector<Band> bands;
    for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
        Band band{ys[j], ys[j + 1], {}};
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
            const bool inA = Covers(a, xs[i], band.Top, xs[i + 1], band.Bottom);
            const bool inB = Covers(b, xs[i], band.Top, xs[i + 1], band.Bottom);
            if (!Keep(inA, inB, mode))
                continue;
            if (!band.Spans.empty() && band.Spans.back().second == xs[i])
                band.Spans.back().second = xs[i + 1];
            else
                band.Spans.emplace_back(xs[i], xs[i + 1]);
        }
        if (band.Spans.empty())
            continue;
        if (!bands.empty() && bands.back().Bottom == band.Top && bands.back().Spans == band.Spans)
            bands.back().Bottom = band.Bottom;
        else
            bands.push_back(std::move(band));
    }
    RectList result;
    for (const Band &band : bands)
        for (const Span &span : band.Spans)
            result.push_back(RECT{span.first, band.Top, span.second, band.Bottom});
    return result;
}

RECT BoundsOf(const RectList &rects) {
    if (rects.empty())
        return RECT{0, 0, 0, 0};
    RECT box = rects.front();
    for (const RECT &r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

int Complexity(const RectList &rects) {
    return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RectList OffsetRects(RectList rects, POINT by) {
    for (RECT &r : rects)
        r = Offset(r, by.x, by.y);
    return rects;
}

RectList DrawableArea(DeviceContext &dc, const Surface &surface) {
    RectList area = RectsOf(RECT{0, 0, surface.Width, surface.Height});
    if (dc.Visible)
        area = CombineRects(area, OffsetRects(*dc.Visible, dc.Origin), RGN_AND);
    if (dc.Clip)
        area = CombineRects(area, OffsetRects(*dc.Clip, dc.Origin), RGN_AND);
    return area;
}

} // namespace headless::gdi

using namespace headless::gdi;

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto lock = Locked();
    auto region = std::make_unique<Region>();
    region->Rects = RectsOf(RECT{left, top, right, bottom});
    return static_cast<HRGN>(Table::Instance().Add(std::move(region)));
}

BOOL SetRectRgn(HRGN handle, int left, int top, int right, int bottom) {
    auto lock = Locked();
    Region *region = FindRegion(handle);
    if (!region)
        return FALSE;
    region->Rects = RectsOf(RECT{left, top, right, bottom});
    return TRUE;
}

int CombineRgn(HRGN result, HRGN first, HRGN second, int mode) {
    auto lock = Locked();
    Region *target = FindRegion(result);
    Region *a = FindRegion(first);
    Region *b = mode == RGN_COPY ? a : FindRegion(second);
    if (!target || !a || !b || mode < RGN_AND || mode > RGN_COPY)
        return ERROR;
    target->Rects = CombineRects(a->Rects, b->Rects, mode);
    return Complexity(target->Rects);
}

int OffsetRgn(HRGN handle, int x, int y) {
    auto lock = Locked();
    Region *region = FindRegion(handle);
    if (!region)
        return ERROR;
    for (RECT &r : region->Rects)
        r = headless::Offset(r, x, y);
    return Complexity(region->Rects);
}

int GetRgnBox(HRGN handle, LPRECT box) {
    auto lock = Locked();
    Region *region = FindRegion(handle);
    if (!region || !box)
        return ERROR;
    *box = BoundsOf(region->Rects);
    return Complexity(region->Rects);
}

int SelectClipRgn(HDC dc, HRGN region) { return ExtSelectClipRgn(dc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC handle, HRGN region, int mode) {
    auto lock = Locked();
    if (!region) {
        DeviceContext *dc = FindDC(handle);
        if (!dc || mode != RGN_COPY)
            return ERROR;
        dc->Clip.reset();
        return SIMPLEREGION;
    }
    Region *source = FindRegion(region);
    if (!source || mode < RGN_AND || mode > RGN_COPY)
        return ERROR;
    return Clip(handle, source->Rects, mode);
}

int GetClipBox(HDC handle, LPRECT box) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    Surface *surface = dc ? TargetOf(*dc) : nullptr;
    if (!surface || !box)
        return ERROR;
    const RectList area = DrawableArea(*dc, *surface);
    *box = area.empty() ? RECT{0, 0, 0, 0} : headless::Offset(BoundsOf(area), -dc->Origin.x, -dc->Origin.y);
    return Complexity(area);
}

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
    return Clip(handle, RectsOf({left, top, right, bottom}), RGN_AND);
}

int ExcludeClipRect(HDC handle, int left, int top, int right, int bottom) {
    return Clip(handle, RectsOf({left, top, right, bottom}), RGN_DIFF);
}
