#include "toolkit/objects/TextEncoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, RecognisesUtf8) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain.db"));
    EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9"));       // é
    EXPECT_TRUE(IsValidUtf8("\xE2\x82\xAC"));      // €
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));  // an emoji outside the BMP
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));          // ANSI é
    EXPECT_FALSE(IsValidUtf8("\xC3"));             // cut short at the end
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // cut short at the end
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
}

TEST(TextEncoding, HostTextsBecomeUtf8) {
    EXPECT_EQ(HostTextToUtf8("C:\\data\\a.db"), "C:\\data\\a.db");
    EXPECT_EQ(HostTextToUtf8("caf\xC3\xA9.db"), "caf\xC3\xA9.db");
    EXPECT_EQ(HostTextToUtf8("caf\xE9.db"), "caf\xC3\xA9.db");
    EXPECT_EQ(HostTextToUtf8(""), "");
}

TEST(TextEncoding, WideTextsAreUtf16) {
    EXPECT_EQ(Utf8ToWide("caf\xC3\xA9"), std::wstring(L"caf\u00E9"));
    const std::wstring emoji = Utf8ToWide("\xF0\x9F\x98\x80");
    ASSERT_EQ(emoji.size(), 2u);
    EXPECT_EQ(static_cast<unsigned>(emoji[0]), 0xD83Du);
    EXPECT_EQ(static_cast<unsigned>(emoji[1]), 0xDE00u);
}
