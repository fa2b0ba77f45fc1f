#pragma once

// Conversion of device-independent bitmap rows to and from 32-bit pixels,
// shared by the BMP codec and the DIB calls (platform-internal).

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/gdi/GdiTypes.h"

namespace kora {

// Bytes of one row at the given depth, padded to 4 bytes.
constexpr std::size_t DibRowBytes(int64_t width, int bitsPerPixel) {
  return std::size_t((width * bitsPerPixel + 31) / 32 * 4);
}

// Channel masks of 16- and 32-bit rows.
struct BitFields {
  uint32_t Red = 0x00FF0000;
  uint32_t Green = 0x0000FF00;
  uint32_t Blue = 0x000000FF;
  static BitFields Rgb555() { return {0x7C00, 0x03E0, 0x001F}; }
};

inline uint32_t QuadToPixel(RGBQUAD q) { return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue; }

// Reads one row of width pixels. palette holds ready pixels for 1/4/8-bit
// rows; an index past its end reads as black. fields is used for 16/32-bit.
void UnpackDibRow(const uint8_t* src, int bitsPerPixel, int width, std::span<const uint32_t> palette,
                  const BitFields& fields, uint32_t* dst);

// Maps pixels to the nearest entry of a palette, remembering answers.
class PaletteMatcher {
public:
  explicit PaletteMatcher(std::span<const RGBQUAD> palette) : FPalette(palette) {}
  uint8_t IndexOf(uint32_t pixel);

private:
  std::span<const RGBQUAD> FPalette;
  std::unordered_map<uint32_t, uint8_t> FCache;
};

// Writes one row at 1/4/8 (through matcher), 24 or 32 bits; padding bytes are zero.
void PackDibRow(const uint32_t* src, int width, int bitsPerPixel, PaletteMatcher* matcher, uint8_t* dst);

}  // namespace kora
