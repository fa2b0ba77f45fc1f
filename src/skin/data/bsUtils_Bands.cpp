// The frame decomposition: four separate band bitmaps around the client,
// from the skin picture for painting and from the mask for the region.

#include "skin/data/bsUtils.h"

namespace kora {

namespace {

// Sizes a band, or empties it when it has no area; true when it has one.
bool SizeBand(TBitmap* band, int width, int height, bool paintable) {
  if (width <= 0 || height <= 0 || !paintable) {
    band->SetSize(0, 0);
    return false;
  }
  band->SetSize(width, height);
  return true;
}

// One side band of height h: the middle rows [mid0, mid1) of the columns
// [col0, col1) stretched or tiled, with the fixed pieces above (from C.Top)
// and below (to C.Bottom) kept at their size.
void SideBand(TBitmap* band, TBitmap* picture, POINT origin, int col0, int col1, int mid0, int mid1, const RECT& C,
              int h, bool stretch) {
  const TbsPiecePainter p(band, picture, origin);
  const int width = band->Width(), above = mid0 - C.Top, below = C.Bottom - mid1;
  if (stretch)
    p.Copy({col0, mid0, col1, mid1}, {0, above, width, h - below});
  else
    p.TileY({col0, mid0, col1, mid1}, 0, h, 0, width);
  if (above > 0) p.Copy({col0, C.Top, col1, mid0}, {0, 0, width, above});
  if (below > 0) p.Copy({col0, mid1, col1, C.Bottom}, {0, h - below, width, h});
}

}  // namespace

void ComposeBorderBands(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, const TbsBandTargets& bands,
                        TBitmap* picture, const RECT& R, SIZE size, TbsStretchFlags stretch) {
  const auto& [LT, RT, LB, RB, C] = geo;
  const auto& [NewLT, NewRT, NewLB, NewRB, NewC] = fit;
  const auto [left, top, right, bottom] = bands;
  const int W = size.cx, H = size.cy;
  const bool hasPicture = picture && !picture->Empty();
  const POINT origin = R.TopLeft();
  const int rw = WidthOf(R), rh = HeightOf(R);

  if (SizeBand(top, W, NewC.Top, hasPicture && RT.X > LT.X)) {
    const TbsPiecePainter p(top, picture, origin);
    const int t = NewC.Top;
    // Tiles start at the band's left edge; the corners cover the ends.
    if (stretch.TopEdge)
      p.Copy({LT.X, 0, RT.X, t}, {NewLT.X, 0, NewRT.X, t});
    else
      p.TileX({LT.X, 0, RT.X, t}, 0, W, 0, t);
    p.Copy({0, 0, LT.X, t}, {0, 0, NewLT.X, t});
    p.Copy({RT.X, 0, rw, t}, {NewRT.X, 0, W, t});
  }

  const int b = H - NewC.Bottom;
  if (SizeBand(bottom, W, b, hasPicture && RB.X > LB.X)) {
    const TbsPiecePainter p(bottom, picture, origin);
    const int y0 = rh - b;
    if (stretch.BottomEdge)
      p.Copy({LB.X, y0, RB.X, rh}, {NewLB.X, 0, NewRB.X, b});
    else
      p.TileX({LB.X, y0, RB.X, rh}, 0, W, 0, b);
    p.Copy({0, y0, LB.X, rh}, {0, 0, NewLB.X, b});
    p.Copy({RB.X, y0, rw, rh}, {NewRB.X, 0, W, b});
  }

  // The side bands fill what the top and bottom bands that were made leave.
  const int h = H - bottom->Height() - top->Height();
  if (SizeBand(left, NewC.Left, h, hasPicture && LB.Y > LT.Y))
    SideBand(left, picture, origin, 0, NewC.Left, LT.Y, LB.Y, C, h, stretch.LeftEdge);
  const int r = W - NewC.Right;
  if (SizeBand(right, r, h, hasPicture && RB.Y > RT.Y))
    SideBand(right, picture, origin, C.Right, rw, RT.Y, RB.Y, C, h, stretch.RightEdge);
}

void ComposeMaskBands(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* mask,
                      const TbsBandTargets& bands, SIZE size) {
  // The heights come from the mask and fit.C, not from size.cy.
  const auto& [LT, RT, LB, RB, C] = geo;
  const POINT NewRT = fit.RT, NewLT = fit.LT, NewLB = fit.LB, NewRB = fit.RB;
  const RECT& NewC = fit.C;
  const auto [left, top, right, bottom] = bands;
  const int W = size.cx;
  const bool hasMask = mask && !mask->Empty();
  const int mw = hasMask ? mask->Width() : 0, mh = hasMask ? mask->Height() : 0;
  const int sideHeight = HeightOf(NewC);

  auto side = [&](TBitmap* band, int col0, int col1, int mid0, int mid1) {
    if (!SizeBand(band, col1 - col0, sideHeight, hasMask)) return;
    const TbsPiecePainter p(band, mask);
    const int width = col1 - col0;
    // clang 14 cannot capture a structured binding in a lambda.
    const RECT& c = geo.C;
    const int below = c.Bottom - mid1;
    p.TileY({col0, mid0, col1, mid1}, 0, sideHeight, 0, width);  // nothing without a middle
    if (mid0 > c.Top) p.Copy({col0, c.Top, col1, mid0}, {0, 0, width, mid0 - c.Top});
    if (below > 0) p.Copy({col0, mid1, col1, c.Bottom}, {0, sideHeight - below, width, sideHeight});
  };
  side(left, 0, C.Left, LT.Y, LB.Y);
  side(right, C.Right, mw, RT.Y, RB.Y);

  if (SizeBand(top, W, C.Top, hasMask)) {
    const TbsPiecePainter p(top, mask);
    p.TileX({LT.X, 0, RT.X, C.Top}, NewLT.X, NewRT.X, 0, C.Top);
    p.Copy({0, 0, LT.X, C.Top}, {0, 0, LT.X, C.Top});
    p.Copy({RT.X, 0, mw, C.Top}, {NewRT.X, 0, W, C.Top});
  }
  const int bh = mh - C.Bottom;
  if (SizeBand(bottom, W, bh, hasMask)) {
    const TbsPiecePainter p(bottom, mask);
    p.TileX({LB.X, C.Bottom, RB.X, mh}, NewLB.X, NewRB.X, 0, bh);
    p.Copy({0, C.Bottom, LB.X, mh}, {0, 0, LB.X, bh});
    p.Copy({RB.X, C.Bottom, mw, mh}, {NewRB.X, 0, W, bh});
  }
}

}  // namespace kora
