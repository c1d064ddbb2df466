// Creating and destroying windows, with the messages Windows sends on the way and in its order.
#include "headless/Inspect.h"
#include "headless/SystemClasses.h"
#include "headless/WindowSurface.h"

#include <algorithm>

namespace headless {
namespace {

std::mutex creationLock;
std::vector<CreationRecord> creationLog;
int cascade = 0;

void Record(CreationRecord record) {
    std::lock_guard guard(creationLock);
    creationLog.push_back(std::move(record));
}

// Windows with a sizing frame, and overlapped windows, are held within their tracking sizes.
bool TracksSize(DWORD style) { return (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD)); }

// The owner and parent of a child notified about the child's creation or destruction, up to the top level.
void NotifyParents(HWND hwnd, WORD event) {
    for (Window *window = Find(hwnd); window && (window->Style & WS_CHILD);) {
        if (window->ExStyle & WS_EX_NOPARENTNOTIFY)
            break;
        const HWND parent = window->Parent;
        // A child-styled window of the desktop is a top-level window: nobody above it is told.
        if (!parent || parent == GetDesktopWindow())
            break;
        const auto id = static_cast<WORD>(window->Id);
        SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, id), reinterpret_cast<LPARAM>(hwnd));
        hwnd = parent;
        window = Find(parent);
    }
}

void SendDestroy(HWND hwnd) {
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    const Window *window = Find(hwnd);
    if (!window)
        return;
    const std::vector<HWND> children = window->Children;
    for (HWND child : children)
        if (Find(child))
            SendDestroy(child);
}

void Release(HWND hwnd) {
    Window *window = Find(hwnd);
    if (!window)
        return;
    const std::vector<HWND> children = window->Children;
    for (HWND child : children)
        Release(child);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    if (Window *parent = Find(window->Parent))
        std::erase(parent->Children, hwnd);
    ForgetInput(hwnd);
    WindowTable::Instance().MarkDestroyed(hwnd);
    ForgetWindowSurface(hwnd);
}

} // namespace

std::vector<CreationRecord> CreatedWindows() {
    std::lock_guard guard(creationLock);
    return creationLog;
}

MINMAXINFO MinMaxInfo(HWND hwnd) {
    const Window *window = Find(hwnd);
    MINMAXINFO info{};
    if (!window)
        return info;
    const RECT margins = NonClientMargins(window->Style & ~(WS_HSCROLL | WS_VSCROLL), window->ExStyle);
    const int screenX = GetSystemMetrics(SM_CXSCREEN);
    const int screenY = GetSystemMetrics(SM_CYSCREEN);
    info.ptMaxSize = {screenX + margins.left + margins.right, screenY + margins.top + margins.bottom};
    info.ptMaxPosition = {-margins.left, -margins.top};
    if ((window->Style & WS_CAPTION) == WS_CAPTION)
        info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    else
        info.ptMinTrackSize = {margins.left + margins.right, margins.top + margins.bottom};
    info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

void ClampToTrackingSize(HWND hwnd, int &cx, int &cy) {
    const Window *window = Find(hwnd);
    if (!window || !TracksSize(window->Style))
        return;
    const MINMAXINFO info = MinMaxInfo(hwnd);
    cx = std::min<int>(cx, info.ptMaxTrackSize.x);
    cy = std::min<int>(cy, info.ptMaxTrackSize.y);
    if (!(window->Style & WS_MINIMIZE)) {
        cx = std::max<int>(cx, info.ptMinTrackSize.x);
        cy = std::max<int>(cy, info.ptMinTrackSize.y);
    }
}

} // namespace headless

using namespace headless;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    CreationRecord record{
        className && !IS_INTRESOURCE(className) ? className : "", style, exStyle, x, y, width, height, parent, nullptr};
    auto fail = [&](DWORD error) -> HWND {
        SetLastError(error);
        Record(record);
        return nullptr;
    };
    const auto cls = FindClass(instance, className);
    if (!cls)
        return fail(ERROR_CANNOT_FIND_WND_CLASS);
    Window &desktop = WindowTable::Instance().Desktop();
    HWND parentHandle = desktop.Handle;
    HWND owner = nullptr;
    if (style & WS_CHILD) {
        const Window *parentWindow = parent ? Find(parent) : nullptr;
        if (!parent)
            return fail(ERROR_TLW_WITH_WSCHILD);
        if (!parentWindow)
            return fail(ERROR_INVALID_WINDOW_HANDLE);
        if (parentWindow->Thread != GetCurrentThreadId())
            return fail(ERROR_ACCESS_DENIED);
        parentHandle = parent;
    } else if (parent) {
        if (!Find(parent))
            return fail(ERROR_INVALID_WINDOW_HANDLE);
        owner = GetAncestor(parent, GA_ROOT);
    }
    if (width < 0 && width != CW_USEDEFAULT)
        return fail(ERROR_INVALID_PARAMETER);

    if (style & (WS_CHILD | WS_POPUP)) {
        if (x == CW_USEDEFAULT)
            x = y = 0;
        if (width == CW_USEDEFAULT)
            width = height = 0;
    } else {
        if (x == CW_USEDEFAULT) {
            // Overlapped windows cascade from the top left of the screen.
            std::lock_guard guard(creationLock);
            x = y = 26 * (cascade++ % 8);
        }
        if (width == CW_USEDEFAULT) {
            width = desktop.Client.right * 3 / 4 - x;
            height = desktop.Client.bottom * 3 / 4 - y;
        }
    }
    width = std::max(width, 0);
    height = std::max(height, 0);

    auto window = std::make_unique<Window>();
    window->Thread = GetCurrentThreadId();
    window->Class = cls;
    window->Proc = cls->Info.lpfnWndProc;
    window->Instance = instance;
    window->Style = style & ~WS_VISIBLE;
    if (!(style & (WS_CHILD | WS_POPUP)))
        window->Style |= WS_CAPTION | WS_CLIPSIBLINGS;
    window->ExStyle = FixExStyle(style, exStyle);
    window->Parent = parentHandle;
    window->Owner = owner;
    window->Id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
    window->Extra.assign(static_cast<std::size_t>(std::max(cls->Info.cbWndExtra, 0)), 0);
    window->Rect = window->Client = {x, y, x + width, y + height};
    window->RestoreRect = window->Rect;
    const HWND hwnd = WindowTable::Instance().Add(std::move(window));
    Window *created = Find(hwnd);

    // Until the window is linked in, it is not shown and sends nothing to its parent.
    CREATESTRUCTA create{param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
                         windowName, className, exStyle};
    if (TracksSize(created->Style)) {
        int cx = width;
        int cy = height;
        ClampToTrackingSize(hwnd, cx, cy);
        created->Rect = {x, y, x + cx, y + cy};
        create.cx = cx;
        create.cy = cy;
    }
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        if (Find(hwnd))
            Release(hwnd);
        return fail(ERROR_INVALID_PARAMETER);
    }
    if (!Find(hwnd))
        return fail(ERROR_INVALID_WINDOW_HANDLE);

    RECT client = created->Rect;
    SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    created->Client = client;
    // Children go below their siblings, so creation order is the z order from the top; top-level windows go on top.
    if (Window *parentWindow = Find(parentHandle)) {
        if (style & WS_CHILD)
            parentWindow->Children.push_back(hwnd);
        else
            parentWindow->Children.insert(parentWindow->Children.begin(), hwnd);
    }

    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        return fail(ERROR_INVALID_PARAMETER);
    }
    if (!Find(hwnd))
        return fail(ERROR_INVALID_WINDOW_HANDLE);
    const RECT c = created->Client;
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(static_cast<WORD>(c.right - c.left), static_cast<WORD>(c.bottom - c.top)));
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(c.left), static_cast<WORD>(c.top)));
    NotifyParents(hwnd, static_cast<WORD>(WM_CREATE));
    if (!Find(hwnd))
        return fail(ERROR_INVALID_WINDOW_HANDLE);
    if (style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    if (!Find(hwnd))
        return fail(ERROR_INVALID_WINDOW_HANDLE);
    record.Result = hwnd;
    Record(record);
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    Window *window = Find(hwnd);
    if (!window || !window->Parent) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->Thread != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (window->Destroying)
        return FALSE;
    window->Destroying = true;
    const bool child = (window->Style & WS_CHILD) != 0;
    if (child)
        NotifyParents(hwnd, static_cast<WORD>(WM_DESTROY));
    if (!Find(hwnd))
        return TRUE;
    if (window->Style & WS_VISIBLE) {
        // Only child windows get WM_SHOWWINDOW here.
        if (child)
            ShowWindow(hwnd, SW_HIDE);
        else
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
    if (!Find(hwnd))
        return TRUE;
    for (Window *owned : WindowTable::Instance().WindowsOf(window->Thread))
        if (owned->Owner == hwnd)
            DestroyWindow(owned->Handle);
    if (CurrentInput().Active == hwnd)
        ActivateOtherWindow(hwnd);
    SendDestroy(hwnd);
    Release(hwnd);
    return TRUE;
}
