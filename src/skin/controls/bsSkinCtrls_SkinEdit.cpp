// TbsSkinEdit: the inner edit's text and events, its layout, and the two
// looks around it.

#include "skin/controls/bsSkinCtrls_SkinEdit.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"

namespace kora {

TClass TbsSkinEdit::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinEdit>("TbsSkinEdit")
          .Property("Text", &TbsSkinEdit::Text, &TbsSkinEdit::SetText)
          .Property("MaxLength", &TbsSkinEdit::MaxLength, &TbsSkinEdit::SetMaxLength)
          .Default(0)
          .Property("ReadOnly", &TbsSkinEdit::ReadOnly, &TbsSkinEdit::SetReadOnly)
          .Default(false)
          .Property("AutoSelect", &TbsSkinEdit::AutoSelect, &TbsSkinEdit::SetAutoSelect)
          .Default(true)
          .Property("DefaultColor", &TbsSkinEdit::DefaultColor, &TbsSkinEdit::SetDefaultColor, TypeInfoColor())
          .Property("OnChange", &TbsSkinEdit::OnChange)
          .Property("OnKeyDown", &TbsSkinEdit::OnKeyDown)
          .Property("OnKeyPress", &TbsSkinEdit::OnKeyPress)
          .Property("OnKeyUp", &TbsSkinEdit::OnKeyUp)
          .Property("OnEnter", &TbsSkinEdit::OnEnter)
          .Property("OnExit", &TbsSkinEdit::OnExit)
          .Redeclare("TabStop")
          .Default(true));
  return &info;
}

TbsSkinEdit::TbsSkinEdit(TComponent* owner) : TbsSkinEditHost(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csOpaque, csDoubleClicks});
  SetBounds(Left(), Top(), 121, 21);
  SetSkinDataName("edit");
  SetTabStop(true);
  FEdit = new TbsCustomEdit(this);
  SetInnerEdit(FEdit);
  FEdit->SetParent(this);
  FEdit->SetFont(DefaultFont());
  FEdit->SetColor(FDefaultColor);
  FEdit->OnChange = [this](TObject*) { EditTextChanged(); };
  // The field's own events speak for the inner edit, which has the keys.
  FEdit->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { OnKeyDown(this, key, shift); };
  FEdit->OnKeyUp = [this](TObject*, WORD& key, TShiftState shift) { OnKeyUp(this, key, shift); };
  FEdit->OnKeyPress = [this](TObject*, char32_t& key) { OnKeyPress(this, key); };
  FEdit->OnEnter = [this](TObject*) { EditEnter(); };
  FEdit->OnExit = [this](TObject*) { EditExit(); };
  FEdit->OnMouseEnter = [this](TObject*) { SetHot(true); };
  FEdit->OnMouseLeave = [this](TObject*) {
    if (MouseControl() != this) SetHot(false);
  };
  LayoutControls();
}

TbsSkinEdit::~TbsSkinEdit() {
  // The edit goes with the children; its handlers must not reach back.
  FEdit->OnChange = nullptr;
  FEdit->OnKeyDown = nullptr;
  FEdit->OnKeyUp = nullptr;
  FEdit->OnKeyPress = nullptr;
  FEdit->OnEnter = nullptr;
  FEdit->OnExit = nullptr;
  FEdit->OnMouseEnter = nullptr;
  FEdit->OnMouseLeave = nullptr;
}

void TbsSkinEdit::SetDefaultColor(TColor value) {
  FDefaultColor = value;
  if (RecordIndex() == -1) {
    FEdit->SetColor(value);
    Invalidate();
  }
}

// ---- Text and events ------------------------------------------------------------------

void TbsSkinEdit::TextChanged() {
  TbsSkinCustomControl::TextChanged();
  if (FInTextSync) return;
  FInTextSync = true;
  FEdit->SetText(Text());
  FInTextSync = false;
}

void TbsSkinEdit::EditTextChanged() {
  if (!FInTextSync) {
    FInTextSync = true;
    SetText(FEdit->Text());
    FInTextSync = false;
  }
  if (!ComponentState().Contains(csLoading) && !Designing()) OnChange(this);
}

void TbsSkinEdit::EditEnter() {
  FEditFocused = true;
  OnEnter(this);
  UpdateEditColor();
  Invalidate();
}

void TbsSkinEdit::EditExit() {
  FEditFocused = false;
  OnExit(this);
  UpdateEditColor();
  Invalidate();
}

void TbsSkinEdit::SetHot(bool value) {
  if (value == FHot) return;
  FHot = value;
  UpdateEditColor();
  if (RecordIndex() != -1 && !IsEmptyRect(FActiveSkinRect)) Invalidate();
}

void TbsSkinEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinCustomControl::MouseDown(button, shift, x, y);
  // A click on the frame around the text still means the text.
  if (!FEditFocused && FEdit->CanFocus()) FEdit->SetFocus();
}

void TbsSkinEdit::WndProc(TMessage& message) {
  if (InnerEditMessage(message)) return;
  TbsSkinCustomControl::WndProc(message);
  if (message.Msg == CM_MOUSEENTER) SetHot(true);
  if (message.Msg == CM_MOUSELEAVE && MouseControl() != FEdit) SetHot(false);
}

// ---- Skin, size and layout ------------------------------------------------------------

void TbsSkinEdit::ResolveSkinRecord() {
  TbsSkinEditHost::ResolveSkinRecord();
  if (RecordIndex() == -1) return;
  const auto* record = dynamic_cast<const TbsDataSkinEditControl*>(SkinRecord());
  if (!record) {
    FActiveSkinRect = {};
    return;
  }
  FActiveSkinRect = record->ActiveSkinRect;
  TakeRecordFont(*record);
}

void TbsSkinEdit::LayoutControls() {
  if (!FEdit) return;
  const int w = Width(), h = Height();
  RECT area;
  if (RecordIndex() == -1)
    area = {3, 2, w - 3, h - 2};
  else
    area = FitInnerRect;
  const int editHeight = std::min(FontCellHeight(FEdit->Font()), std::max(HeightOf(area), 0));
  const int top = area.Top + HeightOf(area) / 2 - editHeight / 2;
  FEdit->SetBounds(area.Left, top, std::max(WidthOf(area), 0), editHeight);
}

// ---- Painting -------------------------------------------------------------------------

void TbsSkinEdit::PaintSkinLook(TBitmap* bitmap) {
  if (!Active() || IsEmptyRect(FActiveSkinRect)) {
    TbsSkinCustomControl::PaintSkinLook(bitmap);
    return;
  }
  // The active look from its own rectangle, composed the same way.
  const RECT source = SourceRect;
  SourceRect = FActiveSkinRect;
  TbsSkinCustomControl::PaintSkinLook(bitmap);
  SourceRect = source;
}

void TbsSkinEdit::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* canvas = bitmap->Canvas();
  const RECT client{0, 0, bitmap->Width(), bitmap->Height()};
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Enabled() ? FDefaultColor : SystemColor(COLOR_BTNFACE));
  canvas->FillRect(client);
  // A sunken field, navy while it is in use.
  canvas->Brush()->SetColor(Active() && Enabled() ? TColor(RGB(0, 0, 128)) : SystemColor(COLOR_BTNSHADOW));
  canvas->FrameRect(client);
}

}  // namespace kora
