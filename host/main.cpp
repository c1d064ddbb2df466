// The stand-in plug-in host: a window with an SQL box, a Run button, a status line that shows each notification's
// text, and the plug-in's viewer embedded through SetParentWindow and Draw. Scripted mode prints the exchange with
// the plug-in as a transcript. Screenshots come from the X display through the capture script (its Unix path):
//   host.exe [--db PATH] [--sql TEXT]... [--capture-script PATH] [--screenshot FILE.png]
//            [--settings-screenshot FILE.png] [--exit-after MS]
#include "PluginLibrary.h"
#include "Screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string Database;
    std::vector<std::string> Queries;
    std::string CaptureScript;
    std::string ScreenshotPath;
    std::string SettingsScreenshotPath;
    DWORD ExitAfterMs = 1000;
};

constexpr int RunButtonId = 100;
constexpr int Gap = 8;
constexpr int LineHeight = 22;

PluginLibrary Plugin;
HWND HostWindow = nullptr;
HWND SqlBox = nullptr;
HWND RunButton = nullptr;
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

// The titles text for reading: "#" after each name becomes " | " between names.
std::string DecodeTitles(const std::string &text) {
    std::string out;
    for (char c : text)
        out += c == '#' ? std::string(" | ") : std::string(1, c);
    return out;
}

// The rows text for reading: one line per row, fields separated by " | ".
std::vector<std::string> DecodeRows(const std::string &text) {
    std::vector<std::string> rows;
    std::string row;
    for (char c : text) {
        if (c == '\x19')
            row += " | ";
        else if (c == '\x18') {
            rows.push_back(row);
            row.clear();
        } else
            row += c;
    }
    return rows;
}

// The plug-in's notification: a click at the viewer's corner. The host answers it by reading the exchange text and
// showing it in its status line.
void OnNotification(LPARAM point) {
    std::printf("host <- click at (%d, %d)\n", static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point)));
    const std::string text = Printable(Plugin.GetFile());
    std::printf("host -> GetFile: \"%s\"\n", text.c_str());
    std::fflush(stdout);
    SetWindowTextA(Status, text.c_str());
}

// The viewer fills the space between the SQL line and the status line.
RECT ViewerRect(int width, int height) {
    return {Gap, Gap * 2 + LineHeight, width - Gap, height - Gap * 2 - LineHeight};
}

void Layout(int width, int height) {
    MoveWindow(SqlBox, Gap, Gap, width - Gap * 3 - 80, LineHeight, TRUE);
    MoveWindow(RunButton, width - Gap - 80, Gap, 80, LineHeight, TRUE);
    MoveWindow(Status, Gap, height - Gap - LineHeight, width - Gap * 2, LineHeight - 2, TRUE);
    const RECT r = ViewerRect(width, height);
    if (Plugin.Draw)
        Plugin.Draw(0, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void RunQuery(const std::string &sql) {
    std::printf("host -> SetFile(\"%s\")\nhost -> sqlrun\n", Printable(sql.c_str()).c_str());
    Plugin.SetFile(sql.c_str());
    Plugin.sqlrun();
    const std::string after = Plugin.GetFile();
    if (after != sql) {
        // Failed: the error line is in place and a notification is on its way.
        std::fflush(stdout);
        return;
    }
    Plugin.gettituls();
    const std::string titles = Plugin.GetFile();
    Plugin.getrows();
    const std::string rows = Plugin.GetFile();
    std::printf("host -> gettituls + GetFile: \"%s\"\n", Printable(titles.c_str()).c_str());
    std::printf("host -> getrows + GetFile: %zu bytes\n", rows.size());
    std::printf("  %s\n", DecodeTitles(titles).c_str());
    const std::vector<std::string> decoded = DecodeRows(rows);
    for (const std::string &row : decoded)
        std::printf("  %s\n", row.c_str());
    std::printf("host: %zu rows\n", decoded.size());
    std::fflush(stdout);
    SetWindowTextA(Status, ("ok: " + std::to_string(decoded.size()) + " rows").c_str());
}

void RunFromBox() {
    const int length = GetWindowTextLengthA(SqlBox);
    std::string sql(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(SqlBox, sql.data(), length + 1);
    sql.resize(static_cast<std::size_t>(length));
    RunQuery(sql);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        OnNotification(lParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == RunButtonId && HIWORD(wParam) == BN_CLICKED)
            RunFromBox();
        return 0;
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
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
    HINSTANCE instance = windowClass.hInstance;
    HWND window = CreateWindowExA(0, "SqliteViewHost", "SQLite viewer host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40,
                                  40, 900, 600, nullptr, nullptr, instance, nullptr);
    SqlBox = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0, window,
                             nullptr, instance, nullptr);
    RunButton = CreateWindowExA(0, "BUTTON", "Run", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(RunButtonId)), instance, nullptr);
    Status = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, window, nullptr, instance,
                             nullptr);
    return window;
}

// Serves the host window for a while; notifications sent to the calling thread are answered as well.
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
    const std::string error = Plugin.Load(PLUGIN_FILE_NAME);
    if (!error.empty()) {
        std::printf("host: %s\n", error.c_str());
        return 2;
    }
    HostWindow = CreateHostWindow();
    std::printf("host -> GetShortInfo: \"%s\"\n", Plugin.GetShortInfo());
    std::printf("host -> SetParentWindow\n");
    Plugin.SetParentWindow(HostWindow);
    RECT client;
    GetClientRect(HostWindow, &client);
    Layout(client.right, client.bottom);
    const RECT r = ViewerRect(client.right, client.bottom);
    std::printf("host -> Draw(%ld, %ld, %ld, %ld)\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    ShowWindow(HostWindow, SW_SHOW);
    UpdateWindow(HostWindow);
    if (!options.Database.empty()) {
        std::printf("host -> SetFile(\"%s\")\nhost -> openbase\n", options.Database.c_str());
        Plugin.SetFile(options.Database.c_str());
        Plugin.openbase();
        Pump(100);
    }
    for (const std::string &sql : options.Queries) {
        SetWindowTextA(SqlBox, sql.c_str());
        RunQuery(sql);
        Pump(100);
    }
    Pump(options.ExitAfterMs);
    if (!options.ScreenshotPath.empty()) {
        const bool saved = SaveWindowScreenshot(options.CaptureScript, HostWindow, options.ScreenshotPath);
        std::printf("host: screenshot %s %s\n", options.ScreenshotPath.c_str(), saved ? "written" : "FAILED");
    }
    if (!options.SettingsScreenshotPath.empty()) {
        std::printf("host -> Interface\n");
        std::fflush(stdout);
        const bool saved =
            SaveSettingsScreenshot(Plugin, options.CaptureScript, HostWindow, options.SettingsScreenshotPath);
        std::printf("host: screenshot %s %s\n", options.SettingsScreenshotPath.c_str(), saved ? "written" : "FAILED");
    }
    DestroyWindow(HostWindow);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--db")
            options.Database = argv[i + 1];
        else if (flag == "--sql")
            options.Queries.push_back(argv[i + 1]);
        else if (flag == "--capture-script")
            options.CaptureScript = argv[i + 1];
        else if (flag == "--screenshot")
            options.ScreenshotPath = argv[i + 1];
        else if (flag == "--settings-screenshot")
            options.SettingsScreenshotPath = argv[i + 1];
        else if (flag == "--exit-after")
            options.ExitAfterMs = static_cast<DWORD>(std::strtoul(argv[i + 1], nullptr, 10));
        else {
            std::printf("usage: host.exe [--db PATH] [--sql TEXT]... [--capture-script PATH] [--screenshot FILE.png]\n"
                        "                [--settings-screenshot FILE.png] [--exit-after MS]\n");
            return 2;
        }
    }
    return RunScript(options);
}
