// A reference on the library while a modal loop of ours runs the host's handlers, one of which may call FreeLibrary:
// the unload then waits until the loop has returned instead of freeing the code under it.
#pragma once

#include "toolkit/platform/Win32.h"

class ModuleHold {
public:
    ModuleHold();
    // Hands the reference to a thread of ours, which drops it once no call into the library is left on any stack
    // (FreeLibraryAndExitThread: the drop returns into no code of ours). When the host freed the library meanwhile,
    // that is the unload, on that thread.
    ~ModuleHold();
    ModuleHold(const ModuleHold &) = delete;
    ModuleHold &operator=(const ModuleHold &) = delete;

private:
    HMODULE Module = nullptr;
};
