// Invalidation, WM_PAINT and WM_ERASEBKGND, and the DCs of windows. The update region is kept as a bounding box;
// DCs come from the window surface (WindowSurface.h).
#include "headless/WindowSurface.h"
#include "headless/WindowTable.h"

namespace headless {
namespace {

void InvalidateTree(Window &window, const RECT *rect, bool erase, bool allChildren) {
    if (!IsShown(window))
        return;
    const RECT area = rect ? Intersect(*rect, ClientRectOf(window)) : ClientRectOf(window);
    if (IsEmpty(area))
        return;
    window.Update = Unite(window.Update, area);
    window.EraseUpdate |= erase;
    // A window that does not clip its children has them repainted with it.
    if (!allChildren && (window.Style & WS_CLIPCHILDREN))
        return;
    for (HWND handle : window.Children) {
        Window *child = Find(handle);
        if (!child)
            continue;
        const RECT inChild = Offset(Intersect(area, child->Client), -child->Client.left, -child->Client.top);
        if (!IsEmpty(inChild))
            InvalidateTree(*child, &inChild, erase, allChildren);
    }
}

// A bounding box can only be emptied, not cut: a partial validation keeps it.
void Validate(Window &window, const RECT *rect) {
    const RECT &u = window.Update;
    if (!rect || (rect->left <= u.left && rect->top <= u.top && rect->right >= u.right && rect->bottom >= u.bottom)) {
        window.Update = {};
        window.EraseUpdate = false;
        window.EraseDelayed = false;
    }
}

// Sends WM_ERASEBKGND for a pending erase with the DC to erase through; true when the background was left unerased.
bool SendErase(Window &window, HDC dc) {
    window.EraseUpdate = false;
    return SendMessageA(window.Handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
}

void UpdateTree(HWND hwnd) {
    Window *window = Find(hwnd);
    if (!window)
        return;
    if (!IsEmpty(window->Update) && IsShown(*window))
        SendMessageA(hwnd, WM_PAINT, 0, 0);
    if (!(window = Find(hwnd)))
        return;
    const std::vector<HWND> children = window->Children;
    for (HWND child : children)
        UpdateTree(child);
}

} // namespace

void Invalidate(Window &window, const RECT *rect, bool erase) { InvalidateTree(window, rect, erase, false); }

void EraseIfNeeded(Window &window) {
    if (!window.EraseUpdate || IsEmpty(window.Update))
        return;
    const HWND hwnd = window.Handle;
    const HDC dc = CreateWindowDC(hwnd);
    const bool unerased = SendErase(window, dc);
    ReleaseWindowDC(dc);
    if (Window *still = Find(hwnd))
        still->EraseDelayed = unerased;
}

} // namespace headless

using namespace headless;

BOOL InvalidateRect(HWND hwnd, const RECT *rect, BOOL erase) {
    Window *window = Find(hwnd ? hwnd : GetDesktopWindow());
    if (!window)
        return FALSE;
    if (!hwnd) {
        for (HWND top : window->Children)
            if (Window *w = Find(top))
                Invalidate(*w, nullptr, erase);
        return TRUE;
    }
    Invalidate(*window, rect, erase);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT *rect, HRGN region, UINT flags) {
    Window *window = Find(hwnd ? hwnd : GetDesktopWindow());
    if (!window)
        return FALSE;
    RECT box{};
    if (region && !rect && GetRgnBox(region, &box) != ERROR)
        rect = &box;
    if (flags & RDW_INVALIDATE)
        InvalidateTree(*window, rect, (flags & RDW_ERASE) != 0, (flags & RDW_ALLCHILDREN) != 0);
    if (flags & RDW_VALIDATE)
        Validate(*window, rect);
    if (flags & RDW_ERASENOW)
        EraseIfNeeded(*window);
    if (flags & RDW_UPDATENOW)
        UpdateTree(window->Handle);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    if (!Find(hwnd))
        return FALSE;
    UpdateTree(hwnd);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
    Window *window = Find(hwnd);
    if (!window)
        return FALSE;
    if (rect)
        *rect = window->Update;
    const bool pending = !IsEmpty(window->Update);
    if (erase)
        EraseIfNeeded(*window);
    return pending;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase) {
    Window *window = Find(hwnd);
    if (!window || !region)
        return ERROR;
    const RECT box = window->Update;
    if (!SetRectRgn(region, box.left, box.top, box.right, box.bottom))
        return ERROR;
    if (erase)
        EraseIfNeeded(*window);
    return IsEmpty(box) ? NULLREGION : SIMPLEREGION;
}

// No window has a window region of its own.
int GetWindowRgn(HWND, HRGN) { return ERROR; }

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    Window *window = Find(hwnd);
    if (!window || !paint)
        return nullptr;
    *paint = PAINTSTRUCT{};
    const HDC dc = CreateWindowDC(hwnd);
    paint->hdc = dc;
    paint->rcPaint = window->Update;
    paint->fErase = window->EraseUpdate ? SendErase(*window, dc) : window->EraseDelayed;
    if ((window = Find(hwnd))) {
        window->EraseDelayed = false;
        window->Update = {};
    }
    return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT *paint) {
    if (paint && paint->hdc)
        ReleaseWindowDC(paint->hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_CACHE); }

HDC GetDCEx(HWND hwnd, HRGN, DWORD) {
    const HWND target = hwnd ? hwnd : GetDesktopWindow();
    return Find(target) ? CreateWindowDC(target) : nullptr;
}

int ReleaseDC(HWND, HDC dc) {
    if (!dc)
        return 0;
    ReleaseWindowDC(dc);
    return 1;
}
