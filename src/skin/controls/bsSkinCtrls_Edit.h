#pragma once
// The skin engine's text fields: TbsCustomEdit, the borderless edit that a
// skinned control lays over its own picture (transparent while the control
// is bound, so the skin shows behind the text), and TbsSkinNumEdit, its
// numeric variant with the keystroke filter of the spin edit.

#include <functional>
#include <string>

#include "framework/controls/StdCtrls.h"

namespace kora {

class TbsSkinData;

// The owner places it, picks its font and colours and decides whether the
// parent's picture shows behind the text.
class TbsCustomEdit : public TCustomEdit {
  KORA_CLASS(TbsCustomEdit, TCustomEdit)

  explicit TbsCustomEdit(TComponent* owner);

  // The parent's picture behind the text; changing it recreates the window.
  bool EditTransparent() const { return Transparent(); }
  void SetEditTransparent(bool value) { SetTransparent(value); }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  void WndProc(TMessage& message) override;
  // The owner gives the text its colour for every state, disabled included.
  TColor TextColor() const override { return Font()->Color(); }
};

// The full cell height of a font's text (the height an edit needs for one line).
int FontCellHeight(const TFont* font);

// The button a stretched skinned edit draws at any size: the skin's
// "editbutton" record, else its "resizebutton", composed to the rectangle
// in its normal, hot or pressed look, with an arrow (DrawArrow's
// direction) in that look's font colour, moved 2 pixels while pressed.
// False, drawing nothing, when the skin has neither record.
bool DrawResizableSkinButton(TbsSkinData* skin, TCanvas* canvas, const RECT& rect, bool hot, bool pressed,
                             int arrowDirection);
// The built-in look of an edit's arrow button: navy frame with a light
// fill while hot, a darker one while pressed; at rest the button face,
// framed in the shadow colour when `framedAtRest`. The arrow is black, or
// the shadow colour while disabled.
void DrawDefaultEditButton(TCanvas* canvas, const RECT& rect, bool hot, bool pressed, bool framedAtRest,
                           int arrowDirection, bool enabled);

class TbsSkinNumEdit : public TbsCustomEdit {
  KORA_CLASS(TbsSkinNumEdit, TbsCustomEdit)

  explicit TbsSkinNumEdit(TComponent* owner);

  // Typing allowed; with false only the arrows, the wheel and the owner's
  // buttons change the value.
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool value) { FEditorEnabled = value; }
  // The decimal separator is accepted too.
  bool Float() const { return FFloat; }
  void SetFloat(bool value) { FFloat = value; }
  // Whether the filter takes the character (as typed into the current text).
  bool IsValidChar(char32_t key) const;

  // The owner's steps: Up arrow and the wheel toward the user increment.
  std::function<void()> OnIncrement;
  std::function<void()> OnDecrement;

protected:
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void WndProc(TMessage& message) override;

private:
  bool FEditorEnabled = true;
  bool FFloat = false;
  // Enter reached the edit: the form had no default button to take it.
  bool FEnterReachedEdit = false;
};

}  // namespace kora
