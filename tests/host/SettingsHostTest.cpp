// The settings dialog through the real DLL: Interface runs its own loop while
// the host's window goes on being served, and a button press ends it.
#include "PluginLibrary.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

PluginLibrary *plugin = nullptr;

struct Observed {
    int HostTicks = 0;
    bool Seen = false;
    RECT Rect{};
    bool Topmost = false;
    std::string BoxText;
    const char *Press = "OK";
};
Observed observed;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::set<HWND> *>(list)->insert(window);
    return TRUE;
}

std::set<HWND> ThreadWindows() {
    std::set<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND ChildWithText(HWND parent, const char *text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char buffer[64] = {};
        GetWindowTextA(child, buffer, sizeof buffer);
        if (std::string(buffer) == text)
            return child;
    }
    return nullptr;
}

// The host's timer: counts that the host is served, looks at the dialog once it
// shows, then presses a button as a user would.
void CALLBACK HostTimer(HWND, UINT, UINT_PTR, DWORD) {
    ++observed.HostTicks;
    HWND dialog = FindWindowA(nullptr, "Form2");
    if (!dialog || !IsWindowVisible(dialog) || observed.HostTicks < 3)
        return;
    observed.Seen = true;
    GetWindowRect(dialog, &observed.Rect);
    observed.Topmost = (GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[64] = {};
        GetWindowTextA(child, text, sizeof text);
        if (std::string(text).find("plugin") != std::string::npos)
            observed.BoxText = text;
    }
    if (HWND button = ChildWithText(dialog, observed.Press))
        SendMessageA(button, BM_CLICK, 0, 0);
}

class SettingsHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        plugin = new PluginLibrary;
        LoadError = plugin->Load(PLUGIN_FILE_NAME);
    }
    static void TearDownTestSuite() { delete plugin; }
    void SetUp() override { ASSERT_EQ(LoadError, ""); }

    static std::string LoadError;
};
std::string SettingsHost::LoadError;

} // namespace

TEST_F(SettingsHost, EachButtonEndsAFreshDialogAndNothingSurvives) {
    const std::set<HWND> before = ThreadWindows();
    for (const char *button : {"OK", "Cansel"}) {
        observed = {};
        observed.Press = button;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, HostTimer);
        const int result = plugin->Interface();
        KillTimer(nullptr, timer);

        EXPECT_EQ(result, 0) << button;
        EXPECT_TRUE(observed.Seen) << button;
        EXPECT_GE(observed.HostTicks, 3) << "the host is served while the dialog runs";
        EXPECT_EQ(observed.Rect.left, 393);
        EXPECT_EQ(observed.Rect.top, 217);
        EXPECT_TRUE(observed.Topmost);
        EXPECT_EQ(observed.BoxText, "Tessaro PNG plugin");
        EXPECT_EQ(FindWindowA(nullptr, "Form2"), nullptr) << "the dialog is gone after " << button;
    }
    // The toolkit's hidden application window stays (it lives as long as the library); nothing else does.
    std::set<HWND> after = ThreadWindows();
    std::erase_if(after, [&](HWND window) {
        char text[32] = {};
        GetWindowTextA(window, text, sizeof text);
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        return before.count(window) || std::string(text) == "vexlet" || std::string(className) == "IME";
    });
    for (HWND window : after) {
        char text[64] = {}, className[64] = {};
        GetWindowTextA(window, text, sizeof text);
        GetClassNameA(window, className, sizeof className);
        ADD_FAILURE() << "survived: \"" << text << "\" of class " << className;
    }
}

// The host quits while the dialog is open (its window closed from the taskbar): the dialog ends as cancelled, and the
// host's loop meets the quit once, with its exit code.
void CALLBACK QuitOnce(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(5);
}

TEST_F(SettingsHost, AQuitDuringTheDialogEndsItAndReachesTheHostsLoop) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, QuitOnce);
    EXPECT_EQ(plugin->Interface(), 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(FindWindowA(nullptr, "Form2"), nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM{5});
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "once";
}
