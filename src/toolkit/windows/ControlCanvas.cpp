// The canvas of a control: its DC is the paint DC while the control paints,
// else a DC of the control's window that the canvas gives back when done.
#include "toolkit/gdi/Canvas.h"
#include "toolkit/windows/Control.h"
#include "toolkit/windows/ControlDrawingTools.h"

namespace {

HDC DCOf(Canvas *canvas) {
    Control *control = canvas->Owner;
    if (control->PaintDC) {
        canvas->SetHandle(control->PaintDC);
        return control->PaintDC;
    }
    if (canvas->DC)
        return canvas->DC;
    const HWND window = control->GetWindowHandle();
    return window ? GetDC(window) : nullptr;
}

void GiveBack(Canvas *canvas, HDC dc) {
    Control *control = canvas->Owner;
    if (dc != control->PaintDC)
        ReleaseDC(control->Handle, dc);
}

const ControlCanvasHook ControlHook = {
    &DCOf,
    &GiveBack,
    [](Canvas *canvas) { return canvas->Owner->Color; },
    [](Canvas *canvas) { return canvas->Owner->TextColor; },
    [](Canvas *canvas) { return canvas->Owner->Brush; },
    [](Canvas *canvas) { return canvas->Owner->Font; },
};

} // namespace

Canvas *ControlCanvas(Control *control) {
    if (!control->Canvas) {
        Canvas *canvas = NewCanvas();
        canvas->Owner = control;
        canvas->GetHandleHook = &ControlHook;
        control->Canvas = canvas;
        if (control->Font)
            canvas->Font();
        if (control->Brush)
            canvas->Brush();
    }
    return control->Canvas;
}
