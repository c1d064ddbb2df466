#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/PixelSurface.h"
#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Green = RGB(0, 255, 0);

// The pixels of a bitmap handle, read back with GetDIBits as a top-down 32-bit picture.
std::vector<COLORREF> ReadBack(HBITMAP handle, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> raw(std::size_t(width) * height);
    HDC dc = CreateCompatibleDC(nullptr);
    const int lines = GetDIBits(dc, handle, 0, UINT(height), raw.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    std::vector<COLORREF> pixels;
    if (lines != height)
        return pixels;
    for (DWORD pixel : raw)
        pixels.push_back(FromDibPixel(pixel));
    return pixels;
}

void Fill(Bitmap *bitmap, const RECT &rect, COLORREF color) {
    Canvas *canvas = bitmap->Canvas();
    ASSERT_NE(canvas, nullptr);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(rect);
}

TEST(BitmapTest, TheDefaultFormatIsSixteenBitFiveSixFive) {
    Bitmap *bitmap = NewDIBitmap(3, 2, PixelFormat::Device);
    EXPECT_EQ(bitmap->PixelFormat, PixelFormat::Bits16);
    const BITMAPINFOHEADER &h = bitmap->DIBHeader->bmiHeader;
    EXPECT_EQ(h.biBitCount, 16);
    EXPECT_EQ(h.biCompression, BI_BITFIELDS);
    EXPECT_EQ(h.biHeight, 2); // bottom-up
    DWORD masks[3];
    std::memcpy(masks, bitmap->DIBHeader->bmiColors, sizeof masks);
    EXPECT_EQ(masks[0], 0xF800u);
    EXPECT_EQ(masks[1], 0x07E0u);
    EXPECT_EQ(masks[2], 0x001Fu);
    EXPECT_EQ(bitmap->GetScanLineSize(), 8u);
    EXPECT_EQ(bitmap->DIBSize, 16u);
    EXPECT_EQ(bitmap->Handle, nullptr) << "no GDI object before one is needed";

    Fill(bitmap, RECT{0, 0, 1, 1}, Green); // the top-left pixel, last row in memory
    EXPECT_TRUE(bitmap->BitsInSection);
    WORD pixel;
    std::memcpy(&pixel, static_cast<BYTE *>(bitmap->DIBBits) + 8, sizeof pixel);
    EXPECT_EQ(pixel, 0x07E0);
    ObjectBase::Free(bitmap);
    bitmap = NewDIBitmap(1, 1, PixelFormat::Custom);
    EXPECT_EQ(bitmap->PixelFormat, PixelFormat::Bits16);
    ObjectBase::Free(bitmap);
}

TEST(BitmapTest, AWidenedDDBKeepsItsPictureAndFillsTheRestWithTheBackground) {
    Bitmap *bitmap = NewDDBitmap(10, 4);
    Fill(bitmap, RECT{0, 0, 10, 4}, Red);
    Fill(bitmap, RECT{9, 0, 10, 4}, Green);
    EXPECT_EQ(bitmap->BkColor, Green) << "the background follows the canvas brush";
    bitmap->BkColor = Blue;
    bitmap->SetWidth(20);
    const std::vector<COLORREF> pixels = ReadBack(bitmap->GetHandle(), 20, 4);
    ASSERT_EQ(pixels.size(), 80u);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(pixels[y * 20 + 0], Red);
        EXPECT_EQ(pixels[y * 20 + 9], Green);
        EXPECT_EQ(pixels[y * 20 + 10], Blue);
        EXPECT_EQ(pixels[y * 20 + 19], Blue);
    }
    ObjectBase::Free(bitmap);
}

TEST(BitmapTest, SettingASizeToItsValueChangesNothing) {
    Bitmap *bitmap = NewDDBitmap(6, 5);
    const HBITMAP handle = bitmap->Handle;
    bitmap->SetWidth(6)->SetHeight(5)->SetHandleType(HandleKind::DDB);
    EXPECT_EQ(bitmap->Handle, handle);

    Bitmap *dib = NewDIBitmap(6, 5, PixelFormat::Bits32);
    void *bits = dib->DIBBits;
    dib->SetWidth(6)->SetHeight(5);
    EXPECT_EQ(dib->HandleType, HandleKind::DIB);
    EXPECT_EQ(dib->DIBBits, bits);
    EXPECT_EQ(dib->Handle, nullptr);
    ObjectBase::Free(dib);
    ObjectBase::Free(bitmap);
}

TEST(BitmapTest, AnEmptyBitmapHasNoCanvas) {
    for (Bitmap *bitmap : {NewBitmap(0, 0), NewBitmap(5, 0), NewDIBitmap(0, 3, PixelFormat::Bits32), NewDDBitmap(4, 0),
                           NewBitmap(4, 4) /* a record without pixels */}) {
        EXPECT_EQ(bitmap->Canvas(), nullptr);
        EXPECT_EQ(bitmap->GetHandle(), nullptr);
        ObjectBase::Free(bitmap);
    }
}

TEST(BitmapTest, ADIBDrawsFromMemoryAndMakesItsSectionWhenTheDeviceRefuses) {
    Bitmap *bitmap = NewDIBitmap(2, 2, PixelFormat::Bits32);
    auto *bits = static_cast<DWORD *>(bitmap->DIBBits);
    bits[0] = 0xFF0000; // bottom-left: red
    bits[3] = 0x0000FF; // top-right: blue
    PixelSurface target(4, 3);
    bitmap->Draw(target.DC(), 1, 1);
    EXPECT_EQ(bitmap->Handle, nullptr);
    EXPECT_EQ(target.Pixel(1, 2), Red);
    EXPECT_EQ(target.Pixel(2, 1), Blue);

    bitmap->Draw(nullptr, 0, 0); // StretchDIBits fails on a missing DC
    ASSERT_NE(bitmap->Handle, nullptr);
    EXPECT_TRUE(bitmap->BitsInSection);
    EXPECT_EQ(static_cast<DWORD *>(bitmap->DIBBits)[3], 0x0000FFu) << "the pixels moved into the section";
    ObjectBase::Free(bitmap);
}

TEST(BitmapTest, AFailedSectionIsReportedAndThePixelsStay) {
    Bitmap *bitmap = NewDIBitmap(2, 2, PixelFormat::Bits32);
    static_cast<DWORD *>(bitmap->DIBBits)[0] = 0x123456;
    bitmap->DIBHeader->bmiHeader.biBitCount = 7; // no such format
    void *bits = bitmap->DIBBits;
    EXPECT_EQ(bitmap->GetHandle(), nullptr);
    EXPECT_EQ(bitmap->Canvas(), nullptr);
    EXPECT_EQ(bitmap->FailureMessage.rfind("Can not create DIB section, error: ", 0), 0u) << bitmap->FailureMessage;
    EXPECT_LT(' ', bitmap->FailureMessage.back()) << "no line break at the end";
    EXPECT_EQ(bitmap->DIBBits, bits);
    EXPECT_EQ(static_cast<DWORD *>(bits)[0], 0x123456u);

    bitmap->DIBHeader->bmiHeader.biBitCount = 32;
    EXPECT_NE(bitmap->GetHandle(), nullptr);
    EXPECT_TRUE(bitmap->FailureMessage.empty());
    EXPECT_EQ(static_cast<DWORD *>(bitmap->DIBBits)[0], 0x123456u);
    ObjectBase::Free(bitmap);
}

TEST(BitmapTest, ConversionsKeepThePictureAtTheTopLeft) {
    Bitmap *bitmap = NewDIBitmap(4, 3, PixelFormat::Bits32);
    Fill(bitmap, RECT{0, 0, 4, 3}, Red);
    Fill(bitmap, RECT{0, 0, 1, 1}, Green);
    bitmap->SetWidth(5); // still a DIB: converted through GetDIBits
    EXPECT_EQ(bitmap->HandleType, HandleKind::DIB);
    EXPECT_EQ(bitmap->DIBHeader->bmiHeader.biWidth, 5);
    std::vector<COLORREF> pixels = ReadBack(bitmap->GetHandle(), 5, 3);
    ASSERT_EQ(pixels.size(), 15u);
    EXPECT_EQ(pixels[0], Green);
    EXPECT_EQ(pixels[2 * 5 + 3], Red);
    EXPECT_EQ(pixels[4], RGB(0, 0, 0)) << "the new column starts zeroed";

    bitmap->BkColor = Blue;
    bitmap->SetHeight(4); // a DIB whose height changes becomes a DDB
    EXPECT_EQ(bitmap->HandleType, HandleKind::DDB);
    EXPECT_EQ(bitmap->DIBBits, nullptr);
    pixels = ReadBack(bitmap->GetHandle(), 5, 4);
    ASSERT_EQ(pixels.size(), 20u);
    EXPECT_EQ(pixels[0], Green);
    EXPECT_EQ(pixels[2 * 5 + 3], Red);
    EXPECT_EQ(pixels[3 * 5 + 0], Blue);

    bitmap->SetHandleType(HandleKind::DIB);
    EXPECT_EQ(bitmap->PixelFormat, PixelFormat::Bits32);
    pixels = ReadBack(bitmap->GetHandle(), 5, 4);
    ASSERT_EQ(pixels.size(), 20u);
    EXPECT_EQ(pixels[0], Green);
    EXPECT_EQ(pixels[3 * 5 + 4], Blue);
    ObjectBase::Free(bitmap);
}

TEST(BitmapTest, DrawingAHandleCopiesTheWholePicture) {
    Bitmap *bitmap = NewDDBitmap(3, 2);
    Fill(bitmap, RECT{0, 0, 3, 2}, Red);
    Canvas *canvas = bitmap->Canvas();
    PixelSurface target(5, 4);
    bitmap->Draw(target.DC(), 2, 2);
    EXPECT_EQ(target.Pixel(2, 2), Red);
    EXPECT_EQ(target.Pixel(4, 3), Red);
    EXPECT_EQ(target.Pixel(1, 2), RGB(255, 255, 255));
    EXPECT_EQ(bitmap->Canvas(), canvas) << "the canvas is kept and the bitmap selected again";
    ObjectBase::Free(bitmap);
}

} // namespace
