#include "platform/gdi/IconPainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kora {

namespace {

constexpr int kSamples = 4;  // per pixel and axis

double SegmentDistance(double x, double y, IconPoint a, IconPoint b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((x - a.X) * dx + (y - a.Y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(x - (a.X + t * dx), y - (a.Y + t * dy));
}

float Channel(uint32_t color, int shift) { return float((color >> shift) & 0xFF) / 255.0f; }

uint32_t Mix(uint32_t c0, uint32_t c1, double t) {
  t = std::clamp(t, 0.0, 1.0);
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const double v = double((c0 >> shift) & 0xFF) * (1 - t) + double((c1 >> shift) & 0xFF) * t;
    out |= uint32_t(std::lround(v)) << shift;
  }
  return out;
}

// Points along a quarter arc around (cx, cy), from angle a0 to a0 + 90 degrees.
void AddArc(std::vector<IconPoint>& points, double cx, double cy, double rx, double ry, double a0) {
  constexpr int kSteps = 6;
  for (int i = 0; i <= kSteps; ++i) {
    const double a = a0 + (std::numbers::pi / 2) * i / kSteps;
    points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
}

}  // namespace

IconShape IconShape::Rect(double left, double top, double right, double bottom) {
  return IconShape({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

IconShape IconShape::RoundRect(double left, double top, double right, double bottom, double radius) {
  const double r = std::min({radius, (right - left) / 2, (bottom - top) / 2});
  if (r <= 0) return Rect(left, top, right, bottom);
  std::vector<IconPoint> points;
  const double pi = std::numbers::pi;
  AddArc(points, right - r, top + r, r, r, -pi / 2);
  AddArc(points, right - r, bottom - r, r, r, 0);
  AddArc(points, left + r, bottom - r, r, r, pi / 2);
  AddArc(points, left + r, top + r, r, r, pi);
  return IconShape(std::move(points));
}

IconShape IconShape::Ellipse(double left, double top, double right, double bottom) {
  std::vector<IconPoint> points;
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  const double rx = (right - left) / 2, ry = (bottom - top) / 2;
  for (int q = 0; q < 4; ++q) AddArc(points, cx, cy, rx, ry, q * std::numbers::pi / 2);
  return IconShape(std::move(points));
}

bool IconShape::Contains(double x, double y) const {
  bool inside = false;
  for (size_t i = 0, j = FPoints.size() - 1; i < FPoints.size(); j = i++) {
    const IconPoint& a = FPoints[i];
    const IconPoint& b = FPoints[j];
    if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
  }
  return inside;
}

double IconShape::EdgeDistance(double x, double y) const {
  double best = INFINITY;
  for (size_t i = 0, j = FPoints.size() - 1; i < FPoints.size(); j = i++) {
    best = std::min(best, SegmentDistance(x, y, FPoints[j], FPoints[i]));
  }
  return best;
}

IconPaint SolidPaint(uint32_t color) {
  return [color](double, double) { return color; };
}

IconPaint VerticalGradient(double y0, uint32_t c0, double y1, uint32_t c1) {
  return [=](double, double y) { return Mix(c0, c1, y1 != y0 ? (y - y0) / (y1 - y0) : 0); };
}

IconPaint DiagonalGradient(double x0, double y0, uint32_t c0, double x1, double y1, uint32_t c1) {
  const double dx = x1 - x0, dy = y1 - y0;
  const double length2 = dx * dx + dy * dy;
  return [=](double x, double y) { return Mix(c0, c1, length2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / length2 : 0); };
}

IconPainter::IconPainter(int size) : FSize(size), FPixels(size_t(size) * size_t(size)) {}

template <class Covers>
void IconPainter::Paint(const Covers& covers, const IconPaint& paint) {
  for (int py = 0; py < FSize; ++py) {
    for (int px = 0; px < FSize; ++px) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          hits += covers(px + (sx + 0.5) / kSamples, py + (sy + 0.5) / kSamples);
        }
      }
      if (hits == 0) continue;
      const uint32_t color = paint(px + 0.5, py + 0.5);
      const float a = Channel(color, 24) * float(hits) / float(kSamples * kSamples);
      Rgba& d = FPixels[size_t(py) * size_t(FSize) + size_t(px)];
      d.R = Channel(color, 16) * a + d.R * (1 - a);
      d.G = Channel(color, 8) * a + d.G * (1 - a);
      d.B = Channel(color, 0) * a + d.B * (1 - a);
      d.A = a + d.A * (1 - a);
    }
  }
}

void IconPainter::Fill(const IconShape& shape, const IconPaint& paint) {
  Paint([&](double x, double y) { return shape.Contains(x, y); }, paint);
}

void IconPainter::Border(const IconShape& shape, uint32_t color, double width) {
  Paint([&](double x, double y) { return shape.Contains(x, y) && shape.EdgeDistance(x, y) < width; },
        SolidPaint(color));
}

std::vector<uint32_t> IconPainter::Pixels() const {
  std::vector<uint32_t> out;
  out.reserve(FPixels.size());
  for (const Rgba& p : FPixels) {
    if (p.A <= 0) {
      out.push_back(0);
      continue;
    }
    const auto byte = [&](float premultiplied) {
      return uint32_t(std::lround(std::clamp(premultiplied / p.A, 0.0f, 1.0f) * 255));
    };
    out.push_back(uint32_t(std::lround(std::clamp(p.A, 0.0f, 1.0f) * 255)) << 24 | byte(p.R) << 16 | byte(p.G) << 8 |
                  byte(p.B));
  }
  return out;
}

}  // namespace kora
