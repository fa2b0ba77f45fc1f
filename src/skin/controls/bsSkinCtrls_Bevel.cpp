// TbsSkinBevel: its record's two colours and the shapes drawn with them.

#include "skin/controls/bsSkinCtrls_Bevel.h"

#include "framework/core/ClassBuilder.h"

namespace kora {

const TTypeInfo* TypeInfoOf(TbsBevelShape) {
  static const TTypeInfo info = EnumTypeInfo(
      "TbsBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
  return &info;
}

const TTypeInfo* TypeInfoOf(TbsBevelStyle) {
  static const TTypeInfo info = EnumTypeInfo("TbsBevelStyle", {"bsLowered", "bsRaised"});
  return &info;
}

TClass TbsSkinBevel::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinBevel>("TbsSkinBevel")
          .Property("SkinData", &TbsSkinBevel::SkinData, &TbsSkinBevel::SetSkinData)
          .Property("SkinDataName", &TbsSkinBevel::SkinDataName, &TbsSkinBevel::SetSkinDataName)
          .Property("Shape", &TbsSkinBevel::Shape, &TbsSkinBevel::SetShape)
          .Default(bsBox)
          .Property("Style", &TbsSkinBevel::Style, &TbsSkinBevel::SetStyle)
          .Default(bsLowered));
  return &info;
}

TbsSkinBevel::TbsSkinBevel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
  SetBounds(Left(), Top(), 50, 50);
}

TbsSkinBevel::~TbsSkinBevel() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TbsSkinBevel::SetSkinData(TbsSkinData* value) {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = value;
  if (FSkinData) FSkinData->FreeNotification(this);
  ResolveSkinRecord();
  Invalidate();
}

void TbsSkinBevel::SetSkinDataName(const std::string& value) {
  FSkinDataName = value;
  ResolveSkinRecord();
  Invalidate();
}

void TbsSkinBevel::SetShape(TbsBevelShape value) {
  if (value == FShape) return;
  FShape = value;
  Invalidate();
}

void TbsSkinBevel::SetStyle(TbsBevelStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Invalidate();
}

void TbsSkinBevel::ResolveSkinRecord() {
  FRecordIndex = (!FSkinData || FSkinData->Empty()) ? -1 : FSkinData->FindControlRecord(FSkinDataName);
  if (FRecordIndex == -1) return;
  const auto* record = dynamic_cast<const TbsDataSkinBevel*>(FSkinData->ControlRecord(FRecordIndex));
  if (!record) {
    // A record of another kind has no colours to give.
    FRecordIndex = -1;
    return;
  }
  FLightColor = record->LightColor;
  FDarkColor = record->DarkColor;
}

TColor TbsSkinBevel::LightColor() const { return FRecordIndex == -1 ? TColor(clBtnHighlight) : FLightColor; }
TColor TbsSkinBevel::DarkColor() const { return FRecordIndex == -1 ? TColor(clBtnShadow) : FDarkColor; }

void TbsSkinBevel::SkinNotice(UINT message, TbsSkinData* sender) {
  if (sender && sender != FSkinData) return;
  if (message == SKINMSG_SKIN_CHANGING) FRecordIndex = -1;
  if (message == SKINMSG_SKIN_CHANGED) {
    ResolveSkinRecord();
    Invalidate();
  }
}

void TbsSkinBevel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == FSkinData) {
    FSkinData = nullptr;
    FRecordIndex = -1;
  }
}

void TbsSkinBevel::Paint() {
  if (FShape == bsSpacer) return;
  ResolveSkinRecord();
  const TColor first = FStyle == bsLowered ? DarkColor() : LightColor();
  const TColor second = FStyle == bsLowered ? LightColor() : DarkColor();
  TCanvas* canvas = Canvas();
  const int w = Width(), h = Height();
  const auto line = [canvas](TColor color, int x1, int y1, int x2, int y2) {
    canvas->Pen()->SetColor(color);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
  };
  switch (FShape) {
    case bsBox:
      // The first tone above and left, the second below and right.
      line(first, 0, h - 1, 0, 0);
      line(first, 0, 0, w, 0);
      line(second, w - 1, 1, w - 1, h);
      line(second, 0, h - 1, w - 1, h - 1);
      break;
    case bsFrame:
      // An etched frame: two outlines one pixel apart.
      canvas->Brush()->SetStyle(bsClear);
      canvas->Pen()->SetColor(first);
      canvas->Rectangle(0, 0, w - 1, h - 1);
      canvas->Pen()->SetColor(second);
      canvas->Rectangle(1, 1, w, h);
      break;
    case bsTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

}  // namespace kora
