// TbsSkinCheckRadioBox: the check image and the caption from the record, or
// the built-in look, and the user's ways of toggling it.

#include "skin/controls/bsSkinCtrls_CheckRadio.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/menus/Menus.h"
#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"

namespace kora {

namespace {

constexpr int kBoxSize = 13;
constexpr int kTextLeft = 18;
constexpr uint32_t kCaptionFlags = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
constexpr TColor kHotFrame = RGB(0, 0, 128);

}  // namespace

TClass TbsSkinCheckRadioBox::StaticClass() {
  using C = TbsSkinCheckRadioBox;
  static const TClassInfo info(TClassBuilder<C>("TbsSkinCheckRadioBox")
                                   .Property("TabStop", &C::TabStop, &C::SetTabStop)
                                   .Default(true)
                                   .Property("Checked", &C::Checked, &C::SetChecked)
                                   .Default(false)
                                   .Property("Radio", &C::Radio, &C::SetRadio)
                                   .Default(false)
                                   .Property("GroupIndex", &C::GroupIndex, &C::SetGroupIndex)
                                   .Default(0));
  return &info;
}

TbsSkinCheckRadioBox::TbsSkinCheckRadioBox(TComponent* owner) : TbsSkinCustomControl(owner) {
  // Two quick clicks toggle twice.
  SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks} + TControlStyle{csOpaque});
  SetSkinDataName("checkbox");
  SetTabStop(true);
  SetBounds(Left(), Top(), 120, 20);
}

void TbsSkinCheckRadioBox::SetChecked(bool value) {
  if (value == FChecked) return;
  FChecked = value;
  Invalidate();
  if (!FRadio || !value || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TbsSkinCheckRadioBox*>(Parent()->Controls(i));
    if (other && other != this && other->FRadio && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
  }
}

void TbsSkinCheckRadioBox::SetRadio(bool value) {
  if (value == FRadio) return;
  FRadio = value;
  // The skin's own record for the kind, unless another one was chosen.
  if (value && SkinDataName() == "checkbox") SetSkinDataName("radiobox");
  if (!value && SkinDataName() == "radiobox") SetSkinDataName("checkbox");
  Invalidate();
}

void TbsSkinCheckRadioBox::Click() {
  SetChecked(FRadio ? true : !FChecked);
  TbsSkinCustomControl::Click();
}

bool TbsSkinCheckRadioBox::Hot() const { return FMouseIn || Focused(); }

// ---- The record -----------------------------------------------------------------------------

void TbsSkinCheckRadioBox::CopyRecord(const TbsDataSkinCheckRadioControl* record) {
  FCheckImageArea = record->CheckImageArea;
  FTextArea = record->TextArea;
  FCheckRect = record->CheckImageRect;
  FUnCheckRect = record->UnCheckImageRect;
  FActiveCheckRect = IsEmptyRect(record->ActiveCheckImageRect) ? FCheckRect : record->ActiveCheckImageRect;
  FActiveUnCheckRect = IsEmptyRect(record->ActiveUnCheckImageRect) ? FUnCheckRect : record->ActiveUnCheckImageRect;
  FDisabledCheckRect = IsEmptyRect(record->UnEnabledCheckImageRect) ? FCheckRect : record->UnEnabledCheckImageRect;
  FDisabledUnCheckRect =
      IsEmptyRect(record->UnEnabledUnCheckImageRect) ? FUnCheckRect : record->UnEnabledUnCheckImageRect;
  FSkinFont = *record;
  FActiveFontColor = record->ActiveFontColor;
  FDisabledFontColor = record->UnEnabledFontColor;
}

void TbsSkinCheckRadioBox::ResolveSkinRecord() {
  TbsSkinCustomControl::ResolveSkinRecord();
  if (RecordIndex() == -1) return;
  if (const auto* record = dynamic_cast<const TbsDataSkinCheckRadioControl*>(SkinRecord())) {
    CopyRecord(record);
    return;
  }
  // Another kind of record: its background only, and the caption over all of
  // it.
  FCheckImageArea = FCheckRect = FUnCheckRect = FActiveCheckRect = FActiveUnCheckRect = {};
  FDisabledCheckRect = FDisabledUnCheckRect = {};
  FTextArea = {0, 0, WidthOf(SourceRect), HeightOf(SourceRect)};
  FSkinFont = {};
  FActiveFontColor = FDisabledFontColor = FSkinFont.FontColor;
}

// ---- Looks ----------------------------------------------------------------------------------

void TbsSkinCheckRadioBox::DrawCaption(TCanvas* canvas, const RECT& area) {
  canvas->Brush()->SetStyle(bsClear);
  const HDC dc = canvas->Handle();
  RECT r = area;
  DrawText(dc, Caption(), &r, kCaptionFlags);
  if (!Focused() || Caption().empty()) return;
  RECT text{0, 0, 0, 0};
  DrawText(dc, Caption(), &text, kCaptionFlags | DT_CALCRECT);
  const int top = area.Top + (HeightOf(area) - HeightOf(text)) / 2;
  RECT focus{area.Left - 2, std::max(area.Top, top - 1), std::min(area.Right, area.Left + WidthOf(text) + 2),
             std::min(area.Bottom, top + HeightOf(text) + 1)};
  canvas->Brush()->SetStyle(bsSolid);
  canvas->DrawFocusRect(focus);
}

void TbsSkinCheckRadioBox::PaintSkinLook(TBitmap* bitmap) {
  TbsSkinCustomControl::PaintSkinLook(bitmap);
  if (!Picture) return;
  // Areas right of the stretching middle move with the right edge, areas
  // below it with the bottom edge.
  const int dx = bitmap->Width() - WidthOf(SourceRect), dy = bitmap->Height() - HeightOf(SourceRect);
  const bool across = SizingMode == 1 || SizingMode == 2, down = SizingMode == 1 || SizingMode == 3;
  const auto fit = [&](RECT r) {
    if (across && r.Left >= TopRightMark.X) r.Left += dx;
    if (across && r.Right > TopRightMark.X) r.Right += dx;
    if (down && r.Top >= BottomLeftMark.Y) r.Top += dy;
    if (down && r.Bottom > BottomLeftMark.Y) r.Bottom += dy;
    return r;
  };

  const RECT image = !Enabled() ? (FChecked ? FDisabledCheckRect : FDisabledUnCheckRect)
                     : Hot()    ? (FChecked ? FActiveCheckRect : FActiveUnCheckRect)
                                : (FChecked ? FCheckRect : FUnCheckRect);
  // Centred in its area.
  const RECT area = fit(FCheckImageArea);
  if (!IsEmptyRect(image) && !IsEmptyRect(area))
    BitBlt(bitmap->Canvas()->Handle(), area.Left + (WidthOf(area) - WidthOf(image)) / 2,
           area.Top + (HeightOf(area) - HeightOf(image)) / 2, WidthOf(image), HeightOf(image),
           Picture->Canvas()->Handle(), image.Left, image.Top, SRCCOPY);

  TCanvas* canvas = bitmap->Canvas();
  TFont* font = canvas->Font();
  font->Assign(DefaultFont());
  if (UseSkinFont()) {
    font->SetName(FSkinFont.FontName);
    font->SetHeight(FSkinFont.FontHeight);
    font->SetStyle(FSkinFont.FontStyle);
  }
  font->SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
  font->SetColor(!Enabled() ? FDisabledFontColor : Hot() ? FActiveFontColor : FSkinFont.FontColor);
  DrawCaption(canvas, fit(FTextArea));
}

void TbsSkinCheckRadioBox::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* canvas = bitmap->Canvas();
  const int width = bitmap->Width(), height = bitmap->Height();
  PaintParentBackground(this, canvas);

  const int x = 1, y = (height - kBoxSize) / 2;
  const RECT box{x, y, x + kBoxSize, y + kBoxSize};
  const TColor frame = !Enabled() ? clBtnShadow : Hot() ? kHotFrame : clBtnShadow;
  const TColor mark = Enabled() ? clWindowText : clBtnShadow;
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Enabled() ? clWindow : clBtnFace);
  canvas->Pen()->SetColor(frame);
  if (FRadio) {
    canvas->Ellipse(box);
    if (FChecked) DrawRadioDot(canvas, x + 3, y + 3, mark);
  } else {
    canvas->Rectangle(box);
    if (FChecked) DrawCheckMark(canvas, x + 3, y + 3, mark);
  }

  canvas->Font()->Assign(DefaultFont());
  canvas->Font()->SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
  if (!Enabled()) canvas->Font()->SetColor(clBtnShadow);
  DrawCaption(canvas, {kTextLeft, 0, width, height});
}

// ---- Mouse and keyboard ---------------------------------------------------------------------

void TbsSkinCheckRadioBox::KeyUp(WORD& key, TShiftState shift) {
  TbsSkinCustomControl::KeyUp(key, shift);
  if (key == VK_SPACE && Enabled()) Click();
}

void TbsSkinCheckRadioBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
      // A press takes the focus first, as a dialog's boxes do.
      if (!Designing() && TabStop() && !Focused() && CanFocus()) SetFocus();
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TbsSkinCustomControl::WndProc(message);
      FMouseIn = message.Msg == CM_MOUSEENTER;
      Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      FMouseIn = false;
      Invalidate();
      break;
    case CM_DIALOGCHAR:
      if (Enabled() && Visible() && IsAccel(char32_t(message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        Click();
        message.Result = 1;
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TbsSkinCustomControl::WndProc(message);
      Invalidate();
      return;
    default: break;
  }
  TbsSkinCustomControl::WndProc(message);
}

}  // namespace kora
