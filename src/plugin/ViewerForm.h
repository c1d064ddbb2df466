// The viewer: a borderless form holding the grid, moved into the host window half a second after SetParentWindow.
#pragma once

#include <cstdint>

#include "toolkit/objects/ObjectBase.h"
#include "toolkit/platform/Win32.h"

class Bitmap;
class Control;
class XLGrid;

class ViewerForm : public ObjectBase {
public:
    Control *Form = nullptr;
    XLGrid *Grid = nullptr;
};

// Window message 1294: the viewer has been moved into the host window and takes its backdrop.
constexpr UINT SnapshotMessage = 1294;
// The form's one-shot window timer of 500 ms that starts the move. A window timer, not a multimedia one: its
// WM_TIMER comes on the window thread through the host's loop and dies with the form's window, so no other thread
// ever runs the library's code and an unload has no callback to wait for.
constexpr UINT_PTR MoveTimerId = 1;
constexpr UINT MoveDelay = 500;
constexpr DWORD ViewerStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD ViewerExStyle = WS_EX_CONTROLPARENT;

// Null until the first SetParentWindow that names a window; cleared only when the library unloads, so the viewer is
// built once per load.
extern ViewerForm *Viewer;
// Null again once the viewer's window is gone.
extern Control *ViewerApplet;
// The host's pixels behind the viewer, taken once; null until then, and while the host has shown none of them.
extern Bitmap *Backdrop;

ViewerForm *BuildViewerForm(Control *parent);
// SetParentWindow's and Draw's bodies.
void AttachToHost(HWND host);
BOOL PlaceViewer(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
// The viewer's grid while its window lives, else null.
XLGrid *ViewerGrid();
// Destroys the viewer's windows (and their timer) and drops the backdrop, leaving the state of a fresh load. On the
// thread that owns the windows only.
void ReleaseViewer();
