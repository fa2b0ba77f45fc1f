// TbsSkinSpeedButton and TbsSkinMenuSpeedButton: the tool bar's buttons.

#include "skin/controls/bsSkinCtrls_SpeedButton.h"

#include "framework/core/ClassBuilder.h"
#include "platform/gdi/Gdi.h"

namespace kora {

namespace {

// The built-in marker: a small down arrow this wide, and the strip it sits in.
constexpr int kDefaultMarkerWidth = 5;
constexpr int kDefaultTrackWidth = 11;

}  // namespace

// ---- TbsSkinSpeedButton ---------------------------------------------------------------

TClass TbsSkinSpeedButton::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinSpeedButton>("TbsSkinSpeedButton")
          .Property("TabStop", &TbsSkinSpeedButton::TabStop, &TbsSkinSpeedButton::SetTabStop)
          .Default(false)
          .Property("CanFocused", &TbsSkinSpeedButton::CanFocused, &TbsSkinSpeedButton::SetCanFocused)
          .Default(false)
          .Property("Flat", &TbsSkinSpeedButton::Flat, &TbsSkinSpeedButton::SetFlat)
          .Default(true));
  return &info;
}

TbsSkinSpeedButton::TbsSkinSpeedButton(TComponent* owner) : TbsSkinButton(owner) {
  SetSkinDataName("toolbutton");
  SetCanFocused(false);
  SetBounds(Left(), Top(), 25, 25);
}

void TbsSkinSpeedButton::SetFlat(bool value) {
  if (value == FFlat) return;
  FFlat = value;
  if (RecordIndex() == -1) Invalidate();
}

void TbsSkinSpeedButton::PaintDefaultLook(TBitmap* bitmap) {
  TbsSkinButton::PaintDefaultLook(bitmap);
  if (!FFlat || MouseIn() || Down()) return;
  // At rest a flat button is only its glyph on the face.
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FrameRect({0, 0, bitmap->Width(), bitmap->Height()});
}

// ---- TbsSkinMenuSpeedButton -----------------------------------------------------------

TClass TbsSkinMenuSpeedButton::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsSkinMenuSpeedButton>("TbsSkinMenuSpeedButton")
                                   .Property("SkinPopupMenu", &TbsSkinMenuSpeedButton::SkinPopupMenu,
                                             &TbsSkinMenuSpeedButton::SetSkinPopupMenu));
  return &info;
}

TbsSkinMenuSpeedButton::TbsSkinMenuSpeedButton(TComponent* owner) : TbsSkinSpeedButton(owner) {
  SetSkinDataName("toolmenubutton");
}

TbsSkinMenuSpeedButton::~TbsSkinMenuSpeedButton() {
  if (FSkinPopupMenu) FSkinPopupMenu->RemoveFreeNotification(this);
}

void TbsSkinMenuSpeedButton::SetSkinPopupMenu(TPopupMenu* value) {
  if (FSkinPopupMenu) FSkinPopupMenu->RemoveFreeNotification(this);
  FSkinPopupMenu = value;
  if (value) value->FreeNotification(this);
}

void TbsSkinMenuSpeedButton::Notification(TComponent* component, TOperation operation) {
  TbsSkinSpeedButton::Notification(component, operation);
  if (operation == opRemove && component == FSkinPopupMenu) FSkinPopupMenu = nullptr;
}

POINT TbsSkinMenuSpeedButton::MenuPoint() const { return ClientToScreen({0, Height()}); }

void TbsSkinMenuSpeedButton::ButtonClick() {
  TbsSkinSpeedButton::ButtonClick();
  if (!FSkinPopupMenu) return;
  const POINT at = MenuPoint();
  FSkinPopupMenu->Popup(at.X, at.Y);
}

void TbsSkinMenuSpeedButton::ResolveSkinRecord() {
  TbsSkinSpeedButton::ResolveSkinRecord();
  FMarkerRect = FMarkerActiveRect = FMarkerDownRect = {};
  FTrackWidth = 0;
  const auto* record = RecordIndex() == -1 ? nullptr : dynamic_cast<const TbsDataSkinButtonControl*>(SkinRecord());
  if (!record) return;
  FMarkerRect = record->MenuMarkerRect;
  FMarkerActiveRect = IsEmptyRect(record->MenuMarkerActiveRect) ? FMarkerRect : record->MenuMarkerActiveRect;
  FMarkerDownRect = IsEmptyRect(record->MenuMarkerDownRect) ? FMarkerActiveRect : record->MenuMarkerDownRect;
  FMarkerTransparentColor = record->MenuMarkerTransparentColor;
  if (const auto* menu = dynamic_cast<const TbsDataSkinMenuButtonControl*>(record))
    FTrackWidth = IsEmptyRect(menu->TrackButtonRect) ? 0 : WidthOf(SourceRect) - menu->TrackButtonRect.Left;
}

RECT TbsSkinMenuSpeedButton::MarkerRect() const {
  const bool skinned = RecordIndex() != -1 && !IsEmptyRect(FMarkerRect);
  const int track = skinned && FTrackWidth > 0 ? FTrackWidth : kDefaultTrackWidth;
  const int w = skinned ? WidthOf(FMarkerRect) : kDefaultMarkerWidth;
  const int h = skinned ? HeightOf(FMarkerRect) : 3;
  // Centred in the strip at the right edge.
  const int x = Width() - track + (track - w) / 2, y = (Height() - h) / 2;
  return {x, y, x + w, y + h};
}

void TbsSkinMenuSpeedButton::PaintMarker(TBitmap* bitmap) {
  const RECT at = MarkerRect();
  const bool shifted = Down() && MouseIn();
  TCanvas* canvas = bitmap->Canvas();
  if (RecordIndex() != -1 && !IsEmptyRect(FMarkerRect) && Picture) {
    const RECT& piece = shifted ? FMarkerDownRect : MouseIn() ? FMarkerActiveRect : FMarkerRect;
    TransparentBlt(canvas->Handle(), at.Left, at.Top, WidthOf(piece), HeightOf(piece), Picture->Canvas()->Handle(),
                   piece.Left, piece.Top, WidthOf(piece), HeightOf(piece), ColorToColorRef(FMarkerTransparentColor));
    return;
  }
  // A small triangle pointing down, in the text colour.
  const RECT r = shifted ? at.Offsetted(1, 1) : at;
  canvas->Pen()->SetColor(Enabled() ? clBtnText : clBtnShadow);
  for (int row = 0; row < HeightOf(r); ++row) {
    canvas->MoveTo(r.Left + row, r.Top + row);
    canvas->LineTo(r.Right - row, r.Top + row);
  }
}

void TbsSkinMenuSpeedButton::PaintDefaultLook(TBitmap* bitmap) {
  TbsSkinSpeedButton::PaintDefaultLook(bitmap);
  PaintMarker(bitmap);
}

void TbsSkinMenuSpeedButton::PaintSkinLook(TBitmap* bitmap) {
  TbsSkinSpeedButton::PaintSkinLook(bitmap);
  PaintMarker(bitmap);
}

}  // namespace kora
