// The one window procedure of the toolkit and the fixed dispatch of a control: attached procedures (newest first),
// the handling built into every control, then default processing.
#include "toolkit/windows/Control.h"

#include "toolkit/messages/LibraryCalls.h"
#include "toolkit/objects/ProcEntry.h"
#include "toolkit/objects/PtrList.h"
#include "toolkit/windows/ControlInternals.h"

void (*AfterAttachHook)(PtrList *procs) = nullptr;
std::atomic<int> CallsInLibrary{0};

namespace {

bool RunAttachedProcs(Control *control, WindowMessage &message) {
    PtrList *procs = control->AttachedProcs;
    if (control->RefCount < 0 || !procs || procs->Count == 0)
        return false;
    // The reference keeps the control alive through the walk when a procedure frees it.
    control->AddRef();
    bool handled = false;
    for (std::int32_t i = procs->Count - 2; i >= 0 && !handled; i -= 2) {
        procs = control->AttachedProcs;
        if (!procs || i + 1 >= procs->Count)
            continue;
        const MessageProc proc = EntryToProc<MessageProc>(procs->Get(i));
        const bool runsAfterQuit = procs->Get(i + 1) != nullptr;
        if (Terminated && !runsAfterQuit)
            continue;
        handled = proc(control, message, message.Result);
    }
    ObjectBase::Free(control);
    return handled;
}

bool IsChildMinimize(const Control *control, const WindowMessage &message) {
    return (message.WParam & 0xFFF0) == SC_MINIMIZE && control != Applet && IsMainForm(control);
}

LRESULT KeyMessage(Control *control, WindowMessage &message) {
    message.Result = reinterpret_cast<LRESULT>(GetFocus());
    if (control->KeyHook && control->KeyHook(control, message))
        return message.Result;
    const bool ctrlOrAlt = (GetKeyState(VK_CONTROL) < 0) || (GetKeyState(VK_MENU) < 0);
    if (!ctrlOrAlt && message.Msg == WM_CHAR && message.WParam == VK_TAB) {
        // Tab moves between controls; it is never typed into one.
        message.WParam = 0;
        return message.Result = 0;
    }
    return DefaultProcessing(control, message);
}

} // namespace

LRESULT DefaultProcessing(Control *control, const WindowMessage &message) {
    if (control->DefWndProc)
        return CallWindowProcA(control->DefWndProc, message.Hwnd, message.Msg, message.WParam, message.LParam);
    return DefWindowProcA(message.Hwnd, message.Msg, message.WParam, message.LParam);
}

Control *Control::AttachProc(MessageProc proc) {
    ProcsRunner = &RunAttachedProcs;
    if (AttachedProcs->IndexOf(ProcToEntry(proc)) < 0) {
        AttachedProcs->Add(ProcToEntry(proc));
        AttachedProcs->Add(nullptr);
    }
    if (AfterAttachHook)
        AfterAttachHook(AttachedProcs);
    return this;
}

LRESULT Control::WndProc(WindowMessage &message) {
    if (message.Hwnd && !Handle)
        Handle = message.Hwnd;
    if (ProcsRunner && ProcsRunner(this, message))
        return message.Result;

    // The applet also answers for windows whose control is gone; what concerns the control's own window is not
    // done for those.
    const bool ownWindow = message.Hwnd == Handle;
    switch (message.Msg) {
    case WM_CLOSE:
        if (ownWindow && (this == Applet || IsMainForm(this)))
            PostQuitMessage(0);
        break;
    case WM_DESTROY:
        if (ownWindow)
            WindowDestroyed = 2;
        break;
    case WM_NCDESTROY:
        return message.Result = 0;
    case WM_SIZE:
        message.Result = DefaultProcessing(this, message);
        AlignHook(this);
        return message.Result;
    case WM_SYSCOMMAND:
        if (IsChildMinimize(this, message) && Applet && Applet->Handle) {
            PostMessageA(Applet->Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return message.Result = 0;
        }
        break;
    case WM_SETFOCUS:
        if (!ownWindow)
            break;
        if (!Enabled && !(TabStop && (Style & WS_TABSTOP)))
            return message.Result = 0;
        ++FocusDepth;
        ::SetFocus(Handle);
        message.Result = DefaultProcessing(this, message);
        --FocusDepth;
        return message.Result;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return message.Result = SendMessageA(reinterpret_cast<HWND>(message.LParam), message.Msg + ReflectedColorOffset,
                                             message.WParam, message.LParam);
    case WM_COMMAND: {
        const auto child = reinterpret_cast<HWND>(message.LParam);
        if (child && GetWindowLongPtrA(child, GWLP_USERDATA))
            return message.Result = SendMessageA(child, ReflectedCommand, message.WParam, message.LParam);
        break;
    }
    default:
        if (message.Msg >= WM_KEYDOWN && message.Msg <= WM_SYSDEADCHAR)
            return message.Result = KeyMessage(this, message);
        break;
    }
    return message.Result = DefaultProcessing(this, message);
}

LRESULT CALLBACK ToolkitWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LibraryCall call;
    auto *control = reinterpret_cast<Control *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!control && ControlBeingCreated && !ControlBeingCreated->Handle) {
        control = ControlBeingCreated;
        ControlBeingCreated = nullptr;
        control->Handle = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    if (!control) {
        // The applet answers for windows without a control, once its own window exists.
        if (!Applet || !Applet->Handle || Applet->RefCount < 0)
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        control = Applet;
    }

    // Each call holds a reference: a control freed while any call for it is on the stack is destroyed when the
    // outermost one returns.
    control->AddRef();
    ++control->MessageDepth;
    WindowMessage message{hwnd, msg, wParam, lParam, 0};
    LRESULT result = 0;
    try {
        result = control->WndProc(message);
    } catch (...) {
        // Nothing may leave a window procedure; the message counts as handled with result 0.
        result = 0;
    }
    --control->MessageDepth;
    // The releases run the control's teardown and its destroy handlers, which may throw as well.
    try {
        if (control->MessageDepth == 0 && control->RefCount == 2 && control->WindowDestroyed && control != Applet)
            ObjectBase::Free(control); // the window was destroyed from outside: the control releases itself
        ObjectBase::Free(control);
    } catch (...) {
    }
    return result;
}

void HandOverWindows(Control *control) {
    if (!control)
        return;
    const HWND window = control->Handle;
    DWORD process = 0;
    if (window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId() &&
        GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ToolkitWindowProc)) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
        // The default procedure destroys a window on WM_CLOSE: its owner's loop ends it, outside the loader lock.
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    control->Handle = nullptr;
    control->WindowDestroyed = 1;
    for (std::int32_t i = 0; i < control->ChildCount(); ++i)
        HandOverWindows(control->GetChild(i));
}
