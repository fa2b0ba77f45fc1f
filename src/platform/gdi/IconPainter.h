#pragma once
// A tiny anti-aliased painter for the shell's icons (platform-internal).
// Shapes are polygons in pixel units, pixel (i, j) covering [i, i+1) x
// [j, j+1); each pixel is sampled 4 x 4 times and painted over what is
// there. Edges on whole pixel boundaries come out crisp, slanted ones soft.

#include <cstdint>
#include <functional>
#include <vector>

namespace kora {

struct IconPoint {
  double X = 0;
  double Y = 0;
};

// Filled with the even-odd rule.
class IconShape {
public:
  explicit IconShape(std::vector<IconPoint> points) : FPoints(std::move(points)) {}
  static IconShape Rect(double left, double top, double right, double bottom);
  static IconShape RoundRect(double left, double top, double right, double bottom, double radius);
  static IconShape Ellipse(double left, double top, double right, double bottom);

  bool Contains(double x, double y) const;
  // Distance from a point to the nearest edge.
  double EdgeDistance(double x, double y) const;

private:
  std::vector<IconPoint> FPoints;
};

// A colour 0xAARRGGBB (straight alpha) for a point.
using IconPaint = std::function<uint32_t(double x, double y)>;
IconPaint SolidPaint(uint32_t color);
// From c0 at y0 to c1 at y1, clamped outside.
IconPaint VerticalGradient(double y0, uint32_t c0, double y1, uint32_t c1);
// From c0 at the top-left corner (x0, y0) to c1 at (x1, y1), along that diagonal.
IconPaint DiagonalGradient(double x0, double y0, uint32_t c0, double x1, double y1, uint32_t c1);

class IconPainter {
public:
  explicit IconPainter(int size);

  void Fill(const IconShape& shape, const IconPaint& paint);
  void Fill(const IconShape& shape, uint32_t color) { Fill(shape, SolidPaint(color)); }
  // The band of the given width just inside the shape's edge: a 1-px
  // outline on a rectangle with whole-pixel edges.
  void Border(const IconShape& shape, uint32_t color, double width = 1);

  // Straight-alpha 0xAARRGGBB pixels, rows top-down.
  std::vector<uint32_t> Pixels() const;

private:
  template <class Covers>
  void Paint(const Covers& covers, const IconPaint& paint);

  struct Rgba {
    float R = 0, G = 0, B = 0, A = 0;  // premultiplied
  };
  int FSize;
  std::vector<Rgba> FPixels;
};

}  // namespace kora
