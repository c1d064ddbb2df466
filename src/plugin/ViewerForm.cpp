#include "plugin/ViewerForm.h"

#include "db/NotifyHost.h"
#include "db/SharedState.h"
#include "grid/XLGrid.h"
#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/bitmaps/WindowSnapshot.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/messages/MultimediaTimer.h"
#include "toolkit/windows/Control.h"
#include "toolkit/windows/ControlDrawingTools.h"
#include "toolkit/windows/ToolkitStart.h"

ViewerForm *Viewer = nullptr;
Control *ViewerApplet = nullptr;
Bitmap *Backdrop = nullptr;

namespace {
// Set when the form's window is destroyed: the form has then released the record, so Viewer must not be read.
bool ViewerGone = false;
} // namespace

namespace {

constexpr GridOptions ViewerGridOptions = 0x7C;

void CopyBackdrop(Control *form) {
    if (!Backdrop)
        return;
    Canvas *canvas = ControlCanvas(form);
    BitBlt(canvas->Handle(), 0, 0, form->GetWidth(), form->GetHeight(), Backdrop->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// On the timer service's thread: only thread-safe calls.
void OnViewerTimer(void *data, ObjectBase *) {
    auto *viewer = static_cast<ViewerForm *>(data);
    viewer->Timer->SetEnabled(false);
    ::SetParent(viewer->Form->Handle, HostWindow);
    PostMessageA(viewer->Form->Handle, SnapshotMessage, 0, 0);
}

bool TakeSnapshot(Control *form, WindowMessage &message, LRESULT &) {
    if (message.Msg != SnapshotMessage)
        return false;
    form->SetVisible(false);
    Control::ProcessMessages();
    // One backdrop only: the message is posted once, but a stray repeat must not leak the first.
    if (!Backdrop)
        Backdrop = CaptureWindowRegion(HostWindow, ViewRect.Left, ViewRect.Top, ViewRect.Width, ViewRect.Height);
    form->SetVisible(true);
    Control::ProcessMessages();
    CopyBackdrop(form);
    return false;
}

bool WatchDestroy(Control *, WindowMessage &message, LRESULT &) {
    if (message.Msg != WM_DESTROY || ViewerGone)
        return false;
    ViewerGone = true;
    if (ViewerApplet)
        ObjectBase::Free(ViewerApplet);
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
    if (HWND window = form->GetWindowHandle())
        DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
    form->SetOnPaint({OnViewerPaint, viewer});

    viewer->Timer = NewMultimediaTimer(500);
    viewer->Timer->Periodic = false;
    form->AddToAutoFree(viewer->Timer);
    viewer->Timer->OnTimer = {OnViewerTimer, viewer};

    viewer->Grid = NewXLGrid(form, 0, 0, 1, ViewerGridOptions);
    viewer->Grid->SetAlign(AlignKind::Client);
    viewer->Grid->SetHasBorder(false);
    viewer->Grid->SetDoubleBuffered(true);
    viewer->Grid->SetOnMouseDblClk({OnGridDblClk, viewer});
    viewer->Grid->SetAnchors(true, true, true, true);

    form->AttachProc(WatchDestroy);
    form->AttachProc(TakeSnapshot);
    return viewer;
}

void AttachToHost(HWND host) {
    HostWindow = host;
    if (Viewer)
        return;
    StartToolkit();
    ViewerApplet = NewApplet(GetParent(host) ? "pluginedit" : "pluginreal");
    ViewerApplet->SetVisible(false);
    Viewer = BuildViewerForm(ViewerApplet);
    Control *form = Viewer->Form;
    form->SetStyle(ViewerStyle);
    form->SetExStyle(ViewerExStyle);
    form->SetVisible(false);
    Viewer->Timer->SetEnabled(true);
}

BOOL PlaceViewer(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    ViewRect = {left, top, width, height};
    if (!Viewer || ViewerGone)
        return FALSE;
    return SetWindowPos(Viewer->Form->Handle, nullptr, left, top, width, height, SWP_NOZORDER);
}

XLGrid *ViewerGrid() {
    if (!Viewer || ViewerGone)
        return nullptr;
    return Viewer->Grid;
}
