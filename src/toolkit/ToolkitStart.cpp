#include "toolkit/ToolkitStart.h"

#include "toolkit/Control.h"

Control *StartToolkit() {
    if (!Applet) {
        Applet = NewApplet("vexlet");
        Applet->SetVisible(false);
        Applet->GetWindowHandle();
    }
    return Applet;
}
