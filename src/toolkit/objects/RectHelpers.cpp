#include "toolkit/objects/RectHelpers.h"

std::int32_t IntMin(std::int32_t a, std::int32_t b) { return a < b ? a : b; }

std::int32_t IntMax(std::int32_t a, std::int32_t b) { return a > b ? a : b; }

RECT MakeRect(LONG left, LONG top, LONG right, LONG bottom) {
    RECT rect;
    rect.left = left;
    rect.top = top;
    rect.right = right;
    rect.bottom = bottom;
    return rect;
}

POINT MakePoint(LONG x, LONG y) {
    POINT point;
    point.x = x;
    point.y = y;
    return point;
}

bool RectsEqual(const RECT &a, const RECT &b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool PointInRect(const POINT &point, const RECT &rect) {
    return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y && point.y <= rect.bottom;
}
