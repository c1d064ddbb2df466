// Headless KERNEL functions.
#pragma once

#include "headless/Win32Types.h"

#include <cstddef>

DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
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

// Memory blocks; only fixed blocks exist, so a handle is the block's address.
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
HGLOBAL GlobalFree(HGLOBAL block);

// System message texts, for FORMAT_MESSAGE_FROM_SYSTEM; inserts are not expanded.
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;
constexpr DWORD FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x00002000;
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                     void *arguments);
