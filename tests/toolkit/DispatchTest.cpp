// The dispatch of messages to attached procedures, the built-in handling and default processing, and the events
// it drives.
#include "toolkit/ToolkitFixture.h"

#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/objects/PtrList.h"

#include <stdexcept>

namespace {

using Dispatch = ToolkitTest;

std::vector<std::string> journal;

void Note(const std::string &entry) { journal.push_back(entry); }

// Procedures that note what they see; First also notes the window text at that moment.
bool First(Control *control, WindowMessage &message, LRESULT &) {
    if (message.Msg == WM_SETTEXT)
        Note("first sees " + ToolkitTest::TextOf(control->Handle));
    return false;
}

bool Second(Control *, WindowMessage &message, LRESULT &result) {
    if (message.Msg != WM_SETTEXT)
        return false;
    Note("second");
    // Texts starting with '!' are handled here and never reach default processing.
    if (reinterpret_cast<const char *>(message.LParam)[0] != '!')
        return false;
    result = 42;
    return true;
}

// Notes the click notifications a control receives, and their reflection.
bool NoteClickCommands(Control *control, WindowMessage &message, LRESULT &) {
    if (message.Msg == WM_COMMAND && HIWORD(message.WParam) == BN_CLICKED)
        Note(control->Caption + " WM_COMMAND");
    if (message.Msg == 0xB005 && HIWORD(message.WParam) == BN_CLICKED)
        Note(control->Caption + " reflected");
    return false;
}

void NoteClick(void *, ObjectBase *sender) { Note(static_cast<Control *>(sender)->Caption + " clicked"); }

TEST_F(Dispatch, AttachedProceduresRunNewestFirstThenDefaultProcessing) {
    journal.clear();
    Control *control = Child(Form());
    control->GetWindowHandle();
    control->AttachProc(&First)->AttachProc(&Second);
    const std::int32_t count = control->AttachedProcs->Count;
    control->AttachProc(&First);
    EXPECT_EQ(control->AttachedProcs->Count, count) << "attaching twice leaves one entry";

    SendMessageA(control->Handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new"));
    EXPECT_EQ(journal, (std::vector<std::string>{"second", "first sees "}));
    EXPECT_EQ(TextOf(control->Handle), "new") << "default processing came last";

    journal.clear();
    EXPECT_EQ(SendMessageA(control->Handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("!stop")), 42);
    EXPECT_EQ(journal, std::vector<std::string>{"second"});
    EXPECT_EQ(TextOf(control->Handle), "new");
}

TEST_F(Dispatch, CommandsAreReflectedToTheChildAfterTheParentsProcedures) {
    journal.clear();
    Control *form = Form();
    form->Caption = "form";
    Control *button = NewButton(form, "button");
    form->AttachProc(&NoteClickCommands);
    button->AttachProc(&NoteClickCommands);
    button->OnClick = {&NoteClick, nullptr};
    button->GetWindowHandle();
    SendMessageA(form->Handle, WM_COMMAND, MAKEWPARAM(button->ControlId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button->Handle));
    EXPECT_EQ(journal, (std::vector<std::string>{"form WM_COMMAND", "button reflected", "button clicked"}));
}

TEST_F(Dispatch, ButtonDoubleClickIsASecondPress) {
    journal.clear();
    Control *form = Form();
    Control *button = NewButton(form, "button");
    button->OnClick = {&NoteClick, nullptr};
    // The same button without the double-click procedure: the system reports a double click, not a click.
    Control *plain = NewCommonControl(form, "BUTTON", 0x50015000, false, &ButtonActions);
    plain->Caption = "plain";
    plain->OnClick = {&NoteClick, nullptr};
    form->GetWindowHandle();
    for (Control *target : {button, plain}) {
        Click(target->Handle, 5, 5);
        SendMessageA(target->Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(target->Handle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"button clicked", "button clicked", "plain clicked"}));
}

TEST_F(Dispatch, MouseHandlerThatStopsHandlingKeepsTheMessageFromDefaultProcessing) {
    journal.clear();
    Control *form = Form();
    Control *button = NewButton(form, "button");
    button->OnClick = {&NoteClick, nullptr};
    MouseEventData seen;
    button->SetOnMouseDown({[](void *data, ObjectBase *, MouseEventData &mouse) {
                                *static_cast<MouseEventData *>(data) = mouse;
                                mouse.StopHandling = mouse.X < 10;
                            },
                            &seen});
    form->GetWindowHandle();
    SetKeyDown(VK_MENU, true);
    Click(button->Handle, 4, 7);
    SetKeyDown(VK_MENU, false);
    EXPECT_EQ(seen.Button, 1);
    EXPECT_EQ(seen.X, 4);
    EXPECT_EQ(seen.Y, 7);
    EXPECT_EQ(seen.Shift, MK_LBUTTON | ShiftState::Alt);
    EXPECT_TRUE(journal.empty()) << "the button never saw the press";
    Click(button->Handle, 12, 7);
    EXPECT_EQ(journal, std::vector<std::string>{"button clicked"});
}

TEST_F(Dispatch, KeyHandlersSeeTheShiftStateAndZeroedKeysAreHandled) {
    Control *form = Form();
    Control *edit = NewEditBox(form, 0);
    std::uint32_t shift = 0;
    edit->SetOnChar({[](void *data, ObjectBase *, WPARAM &key, std::uint32_t state) {
                         *static_cast<std::uint32_t *>(data) = state;
                         if (key == 'x')
                             key = 0;
                         else if (key == 'u')
                             key = 'U';
                     },
                     &shift});
    form->GetWindowHandle();
    SetKeyDown(VK_SHIFT, true);
    for (char ch : {'a', 'x', 'u'})
        SendMessageA(edit->Handle, WM_CHAR, static_cast<WPARAM>(ch), 1);
    EXPECT_EQ(TextOf(edit->Handle), "aU");
    EXPECT_EQ(shift, ShiftState::Shift);
}

TEST_F(Dispatch, TabCharacterNeverReachesDefaultProcessingWithoutCtrlOrAlt) {
    Control *form = Form();
    Control *memo = NewEditBox(form, EditOption::MultiLine);
    form->GetWindowHandle();
    SendMessageA(memo->Handle, WM_CHAR, VK_TAB, 1);
    SendMessageA(memo->Handle, WM_CHAR, 'a', 1);
    EXPECT_EQ(TextOf(memo->Handle), "a");
    SetKeyDown(VK_CONTROL, true);
    SendMessageA(memo->Handle, WM_CHAR, VK_TAB, 1);
    EXPECT_EQ(TextOf(memo->Handle), "a\t") << "with Ctrl down the box gets its tab";
}

struct DestroyProbe {
    bool Destroyed = false;
    std::vector<bool> DestroyedAt;
};

void MarkDestroyed(void *data, ObjectBase *) { static_cast<DestroyProbe *>(data)->Destroyed = true; }

bool NestedDuringDestroy(Control *control, WindowMessage &message, LRESULT &) {
    auto *probe = reinterpret_cast<DestroyProbe *>(control->Tag);
    if (message.Msg == WM_DESTROY) {
        SendMessageA(control->Handle, WM_USER + 7, 0, 0);
        probe->DestroyedAt.push_back(probe->Destroyed);
    }
    if (message.Msg == WM_USER + 7)
        probe->DestroyedAt.push_back(probe->Destroyed);
    if (message.Msg == WM_USER + 8) {
        DestroyWindow(control->Handle);
        probe->DestroyedAt.push_back(probe->Destroyed);
        return true;
    }
    return false;
}

TEST_F(Dispatch, WindowDestroyedFromOutsideReleasesItsControlWhenTheOutermostCallReturns) {
    Control *form = Form();
    for (UINT trigger : {WM_NULL, WM_USER + 8}) {
        DestroyProbe probe;
        Control *control = Child(form);
        control->Tag = reinterpret_cast<std::intptr_t>(&probe);
        control->OnDestroy = {&MarkDestroyed, &probe};
        control->AttachProc(&NestedDuringDestroy);
        const HWND window = control->GetWindowHandle();
        if (trigger == WM_NULL)
            DestroyWindow(window);
        else
            SendMessageA(window, trigger, 0, 0); // destroys the window from inside its own handling
        EXPECT_TRUE(probe.Destroyed);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(form->ChildCount(), 0) << "the control left its parent";
        // Nested calls, and the WM_DESTROY call inside a handler, saw the control alive.
        for (bool destroyed : probe.DestroyedAt)
            EXPECT_FALSE(destroyed);
        EXPECT_EQ(probe.DestroyedAt.size(), trigger == WM_NULL ? 2u : 3u);
    }
}

TEST_F(Dispatch, ControlFreedByItsOwnHandlerLivesUntilTheCallReturns) {
    Control *form = Form();
    Control *button = NewButton(form, "button");
    bool destroyed = false;
    button->OnDestroy = {[](void *data, ObjectBase *) { *static_cast<bool *>(data) = true; }, &destroyed};
    button->OnClick = {[](void *, ObjectBase *sender) {
                           ObjectBase::Free(sender);
                           // Still usable here: the dispatch holds it.
                           static_cast<Control *>(sender)->Caption = "still here";
                       },
                       nullptr};
    form->GetWindowHandle();
    const HWND window = button->Handle;
    Click(window, 5, 5);
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form->ChildCount(), 0);
}

TEST_F(Dispatch, ParentFreedByAChildHandlerDoesNotTakeTheChildDownMidCall) {
    Control *form = Form();
    Control *button = NewButton(form, "close");
    bool destroyed = false;
    button->OnDestroy = {[](void *data, ObjectBase *) { *static_cast<bool *>(data) = true; }, &destroyed};
    button->OnClick = {[](void *, ObjectBase *sender) {
                           ObjectBase::Free(static_cast<Control *>(sender)->Parent);
                           static_cast<Control *>(sender)->Caption = "after the form";
                       },
                       nullptr};
    form->GetWindowHandle();
    Click(button->Handle, 5, 5);
    EXPECT_TRUE(destroyed);
}

// A quit is the host's: the pump posts it again with its exit code, stops, and the toolkit keeps working.
TEST_F(Dispatch, ThePumpHandsAQuitBackAndProceduresKeepRunning) {
    Control *control = Child(Form());
    control->GetWindowHandle();
    MessageLog log{WM_USER, WM_SETTEXT};
    control->AttachProc(&LogMessages);
    for (const int code : {0, 7, -3}) {
        SCOPED_TRACE(code);
        log.Entries.clear();
        const std::uint32_t before = QuitsHandedBack;
        PostMessageA(control->Handle, WM_USER, 1, 0);
        PostQuitMessage(code);
        Control::ProcessMessages();
        EXPECT_EQ(QuitsHandedBack, before + 1);
        EXPECT_EQ(log.Entries.size(), 1u) << "what was posted before the quit ran";
        SendMessageA(control->Handle, WM_USER, 2, 0);
        EXPECT_EQ(log.Entries.size(), 2u) << "procedures still run";
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the host's loop meets its quit";
        EXPECT_EQ(static_cast<int>(msg.wParam), code);
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "once";
    }
    EXPECT_FALSE(Terminated);
}

TEST_F(Dispatch, ProcessMessagesDispatchesWhatIsPostedMeanwhile) {
    Control *control = Child(Form());
    control->GetWindowHandle();
    EXPECT_FALSE(Control::ProcessMessage()) << "nothing waiting";
    MessageLog log{WM_USER, WM_USER + 1};
    control->AttachProc(&LogMessages);
    control->AttachProc([](Control *self, WindowMessage &message, LRESULT &) {
        if (message.Msg == WM_USER)
            PostMessageA(self->Handle, WM_USER + 1, 0, 0);
        return false;
    });
    PostMessageA(control->Handle, WM_USER, 0, 0);
    Control::ProcessMessages();
    EXPECT_TRUE(SequenceIs(log, {{WM_USER}, {WM_USER + 1}}));
}

TEST_F(Dispatch, EditNotificationsBecomeEvents) {
    journal.clear();
    Control *form = Form();
    Control *edit = NewEditBox(form, 0);
    edit->Caption = "edit";
    edit->OnChange = {[](void *, ObjectBase *) { Note("change"); }, nullptr};
    edit->OnEnter = {[](void *, ObjectBase *) { Note("enter"); }, nullptr};
    edit->OnLeave = {[](void *, ObjectBase *) { Note("leave"); }, nullptr};
    edit->OnClick = {&NoteClick, nullptr};
    Control *button = NewButton(form, "button");
    form->GetWindowHandle();
    SetFocus(edit->Handle);
    SendMessageA(edit->Handle, WM_CHAR, 'z', 1);
    SetFocus(button->Handle);
    EXPECT_EQ(journal, (std::vector<std::string>{"enter", "change", "leave"}));
    EXPECT_EQ(form->CurrentControl, button) << "a focused control becomes the form's current one";
}

TEST_F(Dispatch, ChildColorsAreAnsweredByTheChild) {
    Control *form = Form();
    Control *edit = NewEditBox(form, 0);
    form->GetWindowHandle();
    const HDC dc = GetDC(edit->Handle);
    const LRESULT brush = SendMessageA(form->Handle, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(edit->Handle));
    ReleaseDC(edit->Handle, dc);
    EXPECT_NE(brush, 0);
    // The cached colour brush, or the form's brush tool once drawing tools are in use.
    const HBRUSH formBrush = form->Brush ? static_cast<HBRUSH>(form->Brush->Handle) : form->ColorBrush;
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), formBrush) << "the colour is the form's, so is the brush";
}

} // namespace

// A window destroyed from outside releases its control when its last message returns; a handler that throws in that
// teardown is stopped at the window procedure's edge, like one that throws while a message is handled.
TEST_F(Dispatch, AThrowInTheSelfReleaseStaysInsideTheWindowProcedure) {
    Control *control = Child(Form());
    control->GetWindowHandle();
    bool ran = false;
    control->OnDestroy = {[](void *data, ObjectBase *) {
                              *static_cast<bool *>(data) = true;
                              throw std::runtime_error("teardown failed");
                          },
                          &ran};
    const HWND window = control->Handle;
    EXPECT_NO_THROW(DestroyWindow(window));
    EXPECT_TRUE(ran) << "the control released itself";
    EXPECT_FALSE(IsWindow(window));
    control->Destroy(); // the rest of the teardown the throw cut short
}
