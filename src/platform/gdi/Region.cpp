#include "platform/gdi/Region.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace kora {

namespace {

using Span = std::pair<int, int>;  // [first, second)
using Spans = std::vector<Span>;

// Merges two sorted span lists of one band, keeping x where keep(inA, inB).
template <class Keep>
void MergeSpans(const Spans& a, const Spans& b, Keep keep, Spans& out) {
  out.clear();
  std::size_t i = 0, j = 0;
  bool inA = false, inB = false, current = false;
  int start = 0;
  for (;;) {
    const int xa = i < a.size() ? (inA ? a[i].second : a[i].first) : INT_MAX;
    const int xb = j < b.size() ? (inB ? b[j].second : b[j].first) : INT_MAX;
    const int x = std::min(xa, xb);
    if (x == INT_MAX) break;
    if (xa == x) {
      if (inA) ++i;
      inA = !inA;
    }
    if (xb == x) {
      if (inB) ++j;
      inB = !inB;
    }
    const bool now = keep(inA, inB);
    if (now == current) continue;
    if (now)
      start = x;
    else
      out.emplace_back(start, x);
    current = now;
  }
}

}  // namespace

// Appends bands top to bottom and merges a band into the one above when they
// touch and have the same spans, which keeps the list canonical.
class RegionBuilder {
public:
  void AddBand(int top, int bottom, const Spans& spans) {
    if (spans.empty() || top >= bottom) return;
    if (FHasBand && FRects.back().Bottom == top && SameAsLastBand(spans)) {
      for (std::size_t i = FLastBand; i < FRects.size(); ++i) FRects[i].Bottom = bottom;
      return;
    }
    FLastBand = FRects.size();
    FHasBand = true;
    for (const Span& s : spans) FRects.push_back({s.first, top, s.second, bottom});
  }

  Region Finish() {
    Region out;
    out.FRects = std::move(FRects);
    if (!out.FRects.empty()) {
      RECT b{INT_MAX, out.FRects.front().Top, INT_MIN, out.FRects.back().Bottom};
      for (const RECT& r : out.FRects) {
        b.Left = std::min(b.Left, r.Left);
        b.Right = std::max(b.Right, r.Right);
      }
      out.FBounds = b;
    }
    return out;
  }

private:
  bool SameAsLastBand(const Spans& spans) const {
    if (FRects.size() - FLastBand != spans.size()) return false;
    for (std::size_t i = 0; i < spans.size(); ++i) {
      const RECT& r = FRects[FLastBand + i];
      if (r.Left != spans[i].first || r.Right != spans[i].second) return false;
    }
    return true;
  }

  std::vector<RECT> FRects;
  std::size_t FLastBand = 0;
  bool FHasBand = false;
};

namespace {

// The end of the band starting at index i.
std::size_t BandEnd(std::span<const RECT> rects, std::size_t i) {
  const int top = rects[i].Top;
  std::size_t j = i + 1;
  while (j < rects.size() && rects[j].Top == top) ++j;
  return j;
}

void BandSpans(std::span<const RECT> rects, std::size_t begin, std::size_t end, Spans& out) {
  out.clear();
  for (std::size_t k = begin; k < end; ++k) out.emplace_back(rects[k].Left, rects[k].Right);
}

template <class Keep>
Region CombineBands(std::span<const RECT> a, std::span<const RECT> b, Keep keep) {
  RegionBuilder builder;
  Spans spansA, spansB, merged;
  std::size_t ia = 0, ib = 0;
  int y = INT_MIN;
  while (ia < a.size() || ib < b.size()) {
    const int aTop = ia < a.size() ? a[ia].Top : INT_MAX;
    const int bTop = ib < b.size() ? b[ib].Top : INT_MAX;
    y = std::max(y, std::min(aTop, bTop));
    const bool aIn = aTop <= y;
    const bool bIn = bTop <= y;
    const int aNext = aIn ? a[ia].Bottom : aTop;
    const int bNext = bIn ? b[ib].Bottom : bTop;
    const int next = std::min(aNext, bNext);
    const std::size_t aEnd = aIn ? BandEnd(a, ia) : ia;
    const std::size_t bEnd = bIn ? BandEnd(b, ib) : ib;
    BandSpans(a, ia, aEnd, spansA);
    BandSpans(b, ib, bEnd, spansB);
    MergeSpans(spansA, spansB, keep, merged);
    builder.AddBand(y, next, merged);
    y = next;
    if (aIn && next == a[ia].Bottom) ia = aEnd;
    if (bIn && next == b[ib].Bottom) ib = bEnd;
  }
  return builder.Finish();
}

// Rectangles that already come in band order (rows of a mask, a region's own
// data) need no sweep: each band's spans are sorted and merged in one pass.
bool TryBuildBanded(std::span<const RECT> rects, RegionBuilder& builder) {
  Spans spans;
  int top = 0, bottom = 0;
  bool open = false;
  for (const RECT& r : rects) {
    if (open && r.Top == top && r.Bottom == bottom) {
      if (r.Left < spans.back().first) return false;
      if (r.Left <= spans.back().second)
        spans.back().second = std::max(spans.back().second, r.Right);
      else
        spans.emplace_back(r.Left, r.Right);
      continue;
    }
    if (open) {
      if (r.Top < bottom) return false;
      builder.AddBand(top, bottom, spans);
    }
    spans.assign(1, Span(r.Left, r.Right));
    top = r.Top;
    bottom = r.Bottom;
    open = true;
  }
  if (open) builder.AddBand(top, bottom, spans);
  return true;
}

// Unites halves recursively: each union is a linear merge of two banded
// lists, so the cost follows the size of the result rather than the number
// of overlaps.
Region UniteRange(std::span<const RECT> rects) {
  if (rects.size() == 1) return Region(rects[0]);
  const std::size_t half = rects.size() / 2;
  return UniteRange(rects.first(half)).Union(UniteRange(rects.subspan(half)));
}

// A sweep over the distinct y edges, fastest for the usual inputs (runs,
// a few overlapping rectangles). When many tall rectangles stay active
// across many bands it hands over to the recursive union.
Region SweepRects(std::vector<RECT> rects) {
  std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.Top < b.Top; });
  std::vector<int> ys;
  ys.reserve(rects.size() * 2);
  for (const RECT& r : rects) {
    ys.push_back(r.Top);
    ys.push_back(r.Bottom);
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  RegionBuilder builder;
  std::vector<const RECT*> active;
  Spans spans, merged;
  std::size_t next = 0;
  const std::size_t budget = 16 * rects.size() + (std::size_t(1) << 20);
  std::size_t work = 0;
  for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
    const int y0 = ys[k], y1 = ys[k + 1];
    while (next < rects.size() && rects[next].Top <= y0) active.push_back(&rects[next++]);
    std::erase_if(active, [y0](const RECT* r) { return r->Bottom <= y0; });
    if (active.empty()) continue;
    work += active.size();
    if (work > budget) return UniteRange(rects);
    spans.clear();
    for (const RECT* r : active) spans.emplace_back(r->Left, r->Right);
    std::sort(spans.begin(), spans.end());
    merged.clear();
    for (const Span& s : spans) {
      if (!merged.empty() && s.first <= merged.back().second)
        merged.back().second = std::max(merged.back().second, s.second);
      else
        merged.push_back(s);
    }
    builder.AddBand(y0, y1, merged);
  }
  return builder.Finish();
}

}  // namespace

Region::Region(const RECT& r) { SetRect(r); }

Region Region::FromRects(std::span<const RECT> rects) {
  std::vector<RECT> kept;
  kept.reserve(rects.size());
  for (const RECT& r : rects)
    if (!r.IsEmpty()) kept.push_back(r);
  RegionBuilder banded;
  if (TryBuildBanded(kept, banded)) return banded.Finish();
  return SweepRects(std::move(kept));
}

int Region::Type() const {
  if (FRects.empty()) return NULLREGION;
  return FRects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::size_t Region::FindBand(int y) const {
  const auto it =
      std::upper_bound(FRects.begin(), FRects.end(), y, [](int value, const RECT& r) { return value < r.Bottom; });
  return std::size_t(it - FRects.begin());
}

bool Region::Contains(int x, int y) const {
  if (!FBounds.Contains(x, y)) return false;
  for (std::size_t i = FindBand(y); i < FRects.size() && FRects[i].Top <= y; ++i) {
    if (x < FRects[i].Left) return false;
    if (x < FRects[i].Right) return true;
  }
  return false;
}

bool Region::Intersects(const RECT& r) const {
  if (!FBounds.Intersects(r)) return false;
  bool found = false;
  ForEachRectIn(r, [&found](const RECT&) { found = true; });
  return found;
}

void Region::Clear() {
  FRects.clear();
  FBounds = {};
}

void Region::SetRect(const RECT& r) {
  FRects.clear();
  FBounds = {};
  if (r.IsEmpty()) return;
  FRects.push_back(r);
  FBounds = r;
}

void Region::Offset(int dx, int dy) {
  if (FRects.empty()) return;
  for (RECT& r : FRects) r.Offset(dx, dy);
  FBounds.Offset(dx, dy);
}

Region Region::Intersect(const Region& other) const {
  if (!FBounds.Intersects(other.FBounds)) return Region();
  if (FRects.size() == 1 && FBounds.Contains(other.FBounds)) return other;
  if (other.FRects.size() == 1 && other.FBounds.Contains(FBounds)) return *this;
  return CombineBands(FRects, other.FRects, [](bool a, bool b) { return a && b; });
}

Region Region::Union(const Region& other) const {
  if (other.IsEmpty()) return *this;
  if (IsEmpty()) return other;
  if (FRects.size() == 1 && FBounds.Contains(other.FBounds)) return *this;
  if (other.FRects.size() == 1 && other.FBounds.Contains(FBounds)) return other;
  return CombineBands(FRects, other.FRects, [](bool a, bool b) { return a || b; });
}

Region Region::Xor(const Region& other) const {
  return CombineBands(FRects, other.FRects, [](bool a, bool b) { return a != b; });
}

Region Region::Subtract(const Region& other) const {
  if (!FBounds.Intersects(other.FBounds)) return *this;
  return CombineBands(FRects, other.FRects, [](bool a, bool b) { return a && !b; });
}

Region Region::Combine(const Region& other, int mode) const {
  switch (mode) {
    case RGN_AND: return Intersect(other);
    case RGN_OR: return Union(other);
    case RGN_XOR: return Xor(other);
    case RGN_DIFF: return Subtract(other);
    default: return *this;
  }
}

}  // namespace kora
