// Making a control's window: class registration ("obj_" + base class name, over a system class when one of that
// name exists) and its undoing, creation, and the show-pending rule for windows made before their visibility was
// decided.
#include "toolkit/windows/Control.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/objects/PtrList.h"
#include "toolkit/windows/ControlDrawingHooks.h"
#include "toolkit/windows/ControlInternals.h"

Control *ControlBeingCreated = nullptr;

HINSTANCE ModuleInstance() {
    static const HINSTANCE module = [] {
        HMODULE found = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&ModuleInstance), &found);
        return found;
    }();
    return module;
}

HWND Control::GetWindowHandle() {
    if (Handle)
        return Handle;
    if (!VisibilityFixed) {
        ApplyVisible(false);
        CreateWindow();
        ShowPending = Handle != nullptr;
        return Handle;
    }
    CreateWindow();
    return Handle;
}

void CreateChildWindows(Control *control) {
    for (std::int32_t i = 0; i < control->ChildCount(); ++i)
        control->GetChild(i)->CreateWindow();
}

namespace {

constexpr UINT ClassStylesNotRegistered = CS_GLOBALCLASS | CS_PARENTDC | CS_CLASSDC | CS_OWNDC;

// The classes this load of the library registered, for UnregisterWindowClasses.
std::vector<std::string> &RegisteredClasses() {
    static std::vector<std::string> names;
    return names;
}

HICON FormIcon(Control *control) {
    if (control->Icon)
        return control->Icon == Control::NoIcon ? nullptr : control->Icon;
    HICON icon = nullptr;
    if (Applet && Applet != control && Applet->Icon && Applet->Icon != Control::NoIcon)
        icon = static_cast<HICON>(CopyImage(Applet->Icon, IMAGE_ICON, 0, 0, 0));
    if (!icon)
        icon = LoadIconA(ModuleInstance(), "MAINICON");
    control->Icon = icon;
    return icon;
}

} // namespace

bool Control::RegisterWindowClass(char (&className)[64], WNDCLASSA &description) {
    const HINSTANCE module = ModuleInstance();
    description = WNDCLASSA{ClassStyle, nullptr, 0,      0, module, nullptr, LoadCursorA(nullptr, IDC_ARROW),
                            nullptr,    nullptr, nullptr};
    std::snprintf(className, sizeof className, "obj_%s", BaseClassName ? BaseClassName : "");
    // Over a system class ("BUTTON", "EDIT") the toolkit's class is a superclass: same description, own procedure.
    if (BaseClassName)
        GetClassInfoA(module, BaseClassName, &description);
    description.hInstance = module;
    description.style &= ~ClassStylesNotRegistered;
    if (!DefWndProc)
        DefWndProc = description.lpfnWndProc;
    WNDCLASSA existing;
    std::vector<std::string> &registered = RegisteredClasses();
    if (GetClassInfoA(module, className, &existing)) {
        if (std::find(registered.begin(), registered.end(), className) != registered.end())
            return true;
        // Left by an earlier load of the library whose windows outlived it: registered anew with this load's
        // procedure. While such a window lives the class stays, and serves only if its procedure is this one.
        if (!UnregisterClassA(className, module))
            return existing.lpfnWndProc == &ToolkitWindowProc;
    }
    description.lpfnWndProc = &ToolkitWindowProc;
    description.lpszClassName = className;
    description.lpszMenuName = nullptr;
    if (!RegisterClassA(&description))
        return false;
    registered.emplace_back(className);
    return true;
}

bool UnregisterWindowClasses() {
    std::vector<std::string> &names = RegisteredClasses();
    std::erase_if(names, [](const std::string &name) { return UnregisterClassA(name.c_str(), ModuleInstance()); });
    return names.empty();
}

bool Control::CreateWindow() {
    // A window that was destroyed, or handed over at the library's end, is not made again.
    if (!Handle && WindowDestroyed)
        return false;
    HWND parentWindow = nullptr;
    if (Parent && !(parentWindow = Parent->GetWindowHandle()))
        return false;
    if (Handle) {
        CreateChildWindows(this);
        if (ShowPending) {
            ApplyVisible(true);
            ShowPending = false;
        }
        return true;
    }
    char className[64];
    WNDCLASSA description;
    if ((Style & WS_CHILD) && !parentWindow)
        return false;
    if (!RegisterWindowClass(className, description))
        return false;

    RECT bounds = Bounds;
    int x = bounds.left;
    int y = bounds.top;
    if (!IsControl && PositionSet == 0)
        x = y = CW_USEDEFAULT;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    ControlBeingCreated = this;
    const HWND created = CreateWindowExA(ExStyle, className, Caption.c_str(), Style, x, y,
                                         width ? width : CW_USEDEFAULT, height ? height : CW_USEDEFAULT, parentWindow,
                                         reinterpret_cast<HMENU>(ControlId), ModuleInstance(), nullptr);
    if (ControlBeingCreated == this)
        ControlBeingCreated = nullptr;
    Handle = created;
    if (!created)
        return false;
    SendMessageA(created, WM_UPDATEUISTATE, 0x10002, 0);
    if (!GetWindowLongPtrA(created, GWLP_USERDATA))
        SetWindowLongPtrA(created, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (!IsControl)
        SendMessageA(created, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FormIcon(this)));
    if (AfterCreateHook)
        AfterCreateHook(this);
    if (FontApplyHook)
        FontApplyHook(this);
    CreateChildWindows(this);
    return true;
}
