// The toolkit's hidden application window, and the end of the toolkit's windows and classes.
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

void StopToolkit() {
    // Destroy clears Applet.
    if (Applet)
        ObjectBase::Free(Applet);
    UnregisterWindowClasses();
}
