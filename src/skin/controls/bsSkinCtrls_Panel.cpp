// TbsSkinPanel and TbsSkinGroupBox: the container look, the caption bar
// with its check box, glyph and roll-up marker, folding to the caption, and
// the children's area.

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "platform/text/TextFlags.h"
#include "skin/controls/bsSkinCtrls_Panel.h"

namespace kora {

namespace {

// The check box of the default look, and the roll-up marker's width.
constexpr int kCheckBoxSize = 14;
constexpr int kMarkerWidth = 10;

// Draws a one-pixel frame (top and left in one colour, bottom and right in
// the other) and shrinks the rectangle by it.
void Frame3D(TCanvas* canvas, RECT& r, TColor topLeft, TColor bottomRight) {
  if (IsEmptyRect(r)) return;
  TBrush* brush = canvas->Brush();
  brush->SetStyle(bsSolid);
  brush->SetColor(topLeft);
  canvas->FillRect({r.Left, r.Top, r.Right, r.Top + 1});
  canvas->FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
  brush->SetColor(bottomRight);
  canvas->FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
  canvas->FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
  r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
}

}  // namespace

const TTypeInfo* TypeInfoOf(TbsSkinBorderStyle) {
  static const TTypeInfo info = EnumTypeInfo("TbsSkinBorderStyle", {"bvFrame", "bvRaised", "bvLowered", "bvNone"});
  return &info;
}

TClass TbsSkinPanel::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinPanel>("TbsSkinPanel")
          .Property("BorderStyle", &TbsSkinPanel::BorderStyle, &TbsSkinPanel::SetBorderStyle)
          .Default(bvFrame)
          .Property("CaptionMode", &TbsSkinPanel::CaptionMode, &TbsSkinPanel::SetCaptionMode)
          .Default(false)
          .Property("DefaultCaptionHeight", &TbsSkinPanel::DefaultCaptionHeight, &TbsSkinPanel::SetDefaultCaptionHeight)
          .Default(22)
          .Property("DefaultAlignment", &TbsSkinPanel::DefaultAlignment, &TbsSkinPanel::SetDefaultAlignment)
          .Default(taLeftJustify)
          .Property("Glyph", &TbsSkinPanel::Glyph, &TbsSkinPanel::SetGlyph)
          .Property("NumGlyphs", &TbsSkinPanel::NumGlyphs, &TbsSkinPanel::SetNumGlyphs)
          .Default(1)
          .Property("Spacing", &TbsSkinPanel::Spacing, &TbsSkinPanel::SetSpacing)
          .Default(2)
          .Property("CaptionImageList", &TbsSkinPanel::CaptionImageList, &TbsSkinPanel::SetCaptionImageList)
          .Property("CaptionImageIndex", &TbsSkinPanel::CaptionImageIndex, &TbsSkinPanel::SetCaptionImageIndex)
          .Default(-1)
          .Property("CheckedMode", &TbsSkinPanel::CheckedMode, &TbsSkinPanel::SetCheckedMode)
          .Default(false)
          .Property("Checked", &TbsSkinPanel::Checked, &TbsSkinPanel::SetChecked)
          .Default(false)
          .Property("AutoEnabledControls", &TbsSkinPanel::AutoEnabledControls, &TbsSkinPanel::SetAutoEnabledControls)
          .Default(true)
          .Property("RollUpMode", &TbsSkinPanel::RollUpMode, &TbsSkinPanel::SetRollUpMode)
          .Default(false)
          .Property("RollUpState", &TbsSkinPanel::RollUpState, &TbsSkinPanel::SetRollUpState)
          .Default(false)
          .Property("RealHeight", &TbsSkinPanel::RealHeight, &TbsSkinPanel::SetRealHeight)
          .Default(-1)
          .Property("OnChecked", &TbsSkinPanel::OnChecked)
          .Property("OnChangeRollUpState", &TbsSkinPanel::OnChangeRollUpState));
  return &info;
}

TbsSkinPanel::TbsSkinPanel(TComponent* owner) : TbsSkinCustomControl(owner), FGlyph(std::make_unique<TBitmap>()) {
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque});
  ContainerPaint = true;
  SetBounds(Left(), Top(), 150, 150);
  SetSkinDataName("panel");
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TbsSkinPanel::~TbsSkinPanel() { FGlyph->OnChange = nullptr; }

// ---- Properties ---------------------------------------------------------------------

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle value) {
  FBorderStyle = value;
  // Bound too: a borderless panel without caption tiles its whole area.
  Invalidate();
  Realign();
}

void TbsSkinPanel::SetCaptionMode(bool value) {
  FCaptionMode = value;
  Invalidate();
  Realign();
}

void TbsSkinPanel::SetDefaultCaptionHeight(int32_t value) {
  FDefaultCaptionHeight = value;
  if (RecordIndex() != -1 || !FCaptionMode) return;
  Invalidate();
  Realign();
}

void TbsSkinPanel::SetDefaultAlignment(TAlignment value) {
  FDefaultAlignment = value;
  if (RecordIndex() == -1 && FCaptionMode) Invalidate();
}

void TbsSkinPanel::SetGlyph(const TBitmap* value) {
  FGlyph->Assign(value);
  Invalidate();
}

void TbsSkinPanel::SetNumGlyphs(int32_t value) {
  FNumGlyphs = std::clamp(value, 1, 2);
  Invalidate();
}

void TbsSkinPanel::SetSpacing(int32_t value) {
  FSpacing = value;
  Invalidate();
}

void TbsSkinPanel::SetCaptionImageList(TCustomImageList* value) {
  if (value == FCaptionImageList) return;
  if (FCaptionImageList) FCaptionImageList->RemoveFreeNotification(this);
  FCaptionImageList = value;
  if (value) value->FreeNotification(this);
  Invalidate();
}

void TbsSkinPanel::SetCaptionImageIndex(int32_t value) {
  if (value == FCaptionImageIndex) return;
  FCaptionImageIndex = value;
  Invalidate();
}

void TbsSkinPanel::SetCheckedMode(bool value) {
  FCheckedMode = value;
  Invalidate();
}

void TbsSkinPanel::SetChecked(bool value) {
  FChecked = value;
  if (FCheckedMode) {
    Invalidate();
    if (FAutoEnabledControls)
      for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(value);
  }
  if (!ComponentState().Contains(csLoading) && !Designing()) OnChecked(this);
}

void TbsSkinPanel::SetRollUpMode(bool value) {
  FRollUpMode = value;
  // The marker shows in both looks.
  if (FCaptionMode) Invalidate();
}

void TbsSkinPanel::SetRollUpState(bool value) {
  if (value == FRollUpState) return;
  if (ComponentState().Contains(csLoading)) {
    // The stored height is already the folded one; Loaded finishes the fold.
    FRollUpState = value;
    return;
  }
  if (!FRollUpMode) {
    // Without the mode the panel cannot stay folded.
    if (FRealHeight != -1) Unfold();
    RestoreConstraints();
    FRollUpState = false;
    return;
  }
  FRollUpState = value;
  if (value)
    Fold();
  else
    Unfold();
  if (!Designing()) OnChangeRollUpState(this);
}

// ---- Folding ---------------------------------------------------------------------------

int TbsSkinPanel::FoldedHeight() {
  ResolveSkinRecord();
  if (RecordIndex() == -1) return FDefaultCaptionHeight + 1;
  int width = Width(), height = Height();
  FitSizeToSkin(width, height);
  return Height() - HeightOf(FitInnerRect);
}

void TbsSkinPanel::SuspendChildren() {
  if (!FConstraintsSaved) {
    TSizeConstraints* c = Constraints();
    FSavedMaxWidth = c->MaxWidth();
    FSavedMinWidth = c->MinWidth();
    FSavedMaxHeight = c->MaxHeight();
    FSavedMinHeight = c->MinHeight();
    FConstraintsSaved = true;
    c->SetMaxWidth(0);
    c->SetMinWidth(0);
    c->SetMaxHeight(0);
    c->SetMinHeight(0);
  }
  if (!FAlignSuspended) {
    DisableAlign();
    FAlignSuspended = true;
  }
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (!child->Visible()) continue;
    FHiddenChildren.push_back(child);
    child->Hide();
  }
}

void TbsSkinPanel::RestoreConstraints() {
  if (!FConstraintsSaved) return;
  FConstraintsSaved = false;
  TSizeConstraints* c = Constraints();
  c->SetMaxWidth(FSavedMaxWidth);
  c->SetMinWidth(FSavedMinWidth);
  c->SetMaxHeight(FSavedMaxHeight);
  c->SetMinHeight(FSavedMinHeight);
}

void TbsSkinPanel::Fold() {
  if (FRealHeight != -1) return;
  FRealHeight = Height();
  SuspendChildren();
  SetHeight(FoldedHeight());
}

void TbsSkinPanel::Unfold() {
  if (FRealHeight == -1) return;
  SetHeight(FRealHeight);
  FRealHeight = -1;
  // Only what folding hid comes back; children hidden before stay hidden.
  std::vector<TControl*> hidden;
  hidden.swap(FHiddenChildren);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (std::find(hidden.begin(), hidden.end(), child) != hidden.end()) child->Show();
  }
  if (FAlignSuspended) {
    FAlignSuspended = false;
    EnableAlign();
  }
  RestoreConstraints();
}

void TbsSkinPanel::Loaded() {
  TbsSkinCustomControl::Loaded();
  if (!FRollUpState) return;
  if (!FRollUpMode) {
    FRollUpState = false;
    return;
  }
  if (FRealHeight == -1) {
    Fold();
  } else {
    SuspendChildren();
  }
}

// ---- Skin ------------------------------------------------------------------------------

void TbsSkinPanel::ResolveSkinRecord() {
  TbsSkinCustomControl::ResolveSkinRecord();
  BGPictureIndex = -1;
  if (RecordIndex() == -1) return;
  const auto* record = dynamic_cast<const TbsDataSkinPanelControl*>(SkinRecord());
  if (!record) {
    // Another kind of record: no background and no caption bar.
    SkinCaptionRect = CheckImageRect = UnCheckImageRect = MarkFrameRect = FrameRect = FrameTextRect = RECT{};
    return;
  }
  BGPictureIndex = record->BGPictureIndex;
  SkinCaptionRect = record->CaptionRect;
  SkinAlignment = record->Alignment;
  SkinFont.FontName = record->FontName;
  SkinFont.FontStyle = record->FontStyle;
  SkinFont.FontHeight = record->FontHeight;
  SkinFont.FontColor = record->FontColor;
  CheckImageRect = record->CheckImageRect;
  UnCheckImageRect = record->UnCheckImageRect;
  MarkFrameRect = record->MarkFrameRect;
  FrameRect = record->FrameRect;
  FrameLeftOffset = record->FrameLeftOffset;
  FrameRightOffset = record->FrameRightOffset;
  FrameTextRect = record->FrameTextRect;
}

void TbsSkinPanel::ApplySkinChange() {
  TbsSkinCustomControl::ApplySkinChange();
  if (FRollUpState && FRealHeight != -1) {
    // Folded to the new skin's caption bar; RealHeight stays what it was.
    SetHeight(FoldedHeight());
    return;
  }
  Realign();
}

void TbsSkinPanel::SetBounds(int left, int top, int width, int height) {
  TbsSkinCustomControl::SetBounds(left, top, width, height);
  if (RecordIndex() == -1) Invalidate();
}

RECT TbsSkinPanel::TransferRect(const RECT& rect) const {
  const int dx = Width() - WidthOf(SourceRect), dy = Height() - HeightOf(SourceRect);
  const int w = WidthOf(SourceRect), h = HeightOf(SourceRect);
  switch (SizingMode) {
    case 1: {
      const RECT topLeft{0, 0, TopLeftMark.X, TopLeftMark.Y};
      const RECT topRight{TopRightMark.X, 0, w, TopRightMark.Y};
      const RECT bottomLeft{0, BottomLeftMark.Y, BottomLeftMark.X, h};
      const RECT bottomRight{BottomRightMark.X, BottomRightMark.Y, w, h};
      if (topLeft.Contains(rect)) return rect;
      if (topRight.Contains(rect)) return rect.Offsetted(dx, 0);
      if (bottomLeft.Contains(rect)) return rect.Offsetted(0, dy);
      if (bottomRight.Contains(rect)) return rect.Offsetted(dx, dy);
      // Each corner (its own pixel) moves with the areas it lies in.
      const auto right = [&](POINT p) { return topRight.Contains(p) || bottomRight.Contains(p); };
      const auto bottom = [&](POINT p) { return bottomLeft.Contains(p) || bottomRight.Contains(p); };
      const POINT first = rect.TopLeft(), last{rect.Right - 1, rect.Bottom - 1};
      return {rect.Left + (right(first) ? dx : 0), rect.Top + (bottom(first) ? dy : 0),
              rect.Right + (right(last) ? dx : 0), rect.Bottom + (bottom(last) ? dy : 0)};
    }
    case 2:
      if (rect.Left <= TopLeftMark.X && rect.Right >= TopRightMark.X)
        return {rect.Left, rect.Top, rect.Right + dx, rect.Bottom};
      if (rect.Left >= TopRightMark.X) return rect.Offsetted(dx, 0);
      return rect;
    case 3:
      if (rect.Top <= TopLeftMark.Y && rect.Bottom >= BottomLeftMark.Y)
        return {rect.Left, rect.Top, rect.Right, rect.Bottom + dy};
      if (rect.Top >= BottomLeftMark.Y) return rect.Offsetted(0, dy);
      return rect;
    default: return rect;
  }
}

RECT TbsSkinPanel::SkinCaptionArea() const { return SizingMode < 1 ? SkinCaptionRect : TransferRect(SkinCaptionRect); }

void TbsSkinPanel::AdjustClientRect(RECT& rect) const {
  if (RecordIndex() == -1 || Designing()) {
    if (FBorderStyle != bvNone) rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    if (FCaptionMode) rect.Top += FDefaultCaptionHeight;
    return;
  }
  // A background picture, a borderless tiled interior or a record without
  // geometry give the children the whole client area.
  if (BGPictureIndex != -1 || SizingMode == -1) return;
  if (FBorderStyle == bvNone && !FCaptionMode && SizingMode == 1) return;
  rect = FitInnerRect;
}

// ---- Painting --------------------------------------------------------------------------

void TbsSkinPanel::TilePicture(TCanvas* canvas, TBitmap* picture, const RECT& piece, int width, int height) {
  const int pw = WidthOf(piece), ph = HeightOf(piece);
  if (!picture || pw <= 0 || ph <= 0) return;
  const HDC dc = canvas->Handle(), source = picture->Canvas()->Handle();
  for (int i = 0; i <= width / pw; ++i)
    for (int j = 0; j <= height / ph; ++j) {
      // The last column and row are cut at the edges.
      const int x = i * pw, y = j * ph;
      BitBlt(dc, x, y, std::min(pw, width - x), std::min(ph, height - y), source, piece.Left, piece.Top, SRCCOPY);
    }
}

void TbsSkinPanel::Paint() {
  ResolveSkinRecord();
  if (RecordIndex() != -1 && (ContainerPaint || !StretchMiddle)) {
    if (FBorderStyle == bvNone && SizingMode == 1 && !FCaptionMode && ContainerPaint && Picture) {
      TilePicture(Canvas(), Picture, InnerRect.Offsetted(SourceRect.Left, SourceRect.Top), Width(), Height());
      return;
    }
    if (BGPictureIndex != -1) {
      if (TBitmap* background = SkinData()->FindActivePicture(BGPictureIndex)) {
        TilePicture(Canvas(), background, {0, 0, background->Width(), background->Height()}, Width(), Height());
        return;
      }
    }
  }
  TbsSkinCustomControl::Paint();
}

void TbsSkinPanel::PaintSkinLook(TBitmap* bitmap) {
  if (FBorderStyle == bvNone && SizingMode == 1 && !FCaptionMode && !StretchMiddle) {
    TilePicture(bitmap->Canvas(), Picture, InnerRect.Offsetted(SourceRect.Left, SourceRect.Top), bitmap->Width(),
                bitmap->Height());
    return;
  }
  TbsSkinCustomControl::PaintSkinLook(bitmap);
  DrawSkinCaption(bitmap->Canvas());
}

SIZE TbsSkinPanel::CaptionImageSize() const {
  if (!FGlyph->Empty()) return {FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
  if (FCaptionImageList && FCaptionImageIndex >= 0 && FCaptionImageIndex < FCaptionImageList->Count())
    return {FCaptionImageList->Width(), FCaptionImageList->Height()};
  return {0, 0};
}

void TbsSkinPanel::DrawCaptionImage(TCanvas* canvas, int x, const RECT& work) {
  const SIZE size = CaptionImageSize();
  if (size.cx <= 0) return;
  const int y = work.Top + HeightOf(work) / 2 - size.cy / 2;
  if (!FGlyph->Empty()) {
    DrawStripFrame(canvas, x, y, !Enabled() && FNumGlyphs == 2 ? 2 : 1, FNumGlyphs, FGlyph.get());
    return;
  }
  FCaptionImageList->Draw(canvas, x, y, FCaptionImageIndex, Enabled());
}

void TbsSkinPanel::DrawCaptionBlock(TCanvas* canvas, const RECT& work, int x, int textX) {
  const std::string& text = Caption();
  const int textY = work.Top + HeightOf(work) / 2 - canvas->TextHeight(text) / 2;
  canvas->Brush()->SetStyle(bsClear);
  canvas->TextRect(work, textX, textY, text);
  DrawCaptionImage(canvas, x, work);
}

void TbsSkinPanel::DrawSkinCaption(TCanvas* canvas) {
  const RECT caption = SkinCaptionArea();
  if (Caption().empty() || IsEmptyRect(caption)) return;
  RECT work = caption;
  if (FRollUpMode) work.Right -= kMarkerWidth + 2;
  if (FCheckedMode) {
    const RECT& piece = FChecked ? CheckImageRect : UnCheckImageRect;
    if (!IsEmptyRect(piece) && Picture) {
      TBitmap image;
      image.SetSize(WidthOf(piece), HeightOf(piece));
      BitBlt(image.Canvas()->Handle(), 0, 0, WidthOf(piece), HeightOf(piece), Picture->Canvas()->Handle(), piece.Left,
             piece.Top, SRCCOPY);
      DrawStripFrame(canvas, work.Left, work.Top + HeightOf(work) / 2 - HeightOf(piece) / 2, 1, 1, &image);
    }
    work.Left += WidthOf(piece) + 2;
  }

  TFont* font = canvas->Font();
  if (UseSkinFont()) {
    font->SetName(SkinFont.FontName);
    font->SetHeight(SkinFont.FontHeight);
    font->SetStyle(SkinFont.FontStyle);
  } else {
    font->Assign(DefaultFont());
  }
  font->SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
  font->SetColor(SkinFont.FontColor);

  const std::string& text = Caption();
  const int textWidth = canvas->TextWidth(text);
  const SIZE image = CaptionImageSize();
  const int imageWidth = image.cx > 0 ? image.cx + FSpacing : 0;
  const int block = textWidth + imageWidth;
  int x = work.Left;
  if (SkinAlignment == taRightJustify) x = work.Right - block;
  if (SkinAlignment == taCenter) x = work.Left + WidthOf(work) / 2 - block / 2;
  int textX = x + imageWidth;

  if (FRollUpMode) {
    const RECT marker{work.Right + 1, caption.Top, work.Right + 1 + kMarkerWidth, caption.Bottom};
    if (!IsEmptyRect(MarkFrameRect) && Picture)
      BitBlt(canvas->Handle(), marker.Left, caption.Top, WidthOf(MarkFrameRect), HeightOf(MarkFrameRect),
             Picture->Canvas()->Handle(), MarkFrameRect.Left, MarkFrameRect.Top, SRCCOPY);
    DrawArrow(canvas, marker, SkinFont.FontColor, FRollUpState ? 4 : 3);
  }

  if (!IsEmptyRect(FrameRect) && Picture) {
    // A strip behind the text, as wide as the text plus the frame's margins.
    const int extra = WidthOf(FrameRect) - WidthOf(FrameTextRect);
    TBitmap frame;
    ComposeHorizontalStrip(FrameLeftOffset, FrameRightOffset, &frame, false, textWidth + extra, FrameRect, Picture);
    int frameX = x;
    if (SkinAlignment == taLeftJustify) textX += FrameTextRect.Left;
    if (SkinAlignment == taRightJustify) frameX = x - extra;
    if (SkinAlignment == taCenter) frameX = x - FrameTextRect.Left - 2;
    canvas->Draw(frameX, caption.Top, &frame);
  }
  DrawCaptionBlock(canvas, work, x, textX);
}

void TbsSkinPanel::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* canvas = bitmap->Canvas();
  const int width = bitmap->Width(), height = bitmap->Height();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect({0, 0, width, height});
  RECT border{0, 0, width, height};
  switch (FBorderStyle) {
    case bvFrame: Frame3D(canvas, border, clBtnShadow, clBtnShadow); break;
    case bvRaised: Frame3D(canvas, border, clBtnHighlight, clBtnShadow); break;
    case bvLowered: Frame3D(canvas, border, clBtnShadow, clBtnHighlight); break;
    case bvNone: break;
  }
  if (FCaptionMode) DrawDefaultCaption(canvas);
}

void TbsSkinPanel::DrawDefaultCaption(TCanvas* canvas) {
  const int width = Width();
  RECT caption;
  if (FBorderStyle != bvFrame) {
    caption = {1, 1, width - 1, FDefaultCaptionHeight};
    Frame3D(canvas, caption, clBtnHighlight, clBtnShadow);
    Frame3D(canvas, caption, clBtnShadow, clBtnHighlight);
  } else {
    caption = {0, 0, width, FDefaultCaptionHeight};
    Frame3D(canvas, caption, clBtnShadow, clBtnShadow);
    Frame3D(canvas, caption, clBtnHighlight, clBtnFace);
  }
  if (FCheckedMode) caption.Left += 20;
  if (FRollUpMode) caption.Right -= kMarkerWidth;

  canvas->SetFont(DefaultFont());
  canvas->Font()->SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
  const std::string& text = Caption();
  const SIZE image = CaptionImageSize();
  const int imageWidth = image.cx > 0 ? image.cx + FSpacing : 0;
  const int block = canvas->TextWidth(text) + imageWidth;
  int x = caption.Left + 2;
  if (FDefaultAlignment == taRightJustify) x = caption.Right - block;
  if (FDefaultAlignment == taCenter) x = caption.Left + 2 + WidthOf(caption) / 2 - block / 2;

  if (FCheckedMode) {
    RECT box = RECT::FromSize(5, caption.Top + HeightOf(caption) / 2 - kCheckBoxSize / 2, kCheckBoxSize, kCheckBoxSize);
    const RECT outer = box;
    Frame3D(canvas, box, clBtnShadow, clBtnShadow);
    if (FChecked) DrawCheckMark(canvas, outer.Left + 3, outer.Top + 2, clBtnText);
  }
  if (!text.empty()) DrawCaptionBlock(canvas, caption, x, x + imageWidth);
  if (FRollUpMode)
    DrawArrow(canvas, {caption.Right, caption.Top, caption.Right + kMarkerWidth, caption.Bottom}, clBtnText,
              FRollUpState ? 4 : 3);
}

// ---- Messages and mouse ------------------------------------------------------------------

void TbsSkinPanel::CreateParams(TCreateParams& params) {
  TbsSkinCustomControl::CreateParams(params);
  // The container paints from the skin at every size; a resize need not
  // repaint what stays.
  params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TbsSkinPanel::WndProc(TMessage& message) {
  TbsSkinCustomControl::WndProc(message);
  switch (message.Msg) {
    case CM_ENABLEDCHANGED: Invalidate(); break;
    case CM_CONTROLCHANGE:
      if (message.LParam == 0) std::erase(FHiddenChildren, reinterpret_cast<TControl*>(message.WParam));
      break;
    default: break;
  }
}

void TbsSkinPanel::TextChanged() {
  if (FCaptionMode) Invalidate();
}

void TbsSkinPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && FCaptionMode && (FCheckedMode || FRollUpMode)) {
    ResolveSkinRecord();
    const RECT caption = RecordIndex() != -1 ? SkinCaptionArea() : RECT{1, 1, Width() - 1, FDefaultCaptionHeight};
    if (caption.Contains(x, y)) {
      if (FCheckedMode) SetChecked(!FChecked);
      if (FRollUpMode) SetRollUpState(!FRollUpState);
    }
  }
  TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinPanel::Notification(TComponent* component, TOperation operation) {
  TbsSkinCustomControl::Notification(component, operation);
  if (operation == opRemove && component == FCaptionImageList) {
    FCaptionImageList = nullptr;
    Invalidate();
  }
}

// ---- TbsSkinGroupBox ---------------------------------------------------------------------

TClass TbsSkinGroupBox::StaticClass() {
  // CaptionMode is on from the start, so "off" is what must be stored.
  static const TClassInfo info(
      TClassBuilder<TbsSkinGroupBox>("TbsSkinGroupBox")
          .Property("CaptionMode", &TbsSkinGroupBox::CaptionMode, &TbsSkinGroupBox::SetCaptionMode)
          .Default(true));
  return &info;
}

TbsSkinGroupBox::TbsSkinGroupBox(TComponent* owner) : TbsSkinPanel(owner) {
  SetSkinDataName("groupbox");
  SetCaptionMode(true);
}

}  // namespace kora
