// Rectangles, lines, pixels, focus rectangles, edges and glyph masks.

#include "platform/gdi/Raster.h"

namespace kora {

int FillRect(HDC dc, const RECT* r, HBRUSH brush) {
  DrawTarget t;
  COLORREF color;
  if (!r || !AcquireTarget(dc, t) || !BrushColor(brush, &color)) return 0;
  FillSurfaceRect(t, t.ToSurface(*r), ToPixel(color));
  return 1;
}

int FrameRect(HDC dc, const RECT* r, HBRUSH brush) {
  DrawTarget t;
  COLORREF color;
  if (!r || !AcquireTarget(dc, t) || !BrushColor(brush, &color)) return 0;
  const RECT s = t.ToSurface(*r);
  if (s.IsEmpty()) return 1;
  const uint32_t pixel = ToPixel(color);
  FillSurfaceRect(t, {s.Left, s.Top, s.Right, s.Top + 1}, pixel);
  if (s.Height() > 1) FillSurfaceRect(t, {s.Left, s.Bottom - 1, s.Right, s.Bottom}, pixel);
  FillSurfaceRect(t, {s.Left, s.Top + 1, s.Left + 1, s.Bottom - 1}, pixel);
  if (s.Width() > 1) FillSurfaceRect(t, {s.Right - 1, s.Top + 1, s.Right, s.Bottom - 1}, pixel);
  return 1;
}

bool InvertRect(HDC dc, const RECT* r) {
  DrawTarget t;
  if (!r || !AcquireTarget(dc, t)) return false;
  FillSurfaceRect(t, t.ToSurface(*r), 0, R2_NOT);
  return true;
}

bool PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  DrawTarget t;
  if (!AcquireTarget(dc, t)) return false;
  const uint8_t code = RopCode(rop);
  if (RopUsesSource(code)) return false;
  COLORREF color = 0;
  if (RopUsesPattern(code) && !BrushColor(t.Dc->State.Brush, &color)) return true;  // hollow brush: nothing
  const RECT r = t.ToSurface(SpanRect(x, y, width, height));
  const uint32_t p = ToPixel(color);
  switch (code) {
    case 0xF0: FillSurfaceRect(t, r, p); break;
    case 0x00: FillSurfaceRect(t, r, 0); break;
    case 0xFF: FillSurfaceRect(t, r, RGB_MASK); break;
    case 0x55: FillSurfaceRect(t, r, 0, R2_NOT); break;
    case 0x5A: FillSurfaceRect(t, r, p, R2_XORPEN); break;
    default:
      t.Clip->ForEachRectIn(r, [&](const RECT& piece) {
        for (int yy = piece.Top; yy < piece.Bottom; ++yy) {
          uint32_t* row = t.Row(yy);
          for (int xx = piece.Left; xx < piece.Right; ++xx) row[xx] = Rop3(code, p, 0, row[xx]);
        }
      });
  }
  return true;
}

bool MoveToEx(HDC dc, int x, int y, POINT* old) {
  DeviceContext* d = FindDc(dc);
  if (!d) return false;
  if (old) *old = d->State.CurrentPos;
  d->State.CurrentPos = {x, y};
  return true;
}

bool GetCurrentPositionEx(HDC dc, POINT* out) {
  DeviceContext* d = FindDc(dc);
  if (!d || !out) return false;
  *out = d->State.CurrentPos;
  return true;
}

bool LineTo(HDC dc, int x, int y) {
  DrawTarget t;
  if (!AcquireTarget(dc, t)) return false;
  const POINT from = t.Dc->State.CurrentPos;
  t.Dc->State.CurrentPos = {x, y};
  Stroke stroke;
  if (StrokeOfDc(*t.Dc, stroke)) {
    int phase = 0;
    StrokeLine(t, t.ToSurface(from), t.ToSurface(POINT{x, y}), stroke, &phase);
  }
  return true;
}

bool Polyline(HDC dc, const POINT* points, int count) {
  DrawTarget t;
  if (!points || count < 2 || !AcquireTarget(dc, t)) return false;
  Stroke stroke;
  if (!StrokeOfDc(*t.Dc, stroke)) return true;
  std::vector<POINT> path(points, points + count);
  for (POINT& p : path) p = t.ToSurface(p);
  StrokePath(t, path, stroke);
  return true;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  DrawTarget t;
  if (!AcquireTarget(dc, t)) return CLR_INVALID;
  const POINT p = t.ToSurface(POINT{x, y});
  if (!t.Clip->Contains(p)) return CLR_INVALID;
  t.Row(p.Y)[p.X] = ToPixel(color);
  return ToColorRef(ToPixel(color));
}

COLORREF GetPixel(HDC dc, int x, int y) {
  DrawTarget t;
  if (!AcquireTarget(dc, t)) return CLR_INVALID;
  const POINT p = t.ToSurface(POINT{x, y});
  if (!t.Clip->Contains(p)) return CLR_INVALID;
  return ToColorRef(t.Row(p.Y)[p.X] & RGB_MASK);
}

bool DrawFocusRect(HDC dc, const RECT* r) {
  DrawTarget t;
  if (!r || !AcquireTarget(dc, t)) return false;
  const RECT s = t.ToSurface(*r);
  if (s.IsEmpty()) return true;
  // The dots follow a checkerboard fixed to the DC's device grid, so
  // adjacent focus rectangles line up and a second call undoes the first.
  const int phase = t.Dc->DeviceOrigin.X + t.Dc->DeviceOrigin.Y;
  auto dot = [&](int x, int y) {
    if (((x + y - phase) & 1) == 0) PlotPixel(t, x, y, 0, R2_NOT);
  };
  const RECT& clip = t.Clip->Bounds();
  for (int x = std::max(s.Left, clip.Left); x < std::min(s.Right, clip.Right); ++x) {
    dot(x, s.Top);
    if (s.Bottom - 1 > s.Top) dot(x, s.Bottom - 1);
  }
  for (int y = std::max(s.Top + 1, clip.Top); y < std::min(s.Bottom - 1, clip.Bottom); ++y) {
    dot(s.Left, y);
    if (s.Right - 1 > s.Left) dot(s.Right - 1, y);
  }
  return true;
}

namespace {

// One ring of an edge: top and left in one colour, bottom and right in the
// other, the bottom-right pair owning the off-diagonal corners.
void EdgeRing(const DrawTarget& t, const RECT& s, uint32_t flags, int topLeft, int bottomRight) {
  const uint32_t tl = ToPixel(GetSysColor(topLeft)), br = ToPixel(GetSysColor(bottomRight));
  if (flags & BF_TOP) FillSurfaceRect(t, {s.Left, s.Top, s.Right - 1, s.Top + 1}, tl);
  if (flags & BF_LEFT) FillSurfaceRect(t, {s.Left, s.Top, s.Left + 1, s.Bottom - 1}, tl);
  if (flags & BF_BOTTOM) FillSurfaceRect(t, {s.Left, s.Bottom - 1, s.Right, s.Bottom}, br);
  if (flags & BF_RIGHT) FillSurfaceRect(t, {s.Right - 1, s.Top, s.Right, s.Bottom}, br);
}

// The system colours of a ring (top-left, bottom-right).
std::pair<int, int> RingColours(bool outer, bool raised, uint32_t flags) {
  if (flags & BF_MONO)
    return outer ? std::pair(COLOR_WINDOWFRAME, COLOR_WINDOWFRAME) : std::pair(COLOR_WINDOW, COLOR_WINDOW);
  if (flags & BF_FLAT)
    return outer ? std::pair(COLOR_BTNSHADOW, COLOR_BTNSHADOW) : std::pair(COLOR_BTNFACE, COLOR_BTNFACE);
  const bool soft = flags & BF_SOFT;
  if (outer)
    return raised ? std::pair(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW)
                  : std::pair(COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  return raised ? std::pair(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW)
                : std::pair(COLOR_3DDKSHADOW, COLOR_3DLIGHT);
}

}  // namespace

bool DrawEdge(HDC dc, RECT* r, uint32_t edge, uint32_t flags) {
  DrawTarget t;
  if (!r || !AcquireTarget(dc, t)) return false;
  RECT s = t.ToSurface(*r);
  for (const bool outer : {true, false}) {
    const uint32_t ring = edge & (outer ? BDR_OUTER : BDR_INNER);
    if (!ring) continue;
    const auto [topLeft, bottomRight] = RingColours(outer, ring & (BDR_RAISEDOUTER | BDR_RAISEDINNER), flags);
    EdgeRing(t, s, flags, topLeft, bottomRight);
    // The next ring (or the middle) lies one pixel in on the drawn sides.
    if (flags & BF_LEFT) ++s.Left;
    if (flags & BF_TOP) ++s.Top;
    if (flags & BF_RIGHT) --s.Right;
    if (flags & BF_BOTTOM) --s.Bottom;
  }
  if (flags & BF_MIDDLE) FillSurfaceRect(t, s, ToPixel(GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE)));
  if (flags & BF_ADJUST) *r = s.Offsetted(-t.Dx, -t.Dy);
  return true;
}

bool FillSolidRect(HDC dc, const RECT& r, COLORREF color) {
  DrawTarget t;
  if (!AcquireTarget(dc, t)) return false;
  FillSurfaceRect(t, t.ToSurface(r), ToPixel(color));
  return true;
}

bool BlendGlyphMask(HDC dc, int x, int y, const GlyphMask& mask, COLORREF color) {
  DrawTarget t;
  if (!AcquireTarget(dc, t)) return false;
  if (!mask.Bits || mask.Width <= 0 || mask.Height <= 0) return true;
  const RECT area = SpanRect(int64_t(x) + t.Dx, int64_t(y) + t.Dy, mask.Width, mask.Height);
  const uint32_t p = ToPixel(color);
  const uint32_t pr = p >> 16 & 0xFF, pg = p >> 8 & 0xFF, pb = p & 0xFF;
  t.Clip->ForEachRectIn(area, [&](const RECT& piece) {
    for (int sy = piece.Top; sy < piece.Bottom; ++sy) {
      const uint8_t* src = mask.Bits + std::ptrdiff_t(sy - area.Top) * mask.Stride;
      uint32_t* row = t.Row(sy);
      for (int sx = piece.Left; sx < piece.Right; ++sx) {
        const int mx = sx - area.Left;
        uint32_t a = mask.Monochrome ? ((src[mx >> 3] >> (7 - (mx & 7))) & 1) * 255u : src[mx];
        if (a == 0) continue;
        if (a == 255) {
          row[sx] = p;
          continue;
        }
        const uint32_t d = row[sx], na = 255 - a;
        const uint32_t r = (pr * a + (d >> 16 & 0xFF) * na + 127) / 255;
        const uint32_t g = (pg * a + (d >> 8 & 0xFF) * na + 127) / 255;
        const uint32_t b = (pb * a + (d & 0xFF) * na + 127) / 255;
        row[sx] = r << 16 | g << 8 | b;
      }
    }
  });
  return true;
}

}  // namespace kora
