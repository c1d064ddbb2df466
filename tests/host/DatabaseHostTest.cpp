// The real DLL driven the way the host drives it: LoadLibrary, exports by
// name, the notification click taken from the message queue.
#include "PluginLibrary.h"
#include "TestHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <vector>

namespace {

struct Click {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    HWND Window;
    std::string TextAtClick; // what GetFile returned when the click arrived
};

class DatabaseHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Plugin = new PluginLibrary;
        LoadError = Plugin->Load(PLUGIN_FILE_NAME);
        Host = MakeHostWindow("database host");
        if (LoadError.empty())
            Plugin->SetParentWindow(Host);
    }
    static void TearDownTestSuite() { delete Plugin; }
    void SetUp() override { ASSERT_EQ(LoadError, ""); }

    // Waits (in real time) for the notification pair and reads GetFile as a host does.
    std::vector<Click> AwaitClicks() {
        std::vector<Click> clicks;
        const DWORD start = GetTickCount();
        while (clicks.size() < 2 && GetTickCount() - start < 2000) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                if (msg.hwnd == Host && (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP))
                    clicks.push_back({msg.message, msg.wParam, msg.lParam, msg.hwnd, Plugin->GetFile()});
                else
                    DispatchMessageA(&msg);
            Sleep(1);
        }
        return clicks;
    }

    std::string OpenAndAwait(const std::string &path) {
        Plugin->SetFile(path.c_str());
        Plugin->openbase();
        const std::vector<Click> clicks = AwaitClicks();
        EXPECT_EQ(clicks.size(), 2u) << path;
        if (clicks.size() != 2)
            return "(no click)";
        EXPECT_EQ(clicks[0].Message, static_cast<UINT>(WM_LBUTTONDOWN));
        EXPECT_EQ(clicks[0].WParam, static_cast<WPARAM>(MK_LBUTTON));
        EXPECT_EQ(clicks[1].Message, static_cast<UINT>(WM_LBUTTONUP));
        EXPECT_EQ(clicks[1].WParam, 0u);
        // Before Draw the pair goes to the host window at (0, 0).
        EXPECT_EQ(clicks[0].LParam, 0);
        EXPECT_EQ(clicks[1].LParam, 0);
        EXPECT_EQ(clicks[0].Window, Host);
        EXPECT_EQ(clicks[0].TextAtClick, Plugin->GetFile()) << "the message is in place before the click";
        return Plugin->GetFile();
    }

    static PluginLibrary *Plugin;
    static std::string LoadError;
    static HWND Host;
    TempDir Dir;
};

PluginLibrary *DatabaseHost::Plugin = nullptr;
HWND DatabaseHost::Host = nullptr;
std::string DatabaseHost::LoadError;

void MakeDatabase(const std::string &utf8Path) {
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(utf8Path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "create table t(a, b); insert into t values(1, 'x');", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
}

} // namespace

TEST_F(DatabaseHost, EveryStatusLineByteForByte) {
    const std::string db = Dir.File("sample.db");
    MakeDatabase(db);
    EXPECT_EQ(OpenAndAwait(db), "select db ok\r\n");

    const std::string text = Dir.File("readme.txt");
    WriteFile(text, std::string(4096, 'r'));
    EXPECT_EQ(OpenAndAwait(text), "error select db\r\n");

    EXPECT_EQ(OpenAndAwait(Dir.File("fresh.db")), "select db ok\r\n");
    EXPECT_EQ(OpenAndAwait(Dir.File("no\\such\\folder\\x.db")), "no open db\r\n");
    EXPECT_EQ(OpenAndAwait(""), "select db ok\r\n");
    std::filesystem::create_directory(Dir.Path() / "folder");
    EXPECT_NE(OpenAndAwait(Dir.File("folder")), "select db ok\r\n");
}

TEST_F(DatabaseHost, NonAsciiAnsiPath) {
    // "café.db" written by the host in its ANSI code page (é is 0xE9 there).
    const auto utf8Name = Dir.File("caf\xC3\xA9.db");
    MakeDatabase(utf8Name);
    EXPECT_EQ(OpenAndAwait(Dir.File("caf") + "\xE9.db"), "select db ok\r\n");
    // The existing file was opened, not a new one under a garbled name.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(Dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u);
    // The same path in UTF-8 opens it too.
    EXPECT_EQ(OpenAndAwait(utf8Name), "select db ok\r\n");
}

TEST_F(DatabaseHost, PlainExports) {
    ASSERT_NE(Plugin->GetFile(), nullptr);
    EXPECT_STREQ(Plugin->GetShortInfo(), "Tessaro sqlite plugin");
    EXPECT_EQ(Plugin->HasIntDlg(), 1);
    EXPECT_EQ(Plugin->CreateObject(), nullptr);
    Plugin->SetFile(nullptr);
    EXPECT_STREQ(Plugin->GetFile(), "");
    Plugin->gettituls();
    EXPECT_STREQ(Plugin->GetFile(), "");
    Plugin->SetPath(nullptr);
    int marker;
    Plugin->SetData(&marker);
    EXPECT_EQ(Plugin->GetData(), &marker);
}
