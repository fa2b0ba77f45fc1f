// Copying, stretching and tiling pieces of a skin picture.

#include <algorithm>
#include <cstring>

#include "skin/data/bsUtils.h"

namespace kora {

namespace {

// Calls f(position, length) for each tile of step along [a, b): count =
// (b - a) div step, tiles 0 .. count, the last one cut at b (a tile that
// would start at b has length 0 and is skipped).
template <class F>
void ForEachTile(int step, int a, int b, F f) {
  if (step <= 0) return;
  const int count = (b - a) / step;
  if (count < 0) return;
  for (int i = 0; i <= count; ++i) {
    const int pos = a + i * step;
    const int length = step - std::max(0, pos + step - b);
    if (length > 0) f(pos, length);
  }
}

// True when the context draws on bitmap's own pixel rows with nothing
// clipped and no origin moved, so writing the rows is what a blit would do.
bool DrawsStraightOn(HDC dc, TBitmap* bitmap) {
  if (bitmap->Empty() || GetCurrentObject(dc, OBJ_BITMAP) != HGDIOBJ(bitmap->Handle())) return false;
  RECT box;
  return GetClipBox(dc, &box) == SIMPLEREGION && box == RECT{0, 0, bitmap->Width(), bitmap->Height()};
}

// Pixels from one row to the next.
std::ptrdiff_t RowStride(const TBitmap& bitmap) {
  if (bitmap.Height() < 2) return 0;
  return reinterpret_cast<const uint32_t*>(bitmap.ScanLine(1)) - reinterpret_cast<const uint32_t*>(bitmap.ScanLine(0));
}

// Fills n pixels with the period of width pixels starting phase pixels
// into it: one period is copied, then the filled span is doubled.
void FillRow(uint32_t* d, int n, const uint32_t* period, int width, int phase) {
  int have = std::min(n, width - phase);
  std::memcpy(d, period + phase, std::size_t(have) * 4);
  const int wrap = std::min(n - have, phase);
  std::memcpy(d + have, period, std::size_t(wrap) * 4);
  have += wrap;
  // have is a whole number of periods from here on, so copies keep the phase.
  while (have < n) {
    const int chunk = std::min(have, n - have);
    std::memcpy(d + have, d, std::size_t(chunk) * 4);
    have += chunk;
  }
}

}  // namespace

TbsPiecePainter::TbsPiecePainter(TBitmap* target, TBitmap* picture, POINT origin)
    : FTarget(target->Canvas()->Handle()),
      FPicture(picture->Canvas()->Handle()),
      FOrigin(origin),
      FTargetBitmap(target),
      FPictureBitmap(picture) {
  FDirect = target != picture && DrawsStraightOn(FTarget, target) && DrawsStraightOn(FPicture, picture);
}

void TbsPiecePainter::Copy(const RECT& source, const RECT& dest) const {
  // An inverted rectangle would mirror in the blit; a piece that inverts
  // on a too small target is simply not there.
  if (IsEmptyRect(source) || IsEmptyRect(dest)) return;
  StretchBlt(FTarget, dest.Left, dest.Top, WidthOf(dest), HeightOf(dest), FPicture, source.Left + FOrigin.X,
             source.Top + FOrigin.Y, WidthOf(source), HeightOf(source), SRCCOPY);
}

// Every pixel (x, y) of dest takes the source pixel ((x - dest.Left) mod
// width(source), (y - dest.Top) mod height(source)), which is what copying
// the tiles one by one from dest's top-left corner gives. Only whole source
// pieces inside the picture qualify: elsewhere a blit leaves pixels out.
bool TbsPiecePainter::FillTiles(const RECT& source, const RECT& dest) const {
  const RECT s = source.Offsetted(FOrigin.X, FOrigin.Y);
  if (!FDirect || IsEmptyRect(s) || !RECT{0, 0, FPictureBitmap->Width(), FPictureBitmap->Height()}.Contains(s))
    return false;
  const RECT work = dest.Intersect({0, 0, FTargetBitmap->Width(), FTargetBitmap->Height()});
  if (work.IsEmpty()) return true;
  const int sw = WidthOf(s), sh = HeightOf(s), n = WidthOf(work);
  const int phase = (work.Left - dest.Left) % sw;
  int sy = (work.Top - dest.Top) % sh;
  // Rows are a fixed stride apart; no per-row lookups in the loop.
  uint32_t* d = reinterpret_cast<uint32_t*>(FTargetBitmap->ScanLine(work.Top)) + work.Left;
  const std::ptrdiff_t stride = RowStride(*FTargetBitmap);
  const auto* piece = reinterpret_cast<const uint32_t*>(FPictureBitmap->ScanLine(s.Top)) + s.Left;
  const std::ptrdiff_t pieceStride = RowStride(*FPictureBitmap);
  for (int y = work.Top; y < work.Bottom; ++y, d += stride) {
    if (y - work.Top >= sh) {
      // One period of rows is done; every further row repeats one of them.
      std::memcpy(d, d - sh * stride, std::size_t(n) * 4);
    } else {
      FillRow(d, n, piece + sy * pieceStride, sw, phase);
      if (++sy == sh) sy = 0;
    }
  }
  return true;
}

void TbsPiecePainter::TileX(const RECT& source, int a, int b, int top, int bottom) const {
  // The tiles keep the source's rows only when the band is as high as the piece.
  if (HeightOf(source) == bottom - top && (b <= a || FillTiles(source, {a, top, b, bottom}))) return;
  ForEachTile(WidthOf(source), a, b, [&](int x, int width) {
    Copy({source.Left, source.Top, source.Left + width, source.Bottom}, {x, top, x + width, bottom});
  });
}

void TbsPiecePainter::TileY(const RECT& source, int a, int b, int left, int right) const {
  if (WidthOf(source) == right - left && (b <= a || FillTiles(source, {left, a, right, b}))) return;
  ForEachTile(HeightOf(source), a, b, [&](int y, int height) {
    Copy({source.Left, source.Top, source.Right, source.Top + height}, {left, y, right, y + height});
  });
}

void TbsPiecePainter::TileXY(const RECT& source, const RECT& dest) const {
  if (IsEmptyRect(dest) || FillTiles(source, dest)) return;
  ForEachTile(WidthOf(source), dest.Left, dest.Right, [&](int x, int width) {
    ForEachTile(HeightOf(source), dest.Top, dest.Bottom, [&](int y, int height) {
      Copy({source.Left, source.Top, source.Left + width, source.Top + height}, {x, y, x + width, y + height});
    });
  });
}

void TbsPiecePainter::FillX(bool stretch, const RECT& source, int a, int b, int top, int bottom) const {
  if (stretch)
    Copy(source, {a, top, b, bottom});
  else
    TileX(source, a, b, top, bottom);
}

void TbsPiecePainter::FillY(bool stretch, const RECT& source, int a, int b, int left, int right) const {
  if (stretch)
    Copy(source, {left, a, right, b});
  else
    TileY(source, a, b, left, right);
}

}  // namespace kora
