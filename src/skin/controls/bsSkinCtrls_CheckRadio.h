#pragma once
// The skinned check box, which is also a radio button: a check image from
// the skin's "checkbox" (or "radiobox") record in its checked, unchecked,
// hot and disabled looks, the caption beside it, toggled by the mouse, the
// space bar and its "&" accelerator.

#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora {

class TbsDataSkinCheckRadioControl;

class TbsSkinCheckRadioBox : public TbsSkinCustomControl {
  KORA_CLASS(TbsSkinCheckRadioBox, TbsSkinCustomControl)

  explicit TbsSkinCheckRadioBox(TComponent* owner);

  // Setting it from the program repaints and raises nothing.
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  // A radio button: the user only checks it, and checking it unchecks the
  // radio buttons of the same GroupIndex among its siblings. It switches
  // the record between "checkbox" and "radiobox" when it has one of those.
  bool Radio() const { return FRadio; }
  void SetRadio(bool value);
  int32_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int32_t value) { FGroupIndex = value; }

  // What the user does (a click, the space bar, the accelerator): toggles
  // (a radio button only checks), then OnClick.
  void Click() override;

  // The pointer is over the box; with the focus, the looks show it hot.
  bool MouseIn() const { return FMouseIn; }

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;

protected:
  void WndProc(TMessage& message) override;
  void KeyUp(WORD& key, TShiftState shift) override;

private:
  bool Hot() const;
  // The caption in area, in the canvas's font, with a focus frame around it.
  void DrawCaption(TCanvas* canvas, const RECT& area);
  void CopyRecord(const TbsDataSkinCheckRadioControl* record);

  bool FChecked = false;
  bool FRadio = false;
  int32_t FGroupIndex = 0;
  bool FMouseIn = false;

  // Copied from the record (rectangles in the skin picture but the two
  // areas, which are relative to the skin rectangle).
  RECT FCheckImageArea{}, FTextArea{};
  RECT FCheckRect{}, FUnCheckRect{}, FActiveCheckRect{}, FActiveUnCheckRect{};
  RECT FDisabledCheckRect{}, FDisabledUnCheckRect{};
  TbsSkinFontFields FSkinFont;
  TColor FActiveFontColor = 0, FDisabledFontColor = 0;
};

}  // namespace kora
