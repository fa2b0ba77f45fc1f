#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace kora {

// A set of pixels kept as YX-banded rectangles: sorted by Top then Left, the
// rectangles of one band share Top and Bottom, never touch within a band,
// and vertically adjacent bands with the same spans are merged. The form is
// canonical, so two regions are equal exactly when their lists are.
class Region {
public:
  Region() = default;
  explicit Region(const RECT& r);
  // Any rectangles, overlapping or not; empty ones are ignored.
  static Region FromRects(std::span<const RECT> rects);

  bool IsEmpty() const { return FRects.empty(); }
  const RECT& Bounds() const { return FBounds; }  // all zero when empty
  std::span<const RECT> Rects() const { return FRects; }
  int Type() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION

  bool Contains(int x, int y) const;
  bool Contains(POINT p) const { return Contains(p.X, p.Y); }
  bool Intersects(const RECT& r) const;

  void Clear();
  void SetRect(const RECT& r);
  void Offset(int dx, int dy);

  Region Intersect(const Region& other) const;
  Region Union(const Region& other) const;
  Region Xor(const Region& other) const;
  Region Subtract(const Region& other) const;
  Region Intersect(const RECT& r) const { return Intersect(Region(r)); }
  // mode is RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF or RGN_COPY (a copy of this).
  Region Combine(const Region& other, int mode) const;

  // Calls f(x0, x1) for each run of row y inside [left, right) that belongs
  // to the region, left to right.
  template <class F>
  void ForEachSpan(int y, int left, int right, F&& f) const;
  // Calls f(piece) for each non-empty intersection of area with the
  // region's rectangles, top to bottom.
  template <class F>
  void ForEachRectIn(const RECT& area, F&& f) const;

  friend bool operator==(const Region& a, const Region& b) { return a.FRects == b.FRects; }

private:
  friend class RegionBuilder;
  std::size_t FindBand(int y) const;  // index of the first rectangle of the band holding y, or size()

  std::vector<RECT> FRects;
  RECT FBounds;
};

template <class F>
void Region::ForEachSpan(int y, int left, int right, F&& f) const {
  for (std::size_t i = FindBand(y); i < FRects.size() && FRects[i].Top <= y; ++i) {
    const RECT& r = FRects[i];
    if (r.Left >= right) break;
    const int x0 = r.Left > left ? r.Left : left;
    const int x1 = r.Right < right ? r.Right : right;
    if (x0 < x1) f(x0, x1);
  }
}

template <class F>
void Region::ForEachRectIn(const RECT& area, F&& f) const {
  if (area.IsEmpty()) return;
  for (std::size_t i = FindBand(area.Top); i < FRects.size() && FRects[i].Top < area.Bottom; ++i) {
    const RECT piece = FRects[i].Intersect(area);
    if (!piece.IsEmpty()) f(piece);
  }
}

// ---- Region handles ----------------------------------------------------------

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* r);
// From a rectangle-list data block of byteCount bytes (a 32-byte header with
// dwSize 32 and iType RDH_RECTANGLES, then nCount rectangles). A malformed
// block, a transformation or an inverted rectangle gives null.
HRGN ExtCreateRegion(const XFORM* transform, uint32_t byteCount, const RGNDATA* data);
// dst must exist already. Returns the type of the result, ERROR on failure.
int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
bool PtInRegion(HRGN region, int x, int y);
bool RectInRegion(HRGN region, const RECT* r);
int GetRgnBox(HRGN region, RECT* out);
bool EqualRgn(HRGN a, HRGN b);
bool SetRectRgn(HRGN region, int left, int top, int right, int bottom);
// The data block of the region: with data null returns the size needed;
// otherwise fills it and returns byteCount, or 0 when byteCount is too small.
uint32_t GetRegionData(HRGN region, uint32_t byteCount, RGNDATA* data);

}  // namespace kora
