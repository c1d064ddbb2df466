// A minimal GDI for the window manager and the toolkit's dispatch until the headless GDI is linked in: handles are
// tracked so deletion reports correctly, regions are their bounding rectangle, and nothing is drawn. Every
// definition is weak, so the full headless GDI replaces each one at link time.
#include "toolkit/platform/Win32.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <unordered_map>

#define HEADLESS_WEAK __attribute__((weak))

namespace {

enum class Kind { Brush, Region, Bitmap, DC };

struct StandInObject {
    Kind Type;
    RECT Box{};
};

std::mutex objectsLock;
std::unordered_map<std::uintptr_t, StandInObject> objects;
std::uintptr_t nextHandle = 0x7100000;

void *Make(Kind kind, RECT box = {}) {
    std::lock_guard guard(objectsLock);
    nextHandle += 4;
    objects[nextHandle] = StandInObject{kind, box};
    return reinterpret_cast<void *>(nextHandle);
}

StandInObject *Find(const void *handle, Kind kind) {
    const auto found = objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return found != objects.end() && found->second.Type == kind ? &found->second : nullptr;
}

bool Empty(const RECT &r) { return r.right <= r.left || r.bottom <= r.top; }
int RegionType(const RECT &r) { return Empty(r) ? NULLREGION : SIMPLEREGION; }

RECT Intersection(const RECT &a, const RECT &b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return Empty(r) ? RECT{} : r;
}

RECT Union(const RECT &a, const RECT &b) {
    if (Empty(a))
        return b;
    if (Empty(b))
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

} // namespace

HEADLESS_WEAK HBRUSH CreateSolidBrush(COLORREF) { return static_cast<HBRUSH>(Make(Kind::Brush)); }

HEADLESS_WEAK BOOL DeleteObject(HGDIOBJ object) {
    std::lock_guard guard(objectsLock);
    const auto found = objects.find(reinterpret_cast<std::uintptr_t>(object));
    if (found == objects.end() || found->second.Type == Kind::DC)
        return FALSE;
    objects.erase(found);
    return TRUE;
}

HEADLESS_WEAK HGDIOBJ SelectObject(HDC, HGDIOBJ) { return nullptr; }
HEADLESS_WEAK COLORREF SetTextColor(HDC, COLORREF) { return 0; }
HEADLESS_WEAK COLORREF SetBkColor(HDC, COLORREF) { return 0xFFFFFF; }
HEADLESS_WEAK int SetBkMode(HDC, int) { return OPAQUE; }
HEADLESS_WEAK BOOL SetBrushOrgEx(HDC, int, int, LPPOINT previous) {
    if (previous)
        *previous = {};
    return TRUE;
}
HEADLESS_WEAK int FillRect(HDC dc, const RECT *rect, HBRUSH) { return dc && rect ? 1 : 0; }

HEADLESS_WEAK HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    RECT box{left, top, right, bottom};
    return static_cast<HRGN>(Make(Kind::Region, Empty(box) ? RECT{} : box));
}

HEADLESS_WEAK HRGN CreateRectRgnIndirect(const RECT *rect) {
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HEADLESS_WEAK BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    std::lock_guard guard(objectsLock);
    StandInObject *object = Find(region, Kind::Region);
    if (!object)
        return FALSE;
    RECT box{left, top, right, bottom};
    object->Box = Empty(box) ? RECT{} : box;
    return TRUE;
}

HEADLESS_WEAK int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
    std::lock_guard guard(objectsLock);
    StandInObject *target = Find(destination, Kind::Region);
    StandInObject *a = Find(source1, Kind::Region);
    StandInObject *b = Find(source2, Kind::Region);
    if (!target || !a || (mode != RGN_COPY && !b))
        return ERROR;
    RECT result = a->Box;
    switch (mode) {
    case RGN_AND:
        result = Intersection(a->Box, b->Box);
        break;
    case RGN_OR:
    case RGN_XOR:
        result = Union(a->Box, b->Box);
        break;
    case RGN_DIFF: {
        const RECT common = Intersection(a->Box, b->Box);
        // Only a fully covered region can be told apart from its bounding box.
        if (!Empty(common) && common.left == a->Box.left && common.top == a->Box.top && common.right == a->Box.right &&
            common.bottom == a->Box.bottom)
            result = {};
        break;
    }
    default:
        break;
    }
    target->Box = result;
    return RegionType(result);
}

HEADLESS_WEAK int OffsetRgn(HRGN region, int x, int y) {
    std::lock_guard guard(objectsLock);
    StandInObject *object = Find(region, Kind::Region);
    if (!object)
        return ERROR;
    if (!Empty(object->Box))
        object->Box = {object->Box.left + x, object->Box.top + y, object->Box.right + x, object->Box.bottom + y};
    return RegionType(object->Box);
}

HEADLESS_WEAK int GetRgnBox(HRGN region, LPRECT rect) {
    std::lock_guard guard(objectsLock);
    StandInObject *object = Find(region, Kind::Region);
    if (!object || !rect)
        return ERROR;
    *rect = object->Box;
    return RegionType(object->Box);
}

HEADLESS_WEAK int ExtSelectClipRgn(HDC dc, HRGN, int) { return dc ? SIMPLEREGION : ERROR; }
HEADLESS_WEAK HDC CreateCompatibleDC(HDC) { return static_cast<HDC>(Make(Kind::DC)); }
HEADLESS_WEAK HBITMAP CreateCompatibleBitmap(HDC dc, int, int) {
    return dc ? static_cast<HBITMAP>(Make(Kind::Bitmap)) : nullptr;
}

HEADLESS_WEAK BOOL DeleteDC(HDC dc) {
    std::lock_guard guard(objectsLock);
    return objects.erase(reinterpret_cast<std::uintptr_t>(dc)) ? TRUE : FALSE;
}

HEADLESS_WEAK BOOL BitBlt(HDC destination, int, int, int, int, HDC source, int, int, DWORD) {
    return destination && source ? TRUE : FALSE;
}
