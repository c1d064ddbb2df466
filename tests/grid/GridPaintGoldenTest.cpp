// Whole paints of busy grids against digests recorded from an earlier, plainer painter: any change to what the user
// sees (a pixel under Wine; natively a pixel or where and how a text is drawn) fails here. The Wine digests hold for
// this build environment's Wine and its fonts; elsewhere on Windows the pixel check is skipped.
#include "grid/GridFixture.h"
#include "support/PixelSurface.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/objects/PtrList.h"
#include "toolkit/objects/StringList.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#ifndef _WIN32
#include "headless/GdiInspect.h"
#endif

namespace {

constexpr int Width = 400;
constexpr int Height = 300;
constexpr int Bands = 10;

struct Digest {
    std::uint32_t Value = 2166136261u;
    void Add(const void *data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            Value ^= static_cast<const unsigned char *>(data)[i];
            Value *= 16777619u;
        }
    }
    void Add(std::int32_t v) { Add(&v, sizeof v); }
    void Add(std::string_view s) {
        Add(static_cast<std::int32_t>(s.size()));
        Add(s.data(), s.size());
    }
};

std::string Hex(std::uint32_t v) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(v));
    return text;
}

// One digest per horizontal band of the picture, so that a failure says where the picture changed.
std::string PixelDigests(const PixelSurface &surface) {
    std::string digests;
    for (int band = 0; band < Bands; ++band) {
        Digest d;
        for (int y = band * Height / Bands; y < (band + 1) * Height / Bands; ++y)
            for (int x = 0; x < Width; ++x)
                d.Add(static_cast<std::int32_t>(surface.Pixel(x, y)));
        if (band)
            digests += ' ';
        digests += Hex(d.Value);
    }
    return digests;
}

#ifndef _WIN32
// What a text draw shows, however it was drawn: the text, where its first line lands and what clips it, the font,
// the colour and the background mode. Empty texts and texts clipped outside the picture show nothing.
std::string TextDigest() {
    Digest d;
    for (const headless::TextDraw &t : headless::TextDraws()) {
        if (t.Text.empty() || (t.Clipped && (t.Rect.right <= 0 || t.Rect.bottom <= 0)))
            continue;
        d.Add(t.Text);
        for (LONG v : {t.Origin.x, t.Origin.y, LONG(t.Clipped), t.Rect.left, t.Rect.top, t.Rect.right, t.Rect.bottom,
                       t.Font.lfHeight, t.Font.lfWeight, LONG(t.Font.lfItalic), LONG(t.Font.lfUnderline),
                       LONG(t.TextColor), LONG(t.BkMode), LONG(t.Wide), LONG((t.Format & DT_WORDBREAK) != 0)})
            d.Add(static_cast<std::int32_t>(v));
        d.Add(std::string_view(t.Font.lfFaceName));
    }
    return Hex(d.Value);
}
#endif

void SetRowHeight(XLGrid *grid, std::int32_t row, std::int32_t height) {
    grid->Data->RowHeights->Put(row, reinterpret_cast<void *>(static_cast<std::intptr_t>(height)));
}

void SetFont(XLCell *cell, LONG height, const char *face, std::uint8_t style, std::uint32_t color) {
    Font *font = ChangeCellFont(cell);
    font->Settings.Font.lfHeight = height;
    std::strncpy(font->Settings.Font.lfFaceName, face, LF_FACESIZE - 1);
    font->Changed();
    font->SetStyle(style);
    font->SetColor(color);
}

// Texts of every kind in every alignment, fonts of several heights and faces, colours, borders, margins, a merged
// block, a hidden cell, texts wider than their cells and a selection. Under Wine an underline or a strike-out runs
// past its text's clip, so without them the painter may take shortcuts it must not take with them.
void MixedCells(XLGrid *grid, bool decorated) {
    XLGridData &data = *grid->Data;
    const std::int32_t widths[] = {64, 45, 90, 57, 70, 33, 80, 70};
    for (std::int32_t c = 0; c < 8; ++c)
        SetColWidth(grid, c, widths[c]);
    const std::int32_t heights[] = {20, 19, 26, 17, 31, 20, 22, 15, 40, 21, 20, 18, 23, 20};
    for (std::int32_t r = 0; r < 14; ++r)
        SetRowHeight(grid, r, heights[r]);
    const std::uint32_t colors[] = {RGB(255, 255, 255), RGB(230, 240, 255), 0x80000005, RGB(255, 250, 220)};
    struct FontCase {
        LONG Height;
        const char *Face;
        std::uint8_t Style;
        std::uint32_t Color;
    } fonts[] = {{-8, "Tahoma", 0, RGB(0, 0, 0)},
                 {-11, "Tahoma", FontStyle::Bold, RGB(0, 90, 0)},
                 {-13, "MS Sans Serif", FontStyle::Italic, 0x80000008},
                 {17, "Tahoma", FontStyle::Underline, RGB(200, 0, 0)},
                 {-21, "MS Sans Serif", FontStyle::Bold, RGB(0, 0, 128)},
                 {-15, "Tahoma", FontStyle::StrikeOut | FontStyle::Italic, RGB(90, 90, 90)}};
    for (std::int32_t r = 0; r < 14; ++r)
        for (std::int32_t c = 0; c < 8; ++c) {
            XLCell *cell = Cell(grid, c, r);
            char text[16];
            std::snprintf(text, sizeof text, "r%dc%d%s", int(r), int(c), c % 2 ? " Wg" : "");
            SetText(cell, text);
            cell->CellColor = colors[(r + c) % 4];
            cell->HAlign = static_cast<HAlign>((r + c) % 3);
            cell->VAlign = static_cast<VAlign>((r * 2 + c) % 3);
            if ((r * 3 + c) % 4 != 0) {
                const FontCase &f = fonts[(r + 2 * c) % 6];
                const std::uint8_t lines = FontStyle::Underline | FontStyle::StrikeOut;
                SetFont(cell, f.Height, f.Face, decorated ? f.Style : f.Style & ~lines, f.Color);
            }
            cell->MarginLeft = (r + c) % 4;
            cell->MarginTop = r % 3;
            cell->MarginRight = c % 3;
            cell->MarginBottom = (r * c) % 2;
        }
    for (auto [c, r] : {std::pair{1, 2}, {3, 4}, {6, 8}, {0, 12}}) {
        SetText(Cell(grid, c, r), "a long text that wraps over several lines");
        Cell(grid, c, r)->WordWrap = true;
    }
    SetText(Cell(grid, 0, 3), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    SetText(Cell(grid, 1, 3), "\xE9t\xE9");
    SetText(Cell(grid, 7, 1), "a&b\tc");
    SetText(Cell(grid, 4, 4), "");
    for (std::int32_t r : {1, 2, 5}) {
        XLCell *wide = Cell(grid, 5, r);
        SetText(wide, "this text is wider than its cell");
        wide->HAlign = r == 2 ? HAlign::Right : HAlign::Center;
        wide->VAlign = static_cast<VAlign>(r % 3);
    }
    Cell(grid, 2, 5)->BorderLeft = {RGB(200, 0, 0), 3};
    Cell(grid, 3, 5)->BorderRight = {RGB(0, 150, 0), 2};
    Cell(grid, 4, 6)->BorderTop = {RGB(0, 0, 200), 4};
    Cell(grid, 4, 7)->BorderBottom = {RGB(0, 0, 200), 0};
    Cell(grid, 0, 9)->BorderLeft = {RGB(120, 0, 120), 5};
    Merge(grid, 2, 9, 1, 2);
    SetText(Cell(grid, 2, 9), "merged block");
    Cell(grid, 2, 9)->HAlign = HAlign::Center;
    Cell(grid, 2, 9)->VAlign = VAlign::Center;
    Cell(grid, 5, 11)->Visible = false;
    const std::string titles[] = {"A", "Bb", "Title C", "&D", "E", "F wide title", "G", "H"};
    SetColTitles(grid, titles);
    for (std::int32_t r = 0; r < 14; ++r)
        data.RowTitles->Put(r, std::to_string(r + 1));
    data.SelColor = RGB(20, 60, 120);
    data.SelTextColor = RGB(255, 255, 0);
    data.SelFrameColor = RGB(230, 120, 0);
    SetSelection(grid, {3, 6, 5, 8});
    data.CurCol = 6;
    data.CurRow = 2;
}

// What the viewer shows: default colours, borders and font, left and vertically centred single lines.
void PlainTexts(XLGrid *grid) {
    for (std::int32_t r = 0; r < 20; ++r)
        for (std::int32_t c = 0; c < 8; ++c)
            SetText(Cell(grid, c, r), "value " + std::to_string(r * 8 + c));
    grid->Data->CurCol = 2;
    grid->Data->CurRow = 3;
}

// An owner that draws some cells and titles itself with the canvas's tools as the grid leaves them.
void OwnerDrawn(XLGrid *grid) {
    PlainTexts(grid);
    SetColWidth(grid, 1, 90);
    Cell(grid, 1, 2)->CellColor = RGB(255, 230, 230);
    SetFont(Cell(grid, 1, 4), -14, "Tahoma", FontStyle::Italic, RGB(0, 0, 200));
    auto draw = [](void *, ObjectBase *, std::int32_t col, std::int32_t row, XLCell *, Canvas *canvas, RECT &rect,
                   bool selected, bool focused, bool &handled) {
        if ((col + (row < 0 ? 0 : row)) % 3 != 1)
            return;
        HBRUSH brush = CreateSolidBrush(ColorToRGB(canvas->Brush()->Settings.Color) ^ 0x404040);
        const RECT mark{rect.left + 2, rect.top + 2, rect.left + 8, rect.top + 8};
        if (const HDC dc = canvas->RequireState(CanvasState::DC | CanvasState::Font)) {
            FillRect(dc, &mark, brush);
            RECT text{rect.left + 10, rect.top, rect.right, rect.bottom};
            const std::string own = std::string("own") + (selected ? " s" : "") + (focused ? " f" : "") +
                                    (canvas->Brush()->Settings.Brush.BrushStyle == BrushStyleKind::Clear ? " c" : "");
            DrawTextA(dc, own.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        }
        DeleteObject(brush);
        handled = row >= 0;
    };
    grid->Data->OnDrawCell = {draw, nullptr};
    grid->Data->OnDrawTitle = {draw, nullptr};
    SetSelection(grid, {0, 5, 2, 6});
}

struct Scene {
    const char *Name;
    GridOptions Options;
    std::uint8_t Style;
    std::uint16_t Cols, Rows;
    std::function<void(XLGrid *)> Build;
    // Band digests of the picture (Wine, then native) and, natively, of the text draws.
    const char *Wine;
    const char *Native;
    const char *NativeText;
};

const Scene Scenes[] = {
    {"mixed cells, highlighted selection", GridOption::RangeSelect, 1, 8, 14,
     [](XLGrid *grid) { MixedCells(grid, true); },
     "cc4eb7a4 ce59c294 d860b934 2e6ba8c4 02f3c0b3 87fcf228 e309fc83 f60a828d 1b42fc16 a558cc0a",
     "ccedd5c8 8ca8a5ac 9034aead df9c73a5 3d7cba55 b4e1da69 8c96037c 712023b3 8dac5051 3b18c9a9", "30a4545f"},
    {"mixed cells without underlines or strike-outs", GridOption::RangeSelect, 1, 8, 14,
     [](XLGrid *grid) { MixedCells(grid, false); },
     "cc4eb7a4 710b22eb d860b934 ae0ad8a8 bbf0e3ea 722720f4 dcc3fa2f f60a828d 1830706d 7598c4fa",
     "ccedd5c8 8ca8a5ac 9034aead df9c73a5 3d7cba55 b4e1da69 8c96037c 712023b3 8dac5051 3b18c9a9", "297db237"},
    {"mixed cells, inverted selection, scrolled", GridOption::RangeSelect, 0, 8, 14,
     [](XLGrid *grid) {
         MixedCells(grid, true);
         grid->SetColor(RGB(255, 255, 255));
         SetTopRow(grid, 2);
         SetLeftCol(grid, 1);
     },
     "0776a32b 2e27753c 2f910660 9a4dc878 51c0407f c96e35df 0f1b7237 f248c2af ce801ff5 648d7a45",
     "1a99a559 94d8f171 3863d520 bbd5bf6f 252b44c5 b52bf381 0b75ab71 bd59e31d 2517cafc 7cf11a50", "5a491950"},
    {"the viewer's plain texts", 0x7C, 1, 8, 20, PlainTexts,
     "97150990 14de16f9 2a6cde00 b5d43a0d 661ecf9e 4075b6da 28673817 a7ff3167 110988c9 e8f40e2a",
     "1aabc9ec 9f0c7ad5 de995eb5 af132a35 d1ec8ddc 829c2a75 d1ec8ddc 829c2a75 d1ec8ddc 829c2a75", "b6002ee9"},
    {"plain texts, current cell selected", GridOption::RangeSelect | GridOption::SelectCurrent, 1, 8, 20,
     [](XLGrid *grid) {
         PlainTexts(grid);
         SetSelection(grid, {1, 1, 3, 4});
     },
     "c1eff175 b0d4314f 976fd838 41b054a3 661ecf9e 4075b6da 28673817 a7ff3167 110988c9 e8f40e2a",
     "48bc7ee9 ed8569d5 520ca230 8f33f3d5 d1ec8ddc 829c2a75 d1ec8ddc 829c2a75 d1ec8ddc 829c2a75", "15ca2534"},
    {"an owner draws cells and titles", GridOption::RangeSelect, 1, 8, 20, OwnerDrawn,
     "94cc8041 ed59c9ac 29638ee3 83363b7f 7e8846e4 fa38a4a4 b11a80bc 02a3ad26 577d9da2 8f111d0b",
     "f40d9500 da495d8c b7f14e52 0eca6d68 04d457b9 fd1b2269 672335dc da495d8c 672335dc da495d8c", "56edc59f"},
};

#ifdef _WIN32
bool OnWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }
#endif

class GridPaintGolden : public GridTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(GridPaintGolden, PaintLooksAsRecorded) {
#ifdef _WIN32
    if (!OnWine())
        GTEST_SKIP() << "the recorded pictures are Wine's rendering";
#endif
    const Scene &scene = Scenes[GetParam()];
    PixelSurface surface(Width, Height, RGB(1, 2, 3));
    XLGrid *grid = MakeGrid(scene.Cols, scene.Rows, scene.Options, scene.Style, Width, Height);
    scene.Build(grid);
#ifndef _WIN32
    headless::ClearTextDraws();
#endif
    SendMessageA(grid->Handle, WM_PAINT, reinterpret_cast<WPARAM>(surface.DC()), 0);
    const std::string pixels = PixelDigests(surface);
    // To see a picture that changed: GRID_PAINT_PICTURES names a folder that gets every scene as scene-N.ppm.
    if (const char *folder = std::getenv("GRID_PAINT_PICTURES")) {
        EXPECT_TRUE(surface.WritePpm(std::string(folder) + "/scene-" + std::to_string(GetParam()) + ".ppm"));
    }
#ifdef _WIN32
    EXPECT_EQ(pixels, scene.Wine) << scene.Name;
#else
    EXPECT_EQ(pixels, scene.Native) << scene.Name;
    EXPECT_EQ(TextDigest(), scene.NativeText) << scene.Name;
#endif
}

INSTANTIATE_TEST_SUITE_P(Scenes, GridPaintGolden, ::testing::Range<std::size_t>(0, std::size(Scenes)));

} // namespace
