// Small vector glyphs for skins without pictures for arrows, marks and
// caption buttons. Lines exclude their end point.

#include "skin/data/bsUtils.h"

namespace kora {

namespace {

// Sets the pen colour and puts the brush back afterwards.
class GlyphPen {
public:
  GlyphPen(TCanvas* canvas, TColor color)
      : FCanvas(canvas), FBrushColor(canvas->Brush()->Color()), FBrushStyle(canvas->Brush()->Style()) {
    canvas->Pen()->SetColor(color);
  }
  ~GlyphPen() {
    FCanvas->Brush()->SetStyle(FBrushStyle);
    FCanvas->Brush()->SetColor(FBrushColor);
  }
  GlyphPen(const GlyphPen&) = delete;
  GlyphPen& operator=(const GlyphPen&) = delete;

  void Line(int x0, int y0, int x1, int y1) const {
    FCanvas->MoveTo(x0, y0);
    FCanvas->LineTo(x1, y1);
  }
  void Hollow(int x0, int y0, int x1, int y1) const {
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->Rectangle(x0, y0, x1, y1);
  }
  void Filled(int x0, int y0, int x1, int y1) const {
    FCanvas->Brush()->SetStyle(bsSolid);
    FCanvas->Brush()->SetColor(FCanvas->Pen()->Color());
    FCanvas->Rectangle(x0, y0, x1, y1);
  }

private:
  TCanvas* FCanvas;
  TColor FBrushColor;
  TBrushStyle FBrushStyle;
};

int CentreX(const RECT& r) { return r.Left + WidthOf(r) / 2; }
int CentreY(const RECT& r) { return r.Top + HeightOf(r) / 2; }

// Rows 5, 3, 1 pixels wide (with n = 3 first: 7, 5, 3, 1), tip at cy + 2.
void DownTriangle(const GlyphPen& pen, int cx, int cy, int largest) {
  for (int n = largest; n >= 0; --n) pen.Line(cx - n, cy + 2 - n, cx + n + 1, cy + 2 - n);
}

}  // namespace

void DrawDropDownArrow(TCanvas* canvas, const RECT& r, TColor color) {
  const GlyphPen pen(canvas, color);
  DownTriangle(pen, CentreX(r), CentreY(r), 2);
}

void DrawArrow(TCanvas* canvas, const RECT& r, TColor color, int direction) {
  const GlyphPen pen(canvas, color);
  const int cx = CentreX(r), cy = CentreY(r);
  switch (direction) {
    case 1:
      for (int i = 0; i <= 3; ++i) pen.Line(cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1);
      break;
    case 2:
      for (int n = 3; n >= 0; --n) pen.Line(cx + 2 - n, cy - n, cx + 2 - n, cy + n + 1);
      break;
    case 3:
      for (int i = 0; i <= 3; ++i) pen.Line(cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i);
      break;
    case 4: DownTriangle(pen, cx, cy, 3); break;
    default: break;
  }
}

void DrawRadioDot(TCanvas* canvas, int x, int y, TColor color) { GlyphPen(canvas, color).Filled(x, y, x + 6, y + 6); }

void DrawCheckMark(TCanvas* canvas, int x, int y, TColor color) {
  const GlyphPen pen(canvas, color);
  for (int i = 0; i <= 2; ++i) {
    canvas->MoveTo(x, y + 5 - i);
    canvas->LineTo(x + 2, y + 7 - i);
    canvas->LineTo(x + 7, y + 2 - i);
  }
}

void DrawCloseGlyph(TCanvas* canvas, int x, int y, TColor color) {
  const GlyphPen pen(canvas, color);
  pen.Line(x + 1, y + 1, x + 9, y + 9);
  pen.Line(x + 9, y + 1, x + 1, y + 9);
  pen.Line(x + 2, y + 1, x + 10, y + 9);
  pen.Line(x + 8, y + 1, x, y + 9);
}

void DrawMaximizeGlyph(TCanvas* canvas, int x, int y, TColor color) {
  const GlyphPen pen(canvas, color);
  pen.Hollow(x, y, x + 11, y + 10);
  pen.Hollow(x, y, x + 11, y + 2);
}

void DrawRestoreGlyph(TCanvas* canvas, int x, int y, TColor color) {
  const GlyphPen pen(canvas, color);
  pen.Hollow(x + 2, y, x + 10, y + 6);
  pen.Hollow(x + 2, y, x + 10, y + 2);
  pen.Hollow(x, y + 4, x + 7, y + 10);
  pen.Hollow(x, y + 4, x + 7, y + 6);
}

void DrawMinimizeGlyph(TCanvas* canvas, int x, int y, TColor color) {
  const GlyphPen pen(canvas, color);
  pen.Line(x + 1, y + 8, x + 9, y + 8);
  pen.Line(x + 1, y + 9, x + 9, y + 9);
}

void DrawSysMenuGlyph(TCanvas* canvas, int x, int y, TColor color) {
  GlyphPen(canvas, color).Hollow(x + 1, y + 3, x + 9, y + 6);
}

void DrawRollUpGlyph(TCanvas* canvas, int x, int y, TColor color) {
  const GlyphPen pen(canvas, color);
  for (int i = 0; i <= 4; ++i) pen.Line(x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i);
}

void DrawRollDownGlyph(TCanvas* canvas, int x, int y, TColor color) {
  const GlyphPen pen(canvas, color);
  for (int i = 0; i <= 4; ++i) pen.Line(x + 5 - i, y + 6 - i, x + 5 + i, y + 6 - i);
}

void DrawTrayGlyph(TCanvas* canvas, int x, int y, TColor color) {
  GlyphPen(canvas, color).Filled(x + 2, y + 2, x + 7, y + 7);
}

}  // namespace kora
