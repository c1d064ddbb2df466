// The seam between the headless window manager and the headless GDI: how a window's client area is drawn on.
#pragma once

#include "headless/Windows.h"

namespace headless {

// A DC that draws on the window's client area, origin at the client's top-left corner. BeginPaint, GetDC and
// GetDCEx hand out such a DC; EndPaint and ReleaseDC give it back through ReleaseWindowDC. The headless GDI
// defines them (WindowSurfaces.cpp), backed by the pixel surface of the window's top-level window.
HDC CreateWindowDC(HWND window);
void ReleaseWindowDC(HDC dc);
// Lets go of a destroyed window's surface; DCs still out keep theirs.
void ForgetWindowSurface(HWND window);

} // namespace headless
