// The reference a modal loop holds on the library, and the thread that drops it.
#include "plugin/ModuleHold.h"

#include "toolkit/messages/LibraryCalls.h"

#include <atomic>

bool OnFirstExportThread() {
    static std::atomic<DWORD> first{0};
    DWORD expected = 0;
    const DWORD self = GetCurrentThreadId();
    return first.compare_exchange_strong(expected, self) || expected == self;
}

#ifdef _WIN32

namespace {

DWORD WINAPI DropWhenNoCallIsLeft(LPVOID module) {
    while (CallsInLibrary.load() > 0)
        Sleep(1);
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

} // namespace

ModuleHold::ModuleHold(bool needed) {
    if (needed)
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&DropWhenNoCallIsLeft),
                           &Module);
}

ModuleHold::~ModuleHold() {
    if (!Module)
        return;
    // Without a thread the reference stays: the library is then kept until the process ends, which is safe.
    if (HANDLE thread = CreateThread(nullptr, 0, &DropWhenNoCallIsLeft, Module, 0, nullptr))
        CloseHandle(thread);
}

#else

// The native build is no library: nothing can unload it.
ModuleHold::ModuleHold(bool) {}
ModuleHold::~ModuleHold() = default;

#endif
