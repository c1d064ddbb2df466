// openbase: the status lines, the path's character set, the notification click, and the result texts before a run.
#include "db/Database.h"
#include "db/NotifyHost.h"
#include "db/ResultTexts.h"
#include "db/SharedState.h"
#include "plugin/PluginExports.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

// The messages waiting in the calling thread's queue (the host window is one of
// its windows), taken out of it.
std::vector<MSG> TakeQueue() {
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        taken.push_back(msg);
    return taken;
}

class OpenDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        TakeQueue();
        HostWindow = CreateWindowExA(0, "BUTTON", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ViewRect = {};
    }
    void TearDown() override {
        DestroyWindow(HostWindow);
        HostWindow = nullptr;
        TakeQueue();
        ViewRect = {};
    }

    // openbase on a path: the status line and the one click it must post.
    std::string Open(const std::string &path) {
        SetFile(path.c_str());
        openbase();
        const std::vector<MSG> posted = TakeQueue();
        EXPECT_EQ(posted.size(), 2u);
        if (posted.size() == 2) {
            EXPECT_EQ(posted[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
            EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(MK_LBUTTON));
            EXPECT_EQ(posted[1].message, static_cast<UINT>(WM_LBUTTONUP));
            EXPECT_EQ(posted[1].wParam, 0u);
            EXPECT_EQ(posted[0].lParam, posted[1].lParam);
            EXPECT_EQ(posted[0].hwnd, HostWindow);
        }
        return GetFile();
    }

    TempDir Dir;
};

void MakeDatabase(const std::string &path) {
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "create table t(a); insert into t values(1);", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

} // namespace

TEST_F(OpenDatabase, StatusLinesByteForByte) {
    const std::string db = Dir.File("sample.db");
    MakeDatabase(db);
    EXPECT_EQ(Open(db), "select db ok\r\n");

    const std::string text = Dir.File("notes.txt");
    WriteFile(text, std::string(2048, 'n'));
    EXPECT_EQ(Open(text), "error select db\r\n");

    EXPECT_EQ(Open(Dir.File("new.db")), "select db ok\r\n") << "a missing file in an existing folder is created";
    EXPECT_EQ(Open(Dir.File("missing/folder/x.db")), "no open db\r\n");
    EXPECT_EQ(Open(""), "select db ok\r\n") << "an empty name is a private temporary database";
    const std::string folder = Dir.File("folder");
    std::filesystem::create_directory(Dir.Path() / "folder");
    EXPECT_NE(Open(folder), "select db ok\r\n") << "a folder is no database";
}

TEST_F(OpenDatabase, NewestConnectionWinsAndStaysUsable) {
    const std::string first = Dir.File("first.db"), second = Dir.File("second.db");
    MakeDatabase(first);
    MakeDatabase(second);
    Open(first);
    sqlite3 *firstHandle = DbHandle;
    Open(second);
    ASSERT_NE(DbHandle, nullptr);
    EXPECT_NE(DbHandle, firstHandle);
    EXPECT_STREQ(sqlite3_db_filename(DbHandle, "main"),
                 std::filesystem::path(std::u8string(second.begin(), second.end())).string().c_str());
    EXPECT_EQ(sqlite3_exec(DbHandle, "select * from t", nullptr, nullptr, nullptr), SQLITE_OK);
}

TEST_F(OpenDatabase, AnsiPathOpensTheFileItNames) {
    // A folder "dé" on disk, named by the host in the ANSI code page: read as
    // UTF-8 unchanged, the path would name a folder that does not exist.
    const auto folder = Dir.Path() / std::filesystem::path(u8"d\u00E9");
    std::filesystem::create_directory(folder);
    const std::string ansiPath =
        Dir.File("d") + "\xE9" + static_cast<char>(std::filesystem::path::preferred_separator) + "a.db";
    EXPECT_EQ(Open(ansiPath), "select db ok\r\n");
    ASSERT_EQ(sqlite3_exec(DbHandle, "create table made(x)", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_TRUE(std::filesystem::exists(folder / "a.db"));
}

TEST_F(OpenDatabase, ClickCarriesViewerCorner) {
    ViewRect = {10, 20, 300, 200};
    Open(Dir.File("a.db"));
    SetFile("");
    openbase();
    const std::vector<MSG> posted = TakeQueue();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].lParam, static_cast<LPARAM>(20 * 65536 + 10));
    EXPECT_EQ(posted[0].hwnd, HostWindow);
}

// Posted to no window, the click would be a thread message that a host's loop may take for a real one.
TEST_F(OpenDatabase, WithoutAHostWindowNothingIsPosted) {
    DestroyWindow(HostWindow);
    HostWindow = nullptr;
    SetFile(Dir.File("a.db").c_str());
    openbase();
    EXPECT_STREQ(GetFile(), "select db ok\r\n");
    EXPECT_TRUE(TakeQueue().empty());
}

TEST(NotifyPoint, WrapsInThirtyTwoBits) {
    EXPECT_EQ(NotifyPoint(10, 20), static_cast<LPARAM>(20 * 65536 + 10));
    EXPECT_EQ(NotifyPoint(-1, 1), static_cast<LPARAM>(65535)) << "a negative Left borrows from Top";
    EXPECT_EQ(NotifyPoint(70000, 0), static_cast<LPARAM>(70000)) << "Left is not masked";
    EXPECT_EQ(NotifyPoint(0, 0x8000), static_cast<LPARAM>(static_cast<std::int32_t>(0x80000000u)));
    EXPECT_EQ(NotifyPoint(5, 0x10001), static_cast<LPARAM>(0x10005)) << "Top wraps past 32 bits";
}

TEST(ResultTexts, FetchingBeforeAnyRunGivesEmptyText) {
    SetFile("select 1");
    gettituls();
    ASSERT_NE(GetFile(), nullptr);
    EXPECT_STREQ(GetFile(), "");
    SetFile("select 1");
    getrows();
    EXPECT_STREQ(GetFile(), "");
}
