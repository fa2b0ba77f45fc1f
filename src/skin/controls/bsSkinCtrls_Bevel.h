#pragma once
// TbsSkinBevel: a windowless box, frame or line in two tones, the light and
// dark colours of a "bevel" record, or the button highlight and shadow
// colours in the built-in look. The spacer shape draws nothing and only
// keeps its room.

#include <cstdint>
#include <string>

#include "framework/controls/Controls.h"
#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora {

enum TbsBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
const TTypeInfo* TypeInfoOf(TbsBevelShape);
// Lowered: the dark tone above and left; raised: the light one.
enum TbsBevelStyle : uint8_t { bsLowered, bsRaised };
const TTypeInfo* TypeInfoOf(TbsBevelStyle);

class TbsSkinBevel : public TGraphicControl, public IbsSkinNoticeTarget {
  KORA_CLASS(TbsSkinBevel, TGraphicControl)

  explicit TbsSkinBevel(TComponent* owner);
  ~TbsSkinBevel() override;

  // Not owned; a removed skin data is forgotten.
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& value);
  TbsBevelShape Shape() const { return FShape; }
  void SetShape(TbsBevelShape value);
  TbsBevelStyle Style() const { return FStyle; }
  void SetStyle(TbsBevelStyle value);
  // -1 while unbound.
  int32_t RecordIndex() const { return FRecordIndex; }
  // The two tones drawn now.
  TColor LightColor() const;
  TColor DarkColor() const;

  void SkinNotice(UINT message, TbsSkinData* sender) override;

protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void ResolveSkinRecord();

  TbsSkinData* FSkinData = nullptr;
  std::string FSkinDataName = "bevel";
  int32_t FRecordIndex = -1;
  TbsBevelShape FShape = bsBox;
  TbsBevelStyle FStyle = bsLowered;
  TColor FLightColor = 0, FDarkColor = 0;
};

}  // namespace kora
