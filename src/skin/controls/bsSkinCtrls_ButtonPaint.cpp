// TbsSkinButton's looks: the state rectangles copied from the record, the
// skinned image of one state, the cross-fade between two of them, the
// default look, and the glyph and caption laid out in both.

#include <algorithm>

#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/data/bsEffects.h"

namespace kora {

namespace {

constexpr uint32_t kCaptionFlags = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;

// The default look's colours.
constexpr TColor kNavy = RGB(0, 0, 128);
constexpr TColor kDownFill = RGB(133, 147, 181);
constexpr TColor kHotFill = RGB(182, 189, 210);

// Frame n (from 1) of count frames of the animation rectangle: side by side
// when it is wider than the skin rectangle, else one under another.
RECT AnimationFrame(const RECT& animation, const RECT& skin, int n, int count) {
  if (WidthOf(animation) > WidthOf(skin)) {
    const int w = WidthOf(animation) / count;
    return {animation.Left + (n - 1) * w, animation.Top, animation.Left + n * w, animation.Bottom};
  }
  const int h = HeightOf(animation) / count;
  return {animation.Left, animation.Top + (n - 1) * h, animation.Right, animation.Top + n * h};
}

// The effect image of a bitmap and back, straight between the two pixel
// memories (32-bit 0x00RRGGBB against 24-bit blue, green, red).
TbsEffectBmp EffectImageOf(TBitmap& bitmap) {
  TbsEffectBmp image(bitmap.Width(), bitmap.Height());
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* from = bitmap.ScanLine(y);
    uint8_t* to = image.Row(y);
    for (int x = 0; x < image.Width(); ++x, from += 4, to += 3) {
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
  }
  return image;
}

void PutEffectImage(const TbsEffectBmp& image, TBitmap& bitmap) {
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* from = image.Row(y);
    uint8_t* to = bitmap.ScanLine(y);
    for (int x = 0; x < image.Width(); ++x, from += 3, to += 4) {
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
  }
}

}  // namespace

TbsButtonContent PlaceButtonContent(const RECT& area, SIZE glyph, SIZE text, TbsButtonLayout layout, int margin,
                                    int spacing) {
  const int gw = glyph.cx, gh = glyph.cy, tw = text.cx, th = text.cy;
  const int cx = area.Left + WidthOf(area) / 2, cy = area.Top + HeightOf(area) / 2;
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  TbsButtonContent c{};
  // The other axis centres both.
  if (across) {
    c.Glyph.Y = cy - gh / 2;
    c.Text.Y = cy - th / 2;
  } else {
    c.Glyph.X = cx - gw / 2;
    c.Text.X = cx - tw / 2;
  }
  if (margin >= 0) {
    switch (layout) {
      case blGlyphLeft:
        c.Glyph.X = area.Left + margin;
        c.Text.X = c.Glyph.X + gw + spacing;
        break;
      case blGlyphRight:
        c.Glyph.X = area.Right - gw - margin;
        c.Text.X = c.Glyph.X - spacing - tw;
        break;
      case blGlyphTop:
        c.Glyph.Y = area.Top + margin;
        c.Text.Y = c.Glyph.Y + gh + spacing;
        break;
      case blGlyphBottom:
        c.Glyph.Y = area.Bottom - gh - margin;
        c.Text.Y = c.Glyph.Y - spacing - th;
        break;
    }
    return c;
  }
  const int m = (gw + tw + spacing) / 2, l = (th + gh + spacing) / 2;
  switch (layout) {
    case blGlyphLeft:
      c.Glyph.X = cx - m;
      c.Text.X = cx + m - tw;
      break;
    case blGlyphRight:
      c.Text.X = cx - m;
      c.Glyph.X = cx + m - gw;
      break;
    case blGlyphTop:
      c.Glyph.Y = cy - l;
      c.Text.Y = cy + l - th;
      break;
    case blGlyphBottom:
      c.Text.Y = cy - l;
      c.Glyph.Y = cy + l - gh;
      break;
  }
  return c;
}

// ---- The record ---------------------------------------------------------------------------

void TbsSkinButton::CopyRecord(const TbsDataSkinButtonControl* record) {
  FFontName = record->FontName;
  FFontHeight = record->FontHeight;
  FFontStyle = record->FontStyle;
  FFontColor = record->FontColor;
  FActiveFontColor = record->ActiveFontColor;
  FDownFontColor = record->DownFontColor;
  FDisabledFontColor = record->DisabledFontColor;
  HotSourceRect = IsEmptyRect(record->ActiveSkinRect) ? SourceRect : record->ActiveSkinRect;
  DownSourceRect = IsEmptyRect(record->DownSkinRect) ? HotSourceRect : record->DownSkinRect;
  DisabledSourceRect = record->DisabledSkinRect;
  FMorphing = record->Morphing;
  FMorphKind = int(record->MorphKind);
  FAnimateRect = record->AnimateSkinRect;
  FFrameCount = record->FrameCount;
  FAnimateInterval = record->AnimateInterval;
  FShowFocus = record->ShowFocus;
}

void TbsSkinButton::ResolveSkinRecord() {
  TbsSkinCustomControl::ResolveSkinRecord();
  if (RecordIndex() == -1) {
    FAnimateRect = {};
    return;
  }
  const auto* record = dynamic_cast<const TbsDataSkinButtonControl*>(SkinRecord());
  if (!record) {
    // Another kind of record: its geometry only, in one look.
    HotSourceRect = DownSourceRect = SourceRect;
    DisabledSourceRect = FAnimateRect = {};
    FMorphing = FShowFocus = false;
    return;
  }
  CopyRecord(record);
  // A freely sized button stays rectangular.
  if (!FUseSkinSize) ShapeMask = nullptr;
  if (FFrameTimer->Enabled() && FAnimFrame > 0 && FAnimFrame <= FFrameCount) {
    const RECT frame = AnimationFrame(FAnimateRect, SourceRect, FAnimFrame, FFrameCount);
    if (FAnimForward)
      HotSourceRect = frame;
    else
      SourceRect = frame;
  }
}

void TbsSkinButton::FitSizeToSkin(int& width, int& height) {
  if (FUseSkinSize || SizingMode == 1) TbsSkinCustomControl::FitSizeToSkin(width, height);
}

// ---- Skinned look -------------------------------------------------------------------------

void TbsSkinButton::PaintSkinLook(TBitmap* bitmap) {
  int width = Width(), height = Height();
  FitSizeToSkin(width, height);
  if (MorphingOn() && FMorphFactor > 0 && FMorphFactor < 1 && Enabled()) {
    TBitmap hot;
    hot.SetSize(bitmap->Width(), bitmap->Height());
    ComposeButtonImage(bitmap, SourceRect, false, false);
    ComposeButtonImage(&hot, HotSourceRect, true, false);
    TbsEffectBmp normal = EffectImageOf(*bitmap);
    normal.Morph(FMorphKind, EffectImageOf(hot), FMorphFactor);
    PutEffectImage(normal, *bitmap);
    return;
  }
  const bool focused = IsFocused();
  if (!Enabled() && !IsEmptyRect(DisabledSourceRect))
    ComposeButtonImage(bitmap, DisabledSourceRect, false, false);
  else if (FDown && (FGroupIndex != 0 || FMouseIn || (focused && !FMousePressed)))
    ComposeButtonImage(bitmap, DownSourceRect, true, true);
  else if (focused || FMouseIn || (MorphingOn() && FMorphFactor >= 1))
    ComposeButtonImage(bitmap, HotSourceRect, true, false);
  else
    ComposeButtonImage(bitmap, SourceRect, false, false);
}

void TbsSkinButton::ComposeButtonImage(TBitmap* bitmap, const RECT& rect, bool active, bool down) {
  RECT area;
  if (FUseSkinSize || SizingMode == 1) {
    // The base look, drawn from this state's rectangle.
    const RECT source = SourceRect;
    SourceRect = rect;
    TbsSkinCustomControl::PaintSkinLook(bitmap);
    SourceRect = source;
    area = FitInnerRect;
  } else {
    const int dw = bitmap->Width() - WidthOf(rect), dh = bitmap->Height() - HeightOf(rect);
    if (Picture && SizingMode == 0)
      TbsPiecePainter(bitmap, Picture).Copy(rect, {0, 0, bitmap->Width(), bitmap->Height()});
    else if (Picture && (SizingMode == 2 || SizingMode == 3))
      ComposeStretchedFrame(bitmap, Picture, rect, InnerRect, true);
    area = {InnerRect.Left, InnerRect.Top, InnerRect.Right + dw, InnerRect.Bottom + dh};
  }

  TCanvas* canvas = bitmap->Canvas();
  TFont* font = canvas->Font();
  font->Assign(DefaultFont());
  if (UseSkinFont()) {
    font->SetName(FFontName);
    font->SetHeight(FFontHeight);
    font->SetStyle(FFontStyle);
  }
  font->SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
  if (Enabled() && !FUseSkinFontColor)
    font->SetColor(DefaultFont()->Color());
  else if (!Enabled())
    font->SetColor(FDisabledFontColor);
  else if (active && down)
    font->SetColor(FDownFontColor);
  else if (active)
    font->SetColor(FActiveFontColor);
  else
    font->SetColor(FFontColor);

  if (FShowFocus && Focused()) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(SkinData()->SkinColors().BtnFace);
    canvas->DrawFocusRect(area);
  }
  DrawContent(canvas, area, active, down, active && down, true);
}

// ---- Default look -------------------------------------------------------------------------

void TbsSkinButton::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* canvas = bitmap->Canvas();
  const RECT r{0, 0, bitmap->Width(), bitmap->Height()};
  const bool focused = IsFocused();
  const bool downLook = FDown && (FGroupIndex != 0 || FMouseIn || (focused && !FMousePressed));
  TColor frame = clBtnShadow, fill = clBtnFace;
  if (downLook) {
    frame = kNavy;
    fill = kDownFill;
  } else if (FMouseIn || focused) {
    frame = kNavy;
    fill = kHotFill;
  }
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(fill);
  canvas->FillRect(r);
  canvas->Brush()->SetColor(frame);
  canvas->FrameRect(r);

  canvas->Font()->Assign(DefaultFont());
  canvas->Font()->SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
  if (!Enabled()) canvas->Font()->SetColor(clBtnShadow);
  DrawContent(canvas, r, FMouseIn, downLook, downLook, !downLook || FMouseIn);
}

// ---- Glyph and caption ----------------------------------------------------------------------

bool TbsSkinButton::ImageValid() const { return FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count(); }

SIZE TbsSkinButton::GlyphSize() const {
  if (FGlyph->Empty()) return {0, 0};
  return {FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
}

int TbsSkinButton::GlyphFrame(bool active, bool down) const {
  if (down && active && FNumGlyphs > 2) return 3;
  if (active && FNumGlyphs > 3) return 4;
  if (Enabled() || FNumGlyphs < 2) return 1;
  return 2;
}

void TbsSkinButton::DrawContent(TCanvas* canvas, const RECT& area, bool active, bool down, bool shifted,
                                bool allowImage) {
  const bool image = allowImage && ImageValid();
  const SIZE glyph = image ? SIZE{FImageList->Width(), FImageList->Height()} : GlyphSize();
  canvas->Brush()->SetStyle(bsClear);
  const HDC dc = canvas->Handle();
  SIZE text{0, 0};
  if (!Caption().empty()) {
    const bool across = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    RECT box{0, 0, std::max(0, WidthOf(area) - (across ? glyph.cx : 0)),
             std::max(0, HeightOf(area) - (across ? 0 : glyph.cy))};
    DrawText(dc, Caption(), &box, kCaptionFlags | DT_CALCRECT);
    text = {WidthOf(box), HeightOf(box)};
  }
  TbsButtonContent at = PlaceButtonContent(area, glyph, text, FLayout, FMargin, FSpacing);
  if (shifted) {
    at.Glyph = at.Glyph.Offsetted(1, 1);
    at.Text = at.Text.Offsetted(1, 1);
  }
  if (image)
    FImageList->Draw(canvas, at.Glyph.X, at.Glyph.Y, FImageIndex, Enabled());
  else if (glyph.cx > 0)
    DrawStripFrame(canvas, at.Glyph.X, at.Glyph.Y, GlyphFrame(active, down), FNumGlyphs, FGlyph.get());
  if (text.cx > 0 || text.cy > 0) {
    RECT r{at.Text.X, at.Text.Y, at.Text.X + text.cx + 2, at.Text.Y + text.cy};
    canvas->Brush()->SetStyle(bsClear);
    DrawText(canvas->Handle(), Caption(), &r, kCaptionFlags);
  }
}

void TbsSkinButton::PaintInto(HDC dc) {
  if (Width() <= 0 || Height() <= 0) return;
  ResolveSkinRecord();
  TBitmap bitmap;
  bitmap.SetSize(Width(), Height());
  if (RecordIndex() == -1)
    PaintDefaultLook(&bitmap);
  else
    PaintSkinLook(&bitmap);
  BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace kora
