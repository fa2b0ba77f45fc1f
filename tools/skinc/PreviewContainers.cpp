// Group boxes, the page control with its tabs, and standard labels, painted
// as the skinned containers and labels paint themselves.
#include <algorithm>

#include "skinc/PreviewParts.h"

namespace kora::skinc {

namespace {

// Where a rectangle of a stretchable record lands at the control's size:
// whole corner areas move with their corner, anything else has each
// corner moved by the areas it lies in.
RECT TransferRect(const TbsDataSkinCustomControl& r, const RECT& rect, int dx, int dy) {
  const int w = WidthOf(r.SkinRect), h = HeightOf(r.SkinRect);
  const RECT tl{0, 0, r.LeftTopPoint.X, r.LeftTopPoint.Y};
  const RECT tr{r.RightTopPoint.X, 0, w, r.RightTopPoint.Y};
  const RECT bl{0, r.LeftBottomPoint.Y, r.LeftBottomPoint.X, h};
  const RECT br{r.RightBottomPoint.X, r.RightBottomPoint.Y, w, h};
  if (RectInsideRect(rect, tl)) return rect;
  if (RectInsideRect(rect, tr)) return rect.Offsetted(dx, 0);
  if (RectInsideRect(rect, bl)) return rect.Offsetted(0, dy);
  if (RectInsideRect(rect, br)) return rect.Offsetted(dx, dy);
  auto move = [&](POINT p) {
    const bool right = tr.Contains(p) || br.Contains(p), bottom = bl.Contains(p) || br.Contains(p);
    return POINT{p.X + (right ? dx : 0), p.Y + (bottom ? dy : 0)};
  };
  const POINT a = move(rect.TopLeft()), b = move(rect.BottomRight());
  return {a.X, a.Y, b.X, b.Y};
}

}  // namespace

void PaintGroupBox(const TbsSkinData& data, TCanvas* canvas, const RECT& area, const std::string& caption) {
  const auto* r = FindControlRecord<TbsDataSkinPanelControl>(data, "groupbox");
  if (!r) return;
  TBitmap* picture = data.FindActivePicture(r->PictureIndex);
  const int W = WidthOf(area), H = HeightOf(area);
  const int dx = W - WidthOf(r->SkinRect), dy = H - HeightOf(r->SkinRect);
  const TbsSkinGeometry geo{r->LeftTopPoint, r->RightTopPoint, r->LeftBottomPoint, r->RightBottomPoint, r->ClientRect};
  const TbsSkinGeometry g = geo.Moved(r->SkinRect, W, H);
  TBitmap left, top, right, bottom;
  ComposeBorderBands(geo, g, {&left, &top, &right, &bottom}, picture, r->SkinRect, {W, H},
                     {r->LeftStretch, r->TopStretch, r->RightStretch, r->BottomStretch});

  // The caption goes into the top band, clipped to its rectangle.
  const RECT work = TransferRect(*r, r->CaptionRect, dx, dy);
  if (!caption.empty() && !IsEmptyRect(work) && !top.Empty()) {
    TCanvas* c = top.Canvas();
    SetFont(c, r->FontName, r->FontHeight, r->FontStyle, r->FontColor, r->FontCharset);
    const SIZE size = MeasureText(c, caption);
    int x = work.Left;
    if (r->Alignment == taRightJustify) x = work.Right - size.cx;
    if (r->Alignment == taCenter) x = work.Left + WidthOf(work) / 2 - size.cx / 2;
    c->Brush()->SetStyle(bsClear);
    c->TextRect(work, x, work.Top + HeightOf(work) / 2 - size.cy / 2, caption);
  }
  // The interior: the record's client piece tiled over the fitted client.
  const RECT piece = r->ClientRect.Offsetted(r->SkinRect.Left, r->SkinRect.Top);
  TilePiece(canvas, g.C.Offsetted(area.Left, area.Top), picture, piece);
  Paste(canvas, area.Left, area.Top, top);
  Paste(canvas, area.Left, area.Top + top.Height(), left);
  Paste(canvas, area.Right - right.Width(), area.Top + top.Height(), right);
  Paste(canvas, area.Left, area.Bottom - bottom.Height(), bottom);
}

void PaintPageControl(const TbsSkinData& data, TCanvas* canvas, const RECT& area, int tabHeight,
                      const std::vector<std::string>& tabs, int activeTab, int hotTab, RECT& pageArea) {
  const auto* r = FindControlRecord<TbsDataSkinTabControl>(data, "tab");
  if (!r) return;
  TBitmap* picture = data.FindActivePicture(r->PictureIndex);
  const int W = WidthOf(area), H = HeightOf(area);
  const RECT& skin = r->SkinRect;
  const RECT& c = r->ClientRect;
  // The framework's page area below one row of tabs (4-pixel margin, the
  // strip 2 pixels in), then the record's margins.
  const int systemTop = 4 + tabHeight + 2;
  const RECT page{c.Left, systemTop + c.Top - 6, W - (WidthOf(skin) - c.Right), H - (HeightOf(skin) - c.Bottom)};
  pageArea = page.Offsetted(area.Left, area.Top);

  // The frame around the page area.
  const int fw = WidthOf(page) + WidthOf(skin) - WidthOf(c), fh = HeightOf(page) + HeightOf(skin) - HeightOf(c);
  const TbsSkinGeometry geo{r->LeftTopPoint, r->RightTopPoint, r->LeftBottomPoint, r->RightBottomPoint, c};
  const TbsSkinGeometry g = geo.Moved(skin, fw, fh);
  TBitmap left, top, right, bottom;
  ComposeBorderBands(geo, g, {&left, &top, &right, &bottom}, picture, skin, {fw, fh},
                     {r->LeftStretch, r->TopStretch, r->RightStretch, r->BottomStretch});
  const int fx = area.Left + page.Left - c.Left, fy = area.Top + page.Top - c.Top;
  // The sheet's background: the tab record's client piece tiled.
  TilePiece(canvas, pageArea, picture, c.Offsetted(skin.Left, skin.Top));
  Paste(canvas, fx, fy, top);
  Paste(canvas, fx, fy + top.Height(), left);
  Paste(canvas, fx + fw - right.Width(), fy + top.Height(), right);
  Paste(canvas, fx, fy + fh - bottom.Height(), bottom);

  // The framework's tab rectangles (2 pixels in, caption plus 6 on each
  // side), the first one pixel right, all moved up and left by 2.
  TBitmap strip;
  strip.SetSize(W, page.Top);
  const RECT bg = IsEmptyRect(r->TabsBGRect) ? c.Offsetted(skin.Left, skin.Top) : r->TabsBGRect;
  TilePiece(strip.Canvas(), {0, 0, W, page.Top}, picture, bg);
  std::vector<RECT> rects;
  SetFont(strip.Canvas(), r->FontName, r->FontHeight, r->FontStyle, r->FontColor, r->FontCharset);
  int x = 2;
  for (const std::string& caption : tabs) {
    const int w = MeasureText(strip.Canvas(), caption).cx + 12;
    RECT t{x, 2, x + w, 2 + tabHeight};
    if (rects.empty()) t.Left += 1;
    rects.push_back(t.Offsetted(-2, -2));
    x += w;
  }
  auto drawTab = [&](TCanvas* on, int dx, int dy, std::size_t i, bool active, bool mouseIn) {
    const RECT& t = rects[i];
    const RECT active0 = IsEmptyRect(r->ActiveTabRect) ? r->TabRect : r->ActiveTabRect;
    RECT source = active ? active0 : r->TabRect;
    if (mouseIn && !active && !IsEmptyRect(r->MouseInTabRect)) source = r->MouseInTabRect;
    TBitmap image;
    StripImage(image, picture, source, r->TabLeftOffset, r->TabRightOffset, WidthOf(t), r->TabStretchEffect);
    if (image.Height() != HeightOf(t)) {
      TBitmap sized;
      sized.SetSize(WidthOf(t), HeightOf(t));
      sized.Canvas()->StretchDraw({0, 0, WidthOf(t), HeightOf(t)}, &image);
      image.Assign(&sized);
    }
    TCanvas* ic = image.Canvas();
    const TColor color = mouseIn && !active ? r->MouseInFontColor : active ? r->ActiveFontColor : r->FontColor;
    SetFont(ic, r->FontName, r->FontHeight, r->FontStyle, color, r->FontCharset);
    const SIZE size = MeasureText(ic, tabs[i]);
    DrawTextAt(ic, WidthOf(t) / 2 - size.cx / 2, HeightOf(t) / 2 - size.cy / 2, tabs[i]);
    Paste(on, dx + t.Left, dy + t.Top, image);
  };
  for (std::size_t i = 0; i < rects.size(); ++i)
    drawTab(strip.Canvas(), 0, 0, i, int(i) == activeTab, int(i) == hotTab);
  Paste(canvas, area.Left, area.Top, strip);
  // The selected tab once more, straight on the control, over the page's edge.
  if (activeTab >= 0 && activeTab < int(rects.size()))
    drawTab(canvas, area.Left, area.Top, std::size_t(activeTab), true, activeTab == hotTab);
}

void PaintStdLabel(const TbsSkinData& data, TCanvas* canvas, int x, int y, const std::string& text, bool enabled) {
  const auto* r = FindControlRecord<TbsDataSkinStdLabelControl>(data, "stdlabel");
  // The window's labels keep their own face and take the skin's colour.
  SetFont(canvas, "MS Sans Serif", -11, {}, r ? r->FontColor : clBtnText, DEFAULT_CHARSET);
  if (enabled) {
    DrawTextAt(canvas, x, y, text);
    return;
  }
  canvas->Font()->SetColor(data.SkinColors().BtnHighlight);
  DrawTextAt(canvas, x + 1, y + 1, text);
  canvas->Font()->SetColor(data.SkinColors().BtnShadow);
  DrawTextAt(canvas, x, y, text);
}

}  // namespace kora::skinc
