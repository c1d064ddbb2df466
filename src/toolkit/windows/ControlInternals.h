// Shared between the toolkit's control files; not for users of the toolkit.
#pragma once

#include "toolkit/windows/Control.h"

// A parent sends WM_COMMAND back to the child control it came from as ReflectedCommand, and a WM_CTLCOLOR* message
// as itself plus ReflectedColorOffset, so the control handles its own notifications.
constexpr UINT ReflectedCommand = 0xB005;
constexpr UINT ReflectedColorOffset = 0xBC00;

// The one window procedure of every toolkit window class.
LRESULT CALLBACK ToolkitWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The control whose window CreateWindowExA is making; the first message of the new window takes it.
extern Control *ControlBeingCreated;

// Runs CreateWindow on every child of the control.
void CreateChildWindows(Control *control);

// Runs on a control after its visibility changed, after WM_SIZE and from SetAlign; does nothing until the first
// SetAlign installs the alignment pass.
extern void (*AlignHook)(Control *control);
void AlignControl(Control *control);

// The built-in message procedures that the creation functions and setters attach.
bool CommandProc(Control *control, WindowMessage &message, LRESULT &result);
bool ButtonDblClkProc(Control *control, WindowMessage &message, LRESULT &result);
bool FormFocusProc(Control *control, WindowMessage &message, LRESULT &result);
bool FormBackgroundProc(Control *control, WindowMessage &message, LRESULT &result);
bool AppletProc(Control *control, WindowMessage &message, LRESULT &result);
bool CursorProc(Control *control, WindowMessage &message, LRESULT &result);
bool AnchorProc(Control *control, WindowMessage &message, LRESULT &result);

// Runs on a control's procedure list after every AttachProc; null until the first SetDoubleBuffered.
extern void (*AfterAttachHook)(PtrList *procs);

// Deletes the cached solid brush of the control's Color, so the next background paint makes it again.
void DropColorBrush(Control *control);

// Default processing of a message: the base class's procedure when the control has one, else DefWindowProcA.
LRESULT DefaultProcessing(Control *control, const WindowMessage &message);

// Set by NewApplet: from then on the main form is the Applet's first child.
extern bool AppletInUse;
