#pragma once
// Pictures whose pixels name their own position, so a test can tell for
// every target pixel which picture pixel landed there.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/graphics/Graphics.h"

namespace kora::test {

constexpr uint32_t kWhite = 0xFFFFFF;

// 0xRRGGBB with red = tag, green = y, blue = x.
constexpr uint32_t Code(int x, int y, int tag = 1) { return uint32_t(tag) << 16 | uint32_t(y) << 8 | uint32_t(x); }

inline uint32_t PixelAt(const TBitmap& bmp, int x, int y) {
  return reinterpret_cast<const uint32_t*>(bmp.ScanLine(y))[x] & 0xFFFFFF;
}

inline void SetPixelAt(TBitmap& bmp, int x, int y, uint32_t rgb) {
  reinterpret_cast<uint32_t*>(bmp.ScanLine(y))[x] = rgb;
}

inline void Fill(TBitmap& bmp, uint32_t rgb) {
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) SetPixelAt(bmp, x, y, rgb);
}

inline void MakeCodedPicture(TBitmap& bmp, int w, int h) {
  bmp.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixelAt(bmp, x, y, Code(x, y));
}

// Every pixel of dest holds `want(x, y)`.
template <class Want>
::testing::AssertionResult Matches(const TBitmap& target, const RECT& dest, Want want) {
  for (int y = dest.Top; y < dest.Bottom; ++y)
    for (int x = dest.Left; x < dest.Right; ++x)
      if (PixelAt(target, x, y) != want(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                             << PixelAt(target, x, y) << ", want " << want(x, y);
  return ::testing::AssertionSuccess();
}

// dest holds the picture pixels at the same offsets from source.
inline ::testing::AssertionResult Copied(const TBitmap& target, const RECT& dest, POINT source) {
  return Matches(target, dest, [&](int x, int y) { return Code(source.X + x - dest.Left, source.Y + y - dest.Top); });
}

inline ::testing::AssertionResult Uniform(const TBitmap& target, const RECT& dest, uint32_t rgb) {
  return Matches(target, dest, [rgb](int, int) { return rgb; });
}

// One character per pixel: '#' for black, '.' for anything else.
inline std::string Ascii(const TBitmap& bmp, const RECT& area) {
  std::string out;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) out += PixelAt(bmp, x, y) == 0 ? '#' : '.';
    out += '\n';
  }
  return out;
}

}  // namespace kora::test
