#pragma once
// Tool bar buttons: TbsSkinSpeedButton, a skinned button that never takes
// the focus, drawn from a "toolbutton" record or flat in the built-in look
// until the pointer comes over it; and TbsSkinMenuSpeedButton, one that
// drops a popup menu under itself, with the record's menu marker at its
// right edge.

#include <cstdint>

#include "framework/menus/Menus.h"
#include "skin/controls/bsSkinCtrls_Button.h"

namespace kora {

class TbsSkinSpeedButton : public TbsSkinButton {
  KORA_CLASS(TbsSkinSpeedButton, TbsSkinButton)

  explicit TbsSkinSpeedButton(TComponent* owner);

  // The built-in look shows no border while the button rests.
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);

  void PaintDefaultLook(TBitmap* bitmap) override;

private:
  bool FFlat = true;
};

class TbsSkinMenuSpeedButton : public TbsSkinSpeedButton {
  KORA_CLASS(TbsSkinMenuSpeedButton, TbsSkinSpeedButton)

  explicit TbsSkinMenuSpeedButton(TComponent* owner);
  ~TbsSkinMenuSpeedButton() override;

  // Dropped under the button on every click. Not owned; a removed menu is
  // forgotten.
  TPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
  void SetSkinPopupMenu(TPopupMenu* value);
  // The screen point the menu opens at: the button's bottom-left corner.
  POINT MenuPoint() const;
  // Where the menu marker stands, client coordinates.
  RECT MarkerRect() const;

  void ButtonClick() override;
  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void PaintMarker(TBitmap* bitmap);

  TPopupMenu* FSkinPopupMenu = nullptr;
  // Copied from the bound record.
  RECT FMarkerRect{}, FMarkerActiveRect{}, FMarkerDownRect{};
  TColor FMarkerTransparentColor = 0;
  int FTrackWidth = 0;
};

}  // namespace kora
