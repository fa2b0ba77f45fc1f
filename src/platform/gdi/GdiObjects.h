#pragma once

// The drawing objects behind the handles (platform-internal).

#include <cstdint>
#include <vector>

#include "platform/gdi/GdiInternal.h"

namespace kora {

// COLORREF (system colours resolved) to a pixel 0x00RRGGBB and back.
inline uint32_t ToPixel(COLORREF c) {
  c = ColorToRGB(c);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ToColorRef(uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }
constexpr uint32_t RGB_MASK = 0x00FFFFFF;

// Bitmaps may not exceed this many pixels (256 MB of memory).
constexpr int64_t MAX_BITMAP_PIXELS = int64_t(1) << 26;

struct PenObject : GdiObject {
  static constexpr GdiKind kObjectKind = GdiKind::Pen;
  PenObject() : GdiObject(kObjectKind) {}
  int Style = PS_SOLID;
  int Width = 1;
  COLORREF Color = 0;
};

struct BrushObject : GdiObject {
  static constexpr GdiKind kObjectKind = GdiKind::Brush;
  BrushObject() : GdiObject(kObjectKind) {}
  uint32_t Style = BS_SOLID;
  COLORREF Color = 0;
};

struct BitmapObject : GdiObject {
  static constexpr GdiKind kObjectKind = GdiKind::Bitmap;
  BitmapObject(int width, int height);
  int Width;
  int Height;
  std::vector<uint32_t> Pixels;
  bool DibSection = false;
  PixelSurface Surface() { return {Pixels.data(), Width, Height, Width}; }
};

struct RegionObject : GdiObject {
  static constexpr GdiKind kObjectKind = GdiKind::Region;
  RegionObject() : GdiObject(kObjectKind) {}
  Region Rgn;
};

BitmapObject* FindBitmap(HBITMAP bitmap);
// Resolves a brush argument (small handle values are a system colour index
// + 1) to a solid colour; false for a null, hollow or bad brush.
bool BrushColor(HBRUSH brush, COLORREF* color);
// The object the text layer registered for a stock index, else null.
HGDIOBJ StockObjectOverride(int index);
HBITMAP RegisterBitmap(std::unique_ptr<BitmapObject> bitmap);
// The 1x1 bitmap every memory DC starts with.
HBITMAP DefaultDcBitmap();

}  // namespace kora
