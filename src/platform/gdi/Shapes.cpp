// Rectangle, Ellipse, RoundRect and Polygon: a brush fill inside a pen outline.

#include <cmath>

#include "platform/gdi/Raster.h"

namespace kora {

namespace {

struct Fill {
  bool Present = false;
  uint32_t Pixel = 0;
};

Fill BrushOf(const DrawTarget& t) {
  COLORREF c;
  if (!BrushColor(t.Dc->State.Brush, &c)) return {};
  return {true, ToPixel(c)};
}

// The outline of a one-pixel styled pen around (l, t)..(r-1, b-1).
std::vector<POINT> FramePath(const RECT& s) {
  return {{s.Left, s.Top}, {s.Right - 1, s.Top}, {s.Right - 1, s.Bottom - 1}, {s.Left, s.Bottom - 1}, {s.Left, s.Top}};
}

bool ShapeOfRoundRect(HDC dc, int left, int top, int right, int bottom, int cw, int ch, bool ellipse) {
  DrawTarget t;
  if (!AcquireTarget(dc, t)) return false;
  RECT box = t.ToSurface(RECT{left, top, right, bottom}.Normalized());
  Stroke stroke;
  const bool pen = StrokeOfDc(*t.Dc, stroke);
  const Fill fill = BrushOf(t);
  const int rop2 = t.Dc->State.Rop2;
  if (!pen) {
    // Without a pen the fill keeps off the right and bottom edge.
    --box.Right;
    --box.Bottom;
  }
  if (ellipse) {
    cw = box.Width();
    ch = box.Height();
  }
  // Only the rows that can show are computed; the pen's width of extra
  // rows keeps the outline right at the clip's edges.
  const int margin = pen ? stroke.Width : 0;
  const RECT& clip = t.Clip->Bounds();
  const RowSpans shape = RoundRectSpans(box, cw, ch, clip.Top - margin, clip.Bottom + margin);
  if (!pen) {
    if (fill.Present) FillSpans(t, shape, fill.Pixel, rop2);
    return true;
  }
  const RowSpans inside = ErodeSpans(shape, stroke.Width);
  if (fill.Present) FillSpans(t, inside, fill.Pixel, rop2);
  FillSpansOutside(t, shape, inside, stroke.Pixel, stroke.Rop2);
  return true;
}

}  // namespace

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
  DrawTarget t;
  if (!AcquireTarget(dc, t)) return false;
  const RECT s = t.ToSurface(RECT{left, top, right, bottom}.Normalized());
  Stroke stroke;
  const bool pen = StrokeOfDc(*t.Dc, stroke);
  const Fill fill = BrushOf(t);
  const int rop2 = t.Dc->State.Rop2;
  if (!pen) {
    if (fill.Present) FillSurfaceRect(t, {s.Left, s.Top, s.Right - 1, s.Bottom - 1}, fill.Pixel, rop2);
    return true;
  }
  if (s.IsEmpty()) return true;
  const auto* penObject = LookupGdiObject<PenObject>(t.Dc->State.Pen);
  const int w = stroke.Width;
  RECT outer, inner;
  if (penObject->Style == PS_INSIDEFRAME) {
    outer = s;
    inner = s.Inflated(-w, -w);
  } else {
    // Wide pens are centred on the one-pixel outline.
    const int before = w / 2, after = w - 1 - before;
    outer = {s.Left - before, s.Top - before, s.Right + after, s.Bottom + after};
    inner = {s.Left + 1 + after, s.Top + 1 + after, s.Right - 1 - before, s.Bottom - 1 - before};
  }
  if (fill.Present && !inner.IsEmpty()) FillSurfaceRect(t, inner, fill.Pixel, rop2);
  if (stroke.DashOn > 0) {
    StrokePath(t, FramePath(s), stroke);
    return true;
  }
  const Region ring = inner.IsEmpty() ? Region(outer) : Region(outer).Subtract(Region(inner));
  FillSurfaceRegion(t, ring, stroke.Pixel, stroke.Rop2);
  return true;
}

bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
  return ShapeOfRoundRect(dc, left, top, right, bottom, 0, 0, true);
}

bool RoundRect(HDC dc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  return ShapeOfRoundRect(dc, left, top, right, bottom, cornerWidth, cornerHeight, false);
}

namespace {

// Scanline fill through pixel centres with the DC's fill mode.
void FillPolygon(const DrawTarget& t, const std::vector<POINT>& pts, uint32_t pixel, int rop2, bool winding) {
  int minY = pts[0].Y, maxY = pts[0].Y;
  for (const POINT& p : pts) {
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  const RECT& clip = t.Clip->Bounds();
  minY = std::max(minY, clip.Top);
  maxY = std::min(maxY, clip.Bottom);
  std::vector<std::pair<double, int>> crossings;  // x, direction
  for (int y = minY; y < maxY; ++y) {
    const double yc = y + 0.5;
    crossings.clear();
    for (std::size_t i = 0; i < pts.size(); ++i) {
      const POINT a = pts[i], b = pts[(i + 1) % pts.size()];
      if ((a.Y <= yc) == (b.Y <= yc)) continue;
      const double x = a.X + (yc - a.Y) * double(b.X - a.X) / double(b.Y - a.Y);
      crossings.emplace_back(x, b.Y > a.Y ? 1 : -1);
    }
    std::sort(crossings.begin(), crossings.end());
    int count = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      count += crossings[i].second;
      const bool inside = winding ? count != 0 : (i % 2) == 0;
      if (!inside) continue;
      const int x0 = int(std::ceil(crossings[i].first - 0.5));
      const int x1 = int(std::ceil(crossings[i + 1].first - 0.5));
      FillSurfaceSpan(t, y, x0, x1, pixel, rop2);
    }
  }
}

}  // namespace

bool Polygon(HDC dc, const POINT* points, int count) {
  DrawTarget t;
  if (!points || count < 2 || !AcquireTarget(dc, t)) return false;
  std::vector<POINT> pts(points, points + count);
  for (POINT& p : pts) p = t.ToSurface(p);
  const Fill fill = BrushOf(t);
  if (fill.Present && count >= 3)
    FillPolygon(t, pts, fill.Pixel, t.Dc->State.Rop2, t.Dc->State.PolyFillMode == WINDING);
  Stroke stroke;
  if (StrokeOfDc(*t.Dc, stroke)) {
    pts.push_back(pts.front());
    StrokePath(t, pts, stroke);
  }
  return true;
}

}  // namespace kora
