#include "platform/gdi/DibRows.h"

#include <bit>
#include <climits>
#include <cstring>

namespace kora {

namespace {

// Scales the masked value of a channel to 0..255.
struct Channel {
  explicit Channel(uint32_t mask)
      : FMask(mask), FShift(mask ? std::countr_zero(mask) : 0), FMax(mask ? mask >> FShift : 0) {}
  uint32_t Read(uint32_t value) const {
    if (FMax == 0) return 0;
    const uint32_t v = (value & FMask) >> FShift;
    return FMax == 255 ? v : uint32_t((uint64_t(v) * 255 + FMax / 2) / FMax);
  }

private:
  uint32_t FMask;
  int FShift;
  uint32_t FMax;
};

uint32_t PaletteEntry(std::span<const uint32_t> palette, unsigned index) {
  return index < palette.size() ? palette[index] : 0;
}

}  // namespace

void UnpackDibRow(const uint8_t* src, int bitsPerPixel, int width, std::span<const uint32_t> palette,
                  const BitFields& fields, uint32_t* dst) {
  switch (bitsPerPixel) {
    case 1:
      for (int x = 0; x < width; ++x) dst[x] = PaletteEntry(palette, (src[x >> 3] >> (7 - (x & 7))) & 1);
      break;
    case 4:
      for (int x = 0; x < width; ++x) dst[x] = PaletteEntry(palette, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
      break;
    case 8:
      for (int x = 0; x < width; ++x) dst[x] = PaletteEntry(palette, src[x]);
      break;
    case 16: {
      const Channel r(fields.Red), g(fields.Green), b(fields.Blue);
      for (int x = 0; x < width; ++x) {
        const uint32_t v = uint32_t(src[2 * x]) | (uint32_t(src[2 * x + 1]) << 8);
        dst[x] = (r.Read(v) << 16) | (g.Read(v) << 8) | b.Read(v);
      }
      break;
    }
    case 24:
      for (int x = 0; x < width; ++x, src += 3)
        dst[x] = uint32_t(src[0]) | (uint32_t(src[1]) << 8) | (uint32_t(src[2]) << 16);
      break;
    case 32: {
      if (fields.Red == 0x00FF0000 && fields.Green == 0x0000FF00 && fields.Blue == 0x000000FF) {
        for (int x = 0; x < width; ++x, src += 4)
          dst[x] = uint32_t(src[0]) | (uint32_t(src[1]) << 8) | (uint32_t(src[2]) << 16);
        break;
      }
      const Channel r(fields.Red), g(fields.Green), b(fields.Blue);
      for (int x = 0; x < width; ++x, src += 4) {
        uint32_t v;
        std::memcpy(&v, src, 4);
        dst[x] = (r.Read(v) << 16) | (g.Read(v) << 8) | b.Read(v);
      }
      break;
    }
    default: break;
  }
}

uint8_t PaletteMatcher::IndexOf(uint32_t pixel) {
  pixel &= 0x00FFFFFF;
  if (const auto it = FCache.find(pixel); it != FCache.end()) return it->second;
  const int r = int(pixel >> 16 & 0xFF), g = int(pixel >> 8 & 0xFF), b = int(pixel & 0xFF);
  int best = 0;
  int bestDistance = INT_MAX;
  for (std::size_t i = 0; i < FPalette.size() && bestDistance > 0; ++i) {
    const RGBQUAD& q = FPalette[i];
    const int dr = r - q.rgbRed, dg = g - q.rgbGreen, db = b - q.rgbBlue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = int(i);
    }
  }
  FCache.emplace(pixel, uint8_t(best));
  return uint8_t(best);
}

void PackDibRow(const uint32_t* src, int width, int bitsPerPixel, PaletteMatcher* matcher, uint8_t* dst) {
  std::memset(dst, 0, DibRowBytes(width, bitsPerPixel));
  switch (bitsPerPixel) {
    case 1:
      for (int x = 0; x < width; ++x)
        if (matcher->IndexOf(src[x]) & 1) dst[x >> 3] |= uint8_t(0x80 >> (x & 7));
      break;
    case 4:
      for (int x = 0; x < width; ++x) dst[x >> 1] |= uint8_t((matcher->IndexOf(src[x]) & 0xF) << ((x & 1) ? 0 : 4));
      break;
    case 8:
      for (int x = 0; x < width; ++x) dst[x] = matcher->IndexOf(src[x]);
      break;
    case 24:
      for (int x = 0; x < width; ++x, dst += 3) {
        dst[0] = uint8_t(src[x]);
        dst[1] = uint8_t(src[x] >> 8);
        dst[2] = uint8_t(src[x] >> 16);
      }
      break;
    case 32:
      for (int x = 0; x < width; ++x, dst += 4) {
        dst[0] = uint8_t(src[x]);
        dst[1] = uint8_t(src[x] >> 8);
        dst[2] = uint8_t(src[x] >> 16);
        dst[3] = uint8_t(src[x] >> 24);
      }
      break;
    default: break;
  }
}

}  // namespace kora
