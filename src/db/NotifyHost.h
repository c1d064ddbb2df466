// The notification click that tells the host to read the exchange text.
#pragma once

#include "toolkit/platform/Win32.h"

#include <cstdint>

// The point parameter of the notification click: Top * 65536 + Left in 32-bit
// wrap-around, not masked, so a negative or wide Left spills into the top half.
LPARAM NotifyPoint(std::int32_t left, std::int32_t top);

// Tells the host that ExchangeText holds something new: a left click posted to
// HostWindow at the viewer's top-left corner. Without a host window nothing is posted.
void NotifyHost();
