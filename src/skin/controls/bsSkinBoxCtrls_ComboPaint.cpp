// TbsSkinCustomComboBox: binding to its record, the layout of the button,
// the item area and the inner edit, and the closed box's two looks.

#include <algorithm>

#include "skin/controls/bsSkinBoxCtrls.h"

namespace kora {

void TbsSkinCustomComboBox::ResolveSkinRecord() {
  TbsSkinCustomControl::ResolveSkinRecord();
  const auto* record = RecordIndex() == -1 ? nullptr : dynamic_cast<const TbsDataSkinComboBox*>(SkinRecord());
  FHasRecord = record != nullptr;
  if (!record) return;
  FRecord = *record;
  if (IsEmptyRect(FRecord.FocusItemRect)) FRecord.FocusItemRect = FRecord.ItemRect;
}

void TbsSkinCustomComboBox::FitSizeToSkin(int& width, int& height) {
  if (FUseSkinSize)
    TbsSkinCustomControl::FitSizeToSkin(width, height);
  else if (RecordIndex() != -1)
    FitHorizontally(width);
}

void TbsSkinCustomComboBox::UpdateWindowShape() {
  if (FUseSkinSize) {
    TbsSkinCustomControl::UpdateWindowShape();
    return;
  }
  TBitmap* mask = ShapeMask;
  ShapeMask = nullptr;
  TbsSkinCustomControl::UpdateWindowShape();
  ShapeMask = mask;
}

void TbsSkinCustomComboBox::SetBounds(int left, int top, int width, int height) {
  TbsSkinCustomControl::SetBounds(left, top, width, height);
  LayoutControls();
}

void TbsSkinCustomComboBox::ApplySkinChange() {
  TbsSkinCustomControl::ApplySkinChange();
  LayoutControls();
  if (FEdit) {
    UpdateEditFont();
    FEdit->SetEditTransparent(Bound());
    FEdit->SetColor(FDefaultColor);
    LayoutControls();
  }
  // The list takes the record the combo box's record names, in our skin.
  FListBox->SetSkinDataName(Bound() ? FRecord.ListBoxName : "");
  FListBox->SetSkinData(SkinData());
  if (!SkinData() || SkinData()->Empty()) FListBox->ApplySkinChange();
  Invalidate();
}

void TbsSkinCustomComboBox::DefaultFontUpdated() {
  if (FEdit && (!Bound() || !UseSkinFont())) {
    UpdateEditFont();
    LayoutControls();
  }
  Invalidate();
}

void TbsSkinCustomComboBox::UpdateEditFont() {
  if (!FEdit) return;
  TFont font;
  font.Assign(DefaultFont());
  if (Bound()) {
    if (UseSkinFont()) {
      font.SetName(FRecord.FontName);
      font.SetHeight(FRecord.FontHeight);
      font.SetStyle(FRecord.FontStyle);
    }
    font.SetColor(FMouseIn ? FRecord.ActiveFontColor : FRecord.FontColor);
  }
  font.SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
  FEdit->SetFont(&font);
}

void TbsSkinCustomComboBox::LayoutControls() {
  const int w = Width(), h = Height();
  if (!Bound()) {
    FArrowButtonRect = {w - 19, 2, w - 2, h - 2};
    FItemRect = {2, 2, FArrowButtonRect.Left - 1, h - 2};
  } else {
    const int dW = w - WidthOf(SourceRect), dH = FUseSkinSize ? 0 : h - HeightOf(SourceRect);
    FArrowButtonRect = FRecord.ButtonRect;
    // A button in the fixed right part moves with the right edge (the same
    // test the spin edit makes: against where that part begins).
    if (FArrowButtonRect.Left >= TopRightMark.X) FArrowButtonRect.Offset(dW, 0);
    FArrowButtonRect.Bottom += dH;
    FItemRect = {InnerRect.Left, InnerRect.Top, InnerRect.Right + dW, InnerRect.Bottom + dH};
  }
  if (FEdit) {
    const int editHeight = FontCellHeight(FEdit->Font());
    FEdit->SetBounds(FItemRect.Left, FItemRect.Top + HeightOf(FItemRect) / 2 - editHeight / 2,
                     std::max(WidthOf(FItemRect), 0), editHeight);
  }
}

// ---- Painting -------------------------------------------------------------------------------

void TbsSkinCustomComboBox::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* canvas = bitmap->Canvas();
  const RECT client{0, 0, bitmap->Width(), bitmap->Height()};
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(SystemColor(COLOR_BTNFACE));
  canvas->FillRect(client);
  canvas->Brush()->SetColor(SystemColor(COLOR_BTNSHADOW));
  canvas->FrameRect(client);
  canvas->Brush()->SetColor(FDefaultColor);
  canvas->FillRect({1, 1, client.Right - 1, client.Bottom - 1});
  DrawDefaultEditButton(canvas, FArrowButtonRect, FButtonHot, FButtonPressed, true, 4, Enabled());
  PaintItem(canvas, false);
}

void TbsSkinCustomComboBox::PaintSkinLook(TBitmap* bitmap) {
  if (!FHasRecord || !Picture) {
    TbsSkinCustomControl::PaintSkinLook(bitmap);
    return;
  }
  const bool focused = Focused() || (FEdit && FEdit->Focused());
  const bool active = (FMouseIn || focused) && !IsEmptyRect(FRecord.ActiveSkinRect);
  if (!FUseSkinSize)
    ComposeStretchedFrame(bitmap, Picture, active ? FRecord.ActiveSkinRect : SourceRect, InnerRect, true);
  else if (active)
    ComposeHorizontalStrip(TopLeftMark.X, WidthOf(SourceRect) - TopRightMark.X, bitmap, StretchMiddle, Width(),
                           FRecord.ActiveSkinRect, Picture);
  else
    TbsSkinCustomControl::PaintSkinLook(bitmap);
  // Stretched, the button keeps its look at any height as a resizable
  // button; at the skin's size the button at rest is part of the image.
  if (!FUseSkinSize && Enabled() &&
      DrawResizableSkinButton(SkinData(), bitmap->Canvas(), FArrowButtonRect, FButtonHot, FButtonPressed && FButtonHot,
                              4)) {
    PaintItem(bitmap->Canvas(), true);
    return;
  }
  RECT piece{};
  if (!Enabled() && !IsEmptyRect(FRecord.UnEnabledButtonRect))
    piece = FRecord.UnEnabledButtonRect;
  else if (FButtonPressed && FButtonHot)
    piece = FRecord.DownButtonRect;
  else if (FButtonHot)
    piece = FRecord.ActiveButtonRect;
  if (!IsEmptyRect(piece) && !IsEmptyRect(FArrowButtonRect)) {
    RECT dest = FArrowButtonRect;
    if (FUseSkinSize) dest = {dest.Left, dest.Top, dest.Left + WidthOf(piece), dest.Top + HeightOf(piece)};
    TbsPiecePainter(bitmap, Picture).Copy(piece, dest);
  }
  PaintItem(bitmap->Canvas(), true);
}

void TbsSkinCustomComboBox::PaintItem(TCanvas* canvas, bool bound) {
  if (FEdit) return;
  const RECT area = FItemRect;
  const int w = WidthOf(area);
  int h = HeightOf(area);
  if (bound && FUseSkinSize) {
    // As tall as the record's item piece.
    h = HeightOf(FRecord.ItemRect) > 0 ? HeightOf(FRecord.ItemRect) : w;
  }
  if (w <= 0 || h <= 0) return;
  // While the list is open the box keeps showing what was chosen.
  const int index = DroppedDown() ? FSavedIndex : ItemIndex();
  const bool focused = Focused();
  TOwnerDrawState state;
  if (focused) state.Include(odFocused);
  TBitmap item;
  item.SetSize(w, h);
  TCanvas* c = item.Canvas();
  RECT text;
  if (!bound) {
    c->Font()->SetName(Font()->Name());
    c->Font()->SetStyle(Font()->Style());
    c->Font()->SetHeight(Font()->Height());
    c->Font()->SetCharset(Font()->Charset());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(focused ? SystemColor(COLOR_HIGHLIGHT) : FDefaultColor);
    c->FillRect({0, 0, w, h});
    c->Font()->SetColor(!Enabled() ? SystemColor(COLOR_GRAYTEXT)
                        : focused  ? SystemColor(COLOR_HIGHLIGHTTEXT)
                                   : DefaultFont()->Color());
    text = {2, 0, w - 2, h};
  } else {
    const bool hotPieces = !IsEmptyRect(FRecord.ActiveItemRect);
    const RECT piece = focused                 ? FRecord.FocusItemRect
                       : FMouseIn && hotPieces ? FRecord.ActiveItemRect
                                               : FRecord.ItemRect;
    ComposeItemStrip(&item, Picture, piece, FRecord.ItemLeftOffset, FRecord.ItemRightOffset,
                     focused ? FRecord.FocusItemStretchEffect : FRecord.ItemStretchEffect);
    text = FRecord.ItemTextRect;
    text.Right += w - WidthOf(FRecord.ItemRect);
    text.Bottom += h - HeightOf(FRecord.ItemRect);
    c->SetFont(DefaultFont());
    if (UseSkinFont()) {
      c->Font()->SetName(FRecord.FontName);
      c->Font()->SetHeight(FRecord.FontHeight);
      c->Font()->SetStyle(FRecord.FontStyle);
    }
    c->Font()->SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
    c->Font()->SetColor(!Enabled()              ? SystemColor(COLOR_GRAYTEXT)
                        : focused               ? FRecord.FocusFontColor
                        : FMouseIn && hotPieces ? FRecord.ActiveFontColor
                                                : FRecord.FontColor);
  }
  if (index >= 0 && index < Items()->Count()) DrawItemContent(c, index, w, h, text, state);
  if (focused) {
    if (!bound) {
      c->DrawFocusRect({0, 0, w, h});
    } else if (FRecord.ShowFocus) {
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(SystemColor(COLOR_BTNFACE));
      c->DrawFocusRect(text);
    }
  }
  canvas->Draw(area.Left, area.Top, &item);
}

void TbsSkinCustomComboBox::DrawItemContent(TCanvas* canvas, int index, int width, int height, RECT text,
                                            TOwnerDrawState state) {
  if (OnComboBoxDrawItem) {
    OnComboBoxDrawItem(canvas, index, width, height, text, state);
    return;
  }
  canvas->Brush()->SetStyle(bsClear);
  if (FImages && FImages->Count() > 0) {
    const int image = FImageIndex >= 0 ? FImageIndex : index;
    FImages->Draw(canvas, text.Left, text.Top + (HeightOf(text) - FImages->Height()) / 2, image, Enabled());
    text.Left += FImages->Width() + 2;
  }
  FListBox->DrawRowText(canvas, Items()->Strings(index), text);
}

}  // namespace kora
