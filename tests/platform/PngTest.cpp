#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gdi/PngFile.h"

namespace kora {
namespace {

uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// A small independent reader: checks the chunk CRCs, inflates the image
// data and undoes the row filters. Returns pixels 0xAARRGGBB.
std::vector<uint32_t> ReadPng(const std::vector<uint8_t>& png, int& width, int& height, bool& alpha) {
  const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0);
  std::vector<uint8_t> idat;
  std::vector<std::string> order;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length = Be32(&png[at]);
    const std::string type(reinterpret_cast<const char*>(&png[at + 4]), 4);
    order.push_back(type);
    const uint32_t crc = uint32_t(crc32(0, &png[at + 4], length + 4));
    EXPECT_EQ(crc, Be32(&png[at + 8 + length])) << type;
    if (type == "IHDR") {
      width = int(Be32(&png[at + 8]));
      height = int(Be32(&png[at + 12]));
      EXPECT_EQ(png[at + 16], 8);
      alpha = png[at + 17] == 6;
    } else if (type == "IDAT") {
      idat.insert(idat.end(), &png[at + 8], &png[at + 8 + length]);
    }
    at += 12 + length;
  }
  EXPECT_EQ(order, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  const int bpp = alpha ? 4 : 3;
  const std::size_t stride = std::size_t(width) * std::size_t(bpp);
  std::vector<uint8_t> raw((stride + 1) * std::size_t(height));
  uLongf rawSize = uLongf(raw.size());
  EXPECT_EQ(uncompress(raw.data(), &rawSize, idat.data(), uLong(idat.size())), Z_OK);
  EXPECT_EQ(rawSize, raw.size());

  std::vector<uint8_t> cur(stride), prev(stride, 0);
  std::vector<uint32_t> out;
  for (int y = 0; y < height; ++y) {
    const uint8_t* line = &raw[std::size_t(y) * (stride + 1)];
    const uint8_t filter = line[0];
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= std::size_t(bpp) ? cur[i - std::size_t(bpp)] : 0, b = prev[i];
      const int c = i >= std::size_t(bpp) ? prev[i - std::size_t(bpp)] : 0;
      int predictor = 0;
      switch (filter) {
        case 1: predictor = a; break;
        case 2: predictor = b; break;
        case 3: predictor = (a + b) / 2; break;
        case 4: {
          const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
          predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
          break;
        }
        default: break;
      }
      cur[i] = uint8_t(line[1 + i] + predictor);
    }
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &cur[std::size_t(x) * std::size_t(bpp)];
      out.push_back((alpha ? uint32_t(p[3]) << 24 : 0) | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
    }
    std::swap(cur, prev);
  }
  return out;
}

TEST(PngTest, WrittenImagesReadBackExactly) {
  // Gradients, flat runs and noise so every filter gets chosen somewhere.
  const int w = 37, h = 23;
  std::vector<uint32_t> pixels(std::size_t(38 * h));  // stride 38: one spare column
  uint32_t seed = 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245 + 12345;
      uint32_t p = y < 8 ? uint32_t(x * 7) << 16 | uint32_t(y * 11) << 8 | 0x40 : y < 16 ? 0xD4D0C8 : seed >> 8;
      pixels[std::size_t(y * 38 + x)] = (p & 0xFFFFFF) | uint32_t(x * 5) << 24;
    }
  for (bool withAlpha : {false, true}) {
    int rw = 0, rh = 0;
    bool alpha = false;
    const auto decoded = ReadPng(EncodePng(pixels.data(), w, h, 38, withAlpha), rw, rh, alpha);
    ASSERT_EQ(rw, w);
    ASSERT_EQ(rh, h);
    EXPECT_EQ(alpha, withAlpha);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t want = pixels[std::size_t(y * 38 + x)] & (withAlpha ? 0xFFFFFFFF : 0xFFFFFF);
        ASSERT_EQ(decoded[std::size_t(y * w + x)], want) << x << "," << y;
      }
  }
  EXPECT_THROW(EncodePng(pixels.data(), 0, 1, 1), std::invalid_argument);
}

}  // namespace
}  // namespace kora
