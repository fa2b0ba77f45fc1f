#pragma once
// TbsSkinEdit: the plain skinned text field. It owns an inner TbsCustomEdit
// for the typing, laid over an "edit" record's picture (its active look
// while focused or under the pointer), or over a white sunken field in the
// built-in look. The inner edit's keys, focus and changes are the field's.

#include <cstdint>
#include <string>

#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/controls/bsSkinCtrls_Edit.h"

namespace kora {

class TbsSkinEdit : public TbsSkinCustomControl {
  KORA_CLASS(TbsSkinEdit, TbsSkinCustomControl)

  explicit TbsSkinEdit(TComponent* owner);
  ~TbsSkinEdit() override;

  // The text (Text/SetText of the control) mirrors the inner edit's.
  int32_t MaxLength() const { return FEdit->MaxLength(); }
  void SetMaxLength(int32_t value) { FEdit->SetMaxLength(value); }
  bool ReadOnly() const { return FEdit->ReadOnly(); }
  void SetReadOnly(bool value) { FEdit->SetReadOnly(value); }
  bool AutoSelect() const { return FEdit->AutoSelect(); }
  void SetAutoSelect(bool value) { FEdit->SetAutoSelect(value); }
  // The field's colour while unbound.
  TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(TColor value);
  void SelectAll() { FEdit->SelectAll(); }

  TbsCustomEdit* Edit() const { return FEdit; }
  // The pointer is over the field, or it has the focus.
  bool Active() const { return FHot || FEditFocused; }

  // The inner edit's text changed (typed or set).
  TNotifyEvent OnChange;

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;
  void ApplySkinChange() override;
  void DefaultFontUpdated() override;
  void SetBounds(int left, int top, int width, int height) override;
  void Invalidate() override;
  void SetFocus() override;

protected:
  void WndProc(TMessage& message) override;
  void TextChanged() override;
  void Resize() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  void EditTextChanged();
  void EditEnter();
  void EditExit();
  void SetHot(bool value);
  void UpdateEditFont();
  void UpdateEditColor();
  void LayoutControls();

  TbsCustomEdit* FEdit = nullptr;
  TColor FDefaultColor;
  bool FEditFocused = false;
  bool FHot = false;
  bool FInTextSync = false;

  // Copied from the bound record.
  RECT FActiveSkinRect{};
  std::string FFontName;
  TFontStyles FFontStyle;
  int32_t FFontHeight = 0;
  TColor FFontColor = 0, FActiveFontColor = 0, FDisabledFontColor = 0;
};

}  // namespace kora
