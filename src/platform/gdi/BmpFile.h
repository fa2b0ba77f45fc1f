#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/gdi/GdiTypes.h"

namespace kora {

// A BMP file that cannot be read; the message starts with "Bitmap image is
// not valid".
class BitmapFormatError : public std::runtime_error {
public:
  explicit BitmapFormatError(const std::string& detail);
};

// Decoding refuses anything larger than this many pixels (and any side above
// BMP_MAX_SIDE), so a forged header cannot make us allocate without bound.
constexpr std::size_t BMP_MAX_PIXELS = std::size_t(64) << 20;
constexpr int BMP_MAX_SIDE = 32768;

// The largest picture a caller takes (a portrait, an icon): a larger one is
// refused as soon as its header is read.
struct BmpLimits {
  int MaxWidth = BMP_MAX_SIDE;
  int MaxHeight = BMP_MAX_SIDE;
};

// A decoded BMP file: 32-bit pixels 0x00RRGGBB, rows top-down, plus what the
// file said about itself so it can be written back the same way.
struct BmpImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  int BitsPerPixel = 24;         // of the file: 1, 4, 8, 16, 24 or 32
  std::vector<RGBQUAD> Palette;  // the file's colour table (1/4/8-bit)
  std::size_t FileSize = 0;      // bytes the file occupies: its size field (where the pixels end when that is 0)
};

// Reads one BMP file from the start of data. Handles 1/4/8/16/24/32-bit,
// colour tables, bottom-up and top-down rows, RLE4/RLE8 and bit fields.
// Throws BitmapFormatError for anything malformed, for an image beyond the
// limits, and for a compressed image far larger than its data can fill;
// never reads outside data.
BmpImage DecodeBmp(std::span<const uint8_t> data, const BmpLimits& limits = {});

// Writes a BMP file, rows bottom-up. bitsPerPixel 24 or 32 ignore palette;
// 1, 4 and 8 need a palette of at most 2, 16 or 256 entries and map every
// pixel to the nearest entry.
std::vector<uint8_t> EncodeBmp(const uint32_t* pixels, int width, int height, int stride, int bitsPerPixel,
                               std::span<const RGBQUAD> palette = {});
std::vector<uint8_t> EncodeBmp(const BmpImage& image);  // in the image's own depth and palette
void SaveBmpFile(const std::string& path, const std::vector<uint8_t>& bytes);

// A bitmap handle holding the image, null when it cannot be created.
HBITMAP CreateBitmapFromBmp(const BmpImage& image);
// The bitmap's pixels as an image (24-bit, no palette); throws for a bad handle.
BmpImage BmpImageFromBitmap(HBITMAP bitmap);

}  // namespace kora
