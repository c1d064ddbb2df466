#include "toolkit/windows/ControlDrawingHooks.h"

#include "toolkit/windows/Control.h"
#include "toolkit/windows/ControlInternals.h"

void (*FontApplyHook)(Control *control) = nullptr;
HBRUSH (*ControlBrushHook)(Control *control) = &DefaultControlBrush;

HBRUSH DefaultControlBrush(Control *control) {
    while (control->Parent && control->Parent->Color == control->Color)
        control = control->Parent;
    const COLORREF rgb = ColorToRGB(control->Color);
    if (!control->ColorBrush || control->ColorBrushRGB != rgb) {
        DropColorBrush(control);
        control->ColorBrush = CreateSolidBrush(rgb);
        control->ColorBrushRGB = rgb;
    }
    return control->ColorBrush;
}
