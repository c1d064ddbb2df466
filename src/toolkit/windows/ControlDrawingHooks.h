// Where controls meet the drawing tools: the font and brush hooks, which the drawing tools install when they are
// first used (the first font or brush); until then each hook is null, or keeps its default, and the controls work
// without them.
#pragma once

#include <cstdint>

#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/platform/Win32.h"

class Control;

// Sends the control's Font to its window (WM_SETFONT, lParam 0xFFFF), makes the font colour the control's
// TextColor and releases the Canvas so it is rebuilt with the new font. Run after a window is created. Null until
// the first font is made.
extern void (*FontApplyHook)(Control *control);

// The brush that paints the control's background. The default, DefaultControlBrush, serves a cached solid brush of
// the resolved Color; once the first Brush tool exists it is replaced by one returning the control's own Brush.
extern HBRUSH (*ControlBrushHook)(Control *control);
// Climbs to the farthest ancestor in an unbroken chain of parents with the same Color and returns its ColorBrush,
// made again with CreateSolidBrush when missing or when the resolved colour changed.
HBRUSH DefaultControlBrush(Control *control);
