// The library's entry point and end: after FreeLibrary nothing is left that can run the library's code, and a new
// load starts afresh.
#include "plugin/LibraryEntry.h"

#include "db/Database.h"
#include "plugin/ExportGuard.h"
#include "plugin/ViewerForm.h"
#include "toolkit/windows/Control.h"
#include "toolkit/windows/ToolkitStart.h"

void ReleasePlugin() {
    ReleaseViewer();
    StopToolkit();
    CloseDatabase();
}

#ifdef _WIN32

namespace {

bool OnThreadOf(const Control *control) {
    return !control || !control->Handle || GetWindowThreadProcessId(control->Handle, nullptr) == GetCurrentThreadId();
}

BOOL CALLBACK Neutralise(HWND window, LPARAM) {
    if (HandWindowToDefaultProc(window))
        ShowWindowAsync(window, SW_HIDE);
    return TRUE;
}

BOOL CALLBACK NeutraliseTree(HWND window, LPARAM) {
    Neutralise(window, 0);
    EnumChildWindows(window, &Neutralise, 0);
    return TRUE;
}

// FreeLibrary on a thread that does not own the windows: they cannot be destroyed from here, so they are handed to
// the default procedure and hidden. They stay (and keep their classes registered) until their owner destroys them;
// their records and drawing tools are left behind.
void ReleaseFromOtherThread() {
    EnumWindows(&NeutraliseTree, 0);
    CloseDatabase();
}

void Unload() {
    if (OnThreadOf(Applet) && OnThreadOf(ViewerApplet))
        ReleasePlugin();
    else
        ReleaseFromOtherThread();
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    // At process exit (reserved set) the other threads are gone and no message loop runs again: nothing to undo.
    if (reason == DLL_PROCESS_DETACH && !reserved)
        GuardExport(Unload);
    return TRUE;
}

#endif
