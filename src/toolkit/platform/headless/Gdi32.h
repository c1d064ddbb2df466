// Headless GDI: device contexts, drawing objects and pixel buffers.
#pragma once

#include "Win32Types.h"
