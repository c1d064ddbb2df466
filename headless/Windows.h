// The headless counterpart of <windows.h> and <mmsystem.h>: every part of the Win32 subset the product uses.
#pragma once

#include "headless/Win32Types.h"

#include "headless/Gdi32.h"
#include "headless/Kernel32.h"
#include "headless/User32.h"
#include "headless/WinMM.h"
