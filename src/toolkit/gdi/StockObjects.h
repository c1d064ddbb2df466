// The stock objects a canvas selects to let go of its own: fetched once, never deleted.
#pragma once

#include "toolkit/platform/Win32.h"

HGDIOBJ StockBlackPen();
HGDIOBJ StockNullBrush();
HGDIOBJ StockSystemFont();
