// The result budget's one instance, and the limit it takes as a query starts.
#include "grid/MemoryBudget.h"

#include "toolkit/platform/Win32.h"

MemoryBudget ResultBudget;

void MemoryBudget::ChooseLimit() {
    if (Fixed)
        return;
#ifdef _WIN64
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    const auto limit =
        static_cast<std::size_t>(LimitFor(true, GlobalMemoryStatusEx(&status) ? status.ullAvailPhys : 0));
#else
    // The 32-bit DLL, and the native build that stands in for it.
    const auto limit = static_cast<std::size_t>(LimitFor(false, 0));
#endif
    LimitBytes = limit < UsedBytes ? UsedBytes : limit;
}
