// Rectangle arithmetic shared by the headless window manager and GDI.
#pragma once

#include "headless/Windows.h"

#include <algorithm>

namespace headless {

inline bool IsEmpty(const RECT &r) { return r.right <= r.left || r.bottom <= r.top; }

// The common part, or an all-zero rectangle when there is none.
inline RECT Intersect(const RECT &a, const RECT &b) {
    const RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return IsEmpty(r) ? RECT{} : r;
}

// The bounding box of both; an empty rectangle adds nothing.
inline RECT Unite(const RECT &a, const RECT &b) {
    if (IsEmpty(a))
        return b;
    if (IsEmpty(b))
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

inline RECT Offset(const RECT &r, LONG dx, LONG dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// A rectangle with left <= right and top <= bottom.
inline RECT Normalized(const RECT &r) {
    return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

} // namespace headless
