// Controls and their windows: lazy creation, classes, visibility before and after the window exists, styles,
// geometry and destruction.
#include "toolkit/ToolkitFixture.h"

#include "toolkit/objects/PtrList.h"
#include "toolkit/windows/ToolkitStart.h"

namespace {

using ControlWindow = ToolkitTest;

RECT WindowRectIn(HWND window, HWND parent) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

::testing::AssertionResult RectIs(const RECT &r, LONG left, LONG top, LONG right, LONG bottom) {
    if (r.left == left && r.top == top && r.right == right && r.bottom == bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
}

TEST_F(ControlWindow, WindowIsMadeOnFirstUseWithTheToolkitClass) {
    Control *form = Form();
    Control *button = NewButton(form, "Press");
    EXPECT_EQ(form->Handle, nullptr);
    EXPECT_EQ(button->Handle, nullptr);

    const HWND window = button->GetWindowHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(form->Handle, nullptr) << "the parent's window comes first";
    EXPECT_EQ(GetParent(window), form->Handle);
    EXPECT_EQ(reinterpret_cast<Control *>(GetWindowLongPtrA(window, GWLP_USERDATA)), button);
    char name[64];
    GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(name, "obj_BUTTON");
    GetClassNameA(form->Handle, name, sizeof name);
    EXPECT_STREQ(name, "obj_Form");
    EXPECT_EQ(TextOf(window), "Press");
    EXPECT_EQ(TextOf(form->Handle), "Test form");
    // The toolkit's class is a superclass of the system one, without the class-DC styles.
    WNDCLASSA system{};
    GetClassInfoA(nullptr, "BUTTON", &system);
    EXPECT_EQ(button->DefWndProc, system.lpfnWndProc);
    EXPECT_FALSE(GetClassLongA(window, GCL_STYLE) & (CS_OWNDC | CS_CLASSDC | CS_PARENTDC));
    EXPECT_TRUE(GetClassLongA(form->Handle, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_FALSE(GetClassLongA(form->Handle, GCL_STYLE) & CS_OWNDC);
    // Initial bounds: inside the parent's margin, 64 wide, 22 high for a button.
    EXPECT_TRUE(RectIs(WindowRectIn(window, form->Handle), 2, 2, 66, 24));
}

TEST_F(ControlWindow, VisibilityNeverSetIsShownOnTheNextCreateWindow) {
    Control *form = Form();
    Control *pending = Child(form);
    Control *fixed = Child(form);
    fixed->SetVisible(false);
    form->GetWindowHandle();
    Control *late = Child(form);

    MessageLog log{WM_CREATE, WM_SHOWWINDOW};
    late->AttachProc(&LogMessages);
    const HWND window = late->GetWindowHandle();
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(late->ShowPending);
    EXPECT_TRUE(SequenceIs(log, {{WM_CREATE}}));
    log.Clear();
    EXPECT_TRUE(late->CreateWindow());
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(late->ShowPending);
    EXPECT_FALSE(late->VisibilityFixed);
    EXPECT_TRUE(SequenceIs(log, {{WM_SHOWWINDOW, Expect::WParam, TRUE}}));

    // Made with its parent's window, a child is created as it stands.
    EXPECT_TRUE(GetWindowLongA(pending->Handle, GWL_STYLE) & WS_VISIBLE);
    fixed->CreateWindow();
    EXPECT_FALSE(GetWindowLongA(fixed->Handle, GWL_STYLE) & WS_VISIBLE) << "fixed invisible stays hidden";

    Control *hidden = Child(form);
    hidden->SetVisible(false);
    hidden->GetWindowHandle();
    hidden->CreateWindow();
    EXPECT_FALSE(GetWindowLongA(hidden->Handle, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(hidden->ShowPending);
}

TEST_F(ControlWindow, FormsOpenAtTheDefaultPositionUntilOneIsSet) {
    Control *fresh = NewForm(nullptr, "fresh");
    Forms.push_back(fresh);
    fresh->SetVisible(false);
    fresh->SetPosition(0, 0);
    EXPECT_EQ(fresh->PositionSet, 0) << "(0, 0) changes nothing on a new form";
    fresh->SetPosition(70, 0);
    EXPECT_EQ(fresh->PositionSet, 1);
    fresh->SetPosition(70, 90);
    EXPECT_EQ(fresh->PositionSet, 3);
    RECT rect;
    GetWindowRect(fresh->GetWindowHandle(), &rect);
    EXPECT_EQ(rect.left, 70);
    EXPECT_EQ(rect.top, 90);
    EXPECT_EQ(fresh->GetLeft(), 70) << "a top-level form's bounds are in screen coordinates";
    fresh->SetWidth(300);
    EXPECT_EQ(fresh->GetLeft(), 70) << "sizing does not move the form";
}

TEST_F(ControlWindow, SetClientSizeKeepsTheFrame) {
    Control *form = Form();
    form->SetClientSize(231, 104);
    RECT client;
    GetClientRect(form->Handle, &client);
    EXPECT_EQ(client.right, 231);
    EXPECT_EQ(client.bottom, 104);
    EXPECT_EQ(form->ClientWidth(), 231);
    form->ClientInsets = {5, 6, 7, 8};
    EXPECT_TRUE(RectIs(form->ClientRect(), 7, 5, 231 - 8, 104 - 6));
    form->SetSize(0, 300);
    EXPECT_EQ(form->GetHeight(), 300);
    EXPECT_GT(form->GetWidth(), 231) << "a zero argument keeps the width";
}

TEST_F(ControlWindow, BorderlessFormIsAPopupWithoutFrame) {
    Control *form = Form();
    form->GetWindowHandle();
    form->SetHasBorder(false);
    const auto style = static_cast<DWORD>(GetWindowLongA(form->Handle, GWL_STYLE));
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(style & WS_POPUP);
    RECT window;
    RECT client;
    GetWindowRect(form->Handle, &window);
    GetClientRect(form->Handle, &client);
    EXPECT_EQ(window.right - window.left, client.right) << "no frame is left";
    form->SetHasBorder(true);
    EXPECT_TRUE(GetWindowLongA(form->Handle, GWL_STYLE) & WS_CAPTION);

    Control *button = NewButton(form, "b");
    button->SetHasBorder(true);
    EXPECT_TRUE(button->Style & WS_BORDER) << "a button is not 3D";
    EXPECT_TRUE(button->Style & WS_TABSTOP);
    button->SetHasBorder(false);
    EXPECT_FALSE(button->Style & WS_BORDER);
    EXPECT_TRUE(button->Style & WS_TABSTOP) << "the tab stop survives the frame bits it shares";
}

TEST_F(ControlWindow, EnabledAndColorSettersReachTheWindow) {
    Control *form = Form();
    Control *edit = NewEditBox(form, 0);
    EXPECT_TRUE(edit->ExStyle & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(edit->Style & WS_BORDER);
    EXPECT_EQ(edit->Style & (WS_HSCROLL | WS_VSCROLL), 0u) << "scroll bars only on a multi-line box";
    EXPECT_TRUE(edit->Style & (ES_AUTOHSCROLL | ES_AUTOVSCROLL));
    EXPECT_EQ(edit->GetWidth(), 100);
    EXPECT_EQ(edit->GetHeight(), 22);
    Control *memo = NewEditBox(form, EditOption::MultiLine | EditOption::NoHScroll | EditOption::ReadOnly);
    EXPECT_EQ(memo->Style & (WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_READONLY),
              WS_VSCROLL | ES_MULTILINE | ES_READONLY);
    EXPECT_EQ(memo->GetWidth(), 200);

    edit->SetEnabled(false);
    EXPECT_TRUE(edit->Style & WS_DISABLED);
    edit->GetWindowHandle();
    EXPECT_FALSE(IsWindowEnabled(edit->Handle));
    edit->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(edit->Handle));

    Control *other = Child(form);
    EXPECT_EQ(other->Color, form->Color) << "children take the parent's colour";
    other->SetColor(0x00123456);
    EXPECT_NE(other->Handle, nullptr) << "setting the colour makes the window";
    EXPECT_EQ(other->Color, 0x00123456u);
}

TEST_F(ControlWindow, AppletIsAHiddenWindowWithATrimmedSystemMenu) {
    Applet = nullptr;
    Control *applet = StartToolkit();
    ASSERT_EQ(applet, Applet);
    EXPECT_EQ(StartToolkit(), applet) << "made once";
    ASSERT_NE(applet->Handle, nullptr);
    EXPECT_EQ(TextOf(applet->Handle), "vexlet");
    EXPECT_FALSE(IsWindowVisible(applet->Handle));
    EXPECT_TRUE(GetWindowLongA(applet->Handle, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    const HMENU menu = GetSystemMenu(applet->Handle, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_TRUE(GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_NE(SendMessageA(applet->Handle, WM_GETICON, ICON_BIG, 0), 0) << "the library's icon";

    // A form of the applet gets a copy of the applet's icon, released with it.
    Control *form = NewForm(applet, "child");
    form->SetVisible(false);
    const HWND window = form->GetWindowHandle();
    const auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(icon, form->Icon);
    ObjectBase::Free(form);
    EXPECT_EQ(applet->ChildCount(), 0);
    EXPECT_FALSE(IsWindow(window));
    ObjectBase::Free(applet);
}

TEST_F(ControlWindow, AppletAnswersForWindowsWhoseControlIsGone) {
    Applet = NewApplet("applet");
    Applet->SetVisible(false);
    const HWND appletWindow = Applet->GetWindowHandle();
    MessageLog log{WM_DESTROY, WM_NCDESTROY};
    Applet->AttachProc(&LogMessages);
    Control *form = Form();
    const HWND formWindow = form->GetWindowHandle();
    ObjectBase::Free(form);
    EXPECT_TRUE(SequenceIs(log, {{WM_DESTROY}, {WM_NCDESTROY}}));
    for (const LoggedMessage &m : log.Entries)
        EXPECT_EQ(m.Window, formWindow);
    EXPECT_EQ(Applet->WindowDestroyed, 0) << "another window's end is not the applet's";
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));

    ObjectBase::Free(Applet);
    EXPECT_EQ(Applet, nullptr);
    EXPECT_FALSE(IsWindow(appletWindow));
}

TEST_F(ControlWindow, DestroyReleasesChildrenFirstAndClearsReferences) {
    Control *form = Form();
    std::vector<std::string> order;
    auto note = [](void *data, ObjectBase *sender) {
        static_cast<std::vector<std::string> *>(data)->push_back(static_cast<Control *>(sender)->Caption);
    };
    Control *first = NewButton(form, "first");
    Control *second = NewButton(form, "second");
    first->OnDestroy = {note, &order};
    second->OnDestroy = {note, &order};
    form->GetWindowHandle();
    const HWND firstWindow = first->Handle;
    EXPECT_EQ(form->CurrentControl, first) << "the first tab stop";
    ObjectBase::Free(form);
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(IsWindow(firstWindow));

    // A control taken out of its parent is no longer released with it.
    Control *keeper = Form();
    Control *moved = Child(keeper);
    Control *other = Form();
    moved->SetParent(other);
    EXPECT_EQ(keeper->ChildCount(), 0);
    ObjectBase::Free(keeper);
    EXPECT_EQ(other->GetChild(0), moved);
    other->GetWindowHandle();
    EXPECT_EQ(GetParent(moved->Handle), other->Handle);
}

} // namespace
