// What the user sees, read from the X display itself: the viewer in a host window before and after a query and
// after Draw resizes it, and the settings dialog over it. A window's DC can hold the right pixels while the display
// shows none of them, so each look holds the display against the window's DC and against what must be there. The
// library builds one viewer per load: the suite keeps it and runs in order.
#include "DisplayCapture.h"
#include "PluginLibrary.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What a part of a window's client area must show: at least a share of one colour (none given: any colours, as a
// theme paints a button), and at least some pixels of others (text, edges; with no colour given, dark ones). A part
// that is mostly dark when its colour is not fails: that is what a window whose pixels never came looks like.
struct Region {
    const char *What;
    RECT Rect;
    COLORREF Main;
    int MainPercent;
    int MinOther;
};
constexpr COLORREF AnyColor = CLR_INVALID;

std::string Describe(COLORREF color) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

bool IsDark(COLORREF color) { return GetRValue(color) < 0x60 && GetGValue(color) < 0x60 && GetBValue(color) < 0x60; }

std::string RegionFaults(const Pixels &picture, const std::vector<Region> &regions) {
    std::string faults;
    for (const Region &region : regions) {
        if (region.Rect.right > picture.Width || region.Rect.bottom > picture.Height) {
            faults += std::string(region.What) + ": off the picture; ";
            continue;
        }
        int main = 0, other = 0, dark = 0, total = 0;
        for (int y = region.Rect.top; y < region.Rect.bottom; ++y)
            for (int x = region.Rect.left; x < region.Rect.right; ++x) {
                const COLORREF pixel = picture.At(x, y);
                ++total;
                dark += IsDark(pixel);
                if (pixel == region.Main)
                    ++main;
                else if (region.Main != AnyColor || IsDark(pixel))
                    ++other;
            }
        const bool mostlyDark = dark * 2 > total && !(region.Main != AnyColor && IsDark(region.Main));
        if (main * 100 < region.MainPercent * total || other < region.MinOther || mostlyDark)
            faults += std::string(region.What) + ": " + std::to_string(main) + " of " + std::to_string(total) +
                      " pixels " + (region.Main == AnyColor ? std::string("of its colour") : Describe(region.Main)) +
                      ", " + std::to_string(other) + " others, " + std::to_string(dark) + " dark; ";
    }
    return faults;
}

// The display's pixels under a window's client area.
bool DisplayPixels(HWND window, Pixels &shown) {
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&client), 2);
    const std::string path = "display-" + std::to_string(GetCurrentProcessId()) + ".ppm";
    const bool read = CaptureDisplay(DISPLAY_CAPTURE_SCRIPT, client, path) && ReadPpm(path, shown);
    DeleteFileA(path.c_str());
    return read && shown.Width == client.right - client.left && shown.Height == client.bottom - client.top;
}

// One look: empty when the display shows what the window drew, and that holds the regions.
std::string DisplayFaults(HWND window, const std::vector<Region> &regions) {
    Pixels shown;
    if (!DisplayPixels(window, shown))
        return "no picture of the display";
    const Pixels drawn = ClientPixels(window);
    if (drawn.Width != shown.Width || drawn.Height != shown.Height)
        return "the window's size changed while looking";
    int differing = 0;
    std::string first;
    for (int y = 0; y < shown.Height; ++y)
        for (int x = 0; x < shown.Width; ++x)
            if (shown.At(x, y) != drawn.At(x, y) && differing++ == 0)
                first = " (first at " + std::to_string(x) + ", " + std::to_string(y) + ": " + Describe(shown.At(x, y)) +
                        " shown, " + Describe(drawn.At(x, y)) + " drawn)";
    std::string faults = RegionFaults(shown, regions);
    if (differing)
        faults += std::to_string(differing) + " pixels differ from the window's DC" + first;
    return faults;
}

// The display lags the windows until their thread goes idle: looks until it shows them, serving the windows
// between looks, for far longer than a user would wait.
constexpr DWORD PatienceMs = 20000;

std::string EventuallyShown(HWND window, const std::vector<Region> &regions) {
    const DWORD start = GetTickCount();
    std::string faults;
    do {
        Pump(100);
        faults = DisplayFaults(window, regions);
    } while (!faults.empty() && GetTickCount() - start < PatienceMs);
    return faults;
}

COLORREF System(int index) { return GetSysColor(index); }

// The viewer's grid lays out a 30-pixel title column and 70-pixel columns, a 20-pixel title row and 20-pixel rows;
// the query below makes the first cell current.
constexpr const char *Query = "select 'alpha' as first, 'beta' as second union all select 'gamma', 'delta'";

std::vector<Region> GridRegions() {
    return {{"a column title", {32, 2, 98, 18}, System(COLOR_BTNFACE), 50, 5},
            {"the current cell", {32, 22, 98, 38}, System(COLOR_HIGHLIGHT), 50, 5},
            {"a cell", {102, 42, 168, 58}, System(COLOR_WINDOW), 50, 5}};
}

// The dialog's client area is 157 x 69: a box at (8, 8) of 137 x 22 above two 64 x 22 buttons at (8, 32) and
// (80, 32).
std::vector<Region> DialogRegions() {
    const COLORREF face = System(COLOR_BTNFACE);
    return {{"background above the box", {0, 0, 157, 8}, face, 100, 0},
            {"background right of the box", {145, 0, 157, 69}, face, 100, 0},
            {"background between the buttons", {72, 32, 80, 54}, face, 100, 0},
            {"background below the buttons", {0, 54, 157, 69}, face, 100, 0},
            {"the box and its text", {10, 10, 143, 28}, System(COLOR_WINDOW), 50, 40},
            {"the OK button", {8, 32, 72, 54}, AnyColor, 0, 10},
            {"the Cansel button", {80, 32, 144, 54}, AnyColor, 0, 20}};
}

// The dialog is looked at from its own loop: the host's timer runs there, after every pending paint.
struct DialogLook {
    int TicksUnseen = 0;
    DWORD FirstSeen = 0;
    bool Done = false;
    std::string Faults = "the dialog never showed";
};
DialogLook dialogLook;

void CALLBACK LookAtDialog(HWND, UINT, UINT_PTR, DWORD) {
    DialogLook &look = dialogLook;
    const HWND dialog = FindWindowA(nullptr, "Form2");
    if (look.Done)
        return;
    if (!dialog || !IsWindowVisible(dialog)) {
        // A dialog that never shows must not keep the suite waiting: a quit ends its loop.
        if (++look.TicksUnseen * 50 > static_cast<int>(PatienceMs)) {
            look.Done = true;
            PostQuitMessage(0);
        }
        return;
    }
    if (!look.FirstSeen)
        look.FirstSeen = GetTickCount();
    look.Faults = DisplayFaults(dialog, DialogRegions());
    if (!look.Faults.empty() && GetTickCount() - look.FirstSeen < PatienceMs)
        return;
    look.Done = true;
    SendMessageA(FindWindowExA(dialog, nullptr, nullptr, "OK"), BM_CLICK, 0, 0);
}

class DisplayHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Viewer = StartQueryViewer("display host", 660, 430); }
    void SetUp() override {
        ASSERT_EQ(Viewer.LoadError, "");
        ASSERT_NE(Viewer.Grid, nullptr) << "the viewer is in the host";
    }

    static QueryViewer Viewer;
};
QueryViewer DisplayHost::Viewer;

} // namespace

TEST_F(DisplayHost, ViewerShowsBeforeAQuery) {
    EXPECT_EQ(EventuallyShown(Viewer.Grid, {{"the empty grid", {0, 0, 100, 100}, System(COLOR_WINDOW), 100, 0}}), "");
}

TEST_F(DisplayHost, ViewerShowsAQueryAndADrawResize) {
    Viewer.Plugin->SetFile(Query);
    Viewer.Plugin->sqlrun();
    ASSERT_STREQ(Viewer.Plugin->GetFile(), Query);
    EXPECT_EQ(EventuallyShown(Viewer.Grid, GridRegions()), "") << "after the query";

    RECT before;
    GetClientRect(Viewer.Grid, &before);
    ASSERT_NE(Viewer.Plugin->Draw(0, 30, 20, 420, 260), FALSE);
    Pump(100);
    RECT after;
    GetClientRect(Viewer.Grid, &after);
    ASSERT_LT(after.right, before.right) << "the grid follows the viewer";
    EXPECT_EQ(EventuallyShown(Viewer.Grid, GridRegions()), "") << "after Draw made it smaller";

    ASSERT_NE(Viewer.Plugin->Draw(0, 10, 10, 660, 430), FALSE);
    EXPECT_EQ(EventuallyShown(Viewer.Grid, GridRegions()), "") << "after Draw made it larger again";
}

TEST_F(DisplayHost, SettingsDialogShowsOverTheViewerAndLeavesItWhole) {
    dialogLook = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookAtDialog);
    EXPECT_EQ(Viewer.Plugin->Interface(), 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(dialogLook.Faults, "");
    EXPECT_EQ(FindWindowA(nullptr, "Form2"), nullptr);
    // Where the dialog was, the display shows the viewer again.
    EXPECT_EQ(EventuallyShown(Viewer.Grid, GridRegions()), "");
}
