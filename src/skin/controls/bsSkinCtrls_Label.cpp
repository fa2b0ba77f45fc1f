// TbsSkinStdLabel: the label's text step drawn with the skin's font and
// colours.

#include "skin/controls/bsSkinCtrls_Label.h"
#include "framework/core/ClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"

namespace kora {

const TTypeInfo* TypeInfoOf(TbsEllipsType) {
  static const TTypeInfo info = EnumTypeInfo("TbsEllipsType", {"bsetNone", "bsetEndEllips", "bsetPathEllips"});
  return &info;
}

TClass TbsSkinStdLabel::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinStdLabel>("TbsSkinStdLabel")
          .Property("SkinData", &TbsSkinStdLabel::SkinData, &TbsSkinStdLabel::SetSkinData)
          .Property("SkinDataName", &TbsSkinStdLabel::SkinDataName, &TbsSkinStdLabel::SetSkinDataName)
          .Property("DefaultFont", &TbsSkinStdLabel::DefaultFont, &TbsSkinStdLabel::SetDefaultFont)
          .Property("UseSkinFont", &TbsSkinStdLabel::UseSkinFont, &TbsSkinStdLabel::SetUseSkinFont)
          .Default(false)
          .Property("UseSkinColor", &TbsSkinStdLabel::UseSkinColor, &TbsSkinStdLabel::SetUseSkinColor)
          .Default(true)
          .Property("EllipsType", &TbsSkinStdLabel::EllipsType, &TbsSkinStdLabel::SetEllipsType)
          .Default(bsetNone)
          // Transparent from the start, so an opaque label must be stored.
          .Property("Transparent", &TbsSkinStdLabel::Transparent, &TbsSkinStdLabel::SetTransparent)
          .Default(true));
  return &info;
}

TbsSkinStdLabel::TbsSkinStdLabel(TComponent* owner) : TCustomLabel(owner), FDefaultFont(std::make_unique<TFont>()) {
  SetTransparent(true);
  FDefaultFont->OnChange = [this](TObject*) {
    AdjustBounds();
    Invalidate();
  };
}

TbsSkinStdLabel::~TbsSkinStdLabel() { FDefaultFont->OnChange = nullptr; }

void TbsSkinStdLabel::SetSkinData(TbsSkinData* value) {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = value;
  if (FSkinData) {
    FSkinData->FreeNotification(this);
    UpdateSkin();
  }
}

void TbsSkinStdLabel::SetUseSkinFont(bool value) {
  if (value == FUseSkinFont) return;
  FUseSkinFont = value;
  AdjustBounds();
  Invalidate();
}

void TbsSkinStdLabel::SetUseSkinColor(bool value) {
  if (value == FUseSkinColor) return;
  FUseSkinColor = value;
  Invalidate();
}

void TbsSkinStdLabel::SetEllipsType(TbsEllipsType value) {
  if (value == FEllipsType) return;
  FEllipsType = value;
  Invalidate();
}

void TbsSkinStdLabel::ResolveSkinRecord() {
  FRecordIndex = (!FSkinData || FSkinData->Empty()) ? -1 : FSkinData->FindControlRecord(FSkinDataName);
  if (FRecordIndex == -1) return;
  if (const auto* record = dynamic_cast<const TbsDataSkinStdLabelControl*>(FSkinData->ControlRecord(FRecordIndex))) {
    FSkinFont.FontName = record->FontName;
    FSkinFont.FontStyle = record->FontStyle;
    FSkinFont.FontHeight = record->FontHeight;
    FSkinFont.FontColor = record->FontColor;
  }
}

void TbsSkinStdLabel::UpdateSkin() {
  ResolveSkinRecord();
  AdjustBounds();
  Invalidate();
}

void TbsSkinStdLabel::SkinNotice(UINT message, TbsSkinData* sender) {
  if (sender && sender != FSkinData) return;
  if (message == SKINMSG_SKIN_CHANGING) FRecordIndex = -1;
  if (message == SKINMSG_SKIN_CHANGED) UpdateSkin();
}

void TbsSkinStdLabel::Notification(TComponent* component, TOperation operation) {
  TCustomLabel::Notification(component, operation);
  if (operation == opRemove && component == FSkinData) FSkinData = nullptr;
}

void TbsSkinStdLabel::DoDrawText(TCanvas* canvas, RECT& rect, uint32_t flags) {
  ResolveSkinRecord();
  const bool bound = FRecordIndex != -1;

  std::string text = Caption();
  if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&"))) text += ' ';
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  if (FEllipsType == bsetEndEllips) flags |= DT_END_ELLIPSIS;
  if (FEllipsType == bsetPathEllips) flags |= DT_PATH_ELLIPSIS;

  TFont* font = canvas->Font();
  if (!bound) {
    canvas->SetFont(FUseSkinFont ? FDefaultFont.get() : Font());
  } else {
    canvas->SetFont(Font());
    if (FUseSkinFont) {
      font->SetName(FSkinFont.FontName);
      font->SetStyle(FSkinFont.FontStyle);
      font->SetHeight(FSkinFont.FontHeight);
    }
    if (FUseSkinColor) font->SetColor(FSkinFont.FontColor);
  }
  font->SetCharset(SkinTextCharset(FSkinData, FDefaultFont.get()));

  const HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    // Embossed: a light copy one pixel down and right, the dark one on top.
    const TbsSkinColors* colors = bound ? &FSkinData->SkinColors() : nullptr;
    RECT shifted = rect.Offsetted(1, 1);
    SetTextColor(dc, ColorToColorRef(colors ? colors->BtnHighlight : SystemColor(COLOR_BTNHIGHLIGHT)));
    DrawText(dc, text, &shifted, flags);
    SetTextColor(dc, ColorToColorRef(colors ? colors->BtnShadow : SystemColor(COLOR_BTNSHADOW)));
  } else {
    SetTextColor(dc, ColorToColorRef(font->Color()));
  }
  DrawText(dc, text, &rect, flags);
}

}  // namespace kora
