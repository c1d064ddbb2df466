// The stand-in plug-in host. Scripted mode prints the exchange with the plug-in
// as a transcript:
//   host.exe --db PATH [--screenshot FILE.png] [--exit-after MS]
#include "PluginLibrary.h"
#include "Screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Options {
    std::string Database;
    std::string ScreenshotPath;
    DWORD ExitAfterMs = 1000;
};

PluginLibrary Plugin;
HWND Status = nullptr;

std::string Printable(const char *text) {
    std::string out;
    for (const char *p = text; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

// The plug-in's notification: a click at the viewer's corner. The host answers
// it by reading the exchange text and showing it in its status line.
void OnNotification(LPARAM point) {
    std::printf("host <- click at (%d, %d)\n", static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point)));
    const std::string text = Printable(Plugin.GetFile());
    std::printf("host -> GetFile: \"%s\"\n", text.c_str());
    std::fflush(stdout);
    SetWindowTextA(Status, text.c_str());
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        OnNotification(lParam);
        return 0;
    case WM_SIZE:
        MoveWindow(Status, 8, HIWORD(lParam) - 28, LOWORD(lParam) - 16, 20, TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateHostWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "SqliteViewHost";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "SqliteViewHost", "SQLite viewer host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40,
                                  40, 900, 600, nullptr, nullptr, windowClass.hInstance, nullptr);
    Status = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 8, 540, 860, 20, window, nullptr,
                             windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

// Serves the host window for a while; notifications sent to the calling thread
// (no host window known to the plug-in yet) are answered as well.
void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return;
            if (!msg.hwnd && msg.message == WM_LBUTTONDOWN)
                OnNotification(msg.lParam);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

int RunScript(const Options &options) {
    const std::string error = Plugin.Load("sqliteview.dll");
    if (!error.empty()) {
        std::printf("host: %s\n", error.c_str());
        return 2;
    }
    HWND window = CreateHostWindow();
    std::printf("host -> GetShortInfo: \"%s\"\n", Plugin.GetShortInfo());
    if (!options.Database.empty()) {
        std::printf("host -> SetFile(\"%s\")\nhost -> openbase\n", options.Database.c_str());
        Plugin.SetFile(options.Database.c_str());
        Plugin.openbase();
    }
    Pump(options.ExitAfterMs);
    if (!options.ScreenshotPath.empty()) {
        const bool saved = SaveClientScreenshot(window, options.ScreenshotPath);
        std::printf("host: screenshot %s %s\n", options.ScreenshotPath.c_str(), saved ? "written" : "FAILED");
    }
    DestroyWindow(window);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--db")
            options.Database = argv[i + 1];
        else if (flag == "--screenshot")
            options.ScreenshotPath = argv[i + 1];
        else if (flag == "--exit-after")
            options.ExitAfterMs = static_cast<DWORD>(std::strtoul(argv[i + 1], nullptr, 10));
        else {
            std::printf("usage: host.exe --db PATH [--screenshot FILE.png] [--exit-after MS]\n");
            return 2;
        }
    }
    return RunScript(options);
}
