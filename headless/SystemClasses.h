// The system window classes the toolkit builds on, and the lookup of classes by name.
#pragma once

#include "headless/WindowTable.h"

namespace headless {

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
constexpr int ButtonExtraBytes = 16;
constexpr int EditExtraBytes = 8;

// A registered class of the instance, else a global or system class; names compare without case. Atoms given as
// integer names are found too.
std::shared_ptr<WindowClass> FindClass(HINSTANCE instance, LPCSTR name);

// Sends a control's notification code to its parent as WM_COMMAND.
void NotifyParent(HWND hwnd, WORD code);

} // namespace headless
