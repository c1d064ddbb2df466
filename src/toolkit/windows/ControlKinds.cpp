// The kinds of control the program makes: forms, the application window, push buttons and edit boxes.
#include "toolkit/windows/Control.h"

#include "toolkit/windows/ControlInternals.h"

const CommandActionTable ButtonActions{BN_CLICKED, BN_SETFOCUS, BN_KILLFOCUS, 0, 0};
const CommandActionTable EditActions{0, EN_SETFOCUS, EN_KILLFOCUS, EN_CHANGE, 0};

bool AppletInUse = false;

namespace {

WORD nextControlId = 0;

constexpr DWORD ButtonStyle = 0x50015000;   // WS_CHILD, WS_VISIBLE, WS_TABSTOP, BS_NOTIFY, BS_PUSHLIKE
constexpr DWORD EditBaseStyle = 0x50810000; // WS_CHILD, WS_VISIBLE, WS_BORDER, WS_TABSTOP

// Greys Restore and removes Size, Move and Maximize from the applet's system menu.
void TrimAppletMenu(Control *applet) {
    const HMENU menu = GetSystemMenu(applet->Handle, FALSE);
    if (!menu)
        return;
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
}

} // namespace

bool IsMainForm(const Control *control) {
    if (!control || control->IsControl)
        return false;
    if (AppletInUse)
        return Applet && Applet->ChildCount() > 0 && Applet->GetChild(0) == control;
    return true;
}

Control *NewForm(Control *parent, std::string_view caption) {
    Control *form = NewControlBase(parent, true, "Form");
    form->ClassStyle |= CS_DBLCLKS;
    form->AttachProc(&FormFocusProc);
    form->AttachProc(&FormBackgroundProc);
    form->IsAlignRoot = true;
    form->SetCaption(caption);
    return form;
}

Control *NewApplet(std::string_view caption) {
    AppletInUse = true;
    Control *applet = NewControlBase(nullptr, true, "App");
    applet->Style = (applet->Style & 0x0000FFFF) | 0x90CA0000; // WS_POPUP, WS_VISIBLE, caption, system menu, minimise
    applet->ExStyle = (applet->ExStyle & 0xFF00FFFF) | 0x00040000; // WS_EX_APPWINDOW in place of CONTROLPARENT
    applet->AfterCreateHook = &TrimAppletMenu;
    applet->AttachProc(&AppletProc);
    applet->SetCaption(caption);
    return applet;
}

Control *NewCommonControl(Control *parent, const char *baseClassName, DWORD style, bool ctl3d,
                          const CommandActionTable *actions, ControlMaker make) {
    Control *control = NewControlBase(parent, ctl3d, baseClassName, make);
    control->IsControl = true;
    if (actions)
        control->CommandActions = *actions;
    if (control->Ctl3D) {
        style &= ~WS_BORDER;
        control->ExStyle |= WS_EX_CLIENTEDGE;
    }
    control->Style = style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    control->Visible = (style & WS_VISIBLE) != 0;
    if (parent) {
        const LONG margin = parent->Margin;
        const LONG top = margin + parent->ClientInsets.Top;
        control->Bounds = {margin + parent->ClientInsets.Left, top, margin + 64, top + 64};
        control->Cursor = parent->Cursor;
    }
    if (style & WS_TABSTOP) {
        control->TabStop = true;
        if (Control *form = control->ParentForm(); form && !form->CurrentControl)
            form->CurrentControl = control;
    }
    control->ControlId = nextControlId++;
    control->AttachProc(&CommandProc);
    return control;
}

Control *NewButton(Control *parent, std::string_view caption) {
    Control *button = NewCommonControl(parent, "BUTTON", ButtonStyle, false, &ButtonActions);
    RECT bounds = button->Bounds;
    bounds.bottom = bounds.top + 22;
    button->Bounds = bounds;
    button->SetCaption(caption);
    button->AttachProc(&ButtonDblClkProc);
    return button;
}

Control *NewEditBox(Control *parent, std::uint32_t options) {
    static constexpr DWORD optionStyles[12] = {ES_AUTOHSCROLL | WS_HSCROLL, // set when the option bit is clear
                                               ES_AUTOVSCROLL | WS_VSCROLL, // set when the option bit is clear
                                               ES_LOWERCASE,
                                               ES_MULTILINE,
                                               ES_NOHIDESEL,
                                               ES_OEMCONVERT,
                                               ES_PASSWORD,
                                               ES_READONLY,
                                               ES_UPPERCASE,
                                               ES_WANTRETURN,
                                               0,
                                               ES_NUMBER};
    DWORD style = 0;
    for (unsigned bit = 0; bit < 12; ++bit) {
        const bool set = (options >> bit) & 1;
        if (bit < 2 ? !set : set)
            style |= optionStyles[bit];
    }
    const bool multiLine = (options & EditOption::MultiLine) != 0;
    if (!multiLine)
        style &= ~(WS_HSCROLL | WS_VSCROLL);
    style |= EditBaseStyle;
    Control *edit = NewCommonControl(parent, "EDIT", style, true, &EditActions);
    const RECT bounds = edit->Bounds;
    edit->Bounds = {bounds.left, bounds.top, bounds.left + (multiLine ? 200 : 100),
                    bounds.top + (multiLine ? 200 : 22)};
    return edit;
}
