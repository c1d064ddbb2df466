// Snapshots of a window region: the backdrop the viewer paints under the grid.
#pragma once

#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/platform/Win32.h"

// The most recent snapshot. It holds a reference of its own, so it stays valid
// after the caller releases its bitmap, until the next snapshot or ClearLastSnapshot.
extern Bitmap *LastSnapshot;

// A 32-bit DIB of width x height holding the window's client pixels from (x, y);
// empty, with nothing copied, for a zero size. The caller owns the result.
Bitmap *CaptureWindowRegion(HWND window, int x, int y, int width, int height);
void ClearLastSnapshot();
