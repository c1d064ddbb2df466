// A control's own font, brush and canvas, made on first use, and the hooks
// through which controls reach them.
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

// Run by the first NewBrush, the first NewFont and the first control canvas.
void InstallBrushHooks();
void InstallFontHooks();
void InstallCanvasHooks();
