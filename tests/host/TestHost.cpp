// The tests' host window: click recording, the pattern it paints, and screen readers.
#include "TestHost.h"

#include "PluginLibrary.h"

#include <algorithm>
#include <cstdint>

std::vector<Received> received;
BYTE patternPhase = FirstPhase;

COLORREF PatternAt(int x, int y, BYTE phase) {
    return RGB(x & 0xFF, y & 0xFF, phase | ((x >> 8) & 3) << 2 | ((y >> 8) & 3));
}

namespace {

// 32-bit pixels, 0xRRGGBB, the first row on top.
BITMAPINFO TopDownPixels(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void PaintPattern(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    const RECT r = paint.rcPaint;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width > 0 && height > 0) {
        std::vector<DWORD> pixels;
        pixels.reserve(static_cast<std::size_t>(width) * height);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = PatternAt(x, y, patternPhase);
                pixels.push_back(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
            }
        const BITMAPINFO info = TopDownPixels(width, height);
        SetDIBitsToDevice(dc, r.left, r.top, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        received.push_back({window, message, lParam});
        return 0;
    }
    if (message == WM_PAINT) {
        PaintPattern(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND MakeHostWindow(const char *title) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "ViewerTestHost";
        RegisterClassA(&windowClass);
        registered = true;
    }
    HWND window = CreateWindowExA(0, "ViewerTestHost", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 700, 500,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNA);
    return window;
}

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

Pixels ClientPixels(HWND window, int maxWidth, int maxHeight) {
    Pixels out;
    RECT client;
    GetClientRect(window, &client);
    out.Width = std::min<int>(client.right, maxWidth);
    out.Height = std::min<int>(client.bottom, maxHeight);
    if (out.Width <= 0 || out.Height <= 0)
        return Pixels{};
    const HDC windowDC = GetDC(window);
    const HDC memoryDC = CreateCompatibleDC(windowDC);
    BITMAPINFO info = TopDownPixels(out.Width, out.Height);
    void *bits = nullptr;
    if (const HBITMAP bitmap = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0)) {
        const HGDIOBJ old = SelectObject(memoryDC, bitmap);
        BitBlt(memoryDC, 0, 0, out.Width, out.Height, windowDC, 0, 0, SRCCOPY);
        GdiFlush();
        const auto *p = static_cast<const DWORD *>(bits);
        for (int i = 0; i < out.Width * out.Height; ++i)
            out.Values.push_back(RGB(p[i] >> 16 & 0xFF, p[i] >> 8 & 0xFF, p[i] & 0xFF));
        SelectObject(memoryDC, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    return out;
}

namespace {

template <class Expected> int Mismatches(const Pixels &pixels, Expected expected, std::string &where) {
    int count = 0;
    for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x)
            if (pixels.At(x, y) != expected(x, y) && count++ == 0)
                where = "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return count;
}

} // namespace

int PatternMismatches(const Pixels &pixels, int left, int top, BYTE phase, std::string &where) {
    return Mismatches(
        pixels, [&](int x, int y) { return PatternAt(left + x, top + y, phase); }, where);
}

int ColorMismatches(const Pixels &pixels, COLORREF color, std::string &where) {
    return Mismatches(
        pixels, [&](int, int) { return color; }, where);
}

RECT RectInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

HWND GridOf(HWND form) { return FindWindowExA(form, nullptr, "obj_vornGrid", nullptr); }

HWND EmbedViewer(PluginLibrary &plugin, HWND host, int left, int top, int width, int height) {
    plugin.SetParentWindow(host);
    plugin.Draw(0, left, top, width, height);
    // The viewer moves in 500 ms after SetParentWindow; a slow machine gets longer.
    HWND grid = nullptr;
    for (int waited = 0; !grid && waited < 20000; waited += 100) {
        Pump(100);
        grid = GridOf(FindWindowExA(host, nullptr, nullptr, "Form1"));
    }
    return grid;
}

QueryViewer StartQueryViewer(const char *title, int width, int height) {
    // Never unloaded: the viewer lives in the host window for the rest of the process.
    QueryViewer viewer;
    viewer.Plugin = new PluginLibrary;
    viewer.LoadError = viewer.Plugin->Load(PLUGIN_FILE_NAME);
    if (!viewer.LoadError.empty())
        return viewer;
    viewer.Host = MakeHostWindow(title);
    viewer.Grid = EmbedViewer(*viewer.Plugin, viewer.Host, 10, 10, width, height);
    viewer.Plugin->SetFile("");
    viewer.Plugin->openbase();
    viewer.OpenAnswer = viewer.Plugin->GetFile();
    Pump(50);
    return viewer;
}

Pixels FormPixelsBehindGrid(HWND form, int maxWidth, int maxHeight) {
    HWND grid = GridOf(form);
    ShowWindow(grid, SW_HIDE);
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    Pixels pixels = ClientPixels(form, maxWidth, maxHeight);
    ShowWindow(grid, SW_SHOW);
    Pump(50);
    return pixels;
}

std::size_t CommittedPrivateBytes() {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    std::uintptr_t at = 0;
    while (VirtualQuery(reinterpret_cast<const void *>(at), &info, sizeof info) == sizeof info) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        const std::uintptr_t next = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return total;
}
