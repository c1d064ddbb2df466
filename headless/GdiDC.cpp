// Device context attributes of the headless GDI.
#include "headless/GdiObjects.h"

#include <utility>

using namespace headless::gdi;

namespace {

// Runs `change` on the DC's attribute and returns its old value, or `failed` for a bad DC.
template <class T, class Change> T Swap(HDC handle, T failed, Change change) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    return dc ? change(*dc) : failed;
}

BOOL SetPoint(HDC handle, POINT DeviceContext::*field, int x, int y, LPPOINT previous) {
    return Swap(handle, FALSE, [&](DeviceContext &dc) {
        if (previous)
            *previous = dc.*field;
        dc.*field = POINT{x, y};
        return TRUE;
    });
}

} // namespace

COLORREF SetTextColor(HDC handle, COLORREF color) {
    return Swap(handle, CLR_INVALID, [&](DeviceContext &dc) { return std::exchange(dc.TextColor, color); });
}

COLORREF GetTextColor(HDC handle) {
    return Swap(handle, CLR_INVALID, [](DeviceContext &dc) { return dc.TextColor; });
}

COLORREF SetBkColor(HDC handle, COLORREF color) {
    return Swap(handle, CLR_INVALID, [&](DeviceContext &dc) { return std::exchange(dc.BkColor, color); });
}

COLORREF GetBkColor(HDC handle) {
    return Swap(handle, CLR_INVALID, [](DeviceContext &dc) { return dc.BkColor; });
}

int SetBkMode(HDC handle, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return Swap(handle, 0, [&](DeviceContext &dc) { return std::exchange(dc.BkMode, mode); });
}

int GetBkMode(HDC handle) {
    return Swap(handle, 0, [](DeviceContext &dc) { return dc.BkMode; });
}

int SetROP2(HDC handle, int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return Swap(handle, 0, [&](DeviceContext &dc) { return std::exchange(dc.Rop2, mode); });
}

int GetROP2(HDC handle) {
    return Swap(handle, 0, [](DeviceContext &dc) { return dc.Rop2; });
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    return SetPoint(dc, &DeviceContext::BrushOrigin, x, y, previous);
}

BOOL GdiFlush() { return TRUE; }
