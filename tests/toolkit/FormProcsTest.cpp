// Forms and the application window: where the focus goes, closing and minimising through the applet, the cursor,
// and how mouse messages map to events.
#include "toolkit/ToolkitFixture.h"

namespace {

using FormProcs = ToolkitTest;

TEST_F(FormProcs, FocusOnAFormGoesToItsCurrentControl) {
    Control *form = Form();
    Control *first = NewButton(form, "first");
    Control *second = NewButton(form, "second");
    Control *applet = NewApplet("applet");
    applet->SetVisible(false);
    Applet = applet;
    form->GetWindowHandle();
    EXPECT_EQ(form->CurrentControl, first);
    SetFocus(form->Handle);
    EXPECT_EQ(GetFocus(), first->Handle);
    EXPECT_EQ(applet->CurrentControl, form) << "the applet records the form that had the focus";

    Click(second->Handle, 5, 5);
    EXPECT_EQ(form->CurrentControl, second);
    SetFocus(form->Handle);
    EXPECT_EQ(GetFocus(), second->Handle);

    // A freed form leaves no dangling record in the applet.
    ObjectBase::Free(form);
    EXPECT_EQ(applet->CurrentControl, nullptr);
    ObjectBase::Free(applet);
}

TEST_F(FormProcs, AppletClosesTheMainFormAndMinimisesForIt) {
    Control *applet = NewApplet("applet");
    applet->SetVisible(false);
    Applet = applet;
    Control *main = NewForm(applet, "main");
    main->SetVisible(false);
    bool destroyed = false;
    main->OnDestroy = {[](void *data, ObjectBase *) { *static_cast<bool *>(data) = true; }, &destroyed};
    main->GetWindowHandle();
    ASSERT_TRUE(IsMainForm(main));

    // Minimising the main form minimises the application instead.
    EXPECT_EQ(SendMessageA(main->Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0), 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, applet->Handle, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, SC_MINIMIZE);
    EXPECT_FALSE(IsIconic(main->Handle));

    // Closing the application closes the main form, whose window close ends the application's loop.
    EXPECT_EQ(SendMessageA(applet->Handle, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_FALSE(destroyed) << "the close is posted";
    Control::ProcessMessages();
    EXPECT_TRUE(destroyed) << "the window closed, and its control went with it";
    EXPECT_EQ(applet->ChildCount(), 0);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is left for the loop";
    ObjectBase::Free(applet);
}

TEST_F(FormProcs, CursorIsSetOverTheClientAreaUnlessTheMouseIsCaptured) {
    Control *control = Child(Form());
    const HCURSOR beam = LoadCursorA(nullptr, IDC_IBEAM);
    control->GetWindowHandle();
    control->SetCursor(beam);
    SetCursor(nullptr);
    const LPARAM overClient = MAKELPARAM(static_cast<WORD>(HTCLIENT), static_cast<WORD>(WM_MOUSEMOVE));
    EXPECT_EQ(SendMessageA(control->Handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(control->Handle), overClient), 1);
    EXPECT_EQ(GetCursor(), beam);
    SetCursor(nullptr);
    SetCapture(control->Handle);
    SendMessageA(control->Handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(control->Handle), overClient);
    ReleaseCapture();
    EXPECT_NE(GetCursor(), beam);
}

std::vector<std::pair<char, int>> mouseEvents;

template <char Slot> void NoteMouse(void *, ObjectBase *, MouseEventData &mouse) {
    // The wheel reports its delta instead of a button.
    mouseEvents.emplace_back(Slot, Slot == 'w' ? static_cast<std::int16_t>(mouse.Shift >> 16) : mouse.Button);
}

TEST_F(FormProcs, MouseMessagesReachTheirEventWithTheButton) {
    mouseEvents.clear();
    Control *control = Child(Form());
    control->SetOnMouseDown({&NoteMouse<'d'>, nullptr});
    control->SetOnMouseUp({&NoteMouse<'u'>, nullptr});
    control->SetOnMouseDblClk({&NoteMouse<'c'>, nullptr});
    control->SetOnMouseMove({&NoteMouse<'m'>, nullptr});
    control->SetOnMouseWheel({&NoteMouse<'w'>, nullptr});
    control->GetWindowHandle();
    for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
                     WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK})
        SendMessageA(control->Handle, msg, 0, MAKELPARAM(3, 4));
    SendMessageA(control->Handle, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(3, 4));
    const std::vector<std::pair<char, int>> expected{{'m', 0}, {'d', 1}, {'u', 1},           {'c', 1},
                                                     {'d', 2}, {'u', 2}, {'c', 2},           {'d', 3},
                                                     {'u', 3}, {'c', 3}, {'w', -WHEEL_DELTA}};
    EXPECT_EQ(mouseEvents, expected);
}

} // namespace
