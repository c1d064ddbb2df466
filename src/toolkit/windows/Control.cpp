#include "toolkit/windows/Control.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/objects/PtrList.h"
#include "toolkit/objects/RectHelpers.h"
#include "toolkit/windows/ControlDrawingTools.h"
#include "toolkit/windows/ControlInternals.h"

Control *Applet = nullptr;

void DropColorBrush(Control *control) {
    if (control->ColorBrush)
        DeleteObject(control->ColorBrush);
    control->ColorBrush = nullptr;
}

void Control::Init() {
    AttachedProcs = NewPtrList();
    Children = NewPtrList();
}

void Control::InitWithParent(Control *parent) {
    if (parent)
        Color = parent->Color;
    SetParent(parent);
}

Control *NewControlBase(Control *parent, bool ctl3d, const char *baseClassName, ControlMaker make) {
    Control *control = make ? make() : NewObject<Control>();
    control->InitWithParent(parent);
    control->BaseClassName = baseClassName;
    if (parent) {
        control->Ctl3DMode = parent->Ctl3DMode;
        control->Ctl3D = parent->Ctl3DMode == 1 && ctl3d;
        control->TextColor = parent->TextColor;
        control->Color = parent->Color;
        if (parent->Font || parent->Brush)
            InheritTools(control, parent);
        control->Margin = parent->Margin;
    }
    return control;
}

Control *Control::SetParent(Control *parent) {
    if (parent == Parent)
        return this;
    if (Parent) {
        Parent->Children->Remove(this);
        Parent->RemoveFromAutoFree(this);
    }
    Parent = parent;
    if (parent) {
        parent->Children->Add(this);
        parent->AddToAutoFree(this);
        if (Handle)
            if (const HWND parentWindow = parent->GetWindowHandle())
                ::SetParent(Handle, parentWindow);
    }
    return Invalidate();
}

void Control::Destroy() {
    if (Applet == this)
        Applet = nullptr;
    if (Control *form = ParentForm(); form && form->CurrentControl == this)
        form->CurrentControl = nullptr;
    // The applet records forms that are not its children too.
    if (Applet && Applet != this && Applet->CurrentControl == this)
        Applet->CurrentControl = nullptr;
    if (Handle && !WindowDestroyed && IsWindow(Handle))
        ShowWindow(Handle, SW_HIDE);

    RunDestroyHandlers();
    // Children still held by a reference (a message of theirs is being handled) outlive this control: they must
    // not reach back to it when they go.
    for (std::int32_t i = 0; i < Children->Count; ++i)
        static_cast<Control *>(Children->Get(i))->Parent = nullptr;
    Children->Clear();

    if (!Destroying) {
        Destroying = true;
        FreeAndClear(Canvas);
        FreeAndClear(CustomObject);
        if (Handle) {
            if (Icon && Icon != NoIcon)
                DestroyIcon(Icon);
            Icon = nullptr;
            DestroyWindowOfControl();
            Handle = nullptr;
        }
        DropColorBrush(this);
        if (Parent) {
            if (Parent->CurrentControl == this)
                Parent->CurrentControl = nullptr;
            Parent->Children->Remove(this);
            Parent->RemoveFromAutoFree(this);
            Parent = nullptr;
        }
        FreeAndClear(AttachedProcs);
        FreeAndClear(Children);
        Caption.clear();
    }
    ObjectBase::Destroy();
}

void Control::DestroyWindowOfControl() {
    if (!IsWindow(Handle))
        return;
    // The window's last messages find no control and go to the applet.
    SetWindowLongPtrA(Handle, GWLP_USERDATA, 0);
    // A window that has seen WM_DESTROY is already on its way out.
    if (!WindowDestroyed)
        DestroyWindow(Handle);
}

bool Control::GetVisible() {
    if (Handle && !IsControl)
        Visible = IsWindowVisible(Handle) != FALSE;
    return Visible;
}

Control *Control::SetVisible(bool flag) {
    VisibilityFixed = true;
    ApplyVisible(flag);
    return this;
}

void Control::ApplyVisible(bool flag) {
    Style = flag ? Style | WS_VISIBLE : Style & ~WS_VISIBLE;
    Visible = flag;
    if (!Handle)
        return;
    if (!flag) {
        ShowPending = false;
        ShowWindow(Handle, SW_HIDE);
        AlignHook(this);
    } else {
        AlignHook(this);
        ShowWindow(Handle, SW_SHOW);
    }
}

Control *Control::SetEnabled(bool flag) {
    const bool current = Handle ? IsWindowEnabled(Handle) != FALSE : Enabled;
    if (flag == current)
        return this;
    Enabled = flag;
    Style = flag ? Style & ~WS_DISABLED : Style | WS_DISABLED;
    if (Handle)
        EnableWindow(Handle, flag);
    return Invalidate();
}

Control *Control::SetCaption(std::string_view text) {
    Caption.assign(text);
    if (Handle)
        SendMessageA(Handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Caption.c_str()));
    return this;
}

namespace {

constexpr UINT FrameChangedFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr DWORD FormFrame = 0x00CF0000; // caption, system menu, sizing frame, minimise and maximise boxes
constexpr DWORD BorderStyles = WS_CAPTION | WS_THICKFRAME;
constexpr DWORD BorderExStyles = 0x00010301;

} // namespace

Control *Control::SetStyle(DWORD style) {
    if (style == Style)
        return this;
    Style = style;
    if (!Handle)
        return this;
    SetWindowLongA(Handle, GWL_STYLE, static_cast<LONG>(style));
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0, FrameChangedFlags);
    return Invalidate();
}

Control *Control::SetExStyle(DWORD style) {
    if (style == ExStyle)
        return this;
    ExStyle = style;
    if (!Handle)
        return this;
    SetWindowLongA(Handle, GWL_EXSTYLE, static_cast<LONG>(style));
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0, FrameChangedFlags);
    return Invalidate();
}

Control *Control::SetClassStyle(UINT style) {
    if (style == ClassStyle)
        return this;
    ClassStyle = style;
    if (Handle)
        SetClassLongA(Handle, GCL_STYLE, static_cast<LONG>(style));
    return this;
}

Control *Control::SetHasBorder(bool flag) {
    if (Handle) {
        Style = static_cast<DWORD>(GetWindowLongA(Handle, GWL_STYLE));
        ExStyle = static_cast<DWORD>(GetWindowLongA(Handle, GWL_EXSTYLE));
    }
    const bool current = (ExStyle & WS_EX_CLIENTEDGE) || (Style & BorderStyles);
    if (flag == current)
        return this;
    DWORD style = Style;
    DWORD exStyle = ExStyle;
    if (flag) {
        if (!IsControl)
            style |= FormFrame;
        else if (Ctl3D)
            exStyle |= WS_EX_CLIENTEDGE;
        else
            style |= WS_BORDER;
    } else {
        style &= ~FormFrame;
        if (!IsControl)
            style |= WS_POPUP;
        exStyle &= ~BorderExStyles;
    }
    // WS_TABSTOP shares its bit with the maximise box.
    if (IsControl)
        style = TabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP;
    SetStyle(style);
    return SetExStyle(exStyle);
}

Control *Control::SetStayOnTop(bool flag) {
    if (flag == ((ExStyle & WS_EX_TOPMOST) != 0))
        return this;
    if (Handle)
        SetWindowPos(Handle, flag ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    ExStyle = flag ? ExStyle | WS_EX_TOPMOST : ExStyle & ~WS_EX_TOPMOST;
    return this;
}

Control *Control::SetColor(std::uint32_t color) {
    const HWND window = GetWindowHandle();
    if (window && CommandActions.ColorMessage)
        SendMessageA(window, CommandActions.ColorMessage, 0, static_cast<LPARAM>(ColorToRGB(color)));
    if (color == Color)
        return this;
    Color = color;
    DropColorBrush(this);
    if (Brush)
        Brush->SetColor(Color);
    return Invalidate();
}

Control *Control::SetCursor(HCURSOR cursor) {
    AttachProc(&CursorProc);
    if (cursor == Cursor)
        return this;
    Cursor = cursor;
    if (Handle && cursor) {
        POINT pointer;
        GetCursorPos(&pointer);
        ScreenToClient(Handle, &pointer);
        if (PointInRect(pointer, ClientRect()))
            ::SetCursor(cursor);
    }
    return this;
}

Control *Control::SetUnicodeFormat(bool flag) {
    constexpr UINT CCM_SETUNICODEFORMAT = 0x2005;
    Perform(CCM_SETUNICODEFORMAT, flag, 0);
    return this;
}

Control *Control::Invalidate() {
    if (Handle)
        InvalidateRect(Handle, nullptr, TRUE);
    return this;
}

LRESULT Control::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND window = GetWindowHandle();
    return window ? SendMessageA(window, msg, wParam, lParam) : 0;
}

Control *Control::Close() {
    if (Handle)
        PostMessageA(Handle, WM_CLOSE, 0, 0);
    return this;
}

Control *Control::GetChild(std::int32_t index) const { return static_cast<Control *>(Children->Get(index)); }

std::int32_t Control::ChildCount() const { return Children->Count; }

Control *Control::ParentForm() {
    Control *control = this;
    while (control && control->IsControl)
        control = control->Parent;
    return control;
}
