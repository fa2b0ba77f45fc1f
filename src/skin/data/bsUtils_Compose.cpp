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

void ComposeNinePart(POINT LT, POINT RT, POINT LB, POINT RB, const RECT& C, POINT NewLT, POINT NewRT, POINT NewLB,
                     POINT NewRB, const RECT& NewC, TBitmap* target, TBitmap* picture, const RECT& R, int W, int H,
                     bool DrawClient, bool StretchLeftEdge, bool StretchTopEdge, bool StretchRightEdge,
                     bool StretchBottomEdge, bool StretchClient) {
  target->SetSize(W, H);
  if (Unpaintable(LT, RB, picture) || target->Empty()) return;
  const TbsPiecePainter p(target, picture, R.TopLeft());
  const int rw = WidthOf(R), rh = HeightOf(R);

  // Middles first, so the fixed pieces win where a small target makes them overlap.
  p.FillX(StretchTopEdge, {LT.X, 0, RT.X, C.Top}, NewLT.X, NewRT.X, 0, NewC.Top);
  p.FillX(StretchBottomEdge, {LB.X, C.Bottom, RB.X, rh}, NewLB.X, NewRB.X, NewC.Bottom, H);
  p.FillY(StretchLeftEdge, {0, LT.Y, C.Left, LB.Y}, NewLT.Y, NewLB.Y, 0, NewC.Left);
  p.FillY(StretchRightEdge, {C.Right, RT.Y, rw, RB.Y}, NewRT.Y, NewRB.Y, NewC.Right, W);

  p.Copy({0, 0, LT.X, C.Top}, {0, 0, NewLT.X, NewC.Top});
  p.Copy({0, C.Top, C.Left, LT.Y}, {0, NewC.Top, NewC.Left, NewLT.Y});
  p.Copy({RT.X, 0, rw, C.Top}, {NewRT.X, 0, W, NewC.Top});
  p.Copy({C.Right, C.Top, rw, RT.Y}, {NewC.Right, NewC.Top, W, NewRT.Y});
  p.Copy({0, LB.Y, C.Left, rh}, {0, NewLB.Y, NewC.Left, H});
  p.Copy({C.Left, C.Bottom, LB.X, rh}, {NewC.Left, NewC.Bottom, NewLB.X, H});
  p.Copy({RB.X, C.Bottom, rw, rh}, {NewRB.X, NewC.Bottom, W, H});
  p.Copy({C.Right, RB.Y, rw, C.Bottom}, {NewC.Right, NewRB.Y, W, NewC.Bottom});

  if (DrawClient) DrawClientPart(p, C, NewC, StretchClient);
}

void ComposeNinePartTiled(POINT LT, POINT RT, POINT LB, POINT RB, const RECT& C, POINT NewLT, POINT NewRT, POINT NewLB,
                          POINT NewRB, const RECT& NewC, TBitmap* target, TBitmap* picture, const RECT& R, int W, int H,
                          bool DrawClient, bool StretchLeftEdge, bool StretchTopEdge, bool StretchRightEdge,
                          bool StretchBottomEdge) {
  ComposeNinePart(LT, RT, LB, RB, C, NewLT, NewRT, NewLB, NewRB, NewC, target, picture, R, W, H, DrawClient,
                  StretchLeftEdge, StretchTopEdge, StretchRightEdge, StretchBottomEdge, false);
}

void ComposeNinePartOpenRight(POINT LT, POINT RT, POINT LB, POINT RB, const RECT& C, POINT NewLT, POINT /*NewRT*/,
                              POINT NewLB, POINT /*NewRB*/, const RECT& NewC, TBitmap* target, TBitmap* picture,
                              const RECT& R, int W, int H, bool DrawClient, bool StretchLeftEdge, bool StretchTopEdge,
                              bool /*StretchRightEdge*/, bool StretchBottomEdge, bool StretchClient) {
  target->SetSize(W, H);
  if (Unpaintable(LT, RB, picture) || target->Empty()) return;
  const TbsPiecePainter p(target, picture, R.TopLeft());
  const int rh = HeightOf(R);

  p.FillX(StretchTopEdge, {LT.X, 0, RT.X, C.Top}, NewLT.X, W, 0, NewC.Top);
  p.FillX(StretchBottomEdge, {LB.X, C.Bottom, RB.X, rh}, NewLB.X, W, NewC.Bottom, H);
  p.FillY(StretchLeftEdge, {0, LT.Y, C.Left, LB.Y}, NewLT.Y, NewLB.Y, 0, NewC.Left);

  p.Copy({0, 0, LT.X, C.Top}, {0, 0, NewLT.X, NewC.Top});
  p.Copy({0, C.Top, C.Left, LT.Y}, {0, NewC.Top, NewC.Left, NewLT.Y});
  p.Copy({0, LB.Y, C.Left, rh}, {0, NewLB.Y, NewC.Left, H});
  p.Copy({C.Left, C.Bottom, LB.X, rh}, {NewC.Left, NewC.Bottom, NewLB.X, H});

  if (DrawClient) DrawClientPart(p, C, {NewC.Left, NewC.Top, W, NewC.Bottom}, StretchClient);
}

void ComposeStretchedFrame(TBitmap* target, TBitmap* picture, const RECT& R, const RECT& C, bool DrawClient) {
  const int W = target->Width(), H = target->Height();
  const RECT NewC{C.Left, C.Top, W - (WidthOf(R) - C.Right), H - (HeightOf(R) - C.Bottom)};
  ComposeNinePart({C.Left, C.Top}, {C.Right, C.Top}, {C.Left, C.Bottom}, {C.Right, C.Bottom}, C, {NewC.Left, NewC.Top},
                  {NewC.Right, NewC.Top}, {NewC.Left, NewC.Bottom}, {NewC.Right, NewC.Bottom}, NewC, target, picture, R,
                  W, H, DrawClient, true, true, true, true, true);
}

}  // namespace kora
