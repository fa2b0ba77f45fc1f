#pragma once

#include <map>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"

namespace kora::test {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A memory DC on a fresh bitmap, read back pixel by pixel or as text.
class TestCanvas {
public:
  TestCanvas(int width, int height, COLORREF fill = kWhite)
      : Dc(CreateCompatibleDC(HDC())),
        Bitmap(CreateCompatibleBitmap(Dc, width, height)),
        FOld(SelectObject(Dc, Bitmap)) {
    Fill(fill);
  }
  ~TestCanvas() {
    SelectObject(Dc, FOld);
    DeleteObject(Bitmap);
    DeleteDC(Dc);
  }
  TestCanvas(const TestCanvas&) = delete;
  TestCanvas& operator=(const TestCanvas&) = delete;

  void Fill(COLORREF color) {
    const PixelSurface s = Surface();
    const uint32_t p = uint32_t(GetRValue(color)) << 16 | uint32_t(GetGValue(color)) << 8 | GetBValue(color);
    for (int i = 0; i < s.Stride * s.Height; ++i) s.Bits[i] = p;
  }
  PixelSurface Surface() const { return GetBitmapSurface(Bitmap); }
  uint32_t Raw(int x, int y) const { return Surface().Bits[y * Surface().Stride + x]; }
  // The pixel as a COLORREF, ignoring the DC's clip and origin.
  COLORREF At(int x, int y) const {
    const uint32_t p = Raw(x, y);
    return RGB(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
  }
  // One character per pixel of the area, rows separated by newlines.
  std::string Ascii(const RECT& area, std::map<COLORREF, char> legend = {}) const {
    legend.emplace(kWhite, '.');
    legend.emplace(kBlack, '#');
    std::string out;
    for (int y = area.Top; y < area.Bottom; ++y) {
      for (int x = area.Left; x < area.Right; ++x) {
        const auto it = legend.find(At(x, y));
        out += it == legend.end() ? '?' : it->second;
      }
      out += '\n';
    }
    return out;
  }
  std::string Ascii(std::map<COLORREF, char> legend = {}) const {
    return Ascii({0, 0, Surface().Width, Surface().Height}, std::move(legend));
  }

  HDC Dc;
  HBITMAP Bitmap;

private:
  HGDIOBJ FOld;
};

// Selects an object for the scope and deletes it afterwards.
class Selected {
public:
  Selected(HDC dc, HGDIOBJ object) : FDc(dc), FObject(object), FOld(SelectObject(dc, object)) {}
  ~Selected() {
    SelectObject(FDc, FOld);
    DeleteObject(FObject);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

private:
  HDC FDc;
  HGDIOBJ FObject;
  HGDIOBJ FOld;
};

}  // namespace kora::test
