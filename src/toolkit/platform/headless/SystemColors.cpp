// The system colour table of the headless platform.
#include "toolkit/platform/headless/GdiInspect.h"

#include <array>
#include <mutex>

namespace {

constexpr int ColorCount = COLOR_MENUBAR + 1;

constexpr std::array<COLORREF, ColorCount> Defaults = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(51, 153, 255),
    RGB(240, 240, 240)};

std::mutex lock;
std::array<COLORREF, ColorCount> colors = Defaults;

bool Valid(int index) { return index >= 0 && index < ColorCount; }

} // namespace

DWORD GetSysColor(int index) {
    std::lock_guard guard(lock);
    return Valid(index) ? colors[std::size_t(index)] : 0;
}

BOOL SetSysColors(int count, const INT *indices, const COLORREF *values) {
    if (count < 0 || (count > 0 && (!indices || !values)))
        return FALSE;
    std::lock_guard guard(lock);
    for (int i = 0; i < count; ++i)
        if (Valid(indices[i]))
            colors[std::size_t(indices[i])] = values[i] & 0xFFFFFF;
    return TRUE;
}

namespace headless {

void SetSystemColor(int index, COLORREF color) { SetSysColors(1, &index, &color); }

void ResetSystemColors() {
    std::lock_guard guard(lock);
    colors = Defaults;
}

} // namespace headless
