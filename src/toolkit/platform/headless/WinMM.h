// Headless multimedia timers.
#pragma once

#include "Win32Types.h"
