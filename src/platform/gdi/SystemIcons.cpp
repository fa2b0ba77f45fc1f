// The standard icons as layered vector shapes in a unit square, rendered
// with supersampled coverage so every size gets clean anti-aliased edges.

#include "platform/gdi/SystemIcons.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "platform/gdi/GdiTypes.h"

namespace kora {

namespace {

struct Colour {
  double R, G, B, A = 1.0;
};

// A solid colour, or a vertical gradient from Top (at y = Y0) to Bottom (at y = Y1).
struct Paint {
  Colour Top;
  Colour Bottom;
  double Y0 = 0;
  double Y1 = 1;
  Colour At(double y) const {
    const double t = std::clamp((y - Y0) / (Y1 - Y0), 0.0, 1.0);
    return {Top.R + (Bottom.R - Top.R) * t, Top.G + (Bottom.G - Top.G) * t, Top.B + (Bottom.B - Top.B) * t,
            Top.A + (Bottom.A - Top.A) * t};
  }
};
Paint Solid(Colour c) { return {c, c}; }
Paint Gradient(Colour top, Colour bottom, double y0, double y1) { return {top, bottom, y0, y1}; }

using Inside = std::function<bool(double, double)>;

struct Layer {
  Inside Shape;
  Paint Fill;
};

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double len = dx * dx + dy * dy;
  const double t = len > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len, 0.0, 1.0) : 0.0;
  return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

Inside Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Inside Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1;
  };
}

// A stroke with round ends.
Inside Capsule(double ax, double ay, double bx, double by, double r) {
  return [=](double x, double y) { return SegmentDistance(x, y, ax, ay, bx, by) <= r; };
}

// A stroke that narrows from ra at a to rb at b (the "!" stem).
Inside Taper(double ax, double ay, double bx, double by, double ra, double rb) {
  return [=](double x, double y) {
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(x - ax - t * dx, y - ay - t * dy) <= ra + (rb - ra) * t;
  };
}

// Points within r of a triangle: a triangle with round corners.
Inside RoundTriangle(double ax, double ay, double bx, double by, double cx, double cy, double r) {
  return [=](double x, double y) {
    const auto side = [&](double x0, double y0, double x1, double y1) {
      return (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0);
    };
    const double s1 = side(ax, ay, bx, by), s2 = side(bx, by, cx, cy), s3 = side(cx, cy, ax, ay);
    if ((s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0)) return true;
    const double d = std::min({SegmentDistance(x, y, ax, ay, bx, by), SegmentDistance(x, y, bx, by, cx, cy),
                               SegmentDistance(x, y, cx, cy, ax, ay)});
    return d <= r;
  };
}

// An arc of a ring from angle `from` clockwise (y points down) to `to`, in degrees, with round ends.
Inside Arc(double cx, double cy, double radius, double halfWidth, double from, double to) {
  const double pi = 3.14159265358979323846;
  const double ax = cx + radius * std::cos(from * pi / 180), ay = cy + radius * std::sin(from * pi / 180);
  const double bx = cx + radius * std::cos(to * pi / 180), by = cy + radius * std::sin(to * pi / 180);
  return [=](double x, double y) {
    if (std::hypot(x - ax, y - ay) <= halfWidth || std::hypot(x - bx, y - by) <= halfWidth) return true;
    if (std::abs(std::hypot(x - cx, y - cy) - radius) > halfWidth) return false;
    double a = std::atan2(y - cy, x - cx) * 180 / pi;
    while (a < from) a += 360;
    return a <= to;
  };
}

Inside Box(double left, double top, double right, double bottom) {
  return [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; };
}

Colour Rgb(int r, int g, int b, double a = 1.0) { return {r / 255.0, g / 255.0, b / 255.0, a}; }

// A round badge: soft shadow, dark rim, gradient body and a faint gloss.
void Badge(std::vector<Layer>& layers, double px, Colour light, Colour dark, Colour rim) {
  layers.push_back({Circle(0.5, 0.53, 0.455), Solid(Rgb(0, 0, 0, 0.18))});
  layers.push_back({Circle(0.5, 0.5, 0.45), Solid(rim)});
  layers.push_back({Circle(0.5, 0.5, 0.45 - std::max(px, 1.0 / 32)), Gradient(light, dark, 0.1, 0.9)});
  layers.push_back(
      {Ellipse(0.5, 0.3, 0.3, 0.17), Gradient(Rgb(255, 255, 255, 0.32), Rgb(255, 255, 255, 0.0), 0.13, 0.45)});
}

std::vector<Layer> IconLayers(int id, int size) {
  const double px = 1.0 / size;
  const Colour white = Rgb(255, 255, 255);
  std::vector<Layer> layers;
  switch (id) {
    case IDI_INFORMATION:
      Badge(layers, px, Rgb(92, 160, 245), Rgb(22, 82, 196), Rgb(16, 60, 150));
      layers.push_back({Circle(0.5, 0.28, 0.072), Solid(white)});
      layers.push_back({Capsule(0.5, 0.45, 0.5, 0.74, 0.062), Solid(white)});
      break;
    case IDI_QUESTION:
      Badge(layers, px, Rgb(92, 160, 245), Rgb(22, 82, 196), Rgb(16, 60, 150));
      layers.push_back({Arc(0.5, 0.385, 0.135, 0.058, 165, 445), Solid(white)});
      layers.push_back({Capsule(0.5 + 0.135 * std::cos(445 * 3.14159265358979 / 180),
                                0.385 + 0.135 * std::sin(445 * 3.14159265358979 / 180), 0.5, 0.6, 0.058),
                        Solid(white)});
      layers.push_back({Circle(0.5, 0.75, 0.066), Solid(white)});
      break;
    case IDI_ERROR:
      Badge(layers, px, Rgb(244, 98, 86), Rgb(196, 32, 28), Rgb(140, 18, 16));
      layers.push_back({Capsule(0.335, 0.335, 0.665, 0.665, 0.068), Solid(white)});
      layers.push_back({Capsule(0.665, 0.335, 0.335, 0.665, 0.068), Solid(white)});
      break;
    case IDI_WARNING: {
      const double r = 0.075;
      layers.push_back({RoundTriangle(0.5, 0.15, 0.885, 0.84, 0.115, 0.84, r + 0.01), Solid(Rgb(0, 0, 0, 0.16))});
      layers.push_back({RoundTriangle(0.5, 0.13, 0.885, 0.82, 0.115, 0.82, r), Solid(Rgb(176, 122, 0))});
      layers.push_back({RoundTriangle(0.5, 0.13, 0.885, 0.82, 0.115, 0.82, r - std::max(px, 1.0 / 32)),
                        Gradient(Rgb(255, 226, 92), Rgb(244, 178, 20), 0.1, 0.9)});
      // A dark mark reads far better on yellow than a white one.
      const Colour mark = Rgb(38, 38, 38);
      layers.push_back({Taper(0.5, 0.36, 0.5, 0.62, 0.062, 0.042), Solid(mark)});
      layers.push_back({Circle(0.5, 0.735, 0.058), Solid(mark)});
      break;
    }
    case IDI_APPLICATION:
      layers.push_back({Box(3 / 32.0, 6 / 32.0, 30 / 32.0, 28 / 32.0), Solid(Rgb(0, 0, 0, 0.18))});
      layers.push_back({Box(2 / 32.0, 5 / 32.0, 29 / 32.0, 27 / 32.0), Solid(Rgb(92, 100, 116))});
      layers.push_back({Box(3 / 32.0, 6 / 32.0, 28 / 32.0, 26 / 32.0), Gradient(white, Rgb(226, 230, 238), 0.3, 0.85)});
      layers.push_back(
          {Box(3 / 32.0, 6 / 32.0, 28 / 32.0, 10 / 32.0), Gradient(Rgb(70, 130, 225), Rgb(26, 72, 170), 0.19, 0.31)});
      break;
    default: break;
  }
  return layers;
}

}  // namespace

bool IsSystemIconId(int id) {
  return id == IDI_APPLICATION || id == IDI_ERROR || id == IDI_QUESTION || id == IDI_WARNING || id == IDI_INFORMATION;
}

std::vector<uint32_t> RenderSystemIcon(int id, int size) {
  if (!IsSystemIconId(id) || size <= 0) return {};
  const std::vector<Layer> layers = IconLayers(id, size);
  const int n = size <= 64 ? 8 : 4;  // samples per axis
  std::vector<uint32_t> out(std::size_t(size) * std::size_t(size));
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // Premultiplied accumulation, one layer over the other.
      double r = 0, g = 0, b = 0, a = 0;
      for (const Layer& layer : layers) {
        int hits = 0;
        for (int j = 0; j < n; ++j)
          for (int i = 0; i < n; ++i) hits += layer.Shape((x + (i + 0.5) / n) / size, (y + (j + 0.5) / n) / size);
        if (hits == 0) continue;
        const Colour c = layer.Fill.At((y + 0.5) / size);
        const double la = c.A * hits / (n * n);
        r = c.R * la + r * (1 - la);
        g = c.G * la + g * (1 - la);
        b = c.B * la + b * (1 - la);
        a = la + a * (1 - la);
      }
      if (a <= 0) continue;
      const auto channel = [a](double v) { return uint32_t(std::lround(std::clamp(v / a, 0.0, 1.0) * 255)); };
      out[std::size_t(y) * std::size_t(size) + std::size_t(x)] =
          uint32_t(std::lround(a * 255)) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
    }
  }
  return out;
}

}  // namespace kora
