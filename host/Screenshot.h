#pragma once

#include <windows.h>

#include <string>

// Saves the client area of a window, as it is on the screen, to a PNG file.
bool SaveClientScreenshot(HWND window, const std::string &path);
