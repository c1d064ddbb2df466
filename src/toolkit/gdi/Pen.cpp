#include "toolkit/gdi/DrawingTool.h"

namespace {

HGDIOBJ MakePen(const DrawingTool &tool) {
    const PenData &pen = tool.Settings.Pen;
    const COLORREF color = tool.ResolvedColor();
    const LOGPEN log{pen.PenStyle, POINT{pen.PenWidth, static_cast<LONG>(color)}, color};
    return CreatePenIndirect(&log);
}

DrawingTool *NewPenTool() { return NewPen(); }

} // namespace

Pen *NewPen() {
    Pen *pen = NewObject<Pen>();
    pen->Kind = ToolKind::Pen;
    pen->Settings.Color = 0;
    pen->Settings.Pen.PenMode = R2_COPYPEN - 1;
    pen->Creator = &NewPenTool;
    pen->MakeHandle = &MakePen;
    return pen;
}
