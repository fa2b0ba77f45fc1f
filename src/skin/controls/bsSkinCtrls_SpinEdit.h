#pragma once
// TbsSkinSpinEdit: the skinned numeric field with an up and a down button.
// It owns an inner TbsSkinNumEdit for the typing and draws the buttons on
// its own surface; holding a button repeats the step (first after 500 ms,
// then every 100 ms).

#include <cstdint>
#include <string>

#include "skin/controls/bsSkinCtrls_Edit.h"
#include "skin/controls/bsSkinCtrls_EditHost.h"

namespace kora {

enum TbsValueType : uint8_t { vtInteger, vtFloat };
const TTypeInfo* TypeInfoOf(TbsValueType);

class TbsSkinSpinEdit : public TbsSkinEditHost {
  KORA_CLASS(TbsSkinSpinEdit, TbsSkinEditHost)

  explicit TbsSkinSpinEdit(TComponent* owner);
  ~TbsSkinSpinEdit() override;

  // Kept within [MinValue, MaxValue] unless the two are equal. Every
  // assignment rewrites the text and raises OnChange, even when the value
  // stays the same.
  double Value() const { return FValue; }
  void SetValue(double value);
  double MinValue() const { return FMinValue; }
  void SetMinValue(double value);
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double value);
  // The step of the buttons, the arrow keys and the wheel.
  double Increment() const { return FIncrement; }
  void SetIncrement(double value) { FIncrement = value; }
  TbsValueType ValueType() const { return FValueType; }
  void SetValueType(TbsValueType value);
  // Digits after the separator of vtFloat texts.
  uint8_t Decimal() const { return FDecimal; }
  void SetDecimal(uint8_t value) { FDecimal = value; }
  bool EditorEnabled() const;
  void SetEditorEnabled(bool value);
  int32_t MaxLength() const;
  void SetMaxLength(int32_t value);
  // The inner edit's background while unbound.
  void SetDefaultColor(TColor value);
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool value);

  // The text (Text/SetText of the control) mirrors the inner edit's.
  TbsSkinNumEdit* Edit() const { return FEdit; }
  // Where the buttons are, in client coordinates.
  RECT UpButtonRect() const { return FButtons[0].Rect; }
  RECT DownButtonRect() const { return FButtons[1].Rect; }
  // The pointer is over the control (bound, with an active look).
  bool Hot() const { return FHot; }
  bool EditFocused() const { return FEditFocused; }

  TNotifyEvent OnChange;
  TKeyEvent OnEditKeyDown;
  TKeyEvent OnEditKeyUp;
  TKeyPressEvent OnEditKeyPress;
  TNotifyEvent OnEditEnter;
  TNotifyEvent OnEditExit;

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;
  void FitSizeToSkin(int& width, int& height) override;
  void UpdateWindowShape() override;
  void Loaded() override;

  // The inner edit's handlers; each raises its published event first.
  virtual void EditKeyDown(WORD& key, TShiftState shift);
  virtual void EditKeyUp(WORD& key, TShiftState shift);
  virtual void EditKeyPress(char32_t& key);
  virtual void EditEnter();
  virtual void EditExit();
  // Raises OnChange (not while loading), with the text writes of a handler
  // going straight to the inner edit.
  virtual void Change();

protected:
  void WndProc(TMessage& message) override;
  void TextChanged() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  struct TButton {
    RECT Rect{};
    bool MouseIn = false;
    bool Down = false;
  };

  double Clamp(double value) const;
  std::string FormatValue(double value) const;
  // The typed text against the rules: a number sets Value, one beyond the
  // range in a way more typing cannot mend is rewritten.
  void ApplyTypedText();
  void EditTextChanged();
  void Step(int direction);
  int ButtonAt(int x, int y) const;
  void SetHoverButton(int index);
  void InvalidateButton(int index);
  void StartRepeat(UINT interval);
  void StopRepeat();
  void RepeatTick();
  void SetHot(bool value);
  void EditMouseEnter();
  void EditMouseLeave();
  void LayoutControls() override;
  void PaintSkinButtons(TBitmap* bitmap);
  void PaintResizableButtons(TBitmap* bitmap);

  TbsSkinNumEdit* FEdit = nullptr;
  double FValue = 0;
  double FMinValue = 0;
  double FMaxValue = 0;
  double FIncrement = 1;
  TbsValueType FValueType = vtInteger;
  uint8_t FDecimal = 2;
  bool FUseSkinSize = true;

  TButton FButtons[2];
  int FHoverButton = -1;
  int FCaptureButton = -1;
  int FRepeatDirection = 0;  // 0 none, 1 decrease, 2 increase
  bool FFirstDelay = false;
  bool FInValueUpdate = false;
  bool FInTextSync = false;

  // Copied from the record at every lookup.
  RECT FActiveSkinRect{};
  RECT FUpRect{}, FActiveUpRect{}, FDownUpRect{};
  RECT FDownRect{}, FActiveDownRect{}, FDownDownRect{};
  int FStripLeft = 0, FStripRight = 0;
};

}  // namespace kora
