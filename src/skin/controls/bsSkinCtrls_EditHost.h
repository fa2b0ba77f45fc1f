#pragma once
// TbsSkinEditHost: what the skinned controls that type through an inner
// edit share (TbsSkinEdit, TbsSkinSpinEdit). The edit is laid out again on
// every size change and repainted with the control while it lies
// transparent over the record's picture; it takes the record's font and
// colours while bound, the default font and colour while not.

#include <cstdint>
#include <string>

#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/controls/bsSkinCtrls_Edit.h"

namespace kora {

class TbsSkinEditHost : public TbsSkinCustomControl {
  KORA_CLASS(TbsSkinEditHost, TbsSkinCustomControl)

  explicit TbsSkinEditHost(TComponent* owner);

  // The inner edit's colour while unbound.
  TColor DefaultColor() const { return FDefaultColor; }
  // The pointer is over the control, or its edit has the focus.
  bool Active() const { return FHot || FEditFocused; }
  // A text that stands out (in bold): a program marks the fields that
  // differ from what is saved.
  bool Marked() const { return FMarked; }
  void SetMarked(bool value);

  void ApplySkinChange() override;
  void DefaultFontUpdated() override;
  void SetBounds(int left, int top, int width, int height) override;
  void Invalidate() override;
  // Focusing the control focuses its inner edit.
  void SetFocus() override;

protected:
  void Resize() override;
  // Places the inner edit and the control's other parts for its size.
  // Nothing here: the control's own parts are not made yet or gone.
  virtual void LayoutControls() {}
  // Hands over the inner edit, once made.
  void SetInnerEdit(TbsCustomEdit* edit) { FInnerEdit = edit; }
  // Copies the font and the colours of the bound record.
  template <class TRecord>
  void TakeRecordFont(const TRecord& record) {
    FFontName = record.FontName;
    FFontStyle = record.FontStyle;
    FFontHeight = record.FontHeight;
    FFontColor = record.FontColor;
    FActiveFontColor = record.ActiveFontColor;
    FDisabledFontColor = record.DisabledFontColor;
  }
  // The default font; while bound the record's colour, and its face when
  // UseSkinFont.
  void UpdateEditFont();
  // The text colour for the control's state.
  void UpdateEditColor();
  // The messages every host treats alike: the focus passes on to the
  // inner edit, a copy of the picture taken outside a paint includes the
  // edit, and the enabled state reaches it. True when the message is done.
  bool InnerEditMessage(TMessage& message);

  TColor FDefaultColor;
  bool FEditFocused = false;
  bool FHot = false;
  // Copied from the bound record.
  std::string FFontName;
  TFontStyles FFontStyle;
  int32_t FFontHeight = 0;
  TColor FFontColor = 0, FActiveFontColor = 0, FDisabledFontColor = 0;

private:
  TbsCustomEdit* FInnerEdit = nullptr;
  bool FMarked = false;
};

}  // namespace kora
