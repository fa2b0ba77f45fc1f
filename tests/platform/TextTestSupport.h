#pragma once

#include "platform/gdi/GdiInternal.h"
#include "platform/text/FontInstance.h"
#include "platform/text/Text.h"

namespace kora {

// The realised font for a description, shared with every equal one.
inline FontInstance& TestFont(const char* face, int32_t height, int32_t weight = FW_NORMAL, bool italic = false,
                              uint8_t charSet = DEFAULT_CHARSET, int32_t width = 0) {
  LOGFONT lf;
  lf.lfFaceName = face;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfCharSet = charSet;
  return *RealizeFont(lf);
}

// A white bitmap in a memory DC for text tests, with black text on a
// transparent background unless a test changes it.
class TextTestCanvas {
public:
  TextTestCanvas(int width, int height) {
    FDc = CreateCompatibleDC(HDC());
    FBitmap = CreateCompatibleBitmap(FDc, width, height);
    FOldBitmap = SelectObject(FDc, FBitmap);
    Clear();
    SetTextColor(FDc, RGB(0, 0, 0));
    SetBkMode(FDc, TRANSPARENT);
  }
  ~TextTestCanvas() {
    SelectObject(FDc, FOldBitmap);
    if (FFont) SelectObject(FDc, FOldFont);
    DeleteObject(FBitmap);
    if (FFont) DeleteObject(FFont);
    DeleteDC(FDc);
  }
  TextTestCanvas(const TextTestCanvas&) = delete;
  TextTestCanvas& operator=(const TextTestCanvas&) = delete;

  HDC Dc() const { return FDc; }
  HBITMAP Bitmap() const { return FBitmap; }

  // Selects a new font made from the description; the canvas deletes it.
  void UseFont(const char* face, int32_t height, int32_t weight = FW_NORMAL, bool italic = false,
               bool underline = false, bool strikeOut = false) {
    HFONT font = CreateFont(height, 0, 0, 0, weight, italic, underline, strikeOut, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    if (FFont) {
      SelectObject(FDc, font);
      DeleteObject(FFont);
    } else {
      FOldFont = SelectObject(FDc, font);
    }
    FFont = font;
  }

  void Clear() {
    const PixelSurface s = GetBitmapSurface(FBitmap);
    for (int y = 0; y < s.Height; ++y)
      for (int x = 0; x < s.Width; ++x) s.Bits[y * s.Stride + x] = 0xFFFFFF;
  }
  // 0x00RRGGBB
  uint32_t Pixel(int x, int y) const {
    const PixelSurface s = GetBitmapSurface(FBitmap);
    return s.Bits[y * s.Stride + x] & 0xFFFFFF;
  }
  // The bounding box of every pixel that is not white; empty when none.
  RECT Ink(RECT area = {0, 0, 1 << 20, 1 << 20}) const {
    const PixelSurface s = GetBitmapSurface(FBitmap);
    area = area.Intersect({0, 0, s.Width, s.Height});
    RECT box;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        if (Pixel(x, y) != 0xFFFFFF) box = box.Union({x, y, x + 1, y + 1});
    return box;
  }
  int CountPixels(uint32_t rgb, RECT area) const {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) n += Pixel(x, y) == rgb;
    return n;
  }

private:
  HDC FDc;
  HBITMAP FBitmap;
  HGDIOBJ FOldBitmap;
  HFONT FFont;
  HGDIOBJ FOldFont;
};

}  // namespace kora
