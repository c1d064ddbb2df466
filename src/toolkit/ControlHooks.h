// Where controls meet the drawing tools. Controls hold their font, brush and canvas as pointers and reach them only
// through these hooks, which the drawing tools install when they are first used (the first font, brush or canvas);
// until then every hook is null, or keeps its default, and the controls work without them.
#pragma once

#include <cstdint>

#include "toolkit/DrawingTool.h"
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

// Gives a new child control copies of its parent's Font and Brush (linked to them as parent tools, with the change
// handlers that keep TextColor and Color in step), applied once and put on the child's auto-free list. Called
// when the parent has either tool; null until the first tool is made.
extern void (*InheritToolsHook)(Control *control, Control *parent);

// The control's Color changed: its Brush tool, when it has one, takes the new colour.
extern void (*ColorChangedHook)(Control *control);

// Detaches the control's Canvas from the paint DC after OnPaint (Canvas::SetHandle(0), which does not release a
// paint DC).
extern void (*DetachCanvasHook)(Control *control);

// Releases the control's Canvas and clears the field; run once while the control is destroyed.
extern void (*ReleaseCanvasHook)(Control *control);
