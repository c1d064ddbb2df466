// Painting: the OnPaint procedure, and the buffered paint that draws a whole control into an off-screen bitmap and
// copies it to the window in one go.
#include "toolkit/windows/Control.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/objects/ProcEntry.h"
#include "toolkit/objects/PtrList.h"
#include "toolkit/windows/ControlInternals.h"

namespace {

// Runs when the scope is left, by an exception too: a paint that fails still ends, releasing what it took and
// validating the window, so no DC is lost and no paint loop follows.
template <class Done> struct AtExit {
    Done Run;
    ~AtExit() { Run(); }
};

bool PaintProc(Control *control, WindowMessage &message, LRESULT &result) {
    if (message.Msg != WM_PAINT || !control->OnPaint)
        return false;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetUpdateRgn(message.Hwnd, region, FALSE) <= NULLREGION) {
        DeleteObject(region);
        region = nullptr;
    }
    control->UpdateRegion = region;
    const HDC outerPaintDC = control->PaintDC;
    // A DC in wParam comes from a buffered paint of this control.
    PAINTSTRUCT paint{};
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    const bool ownPaint = dc == nullptr;
    if (ownPaint)
        dc = BeginPaint(message.Hwnd, &paint);
    const AtExit done{[&] {
        // Detaching does not release a paint DC.
        if (control->Canvas)
            control->Canvas->SetHandle(nullptr);
        if (ownPaint)
            EndPaint(message.Hwnd, &paint);
        control->PaintDC = outerPaintDC;
        if (region)
            DeleteObject(region);
        control->UpdateRegion = nullptr;
    }};
    control->PaintDC = dc;
    control->OnPaint(control, dc);
    result = 0;
    return true;
}

// Leaves child windows out of the update region, so the copy from the buffer does not paint over them.
void ExcludeChildren(Control *control, HRGN update) {
    const HWND hwnd = control->Handle;
    const HWND first = GetWindow(hwnd, GW_CHILD);
    HRGN area = CreateRectRgn(0, 0, 0, 0);
    HRGN common = CreateRectRgn(0, 0, 0, 0);
    for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child))
            continue;
        if (GetWindowRgn(child, area) == ERROR) {
            RECT rect;
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT *>(&rect), 2);
            SetRectRgn(area, rect.left, rect.top, rect.right, rect.bottom);
        } else {
            RECT rect;
            GetWindowRect(child, &rect);
            POINT origin{rect.left, rect.top};
            ScreenToClient(hwnd, &origin);
            OffsetRgn(area, origin.x, origin.y);
        }
        OffsetRgn(area, control->PaintOffset.x, control->PaintOffset.y);
        if (CombineRgn(common, area, update, RGN_AND) > NULLREGION)
            CombineRgn(update, update, area, RGN_DIFF);
    }
    DeleteObject(common);
    DeleteObject(area);
}

void BufferedPaint(Control *control, HRGN update) {
    const HWND hwnd = control->Handle;
    PAINTSTRUCT paint{};
    const HDC windowDC = BeginPaint(hwnd, &paint);
    const HDC memoryDC = CreateCompatibleDC(windowDC);
    RECT client;
    GetClientRect(hwnd, &client);
    const HBITMAP bitmap = CreateCompatibleBitmap(windowDC, client.right, client.bottom);
    const HGDIOBJ previousBitmap = SelectObject(memoryDC, bitmap);
    const AtExit done{[&] {
        control->PaintDC = nullptr;
        control->Painting = false;
        SelectObject(memoryDC, previousBitmap);
        DeleteObject(bitmap);
        DeleteDC(memoryDC);
        EndPaint(hwnd, &paint);
    }};
    control->PaintOffset = {0, 0};

    control->Painting = true;
    control->PaintDC = memoryDC;
    control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memoryDC), 0);
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(memoryDC), 0);
    ExcludeChildren(control, update);
    control->PaintDC = nullptr;
    control->Painting = false;

    const HDC target = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    ExtSelectClipRgn(target, update, RGN_AND);
    BitBlt(target, 0, 0, client.right, client.bottom, memoryDC, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, target);
}

bool BufferedPaintProc(Control *control, WindowMessage &message, LRESULT &result) {
    if (!control->DoubleBuffered)
        return false;
    switch (message.Msg) {
    case WM_ERASEBKGND:
        // The buffer is erased by the paint itself; only then may the other procedures draw.
        if (control->Painting)
            return false;
        result = 1;
        return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
        control->Invalidate();
        return false;
    case WM_PAINT: {
        if (control->Painting)
            return false;
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        if (GetUpdateRgn(control->Handle, update, TRUE) > NULLREGION)
            BufferedPaint(control, update);
        DeleteObject(update);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void MoveBufferedPaintLast(PtrList *procs) {
    void *const entry = ProcToEntry(&BufferedPaintProc);
    const std::int32_t at = procs->IndexOf(entry);
    if (at < 0 || at % 2 != 0 || at == procs->Count - 2)
        return;
    void *const flag = procs->Get(at + 1);
    procs->DeleteRange(at, 2);
    procs->Add(entry);
    procs->Add(flag);
}

} // namespace

Control *Control::SetOnPaint(PaintEvent handler) {
    OnPaint = handler;
    return AttachProc(&PaintProc);
}

Control *Control::SetDoubleBuffered(bool flag) {
    DoubleBuffered = flag;
    // Procedures run from the last attached: the buffered paint must come before all the others on every control.
    AfterAttachHook = &MoveBufferedPaintLast;
    return AttachProc(&BufferedPaintProc);
}
