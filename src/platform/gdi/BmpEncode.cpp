// Writing BMP files, and moving images in and out of bitmap handles.

#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/DibRows.h"
#include "platform/gdi/GdiObjects.h"

namespace kora {

namespace {

void Put32(std::vector<uint8_t>& out, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + std::size_t(i)] = uint8_t(v >> (8 * i));
}
void Put16(std::vector<uint8_t>& out, std::size_t at, uint16_t v) {
  out[at] = uint8_t(v);
  out[at + 1] = uint8_t(v >> 8);
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const uint32_t* pixels, int width, int height, int stride, int bitsPerPixel,
                               std::span<const RGBQUAD> palette) {
  if (!pixels || width <= 0 || height <= 0 || stride < width || int64_t(width) * height > int64_t(BMP_MAX_PIXELS))
    throw std::invalid_argument("EncodeBmp: bad image size");
  const bool indexed = bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8;
  if (!indexed && bitsPerPixel != 24 && bitsPerPixel != 32)
    throw std::invalid_argument("EncodeBmp: unsupported bit depth " + std::to_string(bitsPerPixel));
  if (indexed && (palette.empty() || palette.size() > (std::size_t(1) << bitsPerPixel)))
    throw std::invalid_argument("EncodeBmp: a " + std::to_string(bitsPerPixel) + "-bit file needs 1 to " +
                                std::to_string(1 << bitsPerPixel) + " palette entries");
  const std::size_t colors = indexed ? palette.size() : 0;
  const std::size_t rowBytes = DibRowBytes(width, bitsPerPixel);
  const std::size_t offBits = 14 + 40 + 4 * colors;
  const std::size_t total = offBits + rowBytes * std::size_t(height);
  if (total > UINT32_MAX) throw std::invalid_argument("EncodeBmp: image too large");

  std::vector<uint8_t> out(total, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, uint32_t(total));
  Put32(out, 10, uint32_t(offBits));
  Put32(out, 14, 40);
  Put32(out, 18, uint32_t(width));
  Put32(out, 22, uint32_t(height));
  Put16(out, 26, 1);
  Put16(out, 28, uint16_t(bitsPerPixel));
  Put32(out, 30, BI_RGB);
  Put32(out, 34, uint32_t(rowBytes * std::size_t(height)));
  Put32(out, 46, uint32_t(colors));
  for (std::size_t i = 0; i < colors; ++i) {
    out[54 + 4 * i] = palette[i].rgbBlue;
    out[55 + 4 * i] = palette[i].rgbGreen;
    out[56 + 4 * i] = palette[i].rgbRed;
  }
  PaletteMatcher matcher(palette);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + std::ptrdiff_t(height - 1 - y) * stride;
    PackDibRow(row, width, bitsPerPixel, indexed ? &matcher : nullptr,
               out.data() + offBits + rowBytes * std::size_t(y));
  }
  return out;
}

std::vector<uint8_t> EncodeBmp(const BmpImage& image) {
  const int bits = image.BitsPerPixel;
  const bool indexed = (bits == 1 || bits == 4 || bits == 8) && !image.Palette.empty();
  return EncodeBmp(image.Pixels.data(), image.Width, image.Height, image.Width, indexed || bits == 32 ? bits : 24,
                   indexed ? std::span<const RGBQUAD>(image.Palette) : std::span<const RGBQUAD>());
}

void SaveBmpFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("Cannot create file \"" + path + "\". " + std::strerror(errno));
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("Cannot write file \"" + path + "\"");
}

HBITMAP CreateBitmapFromBmp(const BmpImage& image) {
  if (image.Width <= 0 || image.Height <= 0 ||
      image.Pixels.size() != std::size_t(image.Width) * std::size_t(image.Height) ||
      int64_t(image.Width) * image.Height > MAX_BITMAP_PIXELS)
    return HBITMAP();
  auto b = std::make_unique<BitmapObject>(image.Width, image.Height);
  for (std::size_t i = 0; i < b->Pixels.size(); ++i) b->Pixels[i] = image.Pixels[i] & RGB_MASK;
  return RegisterBitmap(std::move(b));
}

BmpImage BmpImageFromBitmap(HBITMAP bitmap) {
  const BitmapObject* b = FindBitmap(bitmap);
  if (!b) throw std::invalid_argument("BmpImageFromBitmap: not a bitmap handle");
  BmpImage image;
  image.Width = b->Width;
  image.Height = b->Height;
  image.Pixels.resize(b->Pixels.size());
  for (std::size_t i = 0; i < b->Pixels.size(); ++i) image.Pixels[i] = b->Pixels[i] & RGB_MASK;
  image.BitsPerPixel = 24;
  return image;
}

}  // namespace kora
