// Headless KERNEL functions.
#pragma once

#include "Win32Types.h"

DWORD GetCurrentThreadId();
DWORD GetTickCount();
DWORD GetLastError();
void SetLastError(DWORD error);
void Sleep(DWORD milliseconds);

// The headless process has one module, which holds the library's resources.
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x00000002;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 0x00000004;
HMODULE GetModuleHandleA(LPCSTR name);
BOOL GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE *module);

// CP_UTF8 and CP_ACP; the headless ANSI code page is Latin-1. Wide texts hold
// UTF-16 code units, as on Windows.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH text, int length, LPWSTR wide, int wideLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideLength, LPSTR text, int length,
                        LPCCH defaultChar, LPBOOL usedDefault);
