#include "db/SharedState.h"
#include "plugin/PluginExports.h"

#include <gtest/gtest.h>

#include <string>

TEST(Exports, GetFileIsNeverNullAndRoundTripsLongTexts) {
    SetFile(nullptr);
    ASSERT_NE(GetFile(), nullptr);
    EXPECT_STREQ(GetFile(), "");

    std::string text(300, 'x');
    text[0] = 'a', text[299] = 'z';
    SetFile(text.c_str());
    text[1] = 'y'; // the host may change or free its text after the call
    EXPECT_EQ(std::string(GetFile()), std::string("a") + std::string(298, 'x') + "z");
}

TEST(Exports, StoreAndHandBackData) {
    int marker = 0;
    EXPECT_EQ(GetData(), nullptr);
    SetData(&marker);
    EXPECT_EQ(GetData(), &marker);
    SetData(nullptr);
    EXPECT_EQ(CreateObject(), nullptr);
    EXPECT_EQ(HasIntDlg(), 1);

    SetPath("C:\\plugins");
    EXPECT_EQ(PathText, "C:\\plugins");
    SetPath(nullptr);
    EXPECT_EQ(PathText, "");
}

TEST(Exports, InformationTexts) {
    EXPECT_STREQ(GetShortInfo(), "Tessaro sqlite plugin");
    const std::string info = GetInfo();
    EXPECT_EQ(info.rfind("Tessaro sqlite Vexlet SDK\r\n", 0), 0u);
    int lines = 0;
    for (std::size_t at = 0; (at = info.find("\r\n", at)) != std::string::npos; at += 2)
        ++lines;
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(info.substr(info.size() - 2), "\r\n");
    EXPECT_EQ(info.find('\n'), info.find("\r\n") + 1) << "every line ends in CR LF";
    EXPECT_GT(std::string(Copyright()).size(), 0u);
    EXPECT_EQ(std::string(Copyright()).find('\n'), std::string::npos);
}
