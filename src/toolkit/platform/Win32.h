// The one door to the Win32 API for all product code. On Windows it is the
// real API; elsewhere a headless implementation of the subset the project uses.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// mmsystem.h needs windows.h first.
#include <mmsystem.h>
#else
#include "headless/Win32Types.h"

#include "headless/Gdi32.h"
#include "headless/Kernel32.h"
#include "headless/User32.h"
#include "headless/WinMM.h"
#endif
