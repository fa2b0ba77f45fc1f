// TbsSkinSpinEdit: value, text and the rules between them, the buttons with
// hover, capture and auto-repeat, layout, and the three looks (the skin at
// its own height, the skin stretched, the built-in look).

#include "skin/controls/bsSkinCtrls_SpinEdit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/core/ClassBuilder.h"
#include "framework/core/SysUtils.h"

namespace kora {

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstDelay = 500;
constexpr UINT kRepeatInterval = 100;
// Back over a held button after leaving it.
constexpr UINT kResumeInterval = 50;

// Sets a flag for a scope and gives it back its old value afterwards.
class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
  ~TFlagScope() { FFlag = FOld; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
  bool FOld;
};

// Digits, one leading minus and (for floats) one separator after the first
// character; not empty and not a lone minus.
bool IsNumberText(const std::string& text, bool allowSeparator) {
  if (text.empty() || text == "-") return false;
  int separators = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '-' && i == 0) continue;
    if (allowSeparator && c == '.' && i > 0 && ++separators == 1) continue;
    return false;
  }
  return true;
}

void CopyPiece(TBitmap* target, TBitmap* picture, const RECT& piece, POINT at) {
  if (!picture || IsEmptyRect(piece)) return;
  TbsPiecePainter(target, picture).Copy(piece, {at.X, at.Y, at.X + WidthOf(piece), at.Y + HeightOf(piece)});
}

}  // namespace

const TTypeInfo* TypeInfoOf(TbsValueType) {
  static const TTypeInfo info = EnumTypeInfo("TbsValueType", {"vtInteger", "vtFloat"});
  return &info;
}

TClass TbsSkinSpinEdit::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinSpinEdit>("TbsSkinSpinEdit")
          .Property("MinValue", &TbsSkinSpinEdit::MinValue, &TbsSkinSpinEdit::SetMinValue)
          .Property("MaxValue", &TbsSkinSpinEdit::MaxValue, &TbsSkinSpinEdit::SetMaxValue)
          .Property("Value", &TbsSkinSpinEdit::Value, &TbsSkinSpinEdit::SetValue)
          .Property("Increment", &TbsSkinSpinEdit::Increment, &TbsSkinSpinEdit::SetIncrement)
          .Property("ValueType", &TbsSkinSpinEdit::ValueType, &TbsSkinSpinEdit::SetValueType)
          .Default(vtInteger)
          .Property("Decimal", &TbsSkinSpinEdit::Decimal, &TbsSkinSpinEdit::SetDecimal)
          .Default(2)
          .Property("EditorEnabled", &TbsSkinSpinEdit::EditorEnabled, &TbsSkinSpinEdit::SetEditorEnabled)
          .Default(true)
          .Property("MaxLength", &TbsSkinSpinEdit::MaxLength, &TbsSkinSpinEdit::SetMaxLength)
          .Default(0)
          .Property("DefaultColor", &TbsSkinSpinEdit::DefaultColor, &TbsSkinSpinEdit::SetDefaultColor, TypeInfoColor())
          .Property("UseSkinSize", &TbsSkinSpinEdit::UseSkinSize, &TbsSkinSpinEdit::SetUseSkinSize)
          .Default(true)
          .Property("Text", &TbsSkinSpinEdit::Text, &TbsSkinSpinEdit::SetText)
          .Property("OnChange", &TbsSkinSpinEdit::OnChange)
          .Property("OnEditKeyDown", &TbsSkinSpinEdit::OnEditKeyDown)
          .Property("OnEditKeyUp", &TbsSkinSpinEdit::OnEditKeyUp)
          .Property("OnEditKeyPress", &TbsSkinSpinEdit::OnEditKeyPress)
          .Property("OnEditEnter", &TbsSkinSpinEdit::OnEditEnter)
          .Property("OnEditExit", &TbsSkinSpinEdit::OnEditExit));
  return &info;
}

TbsSkinSpinEdit::TbsSkinSpinEdit(TComponent* owner) : TbsSkinEditHost(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csOpaque, csDoubleClicks});
  SetBounds(Left(), Top(), 120, 20);
  SetSkinDataName("spinedit");
  FEdit = new TbsSkinNumEdit(this);
  SetInnerEdit(FEdit);
  FEdit->SetParent(this);
  FEdit->SetFont(DefaultFont());
  FEdit->SetColor(FDefaultColor);
  FEdit->OnChange = [this](TObject*) { EditTextChanged(); };
  FEdit->OnIncrement = [this] { Step(1); };
  FEdit->OnDecrement = [this] { Step(-1); };
  FEdit->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { EditKeyDown(key, shift); };
  FEdit->OnKeyUp = [this](TObject*, WORD& key, TShiftState shift) { EditKeyUp(key, shift); };
  FEdit->OnKeyPress = [this](TObject*, char32_t& key) { EditKeyPress(key); };
  FEdit->OnEnter = [this](TObject*) { EditEnter(); };
  FEdit->OnExit = [this](TObject*) { EditExit(); };
  FEdit->OnMouseEnter = [this](TObject*) { EditMouseEnter(); };
  FEdit->OnMouseLeave = [this](TObject*) { EditMouseLeave(); };
  {
    // The starting text is not a typed one.
    TFlagScope update(FInValueUpdate);
    SetText("0");
  }
  LayoutControls();
}

TbsSkinSpinEdit::~TbsSkinSpinEdit() {
  if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
  // The edit goes with the children; its handlers must not reach back.
  FEdit->OnChange = nullptr;
  FEdit->OnEnter = nullptr;
  FEdit->OnExit = nullptr;
  FEdit->OnMouseEnter = nullptr;
  FEdit->OnMouseLeave = nullptr;
}

// ---- Value and text ----------------------------------------------------------------

double TbsSkinSpinEdit::Clamp(double value) const {
  if (FMaxValue == FMinValue) return value;
  if (value < FMinValue) return FMinValue;
  if (value > FMaxValue) return FMaxValue;
  return value;
}

std::string TbsSkinSpinEdit::FormatValue(double value) const {
  if (FValueType == vtInteger) return IntToStr(Round(value));
  // Fixed point, the value first cut to 15 significant digits.
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.15g", value);
  char text[400];
  std::snprintf(text, sizeof text, "%.*f", int(FDecimal), std::strtod(digits, nullptr));
  return text;
}

void TbsSkinSpinEdit::SetValue(double value) {
  FValue = Clamp(value);
  const std::string text = FormatValue(FValue);
  if (FInValueUpdate) {
    // Inside OnChange: straight into the edit, and no second OnChange.
    FEdit->SetText(text);
    FEdit->SetSelStart(int(text.size()));
    return;
  }
  {
    TFlagScope update(FInValueUpdate);
    SetText(text);
  }
  // A digit typed after a step goes after the number, not before it.
  FEdit->SetSelStart(int(text.size()));
  Change();
}

void TbsSkinSpinEdit::Loaded() {
  TbsSkinCustomControl::Loaded();
  // The text in the type and decimals the description ended with, whatever
  // order it gave them in.
  TFlagScope update(FInValueUpdate);
  SetText(FormatValue(FValue));
}

void TbsSkinSpinEdit::SetMinValue(double value) {
  FMinValue = value;
  if (FValue < value) SetValue(value);
}

void TbsSkinSpinEdit::SetMaxValue(double value) {
  FMaxValue = value;
  if (FValue > value) SetValue(value);
}

void TbsSkinSpinEdit::SetValueType(TbsValueType value) {
  if (value == FValueType) return;
  FValueType = value;
  if (value == vtInteger) {
    FIncrement = double(Round(FIncrement));
    if (FIncrement == 0) FIncrement = 1;
  }
  FEdit->SetFloat(value == vtFloat);
}

bool TbsSkinSpinEdit::EditorEnabled() const { return FEdit->EditorEnabled(); }
void TbsSkinSpinEdit::SetEditorEnabled(bool value) { FEdit->SetEditorEnabled(value); }
int32_t TbsSkinSpinEdit::MaxLength() const { return FEdit->MaxLength(); }
void TbsSkinSpinEdit::SetMaxLength(int32_t value) { FEdit->SetMaxLength(value); }

void TbsSkinSpinEdit::SetDefaultColor(TColor value) {
  FDefaultColor = value;
  if (RecordIndex() == -1) FEdit->SetColor(value);
}

void TbsSkinSpinEdit::SetUseSkinSize(bool value) {
  if (value == FUseSkinSize) return;
  FUseSkinSize = value;
  if (!ComponentState().Contains(csLoading)) ApplySkinChange();
}

void TbsSkinSpinEdit::TextChanged() {
  TbsSkinCustomControl::TextChanged();
  if (FInTextSync) return;
  {
    TFlagScope sync(FInTextSync);
    FEdit->SetText(Text());
  }
  if (!FInValueUpdate) ApplyTypedText();
}

void TbsSkinSpinEdit::EditTextChanged() {
  if (FInTextSync) return;  // our own text on its way into the edit
  {
    TFlagScope sync(FInTextSync);
    SetText(FEdit->Text());
  }
  if (!FInValueUpdate) ApplyTypedText();
}

void TbsSkinSpinEdit::ApplyTypedText() {
  const std::string text = FEdit->Text();
  if (!IsNumberText(text, FValueType == vtFloat)) return;
  double typed;
  if (FValueType == vtFloat) {
    if (!TryStrToFloat(text, typed)) return;
  } else {
    typed = StrToInt(text);  // a digit string beyond 32 bits is the conversion error
  }
  const double clamped = Clamp(typed);
  if (clamped != FValue) {
    FValue = clamped;
    Change();
  }
  // A number past the bound on the side away from zero only grows away
  // from the range with more digits, so the bound replaces it now. Typed
  // 5 in 10..100 stays (it may become 50); typed -5 in 0..255 does not.
  const bool beyond = (clamped < typed && typed >= 0) || (clamped > typed && typed < 0);
  if (beyond) {
    const std::string rewritten = FormatValue(clamped);
    {
      TFlagScope update(FInValueUpdate);
      FEdit->SetText(rewritten);
    }
    FEdit->SetSelStart(int(rewritten.size()));
  }
}

void TbsSkinSpinEdit::Change() {
  if (ComponentState().Contains(csLoading) || Designing()) return;
  TFlagScope update(FInValueUpdate);
  OnChange(this);
}

void TbsSkinSpinEdit::Step(int direction) { SetValue(FValue + (direction > 0 ? FIncrement : -FIncrement)); }

// ---- The inner edit's events -----------------------------------------------------------

void TbsSkinSpinEdit::EditKeyDown(WORD& key, TShiftState shift) { OnEditKeyDown(this, key, shift); }
void TbsSkinSpinEdit::EditKeyUp(WORD& key, TShiftState shift) { OnEditKeyUp(this, key, shift); }
void TbsSkinSpinEdit::EditKeyPress(char32_t& key) { OnEditKeyPress(this, key); }

void TbsSkinSpinEdit::EditEnter() {
  OnEditEnter(this);
  FEditFocused = true;
  if (RecordIndex() != -1 && !IsEmptyRect(FActiveSkinRect)) Invalidate();
  UpdateEditColor();
}

void TbsSkinSpinEdit::EditExit() {
  OnEditExit(this);
  FEditFocused = false;
  if (RecordIndex() != -1 && !IsEmptyRect(FActiveSkinRect)) Invalidate();
  UpdateEditColor();
  // Whatever was left half typed, the field shows the value again.
  TFlagScope update(FInValueUpdate);
  FEdit->SetText(FormatValue(FValue));
}

// ---- Hot tracking -------------------------------------------------------------------------

void TbsSkinSpinEdit::SetHot(bool value) {
  if (value == FHot) return;
  if (value && (RecordIndex() == -1 || IsEmptyRect(FActiveSkinRect))) return;
  FHot = value;
  Invalidate();
}

void TbsSkinSpinEdit::EditMouseEnter() {
  if (FEditFocused) return;
  SetHot(true);
  if (RecordIndex() != -1 && FActiveFontColor != FFontColor) FEdit->Font()->SetColor(FActiveFontColor);
}

void TbsSkinSpinEdit::EditMouseLeave() {
  if (FEditFocused || MouseControl() == this) return;
  SetHot(false);
  if (RecordIndex() != -1) FEdit->Font()->SetColor(FFontColor);
}

// ---- Buttons ----------------------------------------------------------------------------------

int TbsSkinSpinEdit::ButtonAt(int x, int y) const {
  for (int i = 0; i < 2; ++i)
    if (FButtons[i].Rect.Contains(x, y)) return i;
  return -1;
}

void TbsSkinSpinEdit::InvalidateButton(int index) {
  if (index < 0 || !HandleAllocated()) return;
  const RECT r = FButtons[index].Rect;
  InvalidateRect(Handle(), &r, false);
}

void TbsSkinSpinEdit::StartRepeat(UINT interval) {
  if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, interval, nullptr);
}

void TbsSkinSpinEdit::StopRepeat() {
  if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
}

void TbsSkinSpinEdit::RepeatTick() {
  if (FFirstDelay) {
    FFirstDelay = false;
    StartRepeat(kRepeatInterval);
    return;
  }
  if (FRepeatDirection != 0) Step(FRepeatDirection == 2 ? 1 : -1);
}

void TbsSkinSpinEdit::SetHoverButton(int index) {
  if (index == FHoverButton) return;
  if (FHoverButton >= 0) {
    TButton& old = FButtons[FHoverButton];
    old.MouseIn = false;
    InvalidateButton(FHoverButton);
    if (old.Down) StopRepeat();
  }
  FHoverButton = index;
  if (index >= 0) {
    TButton& now = FButtons[index];
    now.MouseIn = true;
    InvalidateButton(index);
    if (now.Down) StartRepeat(kResumeInterval);
  }
}

void TbsSkinSpinEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinCustomControl::MouseDown(button, shift, x, y);
  if (!FEditFocused && FEdit->CanFocus()) FEdit->SetFocus();
  const int hit = ButtonAt(x, y);
  if (hit < 0) return;
  FCaptureButton = hit;
  SetHoverButton(hit);
  FButtons[hit].MouseIn = true;
  FButtons[hit].Down = true;
  InvalidateButton(hit);
  FRepeatDirection = hit == 0 ? 2 : 1;
  FFirstDelay = true;
  StartRepeat(kFirstDelay);
}

void TbsSkinSpinEdit::MouseMove(TShiftState shift, int x, int y) {
  int hit = ButtonAt(x, y);
  // While a button is held the other one never lights up.
  if (FCaptureButton >= 0 && hit != FCaptureButton) hit = -1;
  SetHoverButton(hit);
  TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinSpinEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  StopRepeat();
  FRepeatDirection = 0;
  if (FCaptureButton >= 0) {
    const int index = FCaptureButton;
    FCaptureButton = -1;
    TButton& held = FButtons[index];
    held.Down = false;
    const bool over = ButtonAt(x, y) == index;
    if (!over) {
      held.MouseIn = false;
      if (FHoverButton == index) FHoverButton = -1;
    }
    InvalidateButton(index);
    if (over) Step(index == 0 ? 1 : -1);
  }
  TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

// ---- Messages -----------------------------------------------------------------------------

void TbsSkinSpinEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_TIMER:
      if (message.WParam == kRepeatTimer) {
        RepeatTick();
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      // Over the buttons the wheel steps as it does over the text.
      message.Result = FEdit->Perform(message.Msg, message.WParam, message.LParam);
      return;
    default: break;
  }
  if (InnerEditMessage(message)) return;
  TbsSkinCustomControl::WndProc(message);
  switch (message.Msg) {
    case CM_MOUSEENTER:
      SetHoverButton(-1);
      if (!FEditFocused) {
        SetHot(true);
        if (RecordIndex() != -1 && FActiveFontColor != FFontColor) FEdit->Font()->SetColor(FActiveFontColor);
      }
      break;
    case CM_MOUSELEAVE:
      if (FCaptureButton < 0) SetHoverButton(-1);
      if (MouseControl() != FEdit && !FEditFocused) {
        SetHot(false);
        if (RecordIndex() != -1) FEdit->Font()->SetColor(FFontColor);
      }
      break;
    default: break;
  }
}

// ---- Skin, size and layout -----------------------------------------------------------------

void TbsSkinSpinEdit::ResolveSkinRecord() {
  TbsSkinEditHost::ResolveSkinRecord();
  if (RecordIndex() == -1) return;
  const auto* record = dynamic_cast<const TbsDataSkinSpinEditControl*>(SkinRecord());
  if (!record) {
    FActiveSkinRect = FUpRect = FActiveUpRect = FDownUpRect = FDownRect = FActiveDownRect = FDownDownRect = RECT{};
    return;
  }
  FActiveSkinRect = record->ActiveSkinRect;
  TakeRecordFont(*record);
  FUpRect = record->UpButtonRect;
  FActiveUpRect = record->ActiveUpButtonRect;
  FDownUpRect = IsEmptyRect(record->DownUpButtonRect) ? record->ActiveUpButtonRect : record->DownUpButtonRect;
  FDownRect = record->DownButtonRect;
  FActiveDownRect = record->ActiveDownButtonRect;
  FDownDownRect = IsEmptyRect(record->DownDownButtonRect) ? record->ActiveDownButtonRect : record->DownDownButtonRect;
  FStripLeft = record->LeftTopPoint.X;
  FStripRight = WidthOf(record->SkinRect) - record->RightTopPoint.X;
}

void TbsSkinSpinEdit::FitSizeToSkin(int& width, int& height) {
  if (FUseSkinSize) {
    TbsSkinCustomControl::FitSizeToSkin(width, height);
  } else if (RecordIndex() != -1) {
    FitHorizontally(width);
  }
}

void TbsSkinSpinEdit::UpdateWindowShape() {
  if (FUseSkinSize) {
    TbsSkinCustomControl::UpdateWindowShape();
    return;
  }
  // A stretched spin edit keeps its rectangle.
  TBitmap* mask = ShapeMask;
  ShapeMask = nullptr;
  TbsSkinCustomControl::UpdateWindowShape();
  ShapeMask = mask;
}

void TbsSkinSpinEdit::LayoutControls() {
  if (!FEdit) return;
  const int w = Width(), h = Height();
  const int editHeight = FontCellHeight(FEdit->Font());
  RECT area;
  if (RecordIndex() == -1) {
    FButtons[0].Rect = {w - 17, 2, w - 2, h / 2};
    FButtons[1].Rect = {w - 17, h / 2, w - 2, h - 2};
    area = {2, 0, std::max(w - 17, 2), h};
  } else {
    const int dW = w - WidthOf(SourceRect), dH = FUseSkinSize ? 0 : h - HeightOf(SourceRect);
    const auto placed = [&](RECT r) {
      if (r.Left > TopRightMark.X) r.Offset(dW, 0);
      return r;
    };
    RECT up = placed(FUpRect), down = placed(FDownRect);
    if (dH != 0) {
      if (down.Top >= up.Bottom) {
        // One above the other: the grown column is shared half and half.
        const int top = up.Top, bottom = down.Bottom + dH, middle = (top + bottom) / 2;
        up.Bottom = middle;
        down.Top = middle;
        down.Bottom = bottom;
      } else {
        up.Bottom += dH;
        down.Bottom += dH;
      }
    }
    FButtons[0].Rect = up;
    FButtons[1].Rect = down;
    area = {InnerRect.Left, InnerRect.Top, InnerRect.Right + dW, InnerRect.Bottom + dH};
  }
  const int top = area.Top + HeightOf(area) / 2 - editHeight / 2;
  FEdit->SetBounds(area.Left, top, std::max(WidthOf(area), 0), editHeight);
}

// ---- Painting ------------------------------------------------------------------------------

void TbsSkinSpinEdit::PaintSkinLook(TBitmap* bitmap) {
  const bool active = (FEditFocused || FHot) && !IsEmptyRect(FActiveSkinRect);
  if (FUseSkinSize) {
    if (active && Picture)
      ComposeHorizontalStrip(FStripLeft, FStripRight, bitmap, StretchMiddle, Width(), FActiveSkinRect, Picture);
    else
      TbsSkinCustomControl::PaintSkinLook(bitmap);
    PaintSkinButtons(bitmap);
    return;
  }
  if (Picture && !IsEmptyRect(SourceRect))
    ComposeStretchedFrame(bitmap, Picture, active ? FActiveSkinRect : SourceRect, InnerRect, true);
  PaintResizableButtons(bitmap);
}

void TbsSkinSpinEdit::PaintSkinButtons(TBitmap* bitmap) {
  const RECT pressed[2] = {FDownUpRect, FDownDownRect};
  const RECT hot[2] = {FActiveUpRect, FActiveDownRect};
  for (int i = 0; i < 2; ++i) {
    const TButton& b = FButtons[i];
    // The normal buttons are part of the skin image.
    if (b.Down && b.MouseIn)
      CopyPiece(bitmap, Picture, pressed[i], b.Rect.TopLeft());
    else if (b.MouseIn)
      CopyPiece(bitmap, Picture, hot[i], b.Rect.TopLeft());
  }
}

void TbsSkinSpinEdit::PaintResizableButtons(TBitmap* bitmap) {
  for (int i = 0; i < 2; ++i) {
    const TButton& b = FButtons[i];
    DrawResizableSkinButton(SkinData(), bitmap->Canvas(), b.Rect, b.MouseIn, b.Down && b.MouseIn, i == 0 ? 3 : 4);
  }
}

void TbsSkinSpinEdit::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* canvas = bitmap->Canvas();
  const RECT client{0, 0, bitmap->Width(), bitmap->Height()};
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Enabled() ? FDefaultColor : SystemColor(COLOR_BTNFACE));
  canvas->FillRect(client);
  canvas->Brush()->SetColor(SystemColor(COLOR_BTNSHADOW));
  canvas->FrameRect(client);
  canvas->Brush()->SetColor(SystemColor(COLOR_BTNFACE));
  canvas->FrameRect({1, 1, client.Right - 1, client.Bottom - 1});
  for (int i = 0; i < 2; ++i) {
    const TButton& b = FButtons[i];
    DrawDefaultEditButton(canvas, b.Rect, b.MouseIn, b.Down, false, i == 0 ? 3 : 4, Enabled());
  }
}

}  // namespace kora
