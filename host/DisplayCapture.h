// Pictures of what the X display shows, taken from inside Wine: the capture script is a Unix program that Wine
// starts outside itself, and its picture comes back as a file. What a window's own DC holds is not what the user
// sees; this is.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Pixels as 0x00BBGGRR (COLORREF), rows top-down.
struct Pixels {
    int Width = 0;
    int Height = 0;
    std::vector<COLORREF> Values;
    COLORREF At(int x, int y) const { return Values[static_cast<std::size_t>(y) * Width + x]; }
};

// Runs the capture script (its Unix path) on a rectangle of the screen and waits for the picture it writes to path
// (relative to the current directory, which Wine gives the script too; PNG or PPM by the name). False when no
// picture came.
bool CaptureDisplay(const std::string &script, const RECT &screen, const std::string &path);

// Reads the binary PPM the script writes; false when the file is missing or not one.
bool ReadPpm(const std::string &path, Pixels &picture);
