// Writes 32-bit BGRA pixels (top-down rows, as GetDIBits gives them with a
// negative height) to a PNG file: 8-bit RGB, stored deflate blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool WritePng(const std::string &path, int width, int height, const std::vector<std::uint32_t> &pixels);
