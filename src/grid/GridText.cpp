// Cell and title texts. A single line of plain ASCII is drawn by one clipped ExtTextOut at the place DrawText would
// give it: DrawText measures the font and the text again on every call, which under Wine is most of a paint's time.
#include "grid/GridPaintInternals.h"

#include <algorithm>
#include <cstring>

#include "toolkit/objects/TextEncoding.h"

namespace {

// Enough for the fonts and row heights of any real paint; beyond it texts go through DrawText.
constexpr std::size_t MaxFonts = 32;
constexpr std::size_t MaxOffsets = 16;
// Where the calibration draws: far outside any picture, clipped to one pixel column.
constexpr LONG Offstage = -30000;

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Text that DrawText shows glyph for glyph: no tabs, line breaks or other controls, and no prefix to underline.
bool IsPlainLine(std::string_view text, UINT format) {
    return std::all_of(text.begin(), text.end(), [format](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u < 0x7F && (c != '&' || (format & DT_NOPREFIX));
    });
}

void DrawThroughDrawText(HDC dc, std::string_view text, const RECT &rect, UINT format) {
    RECT box = rect;
    if (!IsAscii(text) && IsValidUtf8(text)) {
        const std::wstring wide = Utf8ToWide(text);
        ::DrawTextW(dc, wide.c_str(), -1, &box, format);
    } else {
        ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &box, format);
    }
}

} // namespace

GridText::Placement *GridText::PlacementOf(HDC dc, const LOGFONTA &font) {
    for (Placement &p : Fonts)
        if (std::memcmp(&p.Font, &font, sizeof font) == 0)
            return &p;
    if (Fonts.size() >= MaxFonts)
        return nullptr;
    Placement p{font, 0, false, {}};
    TEXTMETRICA metrics{};
    RECT probe{Offstage, 0, Offstage + 1, 1};
    // A font that the system thickens or slants itself is wider than its glyphs, and DrawText may allow for that.
    if (GetTextMetricsA(dc, &metrics) && metrics.tmOverhang == 0) {
        p.LineHeight = ::DrawTextA(dc, "x", 1, &probe, DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
        p.Exact = p.LineHeight > 0;
    }
    Fonts.push_back(std::move(p));
    return &Fonts.back();
}

// DrawText reports how far below the rectangle's top a lower-placed single line ends; asking it once for each
// rectangle height keeps its own rounding, whichever platform this runs on.
bool GridText::VerticalOffset(HDC dc, Placement &p, LONG height, UINT vertical, LONG &offset) {
    if (vertical == DT_TOP) {
        offset = 0;
        return true;
    }
    for (const Offset &o : p.Offsets)
        if (o.Height == height && o.Vertical == vertical) {
            offset = o.Value;
            return true;
        }
    if (p.Offsets.size() >= MaxOffsets)
        return false;
    RECT probe{Offstage, 0, Offstage + 1, height};
    const LONG below = ::DrawTextA(dc, "x", 1, &probe, DT_SINGLELINE | DT_NOPREFIX | vertical);
    offset = below - p.LineHeight;
    p.Offsets.push_back({height, vertical, offset});
    return true;
}

void GridText::Draw(HDC dc, const LOGFONTA &font, std::string_view text, const RECT &rect, UINT format) {
    if (!Direct || !(format & DT_SINGLELINE) || rect.right <= rect.left || rect.bottom <= rect.top ||
        !IsPlainLine(text, format)) {
        DrawThroughDrawText(dc, text, rect, format);
        return;
    }
    if (text.empty())
        return;
    Placement *p = PlacementOf(dc, font);
    LONG offset = 0;
    if (!p || !p->Exact || !VerticalOffset(dc, *p, rect.bottom - rect.top, format & (DT_VCENTER | DT_BOTTOM), offset)) {
        DrawThroughDrawText(dc, text, rect, format);
        return;
    }
    LONG x = rect.left;
    if (format & (DT_CENTER | DT_RIGHT)) {
        SIZE size{};
        const LONG width = rect.right - rect.left;
        const int length = static_cast<int>(text.size());
        // A centred text wider than its rectangle is where platforms may round differently: DrawText decides.
        if (!GetTextExtentPoint32A(dc, text.data(), length, &size) || ((format & DT_CENTER) && size.cx > width)) {
            DrawThroughDrawText(dc, text, rect, format);
            return;
        }
        x = format & DT_CENTER ? rect.left + (width - size.cx) / 2 : rect.right - size.cx;
    }
    ++DirectDraws;
    ::ExtTextOutA(dc, x, rect.top + offset, ETO_CLIPPED, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
}
