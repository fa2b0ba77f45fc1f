// TbsFBitmap: a 24-bit top-down copy of a bitmap for fast pixel scans.

#include "framework/core/SysUtils.h"
#include "skin/data/bsUtils.h"

namespace kora {

std::vector<uint8_t> ReadBitmap24(HBITMAP bitmap, int& width, int& height) {
  BITMAP info;
  if (!GetObject(bitmap, &info)) throw Exception("Bitmap image is not valid");
  width = info.bmWidth;
  height = info.bmHeight;
  const std::size_t rowBytes = std::size_t(width) * 3 + std::size_t(width % 4);
  std::vector<uint8_t> bits(rowBytes * std::size_t(height), 0);
  BITMAPINFO request;
  request.bmiHeader.biWidth = width;
  request.bmiHeader.biHeight = -height;
  request.bmiHeader.biBitCount = 24;
  if (height > 0 && GetDIBits(HDC(), bitmap, 0, uint32_t(height), bits.data(), &request, DIB_RGB_COLORS) != height)
    throw Exception("Bitmap image is not valid");
  return bits;
}

TbsFBitmap::TbsFBitmap(HBITMAP bitmap) {
  FBits = ReadBitmap24(bitmap, FWidth, FHeight);
  FPadding = uint32_t(FWidth % 4);  // brings 3 x width up to a multiple of 4
  FRowBytes = FWidth * 3 + int(FPadding);
  FRows.resize(std::size_t(FHeight));
  for (int y = 0; y < FHeight; ++y) FRows[std::size_t(y)] = FBits.data() + std::size_t(y) * std::size_t(FRowBytes);
  FInfo.bmiHeader.biWidth = FWidth;
  FInfo.bmiHeader.biHeight = -FHeight;
  FInfo.bmiHeader.biBitCount = 24;
}

}  // namespace kora
