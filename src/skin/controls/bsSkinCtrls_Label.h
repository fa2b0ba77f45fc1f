#pragma once
// The skinned standard label: the framework's windowless label drawing its
// caption in the skin's colour (and, if asked, the skin's font), embossed
// while disabled, optionally cut with an ellipsis.

#include <memory>
#include <string>

#include "framework/controls/StdCtrls.h"
#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora {

// How a caption too wide for the label is shortened.
enum TbsEllipsType : uint8_t { bsetNone, bsetEndEllips, bsetPathEllips };
const TTypeInfo* TypeInfoOf(TbsEllipsType);

class TbsSkinStdLabel : public TCustomLabel, public IbsSkinNoticeTarget {
  KORA_CLASS(TbsSkinStdLabel, TCustomLabel)

  explicit TbsSkinStdLabel(TComponent* owner);
  ~TbsSkinStdLabel() override;

  // Not owned; a removed skin data is forgotten. Setting one looks the
  // record up, fits the size and repaints at once.
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& value) { FSkinDataName = value; }
  // The bound record's index in the skin's control records; -1 when unbound.
  int32_t RecordIndex() const { return FRecordIndex; }
  // Used instead of Font while unbound when UseSkinFont is on; its
  // character set is the text's whenever the skin has no string table.
  TFont* DefaultFont() const { return FDefaultFont.get(); }
  void SetDefaultFont(const TFont* value) { FDefaultFont->Assign(value); }
  // Bound: the record's font name, height and style instead of Font's.
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);
  // Bound: the record's text colour instead of Font's.
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool value);
  TbsEllipsType EllipsType() const { return FEllipsType; }
  void SetEllipsType(TbsEllipsType value);

  // Looks the record up again, fits the size to the text and repaints.
  void UpdateSkin();
  void SkinNotice(UINT message, TbsSkinData* sender) override;

protected:
  void DoDrawText(TCanvas* canvas, RECT& rect, uint32_t flags) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void ResolveSkinRecord();

  TbsSkinData* FSkinData = nullptr;
  std::string FSkinDataName = "stdlabel";
  int32_t FRecordIndex = -1;
  std::unique_ptr<TFont> FDefaultFont;
  bool FUseSkinFont = false;
  bool FUseSkinColor = true;
  TbsEllipsType FEllipsType = bsetNone;
  // Copied from the bound record.
  TbsSkinFontFields FSkinFont;
};

}  // namespace kora
