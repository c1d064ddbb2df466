// Rasterisation helpers of the headless GDI: raster operations, brushes as
// pixel sources, and the painter that writes a DC's surface through its clip.
#pragma once

#include "headless/GdiObjects.h"

#include <optional>

namespace headless::gdi {

COLORREF ApplyRop2(int mode, COLORREF pen, COLORREF dst);
COLORREF ApplyRop3(DWORD rop, COLORREF pattern, COLORREF source, COLORREF dst);
bool RopUsesSource(DWORD rop);
bool RopUsesPattern(DWORD rop);
bool RopUsesDest(DWORD rop);

// What a brush puts at a device pixel: a colour, or nothing (a null brush, the
// gaps of a hatch in transparent mode).
class BrushPaint {
public:
    // A brush handle as FillRect takes it: a brush, or a system colour index + 1.
    static BrushPaint Of(HBRUSH brush, const DeviceContext &dc);
    static BrushPaint Solid(COLORREF color);
    std::optional<COLORREF> At(int x, int y) const;
    bool IsNull() const { return Style == BS_NULL; }
    // The colour of a brush that puts the same one everywhere.
    std::optional<COLORREF> Uniform() const { return Style == BS_SOLID ? std::optional(Color) : std::nullopt; }

private:
    UINT Style = BS_NULL;
    COLORREF Color = 0;
    int Hatch = 0;
    std::shared_ptr<Surface> Pattern;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0;
    bool Opaque = true;
    POINT Origin{};
};

// Draws on the surface of one DC in surface coordinates, only where the DC may draw.
class Painter {
public:
    // Nothing for a bad DC.
    static std::optional<Painter> For(HDC dc);

    DeviceContext &DC;
    Surface &Target;
    RectList Area;

    // Logical coordinates to the surface's.
    POINT ToDevice(int x, int y) const { return POINT{x + DC.Origin.x, y + DC.Origin.y}; }
    RECT ToDevice(const RECT &r) const;
    bool Visible(int x, int y) const;
    // Calls f(x, y) for every drawable pixel of a surface rectangle, row by row.
    template <class F> void ForEach(const RECT &rect, F f) const {
        for (const RECT &area : Area) {
            const RECT r = Intersect(rect, area);
            for (LONG y = r.top; y < r.bottom; ++y)
                for (LONG x = r.left; x < r.right; ++x)
                    f(int(x), int(y));
        }
    }
    // Applies a raster operation over the drawable part of a surface rectangle. source(x, y) gives the source
    // pixel for a surface pixel, or none to leave that pixel alone. The destination is read only when the
    // operation uses it.
    template <class Source> void Blend(const RECT &rect, const BrushPaint &brush, DWORD rop, Source source) const {
        const bool usesPattern = RopUsesPattern(rop);
        if (usesPattern && brush.IsNull())
            return;
        const bool usesDest = RopUsesDest(rop);
        // An operation that takes nothing from the brush takes 0.
        const std::optional<COLORREF> uniform = usesPattern ? brush.Uniform() : std::optional<COLORREF>(0);
        const bool varies = !uniform;
        const COLORREF fixed = uniform.value_or(0);
        ForEach(rect, [&](int x, int y) {
            const std::optional<COLORREF> src = source(x, y);
            if (!src)
                return;
            COLORREF pattern = fixed;
            if (varies) {
                // None where the brush paints nothing: the pixel is left alone.
                const std::optional<COLORREF> at = brush.At(x, y);
                if (!at)
                    return;
                pattern = *at;
            }
            Target.Set(x, y, ApplyRop3(rop, pattern, *src, usesDest ? Target.Get(x, y) : 0));
        });
    }
    void Fill(const RECT &rect, const BrushPaint &brush, DWORD rop) const;
    void Plot(int x, int y, COLORREF color, int rop2) const;
};

} // namespace headless::gdi
