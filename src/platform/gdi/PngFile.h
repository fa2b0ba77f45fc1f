#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/GdiTypes.h"

namespace kora {

// An 8-bit RGB PNG (colour type 2) of 32-bit pixels 0x??RRGGBB, rows
// top-down, stride in pixels. withAlpha writes RGBA (colour type 6) from
// the top byte instead.
std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height, int stride, bool withAlpha = false);
// Throws std::runtime_error when the bitmap handle is bad or the file cannot be written.
void SavePngFile(const std::string& path, HBITMAP bitmap);
void SavePngFile(const std::string& path, const std::vector<uint8_t>& png);

}  // namespace kora
