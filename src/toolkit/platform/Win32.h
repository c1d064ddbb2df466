// The one door to the Win32 API for all product code. On Windows it is the
// real API; elsewhere the headless implementation of the subset the project uses (the headless/ folder).
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
#include "headless/Windows.h"
#endif
