// Headless multimedia timers: callbacks run on a timer thread of their own, as on Windows.
#pragma once

#include "headless/Win32Types.h"

using MMRESULT = UINT;
using TIMECALLBACK = void(UINT timerId, UINT msg, DWORD_PTR user, DWORD_PTR reserved1, DWORD_PTR reserved2);
using LPTIMECALLBACK = TIMECALLBACK *;

constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr UINT TIME_ONESHOT = 0x0000;
constexpr UINT TIME_PERIODIC = 0x0001;
constexpr UINT TIME_CALLBACK_FUNCTION = 0x0000;
// timeKillEvent then waits for a callback in progress, so none runs after it returns.
constexpr UINT TIME_KILL_SYNCHRONOUS = 0x0100;

MMRESULT timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags);
MMRESULT timeKillEvent(UINT timerId);
