#pragma once
// A pair of arrow buttons stepping a position through a range: the page
// control's tab scroller. Bound to an "updown" record, whose skin
// rectangle shows both buttons at rest and whose pieces give each button's
// hot and pressed looks.

#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora {

enum TbsUpDownOrientation : uint8_t { udHorizontal, udVertical };
const TTypeInfo* TypeInfoOf(TbsUpDownOrientation);

class TbsSkinUpDown : public TbsSkinCustomControl {
  KORA_CLASS(TbsSkinUpDown, TbsSkinCustomControl)

  explicit TbsSkinUpDown(TComponent* owner);

  // The range; a position outside it is pulled back in.
  int32_t MinValue() const { return FMinValue; }
  void SetMinValue(int32_t value);
  int32_t MaxValue() const { return FMaxValue; }
  void SetMaxValue(int32_t value);
  int32_t Position() const { return FPosition; }
  void SetPosition(int32_t value);
  int32_t Increment() const { return FIncrement; }
  void SetIncrement(int32_t value) { FIncrement = value; }
  // Horizontal: the "down" button on the left, "up" on the right;
  // vertical: "up" on top.
  TbsUpDownOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TbsUpDownOrientation value);

  // The buttons in client coordinates.
  RECT UpButtonRect() const;
  RECT DownButtonRect() const;

  // After a press on a button has stepped the position (also at the end of
  // the range, where the position stays).
  TNotifyEvent OnUpButtonClick;
  TNotifyEvent OnDownButtonClick;
  // After the position changed by a press.
  TNotifyEvent OnChange;

  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void WndProc(TMessage& message) override;

private:
  enum TButton { kNone, kDown, kUp };
  TButton ButtonAt(int x, int y) const;
  void SetHot(TButton value);
  const TbsDataSkinUpDownControl* UpDownRecord() const;

  int32_t FMinValue = 0;
  int32_t FMaxValue = 100;
  int32_t FPosition = 0;
  int32_t FIncrement = 1;
  TbsUpDownOrientation FOrientation = udHorizontal;
  TButton FHot = kNone;
  TButton FPressed = kNone;
};

}  // namespace kora
