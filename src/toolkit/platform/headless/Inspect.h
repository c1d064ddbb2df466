// Test inspection of the headless platform: what the product did to "Windows".
#pragma once

#include "toolkit/platform/Win32.h"

#include <vector>

namespace headless {

struct PostedMessage {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    DWORD Thread; // the thread whose queue received it
};

// Every message posted since the last clear, in posting order, from any thread.
std::vector<PostedMessage> PostedMessages();
void ClearPostedMessages();

// A bare window owned by the calling thread, for tests that need a target.
HWND CreateTestWindow(WNDPROC proc = nullptr);

} // namespace headless
