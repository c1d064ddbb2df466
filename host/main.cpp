// The stand-in plug-in host. Scripted mode: host.exe --db PATH opens the
// database through the plug-in and prints the exchange as a transcript.
#include "PluginLibrary.h"

#include <cstdio>
#include <string>

namespace {

std::string Printable(const char *text) {
    std::string out;
    for (const char *p = text; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        char code[8];
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20) {
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

// Waits for the notification click (a button-down, then a button-up) and
// answers it the way a host does: by reading the exchange text.
bool AwaitNotification(PluginLibrary &plugin, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    bool down = false;
    while (GetTickCount() - start < timeoutMs) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_LBUTTONDOWN) {
                std::printf("host <- click down at (%d, %d), wParam %u\n", static_cast<short>(LOWORD(msg.lParam)),
                            static_cast<short>(HIWORD(msg.lParam)), static_cast<unsigned>(msg.wParam));
                std::printf("host -> GetFile: \"%s\"\n", Printable(plugin.GetFile()).c_str());
                down = true;
            } else if (msg.message == WM_LBUTTONUP && down) {
                std::printf("host <- click up\n");
                return true;
            }
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    std::printf("host: no notification within %lu ms\n", static_cast<unsigned long>(timeoutMs));
    return false;
}

int RunScript(const char *dbPath) {
    PluginLibrary plugin;
    const std::string error = plugin.Load("sqliteview.dll");
    if (!error.empty()) {
        std::printf("host: %s\n", error.c_str());
        return 2;
    }
    std::printf("host -> GetShortInfo: \"%s\"\n", plugin.GetShortInfo());
    std::printf("host -> SetFile(\"%s\")\n", dbPath);
    plugin.SetFile(dbPath);
    std::printf("host -> openbase\n");
    plugin.openbase();
    return AwaitNotification(plugin, 5000) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--db")
            return RunScript(argv[i + 1]);
    std::printf("usage: host.exe --db PATH\n");
    return 2;
}
