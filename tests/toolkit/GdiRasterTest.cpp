// What the GDI calls the toolkit and the grid paint with put on the pixels.
// Run against real Win32 these pin down the behaviour the headless GDI must copy.
#include <gtest/gtest.h>

#include <cstring>

#include "support/PixelSurface.h"

namespace {

constexpr COLORREF Back = RGB(0x12, 0x34, 0x56);
constexpr COLORREF Inverse = RGB(0xED, 0xCB, 0xA9);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

const Legend Colours = {{Back, '.'}, {Inverse, 'X'}, {Red, 'r'}, {Green, 'g'}, {Blue, 'b'}, {White, 'w'}, {Black, 'k'}};

// Selects objects into a DC for one scope and deletes the ones it made.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object, bool owned = true) : Dc(dc), Object(object), Owned(owned) {
        Previous = SelectObject(dc, object);
    }
    ~Selection() {
        SelectObject(Dc, Previous);
        if (Owned)
            DeleteObject(Object);
    }

private:
    HDC Dc;
    HGDIOBJ Object, Previous;
    bool Owned;
};

TEST(GdiRasterTest, FillFrameAndInvert) {
    PixelSurface s(8, 6, Back);
    HBRUSH red = CreateSolidBrush(Red);
    RECT fill{1, 1, 4, 3};
    FillRect(s.DC(), &fill, red);
    RECT frame{0, 3, 5, 6};
    FrameRect(s.DC(), &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT empty{6, 3, 6, 6};
    FrameRect(s.DC(), &empty, red);
    RECT invert{2, 2, 7, 5};
    InvertRect(s.DC(), &invert);
    DeleteObject(red);
    const Legend legend = {{Back, '.'},  {Inverse, 'X'}, {Red, 'r'}, {RGB(0, 255, 255), 'c'},
                           {Black, 'k'}, {White, 'w'}};
    EXPECT_EQ(s.Draw(legend), (Picture{
                                  "........",
                                  ".rrr....",
                                  ".rccXXX.",
                                  "kkwwwXX.",
                                  "k.XXwXX.",
                                  "kkkkk...",
                              }));

    // A system colour index plus one stands for that colour's brush.
    PixelSurface window(2, 1, Back);
    RECT all{0, 0, 2, 1};
    FillRect(window.DC(), &all, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(window.Pixel(1, 0), GetSysColor(COLOR_WINDOW));
}

TEST(GdiRasterTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    PixelSurface s(16, 6, Back);
    Selection pen(s.DC(), CreatePen(PS_SOLID, 0, Red));
    Selection brush(s.DC(), CreateSolidBrush(Green));
    Rectangle(s.DC(), 0, 0, 5, 4);
    Rectangle(s.DC(), 8, 3, 6, 5); // corners given the wrong way round
    Rectangle(s.DC(), 10, 0, 11, 3);
    Rectangle(s.DC(), 12, 0, 12, 3); // empty
    SetROP2(s.DC(), R2_NOT);         // the pen and the brush both invert
    Rectangle(s.DC(), 12, 2, 16, 6);
    EXPECT_EQ(s.Draw(Colours), (Picture{
                                   "rrrrr.....r.....",
                                   "rgggr.....r.....",
                                   "rgggr.....r.XXXX",
                                   "rrrrr.rr....XXXX",
                                   "......rr....XXXX",
                                   "............XXXX",
                               }));
}

TEST(GdiRasterTest, AWidePenInvertsEachPixelOnceAndRoundsTheCorners) {
    // The grid frames its selection like this: width 5, R2_NOT, no brush.
    PixelSurface s(16, 15, Back);
    Selection pen(s.DC(), CreatePen(PS_SOLID, 5, Black));
    Selection brush(s.DC(), GetStockObject(NULL_BRUSH), false);
    SetROP2(s.DC(), R2_NOT);
    Rectangle(s.DC(), 4, 4, 12, 11);
    EXPECT_EQ(s.Draw(Colours), (Picture{
                                   "................",
                                   "................",
                                   "...XXXXXXXXXX...",
                                   "..XXXXXXXXXXXX..",
                                   "..XXXXXXXXXXXX..",
                                   "..XXXXXXXXXXXX..",
                                   "..XXXXXXXXXXXX..",
                                   "..XXXXX..XXXXX..",
                                   "..XXXXXXXXXXXX..",
                                   "..XXXXXXXXXXXX..",
                                   "..XXXXXXXXXXXX..",
                                   "..XXXXXXXXXXXX..",
                                   "...XXXXXXXXXX...",
                                   "................",
                                   "................",
                               }));
}

TEST(GdiRasterTest, FocusRectangleInvertsEveryOtherPixelAndUndoesItself) {
    PixelSurface s(14, 11, Back);
    RECT odd{3, 2, 13, 10};
    DrawFocusRect(s.DC(), &odd);
    const Picture once = s.Draw(Colours);
    EXPECT_EQ(once, (Picture{
                        "..............",
                        "..............",
                        "....X.X.X.X.X.",
                        "...X..........",
                        "............X.",
                        "...X..........",
                        "............X.",
                        "...X..........",
                        "............X.",
                        "...X.X.X.X.X..",
                        "..............",
                    }));
    DrawFocusRect(s.DC(), &odd);
    EXPECT_EQ(s.Pixel(4, 2), Back);
    EXPECT_EQ(s.Pixel(3, 9), Back);
}

TEST(GdiRasterTest, EdgesUseTheSystemColoursAndIgnoreTheRasterOperation) {
    PixelSurface s(14, 7, Back);
    SetROP2(s.DC(), R2_NOT);
    RECT raised{0, 0, 6, 5};
    DrawEdge(s.DC(), &raised, EDGE_RAISED, BF_RECT);
    RECT inner{7, 0, 11, 4};
    DrawEdge(s.DC(), &inner, BDR_RAISEDINNER, BF_RECT);
    RECT sunken{10, 3, 14, 7};
    DrawEdge(s.DC(), &sunken, BDR_SUNKENINNER, BF_RECT);
    const Legend legend = {{Back, '.'},
                           {GetSysColor(COLOR_BTNHIGHLIGHT), 'h'},
                           {GetSysColor(COLOR_3DLIGHT), 'l'},
                           {GetSysColor(COLOR_BTNSHADOW), 's'},
                           {GetSysColor(COLOR_3DDKSHADOW), 'd'}};
    EXPECT_EQ(s.Draw(legend), (Picture{
                                  "llllld.hhhs...",
                                  "lhhhsd.h..s...",
                                  "lh..sd.h..s...",
                                  "lssssd.sssdddl",
                                  "dddddd....d..l",
                                  "..........d..l",
                                  "..........llll",
                              }));
}

TEST(GdiRasterTest, BlockTransfersStayInsideTheSourceAndMapMonochrome) {
    PixelSurface s(12, 5, White);
    HDC dc = CreateCompatibleDC(nullptr);
    // Rows of a monochrome bitmap are padded to 16 bits; set bits are white.
    const WORD rows[2] = {0x00A0, 0x0050}; // 1010 / 0101, high bit leftmost
    HBITMAP mono = CreateBitmap(4, 2, 1, 1, rows);
    HGDIOBJ saved = SelectObject(dc, mono);
    SetTextColor(s.DC(), Red);
    SetBkColor(s.DC(), Blue);
    BitBlt(s.DC(), 0, 0, 8, 8, dc, 0, 0, SRCCOPY); // only the 4 x 2 that exist
    BitBlt(s.DC(), 6, 2, 4, 4, dc, -2, -1, SRCCOPY);

    HDC colourDc = CreateCompatibleDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(s.DC(), 4, 1);
    HGDIOBJ savedColour = SelectObject(colourDc, colour);
    BitBlt(colourDc, 0, 0, 4, 1, s.DC(), 0, 0, SRCCOPY);
    SetBkColor(colourDc, Blue); // colour to monochrome: the background colour turns white
    BitBlt(dc, 0, 0, 4, 1, colourDc, 0, 0, SRCCOPY);
    BitBlt(s.DC(), 0, 4, 4, 1, dc, 0, 0, SRCCOPY);

    EXPECT_EQ(s.Draw(Colours), (Picture{
                                   "brbrwwwwwwww",
                                   "rbrbwwwwwwww",
                                   "wwwwwwwwwwww",
                                   "wwwwwwwwbrww",
                                   "brbrwwwwrbww",
                               }));
    SelectObject(colourDc, savedColour);
    DeleteObject(colour);
    DeleteDC(colourDc);
    SelectObject(dc, saved);
    DeleteObject(mono);
    DeleteDC(dc);
}

TEST(GdiRasterTest, HatchesAndPatternsAlignToTheDeviceOrigin) {
    PixelSurface s(10, 8, White);
    HBRUSH cross = CreateHatchBrush(HS_DIAGCROSS, Red);
    SetBkColor(s.DC(), Blue);
    RECT left{0, 0, 8, 4};
    FillRect(s.DC(), &left, cross);
    SetBkMode(s.DC(), TRANSPARENT); // the gaps of a hatch stay as they were
    RECT below{0, 4, 8, 8};
    FillRect(s.DC(), &below, cross);
    DeleteObject(cross);

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP tile = CreateCompatibleBitmap(s.DC(), 2, 2);
    HGDIOBJ saved = SelectObject(dc, tile);
    SetPixel(dc, 0, 0, Green);
    SetPixel(dc, 1, 0, Black);
    SetPixel(dc, 0, 1, Black);
    SetPixel(dc, 1, 1, Green);
    SelectObject(dc, saved);
    DeleteDC(dc);
    HBRUSH pattern = CreatePatternBrush(tile);
    DeleteObject(tile); // the brush keeps its own copy
    RECT right{8, 1, 10, 4};
    FillRect(s.DC(), &right, pattern);
    DeleteObject(pattern);

    EXPECT_EQ(s.Draw(Colours), (Picture{
                                   "rbbbbbbrww",
                                   "brbbbbrbkg",
                                   "bbrbbrbbgk",
                                   "bbbrrbbbkg",
                                   "wwwrrwwwww",
                                   "wwrwwrwwww",
                                   "wrwwwwrwww",
                                   "rwwwwwwrww",
                               }));
}

TEST(GdiRasterTest, DibScanLinesLieOverTheBitmapFromItsTop) {
    HDC dc = CreateCompatibleDC(nullptr);
    PixelSurface screenLike(1, 1);
    HBITMAP bitmap = CreateCompatibleBitmap(screenLike.DC(), 2, 4);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2; // bottom-up: scan 0 is the lower row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const DWORD pixels[4] = {0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF}; // scan 0 red, scan 1 blue
    EXPECT_EQ(SetDIBits(dc, bitmap, 0, 2, pixels, &info, DIB_RGB_COLORS), 2);

    HGDIOBJ saved = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), Blue);
    EXPECT_EQ(GetPixel(dc, 0, 1), Red);
    SelectObject(dc, saved);

    DWORD back[4] = {};
    info.bmiHeader.biHeight = -2; // top-down: scan 0 is the upper row
    EXPECT_EQ(GetDIBits(dc, bitmap, 0, 2, back, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(FromDibPixel(back[0]), Blue);
    EXPECT_EQ(FromDibPixel(back[2]), Red);

    // StretchDIBits draws the same bottom-up picture the right way up.
    PixelSurface s(2, 2, White);
    info.bmiHeader.biHeight = 2;
    EXPECT_EQ(StretchDIBits(s.DC(), 0, 0, 2, 2, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(s.Pixel(1, 0), Blue);
    EXPECT_EQ(s.Pixel(1, 1), Red);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(GdiRasterTest, SixteenBitPixelsWidenByRepeatingTheirHighBits) {
    struct {
        BITMAPINFOHEADER Header;
        DWORD Masks[3];
    } info565{{sizeof(BITMAPINFOHEADER), 4, 1, 1, 16, BI_BITFIELDS, 0, 0, 0, 0, 0}, {0xF800, 0x07E0, 0x001F}};
    void *bits = nullptr;
    HBITMAP section =
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&info565), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    const WORD values[4] = {0xF800, 0x07E0, 0x8410, 0x0841};
    std::memcpy(bits, values, sizeof values);

    BITMAPINFO info32{};
    info32.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD out[4] = {};
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDIBits(dc, section, 0, 1, out, &info32, DIB_RGB_COLORS), 1);
    EXPECT_EQ(FromDibPixel(out[0]), RGB(255, 0, 0));
    EXPECT_EQ(FromDibPixel(out[1]), RGB(0, 255, 0));
    EXPECT_EQ(FromDibPixel(out[2]), RGB(0x84, 0x82, 0x84));
    EXPECT_EQ(FromDibPixel(out[3]), RGB(0x08, 0x08, 0x08));
    DeleteDC(dc);
    DeleteObject(section);
}

TEST(GdiRasterTest, ClippingLimitsDrawing) {
    PixelSurface s(8, 4, Back);
    HRGN left = CreateRectRgn(0, 0, 3, 4);
    HRGN right = CreateRectRgn(5, 0, 8, 4);
    HRGN both = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(both, left, right, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(SelectClipRgn(s.DC(), both), COMPLEXREGION);
    EXPECT_EQ(ExcludeClipRect(s.DC(), 0, 0, 8, 1), COMPLEXREGION);
    RECT box{};
    EXPECT_EQ(GetClipBox(s.DC(), &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.right, 8);
    EXPECT_EQ(box.bottom, 4);
    RECT all{0, 0, 8, 4};
    FillRect(s.DC(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectClipRgn(s.DC(), nullptr);
    SetPixel(s.DC(), 4, 0, Red);
    EXPECT_EQ(s.Draw(Colours), (Picture{
                                   "....r...",
                                   "kkk..kkk",
                                   "kkk..kkk",
                                   "kkk..kkk",
                               }));
    for (HRGN region : {left, right, both})
        DeleteObject(region);
}

TEST(GdiRasterTest, ASelectedObjectOutlivesItsDeletionUntilDeselected) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(Red);
    HGDIOBJ saved = SelectObject(dc, brush);
    DeleteObject(brush);
    EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
    SelectObject(dc, saved);
    EXPECT_EQ(GetObjectType(brush), 0u);
    DeleteDC(dc);
}

} // namespace
