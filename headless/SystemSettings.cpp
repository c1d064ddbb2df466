// Keyboard state per thread, the keys' physical state, and system metrics.
#include "headless/WindowTable.h"

#include "headless/Inspect.h"

#include <atomic>
#include <cstring>

SHORT GetKeyState(int key) {
    const BYTE state = headless::CurrentInput().Keys[key & 0xFF];
    return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 1));
}

namespace {
// The keys' physical state, for the whole process: the async state, which no thread's message handling changes.
std::atomic<bool> AsyncDown[256];
} // namespace

SHORT GetAsyncKeyState(int key) { return AsyncDown[key & 0xFF] ? static_cast<SHORT>(0x8000) : 0; }

void headless::SetAsyncKeyDown(int key, bool down) { AsyncDown[key & 0xFF] = down; }

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
