// DIB headers as bitmaps keep them: a BITMAPINFO block with room for 256 colours.
#pragma once

#include <cstdint>

#include "toolkit/platform/Win32.h"

constexpr std::size_t DibHeaderBytes = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

// A bottom-up header for width x height in the format (which must have a bit count); 5-6-5 carries its masks.
BITMAPINFO *NewDibHeader(std::uint8_t pixelFormat, LONG width, LONG height);
void FreeDibHeader(BITMAPINFO *&header);
// Bytes per row: whole 32-bit words.
std::uint32_t DibStride(int bitCount, LONG width);
// Bytes of pixels the header describes; 0 when that is more than a block can hold.
std::uint64_t DibSize(const BITMAPINFO *header);
