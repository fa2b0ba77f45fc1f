#include "platform/gdi/Raster.h"

#include <cmath>
#include <cstdlib>

namespace kora {

namespace {

void FillRowPiece(uint32_t* row, int x0, int x1, uint32_t pixel, int rop2) {
  if (rop2 == R2_COPYPEN) {
    std::fill(row + x0, row + x1, pixel);
    return;
  }
  for (int x = x0; x < x1; ++x) row[x] = Mix(rop2, pixel, row[x]);
}

bool Visible(const DrawTarget& t, int x, int y) {
  const auto rects = t.Clip->Rects();
  if (rects.size() == 1) return rects[0].Contains(x, y);
  return t.Clip->Contains(x, y);
}

}  // namespace

void FillSurfaceRect(const DrawTarget& t, const RECT& r, uint32_t pixel, int rop2) {
  if (rop2 == R2_NOP) return;
  t.Clip->ForEachRectIn(r, [&](const RECT& piece) {
    for (int y = piece.Top; y < piece.Bottom; ++y) FillRowPiece(t.Row(y), piece.Left, piece.Right, pixel, rop2);
  });
}

void FillSurfaceRegion(const DrawTarget& t, const Region& shape, uint32_t pixel, int rop2) {
  for (const RECT& r : shape.Rects()) FillSurfaceRect(t, r, pixel, rop2);
}

void FillSurfaceSpan(const DrawTarget& t, int y, int x0, int x1, uint32_t pixel, int rop2) {
  if (x0 >= x1 || rop2 == R2_NOP) return;
  uint32_t* row = nullptr;
  t.Clip->ForEachSpan(y, x0, x1, [&](int a, int b) {
    if (!row) row = t.Row(y);
    FillRowPiece(row, a, b, pixel, rop2);
  });
}

void PlotPixel(const DrawTarget& t, int x, int y, uint32_t pixel, int rop2) {
  if (!Visible(t, x, y)) return;
  uint32_t& p = t.Row(y)[x];
  p = Mix(rop2, pixel, p);
}

bool StrokeOfDc(const DeviceContext& dc, Stroke& stroke) {
  const auto* pen = LookupGdiObject<PenObject>(dc.State.Pen);
  if (!pen || pen->Style == PS_NULL) return false;
  stroke = Stroke();
  stroke.Pixel = ToPixel(pen->Color);
  stroke.Width = pen->Width;
  stroke.Rop2 = dc.State.Rop2;
  // Dashes exist only for one-pixel pens, as in the classic cosmetic pens.
  if (pen->Width == 1 && pen->Style == PS_DOT) stroke.DashOn = stroke.DashOff = 3;
  if (pen->Width == 1 && pen->Style == PS_DASH) {
    stroke.DashOn = 18;
    stroke.DashOff = 6;
  }
  stroke.FillGaps = dc.State.BkMode == OPAQUE;
  stroke.GapPixel = ToPixel(dc.State.BkColor);
  return true;
}

namespace {

// Bresenham from a to b, b excluded; f returns false to stop early.
template <class F>
void WalkLine(POINT a, POINT b, F&& f) {
  const int64_t dx = std::abs(int64_t(b.X) - a.X), dy = -std::abs(int64_t(b.Y) - a.Y);
  const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
  int64_t err = dx + dy;
  int x = a.X, y = a.Y;
  while ((x != b.X || y != b.Y) && f(x, y)) {
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

// Lines longer than this start where they enter the drawable box instead of
// being walked from far away; shorter ones are walked whole, so clipping
// never moves one of their pixels.
constexpr int64_t LONG_LINE = 1 << 15;

int64_t Steps(POINT a, POINT b) { return std::max(std::abs(int64_t(b.X) - a.X), std::abs(int64_t(b.Y) - a.Y)); }

// Moves a to where the segment a-b enters box; false when it misses the box.
bool EnterBox(POINT& a, POINT b, const RECT& box) {
  double t0 = 0, t1 = 1;
  const double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
  const auto edge = [&](double p, double q) {
    if (p == 0) return q >= 0;
    const double r = q / p;
    if (p < 0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
    return t0 <= t1;
  };
  if (!edge(-dx, a.X - box.Left) || !edge(dx, box.Right - 1 - a.X) || !edge(-dy, a.Y - box.Top) ||
      !edge(dy, box.Bottom - 1 - a.Y))
    return false;
  a = {int(std::lround(a.X + t0 * dx)), int(std::lround(a.Y + t0 * dy))};
  return true;
}

// Walks the part of a-b that can touch box (the clip grown by the pen),
// stopping once the line has left it for good. skip(n) hears of the points
// passed over, in order, so dash patterns keep their phase.
template <class Skip, class F>
void WalkVisible(POINT a, POINT b, const RECT& box, Skip&& skip, F&& f) {
  if (box.IsEmpty()) return skip(Steps(a, b));
  if (Steps(a, b) > LONG_LINE) {
    const POINT from = a;
    if (!EnterBox(a, b, box)) return skip(Steps(from, b));
    skip(Steps(from, a));
  }
  const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
  bool left = false;
  POINT exit;
  WalkLine(a, b, [&](int x, int y) {
    if ((sx > 0 ? x >= box.Right : x < box.Left) || (sy > 0 ? y >= box.Bottom : y < box.Top)) {
      left = true;
      exit = {x, y};
      return false;
    }
    f(x, y);
    return true;
  });
  if (left) skip(Steps(exit, b));
}

void NoSkip(int64_t) {}

// Wide pens stamp a square at every point; the stamps are united first so
// that mixing modes touch every pixel once.
void CollectStamps(POINT a, POINT b, int width, const RECT& box, std::vector<RECT>& stamps) {
  const int before = width / 2, after = width - before;
  WalkVisible(a, b, box, NoSkip, [&](int x, int y) {
    if (box.Contains(x, y)) stamps.push_back({x - before, y - before, x + after, y + after});
  });
}

RECT StrokeBox(const DrawTarget& t, const Stroke& stroke) {
  return t.Clip->IsEmpty() ? RECT{} : t.Clip->Bounds().Inflated(stroke.Width, stroke.Width);
}

}  // namespace

void StrokeLine(const DrawTarget& t, POINT start, POINT end, const Stroke& stroke, int* phase) {
  const RECT box = StrokeBox(t, stroke);
  if (stroke.Width > 1) {
    std::vector<RECT> stamps;
    CollectStamps(start, end, stroke.Width, box, stamps);
    FillSurfaceRegion(t, Region::FromRects(stamps), stroke.Pixel, stroke.Rop2);
    return;
  }
  if (stroke.DashOn == 0) {
    WalkVisible(start, end, box, NoSkip, [&](int x, int y) { PlotPixel(t, x, y, stroke.Pixel, stroke.Rop2); });
    return;
  }
  const int period = stroke.DashOn + stroke.DashOff;
  const auto skip = [&](int64_t n) { *phase = int((*phase + n) % period); };
  WalkVisible(start, end, box, skip, [&](int x, int y) {
    const bool on = *phase < stroke.DashOn;
    *phase = (*phase + 1) % period;
    if (on)
      PlotPixel(t, x, y, stroke.Pixel, stroke.Rop2);
    else if (stroke.FillGaps)
      PlotPixel(t, x, y, stroke.GapPixel, stroke.Rop2);
  });
}

void StrokePath(const DrawTarget& t, const std::vector<POINT>& path, const Stroke& stroke) {
  if (path.size() < 2) return;
  if (stroke.Width > 1) {
    const RECT box = StrokeBox(t, stroke);
    std::vector<RECT> stamps;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) CollectStamps(path[i], path[i + 1], stroke.Width, box, stamps);
    FillSurfaceRegion(t, Region::FromRects(stamps), stroke.Pixel, stroke.Rop2);
    return;
  }
  int phase = 0;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) StrokeLine(t, path[i], path[i + 1], stroke, &phase);
}

RowSpans RoundRectSpans(const RECT& box, int cornerWidth, int cornerHeight, int top, int bottom) {
  RowSpans out;
  const int w = box.Width(), h = box.Height();
  const int first = std::max(top, box.Top) - box.Top, last = std::min(bottom, box.Bottom) - box.Top;
  out.Top = box.Top + first;
  if (w <= 0 || h <= 0 || first >= last) return out;
  const double rx = std::min(std::abs(cornerWidth), w) / 2.0;
  const double ry = std::min(std::abs(cornerHeight), h) / 2.0;
  out.Rows.resize(std::size_t(last - first));
  for (int y = first; y < last; ++y) {
    const double yc = y + 0.5;
    double dy = 0;
    if (yc < ry)
      dy = ry - yc;
    else if (yc > h - ry)
      dy = yc - (h - ry);
    int inset = 0;
    if (dy > 0 && rx > 0) {
      const double q = dy / ry;
      // A pixel is in when its centre is: x + 0.5 >= rx - half.
      const double half = rx * std::sqrt(std::max(0.0, 1 - q * q));
      inset = int(std::ceil(rx - half - 0.5 - 1e-9));
      inset = std::max(inset, 0);
    }
    out.Rows[std::size_t(y - first)] = {box.Left + inset, box.Right - inset};
  }
  return out;
}

// A pixel stays when the pixels up to width away along its row and column
// are all in the shape: outlines come out one pen wide and 8-connected.
RowSpans ErodeSpans(const RowSpans& shape, int width) {
  RowSpans out;
  out.Top = shape.Top;
  const int n = int(shape.Rows.size());
  out.Rows.assign(shape.Rows.size(), {0, 0});
  for (int y = width; y + width < n; ++y) {
    const auto [l, r] = shape.Rows[std::size_t(y)];
    int left = l + width, right = r - width;
    for (int k = y - width; k <= y + width; ++k) {
      left = std::max(left, shape.Rows[std::size_t(k)].first);
      right = std::min(right, shape.Rows[std::size_t(k)].second);
    }
    if (left < right) out.Rows[std::size_t(y)] = {left, right};
  }
  return out;
}

void FillSpans(const DrawTarget& t, const RowSpans& shape, uint32_t pixel, int rop2) {
  for (std::size_t i = 0; i < shape.Rows.size(); ++i)
    FillSurfaceSpan(t, shape.Top + int(i), shape.Rows[i].first, shape.Rows[i].second, pixel, rop2);
}

void FillSpansOutside(const DrawTarget& t, const RowSpans& shape, const RowSpans& inner, uint32_t pixel, int rop2) {
  for (std::size_t i = 0; i < shape.Rows.size(); ++i) {
    const auto [a, b] = shape.Rows[i];
    const auto [c, d] = inner.Rows[i];
    const int y = shape.Top + int(i);
    if (c >= d) {
      FillSurfaceSpan(t, y, a, b, pixel, rop2);
    } else {
      FillSurfaceSpan(t, y, a, std::min(c, b), pixel, rop2);
      FillSurfaceSpan(t, y, std::max(d, a), b, pixel, rop2);
    }
  }
}

}  // namespace kora
