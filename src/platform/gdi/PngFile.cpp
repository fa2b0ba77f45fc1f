#include "platform/gdi/PngFile.h"

#include <zlib.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "platform/gdi/GdiInternal.h"

namespace kora {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, std::size_t size) {
  Put32(out, uint32_t(size));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size) out.insert(out.end(), data, data + size);
  Put32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return uint8_t(a);
  return uint8_t(pb <= pc ? b : c);
}

// Picks, per row, the filter whose output has the smallest sum of absolute
// values: the usual heuristic, good enough for screenshots of flat UI.
void FilterRow(const uint8_t* row, const uint8_t* prev, std::size_t bytes, int bpp, std::vector<uint8_t>& out) {
  std::array<std::vector<uint8_t>, 5> candidates;
  uint64_t best = UINT64_MAX;
  int bestType = 0;
  for (int type : {0, 1, 2, 4}) {
    std::vector<uint8_t>& f = candidates[std::size_t(type)];
    f.resize(bytes);
    uint64_t sum = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
      const int a = i >= std::size_t(bpp) ? row[i - std::size_t(bpp)] : 0;
      const int b = prev ? prev[i] : 0;
      const int c = prev && i >= std::size_t(bpp) ? prev[i - std::size_t(bpp)] : 0;
      uint8_t v = row[i];
      if (type == 1)
        v = uint8_t(v - a);
      else if (type == 2)
        v = uint8_t(v - b);
      else if (type == 4)
        v = uint8_t(v - Paeth(a, b, c));
      f[i] = v;
      sum += v < 128 ? v : 256 - v;
    }
    if (sum < best) {
      best = sum;
      bestType = type;
    }
  }
  out.push_back(uint8_t(bestType));
  out.insert(out.end(), candidates[std::size_t(bestType)].begin(), candidates[std::size_t(bestType)].end());
}

}  // namespace

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height, int stride, bool withAlpha) {
  if (!pixels || width <= 0 || height <= 0 || stride < width) throw std::invalid_argument("EncodePng: bad image size");
  const int bpp = withAlpha ? 4 : 3;
  const std::size_t rowBytes = std::size_t(width) * std::size_t(bpp);
  std::vector<uint8_t> filtered;
  filtered.reserve((rowBytes + 1) * std::size_t(height));
  std::vector<uint8_t> row(rowBytes), prev(rowBytes);
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = pixels + std::ptrdiff_t(y) * stride;
    for (int x = 0; x < width; ++x) {
      uint8_t* p = row.data() + std::size_t(x) * std::size_t(bpp);
      p[0] = uint8_t(src[x] >> 16);
      p[1] = uint8_t(src[x] >> 8);
      p[2] = uint8_t(src[x]);
      if (withAlpha) p[3] = uint8_t(src[x] >> 24);
    }
    FilterRow(row.data(), y ? prev.data() : nullptr, rowBytes, bpp, filtered);
    std::swap(row, prev);
  }

  uLongf packedSize = compressBound(uLong(filtered.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, filtered.data(), uLong(filtered.size()), 6) != Z_OK)
    throw std::runtime_error("EncodePng: compression failed");
  packed.resize(packedSize);

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Put32(header, uint32_t(width));
  Put32(header, uint32_t(height));
  header.insert(header.end(), {8, uint8_t(withAlpha ? 6 : 2), 0, 0, 0});
  Chunk(out, "IHDR", header.data(), header.size());
  Chunk(out, "IDAT", packed.data(), packed.size());
  Chunk(out, "IEND", nullptr, 0);
  return out;
}

void SavePngFile(const std::string& path, const std::vector<uint8_t>& png) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("Cannot create file \"" + path + "\". " + std::strerror(errno));
  out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
  if (!out) throw std::runtime_error("Cannot write file \"" + path + "\"");
}

void SavePngFile(const std::string& path, HBITMAP bitmap) {
  const PixelSurface s = GetBitmapSurface(bitmap);
  if (!s.Bits) throw std::runtime_error("SavePngFile: not a bitmap handle");
  SavePngFile(path, EncodePng(s.Bits, s.Width, s.Height, s.Stride));
}

}  // namespace kora
