// Integer and rectangle helpers shared by the toolkit and the grid.
#pragma once

#include <cstdint>

#include "toolkit/platform/Win32.h"

std::int32_t IntMin(std::int32_t a, std::int32_t b);
std::int32_t IntMax(std::int32_t a, std::int32_t b);
RECT MakeRect(LONG left, LONG top, LONG right, LONG bottom);
POINT MakePoint(LONG x, LONG y);
bool RectsEqual(const RECT &a, const RECT &b);
// Unlike PtInRect, the right and bottom edges count as inside.
bool PointInRect(const POINT &point, const RECT &rect);
