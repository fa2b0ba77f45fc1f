// Horizontal and vertical strips with fixed ends, and frames of glyph strips.

#include "skin/data/bsUtils.h"

namespace kora {

namespace {

bool HasPicture(TBitmap* picture) { return picture && !picture->Empty(); }

// The middle of s between its fixed ends; a middle of no width is one column.
RECT HorizontalMiddle(const RECT& s, int leftWidth, int rightWidth) {
  RECT middle{s.Left + leftWidth, s.Top, s.Right - rightWidth, s.Bottom};
  if (WidthOf(middle) == 0) middle.Right = middle.Left + 1;
  return middle;
}

}  // namespace

void ComposeHorizontalStrip(int leftWidth, int rightWidth, TBitmap* target, bool Stretch, int W, const RECT& s,
                            TBitmap* picture) {
  const int h = HeightOf(s);
  target->SetSize(W, h);
  if (!HasPicture(picture) || target->Empty()) return;
  const TbsPiecePainter p(target, picture);
  if (leftWidth > 0) p.Copy({s.Left, s.Top, s.Left + leftWidth, s.Bottom}, {0, 0, leftWidth, h});
  if (rightWidth > 0) p.Copy({s.Right - rightWidth, s.Top, s.Right, s.Bottom}, {W - rightWidth, 0, W, h});
  p.FillX(Stretch, HorizontalMiddle(s, leftWidth, rightWidth), leftWidth, W - rightWidth, 0, h);
}

void ComposeHorizontalStripOpenRight(int leftWidth, int rightOffset, TBitmap* target, bool Stretch, int W,
                                     const RECT& s, TBitmap* picture) {
  const int h = HeightOf(s);
  target->SetSize(W, h);
  if (!HasPicture(picture) || target->Empty()) return;
  const TbsPiecePainter p(target, picture);
  if (leftWidth > 0) p.Copy({s.Left, s.Top, s.Left + leftWidth, s.Bottom}, {0, 0, leftWidth, h});
  p.FillX(Stretch, HorizontalMiddle(s, leftWidth, rightOffset), leftWidth, W, 0, h);
}

void ComposeHorizontalMiddle(int leftOffset, int rightOffset, TBitmap* target, bool Stretch, int W, const RECT& s,
                             TBitmap* picture) {
  const int h = HeightOf(s);
  target->SetSize(W, h);
  if (!HasPicture(picture) || target->Empty()) return;
  TbsPiecePainter(target, picture).FillX(Stretch, HorizontalMiddle(s, leftOffset, rightOffset), 0, W, 0, h);
}

void ComposeVerticalStrip(int topHeight, int bottomHeight, TBitmap* target, bool Stretch, int H, const RECT& s,
                          TBitmap* picture) {
  const int w = WidthOf(s);
  target->SetSize(w, H);
  if (!HasPicture(picture) || target->Empty()) return;
  const TbsPiecePainter p(target, picture);
  if (topHeight > 0) p.Copy({s.Left, s.Top, s.Right, s.Top + topHeight}, {0, 0, w, topHeight});
  if (bottomHeight > 0) p.Copy({s.Left, s.Bottom - bottomHeight, s.Right, s.Bottom}, {0, H - bottomHeight, w, H});
  p.FillY(Stretch, {s.Left, s.Top + topHeight, s.Right, s.Bottom - bottomHeight}, topHeight, H - bottomHeight, 0, w);
}

void DrawStripFrame(TCanvas* canvas, int x, int y, int n, int count, TBitmap* strip) {
  if (!HasPicture(strip) || count <= 0) return;
  const int fw = strip->Width() / count, h = strip->Height();
  const int left = fw * (n - 1);
  if (fw <= 0 || left < 0 || left + fw > strip->Width()) return;  // no such frame
  const COLORREF key = strip->Monochrome() ? RGB(255, 255, 255) : ColorToColorRef(strip->Canvas()->Pixels(left, h - 1));
  TransparentBlt(canvas->Handle(), x, y, fw, h, strip->Canvas()->Handle(), left, 0, fw, h, key);
}

}  // namespace kora
