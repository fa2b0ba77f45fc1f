#pragma once

// Clipped pixel writing on a resolved DC (platform-internal). Coordinates
// here are surface coordinates.

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/gdi/DeviceContext.h"

namespace kora {

// The classic mix modes of pens and brushes.
inline uint32_t Mix(int rop2, uint32_t pen, uint32_t dst) {
  switch (rop2) {
    case R2_XORPEN: return (dst ^ pen) & RGB_MASK;
    case R2_NOT: return ~dst & RGB_MASK;
    case R2_NOP: return dst;
    case R2_BLACK: return 0;
    case R2_WHITE: return RGB_MASK;
    default: return pen;
  }
}

// The 256 ternary raster operations on pattern, source and destination.
inline uint32_t Rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t out = 0;
  for (int i = 0; i < 8; ++i)
    if (code & (1 << i)) out |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  return out & RGB_MASK;
}
constexpr uint8_t RopCode(DWORD rop) { return uint8_t(rop >> 16); }
constexpr bool RopUsesSource(uint8_t code) { return ((code >> 2) & 0x33) != (code & 0x33); }
constexpr bool RopUsesPattern(uint8_t code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }

void FillSurfaceRect(const DrawTarget& t, const RECT& r, uint32_t pixel, int rop2 = R2_COPYPEN);
void FillSurfaceRegion(const DrawTarget& t, const Region& shape, uint32_t pixel, int rop2 = R2_COPYPEN);
void FillSurfaceSpan(const DrawTarget& t, int y, int x0, int x1, uint32_t pixel, int rop2 = R2_COPYPEN);
void PlotPixel(const DrawTarget& t, int x, int y, uint32_t pixel, int rop2 = R2_COPYPEN);

// How a pen draws: colour, width, dash pattern and what fills the gaps.
struct Stroke {
  uint32_t Pixel = 0;
  int Width = 1;
  int Rop2 = R2_COPYPEN;
  int DashOn = 0;  // 0: solid
  int DashOff = 0;
  bool FillGaps = false;  // OPAQUE background mode
  uint32_t GapPixel = 0;
};
// False for a null pen (nothing to draw).
bool StrokeOfDc(const DeviceContext& dc, Stroke& stroke);

// Draws the points from start up to, not including, end; the dash pattern
// continues from *phase.
void StrokeLine(const DrawTarget& t, POINT start, POINT end, const Stroke& stroke, int* phase);
// Draws an open path; every segment excludes its end point, so the last point is not drawn.
void StrokePath(const DrawTarget& t, const std::vector<POINT>& path, const Stroke& stroke);

// A filled shape as one span per row, rows from Top.
struct RowSpans {
  int Top = 0;
  std::vector<std::pair<int, int>> Rows;  // [first, second) per row; empty when first >= second
};
// The pixels of a rounded rectangle (an ellipse when the corners span the
// whole box) whose centres lie inside it, for the rows of the box within
// [top, bottom) only.
RowSpans RoundRectSpans(const RECT& box, int cornerWidth, int cornerHeight, int top, int bottom);
// Removes a border of the given width from a shape (what stays inside an outline).
RowSpans ErodeSpans(const RowSpans& shape, int width);
void FillSpans(const DrawTarget& t, const RowSpans& shape, uint32_t pixel, int rop2);
// Fills shape minus inner.
void FillSpansOutside(const DrawTarget& t, const RowSpans& shape, const RowSpans& inner, uint32_t pixel, int rop2);

}  // namespace kora
