// A control's own font, brush and canvas, made on first use, and the hooks
// through which controls reach the font and brush.
#pragma once

class Brush;
class Canvas;
class Control;
class Font;

// Made with the control's TextColor (Color for the brush), kept on its auto-free
// list, with change handlers that keep TextColor (Color) in step, apply the font
// and repaint the control.
Font *ControlFont(Control *control);
Brush *ControlBrush(Control *control);
// A canvas over the control's paint DC while it paints, else a DC of its window,
// starting with copies of the control's font and brush.
Canvas *ControlCanvas(Control *control);

// Gives a new child control copies of its parent's Font and Brush (linked to them
// as parent tools, with the change handlers that keep TextColor and Color in
// step), applied once and put on the child's auto-free list.
void InheritTools(Control *control, Control *parent);

// Run by the first NewBrush and the first NewFont.
void InstallBrushHooks();
void InstallFontHooks();
