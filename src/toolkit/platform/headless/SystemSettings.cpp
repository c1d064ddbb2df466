// Keyboard state per thread, system metrics and the system colours with their brushes.
#include "toolkit/platform/headless/WindowTable.h"

#include <array>
#include <cstring>

namespace {

std::mutex colorsLock;
std::array<COLORREF, 31> colors{RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128),
                                RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
                                RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
                                RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200),
                                RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
                                RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),
                                RGB(255, 255, 225), RGB(181, 181, 181), RGB(0, 0, 200),     RGB(166, 202, 240),
                                RGB(192, 192, 192), RGB(10, 36, 106),   RGB(212, 208, 200)};
// One brush per colour, made again when the colour changes; callers never delete them.
std::array<HBRUSH, 31> brushes{};
std::array<COLORREF, 31> brushColors{};

} // namespace

SHORT GetKeyState(int key) {
    const BYTE state = headless::CurrentInput().Keys[key & 0xFF];
    return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 1));
}

SHORT GetAsyncKeyState(int key) { return static_cast<SHORT>(GetKeyState(key) & 0x8000); }

BOOL GetKeyboardState(BYTE *state) {
    if (!state)
        return FALSE;
    std::memcpy(state, headless::CurrentInput().Keys, 256);
    return TRUE;
}

BOOL SetKeyboardState(BYTE *state) {
    if (!state)
        return FALSE;
    std::memcpy(headless::CurrentInput().Keys, state, 256);
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return 1600;
    case SM_CYSCREEN:
        return 1200;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXMAXTRACK:
        return 1612;
    case SM_CYMAXTRACK:
        return 1212;
    default:
        return 0;
    }
}

DWORD GetSysColor(int index) {
    std::lock_guard guard(colorsLock);
    return index >= 0 && index < static_cast<int>(colors.size()) ? colors[static_cast<std::size_t>(index)] : 0;
}

BOOL SetSysColors(int count, const int *indices, const COLORREF *values) {
    {
        std::lock_guard guard(colorsLock);
        for (int i = 0; i < count; ++i)
            if (indices[i] >= 0 && indices[i] < static_cast<int>(colors.size()))
                colors[static_cast<std::size_t>(indices[i])] = values[i];
    }
    for (headless::Window *window : headless::WindowTable::Instance().WindowsOf(GetCurrentThreadId()))
        if (!(window->Style & WS_CHILD))
            SendMessageA(window->Handle, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= static_cast<int>(colors.size()))
        return nullptr;
    const auto i = static_cast<std::size_t>(index);
    std::lock_guard guard(colorsLock);
    if (!brushes[i] || brushColors[i] != colors[i]) {
        brushes[i] = CreateSolidBrush(colors[i]);
        brushColors[i] = colors[i];
    }
    return brushes[i];
}
