// A control's bounds and client area. Without a window the stored bounds stand in; with one, the window decides.
#include "toolkit/windows/Control.h"

#include "toolkit/objects/RectHelpers.h"

RECT Control::BoundsRect() {
    RECT rect;
    if (!Handle || !GetWindowRect(Handle, &rect))
        return Bounds;
    // In the coordinates SetWindowPos takes: the client area of the parent window, the screen for a top-level one.
    const HWND parentWindow = GetAncestor(Handle, GA_PARENT);
    if (parentWindow && parentWindow != GetDesktopWindow())
        MapWindowPoints(nullptr, parentWindow, reinterpret_cast<POINT *>(&rect), 2);
    Bounds = rect;
    return rect;
}

namespace {

// SetBoundsRect given the bounds already read, so the setters that derive the new bounds from them read them once.
Control *MoveFrom(Control *control, const RECT &current, const RECT &rect) {
    if (RectsEqual(current, rect))
        return control;
    if (rect.left != current.left)
        control->PositionSet |= 1;
    if (rect.top != current.top)
        control->PositionSet |= 2;
    control->Bounds = rect;
    if (control->Handle)
        SetWindowPos(control->Handle, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    return control;
}

} // namespace

Control *Control::SetBoundsRect(const RECT &rect) { return MoveFrom(this, BoundsRect(), rect); }

LONG Control::GetWidth() {
    const RECT rect = BoundsRect();
    return rect.right - rect.left;
}

LONG Control::GetHeight() {
    const RECT rect = BoundsRect();
    return rect.bottom - rect.top;
}

Control *Control::SetLeft(LONG x) {
    const RECT rect = BoundsRect();
    return MoveFrom(this, rect, MakeRect(x, rect.top, x + rect.right - rect.left, rect.bottom));
}

Control *Control::SetTop(LONG y) {
    const RECT rect = BoundsRect();
    return MoveFrom(this, rect, MakeRect(rect.left, y, rect.right, y + rect.bottom - rect.top));
}

Control *Control::SetWidth(LONG width) {
    const RECT rect = BoundsRect();
    return MoveFrom(this, rect, MakeRect(rect.left, rect.top, rect.left + width, rect.bottom));
}

Control *Control::SetHeight(LONG height) {
    const RECT rect = BoundsRect();
    return MoveFrom(this, rect, MakeRect(rect.left, rect.top, rect.right, rect.top + height));
}

Control *Control::SetPosition(LONG left, LONG top) {
    SetLeft(left);
    return SetTop(top);
}

Control *Control::SetSize(LONG width, LONG height) {
    const RECT current = BoundsRect();
    RECT rect = current;
    if (width)
        rect.right = rect.left + width;
    if (height)
        rect.bottom = rect.top + height;
    return MoveFrom(this, current, rect);
}

RECT Control::ClientRect() {
    RECT rect;
    const HWND window = GetWindowHandle();
    if (!window || !GetClientRect(window, &rect))
        rect = MakeRect(0, 0, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
    rect.top += ClientInsets.Top;
    rect.bottom -= ClientInsets.Bottom;
    rect.left += ClientInsets.Left;
    rect.right -= ClientInsets.Right;
    return rect;
}

LONG Control::ClientWidth() {
    const RECT rect = ClientRect();
    return rect.right - rect.left;
}

LONG Control::ClientHeight() {
    const RECT rect = ClientRect();
    return rect.bottom - rect.top;
}

Control *Control::SetClientWidth(LONG width) {
    const LONG client = ClientWidth();
    return SetWidth(width + GetWidth() - client);
}

Control *Control::SetClientHeight(LONG height) {
    const LONG client = ClientHeight();
    return SetHeight(height + GetHeight() - client);
}

Control *Control::SetClientSize(LONG width, LONG height) {
    if (width > 0)
        SetClientWidth(width);
    if (height > 0)
        SetClientHeight(height);
    return this;
}
