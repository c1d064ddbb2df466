// The library's entry point and end: after FreeLibrary nothing is left that can run the library's code, and a new
// load starts afresh.
#include "plugin/LibraryEntry.h"

#include "db/Database.h"
#include "plugin/SettingsForm.h"
#include "plugin/ViewerForm.h"
#include "toolkit/windows/Control.h"
#include "toolkit/windows/ToolkitStart.h"

void ReleasePlugin() {
    ReleaseViewer();
    ReleaseSettings();
    StopToolkit();
    CloseDatabase();
}

void DetachPlugin() {
    HandOverWindows(SettingsApplet);
    HandOverWindows(ViewerApplet);
    HandOverWindows(Applet);
    ReleasePlugin();
}

#ifdef _WIN32

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    // At process exit (reserved set) the other threads are gone and no message loop runs again: nothing to undo. Not
    // through the export guard: under the loader lock nothing may take a reference on the library or start a thread.
    if (reason == DLL_PROCESS_DETACH && !reserved) {
        try {
            DetachPlugin();
        } catch (...) {
        }
    }
    return TRUE;
}

#endif
