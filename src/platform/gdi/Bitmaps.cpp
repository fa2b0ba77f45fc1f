#include <cstring>

#include "platform/gdi/DibRows.h"
#include "platform/gdi/GdiObjects.h"

namespace kora {

BitmapObject::BitmapObject(int width, int height)
    : GdiObject(kObjectKind), Width(width), Height(height), Pixels(std::size_t(width) * std::size_t(height), 0) {}

BitmapObject* FindBitmap(HBITMAP bitmap) { return LookupGdiObject<BitmapObject>(bitmap); }

HBITMAP RegisterBitmap(std::unique_ptr<BitmapObject> bitmap) { return HBITMAP(RegisterGdiObject(std::move(bitmap))); }

HBITMAP DefaultDcBitmap() {
  static const HBITMAP bitmap = [] {
    auto b = std::make_unique<BitmapObject>(1, 1);
    b->SetStock(true);
    return RegisterBitmap(std::move(b));
  }();
  return bitmap;
}

namespace {

bool ValidSize(int width, int height) {
  return width > 0 && height > 0 && int64_t(width) * height <= MAX_BITMAP_PIXELS;
}

// Copies word-aligned rows of 1, 24 or 32 bits into the bitmap.
bool FillFromBits(BitmapObject& b, uint32_t bitsPerPixel, const uint8_t* bits) {
  const std::size_t rowBytes = (std::size_t(b.Width) * bitsPerPixel + 15) / 16 * 2;
  static const uint32_t mono[2] = {0x000000, 0xFFFFFF};
  for (int y = 0; y < b.Height; ++y)
    UnpackDibRow(bits + rowBytes * std::size_t(y), int(bitsPerPixel), b.Width, mono, BitFields(),
                 b.Pixels.data() + std::size_t(y) * std::size_t(b.Width));
  return true;
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, uint32_t planes, uint32_t bitsPerPixel, const void* bits) {
  if (!ValidSize(width, height) || planes != 1) return HBITMAP();
  if (bits && bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32) return HBITMAP();
  auto b = std::make_unique<BitmapObject>(width, height);
  if (bits) FillFromBits(*b, bitsPerPixel, static_cast<const uint8_t*>(bits));
  return RegisterBitmap(std::move(b));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
  if (!ValidSize(width, height)) return HBITMAP();
  return RegisterBitmap(std::make_unique<BitmapObject>(width, height));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, uint32_t usage, void** bits) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS) return HBITMAP();
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biHeight >= 0 || h.biHeight == INT32_MIN ||
      !ValidSize(h.biWidth, -h.biHeight))
    return HBITMAP();
  auto b = std::make_unique<BitmapObject>(h.biWidth, -h.biHeight);
  b->DibSection = true;
  if (bits) *bits = b->Pixels.data();
  return RegisterBitmap(std::move(b));
}

int GetObject(HBITMAP bitmap, BITMAP* out) {
  BitmapObject* b = FindBitmap(bitmap);
  if (!b || !out) return 0;
  out->bmType = 0;
  out->bmWidth = b->Width;
  out->bmHeight = b->Height;
  out->bmWidthBytes = b->Width * 4;
  out->bmPlanes = 1;
  out->bmBitsPixel = 32;
  out->bmBits = b->DibSection ? b->Pixels.data() : nullptr;
  return int(sizeof(BITMAP));
}

PixelSurface GetBitmapSurface(HBITMAP bitmap) {
  BitmapObject* b = FindBitmap(bitmap);
  return b ? b->Surface() : PixelSurface();
}

int GetDIBits(HDC, HBITMAP bitmap, uint32_t startScan, uint32_t scanLines, void* bits, BITMAPINFO* info,
              uint32_t usage) {
  BitmapObject* b = FindBitmap(bitmap);
  if (!b || !info || usage != DIB_RGB_COLORS) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (!bits) {
    if (h.biBitCount == 0) h.biBitCount = 32;
    if (h.biBitCount != 24 && h.biBitCount != 32) return 0;
    h.biSize = 40;
    h.biWidth = b->Width;
    h.biHeight = b->Height;
    h.biPlanes = 1;
    h.biCompression = BI_RGB;
    h.biSizeImage = uint32_t(DibRowBytes(b->Width, h.biBitCount) * std::size_t(b->Height));
    return b->Height;
  }
  if ((h.biBitCount != 24 && h.biBitCount != 32) || h.biCompression != BI_RGB || h.biWidth != b->Width ||
      h.biHeight == INT32_MIN || (h.biHeight < 0 ? -h.biHeight : h.biHeight) != b->Height)
    return 0;
  const bool topDown = h.biHeight < 0;
  if (startScan >= uint32_t(b->Height)) return 0;
  const uint32_t lines = std::min<uint32_t>(scanLines, uint32_t(b->Height) - startScan);
  const std::size_t rowBytes = DibRowBytes(b->Width, h.biBitCount);
  auto* out = static_cast<uint8_t*>(bits);
  for (uint32_t k = 0; k < lines; ++k) {
    const uint32_t dibRow = startScan + k;
    const int y = topDown ? int(dibRow) : b->Height - 1 - int(dibRow);
    PackDibRow(b->Pixels.data() + std::size_t(y) * std::size_t(b->Width), b->Width, h.biBitCount, nullptr,
               out + rowBytes * k);
  }
  return int(lines);
}

}  // namespace kora
