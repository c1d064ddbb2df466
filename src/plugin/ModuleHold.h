// A reference on the library while a modal loop of ours runs the host's handlers, one of which may call FreeLibrary,
// or while an export runs on a thread other than the host's window thread, which may call FreeLibrary meanwhile:
// the unload then waits until the call has returned instead of freeing the code under it.
#pragma once

#include "toolkit/platform/Win32.h"

class ModuleHold {
public:
    // Takes the reference when needed.
    explicit ModuleHold(bool needed = true);
    // Hands the reference to a thread of ours, which drops it once no call into the library is left on any stack
    // (FreeLibraryAndExitThread: the drop returns into no code of ours). When the host freed the library meanwhile,
    // that is the unload, on that thread.
    ~ModuleHold();
    ModuleHold(const ModuleHold &) = delete;
    ModuleHold &operator=(const ModuleHold &) = delete;

private:
    HMODULE Module = nullptr;
};

// True on the thread that made the first export call (the host's window thread, which loaded the library and calls
// it in the documented order); an export on any other thread holds the library while it runs.
bool OnFirstExportThread();
