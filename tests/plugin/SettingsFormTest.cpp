#include "plugin/SettingsForm.h"
#include "plugin/PluginExports.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/windows/Control.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::string TextOf(HWND window) { return ToolkitTest::TextOf(window); }

RECT ClientRectIn(HWND child, HWND parent) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// What a test does while the dialog's own loop runs: posted to a window of the
// calling thread before Interface is called, so the dialog's loop dispatches it.
std::vector<std::function<void()>> whileOpen;

LRESULT CALLBACK ScriptProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP && wParam < whileOpen.size()) {
        whileOpen[wParam]();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA description{};
        description.lpfnWndProc = ScriptProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "SettingsScript";
        RegisterClassA(&description);
        Script = CreateWindowExA(0, "SettingsScript", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 description.hInstance, nullptr);
        whileOpen.clear();
    }
    void TearDown() override {
        DestroyWindow(Script);
        Terminated = false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // Runs Interface with the steps done, one by one, from inside its loop.
    int RunWith(std::vector<std::function<void()>> steps) {
        whileOpen = std::move(steps);
        for (std::size_t i = 0; i < whileOpen.size(); ++i)
            PostMessageA(Script, WM_APP, i, 0);
        return Interface();
    }

    static void Press(Control *button) { SendMessageA(button->Handle, BM_CLICK, 0, 0); }

    HWND Script = nullptr;
};

} // namespace

TEST_F(SettingsDialog, LaidOutAsATopmostDialogWithoutClose) {
    HWND form = nullptr;
    const int result = RunWith({[&] {
        ASSERT_NE(CurrentSettings, nullptr);
        const SettingsForm &dialog = *CurrentSettings;
        form = dialog.Form->Handle;
        EXPECT_EQ(dialog.Form->ModalResult, 0);
        EXPECT_TRUE(IsWindowVisible(form));
        EXPECT_TRUE(IsWindowEnabled(form));
        EXPECT_EQ(TextOf(form), "Form2");

        RECT window, client;
        GetWindowRect(form, &window);
        GetClientRect(form, &client);
        EXPECT_EQ(window.left, 393);
        EXPECT_EQ(window.top, 217);
        EXPECT_EQ(client.right, 157);
        EXPECT_EQ(client.bottom, 69);

        const LONG style = GetWindowLongA(form, GWL_STYLE);
        EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
        EXPECT_NE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        EXPECT_EQ(GetMenuState(GetSystemMenu(form, FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));

        EXPECT_EQ(TextOf(dialog.OkButton->Handle), "OK");
        EXPECT_EQ(TextOf(dialog.CancelButton->Handle), "Cansel");
        EXPECT_EQ(TextOf(dialog.InfoBox->Handle), "Tessaro PNG plugin");
        const RECT ok = ClientRectIn(dialog.OkButton->Handle, form);
        const RECT cancel = ClientRectIn(dialog.CancelButton->Handle, form);
        const RECT box = ClientRectIn(dialog.InfoBox->Handle, form);
        EXPECT_EQ(ok.left, 8);
        EXPECT_EQ(ok.top, 32);
        EXPECT_EQ(cancel.left, 80);
        EXPECT_EQ(cancel.top, 32);
        EXPECT_EQ(box.left, 8);
        EXPECT_EQ(box.top, 8);
        EXPECT_EQ(box.right - box.left, 137);
        EXPECT_GT(box.bottom - box.top, 0);
        Press(dialog.OkButton);
    }});
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(IsWindow(form)) << "nothing of the dialog survives the call";
    EXPECT_EQ(CurrentSettings, nullptr);
    EXPECT_EQ(SettingsApplet, nullptr);
}

TEST_F(SettingsDialog, EitherButtonClosesAndEveryCallStartsAfresh) {
    for (bool ok : {true, false, true}) {
        int modalAtStart = -1, modalAfterPress = -1;
        bool hiddenAfterPress = false;
        EXPECT_EQ(RunWith({[&] {
                      Control *form = CurrentSettings->Form;
                      modalAtStart = form->ModalResult;
                      Press(ok ? CurrentSettings->OkButton : CurrentSettings->CancelButton);
                      modalAfterPress = form->ModalResult;
                      hiddenAfterPress = !IsWindowVisible(form->Handle) && !IsWindowEnabled(form->Handle);
                  }}),
                  0);
        EXPECT_EQ(modalAtStart, 0);
        EXPECT_EQ(modalAfterPress, ok ? ModalResultOk : ModalResultCancel);
        EXPECT_TRUE(hiddenAfterPress);
    }
}

TEST_F(SettingsDialog, HostWindowsAreServedWhileItRuns) {
    int served = 0;
    EXPECT_EQ(RunWith({[&] { ++served; }, [&] { ++served; }, [&] { Press(CurrentSettings->CancelButton); }}), 0);
    EXPECT_EQ(served, 2);
}

TEST_F(SettingsDialog, NestedCallLeavesTheOpenDialogToItsLoop) {
    SettingsForm *outer = nullptr;
    int nested = -1;
    EXPECT_EQ(RunWith({[&] {
                  outer = CurrentSettings;
                  nested = Interface();
                  EXPECT_EQ(CurrentSettings, outer) << "the open dialog is untouched";
                  EXPECT_TRUE(IsWindowVisible(outer->Form->Handle));
                  Press(outer->OkButton);
              }}),
              0);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(CurrentSettings, nullptr);
}

TEST_F(SettingsDialog, QuitTakenByItsLoopEndsItAndReachesTheHost) {
    HWND form = nullptr;
    EXPECT_EQ(RunWith({[&] {
                  form = CurrentSettings->Form->Handle;
                  PostQuitMessage(42);
              }}),
              0);
    EXPECT_FALSE(IsWindow(form));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the host's loop still sees its quit";
    EXPECT_EQ(msg.wParam, WPARAM{42}) << "with its exit code";
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "once";
}
