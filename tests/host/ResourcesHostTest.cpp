// The DLL's own resources: the column-resize cursor 32765 and the icon MAINICON.
#include "plugin/ProductInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        Dll = LoadLibraryExA(PLUGIN_FILE_NAME, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(Dll, nullptr);
    }
    void TearDown() override { FreeLibrary(Dll); }
    HMODULE Dll = nullptr;
};

// A monochrome cursor's mask bitmap is its AND mask above its XOR mask, one bit per pixel, most significant first.
struct MonoCursor {
    std::vector<BYTE> Bits;
    int Stride = 0;
    int Size = 0;
    bool Bit(int x, int y) const { return Bits[y * Stride + x / 8] & (0x80 >> (x % 8)); }
    bool Transparent(int x, int y) const { return Bit(x, y) && !Bit(x, y + Size); }
    bool Black(int x, int y) const { return !Bit(x, y) && !Bit(x, y + Size); }
};

TEST_F(Resources, TheResizeCursorIsADoubleArrowThroughTwoBarsWithItsHotSpotOnTheShaft) {
    const auto cursor = static_cast<HCURSOR>(LoadImageA(Dll, MAKEINTRESOURCEA(32765), IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 16u);
    EXPECT_EQ(info.yHotspot, 14u);
    EXPECT_EQ(info.hbmColor, nullptr) << "monochrome";
    BITMAP mask{};
    ASSERT_TRUE(GetObjectA(info.hbmMask, sizeof mask, &mask));
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64);

    MonoCursor shape{std::vector<BYTE>(static_cast<size_t>(mask.bmWidthBytes) * 64), mask.bmWidthBytes, 32};
    ASSERT_TRUE(GetBitmapBits(info.hbmMask, static_cast<LONG>(shape.Bits.size()), shape.Bits.data()));
    EXPECT_TRUE(shape.Black(16, 14)) << "the hot spot is on the shaft";
    EXPECT_TRUE(shape.Black(5, 14)) << "left arrow";
    EXPECT_TRUE(shape.Black(26, 14)) << "right arrow";
    EXPECT_TRUE(shape.Black(14, 7) && shape.Black(17, 7) && shape.Black(14, 21) && shape.Black(17, 21)) << "bars";
    EXPECT_TRUE(shape.Transparent(0, 0) && shape.Transparent(31, 31) && shape.Transparent(16, 28));
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
}

TEST_F(Resources, TheMainIconIsThere) {
    const auto icon = static_cast<HICON>(LoadImageA(Dll, "MAINICON", IMAGE_ICON, 0, 0, 0));
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
}

} // namespace
