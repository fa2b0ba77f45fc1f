#pragma once
// Reads back the 8-bit RGB PNGs the program writes (screenshots, review
// sheets), for tests that check their pixels. No test framework in here.

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace kora::test {

// 0xRRGGBB pixels, rows top-down; Width 0 when the file is not such a PNG.
struct TPngImage {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;

  uint32_t At(int x, int y) const { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
  // Summed channel differences of two equal areas.
  long Difference(int x1, int y1, int x2, int y2, int w, int h) const {
    long sum = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int shift : {0, 8, 16})
          sum += std::abs(int(At(x1 + x, y1 + y) >> shift & 0xFF) - int(At(x2 + x, y2 + y) >> shift & 0xFF));
    return sum;
  }
};

inline uint32_t PngBe32(const std::string& s, std::size_t at) {
  auto b = [&](std::size_t i) { return uint32_t(uint8_t(s[at + i])); };
  return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

inline TPngImage DecodePng(const std::string& file) {
  TPngImage png;
  if (file.size() < 8 || file.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return png;
  std::string idat;
  int width = 0, height = 0;
  for (std::size_t at = 8; at + 12 <= file.size();) {
    const uint32_t length = PngBe32(file, at);
    if (at + 12 + length > file.size()) return png;
    const std::string type = file.substr(at + 4, 4);
    if (type == "IHDR") width = int(PngBe32(file, at + 8)), height = int(PngBe32(file, at + 12));
    if (type == "IDAT") idat += file.substr(at + 8, length);
    at += 12 + length;
  }
  const std::size_t stride = std::size_t(width) * 3;
  std::vector<uint8_t> raw((stride + 1) * std::size_t(height));
  uLongf size = uLongf(raw.size());
  if (width <= 0 || height <= 0 ||
      uncompress(raw.data(), &size, reinterpret_cast<const Bytef*>(idat.data()), uLong(idat.size())) != Z_OK ||
      size != raw.size())
    return png;
  std::vector<uint8_t> cur(stride), prev(stride, 0);
  for (int y = 0; y < height; ++y) {
    const uint8_t* line = &raw[std::size_t(y) * (stride + 1)];
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= 3 ? cur[i - 3] : 0, b = prev[i], c = i >= 3 ? prev[i - 3] : 0;
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      const int predictor[] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
      cur[i] = uint8_t(line[1 + i] + (line[0] <= 4 ? predictor[line[0]] : 0));
    }
    for (int x = 0; x < width; ++x)
      png.Pixels.push_back(uint32_t(cur[std::size_t(x) * 3]) << 16 | uint32_t(cur[std::size_t(x) * 3 + 1]) << 8 |
                           cur[std::size_t(x) * 3 + 2]);
    std::swap(cur, prev);
  }
  png.Width = width;
  png.Height = height;
  return png;
}

}  // namespace kora::test
