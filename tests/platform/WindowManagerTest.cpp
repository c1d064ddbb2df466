// The window manager's own behaviour, the part the toolkit relies on: the same tables pass against real Win32 and
// against the headless platform.
#include "support/MessageLog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

class WindowManager : public ::testing::Test {
protected:
    void TearDown() override {
        for (HWND window : windows)
            if (IsWindow(window))
                DestroyWindow(window);
        MSG msg;
        for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
            if (msg.message != WM_QUIT)
                DispatchMessageA(&msg);
    }

    HWND Make(DWORD style, HWND parent = nullptr, RECT at = {10, 20, 110, 70}, DWORD exStyle = 0,
              LPCSTR cls = nullptr) {
        const HWND window =
            CreateWindowExA(exStyle, cls ? cls : LoggingWindowClass(), "", style, at.left, at.top, at.right - at.left,
                            at.bottom - at.top, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (window && !parent)
            windows.push_back(window);
        return window;
    }

    // A hidden top-level parent: its children are not shown, and nothing gets activated.
    HWND HiddenParent() { return Make(WS_POPUP | WS_CLIPCHILDREN, nullptr, {0, 0, 300, 200}); }

    std::vector<HWND> windows;
};

constexpr LPARAM Size(int cx, int cy) { return MAKELPARAM(static_cast<WORD>(cx), static_cast<WORD>(cy)); }

TEST_F(WindowManager, CreatingAndDestroyingAChildSendsTheMessagesInWindowsOrder) {
    const HWND parent = HiddenParent();
    MessageLog log{WM_NCCREATE,         WM_CREATE,  WM_SIZE,      WM_MOVE,        WM_SHOWWINDOW,
                   WM_WINDOWPOSCHANGED, WM_DESTROY, WM_NCDESTROY, WM_PARENTNOTIFY};
    const HWND child = Make(WS_CHILD | WS_VISIBLE, parent);
    ASSERT_NE(child, nullptr);
    // A child of a hidden window is only marked visible: no position change is sent.
    EXPECT_TRUE(SequenceIs(log, {{WM_NCCREATE},
                                 {WM_CREATE},
                                 {WM_SIZE, Expect::WParam | Expect::LParam, SIZE_RESTORED, Size(100, 50)},
                                 {WM_MOVE, Expect::LParam, 0, Size(10, 20)},
                                 {WM_PARENTNOTIFY, Expect::WParam, WM_CREATE},
                                 {WM_SHOWWINDOW, Expect::WParam, TRUE}}));
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(child));

    const HWND grandChild = Make(WS_CHILD, child);
    log.Clear();
    DestroyWindow(child);
    // WM_DESTROY goes down the tree first, WM_NCDESTROY comes back up.
    EXPECT_TRUE(SequenceIs(log, {{WM_PARENTNOTIFY, Expect::WParam, WM_DESTROY},
                                 {WM_SHOWWINDOW, Expect::WParam, FALSE},
                                 {WM_DESTROY},
                                 {WM_DESTROY},
                                 {WM_NCDESTROY},
                                 {WM_NCDESTROY}}));
    ASSERT_EQ(log.Entries.size(), 6u);
    EXPECT_EQ(log.Entries[2].Window, child);
    EXPECT_EQ(log.Entries[3].Window, grandChild);
    EXPECT_EQ(log.Entries[4].Window, grandChild);
    EXPECT_EQ(log.Entries[5].Window, child);
    EXPECT_FALSE(IsWindow(grandChild));
}

TEST_F(WindowManager, ShowingMovingAndHidingAChildOfAVisibleWindow) {
    const HWND parent = Make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, nullptr, {0, 0, 300, 200});
    const HWND child = Make(WS_CHILD, parent);
    MessageLog log{WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED};
    log.OnlyFor(child);

    ShowWindow(child, SW_SHOW);
    EXPECT_TRUE(
        SequenceIs(log, {{WM_SHOWWINDOW, Expect::WParam, TRUE}, {WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}}));
    EXPECT_TRUE(IsWindowVisible(child));

    log.Clear();
    SetWindowPos(child, nullptr, 30, 40, 60, 70, SWP_NOZORDER | SWP_NOACTIVATE);
    // Default processing of WM_WINDOWPOSCHANGED sends WM_MOVE, then WM_SIZE.
    EXPECT_TRUE(SequenceIs(log, {{WM_WINDOWPOSCHANGING},
                                 {WM_WINDOWPOSCHANGED},
                                 {WM_MOVE, Expect::LParam, 0, Size(30, 40)},
                                 {WM_SIZE, Expect::LParam, 0, Size(60, 70)}}));

    log.Clear();
    SetWindowPos(child, nullptr, 30, 40, 60, 70, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(SequenceIs(log, {{WM_WINDOWPOSCHANGING}}));

    log.Clear();
    ShowWindow(child, SW_HIDE);
    EXPECT_TRUE(
        SequenceIs(log, {{WM_SHOWWINDOW, Expect::WParam, FALSE}, {WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}}));
    EXPECT_FALSE(ShowWindow(child, SW_HIDE)) << "reports the previous visibility";
}

TEST_F(WindowManager, ChildGeometryIsRelativeToTheParentClientArea) {
    const HWND parent = Make(WS_POPUP | WS_BORDER, nullptr, {100, 100, 400, 300});
    const HWND child = Make(WS_CHILD, parent, {10, 20, 60, 50}, WS_EX_CLIENTEDGE);
    RECT parentClient;
    GetClientRect(parent, &parentClient);
    EXPECT_EQ(parentClient.right, 298);
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left - origin.x, 10);
    EXPECT_EQ(rect.top - origin.y, 20);
    RECT client;
    GetClientRect(child, &client);
    RECT adjusted = client;
    AdjustWindowRectEx(&adjusted, WS_CHILD, FALSE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(adjusted.right - adjusted.left, 50);
    EXPECT_EQ(adjusted.bottom - adjusted.top, 30);

    // A new parent keeps the numbers of the position, now in its own client area.
    const HWND other = Make(WS_POPUP, nullptr, {500, 500, 700, 700});
    EXPECT_EQ(SetParent(child, other), parent);
    POINT otherOrigin{0, 0};
    ClientToScreen(other, &otherOrigin);
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left - otherOrigin.x, 10);
    EXPECT_EQ(rect.top - otherOrigin.y, 20);
    EXPECT_EQ(GetParent(child), other);
}

TEST_F(WindowManager, ChildrenAreStackedInCreationOrderFromTheTop) {
    const HWND parent = HiddenParent();
    const HWND first = Make(WS_CHILD, parent);
    const HWND second = Make(WS_CHILD, parent);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(first, GW_HWNDLAST), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), second);
}

TEST_F(WindowManager, FocusMovesWithKillAndSetFocusMessages) {
    const HWND parent = Make(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 300, 200});
    const HWND a = Make(WS_CHILD | WS_VISIBLE, parent);
    const HWND b = Make(WS_CHILD | WS_VISIBLE, parent);
    SetFocus(a);
    ASSERT_EQ(GetFocus(), a);
    MessageLog log{WM_SETFOCUS, WM_KILLFOCUS};
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_TRUE(SequenceIs(log, {{WM_KILLFOCUS, Expect::WParam, reinterpret_cast<WPARAM>(b)},
                                 {WM_SETFOCUS, Expect::WParam, reinterpret_cast<WPARAM>(a)}}));
    EXPECT_EQ(log.Entries[0].Window, a);

    // Disabling or hiding the focused window takes the focus away from it.
    EnableWindow(b, FALSE);
    EXPECT_NE(GetFocus(), b);
    EXPECT_EQ(SetFocus(b), nullptr) << "a disabled window cannot take the focus";
    SetFocus(a);
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(GetFocus(), parent);
}

TEST_F(WindowManager, PaintingFollowsPostedMessagesAndErasesFirst) {
    const HWND window = Make(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));

    const RECT part{10, 10, 20, 20};
    InvalidateRect(window, &part, TRUE);
    PostMessageA(window, WM_USER + 1, 0, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1) << "posted messages come before WM_PAINT";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, window);

    MessageLog log{WM_PAINT, WM_ERASEBKGND};
    DispatchMessageA(&msg);
    EXPECT_TRUE(SequenceIs(log, {{WM_PAINT}, {WM_ERASEBKGND}}));
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE)) << "default processing validated the window";
    EXPECT_FALSE(PeekMessageA(&msg, window, WM_PAINT, WM_PAINT, PM_NOREMOVE));

    ShowWindow(window, SW_HIDE);
    InvalidateRect(window, nullptr, TRUE);
    EXPECT_FALSE(PeekMessageA(&msg, window, WM_PAINT, WM_PAINT, PM_NOREMOVE)) << "hidden windows are not painted";
}

// A child shown over a painted parent is painted itself and leaves the parent valid; hiding it exposes the parent.
TEST_F(WindowManager, ChildrenShownOrHiddenRepaintWhatTheyUncover) {
    for (const DWORD clip : {DWORD{0}, DWORD{WS_CLIPCHILDREN}}) {
        // Away from the screen's corner, so that a mix-up of screen and client coordinates shows.
        const HWND parent = Make(WS_POPUP | WS_VISIBLE | clip, nullptr, {30, 20, 230, 120});
        auto settle = [] {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        };
        settle();
        RECT update;
        ASSERT_FALSE(GetUpdateRect(parent, &update, FALSE));

        const HWND child = Make(WS_CHILD | WS_VISIBLE, parent, {10, 10, 60, 40});
        EXPECT_FALSE(GetUpdateRect(parent, &update, FALSE)) << "clip " << clip;
        EXPECT_TRUE(GetUpdateRect(child, &update, FALSE)) << "clip " << clip;
        settle();

        ShowWindow(child, SW_HIDE);
        ASSERT_TRUE(GetUpdateRect(parent, &update, FALSE)) << "clip " << clip;
        EXPECT_EQ(update.left, 10);
        EXPECT_EQ(update.top, 10);
        EXPECT_EQ(update.right, 60);
        EXPECT_EQ(update.bottom, 40);
        DestroyWindow(parent);
    }
}

// What each change of place or visibility repaints, and what it erases at once: a shown window and the parent a
// hidden child leaves bare are erased before WM_WINDOWPOSCHANGED, moved pixels are kept, and only gained area is
// repainted in a window whose class does not redraw on sizing.
TEST_F(WindowManager, PlacingAndShowingRepaintWhatTheyExpose) {
    const HWND top = Make(WS_POPUP, nullptr, {0, 0, 200, 100});
    const HWND still = Make(WS_CHILD | WS_VISIBLE, top, {10, 10, 60, 40});
    const HWND moving = Make(WS_CHILD, top, {70, 10, 90, 40});
    MessageLog log{WM_ERASEBKGND, WM_PAINT, WM_WINDOWPOSCHANGED};
    // Who received what, during the call and then while the queue is pumped: "P" the top window, "S" and "M" its
    // children.
    auto record = [&] {
        std::string text;
        for (const LoggedMessage &m : log.Entries)
            text += std::string(m.Window == top     ? "P"
                                : m.Window == still ? "S"
                                                    : "M") +
                    (m.Message == WM_PAINT        ? "paint "
                     : m.Message == WM_ERASEBKGND ? "erase "
                                                  : "changed ");
        log.Clear();
        return text;
    };
    auto pump = [] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    };
    constexpr UINT Place = SWP_NOZORDER | SWP_NOACTIVATE;
    const struct {
        const char *What;
        std::function<void()> Change;
        const char *During;
        const char *After;
    } steps[] = {
        {"show the top window", [&] { ShowWindow(top, SW_SHOWNA); }, "Perase Pchanged ", "Ppaint Spaint Serase "},
        {"show a child", [&] { ShowWindow(moving, SW_SHOW); }, "Merase Mchanged ", "Mpaint "},
        {"grow the child", [&] { SetWindowPos(moving, nullptr, 70, 10, 40, 60, Place); }, "Mchanged ",
         "Mpaint Merase "},
        {"move the child", [&] { SetWindowPos(moving, nullptr, 100, 10, 40, 60, Place); }, "Mchanged ",
         "Ppaint Perase "},
        {"hide the child", [&] { ShowWindow(moving, SW_HIDE); }, "Perase Mchanged ", "Ppaint "},
        {"grow the top window", [&] { SetWindowPos(top, nullptr, 0, 0, 300, 150, Place); }, "Perase Pchanged ",
         "Ppaint "},
        {"shrink the top window", [&] { SetWindowPos(top, nullptr, 0, 0, 250, 120, Place); }, "Pchanged ", ""},
        {"move the top window", [&] { SetWindowPos(top, nullptr, 5, 5, 250, 120, Place); }, "Pchanged ", ""},
    };
    for (const auto &step : steps) {
        step.Change();
        EXPECT_EQ(record(), step.During) << step.What;
        pump();
        EXPECT_EQ(record(), step.After) << step.What;
    }
}

TEST_F(WindowManager, QuitComesAfterPostedMessagesAndOnlyOnce) {
    PostQuitMessage(3);
    PostMessageA(nullptr, WM_USER + 2, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowManager, PushButtonClicksAndReportsDoubleClicksWhenItNotifies) {
    const HWND parent = HiddenParent();
    MessageLog log{WM_COMMAND};
    const HWND plain = Make(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, parent, {0, 0, 50, 20}, 0, "BUTTON");
    const HWND notifying = Make(WS_CHILD | WS_VISIBLE | BS_NOTIFY, parent, {0, 30, 50, 50}, 0, "BUTTON");
    for (HWND button : {plain, notifying}) {
        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_EQ(GetCapture(), button);
        SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(GetCapture(), nullptr);
        SendMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        // Released outside, a press is no click.
        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    }
    auto code = [](WORD notification) { return MAKEWPARAM(0, notification); };
    EXPECT_TRUE(SequenceIs(
        log, {{WM_COMMAND, Expect::WParam | Expect::LParam, code(BN_CLICKED), reinterpret_cast<LPARAM>(plain)},
              {WM_COMMAND, Expect::WParam, code(BN_CLICKED)},
              {WM_COMMAND, Expect::WParam, code(BN_SETFOCUS), reinterpret_cast<LPARAM>(notifying)},
              {WM_COMMAND, Expect::WParam, code(BN_CLICKED)},
              {WM_COMMAND, Expect::WParam, code(BN_DOUBLECLICKED)}}));
}

TEST_F(WindowManager, EditBoxTypesAndNotifies) {
    const HWND parent = HiddenParent();
    MessageLog log{WM_COMMAND};
    const HWND single = Make(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, parent, {0, 0, 100, 20}, 0, "EDIT");
    const HWND multi = Make(WS_CHILD | WS_VISIBLE | ES_MULTILINE, parent, {0, 30, 100, 80}, 0, "EDIT");
    char text[32];
    for (char ch : {'a', '\t', 'b'})
        SendMessageA(single, WM_CHAR, static_cast<WPARAM>(ch), 1);
    GetWindowTextA(single, text, sizeof text);
    EXPECT_STREQ(text, "ab");
    SendMessageA(multi, WM_CHAR, '\t', 1);
    GetWindowTextA(multi, text, sizeof text);
    EXPECT_STREQ(text, "\t");
    const std::size_t typed = log.Entries.size();
    EXPECT_GE(typed, 3u);
    for (const LoggedMessage &m : log.Entries)
        EXPECT_EQ(HIWORD(m.WParam) == EN_CHANGE || HIWORD(m.WParam) == EN_UPDATE, true);

    log.Clear();
    SetWindowTextA(single, "set");
    SetWindowTextA(multi, "set");
    // Setting the whole text notifies only for a single-line box.
    ASSERT_FALSE(log.Entries.empty());
    for (const LoggedMessage &m : log.Entries)
        EXPECT_EQ(reinterpret_cast<HWND>(m.LParam), single);
}

TEST_F(WindowManager, ClassesSuperclassTheSystemOnesAndRegisterOnce) {
    WNDCLASSA button{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "button", &button));
    EXPECT_NE(button.lpfnWndProc, nullptr);
    EXPECT_TRUE(button.style & CS_DBLCLKS);
    WNDCLASSA description{};
    description.lpfnWndProc = &DefWindowProcA;
    description.hInstance = GetModuleHandleA(nullptr);
    description.lpszClassName = "RegisteredOnce";
    EXPECT_NE(RegisterClassA(&description), 0);
    EXPECT_EQ(RegisterClassA(&description), 0);
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "NoSuchClass", &description));
}

TEST_F(WindowManager, ScrollRangeShowsTheBarAndTakesClientSpace) {
    const HWND parent = HiddenParent();
    const HWND window = Make(WS_CHILD, parent, {0, 0, 100, 100});
    RECT before;
    GetClientRect(window, &before);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 500, 0};
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, FALSE), 90) << "the position stops where the last page starts";
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_VSCROLL);
    RECT after;
    GetClientRect(window, &after);
    EXPECT_LT(after.right, before.right);
    info = {sizeof info, SIF_RANGE | SIF_PAGE, 0, 9, 10, 0, 0};
    SetScrollInfo(window, SB_VERT, &info, FALSE);
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_VSCROLL) << "nothing to scroll hides the bar";
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 0);
}

TEST_F(WindowManager, SystemMenuEditsByCommand) {
    const HWND window = Make(WS_OVERLAPPEDWINDOW, nullptr, {0, 0, 300, 200});
    const HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_TRUE(DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EnableMenuItem(menu, SC_MOVE, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(WindowManager, OtherThreadsPostAndSendThroughTheOwnersQueue) {
    const HWND parent = HiddenParent();
    const HWND host = HiddenParent();
    const HWND child = Make(WS_CHILD, parent);
    std::atomic<bool> done{false};
    std::atomic<LRESULT> textLength{-1};
    HWND previousParent = nullptr;
    std::thread other([&] {
        textLength = SendMessageA(parent, WM_GETTEXTLENGTH, 0, 0);
        previousParent = SetParent(child, host);
        PostMessageA(parent, WM_USER + 3, 7, 0);
        done = true;
    });
    // The other thread's calls complete only while this thread takes messages.
    MSG msg;
    bool posted = false;
    const DWORD start = GetTickCount();
    while (!(done && posted) && GetTickCount() - start < 5000) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            posted |= msg.message == WM_USER + 3 && msg.hwnd == parent && msg.wParam == 7;
            DispatchMessageA(&msg);
        }
        Sleep(1);
    }
    other.join();
    EXPECT_TRUE(posted);
    EXPECT_EQ(textLength, 0);
    EXPECT_EQ(previousParent, parent);
    EXPECT_EQ(GetAncestor(child, GA_PARENT), host);
}

} // namespace
