// A host window for the tests that drive the real DLL: it records the notification clicks it receives and paints a
// pattern that tells where each of its pixels came from; and readers of what is on the screen.
#pragma once

#include "DisplayCapture.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct PluginLibrary;

struct Received {
    HWND Window;
    UINT Message;
    LPARAM LParam;
};
// The button messages every test host window received, in order.
extern std::vector<Received> received;

// The host paints each client pixel in a colour of its own, so a copy of its pixels tells where it came from;
// changing the phase changes every pixel.
constexpr BYTE FirstPhase = 0x40;
constexpr BYTE SecondPhase = 0x80;
extern BYTE patternPhase;
COLORREF PatternAt(int x, int y, BYTE phase);

// A shown, top-level host window of 700 x 500.
HWND MakeHostWindow(const char *title);
// Dispatches the thread's messages for the given time.
void Pump(DWORD milliseconds);

// A window's client pixels as its DC reads them, from the top-left corner, at most the given size. Under Wine that
// is the window's own surface, not necessarily what the display shows (DisplayCapture.h reads that).
Pixels ClientPixels(HWND window, int maxWidth = 4096, int maxHeight = 4096);

// The pixels that differ from the host's pattern taken at (left, top); the first one is described in where.
int PatternMismatches(const Pixels &pixels, int left, int top, BYTE phase, std::string &where);
// The pixels that differ from one colour; the first one is described in where.
int ColorMismatches(const Pixels &pixels, COLORREF color, std::string &where);

RECT RectInParent(HWND window);
// Private memory committed in the process: what the library keeps or a query takes.
std::size_t CommittedPrivateBytes();
HWND GridOf(HWND form);
// Gives the plug-in the host window and the viewer's rectangle, and waits for the viewer to move in; its grid, or
// null when it never came.
HWND EmbedViewer(PluginLibrary &plugin, HWND host, int left, int top, int width, int height);

// A plug-in loaded for the rest of the process, its viewer in a new host window at (10, 10), and a database in
// memory opened: what the suites that query one viewer share. LoadError is empty when the library loaded.
struct QueryViewer {
    PluginLibrary *Plugin = nullptr;
    std::string LoadError;
    std::string OpenAnswer;
    HWND Host = nullptr;
    HWND Grid = nullptr;
};
QueryViewer StartQueryViewer(const char *title, int width, int height);
// What the form itself paints, with its grid hidden for the moment; at most the given size.
Pixels FormPixelsBehindGrid(HWND form, int maxWidth = 4096, int maxHeight = 4096);
