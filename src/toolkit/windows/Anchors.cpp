// Anchors: a child keeps its distance to the parent edges it is anchored to when the parent is resized.
#include "toolkit/windows/Control.h"

#include "toolkit/objects/RectHelpers.h"
#include "toolkit/windows/ControlInternals.h"

bool AnchorProc(Control *parent, WindowMessage &message, LRESULT &) {
    if (message.Msg != WM_WINDOWPOSCHANGED || message.Hwnd != parent->Handle || IsIconic(parent->Handle))
        return false;
    const LONG dx = parent->ClientWidth() - parent->AnchorClientWidth;
    const LONG dy = parent->ClientHeight() - parent->AnchorClientHeight;
    for (std::int32_t i = 0; i < parent->ChildCount(); ++i) {
        Control *child = parent->GetChild(i);
        RECT r = child->BoundsRect();
        if (dx && child->AnchorRight) {
            if (!child->AnchorLeft)
                r.left += dx;
            r.right += dx;
        }
        if (dy && child->AnchorBottom) {
            if (!child->AnchorTop)
                r.top += dy;
            r.bottom += dy;
        }
        child->SetBoundsRect(r);
    }
    parent->AnchorClientWidth += dx;
    parent->AnchorClientHeight += dy;
    return false;
}

Control *Control::SetAnchors(bool left, bool top, bool right, bool bottom) {
    AnchorLeft = left;
    AnchorTop = top;
    AnchorRight = right;
    AnchorBottom = bottom;
    if (Parent) {
        // Measuring may make the parent's window; its first WM_WINDOWPOSCHANGED must find the size recorded.
        Parent->AnchorClientWidth = Parent->ClientWidth();
        Parent->AnchorClientHeight = Parent->ClientHeight();
        Parent->AttachProc(&AnchorProc);
    }
    return this;
}
