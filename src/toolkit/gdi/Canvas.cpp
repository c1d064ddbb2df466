#include "toolkit/gdi/Canvas.h"

#include "toolkit/gdi/StockObjects.h"

namespace {

void ToolChanged(void *data, ObjectBase *) { static_cast<Canvas *>(data)->DeselectTools(); }

// Dash, dot and dash-dot pens fill their gaps with the background colour.
bool IsBrokenLine(std::uint8_t style) { return style >= PS_DASH && style <= PS_DASHDOT; }

} // namespace

Canvas *NewCanvas(HDC dc) {
    Canvas *canvas = NewObject<Canvas>();
    if (dc)
        canvas->SetHandle(dc);
    return canvas;
}

void Canvas::Destroy() {
    SetHandle(nullptr);
    for (DrawingTool *tool : {static_cast<DrawingTool *>(PenTool), static_cast<DrawingTool *>(BrushTool),
                              static_cast<DrawingTool *>(FontTool)})
        if (tool && tool->OnChange.Data == this)
            tool->OnChange.Clear();
    FreeAndClear(PenTool);
    FreeAndClear(BrushTool);
    FreeAndClear(FontTool);
    ObjectBase::Destroy();
}

Canvas *Canvas::SetHandle(HDC dc) {
    if (dc == DC)
        return this;
    if (DC) {
        DeselectTools();
        const HDC old = DC;
        DC = nullptr;
        State &= ~CanvasState::DC;
        if (GetHandleHook)
            GetHandleHook->ReleaseHandle(this, old);
        else
            DeleteDC(old);
    }
    if (dc) {
        State |= CanvasState::DC;
        DC = dc;
        SetPenPos(PenPos);
    }
    return this;
}

HDC Canvas::Handle() {
    if (GetHandleHook)
        SetHandle(GetHandleHook->GetHandle(this));
    return DC;
}

void Canvas::DeselectTools() {
    if (!DC || !(State & CanvasState::Tools))
        return;
    SelectObject(DC, StockSystemFont());
    SelectObject(DC, StockNullBrush());
    SelectObject(DC, StockBlackPen());
    State &= ~CanvasState::Tools;
}

void Canvas::Bind(DrawingTool *tool) { tool->OnChange = {&ToolChanged, this}; }

HDC Canvas::RequireState(std::uint8_t flags) {
    if ((flags & CanvasState::Notify) && OnChange)
        OnChange(this);
    if ((flags & CanvasState::DC) && !Handle())
        return nullptr;
    // Without a DC nothing can be selected, and State must not claim otherwise.
    if (!DC)
        return nullptr;
    const std::uint8_t missing = flags & CanvasState::Tools & ~State;
    bool brushNeeded = missing & CanvasState::Brush;
    if (missing & CanvasState::Font)
        SelectFont();
    if (missing & CanvasState::Pen) {
        SelectPen();
        if (PenTool && IsBrokenLine(PenTool->Settings.Pen.PenStyle))
            brushNeeded = true;
    }
    if (brushNeeded)
        SelectBrush();
    State |= flags & CanvasState::Tools;
    return DC;
}

void Canvas::SelectFont() {
    if (FontTool) {
        SelectObject(DC, FontTool->GetHandle());
        SetTextColor(DC, FontTool->ResolvedColor());
        Bind(FontTool);
    } else if (GetHandleHook) {
        SetTextColor(DC, ColorToRGB(GetHandleHook->TextColor(this)));
    }
}

void Canvas::SelectPen() {
    if (!PenTool)
        return;
    SelectObject(DC, PenTool->GetHandle());
    SetROP2(DC, PenTool->Settings.Pen.PenMode + 1);
    Bind(PenTool);
}

void Canvas::SelectBrush() {
    if (BrushTool) {
        SelectObject(DC, BrushTool->GetHandle());
        const COLORREF color = BrushTool->ResolvedColor();
        if (BrushTool->Settings.Brush.BrushStyle == BrushStyleKind::Solid) {
            SetBkColor(DC, color);
            SetBkMode(DC, OPAQUE);
        } else {
            // The inverse colour, kept a valid RGB value.
            SetBkColor(DC, ~color & 0xFFFFFF);
            SetBkMode(DC, TRANSPARENT);
        }
        Bind(BrushTool);
    } else if (GetHandleHook) {
        SetBkColor(DC, ColorToRGB(GetHandleHook->Color(this)));
        SetBkMode(DC, OPAQUE);
    }
}

Brush *Canvas::Brush() {
    if (!BrushTool) {
        BrushTool = NewBrush();
        if (GetHandleHook) {
            BrushTool->SetColor(GetHandleHook->Color(this));
            if (class Brush *own = GetHandleHook->BrushTool(this))
                DrawingTool::Assign(BrushTool, own);
        }
        Bind(BrushTool);
        // A brush bit set before the tool existed must not keep it from being selected.
        State &= ~CanvasState::Brush;
    }
    return BrushTool;
}

Font *Canvas::Font() {
    if (!FontTool) {
        FontTool = NewFont();
        if (GetHandleHook) {
            FontTool->SetColor(GetHandleHook->TextColor(this));
            if (class Font *own = GetHandleHook->FontTool(this))
                DrawingTool::Assign(FontTool, own);
        }
        Bind(FontTool);
        State &= ~CanvasState::Font;
    }
    return FontTool;
}

Pen *Canvas::Pen() {
    if (!PenTool) {
        PenTool = NewPen();
        Bind(PenTool);
        State &= ~CanvasState::Pen;
    }
    return PenTool;
}

void Canvas::MoveTo(int x, int y) { MoveToEx(RequireState(CanvasState::DC), x, y, nullptr); }

void Canvas::SetPenPos(POINT point) {
    PenPos = point;
    MoveTo(point.x, point.y);
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
    const HDC dc = RequireState(CanvasState::Notify | CanvasState::DC | CanvasState::Pen | CanvasState::Brush);
    if (dc)
        ::Rectangle(dc, left, top, right, bottom);
}

void Canvas::FillRect(const RECT &rect) {
    const HDC dc = RequireState(CanvasState::Notify | CanvasState::DC | CanvasState::Brush);
    if (!dc)
        return;
    if (BrushTool) {
        ::FillRect(dc, &rect, static_cast<HBRUSH>(BrushTool->GetHandle()));
    } else if (GetHandleHook) {
        if (class Brush *own = GetHandleHook->BrushTool(this)) {
            ::FillRect(dc, &rect, static_cast<HBRUSH>(own->GetHandle()));
        } else {
            const HBRUSH once = CreateSolidBrush(ColorToRGB(GetHandleHook->Color(this)));
            ::FillRect(dc, &rect, once);
            DeleteObject(once);
        }
    } else {
        ::FillRect(dc, &rect, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
}

void Canvas::DrawFocusRect(const RECT &rect) {
    const HDC dc = RequireState(CanvasState::Notify | CanvasState::DC | CanvasState::Brush | CanvasState::Font);
    if (dc)
        ::DrawFocusRect(dc, &rect);
}
