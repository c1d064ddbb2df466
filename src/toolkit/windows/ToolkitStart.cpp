#include "toolkit/windows/ToolkitStart.h"

#include "toolkit/windows/Control.h"

Control *StartToolkit() {
    if (!Applet) {
        Applet = NewApplet("vexlet");
        Applet->SetVisible(false);
        Applet->GetWindowHandle();
    }
    return Applet;
}
