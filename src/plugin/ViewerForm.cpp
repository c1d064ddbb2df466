// The viewer's build, its move into the host window, its backdrop, its handlers, and its release when the library
// unloads.
#include "plugin/ViewerForm.h"

#include "db/NotifyHost.h"
#include "db/SharedState.h"
#include "grid/XLGrid.h"
#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/bitmaps/WindowSnapshot.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/windows/Control.h"
#include "toolkit/windows/ControlDrawingTools.h"
#include "toolkit/windows/ToolkitStart.h"

ViewerForm *Viewer = nullptr;
Control *ViewerApplet = nullptr;
Bitmap *Backdrop = nullptr;

namespace {

// Set when the viewer ends (its window destroyed with the host's, its host window gone before the move, or the release
// at unload): the form then releases the record, so Viewer must not be read.
bool ViewerGone = false;
// Set by the move into the host window; from then on a Draw may take the backdrop the move could not.
bool Embedded = false;
// Where the backdrop's top-left pixel lies on the form: only the part of the viewer's rectangle inside the host's
// client area is copied.
POINT BackdropOrigin{};

constexpr GridOptions ViewerGridOptions = 0x7C;

// The part of the host window the backdrop can come from; empty when it shows nothing of the viewer's rectangle.
RECT BackdropArea() {
    return VisibleClientPart(HostWindow, ViewRect.Left, ViewRect.Top, ViewRect.Width, ViewRect.Height);
}

bool IsEmptyArea(const RECT &area) { return area.right <= area.left || area.bottom <= area.top; }

// Without a backdrop the form shows the plain background its erase painted.
void CopyBackdrop(Control *form) {
    Canvas *source = Backdrop ? Backdrop->Canvas() : nullptr;
    if (!source)
        return;
    BitBlt(ControlCanvas(form)->Handle(), BackdropOrigin.x, BackdropOrigin.y, Backdrop->Width, Backdrop->Height,
           source->Handle(), 0, 0, SRCCOPY);
}

// A snapshot without pixels (no memory for them, or a copy that failed) is no backdrop: it is dropped, and a later
// Draw tries again. A minimised host frame shows nothing worth copying, so none is taken then.
void TakeBackdrop() {
    const RECT area = BackdropArea();
    if (IsEmptyArea(area) || IsIconic(GetAncestor(HostWindow, GA_ROOT)))
        return;
    Bitmap *shot = CaptureWindowRegion(HostWindow, area.left, area.top, area.right - area.left, area.bottom - area.top);
    if (!shot->Canvas() || !shot->FailureMessage.empty()) {
        ObjectBase::Free(shot);
        ClearLastSnapshot();
        return;
    }
    Backdrop = shot;
    BackdropOrigin = {area.left - ViewRect.Left, area.top - ViewRect.Top};
}

// The viewer's end, from inside: the applet releases the form, which releases its record, its timer and its grid.
void EndViewer() {
    ViewerGone = true;
    FreeAndClear(ViewerApplet);
}

// The move timer fires once: it is stopped and the move is carried by the same message a later Draw posts.
bool OnMoveTimer(Control *form, WindowMessage &message, LRESULT &) {
    if (message.Msg != WM_TIMER || message.WParam != MoveTimerId)
        return false;
    KillTimer(form->Handle, MoveTimerId);
    PostMessageA(form->Handle, SnapshotMessage, 0, 0);
    return true;
}

// The first SnapshotMessage, on the window thread. A host window destroyed before the move takes the viewer with it,
// as it would have had the viewer been its child already.
bool MoveIntoHost(Control *form) {
    Embedded = true;
    KillTimer(form->Handle, MoveTimerId);
    if (!IsWindow(HostWindow)) {
        EndViewer();
        return false;
    }
    ::SetParent(form->Handle, HostWindow);
    return true;
}

bool TakeSnapshot(Control *form, WindowMessage &message, LRESULT &) {
    if (message.Msg != SnapshotMessage || ViewerGone)
        return false;
    if (!Embedded) {
        if (!MoveIntoHost(form))
            return false;
    } else if (Backdrop || IsEmptyArea(BackdropArea())) {
        // A later message comes from Draw, for a backdrop the move could not take; it may be done already.
        return false;
    }
    // Only paints run here: the host paints what the hidden form showed, then the form paints itself. The host's other
    // messages (its input, its close, its quit) wait for its own loop, so none of its handlers runs inside ours.
    form->SetVisible(false);
    Control::ProcessPaintMessages();
    // The host may have destroyed its window, and the viewer with it, while its paint ran.
    if (ViewerGone)
        return false;
    if (!Backdrop)
        TakeBackdrop();
    form->SetVisible(true);
    Control::ProcessPaintMessages();
    if (!ViewerGone)
        CopyBackdrop(form);
    return false;
}

bool WatchDestroy(Control *, WindowMessage &message, LRESULT &) {
    if (message.Msg == WM_DESTROY && !ViewerGone)
        EndViewer();
    return false;
}

void OnViewerPaint(void *, ObjectBase *sender, HDC) { CopyBackdrop(static_cast<Control *>(sender)); }

void OnGridDblClk(void *data, ObjectBase *, MouseEventData &) {
    XLGrid *grid = static_cast<ViewerForm *>(data)->Grid;
    const CellPosition at = GetCurrentCell(grid);
    const XLCell *cell = Cell(grid, at.Col, at.Row);
    if (!cell)
        return;
    ExchangeText = cell->Text.View();
    NotifyHost();
}

} // namespace

ViewerForm *BuildViewerForm(Control *parent) {
    auto *viewer = NewObject<ViewerForm>();
    Control *form = NewForm(parent, "Form1");
    viewer->Form = form;
    form->SetPosition(369, 213);
    form->AddToAutoFree(viewer);
    form->SetEnabled(false);
    form->SetHasBorder(false);
    form->SetClientSize(231, 104);
    HWND window = form->GetWindowHandle();
    if (window)
        DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
    form->SetOnPaint({OnViewerPaint, viewer});

    viewer->Grid = NewXLGrid(form, 0, 0, 1, ViewerGridOptions);
    viewer->Grid->SetAlign(AlignKind::Client);
    viewer->Grid->SetHasBorder(false);
    viewer->Grid->SetDoubleBuffered(true);
    viewer->Grid->SetOnMouseDblClk({OnGridDblClk, viewer});
    viewer->Grid->SetAnchors(true, true, true, true);

    form->AttachProc(WatchDestroy);
    form->AttachProc(TakeSnapshot);
    form->AttachProc(OnMoveTimer);
    return viewer;
}

void AttachToHost(HWND host) {
    HostWindow = host;
    // Without a host window there is nothing to move into; the first call that names one builds the viewer.
    if (Viewer || !IsWindow(host))
        return;
    StartToolkit();
    ViewerApplet = NewApplet(GetParent(host) ? "pluginedit" : "pluginreal");
    ViewerApplet->SetVisible(false);
    Viewer = BuildViewerForm(ViewerApplet);
    Control *form = Viewer->Form;
    form->SetStyle(ViewerStyle);
    form->SetExStyle(ViewerExStyle);
    form->SetVisible(false);
    SetTimer(form->Handle, MoveTimerId, MoveDelay, nullptr);
}

BOOL PlaceViewer(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    ViewRect = {left, top, width, height};
    if (!Viewer || ViewerGone)
        return FALSE;
    const HWND form = Viewer->Form->Handle;
    const BOOL placed = SetWindowPos(form, nullptr, left, top, width, height, SWP_NOZORDER);
    // The move found nothing of the host to copy (no size yet, or the host showed none of the rectangle): the first
    // Draw that shows some of the host takes the backdrop, through the same message.
    if (Embedded && !Backdrop && !IsEmptyArea(BackdropArea()))
        PostMessageA(form, SnapshotMessage, 0, 0);
    return placed;
}

XLGrid *ViewerGrid() {
    if (!Viewer || ViewerGone)
        return nullptr;
    return Viewer->Grid;
}

void ReleaseViewer() {
    if (Viewer && !ViewerGone)
        EndViewer();
    FreeAndClear(Backdrop);
    ClearLastSnapshot();
    Viewer = nullptr;
    ViewerGone = false;
    Embedded = false;
    BackdropOrigin = {};
}
