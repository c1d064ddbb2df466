// Inert window DCs for a build without the headless GDI; see WindowSurface.h.
#include "toolkit/platform/headless/WindowSurface.h"

#include <atomic>
#include <cstdint>

namespace headless {

__attribute__((weak)) HDC CreateWindowDC(HWND window) {
    static std::atomic<std::uintptr_t> next{0x7800000};
    return window ? reinterpret_cast<HDC>(next += 4) : nullptr;
}

__attribute__((weak)) void ReleaseWindowDC(HWND, HDC) {}

} // namespace headless
