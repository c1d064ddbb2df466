// The message procedures that turn messages into events: reflected notifications and colours (command
// procedure), mouse and key events, the button's double click and the cursor.
#include "toolkit/windows/Control.h"

#include "toolkit/windows/ControlDrawingHooks.h"
#include "toolkit/windows/ControlInternals.h"

namespace {

constexpr UINT ReflectedColorFirst = WM_CTLCOLORMSGBOX + ReflectedColorOffset;
constexpr UINT ReflectedColorLast = WM_CTLCOLORSTATIC + ReflectedColorOffset;

// A click moves the focus to a control that takes it.
void TakeFocusForClick(Control *control) {
    if (!control->TabStop)
        return;
    if (!control->IsControl) {
        SetForegroundWindow(control->Handle);
        return;
    }
    Control *form = control->ParentForm();
    if (form && form->CurrentControl && form->CurrentControl != control)
        SetFocus(nullptr);
    if (form)
        form->CurrentControl = control;
    SetFocus(control->Handle);
}

bool MouseProc(Control *control, WindowMessage &message, LRESULT &) {
    MouseEvent *slot = nullptr;
    std::uint8_t button = 0;
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        slot = &control->OnMouseMove;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        slot = &control->OnMouseDown;
        button = static_cast<std::uint8_t>((message.Msg - WM_LBUTTONDOWN) / 3 + 1);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        slot = &control->OnMouseUp;
        button = static_cast<std::uint8_t>((message.Msg - WM_LBUTTONUP) / 3 + 1);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        slot = &control->OnMouseDblClk;
        button = static_cast<std::uint8_t>((message.Msg - WM_LBUTTONDBLCLK) / 3 + 1);
        break;
    case WM_MOUSEWHEEL:
        slot = &control->OnMouseWheel;
        break;
    default:
        return false;
    }
    if (!*slot)
        return false;
    MouseEventData data;
    data.Button = button;
    data.Shift = static_cast<std::uint32_t>(message.WParam) | (GetKeyState(VK_MENU) < 0 ? ShiftState::Alt : 0);
    data.X = static_cast<std::int16_t>(LOWORD(static_cast<DWORD_PTR>(message.LParam)));
    data.Y = static_cast<std::int16_t>(HIWORD(static_cast<DWORD_PTR>(message.LParam)));
    (*slot)(control, data);
    return data.StopHandling;
}

std::uint32_t CurrentShiftState() {
    std::uint32_t state = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        state |= ShiftState::Shift;
    if (GetKeyState(VK_CONTROL) < 0)
        state |= ShiftState::Ctrl;
    if (GetKeyState(VK_MENU) < 0)
        state |= ShiftState::Alt;
    if (GetKeyState(VK_LBUTTON) < 0)
        state |= ShiftState::LeftButton;
    if (GetKeyState(VK_RBUTTON) < 0)
        state |= ShiftState::RightButton;
    if (GetKeyState(VK_MBUTTON) < 0)
        state |= ShiftState::MiddleButton;
    if (GetKeyState(VK_CAPITAL) & 1)
        state |= ShiftState::CapsLock;
    return state;
}

bool KeyDispatch(Control *control, WindowMessage &message) {
    KeyEvent *slot = nullptr;
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        slot = &control->OnKeyDown;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        slot = &control->OnKeyUp;
        break;
    case WM_CHAR:
        slot = &control->OnChar;
        break;
    default:
        return false;
    }
    if (!*slot)
        return false;
    (*slot)(control, message.WParam, CurrentShiftState());
    return message.WParam == 0;
}

Control *SetMouseEvent(Control *control, MouseEvent &slot, MouseEvent handler) {
    slot = handler;
    return control->AttachProc(&MouseProc);
}

Control *SetKeyEvent(Control *control, KeyEvent &slot, KeyEvent handler) {
    slot = handler;
    control->KeyHook = &KeyDispatch;
    return control;
}

} // namespace

bool CommandProc(Control *control, WindowMessage &message, LRESULT &result) {
    if (message.Msg == ReflectedCommand) {
        const WORD code = HIWORD(message.WParam);
        const CommandActionTable &actions = control->CommandActions;
        if (code == actions.Click) {
            if (control->FocusDepth < 1)
                TakeFocusForClick(control);
            control->OnClick(control);
        } else if (code == actions.FocusGained) {
            control->OnEnter(control);
        } else if (code == actions.FocusLost) {
            control->OnLeave(control);
        } else if (code == actions.Change) {
            control->OnChange(control);
        } else {
            return false;
        }
        result = DefaultProcessing(control, message);
        return true;
    }
    if (message.Msg >= ReflectedColorFirst && message.Msg <= ReflectedColorLast) {
        const auto dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ColorToRGB(control->TextColor));
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ColorToRGB(control->Color));
        result = reinterpret_cast<LRESULT>(ControlBrushHook(control));
        return true;
    }
    if (message.Msg == WM_SETFOCUS)
        if (Control *form = control->ParentForm())
            form->CurrentControl = control;
    return false;
}

// A quick second press on a button is a second click, not a double click.
bool ButtonDblClkProc(Control *, WindowMessage &message, LRESULT &) {
    if (message.Msg == WM_LBUTTONDBLCLK)
        message.Msg = WM_LBUTTONDOWN;
    return false;
}

bool CursorProc(Control *control, WindowMessage &message, LRESULT &result) {
    if (message.Msg != WM_SETCURSOR || LOWORD(static_cast<DWORD_PTR>(message.LParam)) != HTCLIENT || GetCapture() ||
        !control->Cursor)
        return false;
    SetCursor(control->Cursor);
    result = 1;
    return true;
}

Control *Control::SetOnKeyDown(KeyEvent handler) { return SetKeyEvent(this, OnKeyDown, handler); }
Control *Control::SetOnChar(KeyEvent handler) { return SetKeyEvent(this, OnChar, handler); }
Control *Control::SetOnMouseDown(MouseEvent handler) { return SetMouseEvent(this, OnMouseDown, handler); }
Control *Control::SetOnMouseUp(MouseEvent handler) { return SetMouseEvent(this, OnMouseUp, handler); }
Control *Control::SetOnMouseMove(MouseEvent handler) { return SetMouseEvent(this, OnMouseMove, handler); }
Control *Control::SetOnMouseDblClk(MouseEvent handler) { return SetMouseEvent(this, OnMouseDblClk, handler); }
Control *Control::SetOnMouseWheel(MouseEvent handler) { return SetMouseEvent(this, OnMouseWheel, handler); }
