// The demo's pictures: the display's pixels under the host window, once with the settings dialog open.
#include "Screenshot.h"

#include "DisplayCapture.h"
#include "PluginLibrary.h"

namespace {

struct SettingsShot {
    std::string Script;
    HWND Window = nullptr;
    std::string Path;
    int Ticks = 0;
    int TicksUnseen = 0;
    bool Saved = false;
    bool Done = false;
};
SettingsShot *settingsShot = nullptr;

// Runs from the dialog's own loop: timer messages come after every pending paint, and a few ticks after the dialog
// shows, the display has what the user sees.
void CALLBACK SettingsTick(HWND, UINT, UINT_PTR, DWORD) {
    SettingsShot &shot = *settingsShot;
    const HWND dialog = FindWindowA(nullptr, "Form2");
    if (shot.Done)
        return;
    if (!dialog || !IsWindowVisible(dialog)) {
        // A dialog that never shows must not keep the demo waiting: a quit ends its loop.
        if (++shot.TicksUnseen > 400) {
            shot.Done = true;
            PostQuitMessage(0);
        }
        return;
    }
    if (++shot.Ticks < 5)
        return;
    shot.Done = true;
    shot.Saved = SaveWindowScreenshot(shot.Script, shot.Window, shot.Path);
    if (const HWND ok = FindWindowExA(dialog, nullptr, nullptr, "OK"))
        SendMessageA(ok, BM_CLICK, 0, 0);
}

} // namespace

bool SaveWindowScreenshot(const std::string &script, HWND window, const std::string &path) {
    RECT rect;
    return GetWindowRect(window, &rect) && CaptureDisplay(script, rect, path);
}

bool SaveSettingsScreenshot(PluginLibrary &plugin, const std::string &script, HWND window, const std::string &path) {
    SettingsShot shot{script, window, path};
    settingsShot = &shot;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, SettingsTick);
    plugin.Interface();
    KillTimer(nullptr, timer);
    settingsShot = nullptr;
    return shot.Saved;
}
