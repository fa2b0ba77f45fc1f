#pragma once
// The skinned list controls: TbsSkinListBox, rows drawn from a "listbox"
// record with a skinned scroll bar of its own; TbsPopupListBox, the same
// shown as a borderless top-level pop-up that never takes the activation;
// and TbsSkinComboBox over TbsSkinCustomComboBox, the drop-down list that
// owns such a pop-up and keeps its items there. The skinned list view
// (bsSkinBoxCtrls_ListView.h) comes with them.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/StdCtrls.h"
#include "framework/graphics/ImgList.h"
#include "skin/controls/bsSkinBoxCtrls_ListView.h"
#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/controls/bsSkinCtrls_Edit.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"

namespace kora {

// handler(canvas, index, item width, item height, text rectangle, state):
// draws one item's content on a bitmap of exactly that item whose
// background and font are already prepared; the rectangle is in the
// bitmap's coordinates.
using TbsDrawSkinItemEvent = TEvent<TCanvas*, int, int, int, RECT, TOwnerDrawState>;

class TbsSkinListBox;
class TbsSkinCustomComboBox;

// An item's background from a piece of the picture: its ends fixed, the
// middle stretched or tiled across the target's width, and the whole
// stretched to the target's height when the piece is lower or higher.
void ComposeItemStrip(TBitmap* target, TBitmap* picture, const RECT& piece, int leftEnd, int rightEnd, bool stretch);

// The rows of a skinned list box: a borderless list whose rows, background
// and scroll range belong to the box around it.
class TbsListBox : public TCustomListBox {
  KORA_CLASS(TbsListBox, TCustomListBox)

  explicit TbsListBox(TbsSkinListBox* box);

protected:
  void DrawItem(int index, RECT rect, TOwnerDrawState state) override;
  void Paint() override;
  void SetBarInfo(const SCROLLINFO& info) override;
  void WndProc(TMessage& message) override;

public:
  void Click() override;

private:
  TbsSkinListBox* FBox;
};

class TbsSkinListBox : public TbsSkinCustomControl {
  KORA_CLASS(TbsSkinListBox, TbsSkinCustomControl)

  explicit TbsSkinListBox(TComponent* owner);
  ~TbsSkinListBox() override;

  TStrings* Items() const;
  void SetItems(const TStrings* value);
  int Count() const;
  // -1: none; an index outside the items selects nothing.
  int ItemIndex() const;
  void SetItemIndex(int value);
  int TopIndex() const;
  void SetTopIndex(int value);
  // Scrolls so that the row shows, changing nothing else.
  void ScrollIntoView(int index);
  bool Sorted() const;
  void SetSorted(bool value);
  // The row height: DefaultItemHeight, or the record's itemrect height
  // with UseSkinItemHeight while bound.
  int ItemHeight() const;
  int DefaultItemHeight() const { return FDefaultItemHeight; }
  void SetDefaultItemHeight(int value);
  bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
  void SetUseSkinItemHeight(bool value);
  // An image before each row's text: ImageIndex, or the row's own index
  // while ImageIndex < 0.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // Tab stops (decimal pixel offsets, up to ten) for tab-separated columns.
  TStrings* TabWidths() const { return FTabWidths.get(); }
  void SetTabWidths(const TStrings* value);
  // Width of the rows' content; wider than the rows brings a horizontal bar.
  int HorizontalExtent() const { return FHorizontalExtent; }
  void SetHorizontalExtent(int value);
  // A caption bar above the rows showing Caption.
  bool CaptionMode() const { return FCaptionMode; }
  void SetCaptionMode(bool value);
  TAlignment CaptionAlignment() const { return FCaptionAlignment; }
  void SetCaptionAlignment(TAlignment value);
  TFont* DefaultCaptionFont() const { return FDefaultCaptionFont.get(); }
  void SetDefaultCaptionFont(const TFont* value);
  int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  void SetDefaultCaptionHeight(int value);

  TbsDrawSkinItemEvent OnDrawItem;

  TbsListBox* ListBox() const { return FListBox; }
  TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  // The box height that shows `rows` rows whole, caption and bars included.
  int HeightForRows(int rows);
  // The caption bar in client coordinates (empty without caption mode).
  RECT CaptionBarRect() const;

  void ResolveSkinRecord() override;
  void PrepareSkinChange() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;
  void ApplySkinChange() override;
  void DefaultFontUpdated() override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetFocus() override;

  // One row, drawn through an item-sized bitmap onto the rows' canvas.
  virtual void DrawRow(TCanvas* canvas, int index, RECT rect, TOwnerDrawState state);
  // What shows in the rows' area where no row is.
  virtual void PaintRowsBackground(TCanvas* canvas, const RECT& rect);
  // A row's text, in columns when TabWidths has stops.
  void DrawRowText(TCanvas* canvas, const std::string& text, const RECT& rect);

protected:
  friend class TbsListBox;
  // The rows' mouse messages; true when the box took one (the pop-up takes
  // them all for its combo box).
  virtual bool RowsMouseMessage(TMessage&) { return false; }
  void Notification(TComponent* component, TOperation operation) override;
  void TextChanged() override;
  void LayoutControls();
  bool ListBound() const { return RecordIndex() != -1 && FHasRecord; }
  int CaptionHeight() const;
  virtual void PaintCaption(TCanvas* canvas, const RECT& bar);

private:
  void BarInfoChanged(const SCROLLINFO& info);
  void UpdateHorizontalBar();
  void ApplyRowFont();
  void CaptionFontChanged(TObject*);

  TbsListBox* FListBox = nullptr;
  TbsSkinScrollBar* FVScrollBar = nullptr;
  TbsSkinScrollBar* FHScrollBar = nullptr;
  int FDefaultItemHeight = 20;
  bool FUseSkinItemHeight = true;
  TCustomImageList* FImages = nullptr;
  int FImageIndex = -1;
  std::unique_ptr<TStringList> FTabWidths;
  int FHorizontalExtent = 0;
  int FHorizontalOffset = 0;
  bool FCaptionMode = false;
  TAlignment FCaptionAlignment = taLeftJustify;
  std::unique_ptr<TFont> FDefaultCaptionFont;
  int FDefaultCaptionHeight = 20;
  bool FInLayout = false;
  TbsDataSkinListBox FRecord{std::string()};
  bool FHasRecord = false;
};

// The drop-down of a combo box: topmost, borderless, a tool window that a
// click never activates; its rows report the mouse to the combo box.
class TbsPopupListBox : public TbsSkinListBox {
  KORA_CLASS(TbsPopupListBox, TbsSkinListBox)

  explicit TbsPopupListBox(TComponent* owner);

  // Shows it over everything at a screen rectangle without activating it.
  void ShowAt(const RECT& screen);
  void HidePopup();
  // Translucent at `alpha` where the window system can.
  void SetAlpha(bool enabled, uint8_t alpha);
  // The caption's accept button (caption mode only).
  RECT CheckButtonRect() const;

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  bool RowsMouseMessage(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void PaintCaption(TCanvas* canvas, const RECT& bar) override;

private:
  TbsSkinCustomComboBox* FComboBox = nullptr;
  bool FLayered = false;
};

enum TbsComboBoxStyle : uint8_t { bscbEditStyle, bscbFixedStyle };
const TTypeInfo* TypeInfoOf(TbsComboBoxStyle);
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };
const TTypeInfo* TypeInfoOf(TEditCharCase);

class TbsSkinCustomComboBox : public TbsSkinCustomControl {
  KORA_CLASS(TbsSkinCustomComboBox, TbsSkinCustomControl)

  explicit TbsSkinCustomComboBox(TComponent* owner);
  ~TbsSkinCustomComboBox() override;

  // The edit style lays a text field over the item area.
  TbsComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TbsComboBoxStyle value);
  TStrings* Items() const { return FListBox->Items(); }
  void SetItems(const TStrings* value) { FListBox->SetItems(value); }
  int ItemIndex() const { return FListBox->ItemIndex(); }
  // Selects, takes the item's text and raises OnClick (after OnChange when
  // the text changed); no events while loading.
  void SetItemIndex(int value);
  bool Sorted() const { return FListBox->Sorted(); }
  void SetSorted(bool value) { FListBox->SetSorted(value); }
  // Rows the drop-down shows; values below 1 are ignored.
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value);
  // 0: as wide as the combo box.
  int ListBoxWidth() const { return FListBoxWidth; }
  void SetListBoxWidth(int value) { FListBoxWidth = value; }
  int ListBoxDefaultItemHeight() const { return FListBox->DefaultItemHeight(); }
  void SetListBoxDefaultItemHeight(int value) { FListBox->SetDefaultItemHeight(value); }
  bool ListBoxUseSkinItemHeight() const { return FListBox->UseSkinItemHeight(); }
  void SetListBoxUseSkinItemHeight(bool value) { FListBox->SetUseSkinItemHeight(value); }
  TFont* ListBoxDefaultFont() const { return FListBox->DefaultFont(); }
  void SetListBoxDefaultFont(const TFont* value) { FListBox->SetDefaultFont(value); }
  bool ListBoxUseSkinFont() const { return FListBox->UseSkinFont(); }
  void SetListBoxUseSkinFont(bool value) { FListBox->SetUseSkinFont(value); }
  const std::string& ListBoxCaption() const { return FListBox->Caption(); }
  void SetListBoxCaption(const std::string& value) { FListBox->SetCaption(value); }
  bool ListBoxCaptionMode() const { return FListBox->CaptionMode(); }
  void SetListBoxCaptionMode(bool value) { FListBox->SetCaptionMode(value); }
  TFont* ListBoxDefaultCaptionFont() const { return FListBox->DefaultCaptionFont(); }
  void SetListBoxDefaultCaptionFont(const TFont* value) { FListBox->SetDefaultCaptionFont(value); }
  TAlignment ListBoxCaptionAlignment() const { return FListBox->CaptionAlignment(); }
  void SetListBoxCaptionAlignment(TAlignment value) { FListBox->SetCaptionAlignment(value); }
  TStrings* TabWidths() const { return FListBox->TabWidths(); }
  void SetTabWidths(const TStrings* value) { FListBox->SetTabWidths(value); }
  int HorizontalExtent() const { return FListBox->HorizontalExtent(); }
  void SetHorizontalExtent(int value) { FListBox->SetHorizontalExtent(value); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool value) { FAutoComplete = value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value) { FHideSelection = value; }
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase value);
  TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(TColor value);
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool value);
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value) { FAlphaBlend = value; }
  uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(uint8_t value) { FAlphaBlendValue = value; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool value) { FAlphaBlendAnimation = value; }
  const TbsDrawSkinItemEvent& OnListBoxDrawItem() const { return FOnListBoxDrawItem; }
  void SetOnListBoxDrawItem(TbsDrawSkinItemEvent value);

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TbsDrawSkinItemEvent OnComboBoxDrawItem;

  bool DroppedDown() const;
  // Opens the list (nothing for an empty list).
  void DropDown();
  // Hides the list, taking its row (with OnClick and OnCloseUp) or
  // putting the old selection back without events.
  void CloseUp(bool accept);

  TbsPopupListBox* ListBox() const { return FListBox; }
  // The inner edit of the edit style, else null.
  TbsCustomEdit* Edit() const { return FEdit; }
  RECT ArrowButtonRect() const { return FArrowButtonRect; }
  RECT ItemRect() const { return FItemRect; }

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;
  void ApplySkinChange() override;
  void DefaultFontUpdated() override;
  void FitSizeToSkin(int& width, int& height) override;
  void UpdateWindowShape() override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetFocus() override;

protected:
  friend class TbsPopupListBox;
  void WndProc(TMessage& message) override;
  void TextChanged() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  LRESULT DialogCode() override;
  void Notification(TComponent* component, TOperation operation) override;
  bool Loading() const { return ComponentState().Contains(csLoading) || Designing(); }

  // The pop-up's rows under the mouse (called by the pop-up).
  void ListPressed();
  void ListHovered(POINT rows);

private:
  enum TScroll { kNoScroll, kScrollUp, kScrollDown };
  bool Bound() const { return RecordIndex() != -1 && FHasRecord; }
  void LayoutControls();
  void UpdateEditFont();
  void StartAutoScroll(TScroll direction);
  void StopAutoScroll();
  void AutoScrollTick();
  void SelectStep(int index);
  int FindPrefix(const std::string& text, int after) const;
  void EditTextChanged();
  void EditKeyDown(WORD& key, TShiftState shift);
  void InstallClickHook();
  void RemoveClickHook();
  bool IsOwnWindow(HWND window) const;
  void AlphaTick();
  // The shown item through an item-sized bitmap.
  void PaintItem(TCanvas* canvas, bool bound);
  void DrawItemContent(TCanvas* canvas, int index, int width, int height, RECT text, TOwnerDrawState state);

  TbsPopupListBox* FListBox = nullptr;
  TbsCustomEdit* FEdit = nullptr;
  TbsComboBoxStyle FStyle = bscbFixedStyle;
  int FDropDownCount = 8;
  int FListBoxWidth = 0;
  TCustomImageList* FImages = nullptr;
  int FImageIndex = -1;
  bool FAutoComplete = true;
  bool FHideSelection = true;
  TEditCharCase FCharCase = ecNormal;
  TColor FDefaultColor;
  bool FUseSkinSize = true;
  bool FAlphaBlend = false;
  uint8_t FAlphaBlendValue = 0;
  bool FAlphaBlendAnimation = false;
  int FAlphaNow = 0;
  TbsDrawSkinItemEvent FOnListBoxDrawItem;

  RECT FArrowButtonRect{};
  RECT FItemRect{};
  bool FButtonHot = false;
  bool FButtonPressed = false;
  bool FMouseIn = false;
  int FSavedIndex = -1;
  bool FTracking = false;
  bool FEnteredList = false;
  bool FOpenedUpward = false;
  TScroll FScroll = kNoScroll;
  std::string FSearch;
  uint64_t FLastKeyTime = 0;
  int FClickHook = 0;
  bool FInEditChange = false;

  TbsDataSkinComboBox FRecord{std::string()};
  bool FHasRecord = false;
};

class TbsSkinComboBox : public TbsSkinCustomComboBox {
  KORA_CLASS(TbsSkinComboBox, TbsSkinCustomComboBox)

  explicit TbsSkinComboBox(TComponent* owner) : TbsSkinCustomComboBox(owner) {}
};

}  // namespace kora
