// Parents, owners and the z order: GetParent, SetParent, GetAncestor, GetWindow and IsChild.
#include "headless/WindowTable.h"

#include <algorithm>

namespace headless {
namespace {

struct ParentChange {
    HWND Window;
    HWND NewParent;
};

LRESULT SetParentOnThread(void *context) {
    const auto *change = static_cast<const ParentChange *>(context);
    return reinterpret_cast<LRESULT>(SetParent(change->Window, change->NewParent));
}

} // namespace
} // namespace headless

using namespace headless;

HWND GetParent(HWND hwnd) {
    const Window *window = Find(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (window->Style & WS_POPUP)
        return window->Owner;
    if (window->Style & WS_CHILD)
        return window->Parent;
    return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    const Window *window = Find(hwnd);
    if (!window || !window->Parent)
        return nullptr;
    const HWND desktop = GetDesktopWindow();
    switch (flags) {
    case GA_PARENT:
        return window->Parent;
    case GA_ROOT:
    case GA_ROOTOWNER: {
        while (window->Parent != desktop)
            window = Find(window->Parent);
        if (flags == GA_ROOTOWNER)
            while (const Window *owner = Find(window->Owner))
                window = owner;
        return window->Handle;
    }
    default:
        return nullptr;
    }
}

BOOL IsChild(HWND parent, HWND hwnd) {
    const Window *window = Find(hwnd);
    while (window && (window->Style & WS_CHILD)) {
        if (window->Parent == parent)
            return TRUE;
        window = Find(window->Parent);
    }
    return FALSE;
}

HWND GetWindow(HWND hwnd, UINT command) {
    const Window *window = Find(hwnd);
    if (!window)
        return nullptr;
    if (command == GW_CHILD)
        return window->Children.empty() ? nullptr : window->Children.front();
    if (command == GW_OWNER)
        return window->Owner;
    const Window *parent = Find(window->Parent);
    if (!parent)
        return nullptr;
    const std::vector<HWND> &siblings = parent->Children;
    const auto self = std::find(siblings.begin(), siblings.end(), hwnd);
    switch (command) {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return self + 1 < siblings.end() ? *(self + 1) : nullptr;
    case GW_HWNDPREV:
        return self != siblings.begin() && self != siblings.end() ? *(self - 1) : nullptr;
    default:
        return nullptr;
    }
}

HWND SetParent(HWND hwnd, HWND newParent) {
    Window *window = Find(hwnd);
    const HWND desktop = GetDesktopWindow();
    if (!newParent)
        newParent = desktop;
    Window *target = Find(newParent);
    if (!window || !window->Parent || !target) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    // Like Windows, the change is made by the window's own thread; another thread waits for it.
    if (window->Thread != GetCurrentThreadId()) {
        ParentChange change{hwnd, newParent};
        return reinterpret_cast<HWND>(CallOnThread(window->Thread, &SetParentOnThread, &change));
    }
    for (HWND up = newParent; up; up = GetAncestor(up, GA_PARENT))
        if (up == hwnd) {
            SetLastError(ERROR_INVALID_PARAMETER); // a window cannot become its own descendant
            return nullptr;
        }
    const HWND previous = window->Parent;
    // The window is hidden and shown again around the move, messages included, and keeps its coordinates
    // relative to the parent's client area.
    const bool wasVisible = ShowWindow(hwnd, SW_HIDE);
    if (!Find(hwnd))
        return nullptr;
    if (Window *old = Find(previous))
        std::erase(old->Children, hwnd);
    target->Children.insert(target->Children.begin(), hwnd);
    window->Parent = newParent;
    if (newParent != desktop)
        window->Owner = nullptr;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | (wasVisible ? SWP_SHOWWINDOW : 0));
    return previous;
}
