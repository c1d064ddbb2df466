#include "toolkit/ToolkitFixture.h"

#include <algorithm>

void ToolkitTest::SetUp() {
    SavedApplet = Applet;
    Terminated = false;
    Pump();
}

void ToolkitTest::TearDown() {
    // Each form takes itself off the list as it goes, so the list is walked as a copy.
    const std::vector<Control *> forms = std::move(Forms);
    Forms.clear();
    for (Control *form : forms)
        ObjectBase::Free(form);
    Pump();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Applet = SavedApplet;
    Terminated = false;
    BYTE keys[256] = {};
    SetKeyboardState(keys);
}

Control *ToolkitTest::Form(bool visible) {
    Control *form = NewForm(nullptr, "Test form");
    form->SetVisible(visible);
    form->SetPosition(40, 40);
    form->SetSize(320, 240);
    // Freed by the test: the form's OnDestroy takes it off the list.
    form->OnDestroy = {[](void *data, ObjectBase *sender) {
                           auto &forms = *static_cast<std::vector<Control *> *>(data);
                           forms.erase(std::remove(forms.begin(), forms.end(), sender), forms.end());
                       },
                       &Forms};
    Forms.push_back(form);
    return form;
}

Control *ToolkitTest::Panel(LONG width, LONG height) {
    Control *form = Form(false);
    form->SetHasBorder(false);
    form->SetClientSize(width, height);
    form->SetVisible(true);
    return form;
}

Control *ToolkitTest::Child(Control *parent, DWORD style) {
    return NewCommonControl(parent, "Probe", style, false, nullptr);
}

void ToolkitTest::Pump() {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
}

std::string ToolkitTest::TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool LogMessages(Control *, WindowMessage &message, LRESULT &) {
    if (MessageLog::Active)
        MessageLog::Active->Record(message.Hwnd, message.Msg, message.WParam, message.LParam);
    return false;
}

void Click(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void SetKeyDown(int key, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}
