#pragma once
// TbsSkinEdit: the plain skinned text field. It owns an inner TbsCustomEdit
// for the typing, laid over an "edit" record's picture (its active look
// while focused or under the pointer), or over a white sunken field in the
// built-in look. The inner edit's keys, focus and changes are the field's.

#include <cstdint>
#include <string>

#include "skin/controls/bsSkinCtrls_Edit.h"
#include "skin/controls/bsSkinCtrls_EditHost.h"

namespace kora {

class TbsSkinEdit : public TbsSkinEditHost {
  KORA_CLASS(TbsSkinEdit, TbsSkinEditHost)

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
  void SetDefaultColor(TColor value);

  TbsCustomEdit* Edit() const { return FEdit; }

  // The inner edit's text changed (typed or set).
  TNotifyEvent OnChange;

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;

protected:
  void WndProc(TMessage& message) override;
  void TextChanged() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  void EditTextChanged();
  void EditEnter();
  void EditExit();
  void SetHot(bool value);
  void LayoutControls() override;

  TbsCustomEdit* FEdit = nullptr;
  bool FInTextSync = false;

  // Copied from the bound record.
  RECT FActiveSkinRect{};
};

}  // namespace kora
