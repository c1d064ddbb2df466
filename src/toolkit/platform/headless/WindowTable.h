// The headless window manager's table of live windows.
#pragma once

#include "toolkit/platform/Win32.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace headless {

struct Window {
    HWND Handle = nullptr;
    DWORD Thread = 0;
    WNDPROC Proc = nullptr;
};

class WindowTable {
public:
    static WindowTable &Instance();

    HWND Add(std::unique_ptr<Window> window);
    void Remove(HWND handle);
    // Null for handles that name no live window.
    Window *Find(HWND handle);

private:
    std::mutex Lock;
    std::unordered_map<HWND, std::unique_ptr<Window>> Windows;
    std::uintptr_t NextHandle = 0x10010;
};

} // namespace headless
