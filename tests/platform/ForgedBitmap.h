#pragma once
// A bitmap made to hurt: 64 bytes whose header claims 32768 x 2048 pixels,
// 8-bit and RLE8-compressed, with data for a few pixels only.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kora::test {

inline std::string ForgedRle8Bitmap() {
  std::string bmp(64, '\0');
  auto put = [&](std::size_t at, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bmp[at + std::size_t(i)] = char(value >> (8 * i));
  };
  bmp[0] = 'B', bmp[1] = 'M';
  put(2, 64, 4), put(10, 58, 4);                                       // file size, pixel data
  put(14, 40, 4), put(18, 32768, 4), put(22, 2048, 4), put(26, 1, 2);  // header, size, planes
  put(28, 8, 2), put(30, 1, 4), put(46, 1, 4);                         // 8 bits, RLE8, one colour
  put(58, 0x00000502, 4), put(62, 0x0100, 2);                          // a run, end of line, end of bitmap
  return bmp;
}

}  // namespace kora::test
