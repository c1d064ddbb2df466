// DIB headers as bitmaps keep them (a BITMAPINFO block with room for 256 colours), their pixel blocks and the
// screen-compatible bitmaps the other handle type uses.
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
// The format itself when it has a bit count, else the default.
std::uint8_t DibFormat(std::uint8_t pixelFormat);
// Zeroed pixels for the header, with 16 bytes to spare. A picture too large to address has no pixels, like one whose
// memory could not be had: null, with size 0.
void *NewDibBits(const BITMAPINFO *header, std::uint32_t &size);

// A bitmap compatible with the screen.
HBITMAP NewScreenBitmap(LONG width, LONG height);
