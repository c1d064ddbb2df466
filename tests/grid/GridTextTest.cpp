// The grid's own placement of single lines against DrawText's: every font height (odd ones too), box heights and
// widths of both parities, every alignment, texts narrower and wider than their box. Under Wine (and Windows) the
// pixels are compared; natively, where text is not rendered, where each text lands and what clips it.
#include "grid/GridFixture.h"
#include "grid/GridPaintInternals.h"
#include "support/PixelSurface.h"

#include <cstring>

#ifndef _WIN32
#include "headless/GdiInspect.h"
#endif

namespace {

struct FontCase {
    const char *Face;
    LONG Height;
    LONG Weight;
    BYTE Italic, Underline, StrikeOut;
};

const FontCase Fonts[] = {
    {"MS Sans Serif", 0, FW_NORMAL, 0, 0, 0},   {"MS Sans Serif", -13, FW_BOLD, 0, 0, 0},
    {"Tahoma", -11, FW_NORMAL, 0, 0, 0},        {"Tahoma", -12, FW_NORMAL, 0, 0, 0},
    {"Tahoma", -9, FW_BOLD, 0, 0, 0},           {"Tahoma", -15, FW_NORMAL, 1, 0, 0},
    {"MS Sans Serif", -16, FW_NORMAL, 0, 0, 0}, {"Tahoma", 17, FW_NORMAL, 0, 1, 0},
    {"Tahoma", 21, FW_NORMAL, 0, 0, 1},
};

constexpr LONG BoxHeights[] = {9, 10, 13, 16, 17, 20, 21, 33};
constexpr LONG BoxWidths[] = {100, 101, 57, 58};
const char *const Texts[] = {"Wg|x", "value 1234", "M", "a text that is wider than its box"};
constexpr UINT Horizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
constexpr UINT Vertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
constexpr LONG Column = 110;
constexpr int SurfaceWidth = 9 * Column;
constexpr int SurfaceHeight = 4 * (9 + 10 + 13 + 16 + 17 + 20 + 21 + 33) + 4 * 8 * 8;

LOGFONTA LogFont(const FontCase &f) {
    LOGFONTA log{};
    log.lfHeight = f.Height;
    log.lfWeight = f.Weight;
    log.lfItalic = f.Italic;
    log.lfUnderline = f.Underline;
    log.lfStrikeOut = f.StrikeOut;
    log.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(log.lfFaceName, f.Face, LF_FACESIZE - 1);
    return log;
}

// Every case in its own box on the surface, drawn by DrawText or by the grid.
void DrawAll(HDC dc, const LOGFONTA &log, GridText *grid) {
    LONG y = 4;
    for (LONG height : BoxHeights)
        for (std::size_t t = 0; t < std::size(Texts); ++t) {
            for (std::size_t a = 0; a < 9; ++a) {
                const LONG x = LONG(a) * Column + 4;
                const RECT box{x, y, x + BoxWidths[t], y + height};
                const UINT format = Horizontal[a % 3] | Vertical[a / 3] | DT_SINGLELINE | DT_NOPREFIX;
                if (grid) {
                    grid->Draw(dc, log, Texts[t], box, format);
                } else {
                    RECT copy = box;
                    DrawTextA(dc, Texts[t], -1, &copy, format);
                }
            }
            y += height + 8;
        }
}

TEST(GridText, SingleLinesLandWhereDrawTextPutsThem) {
    PixelSurface expected(SurfaceWidth, SurfaceHeight);
    PixelSurface actual(SurfaceWidth, SurfaceHeight);
    int direct = 0, all = 0;
    for (const FontCase &f : Fonts) {
        const LOGFONTA log = LogFont(f);
        HFONT font = CreateFontIndirectA(&log);
        ASSERT_TRUE(font);
        expected.Fill(RGB(255, 255, 255));
        actual.Fill(RGB(255, 255, 255));
        GridText text;
        HGDIOBJ saved[2];
        for (PixelSurface *s : {&expected, &actual}) {
            saved[s == &actual] = SelectObject(s->DC(), font);
            SetBkMode(s->DC(), TRANSPARENT);
            SetTextColor(s->DC(), RGB(0, 0, 0));
        }
#ifndef _WIN32
        headless::ClearTextDraws();
#endif
        DrawAll(expected.DC(), log, nullptr);
        DrawAll(actual.DC(), log, &text);
        EXPECT_TRUE(expected.SamePixels(actual)) << f.Face << " " << f.Height;
        direct += text.DirectDraws;
        all += int(std::size(BoxHeights) * std::size(Texts) * 9);
#ifndef _WIN32
        std::vector<headless::TextDraw> drawn[2];
        for (const headless::TextDraw &d : headless::TextDraws())
            if (d.Rect.right > 0)
                drawn[d.DC == actual.DC()].push_back(d);
        ASSERT_EQ(drawn[0].size(), drawn[1].size());
        for (std::size_t i = 0; i < drawn[0].size(); ++i) {
            const headless::TextDraw &e = drawn[0][i];
            const headless::TextDraw &a = drawn[1][i];
            EXPECT_EQ(a.Text, e.Text);
            EXPECT_TRUE(a.Clipped && e.Clipped);
            EXPECT_TRUE(std::memcmp(&a.Rect, &e.Rect, sizeof(RECT)) == 0) << e.Text;
            EXPECT_EQ(a.Origin.x, e.Origin.x) << e.Text << " format " << e.Format;
            EXPECT_EQ(a.Origin.y, e.Origin.y) << e.Text << " format " << e.Format;
        }
#endif
        for (PixelSurface *s : {&expected, &actual})
            SelectObject(s->DC(), saved[s == &actual]);
        DeleteObject(font);
    }
    // Most cases go the direct way; otherwise this test would compare DrawText with itself.
    EXPECT_GT(direct, all / 2);
}

} // namespace
