// The pinwheel compositions: an element's look at any size from its skin
// rectangle, fixed corners, tiled or stretched middles and client.

#include "skin/data/bsUtils.h"

namespace kora {

namespace {

bool Unpaintable(POINT LT, POINT RB, TBitmap* picture) {
  return RB.X == LT.X || RB.Y == LT.Y || !picture || picture->Empty();
}

void DrawClientPart(const TbsPiecePainter& p, const RECT& C, const RECT& NewC, bool stretch) {
  if (stretch)
    p.Copy(C, NewC);
  else
    p.TileXY(C, NewC);
}

}  // namespace

void ComposeNinePart(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* target, TBitmap* picture,
                     const RECT& R, SIZE size, bool drawClient, TbsStretchFlags stretch) {
  const auto& [LT, RT, LB, RB, C] = geo;
  const auto& [NewLT, NewRT, NewLB, NewRB, NewC] = fit;
  const int W = size.cx, H = size.cy;
  target->SetSize(W, H);
  if (Unpaintable(LT, RB, picture) || target->Empty()) return;
  const TbsPiecePainter p(target, picture, R.TopLeft());
  const int rw = WidthOf(R), rh = HeightOf(R);

  // Middles first, so the fixed pieces win where a small target makes them overlap.
  p.FillX(stretch.TopEdge, {LT.X, 0, RT.X, C.Top}, NewLT.X, NewRT.X, 0, NewC.Top);
  p.FillX(stretch.BottomEdge, {LB.X, C.Bottom, RB.X, rh}, NewLB.X, NewRB.X, NewC.Bottom, H);
  p.FillY(stretch.LeftEdge, {0, LT.Y, C.Left, LB.Y}, NewLT.Y, NewLB.Y, 0, NewC.Left);
  p.FillY(stretch.RightEdge, {C.Right, RT.Y, rw, RB.Y}, NewRT.Y, NewRB.Y, NewC.Right, W);

  p.Copy({0, 0, LT.X, C.Top}, {0, 0, NewLT.X, NewC.Top});
  p.Copy({0, C.Top, C.Left, LT.Y}, {0, NewC.Top, NewC.Left, NewLT.Y});
  p.Copy({RT.X, 0, rw, C.Top}, {NewRT.X, 0, W, NewC.Top});
  p.Copy({C.Right, C.Top, rw, RT.Y}, {NewC.Right, NewC.Top, W, NewRT.Y});
  p.Copy({0, LB.Y, C.Left, rh}, {0, NewLB.Y, NewC.Left, H});
  p.Copy({C.Left, C.Bottom, LB.X, rh}, {NewC.Left, NewC.Bottom, NewLB.X, H});
  p.Copy({RB.X, C.Bottom, rw, rh}, {NewRB.X, NewC.Bottom, W, H});
  p.Copy({C.Right, RB.Y, rw, C.Bottom}, {NewC.Right, NewRB.Y, W, NewC.Bottom});

  if (drawClient) DrawClientPart(p, C, NewC, stretch.Client);
}

void ComposeNinePartTiled(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* target, TBitmap* picture,
                          const RECT& R, SIZE size, bool drawClient, TbsStretchFlags stretch) {
  stretch.Client = false;
  ComposeNinePart(geo, fit, target, picture, R, size, drawClient, stretch);
}

void ComposeNinePartOpenRight(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* target, TBitmap* picture,
                              const RECT& R, SIZE size, bool drawClient, TbsStretchFlags stretch) {
  const auto& [LT, RT, LB, RB, C] = geo;
  const POINT NewLT = fit.LT, NewLB = fit.LB;
  const RECT& NewC = fit.C;
  const int W = size.cx, H = size.cy;
  target->SetSize(W, H);
  if (Unpaintable(LT, RB, picture) || target->Empty()) return;
  const TbsPiecePainter p(target, picture, R.TopLeft());
  const int rh = HeightOf(R);

  p.FillX(stretch.TopEdge, {LT.X, 0, RT.X, C.Top}, NewLT.X, W, 0, NewC.Top);
  p.FillX(stretch.BottomEdge, {LB.X, C.Bottom, RB.X, rh}, NewLB.X, W, NewC.Bottom, H);
  p.FillY(stretch.LeftEdge, {0, LT.Y, C.Left, LB.Y}, NewLT.Y, NewLB.Y, 0, NewC.Left);

  p.Copy({0, 0, LT.X, C.Top}, {0, 0, NewLT.X, NewC.Top});
  p.Copy({0, C.Top, C.Left, LT.Y}, {0, NewC.Top, NewC.Left, NewLT.Y});
  p.Copy({0, LB.Y, C.Left, rh}, {0, NewLB.Y, NewC.Left, H});
  p.Copy({C.Left, C.Bottom, LB.X, rh}, {NewC.Left, NewC.Bottom, NewLB.X, H});

  if (drawClient) DrawClientPart(p, C, {NewC.Left, NewC.Top, W, NewC.Bottom}, stretch.Client);
}

void ComposeStretchedFrame(TBitmap* target, TBitmap* picture, const RECT& R, const RECT& C, bool DrawClient) {
  const int W = target->Width(), H = target->Height();
  const RECT NewC{C.Left, C.Top, W - (WidthOf(R) - C.Right), H - (HeightOf(R) - C.Bottom)};
  const TbsSkinGeometry geo{{C.Left, C.Top}, {C.Right, C.Top}, {C.Left, C.Bottom}, {C.Right, C.Bottom}, C};
  const TbsSkinGeometry fit{
      {NewC.Left, NewC.Top}, {NewC.Right, NewC.Top}, {NewC.Left, NewC.Bottom}, {NewC.Right, NewC.Bottom}, NewC};
  ComposeNinePart(geo, fit, target, picture, R, {W, H}, DrawClient, {true, true, true, true, true});
}

}  // namespace kora
