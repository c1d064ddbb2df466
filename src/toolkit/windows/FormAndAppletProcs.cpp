// The procedures of forms (focus and background) and of the application window.
#include "toolkit/windows/Control.h"

#include "toolkit/windows/ControlDrawingHooks.h"
#include "toolkit/windows/ControlInternals.h"

namespace {

void RecordActiveForm(Control *form) {
    if (Applet && Applet != form)
        Applet->CurrentControl = form;
}

// Gives the focus to the control that holds it for a form or the applet; false when there is none.
bool FocusCurrentControl(Control *owner) {
    Control *current = owner->CurrentControl;
    if (!current || current == owner)
        return false;
    if (current->CreateWindow())
        SetFocus(current->Handle);
    return true;
}

} // namespace

bool FormFocusProc(Control *control, WindowMessage &message, LRESULT &) {
    if (message.Msg != WM_SETFOCUS)
        return false;
    RecordActiveForm(control);
    return FocusCurrentControl(control);
}

bool FormBackgroundProc(Control *control, WindowMessage &message, LRESULT &result) {
    if (message.Msg != WM_ERASEBKGND)
        return false;
    result = 1;
    // Every child window exists before the form is first painted.
    CreateChildWindows(control);
    const auto dc = reinterpret_cast<HDC>(message.WParam);
    RECT client;
    GetClientRect(message.Hwnd, &client);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(control->Color));
    SetBrushOrgEx(dc, 0, 0, nullptr);
    FillRect(dc, &client, ControlBrushHook(control));
    return false;
}

bool AppletProc(Control *applet, WindowMessage &message, LRESULT &result) {
    if (message.Hwnd != applet->Handle)
        return false;
    if (message.Msg == WM_SETFOCUS)
        return FocusCurrentControl(applet);
    if (message.Msg == WM_SYSCOMMAND && (message.WParam & 0xFFF0) == SC_CLOSE && applet->ChildCount() > 0 &&
        IsMainForm(applet->GetChild(0))) {
        applet->GetChild(0)->Close();
        result = 0;
        return true;
    }
    return false;
}
