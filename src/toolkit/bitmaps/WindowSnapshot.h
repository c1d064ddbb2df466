// Snapshots of a window region: the backdrop the viewer paints under the grid.
#pragma once

#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/platform/Win32.h"

// The most recent snapshot. It holds a reference of its own, so it stays valid
// after the caller releases its bitmap, until the next snapshot or ClearLastSnapshot.
extern Bitmap *LastSnapshot;

// A 32-bit DIB of width x height holding the window's client pixels from (x, y);
// empty, with nothing copied, for a zero size. When the pixels could not be copied, FailureMessage says so and the
// bitmap holds none of them. The caller owns the result.
Bitmap *CaptureWindowRegion(HWND window, int x, int y, int width, int height);
void ClearLastSnapshot();

// The part of the region at (x, y) of width x height that lies inside the window's client area, in client
// coordinates: all of it a snapshot can copy. An all-zero rectangle when the region is empty or lies outside, or the
// window is gone.
RECT VisibleClientPart(HWND window, int x, int y, int width, int height);
