// Headless KERNEL functions.
#pragma once

#include "Win32Types.h"

DWORD GetCurrentThreadId();
DWORD GetTickCount();
DWORD GetLastError();
void SetLastError(DWORD error);
void Sleep(DWORD milliseconds);

// CP_UTF8 and CP_ACP; the headless ANSI code page is Latin-1. Wide texts hold
// UTF-16 code units, as on Windows.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH text, int length, LPWSTR wide, int wideLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideLength, LPSTR text, int length,
                        LPCCH defaultChar, LPBOOL usedDefault);
