// TbsSkinButton: properties, the mouse, the keyboard, the focus and the
// three timers (cross-fade, frame animation, auto-repeat).

#include <algorithm>
#include <cmath>

#include "framework/core/ClassBuilder.h"
#include "framework/menus/Menus.h"
#include "skin/controls/bsSkinCtrls_Button.h"

namespace kora {

namespace {

constexpr uint32_t kMorphInterval = 20;
constexpr double kMorphStep = 0.2;

// A timer that starts stopped and calls `tick`.
std::unique_ptr<TTimer> MakeTimer(uint32_t interval, std::function<void()> tick) {
  auto timer = std::make_unique<TTimer>(nullptr);
  timer->SetEnabled(false);
  timer->SetInterval(interval);
  timer->SetOnTimer([tick = std::move(tick)](TObject*) { tick(); });
  return timer;
}

HDC DcFromParam(WPARAM wParam) { return HDC(uint64_t(wParam)); }

}  // namespace

const TTypeInfo* TypeInfoOf(TbsButtonLayout) {
  static const TTypeInfo info =
      EnumTypeInfo("TbsButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
  return &info;
}

TClass TbsSkinButton::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinButton>("TbsSkinButton")
          // A button takes the focus unless told otherwise.
          .Property("TabStop", &TbsSkinButton::TabStop, &TbsSkinButton::SetTabStop)
          .Default(true)
          .Property("Glyph", &TbsSkinButton::Glyph, &TbsSkinButton::SetGlyph)
          .Property("NumGlyphs", &TbsSkinButton::NumGlyphs, &TbsSkinButton::SetNumGlyphs)
          .Default(1)
          .Property("ImageList", &TbsSkinButton::ImageList, &TbsSkinButton::SetImageList)
          .Property("ImageIndex", &TbsSkinButton::ImageIndex, &TbsSkinButton::SetImageIndex)
          .Default(-1)
          .Property("Layout", &TbsSkinButton::Layout, &TbsSkinButton::SetLayout)
          .Default(blGlyphLeft)
          .Property("Margin", &TbsSkinButton::Margin, &TbsSkinButton::SetMargin)
          .Default(-1)
          // The stored default is the initial value, so every spacing
          // survives a round trip through a form description.
          .Property("Spacing", &TbsSkinButton::Spacing, &TbsSkinButton::SetSpacing)
          .Default(1)
          .Property("UseSkinSize", &TbsSkinButton::UseSkinSize, &TbsSkinButton::SetUseSkinSize)
          .Default(true)
          .Property("UseSkinFontColor", &TbsSkinButton::UseSkinFontColor, &TbsSkinButton::SetUseSkinFontColor)
          .Default(true)
          .Property("RepeatMode", &TbsSkinButton::RepeatMode, &TbsSkinButton::SetRepeatMode)
          .Default(false)
          .Property("RepeatInterval", &TbsSkinButton::RepeatInterval, &TbsSkinButton::SetRepeatInterval)
          .Default(100)
          .Property("GroupIndex", &TbsSkinButton::GroupIndex, &TbsSkinButton::SetGroupIndex)
          .Default(0)
          .Property("AllowAllUp", &TbsSkinButton::AllowAllUp, &TbsSkinButton::SetAllowAllUp)
          .Default(false)
          .Property("Down", &TbsSkinButton::Down, &TbsSkinButton::SetDown)
          .Default(false)
          .Property("CanFocused", &TbsSkinButton::CanFocused, &TbsSkinButton::SetCanFocused)
          .Default(true)
          .Property("Default", &TbsSkinButton::Default, &TbsSkinButton::SetDefault)
          .Default(false)
          .Property("Cancel", &TbsSkinButton::Cancel, &TbsSkinButton::SetCancel)
          .Default(false)
          .Property("ModalResult", &TbsSkinButton::ModalResult, &TbsSkinButton::SetModalResult)
          .Default(mrNone));
  return &info;
}

TbsSkinButton::TbsSkinButton(TComponent* owner) : TbsSkinCustomControl(owner), FGlyph(std::make_unique<TBitmap>()) {
  SetControlStyle(ControlStyle() - TControlStyle{csClickEvents} + TControlStyle{csOpaque});
  FMorphTimer = MakeTimer(kMorphInterval, [this] { MorphTick(); });
  FFrameTimer = MakeTimer(25, [this] { FrameTick(); });
  FRepeatTimer = MakeTimer(100, [this] { ButtonClick(); });
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
  SetSkinDataName("button");
  SetTabStop(true);
  SetBounds(Left(), Top(), 75, 25);
}

TbsSkinButton::~TbsSkinButton() {
  FGlyph->OnChange = nullptr;
  if (FImageList) FImageList->RemoveFreeNotification(this);
}

// ---- Properties ---------------------------------------------------------------------

void TbsSkinButton::SetGlyph(const TBitmap* value) {
  FGlyph->Assign(value);
  Invalidate();
}

void TbsSkinButton::SetNumGlyphs(int32_t value) {
  FNumGlyphs = std::clamp(value, 1, 4);
  Invalidate();
}

void TbsSkinButton::SetImageList(TCustomImageList* value) {
  if (value == FImageList) return;
  if (FImageList) FImageList->RemoveFreeNotification(this);
  FImageList = value;
  if (FImageList) FImageList->FreeNotification(this);
  Invalidate();
}

void TbsSkinButton::SetImageIndex(int32_t value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  Invalidate();
}

void TbsSkinButton::SetLayout(TbsButtonLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  Invalidate();
}

void TbsSkinButton::SetMargin(int32_t value) {
  if (value == FMargin || value < -1) return;
  FMargin = value;
  Invalidate();
}

void TbsSkinButton::SetSpacing(int32_t value) {
  if (value == FSpacing) return;
  FSpacing = value;
  Invalidate();
}

void TbsSkinButton::SetUseSkinSize(bool value) {
  if (value == FUseSkinSize) return;
  FUseSkinSize = value;
  // The size and the window's shape follow at once (or when the skin
  // arrives, for a button being read).
  if (!ComponentState().Contains(csLoading) && !Designing()) ApplySkinChange();
}

void TbsSkinButton::SetUseSkinFontColor(bool value) {
  if (value == FUseSkinFontColor) return;
  FUseSkinFontColor = value;
  Invalidate();
}

void TbsSkinButton::SetGroupIndex(int32_t value) {
  FGroupIndex = value;
  if (value != 0) SetCanFocused(false);
}

void TbsSkinButton::SetCanFocused(bool value) {
  FCanFocused = value;
  SetTabStop(value);
}

void TbsSkinButton::SetDefault(bool value) {
  FDefault = value;
  if (!HandleAllocated() || !FCanFocused) return;
  // Every button works out again whether it answers Enter.
  if (TWinControl* form = GetParentForm(this))
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->FocusedControl()));
}

void TbsSkinButton::SetDown(bool value) {
  FDown = value;
  if (MorphingOn()) {
    if (value) {
      FMorphFactor = 1;
      StopMorph();
    } else {
      StartMorph();
    }
  }
  Invalidate();
  if (FGroupIndex == 0 || !value || FAllowAllUp || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TbsSkinButton*>(Parent()->Controls(i));
    if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) other->SetDown(false);
  }
}

void TbsSkinButton::Notification(TComponent* component, TOperation operation) {
  TbsSkinCustomControl::Notification(component, operation);
  if (operation == opRemove && component == FImageList) FImageList = nullptr;
}

// ---- Predicates ---------------------------------------------------------------------------

bool TbsSkinButton::EffectsOn() const { return SkinData() && !SkinData()->Empty() && SkinData()->EnableSkinEffects; }
bool TbsSkinButton::MorphingOn() const { return EffectsOn() && FMorphing; }
bool TbsSkinButton::Animated() const { return RecordIndex() != -1 && EffectsOn() && !IsEmptyRect(FAnimateRect); }
bool TbsSkinButton::IsFocused() const { return FCanFocused && Focused(); }

bool TbsSkinButton::HoverChangesLook() const {
  if (FGroupIndex != 0) return !FDown;
  return !IsFocused() || FDown;
}

void TbsSkinButton::RefreshState() {
  if (MorphingOn() && RecordIndex() != -1)
    StartMorph();
  else
    Invalidate();
}

// ---- Clicks ---------------------------------------------------------------------------------

void TbsSkinButton::ButtonClick() {
  if (FCanFocused) {
    if (auto* form = dynamic_cast<TCustomForm*>(GetParentForm(this))) form->SetModalResult(FModalResult);
  }
  Click();
}

void TbsSkinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (Animated()) StopFrameAnimation();
  FMousePressed = true;
  if (!FDown) {
    FMouseIn = true;
    SetDown(true);
    if (FRepeatMode && FGroupIndex == 0)
      StartRepeat();
    else if (FGroupIndex != 0)
      ButtonClick();
    FCanRelease = false;
  } else if (FGroupIndex != 0) {
    FCanRelease = true;
  }
}

void TbsSkinButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    FMousePressed = false;
    if (FGroupIndex == 0) {
      if (FMouseIn) {
        const bool wasDown = FDown;
        SetDown(false);
        StopRepeat();
        if (wasDown) ButtonClick();
      } else {
        // Released elsewhere: no click, and the look already shows it up.
        FDown = false;
        StopRepeat();
      }
    } else if (FDown && FAllowAllUp && FCanRelease && FMouseIn) {
      SetDown(false);
      ButtonClick();
    }
  }
  // The click may have hidden the button or taken its window.
  if (HandleAllocated() && Visible()) TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinButton::MouseEntered() {
  FMouseIn = true;
  if (HoverChangesLook()) {
    if (FDown) {
      if (MorphingOn()) FMorphFactor = 1;
      Invalidate();
    } else {
      if (Animated()) StartFrameAnimation(true);
      RefreshState();
    }
  }
  // Back over the button while it is held: the repeat goes on. A button
  // that is only down (set so) does not start clicking under the pointer.
  if (FDown && FRepeatMode && FGroupIndex == 0 && FMousePressed) {
    StopRepeat();
    StartRepeat();
  }
}

void TbsSkinButton::MouseLeft() {
  // The default button keeps its hot look while an edit has the focus.
  if (!(FCanFocused && FDefault && FDefaultActive && !IsFocused())) FMouseIn = false;
  if (HoverChangesLook()) {
    if (Animated()) StartFrameAnimation(false);
    RefreshState();
  }
  if (FDown && FRepeatMode && FGroupIndex == 0 && FRepeatTimer->Enabled()) StopRepeat();
}

// ---- Keyboard --------------------------------------------------------------------------------

void TbsSkinButton::KeyDown(WORD& key, TShiftState shift) {
  TbsSkinCustomControl::KeyDown(key, shift);
  if (!FCanFocused) return;
  if (key == VK_SPACE) {
    if (Animated()) StopFrameAnimation();
    SetDown(true);
    // Every auto-repeated key-down clicks.
    if (FRepeatMode) ButtonClick();
  } else if (key == VK_RETURN && IsFocused()) {
    ButtonClick();
  }
}

void TbsSkinButton::KeyUp(WORD& key, TShiftState shift) {
  TbsSkinCustomControl::KeyUp(key, shift);
  if (!FCanFocused || key != VK_SPACE) return;
  SetDown(false);
  ButtonClick();
}

bool TbsSkinButton::DialogKeyPressed(WORD key, TShiftState shift) {
  if (key == VK_RETURN && FDefaultActive && Enabled()) {
    ButtonClick();
    return true;
  }
  const bool modifiers = !(shift * TShiftState{ssShift, ssCtrl, ssAlt}).Empty();
  if (key == VK_ESCAPE && FCancel && FCanFocused && !modifiers && CanFocus()) {
    ButtonClick();
    return true;
  }
  return false;
}

bool TbsSkinButton::AcceleratorPressed(char32_t key) {
  if (!FCanFocused || !IsAccel(key, Caption()) || !CanFocus()) return false;
  SetFocus();
  ButtonClick();
  return true;
}

// ---- Focus ----------------------------------------------------------------------------------

void TbsSkinButton::FocusGained() {
  if (!FCanFocused) return;
  if (Animated()) StartFrameAnimation(true);
  RefreshState();
}

void TbsSkinButton::FocusLost() {
  if (FRepeatMode) StopRepeat();
  if (FGroupIndex == 0 && FDown) SetDown(false);
  if (!FCanFocused) return;
  if (Animated()) StartFrameAnimation(false);
  RefreshState();
}

void TbsSkinButton::FocusMoved(TWinControl* focused) {
  auto* button = dynamic_cast<TbsSkinButton*>(focused);
  FDefaultActive = button ? button == this : FDefault;
  if (!FDefault || !FCanFocused) return;
  if (button && button != this && FMouseIn) {
    FMouseIn = false;
    RefreshState();
  } else if (!button && !FMouseIn) {
    // Enter in the edit will click this button: show it.
    if (MorphingOn()) FMorphFactor = 1;
    FMouseIn = true;
    RefreshState();
  }
}

void TbsSkinButton::EnabledChanged() {
  if (MorphingOn()) {
    StopMorph();
    FMorphFactor = 0;
  }
  FMouseIn = false;
  Invalidate();
}

void TbsSkinButton::CreateWnd() {
  TbsSkinCustomControl::CreateWnd();
  FDefaultActive = FDefault;
}

void TbsSkinButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // A press focuses the button first; one that cannot take the focus
      // does not take the press either.
      if (FCanFocused && !Designing() && !Focused()) {
        if (CanFocus()) SetFocus();
        if (!Focused()) return;
      }
      break;
    case WM_ERASEBKGND:
      // Asked from outside a paint, the button draws itself there: it is
      // never erased to its parent's colour.
      if (!InSystemPaint() && message.WParam) PaintInto(DcFromParam(message.WParam));
      message.Result = 1;
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TbsSkinCustomControl::WndProc(message);
      if (Designing()) return;
      if (message.Msg == CM_MOUSEENTER)
        MouseEntered();
      else
        MouseLeft();
      return;
    case CM_ENABLEDCHANGED: EnabledChanged(); break;
    case CM_DIALOGKEY:
      if (DialogKeyPressed(WORD(message.WParam), TShiftState::FromBits(uint64_t(message.LParam)))) {
        message.Result = 1;
        return;
      }
      break;
    case CM_DIALOGCHAR:
      if (AcceleratorPressed(char32_t(message.WParam))) {
        message.Result = 1;
        return;
      }
      break;
    case CM_FOCUSCHANGED: FocusMoved(reinterpret_cast<TWinControl*>(message.LParam)); break;
    case WM_SETFOCUS:
      TbsSkinCustomControl::WndProc(message);
      FocusGained();
      return;
    case WM_KILLFOCUS:
      TbsSkinCustomControl::WndProc(message);
      FocusLost();
      return;
    default: break;
  }
  TbsSkinCustomControl::WndProc(message);
}

// ---- Timers -----------------------------------------------------------------------------

void TbsSkinButton::StartMorph() {
  if (!FMorphTimer->Enabled()) FMorphTimer->SetEnabled(true);
}

void TbsSkinButton::StopMorph() { FMorphTimer->SetEnabled(false); }

void TbsSkinButton::MorphTick() {
  const bool hot = FMouseIn || IsFocused();
  if (RecordIndex() == -1 || !MorphingOn()) {
    FMorphFactor = hot ? 1 : 0;
    StopMorph();
  } else if (hot && FMorphFactor < 1) {
    // Five even steps: snap away the rounding of the sums.
    FMorphFactor = std::min(1.0, std::round((FMorphFactor + kMorphStep) * 1000) / 1000);
  } else if (!hot && FMorphFactor > 0) {
    FMorphFactor = std::max(0.0, std::round((FMorphFactor - kMorphStep) * 1000) / 1000);
  } else {
    FMorphFactor = hot ? 1 : 0;
    StopMorph();
  }
  Invalidate();
}

void TbsSkinButton::StartFrameAnimation(bool forward) {
  StopFrameAnimation();
  FAnimForward = forward;
  FAnimFrame = forward ? 1 : FFrameCount;
  FFrameTimer->SetInterval(uint32_t(std::max(1, FAnimateInterval)));
  FFrameTimer->SetEnabled(true);
}

void TbsSkinButton::StopFrameAnimation() {
  FFrameTimer->SetEnabled(false);
  FAnimFrame = 0;
}

void TbsSkinButton::FrameTick() {
  if (FAnimForward) {
    if (FAnimFrame <= FFrameCount) {
      ++FAnimFrame;
      Invalidate();
    }
    if (FAnimFrame > FFrameCount) StopFrameAnimation();
  } else {
    if (FAnimFrame >= 0) {
      --FAnimFrame;
      Invalidate();
    }
    if (FAnimFrame <= 0) StopFrameAnimation();
  }
}

void TbsSkinButton::StartRepeat() {
  FRepeatTimer->SetInterval(uint32_t(std::max(0, FRepeatInterval)));
  FRepeatTimer->SetEnabled(true);
}

void TbsSkinButton::StopRepeat() { FRepeatTimer->SetEnabled(false); }

void TbsSkinButton::ApplySkinChange() {
  StopMorph();
  StopFrameAnimation();
  FMorphFactor = 0;
  TbsSkinCustomControl::ApplySkinChange();
  if (MorphingOn() && RecordIndex() != -1 && (IsFocused() || FMouseIn)) FMorphFactor = 1;
}

}  // namespace kora
