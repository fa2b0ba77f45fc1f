// TbsSkinUpDown: two arrow buttons over a position range.

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "skin/controls/bsSkinCtrls_UpDown.h"

namespace kora {

const TTypeInfo* TypeInfoOf(TbsUpDownOrientation) {
  static const TTypeInfo info = EnumTypeInfo("TbsUpDownOrientation", {"udHorizontal", "udVertical"});
  return &info;
}

TClass TbsSkinUpDown::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsSkinUpDown>("TbsSkinUpDown")
                                   .Property("MinValue", &TbsSkinUpDown::MinValue, &TbsSkinUpDown::SetMinValue)
                                   .Default(0)
                                   .Property("MaxValue", &TbsSkinUpDown::MaxValue, &TbsSkinUpDown::SetMaxValue)
                                   .Default(100)
                                   .Property("Position", &TbsSkinUpDown::Position, &TbsSkinUpDown::SetPosition)
                                   .Default(0)
                                   .Property("Increment", &TbsSkinUpDown::Increment, &TbsSkinUpDown::SetIncrement)
                                   .Default(1)
                                   .Property("Orientation", &TbsSkinUpDown::Orientation, &TbsSkinUpDown::SetOrientation)
                                   .Default(udHorizontal)
                                   .Property("OnUpButtonClick", &TbsSkinUpDown::OnUpButtonClick)
                                   .Property("OnDownButtonClick", &TbsSkinUpDown::OnDownButtonClick)
                                   .Property("OnChange", &TbsSkinUpDown::OnChange));
  return &info;
}

TbsSkinUpDown::TbsSkinUpDown(TComponent* owner) : TbsSkinCustomControl(owner) {
  SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csOpaque});
  SetSkinDataName("hupdown");
  SetBounds(0, 0, 32, 16);
}

void TbsSkinUpDown::SetMinValue(int32_t value) {
  FMinValue = value;
  FMaxValue = std::max(FMaxValue, value);
  SetPosition(FPosition);
}

void TbsSkinUpDown::SetMaxValue(int32_t value) {
  FMaxValue = value;
  FMinValue = std::min(FMinValue, value);
  SetPosition(FPosition);
}

void TbsSkinUpDown::SetPosition(int32_t value) { FPosition = std::clamp(value, FMinValue, FMaxValue); }

void TbsSkinUpDown::SetOrientation(TbsUpDownOrientation value) {
  if (value == FOrientation) return;
  FOrientation = value;
  Invalidate();
}

const TbsDataSkinUpDownControl* TbsSkinUpDown::UpDownRecord() const {
  return dynamic_cast<const TbsDataSkinUpDownControl*>(SkinRecord());
}

RECT TbsSkinUpDown::UpButtonRect() const {
  if (const auto* record = UpDownRecord(); record && !IsEmptyRect(record->UpButtonRect)) return record->UpButtonRect;
  const int w = Width(), h = Height();
  return FOrientation == udHorizontal ? RECT{w / 2, 0, w, h} : RECT{0, 0, w, h / 2};
}

RECT TbsSkinUpDown::DownButtonRect() const {
  if (const auto* record = UpDownRecord(); record && !IsEmptyRect(record->DownButtonRect))
    return record->DownButtonRect;
  const int w = Width(), h = Height();
  return FOrientation == udHorizontal ? RECT{0, 0, w / 2, h} : RECT{0, h / 2, w, h};
}

TbsSkinUpDown::TButton TbsSkinUpDown::ButtonAt(int x, int y) const {
  if (UpButtonRect().Contains(x, y)) return kUp;
  if (DownButtonRect().Contains(x, y)) return kDown;
  return kNone;
}

void TbsSkinUpDown::SetHot(TButton value) {
  if (value == FHot) return;
  FHot = value;
  Invalidate();
}

void TbsSkinUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  FPressed = ButtonAt(x, y);
  if (FPressed == kNone) return;
  Invalidate();
  const int32_t old = FPosition;
  SetPosition(FPressed == kUp ? FPosition + FIncrement : FPosition - FIncrement);
  // A handler may free us, so they are called from copies and nothing of
  // ours is touched after them.
  const TNotifyEvent click = FPressed == kUp ? OnUpButtonClick : OnDownButtonClick;
  const TNotifyEvent change = FPosition != old ? OnChange : TNotifyEvent();
  click(this);
  change(this);
}

void TbsSkinUpDown::MouseMove(TShiftState shift, int x, int y) {
  TbsSkinCustomControl::MouseMove(shift, x, y);
  if (!Designing()) SetHot(ButtonAt(x, y));
}

void TbsSkinUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && FPressed != kNone) {
    FPressed = kNone;
    Invalidate();
  }
  TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinUpDown::WndProc(TMessage& message) {
  if (message.Msg == CM_MOUSELEAVE) SetHot(kNone);
  TbsSkinCustomControl::WndProc(message);
}

void TbsSkinUpDown::PaintSkinLook(TBitmap* bitmap) {
  TbsSkinCustomControl::PaintSkinLook(bitmap);
  const auto* record = UpDownRecord();
  if (!record || !Picture) return;
  const TbsPiecePainter painter(bitmap, Picture);
  auto piece = [&](TButton which, const RECT& hot, const RECT& pressed, const RECT& place) {
    const RECT& source = FPressed == which ? pressed : FHot == which ? hot : RECT{};
    if (!IsEmptyRect(source) && !IsEmptyRect(place)) painter.Copy(source, place);
  };
  if (!Enabled()) return;
  piece(kDown, record->ActiveDownButtonRect, record->DownDownButtonRect, DownButtonRect());
  piece(kUp, record->ActiveUpButtonRect, record->DownUpButtonRect, UpButtonRect());
}

void TbsSkinUpDown::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect({0, 0, bitmap->Width(), bitmap->Height()});
  const TColor arrow = Enabled() ? clBtnText : clBtnShadow;
  auto button = [&](TButton which, RECT r, int direction) {
    RECT edge = r;
    DrawEdge(canvas->Handle(), &edge, FPressed == which ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (FPressed == which) r = r.Offsetted(1, 1);
    DrawArrow(canvas, r, arrow, direction);
  };
  const bool across = FOrientation == udHorizontal;
  button(kDown, DownButtonRect(), across ? 1 : 4);
  button(kUp, UpButtonRect(), across ? 2 : 3);
}

}  // namespace kora
