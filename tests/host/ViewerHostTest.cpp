// The viewer through the real DLL in a real host window: embedding after the timer, placement, notifications and
// the double-click. The library builds one viewer per load, so the suite keeps it loaded and runs in order.
#include "PluginLibrary.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

struct Received {
    HWND Window;
    UINT Message;
    LPARAM LParam;
};
std::vector<Received> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        received.push_back({window, message, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeHostWindow(const char *title) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "ViewerTestHost";
        RegisterClassA(&windowClass);
        registered = true;
    }
    HWND window = CreateWindowExA(0, "ViewerTestHost", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 700, 500,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNA);
    return window;
}

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

RECT RectInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

class ViewerHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Never unloaded: the viewer's windows live in the host window for the rest of the process.
        Plugin = new PluginLibrary;
        LoadError = Plugin->Load("sqliteview.dll");
        Host = MakeHostWindow("first host");
    }
    void SetUp() override {
        ASSERT_EQ(LoadError, "");
        received.clear();
    }

    static PluginLibrary *Plugin;
    static std::string LoadError;
    static HWND Host;
    static HWND Form;
    TempDir Dir;
};
PluginLibrary *ViewerHost::Plugin = nullptr;
std::string ViewerHost::LoadError;
HWND ViewerHost::Host = nullptr;
HWND ViewerHost::Form = nullptr;

HWND GridOf(HWND form) { return FindWindowExA(form, nullptr, "obj_vornGrid", nullptr); }

void DoubleClick(HWND grid) {
    PostMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 30));
    Pump(50);
}

} // namespace

TEST_F(ViewerHost, EmbedsAfterTheTimerWhereDrawSaid) {
    EXPECT_EQ(Plugin->Draw(0, 1, 2, 3, 4), FALSE) << "no viewer yet";
    Plugin->SetParentWindow(Host);
    EXPECT_EQ(FindWindowExA(Host, nullptr, nullptr, "Form1"), nullptr) << "not in the host before the timer";
    HWND applet = FindWindowA(nullptr, "pluginreal");
    ASSERT_NE(applet, nullptr) << "a top-level host makes the pluginreal window";
    EXPECT_FALSE(IsWindowVisible(applet));
    Pump(100);
    EXPECT_NE(Plugin->Draw(0, 30, 40, 320, 200), FALSE);
    EXPECT_EQ(FindWindowExA(Host, nullptr, nullptr, "Form1"), nullptr);
    Pump(700);
    Form = FindWindowExA(Host, nullptr, nullptr, "Form1");
    ASSERT_NE(Form, nullptr) << "a child of the host about 500 ms later";
    EXPECT_TRUE(IsWindowVisible(Form));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(Form, GWL_STYLE)) & ~WS_VISIBLE, 0x46000000u);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(Form, GWL_EXSTYLE)), 0x00010000u);
    const RECT r = RectInParent(Form);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 320);
    EXPECT_EQ(r.bottom - r.top, 200);
    HWND grid = GridOf(Form);
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(IsWindowVisible(grid));

    // Later moves follow Draw; the timer does not fire again.
    EXPECT_NE(Plugin->Draw(0, 50, 60, 300, 180), FALSE);
    Pump(600);
    const RECT moved = RectInParent(Form);
    EXPECT_EQ(moved.left, 50);
    EXPECT_EQ(moved.top, 60);
    EXPECT_EQ(GetParent(Form), Host);
}

TEST_F(ViewerHost, DoubleClickHandsTheCurrentCellText) {
    ASSERT_NE(Form, nullptr);
    HWND grid = GridOf(Form);
    Plugin->SetFile("untouched");
    DoubleClick(grid);
    EXPECT_STREQ(Plugin->GetFile(), "untouched") << "before any query nothing changes";
    EXPECT_TRUE(received.empty());

    const std::string db = Dir.File("v.db");
    sqlite3 *made = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &made), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(made, "create table t(a, b); insert into t values('first', 'x'), (NULL, 'y');", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(made);
    Plugin->SetFile(db.c_str());
    Plugin->openbase();
    Pump(50);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].Window, Host);
    EXPECT_EQ(received[0].LParam, MAKELPARAM(50, 60)) << "the click lands at the viewer's corner";
    EXPECT_STREQ(Plugin->GetFile(), "select db ok\r\n");

    for (const auto &[sql, text] :
         {std::pair{"select a, b from t order by rowid", "first"}, std::pair{"select a from t where a is null", ""}}) {
        Plugin->SetFile(sql);
        Plugin->sqlrun();
        EXPECT_STREQ(Plugin->GetFile(), sql);
        Pump(50);
        received.clear();
        DoubleClick(grid);
        EXPECT_STREQ(Plugin->GetFile(), text) << sql;
        ASSERT_EQ(received.size(), 2u) << sql;
        EXPECT_EQ(received[0].Message, static_cast<UINT>(WM_LBUTTONDOWN));
        EXPECT_EQ(received[1].Message, static_cast<UINT>(WM_LBUTTONUP));
        EXPECT_EQ(received[0].Window, Host);
    }
}

TEST_F(ViewerHost, SecondParentRedirectsNotificationsOnly) {
    ASSERT_NE(Form, nullptr);
    HWND other = MakeHostWindow("second host");
    Plugin->SetParentWindow(other);
    Pump(700);
    EXPECT_EQ(GetParent(Form), Host) << "the viewer stays where it is";
    EXPECT_EQ(FindWindowExA(other, nullptr, nullptr, "Form1"), nullptr) << "no second viewer";
    Plugin->SetFile("selec nothing");
    Plugin->sqlrun();
    Pump(50);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].Window, other);
    EXPECT_STREQ(Plugin->GetFile(), "error query \r\n");
    Plugin->SetParentWindow(Host);
    DestroyWindow(other);
}
