#pragma once

#include <algorithm>
#include <cstdint>

namespace kora {

struct POINT {
  int32_t X = 0;
  int32_t Y = 0;

  constexpr POINT Offsetted(int32_t dx, int32_t dy) const { return {X + dx, Y + dy}; }
  friend constexpr POINT operator+(POINT a, POINT b) { return {a.X + b.X, a.Y + b.Y}; }
  friend constexpr POINT operator-(POINT a, POINT b) { return {a.X - b.X, a.Y - b.Y}; }
  friend constexpr bool operator==(POINT, POINT) = default;
};

struct SIZE {
  int32_t cx = 0;
  int32_t cy = 0;
  friend constexpr bool operator==(SIZE, SIZE) = default;
};

// Right and Bottom are exclusive: (0, 0, 2, 2) covers four pixels.
struct RECT {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  static constexpr RECT FromSize(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }

  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr POINT TopLeft() const { return {Left, Top}; }
  constexpr POINT BottomRight() const { return {Right, Bottom}; }
  constexpr bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  constexpr bool Contains(POINT p) const { return Contains(p.X, p.Y); }
  // True when every pixel of r (non-empty) lies in this rectangle.
  constexpr bool Contains(const RECT& r) const {
    return !r.IsEmpty() && r.Left >= Left && r.Right <= Right && r.Top >= Top && r.Bottom <= Bottom;
  }
  constexpr bool Intersects(const RECT& r) const {
    return !IsEmpty() && !r.IsEmpty() && r.Left < Right && Left < r.Right && r.Top < Bottom && Top < r.Bottom;
  }

  constexpr RECT& Offset(int32_t dx, int32_t dy) {
    Left += dx;
    Right += dx;
    Top += dy;
    Bottom += dy;
    return *this;
  }
  constexpr RECT Offsetted(int32_t dx, int32_t dy) const { return RECT(*this).Offset(dx, dy); }
  constexpr RECT& Inflate(int32_t dx, int32_t dy) {
    Left -= dx;
    Right += dx;
    Top -= dy;
    Bottom += dy;
    return *this;
  }
  constexpr RECT Inflated(int32_t dx, int32_t dy) const { return RECT(*this).Inflate(dx, dy); }
  // The common area, or the all-zero rectangle when there is none.
  constexpr RECT Intersect(const RECT& r) const {
    RECT out{std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right), std::min(Bottom, r.Bottom)};
    return out.IsEmpty() ? RECT{} : out;
  }
  // The bounding rectangle; an empty operand does not count.
  constexpr RECT Union(const RECT& r) const {
    if (r.IsEmpty()) return IsEmpty() ? RECT{} : *this;
    if (IsEmpty()) return r;
    return {std::min(Left, r.Left), std::min(Top, r.Top), std::max(Right, r.Right), std::max(Bottom, r.Bottom)};
  }
  // Left <= Right and Top <= Bottom, swapping where needed.
  constexpr RECT Normalized() const {
    return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
  }

  friend constexpr bool operator==(const RECT&, const RECT&) = default;
};

// The classic helpers; pointer arguments may be null, which fails.
bool SetRect(RECT* r, int32_t left, int32_t top, int32_t right, int32_t bottom);
bool OffsetRect(RECT* r, int32_t dx, int32_t dy);
bool InflateRect(RECT* r, int32_t dx, int32_t dy);
// Stores the common area (all zero when none) and returns whether it is non-empty.
bool IntersectRect(RECT* dst, const RECT* a, const RECT* b);
// Stores the bounding rectangle of the non-empty operands; false when both are empty.
bool UnionRect(RECT* dst, const RECT* a, const RECT* b);
// Stores a minus b when b removes a whole side of a, else a; returns whether the result is non-empty.
bool SubtractRect(RECT* dst, const RECT* a, const RECT* b);
// Right and bottom edges excluded.
bool PtInRect(const RECT* r, POINT p);
bool IsRectEmpty(const RECT* r);

}  // namespace kora
