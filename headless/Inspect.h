// Test inspection of the headless platform: what the product did to "Windows".
#pragma once

#include "headless/Windows.h"

#include <string>
#include <vector>

namespace headless {

// The logs below keep the most recent LogLimit entries, so long runs do not grow without bound.
constexpr std::size_t LogLimit = 1 << 16;

struct DeliveredMessage {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    bool Posted; // taken from the queue and dispatched, rather than sent
};

// Every message a window procedure received since the last clear, in order, as the window manager delivered it.
std::vector<DeliveredMessage> DeliveredMessages();
void ClearDeliveredMessages();

struct CreationRecord {
    std::string ClassName;
    DWORD Style;
    DWORD ExStyle;
    int X, Y, Width, Height; // as passed, CW_USEDEFAULT included
    HWND Parent;
    HWND Result;
};

// The arguments of every CreateWindowExA call so far.
std::vector<CreationRecord> CreatedWindows();

// Icons made by LoadIconA or CopyImage and not yet destroyed (shared resource icons count once).
int LiveIconCount();

// Presses or releases a key as the user would, for GetAsyncKeyState; a thread's own key state is set with
// SetKeyboardState.
void SetAsyncKeyDown(int key, bool down);

// Makes GetWindowThreadProcessId report the window as another process's (a ghost window, another program).
void SetWindowProcess(HWND hwnd, DWORD process);
// Makes IsHungAppWindow report the window as not responding, as Windows does after 5 s without a queue read.
void SetHungAppWindow(HWND hwnd, bool hung);

// A bare window owned by the calling thread, for tests that need a target.
HWND CreateTestWindow(WNDPROC proc = nullptr);

} // namespace headless
