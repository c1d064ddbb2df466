#include "toolkit/windows/ControlDrawingTools.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/windows/Control.h"
#include "toolkit/windows/ControlDrawingHooks.h"
#include "toolkit/windows/ControlInternals.h"

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
    DropColorBrush(control);
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

template <class Tool>
void Inherit(Control *control, Control *parent, Tool *Control::*field, NotifyEvent::HandlerProc changed) {
    Tool *const parentTool = parent->*field;
    if (!parentTool || control->*field)
        return;
    auto *tool = static_cast<Tool *>(DrawingTool::Assign(nullptr, parentTool));
    tool->SetParentTool(parentTool);
    Adopt(control, tool, field, changed);
    changed(control, tool);
}

template <class Tool>
Tool *OwnTool(Control *control, Tool *Control::*field, Tool *(*make)(), std::uint32_t color,
              NotifyEvent::HandlerProc changed) {
    if (!(control->*field)) {
        Tool *tool = make();
        tool->SetColor(color);
        Adopt(control, tool, field, changed);
    }
    return control->*field;
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
    Inherit(control, parent, &Control::Font, &FontChanged);
    Inherit(control, parent, &Control::Brush, &BrushChanged);
}

Font *ControlFont(Control *control) {
    return OwnTool(control, &Control::Font, &NewFont, control->TextColor, &FontChanged);
}

Brush *ControlBrush(Control *control) {
    return OwnTool(control, &Control::Brush, &NewBrush, control->Color, &BrushChanged);
}

void InstallBrushHooks() { ControlBrushHook = &OwnBrushHandle; }

void InstallFontHooks() { FontApplyHook = &ApplyFont; }
