// Copying, stretching and tiling pieces of a skin picture.

#include <algorithm>

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

}  // namespace

TbsPiecePainter::TbsPiecePainter(TBitmap* target, TBitmap* picture, POINT origin)
    : FTarget(target->Canvas()->Handle()), FPicture(picture->Canvas()->Handle()), FOrigin(origin) {}

void TbsPiecePainter::Copy(const RECT& source, const RECT& dest) const {
  // An inverted rectangle would mirror in the blit; a piece that inverts
  // on a too small target is simply not there.
  if (IsEmptyRect(source) || IsEmptyRect(dest)) return;
  StretchBlt(FTarget, dest.Left, dest.Top, WidthOf(dest), HeightOf(dest), FPicture, source.Left + FOrigin.X,
             source.Top + FOrigin.Y, WidthOf(source), HeightOf(source), SRCCOPY);
}

void TbsPiecePainter::TileX(const RECT& source, int a, int b, int top, int bottom) const {
  ForEachTile(WidthOf(source), a, b, [&](int x, int width) {
    Copy({source.Left, source.Top, source.Left + width, source.Bottom}, {x, top, x + width, bottom});
  });
}

void TbsPiecePainter::TileY(const RECT& source, int a, int b, int left, int right) const {
  ForEachTile(HeightOf(source), a, b, [&](int y, int height) {
    Copy({source.Left, source.Top, source.Right, source.Top + height}, {left, y, right, y + height});
  });
}

void TbsPiecePainter::TileXY(const RECT& source, const RECT& dest) const {
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
