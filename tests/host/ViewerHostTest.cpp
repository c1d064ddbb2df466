// The viewer through the real DLL in a real host window: embedding after the timer, placement, the backdrop,
// repainting after a query, grid input, notifications and the double-click. The library builds one viewer per load,
// so the suite keeps it loaded and runs in order.
#include "PluginLibrary.h"
#include "TestHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

class ViewerHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Never unloaded: the viewer's windows live in the host window for the rest of the process.
        Plugin = new PluginLibrary;
        LoadError = Plugin->Load(PLUGIN_FILE_NAME);
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

void DoubleClick(HWND grid) {
    PostMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 30));
    Pump(50);
}

void RunQuery(PluginLibrary &plugin, const char *sql) {
    plugin.SetFile(sql);
    plugin.sqlrun();
    EXPECT_STREQ(plugin.GetFile(), sql) << "the query ran";
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

TEST_F(ViewerHost, BackdropIsTheHostUnderTheFirstPlaceOnly) {
    ASSERT_NE(Form, nullptr);
    // Draw placed the viewer at (30, 40) before the timer and at (50, 60) after it: the backdrop comes from the
    // first place, as the host painted it then.
    std::string where;
    Pixels behind = FormPixelsBehindGrid(Form);
    ASSERT_EQ(behind.Width, 300);
    EXPECT_EQ(PatternMismatches(behind, 30, 40, FirstPhase, where), 0) << where;

    // Where the grid does not cover the form, in the margin around it, the user sees the backdrop.
    RedrawWindow(Form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    const Pixels shown = ClientPixels(Form);
    EXPECT_EQ(shown.At(0, 90), PatternAt(30, 130, FirstPhase));
    EXPECT_EQ(shown.At(299, 179), PatternAt(329, 219, FirstPhase));
    EXPECT_NE(shown.At(150, 90), PatternAt(180, 130, FirstPhase)) << "the grid covers the rest";

    // The host changes its picture and the viewer moves: no second snapshot is taken.
    patternPhase = SecondPhase;
    RedrawWindow(Host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_NE(Plugin->Draw(0, 70, 80, 300, 180), FALSE);
    Pump(100);
    const Pixels host = ClientPixels(Host);
    ASSERT_EQ(host.At(5, 5), PatternAt(5, 5, SecondPhase)) << "the host shows its new picture";
    behind = FormPixelsBehindGrid(Form);
    EXPECT_EQ(PatternMismatches(behind, 30, 40, FirstPhase, where), 0) << where;

    EXPECT_NE(Plugin->Draw(0, 50, 60, 300, 180), FALSE);
    Pump(50);
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

TEST_F(ViewerHost, QueryIntoTheShownViewerRepaintsTheGrid) {
    ASSERT_NE(Form, nullptr);
    HWND grid = GridOf(Form);
    Pump(100);
    RECT pending;
    ASSERT_FALSE(GetUpdateRect(grid, &pending, FALSE)) << "shown and painted";
    // Each run, not only the first after the grid was shown, leaves the grid to repaint with the new result.
    for (const char *sql : {"select 'first run', 1", "select 'second run', 2, 'more'", "select 'third'"}) {
        const Pixels before = ClientPixels(grid);
        RunQuery(*Plugin, sql);
        EXPECT_TRUE(GetUpdateRect(grid, &pending, FALSE)) << sql;
        Pump(100);
        EXPECT_FALSE(GetUpdateRect(grid, &pending, FALSE)) << sql;
        EXPECT_TRUE(ClientPixels(grid).Values != before.Values) << sql << ": the grid's pixels stayed";
    }
}

TEST_F(ViewerHost, KeysAndClicksChooseTheCellADoubleClickHandsOver) {
    ASSERT_NE(Form, nullptr);
    HWND grid = GridOf(Form);
    // Three columns of twelve rows, a0 b0 c0 ... a11 b11 c11: more rows than the viewer shows.
    RunQuery(*Plugin, "with recursive n(i) as (select 0 union all select i + 1 from n where i < 11) "
                      "select 'a' || i, 'b' || i, 'c' || i from n");
    Pump(50);
    // A double click anywhere, here on the corner title, hands over the current cell.
    auto current = [&] {
        PostMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        Pump(20);
        return std::string(Plugin->GetFile());
    };
    EXPECT_EQ(current(), "a0");

    struct Press {
        WPARAM Key;
        int Modifier;
        const char *Then;
    };
    BYTE keys[256]{};
    for (const Press press :
         {Press{VK_DOWN, 0, "a1"}, Press{VK_RIGHT, 0, "b1"}, Press{VK_END, 0, "c1"}, Press{VK_RIGHT, 0, "c1"},
          Press{VK_HOME, 0, "a1"}, Press{VK_END, VK_CONTROL, "c11"}, Press{VK_DOWN, 0, "c11"}, Press{VK_UP, 0, "c10"},
          Press{VK_HOME, VK_CONTROL, "a0"}, Press{VK_RIGHT, VK_SHIFT, "b0"}, Press{VK_DOWN, VK_CONTROL, "b11"}}) {
        if (press.Modifier)
            keys[press.Modifier] = 0x80;
        SetKeyboardState(keys);
        PostMessageA(grid, WM_KEYDOWN, press.Key, 1);
        Pump(20);
        keys[press.Modifier] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(current(), press.Then) << "key " << press.Key << " with " << press.Modifier;
    }

    // Ctrl+Down showed the last page; the scroll bar says which rows are on the screen.
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(grid, SB_VERT, &bar));
    EXPECT_EQ(bar.nMin, 0);
    EXPECT_EQ(bar.nMax, 11);
    EXPECT_GT(bar.nPos, 0);
    EXPECT_EQ(bar.nPos + static_cast<int>(bar.nPage), 12);

    // Cells lie after the 30-pixel title column in 70-pixel columns, below the 20-pixel title row in 20-pixel rows.
    auto text = [](char col, int row) { return std::string(1, col).append(std::to_string(row)); };
    auto at = [&](int col, int row) { return MAKELPARAM(30 + 70 * col + 35, 20 + 20 * (row - bar.nPos) + 10); };
    const int row = bar.nPos + 1;
    PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, at(2, row));
    PostMessageA(grid, WM_LBUTTONUP, 0, at(2, row));
    Pump(20);
    EXPECT_EQ(current(), text('c', row));
    // A press on a row title selects nothing here and leaves the current cell.
    PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, HIWORD(at(0, row + 2))));
    PostMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(10, HIWORD(at(0, row + 2))));
    Pump(20);
    EXPECT_EQ(current(), text('c', row));

    // The double click as the system delivers it: press, release, double click, release.
    received.clear();
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(grid, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at(1, row + 2));
    Pump(50);
    EXPECT_EQ(Plugin->GetFile(), text('b', row + 2));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].Window, Host);
    EXPECT_EQ(received[0].Message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(received[1].Message, static_cast<UINT>(WM_LBUTTONUP));
}

namespace {

// 15 columns of 40 rows, "r<row>c<col>": wider and longer than the viewer shows.
const std::string WideQuery = [] {
    std::string sql = "with recursive n(i) as (select 0 union all select i + 1 from n where i < 39) select ";
    for (int c = 0; c < 15; ++c)
        sql.append(c ? ", " : "").append("'r' || i || 'c").append(std::to_string(c)).append("'");
    return sql.append(" from n");
}();

// The current cell's text, handed over by a double click on the corner title.
std::string CurrentText(PluginLibrary &plugin, HWND grid) {
    PostMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    Pump(20);
    return plugin.GetFile();
}

void PressKey(HWND grid, WPARAM key, bool ctrl, bool shift) {
    BYTE keys[256]{};
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(grid, WM_KEYDOWN, key, 1);
    Pump(20);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// Where a scroll bar shows its lines: from the first, up to the last, or in between.
enum class Shown { First, Last, Between };

Shown BarShows(HWND grid, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(grid, bar, &info);
    if (info.nPos == 0)
        return Shown::First;
    return info.nPos + static_cast<int>(info.nPage) == info.nMax + 1 ? Shown::Last : Shown::Between;
}

} // namespace

// The viewer selects no ranges, so Shift changes nothing; Ctrl jumps to the edges and shows where it landed.
TEST_F(ViewerHost, CtrlAndShiftKeysMoveAndShowTheCurrentCell) {
    ASSERT_NE(Form, nullptr);
    HWND grid = GridOf(Form);
    RunQuery(*Plugin, WideQuery.c_str());
    Pump(50);
    struct Press {
        WPARAM Key;
        bool Ctrl, Shift;
        const char *Then;
        Shown Cols, Rows;
    };
    const Press presses[] = {
        {VK_RIGHT, true, false, "r0c14", Shown::Last, Shown::First},
        {VK_DOWN, true, false, "r39c14", Shown::Last, Shown::Last},
        {VK_LEFT, true, false, "r39c0", Shown::First, Shown::Last},
        {VK_UP, true, false, "r0c0", Shown::First, Shown::First},
        {VK_END, false, true, "r0c14", Shown::Last, Shown::First},
        {VK_HOME, false, true, "r0c0", Shown::First, Shown::First},
        {VK_DOWN, true, true, "r39c0", Shown::First, Shown::Last},
        {VK_RIGHT, true, true, "r39c14", Shown::Last, Shown::Last},
        {VK_UP, true, true, "r0c14", Shown::Last, Shown::First},
        {VK_LEFT, true, true, "r0c0", Shown::First, Shown::First},
        {VK_END, true, true, "r39c14", Shown::Last, Shown::Last},
        {VK_HOME, true, true, "r0c0", Shown::First, Shown::First},
    };
    for (const Press &p : presses) {
        SCOPED_TRACE(std::string("key ") + std::to_string(p.Key) + (p.Ctrl ? " ctrl" : "") + (p.Shift ? " shift" : ""));
        PressKey(grid, p.Key, p.Ctrl, p.Shift);
        EXPECT_EQ(CurrentText(*Plugin, grid), p.Then);
        EXPECT_EQ(BarShows(grid, SB_HORZ), p.Cols);
        EXPECT_EQ(BarShows(grid, SB_VERT), p.Rows);
    }
}

// Without range selection a drag carries the current cell along, scrolls it into view at the edges, and ends with
// the release even outside the window.
TEST_F(ViewerHost, DraggingMovesTheCurrentCellAndShowsIt) {
    ASSERT_NE(Form, nullptr);
    HWND grid = GridOf(Form);
    RunQuery(*Plugin, WideQuery.c_str());
    Pump(50);
    auto at = [](int col, int row) { return MAKELPARAM(30 + 70 * col + 35, 20 + 20 * row + 10); };
    PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, at(0, 0));
    PostMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, at(1, 2));
    PostMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, at(2, 3));
    Pump(20);
    EXPECT_EQ(CurrentText(*Plugin, grid), "r3c2");

    PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, at(2, 3));
    PostMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30 + 70 * 2 + 35, 1000));
    PostMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(30 + 70 * 2 + 35, 1000));
    Pump(20);
    EXPECT_EQ(CurrentText(*Plugin, grid), "r39c2");
    EXPECT_EQ(BarShows(grid, SB_VERT), Shown::Last) << "the last row is shown";

    // Released outside the window, the drag is over: moving the mouse over the cells changes nothing.
    PostMessageA(grid, WM_KEYDOWN, VK_HOME, 1);
    PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, at(0, 1));
    PostMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, at(1, 1));
    PostMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(-40, -40));
    PostMessageA(grid, WM_MOUSEMOVE, 0, at(2, 4));
    Pump(20);
    EXPECT_EQ(GetCapture(), nullptr);
    const std::string current = CurrentText(*Plugin, grid);
    EXPECT_EQ(current.substr(current.find('c')), "c1") << current;
    PostMessageA(grid, WM_MOUSEMOVE, 0, at(2, 5));
    Pump(20);
    EXPECT_EQ(CurrentText(*Plugin, grid), current);
}

// A new result is shown from its top-left cell whatever the last one's scroll position was: the grid looks as it
// does when the same query follows a result that was not scrolled.
TEST_F(ViewerHost, EveryResultStartsAtItsTopLeftCell) {
    ASSERT_NE(Form, nullptr);
    HWND grid = GridOf(Form);
    for (const char *sql :
         {"select 'x1' as a, 'y1' as b union all select 'x2', 'y2'", "select 1 as a, 2 as b where 0"}) {
        SCOPED_TRACE(sql);
        RunQuery(*Plugin, "select 1");
        RunQuery(*Plugin, sql);
        Pump(100);
        const Pixels unscrolled = ClientPixels(grid);

        RunQuery(*Plugin, WideQuery.c_str());
        Pump(50);
        PressKey(grid, VK_END, true, false);
        ASSERT_EQ(BarShows(grid, SB_HORZ), Shown::Last);
        RunQuery(*Plugin, sql);
        Pump(100);
        EXPECT_TRUE(ClientPixels(grid).Values == unscrolled.Values) << "the new result is shown from elsewhere";
        EXPECT_EQ(BarShows(grid, SB_HORZ), Shown::First);
        EXPECT_EQ(BarShows(grid, SB_VERT), Shown::First);
    }
    EXPECT_EQ(CurrentText(*Plugin, grid), "select 1 as a, 2 as b where 0") << "no rows, no cell to hand over";
    RunQuery(*Plugin, "select 'x1' as a, 'y1' as b");
    EXPECT_EQ(CurrentText(*Plugin, grid), "x1");
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
