// The demo's pictures, taken from the X display as the user sees it: the host window alone, and the host window
// with the plug-in's settings dialog open over it.
#pragma once

#include <windows.h>

#include <string>

struct PluginLibrary;

// Saves what the display shows of a window (its frame included) to a PNG file, through the capture script.
bool SaveWindowScreenshot(const std::string &script, HWND window, const std::string &path);

// Opens the plug-in's settings dialog, saves the window's screenshot once the dialog shows, then closes the dialog
// with its OK button as a user would.
bool SaveSettingsScreenshot(PluginLibrary &plugin, const std::string &script, HWND window, const std::string &path);
