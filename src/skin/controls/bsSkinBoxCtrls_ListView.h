#pragma once
// TbsSkinListView: the framework's list view bound to a "listview" record
// (its background and text colours, and its font when asked), with column
// headers drawn from a button record ("resizebutton") and scroll ranges
// handed to two skinned scroll bars of its owner's choosing, which stay
// disabled until the items need them. Without a record it keeps the plain
// look; without bars, the window's own.

#include <cstdint>
#include <string>

#include "framework/controls/ComCtrls.h"
#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"

namespace kora {

class TbsSkinListView : public TListView, public IbsSkinNoticeTarget {
  KORA_CLASS(TbsSkinListView, TListView)

  explicit TbsSkinListView(TComponent* owner);
  ~TbsSkinListView() override;

  // Not owned; a removed skin data is forgotten.
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& value);
  // The button record the column headers are drawn from.
  const std::string& HeaderSkinDataName() const { return FHeaderSkinDataName; }
  void SetHeaderSkinDataName(const std::string& value);
  // Bound: the record's font face, height and style instead of Font's.
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);
  // The background while unbound.
  TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(TColor value);
  // Shown in the middle of an empty list (a folder that could not be read).
  const std::string& EmptyText() const { return FEmptyText; }
  void SetEmptyText(const std::string& value);

  // The bars that take the scroll ranges instead of the window's own. Not
  // owned; a removed bar is forgotten.
  TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  void SetHScrollBar(TbsSkinScrollBar* value);
  TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  void SetVScrollBar(TbsSkinScrollBar* value);

  // -1 while unbound; the header record's index, -1 without one.
  int32_t RecordIndex() const { return FRecordIndex; }
  int32_t HeaderRecordIndex() const { return FHeaderIndex; }
  // Colours of the rows as they are drawn now.
  TColor TextColor() const;
  TColor SelectionColor() const;
  TColor SelectionTextColor() const;

  void SkinNotice(UINT message, TbsSkinData* sender) override;
  // Looks both records up again and applies their colours and font.
  void UpdateSkin();

protected:
  void Paint() override;
  void DrawItem(int index, const RECT& rect, bool selected) override;
  void DrawHeader(int column, const RECT& rect) override;
  void SetBarInfo(int bar, const SCROLLINFO& info) override;
  void CreateParams(TCreateParams& params) override;
  void Notification(TComponent* component, TOperation operation) override;
  void WndProc(TMessage& message) override;
  // An item's image with its top-left at (x, y): large for the icon style.
  virtual void DrawItemImage(TCanvas* canvas, int index, int x, int y, bool large);
  // The sizes DrawItemImage draws at.
  SIZE ImageSize(bool large) const;

private:
  void ResolveSkinRecord();
  void BarMoved(TbsSkinScrollBar* bar);
  bool LinesAcross() const { return ViewStyle() == vsList; }

  TbsSkinData* FSkinData = nullptr;
  std::string FSkinDataName = "listview";
  std::string FHeaderSkinDataName = "resizebutton";
  bool FUseSkinFont = false;
  TColor FDefaultColor;
  std::string FEmptyText;
  TbsSkinScrollBar* FHScrollBar = nullptr;
  TbsSkinScrollBar* FVScrollBar = nullptr;
  bool FInBarUpdate = false;
  int32_t FRecordIndex = -1;
  int32_t FHeaderIndex = -1;
  // Copied from the records.
  TbsSkinFontFields FSkinFont;
  TColor FSkinBGColor = 0;
  TBitmap* FHeaderPicture = nullptr;
  RECT FHeaderRect{}, FHeaderClientRect{};
  TColor FHeaderFontColor = 0;
};

}  // namespace kora
