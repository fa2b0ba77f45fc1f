// TbsSkinPageControl painting: the frame round the page area, the strip
// of tabs, each tab in its state, and the pages' backgrounds.

#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"
#include "skin/controls/bsSkinTabs.h"
#include "skin/data/bsEffects.h"

namespace kora {

namespace {

constexpr TColor kUnboundHotFill = RGB(182, 189, 210);
constexpr TColor kUnboundFocusFill = RGB(133, 147, 181);
constexpr TColor kUnboundActiveFrame = RGB(0, 0, 128);

// Repeats the picture's piece over the area from its top-left corner:
// columns and rows 0 .. size div piece size, cut at the area's edges.
void TilePiece(HDC dc, const RECT& area, TBitmap* picture, const RECT& piece) {
  const int pw = WidthOf(piece), ph = HeightOf(piece);
  if (!picture || pw <= 0 || ph <= 0 || IsEmptyRect(area)) return;
  const ScopedSaveDC saved(dc);
  IntersectClipRect(dc, area.Left, area.Top, area.Right, area.Bottom);
  const HDC source = picture->Canvas()->Handle();
  for (int i = 0; i <= WidthOf(area) / pw; ++i)
    for (int j = 0; j <= HeightOf(area) / ph; ++j)
      BitBlt(dc, area.Left + i * pw, area.Top + j * ph, pw, ph, source, piece.Left, piece.Top, SRCCOPY);
}

void Fill(TCanvas* canvas, const RECT& r, TColor color) {
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(color);
  canvas->FillRect(r);
}

// The image turned for a side: bottom tabs upside down, left ones a
// quarter to the left, right ones to the right.
enum class TTurn { kNone, kFlip, kLeft, kRight };

void Turn(TBitmap& image, TTurn turn) {
  if (turn == TTurn::kNone || image.Empty()) return;
  const TbsEffectBmp source(image.Handle());
  TbsEffectBmp turned(0, 0);
  switch (turn) {
    case TTurn::kFlip: source.FlipRows(turned); break;
    case TTurn::kLeft: source.RotateLeft90(turned); break;
    default: source.RotateRight90(turned); break;
  }
  image.SetSize(turned.Width(), turned.Height());
  turned.DrawToDevice(image.Canvas()->Handle(), 0, 0);
}

TTurn TurnFor(TTabPosition position) {
  switch (position) {
    case tpBottom: return TTurn::kFlip;
    case tpLeft: return TTurn::kLeft;
    case tpRight: return TTurn::kRight;
    default: return TTurn::kNone;
  }
}

}  // namespace

void TbsSkinPageControl::PaintStripPiece(HDC dc, const RECT& strip, TBitmap& piece) const {
  // Repeated along the strip with its page side (the baseline) on the
  // strip's page side; where the strip is thicker, its outermost line
  // goes on to the control's edge.
  const int pw = piece.Width(), ph = piece.Height(), w = WidthOf(strip), h = HeightOf(strip);
  const HDC source = piece.Canvas()->Handle();
  const bool across = !SideTabs();
  const int along = across ? w : h, step = across ? pw : ph;
  const int thick = across ? h : w, pieceThick = across ? ph : pw;
  // Where the piece starts across the strip, and its outermost line.
  const bool pageFirst = TabPosition() == tpBottom || TabPosition() == tpRight;
  const int at = pageFirst ? 0 : thick - pieceThick;
  const int outer = pageFirst ? pieceThick - 1 : 0;
  const int restFrom = pageFirst ? pieceThick : 0, rest = std::max(thick - pieceThick, 0);
  for (int i = 0; i <= along / step; ++i) {
    const int a = i * step;
    if (across) {
      BitBlt(dc, a, at, pw, ph, source, 0, 0, SRCCOPY);
      if (rest > 0) StretchBlt(dc, a, restFrom, pw, rest, source, 0, outer, pw, 1, SRCCOPY);
    } else {
      BitBlt(dc, at, a, pw, ph, source, 0, 0, SRCCOPY);
      if (rest > 0) StretchBlt(dc, restFrom, a, rest, ph, source, outer, 0, 1, ph, SRCCOPY);
    }
  }
}

void TbsSkinPageControl::Paint() { PaintControl(Canvas()); }

void TbsSkinPageControl::PaintSkinBackground(HDC dc) {
  TCanvas canvas;
  canvas.SetHandle(dc);
  PaintControl(&canvas);
  canvas.SetHandle(HDC());
}

void TbsSkinPageControl::PaintControl(TCanvas* canvas) {
  if (Width() <= 0 || Height() <= 0) return;
  ResolveSkinRecord();
  const RECT client = ClientRect();
  if (PageCount() == 0) {
    if (Bound()) {
      TilePageBackground(canvas->Handle(), client);
    } else {
      Fill(canvas, client, Color());
      RECT frame = DisplayRect().Inflated(2, 2);
      DrawEdge(canvas->Handle(), &frame, EDGE_RAISED, BF_RECT);
    }
    return;
  }
  const RECT page = DisplayRect();
  PaintFrame(canvas, page);
  // A page area no sheet covers (no page shown) shows the sheets' background.
  if (!ActivePage() || !ActivePage()->Visible()) {
    const ScopedSaveDC saved(canvas->Handle());
    OffsetViewportOrgEx(canvas->Handle(), page.Left, page.Top, nullptr);
    PaintSheetBackground(canvas->Handle(), WidthOf(page), HeightOf(page));
  }
  if (Bound()) {
    PaintStrip(canvas, StripRect());
  } else {
    const int selected = TabIndex();
    for (int i = 0, n = 0; i < PageCount(); ++i) {
      if (!Pages(i)->TabVisible()) continue;
      PaintTab(canvas, i, AdjustedTabRect(n), n == FHotTab, n == selected);
      ++n;
    }
  }
  PaintSelectedTab(canvas);
}

void TbsSkinPageControl::PaintFrame(TCanvas* canvas, const RECT& page) {
  if (!Bound() || !FRecord.Picture) {
    Fill(canvas, ClientRect(), clBtnFace);
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(page.Inflated(1, 1));
    return;
  }
  const RECT& skin = FRecord.SkinRect;
  const RECT& c = FRecord.ClientRect;
  const RECT frame{page.Left - c.Left, page.Top - c.Top, page.Right + WidthOf(skin) - c.Right,
                   page.Bottom + HeightOf(skin) - c.Bottom};
  const int fw = WidthOf(frame), fh = HeightOf(frame);
  if (fw <= 0 || fh <= 0) return;
  const TbsSkinGeometry geo{FRecord.LeftTop, FRecord.RightTop, FRecord.LeftBottom, FRecord.RightBottom, c};
  TBitmap left, top, right, bottom;
  ComposeBorderBands(geo, geo.Moved(skin, fw, fh), {&left, &top, &right, &bottom}, FRecord.Picture, skin, {fw, fh},
                     FRecord.Stretch);
  canvas->Draw(frame.Left, frame.Top, &top);
  canvas->Draw(frame.Left, frame.Top + top.Height(), &left);
  canvas->Draw(frame.Right - right.Width(), frame.Top + top.Height(), &right);
  canvas->Draw(frame.Left, frame.Bottom - bottom.Height(), &bottom);
}

void TbsSkinPageControl::PaintStrip(TCanvas* canvas, const RECT& strip) {
  if (IsEmptyRect(strip)) return;
  TBitmap image;
  image.SetSize(WidthOf(strip), HeightOf(strip));
  TCanvas* on = image.Canvas();
  if (FTabsBGTransparent) {
    PaintParentBackground(this, on, RECT{strip.Left, strip.Top, 0, 0});
  } else {
    const RECT piece = !IsEmptyRect(FRecord.TabsBGRect)
                           ? FRecord.TabsBGRect
                           : FRecord.ClientRect.Offsetted(FRecord.SkinRect.Left, FRecord.SkinRect.Top);
    if (FRecord.Picture && !IsEmptyRect(piece)) {
      // The piece is drawn for tabs on top; it faces the page like the tabs do.
      TBitmap turned;
      turned.SetSize(WidthOf(piece), HeightOf(piece));
      BitBlt(turned.Canvas()->Handle(), 0, 0, WidthOf(piece), HeightOf(piece), FRecord.Picture->Canvas()->Handle(),
             piece.Left, piece.Top, SRCCOPY);
      Turn(turned, TurnFor(TabPosition()));
      PaintStripPiece(on->Handle(), {0, 0, image.Width(), image.Height()}, turned);
    } else {
      Fill(on, {0, 0, image.Width(), image.Height()}, clBtnFace);
    }
  }
  const int selected = TabIndex();
  {
    const ScopedSaveDC saved(on->Handle());
    ExcludeScrollerColumn(on->Handle(), {-strip.Left, -strip.Top});
    for (int i = 0, n = 0; i < PageCount(); ++i) {
      if (!Pages(i)->TabVisible()) continue;
      PaintTab(on, i, AdjustedTabRect(n).Offsetted(-strip.Left, -strip.Top), n == FHotTab, n == selected);
      ++n;
    }
  }
  canvas->Draw(strip.Left, strip.Top, &image);
}

void TbsSkinPageControl::PaintSelectedTab(TCanvas* canvas) {
  const int selected = TabIndex();
  if (selected < 0) return;
  RECT r = AdjustedTabRect(selected);
  // A taller active piece reaches over the page's edge; on the far sides
  // it starts one pixel further out.
  if (Bound() && HeightOf(FRecord.TabRect) != HeightOf(FRecord.ActiveTabRect)) {
    if (TabPosition() == tpBottom) r.Offset(0, -1);
    if (TabPosition() == tpRight) r.Offset(-1, 0);
  }
  const ScopedSaveDC saved(canvas->Handle());
  ExcludeScrollerColumn(canvas->Handle(), {});
  PaintTab(canvas, ActivePageIndex(), r, selected == FHotTab, true);
}

void TbsSkinPageControl::ExcludeScrollerColumn(HDC dc, POINT offset) const {
  // The tabs end where the scroller starts; the strip shows round it.
  if (!FScroller || !FScroller->Visible()) return;
  const RECT strip = StripRect().Offsetted(offset.X, offset.Y);
  ExcludeClipRect(dc, FScroller->Left() + offset.X, strip.Top, strip.Right, strip.Bottom);
}

void TbsSkinPageControl::PaintTab(TCanvas* canvas, int pageIndex, const RECT& rect, bool mouseIn, bool active) {
  const bool side = SideTabs();
  // Drawn as a tab on top, then turned to its side.
  const int w = side ? HeightOf(rect) : WidthOf(rect), h = side ? WidthOf(rect) : HeightOf(rect);
  if (w <= 0 || h <= 0) return;
  const bool focused = Focused();
  TBitmap image;
  if (!Bound()) {
    image.SetSize(w, h);
    TCanvas* ic = image.Canvas();
    if (!active) {
      Fill(ic, {0, 0, w, h}, mouseIn ? kUnboundHotFill : clBtnFace);
    } else {
      ic->Pen()->SetColor(kUnboundActiveFrame);
      ic->Brush()->SetStyle(bsSolid);
      ic->Brush()->SetColor(focused ? kUnboundFocusFill : kUnboundHotFill);
      ic->Rectangle(0, 0, w, h);
    }
  } else {
    const RECT& source = mouseIn && !active && !IsEmptyRect(FRecord.MouseInTabRect) ? FRecord.MouseInTabRect
                         : active && focused                                        ? FRecord.FocusTabRect
                         : !active                                                  ? FRecord.TabRect
                                                                                    : FRecord.ActiveTabRect;
    if (FRecord.Picture && !IsEmptyRect(source)) {
      ComposeHorizontalStrip(FRecord.TabLeftOffset, FRecord.TabRightOffset, &image, FRecord.TabStretch, w, source,
                             FRecord.Picture);
    } else {
      image.SetSize(w, h);
      Fill(image.Canvas(), {0, 0, w, h}, clBtnFace);
    }
    if (TabHeight() > 0 && image.Height() != h) {
      TBitmap stretched;
      stretched.SetSize(w, h);
      stretched.Canvas()->StretchDraw({0, 0, w, h}, &image);
      image.Assign(&stretched);
    }
    if (TabPosition() == tpBottom) Turn(image, TTurn::kFlip);
  }
  // A taller active piece grows towards the page: below the content on
  // top, above it once flipped for the bottom.
  const int grown = std::max(image.Height() - h, 0);
  const int top = TabPosition() == tpBottom ? grown : 0;
  PaintTabContent(image.Canvas(), pageIndex, {0, top, w, top + h}, mouseIn, active);
  if (side) Turn(image, TabPosition() == tpLeft ? TTurn::kLeft : TTurn::kRight);
  canvas->Draw(rect.Left, rect.Top, &image);
}

void TbsSkinPageControl::PaintTabContent(TCanvas* canvas, int pageIndex, const RECT& rect, bool mouseIn, bool active) {
  const bool focused = Focused();
  TFont font;
  font.Assign(Font());
  if (Bound()) {
    if (FUseSkinFont) {
      font.SetName(FRecord.FontName);
      font.SetHeight(FRecord.FontHeight);
      font.SetStyle(FRecord.FontStyle);
    }
    font.SetColor(mouseIn && !active  ? FRecord.MouseInFontColor
                  : active && focused ? FRecord.FocusFontColor
                  : !active           ? FRecord.FontColor
                                      : FRecord.ActiveFontColor);
  }
  font.SetCharset(SkinTextCharset(FSkinData, FDefaultFont.get()));
  canvas->SetFont(&font);
  if (Bound() && FRecord.ShowFocus && active && focused) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(FSkinData->SkinColors().BtnFace);
    canvas->DrawFocusRect(rect.Inflated(-FRecord.FocusOffsetX, -FRecord.FocusOffsetY));
  }
  if (OnDrawSkinTab) {
    OnDrawSkinTab(this, pageIndex, rect, active, mouseIn, canvas);
    return;
  }
  const TTabSheet* page = Pages(pageIndex);
  const HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(font.Color()));
  const int image = page->ImageIndex();
  if (FImages && image >= 0 && image < FImages->Count()) {
    RECT measure{0, 0, 0, 0};
    DrawText(dc, std::string_view(page->Caption()), &measure, DT_SINGLELINE | DT_CALCRECT);
    const int block = FImages->Width() + kImageGap + WidthOf(measure);
    const int x = rect.Left + (WidthOf(rect) - block) / 2;
    FImages->Draw(canvas, x, rect.Top + (HeightOf(rect) - FImages->Height()) / 2, image, page->Enabled());
    RECT text{x + FImages->Width() + kImageGap, rect.Top, rect.Right, rect.Bottom};
    DrawText(dc, std::string_view(page->Caption()), &text, DT_SINGLELINE | DT_VCENTER);
    return;
  }
  RECT text = rect;
  DrawText(dc, std::string_view(page->Caption()), &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  // A skin without a focused look still shows where the keys go: the
  // classic dotted rectangle round the caption.
  if (Bound() && !FRecord.HasFocusLook && active && focused) {
    RECT caption{0, 0, 0, 0};
    DrawText(dc, std::string_view(page->Caption()), &caption, DT_SINGLELINE | DT_CALCRECT);
    const int left = rect.Left + (WidthOf(rect) - WidthOf(caption)) / 2;
    const int top = rect.Top + (HeightOf(rect) - HeightOf(caption)) / 2;
    const RECT around = RECT::FromSize(left, top, WidthOf(caption), HeightOf(caption)).Inflated(2, 1);
    canvas->DrawFocusRect(around.Intersect(rect));
  }
}

// ---- Backgrounds --------------------------------------------------------------------

void TbsSkinPageControl::TilePageBackground(HDC dc, const RECT& area) {
  TBitmap* background = FRecord.BGPictureIndex != -1 && FSkinData && !FSkinData->Empty()
                            ? FSkinData->FindActivePicture(FRecord.BGPictureIndex)
                            : nullptr;
  if (background && !background->Empty()) {
    TilePiece(dc, area, background, {0, 0, background->Width(), background->Height()});
    return;
  }
  const RECT piece = FRecord.ClientRect.Offsetted(FRecord.SkinRect.Left, FRecord.SkinRect.Top);
  if (FRecord.Picture && !IsEmptyRect(piece)) {
    TilePiece(dc, area, FRecord.Picture, piece);
    return;
  }
  HBRUSH brush = CreateSolidBrush(ColorToColorRef(clBtnFace));
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void TbsSkinPageControl::PaintSheetBackground(HDC dc, int width, int height) {
  const RECT area{0, 0, width, height};
  ResolveSkinRecord();
  if (!Bound()) {
    HBRUSH brush = CreateSolidBrush(ColorToColorRef(clBtnFace));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    return;
  }
  TilePageBackground(dc, area);
}

}  // namespace kora
