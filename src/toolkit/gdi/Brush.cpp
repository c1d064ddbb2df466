#include "toolkit/gdi/DrawingTool.h"

#include "toolkit/windows/ControlDrawingTools.h"

namespace {

HGDIOBJ MakeBrush(const DrawingTool &tool) {
    const BrushData &brush = tool.Settings.Brush;
    LOGBRUSH log{};
    if (brush.BrushBitmap) {
        log = {BS_PATTERN, tool.ResolvedColor(), ULONG_PTR{brush.BrushBitmap}};
    } else if (brush.BrushStyle >= BrushStyleKind::HatchFirst) {
        log = {BS_HATCHED, ColorToRGB(brush.BrushLineColor), ULONG_PTR(brush.BrushStyle - BrushStyleKind::HatchFirst)};
    } else {
        log = {UINT(brush.BrushStyle == BrushStyleKind::Clear ? BS_NULL : BS_SOLID), tool.ResolvedColor(), 0};
    }
    return CreateBrushIndirect(&log);
}

DrawingTool *NewBrushTool() { return NewBrush(); }

} // namespace

Brush *NewBrush() {
    // Controls switch to drawing tools once the first one exists.
    static const bool installed = (InstallBrushHooks(), true);
    (void)installed;
    Brush *brush = NewObject<Brush>();
    brush->Kind = ToolKind::Brush;
    brush->Settings.Color = 0x8000000F;
    brush->Creator = &NewBrushTool;
    brush->MakeHandle = &MakeBrush;
    return brush;
}
