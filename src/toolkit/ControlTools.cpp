#include "toolkit/ControlTools.h"

#include "toolkit/Canvas.h"
#include "toolkit/Control.h"
#include "toolkit/ControlHooks.h"
#include "toolkit/DrawingTool.h"

namespace {

Control *OwnerOf(const DrawingTool *tool) { return static_cast<Control *>(tool->OnChange.Data); }

void ApplyFont(Control *control) {
    if (!control->Font)
        return;
    if (control->Handle)
        SendMessageA(control->Handle, WM_SETFONT, reinterpret_cast<WPARAM>(control->Font->GetHandle()), 0xFFFF);
    control->TextColor = control->Font->Settings.Color;
    FreeAndClear(control->Canvas);
}

void FontChanged(void *data, ObjectBase *) {
    auto *control = static_cast<Control *>(data);
    ApplyFont(control);
    control->Invalidate();
}

void BrushChanged(void *data, ObjectBase *) {
    auto *control = static_cast<Control *>(data);
    if (control->Brush)
        control->Color = control->Brush->Settings.Color;
    if (control->ColorBrush)
        DeleteObject(control->ColorBrush);
    control->ColorBrush = nullptr;
    control->Invalidate();
}

// A tool may outlive its control (a child's tool holds its parent tool): it
// forgets the control when the control lets it go.
void ReleaseTool(ObjectBase *object) {
    auto *tool = static_cast<DrawingTool *>(object);
    if (Control *control = OwnerOf(tool)) {
        if (control->Font == tool)
            control->Font = nullptr;
        if (control->Brush == tool)
            control->Brush = nullptr;
    }
    tool->OnChange.Clear();
    ObjectBase::Free(tool);
}

template <class Tool>
Tool *Adopt(Control *control, Tool *tool, Tool *Control::*field, NotifyEvent::HandlerProc changed) {
    tool->OnChange = {changed, control};
    control->*field = tool;
    control->AddToAutoFree(tool, &ReleaseTool);
    return tool;
}

// The control's own brush, linked up the chain of parents so that equal brushes share one handle.
Brush *LinkedBrush(Control *control) {
    Brush *brush = ControlBrush(control);
    if (control->Parent && !brush->ParentTool)
        brush->SetParentTool(LinkedBrush(control->Parent));
    return brush;
}

HBRUSH OwnBrushHandle(Control *control) { return static_cast<HBRUSH>(LinkedBrush(control)->GetHandle()); }

} // namespace

void InheritTools(Control *control, Control *parent) {
    if (parent->Font && !control->Font) {
        auto *font = static_cast<Font *>(DrawingTool::Assign(nullptr, parent->Font));
        font->SetParentTool(parent->Font);
        Adopt(control, font, &Control::Font, &FontChanged);
        FontChanged(control, font);
    }
    if (parent->Brush && !control->Brush) {
        auto *brush = static_cast<Brush *>(DrawingTool::Assign(nullptr, parent->Brush));
        brush->SetParentTool(parent->Brush);
        Adopt(control, brush, &Control::Brush, &BrushChanged);
        BrushChanged(control, brush);
    }
}

Font *ControlFont(Control *control) {
    if (!control->Font) {
        Font *font = NewFont();
        font->SetColor(control->TextColor);
        Adopt(control, font, &Control::Font, &FontChanged);
    }
    return control->Font;
}

Brush *ControlBrush(Control *control) {
    if (!control->Brush) {
        Brush *brush = NewBrush();
        brush->SetColor(control->Color);
        Adopt(control, brush, &Control::Brush, &BrushChanged);
    }
    return control->Brush;
}

void InstallBrushHooks() { ControlBrushHook = &OwnBrushHandle; }

void InstallFontHooks() { FontApplyHook = &ApplyFont; }
