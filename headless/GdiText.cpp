// Text of the headless GDI: drawn text is recorded, not rendered, and every
// font measures as a fixed-pitch font of its height.
#include "headless/GdiInspect.h"
#include "headless/GdiObjects.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

using namespace headless::gdi;

namespace {

constexpr std::size_t MaxTextDraws = 100000;
std::vector<headless::TextDraw> textDraws;

struct Metrics {
    LONG Height;
    LONG CharWidth;
};

LOGFONTA FontOf(const DeviceContext &dc) {
    const auto *font = Table::Instance().Get<Font>(dc.SelectedFont, Kind::Font);
    return font ? font->Log : LOGFONTA{};
}

Metrics MetricsOf(const LOGFONTA &font) {
    const LONG height = font.lfHeight == 0 ? 16 : std::abs(font.lfHeight);
    return Metrics{height, std::max<LONG>(1, (height * 7 + 8) / 16)};
}

// The lines DrawText lays out: breaks at line feeds unless single-line, and
// at spaces to fit the width when word-breaking.
std::vector<std::string_view> LinesOf(std::string_view text, UINT format, LONG width, LONG charWidth) {
    std::vector<std::string_view> lines;
    if (format & DT_SINGLELINE)
        return {text};
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find('\n', begin);
        std::string_view line = text.substr(begin, end == std::string_view::npos ? end : end - begin);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t fits = std::size_t(std::max<LONG>(1, width / charWidth));
        while ((format & DT_WORDBREAK) && line.size() > fits) {
            std::size_t cut = line.rfind(' ', fits);
            if (cut == std::string_view::npos || cut == 0)
                cut = fits;
            lines.push_back(line.substr(0, cut));
            line.remove_prefix(std::min(line.size(), cut + (line[cut] == ' ' ? 1 : 0)));
        }
        lines.push_back(line);
        if (end == std::string_view::npos)
            return lines;
        begin = end + 1;
    }
}

// Long runs keep their latest draws only, so the record cannot grow without end.
void Record(headless::TextDraw draw) {
    if (textDraws.size() >= MaxTextDraws)
        textDraws.erase(textDraws.begin(), textDraws.begin() + MaxTextDraws / 2);
    textDraws.push_back(std::move(draw));
}

int Draw(HDC handle, std::string_view text, LPRECT rect, UINT format, bool wide) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc || !rect)
        return 0;
    const LOGFONTA font = FontOf(*dc);
    const Metrics metrics = MetricsOf(font);
    const std::vector<std::string_view> lines = LinesOf(text, format, rect->right - rect->left, metrics.CharWidth);
    std::size_t longest = 0;
    for (std::string_view line : lines)
        longest = std::max(longest, line.size());
    const LONG height = LONG(lines.size()) * metrics.Height;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + LONG(longest) * metrics.CharWidth;
        rect->bottom = rect->top + height;
        return int(height);
    }
    // A single line placed lower reports where its bottom ends, measured from the top.
    LONG below = 0;
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))) {
        const LONG room = rect->bottom - rect->top - height;
        below = format & DT_BOTTOM ? room : room / 2;
    }
    const LONG first = lines.empty() ? 0 : LONG(lines.front().size()) * metrics.CharWidth;
    LONG x = rect->left;
    if (format & DT_CENTER)
        x = (rect->left + rect->right - first) / 2;
    else if (format & DT_RIGHT)
        x = rect->right - first;
    Record(headless::TextDraw{handle, std::string(text), *rect, format, font, dc->TextColor, dc->BkColor, dc->BkMode,
                              wide, false, !(format & DT_NOCLIP), POINT{x, rect->top + below}});
    return int(below + height);
}

} // namespace

int DrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) {
    if (!text)
        return 0;
    return Draw(dc, std::string_view(text, length < 0 ? std::strlen(text) : std::size_t(length)), rect, format, false);
}

int DrawTextW(HDC dc, const wchar_t *text, int length, LPRECT rect, UINT format) {
    if (!text)
        return 0;
    std::size_t count = 0;
    if (length < 0)
        while (text[count])
            ++count;
    else
        count = std::size_t(length);
    std::string utf8;
    if (count) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, int(count), nullptr, 0, nullptr, nullptr);
        utf8.resize(std::size_t(size));
        WideCharToMultiByte(CP_UTF8, 0, text, int(count), utf8.data(), size, nullptr, nullptr);
    }
    return Draw(dc, utf8, rect, format, true);
}

BOOL ExtTextOutA(HDC handle, int x, int y, UINT options, const RECT *rect, LPCSTR text, UINT length, const INT *) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc || (!text && length))
        return FALSE;
    Record(headless::TextDraw{handle, std::string(text ? text : "", length), rect ? *rect : RECT{}, 0, FontOf(*dc),
                              dc->TextColor, dc->BkColor, dc->BkMode, false, true, rect && (options & ETO_CLIPPED),
                              POINT{x, y}});
    return TRUE;
}

BOOL GetTextMetricsA(HDC handle, TEXTMETRICA *metrics) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc || !metrics)
        return FALSE;
    const LOGFONTA font = FontOf(*dc);
    const Metrics m = MetricsOf(font);
    *metrics = TEXTMETRICA{};
    metrics->tmHeight = m.Height;
    metrics->tmAscent = m.Height - m.Height / 5;
    metrics->tmDescent = m.Height / 5;
    metrics->tmAveCharWidth = m.CharWidth;
    metrics->tmMaxCharWidth = m.CharWidth;
    metrics->tmWeight = font.lfWeight;
    metrics->tmItalic = font.lfItalic;
    metrics->tmUnderlined = font.lfUnderline;
    metrics->tmStruckOut = font.lfStrikeOut;
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC handle, LPCSTR text, int length, SIZE *size) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc || !size || length < 0 || (!text && length))
        return FALSE;
    const Metrics m = MetricsOf(FontOf(*dc));
    *size = SIZE{LONG(length) * m.CharWidth, m.Height};
    return TRUE;
}

namespace headless {

std::vector<TextDraw> TextDraws() {
    auto lock = Locked();
    return textDraws;
}

void ClearTextDraws() {
    auto lock = Locked();
    textDraws.clear();
}

} // namespace headless
