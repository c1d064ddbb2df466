#include "toolkit/ControlHooks.h"

#include "toolkit/Control.h"

void (*FontApplyHook)(Control *control) = nullptr;
HBRUSH (*ControlBrushHook)(Control *control) = &DefaultControlBrush;
void (*InheritToolsHook)(Control *control, Control *parent) = nullptr;
void (*ColorChangedHook)(Control *control) = nullptr;
void (*DetachCanvasHook)(Control *control) = nullptr;
void (*ReleaseCanvasHook)(Control *control) = nullptr;

COLORREF ColorToRGB(std::uint32_t color) {
    return (color & 0x80000000u) ? GetSysColor(static_cast<int>(color & 0x7FFFFFFFu)) : color;
}

HBRUSH DefaultControlBrush(Control *control) {
    while (control->Parent && control->Parent->Color == control->Color)
        control = control->Parent;
    const COLORREF rgb = ColorToRGB(control->Color);
    if (!control->ColorBrush || control->ColorBrushRGB != rgb) {
        if (control->ColorBrush)
            DeleteObject(control->ColorBrush);
        control->ColorBrush = CreateSolidBrush(rgb);
        control->ColorBrushRGB = rgb;
    }
    return control->ColorBrush;
}
