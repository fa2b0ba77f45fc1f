#pragma once
// Common control bases in the plain look: a page control with tab sheets
// and a list view.

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Alignment.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/ImgList.h"

namespace kora {

enum TTabPosition : uint8_t { tpTop, tpBottom, tpLeft, tpRight };
const TTypeInfo* TypeInfoOf(TTabPosition);
// handler(sender, allowChange): clearing allowChange keeps the current page
using TTabChangingEvent = TEvent<TObject*, bool&>;

class TPageControl;

// One page of a page control: fills the page area, shown while it is the
// active page, with a tab while TabVisible.
class TTabSheet : public TCustomControl {
  KORA_CLASS(TTabSheet, TCustomControl)

  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* value);
  void SetParent(TWinControl* value) override;
  // Position among the control's pages (tab visible or not); -1 without one.
  int PageIndex() const;
  void SetPageIndex(int value);
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool value);
  // Position among the visible tabs; -1 when the tab is hidden.
  int TabIndex() const;
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value) { FImageIndex = value; }

protected:
  void TextChanged() override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
};

// Pages behind a strip of tabs on one line; a tab click, the arrow keys on
// the focused control and Ctrl+Tab anywhere inside switch pages.
class TPageControl : public TCustomControl {
  KORA_CLASS(TPageControl, TCustomControl)

  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return int(FPages.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows the page (it must be one of ours, or null) without raising events.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
  void SetActivePageIndex(int index);
  // The active page's position among the visible tabs, -1 for none.
  int TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }
  // The page whose tab is the visible tab at `tabIndex`.
  TTabSheet* PageForTab(int tabIndex) const;
  int VisibleTabCount() const;

  // Tab sizes; 0: from the caption and the font.
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int value);
  // Tabs along the top or the bottom edge (left and right place them on top).
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool value) { FHotTrack = value; }

  // The rectangle of the visible tab at `tabIndex`, client coordinates;
  // a look with tabs of its own places them here (hit tests follow).
  virtual RECT TabRect(int tabIndex);
  // The visible tab at a client point, -1 for none.
  int IndexOfTabAt(int x, int y);
  // The area the pages fill.
  RECT DisplayRect();
  void AdjustClientRect(RECT& rect) const override;
  // Moves to the next or previous page with a visible tab, wrapping around,
  // as the user would (OnChanging may refuse).
  void SelectNextPage(bool goForward);

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

protected:
  // Asked before the user leaves the active page.
  virtual bool CanChange();
  // After the user chose another page.
  virtual void Change();
  // Switches as the user would: CanChange, the page, Change.
  void ChangeActivePage(TTabSheet* page);
  void Paint() override;
  // The look of one tab, straight on the canvas.
  virtual void DrawTab(int tabIndex, const RECT& rect, bool active);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  bool DialogKey(WORD key, TShiftState shift) override;
  LRESULT DialogCode() override { return DLGC_WANTARROWS; }
  void FontChanged() override;
  void WndProc(TMessage& message) override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void PagesChanged();
  int StripHeight();
  int CaptionWidth(const std::string& caption);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  int FTabHeight = 0;
  int FTabWidth = 0;
  TTabPosition FTabPosition = tpTop;
  bool FHotTrack = false;
};

enum TViewStyle : uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };
const TTypeInfo* TypeInfoOf(TViewStyle);

// A column of the report view; its title and cells take its alignment.
struct TListColumn {
  std::string Caption;
  int Width = 50;
  TAlignment Alignment = taLeftJustify;
};

// A row: its caption, the texts of the further columns and an image.
struct TListItem {
  std::string Caption;
  std::vector<std::string> SubItems;
  int ImageIndex = -1;
  TObject* Data = nullptr;
  // Part of the selection (several items only with MultiSelect).
  bool Selected = false;
};

// handler(sender, item index, selected)
using TLVSelectItemEvent = TEvent<TObject*, int, bool>;

// Items with icons shown as a grid of large icons, rows of small icons,
// columns of small icons (list) or a report with column headers whose
// dividers can be dragged; one item is selected by click or arrow keys
// (with MultiSelect, Ctrl adds and Shift extends). Scroll bars show when
// items are out of view: across in the list style, down otherwise, and
// across in the report when the columns are wider than the view. Only
// the items in view are measured and painted, so long lists stay cheap.
class TListView : public TCustomControl {
  KORA_CLASS(TListView, TCustomControl)

  explicit TListView(TComponent* owner);

  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle value);
  TCustomImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* value);
  TCustomImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* value);

  std::vector<TListColumn>& Columns() { return FColumns; }
  // Call after changing Columns() on a shown view: re-fits the scrolling.
  void ColumnsChanged();
  int ItemCount() const { return int(FItems.size()); }
  TListItem& Items(int index);
  // Adds an item at the end and returns its index.
  int AddItem(const TListItem& item);
  void DeleteItem(int index);
  void ClearItems();
  // Between the two, adding and deleting items neither re-fits the bars
  // nor repaints; EndUpdate does both once. They nest.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // The focused item, which single selection also selects; -1: none.
  int ItemIndex() const { return FItemIndex; }
  // Selects only that item (none for -1).
  void SetItemIndex(int value);
  // Several items may be selected at once.
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value);
  bool Selected(int index) const;
  // Adds an item to the selection or takes it out (in single selection,
  // selecting one moves the selection to it).
  void SetSelected(int index, bool value);
  int SelCount() const;
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int value);
  // The item cell in client coordinates (empty when out of view) and the
  // item at a point (-1 for none).
  RECT ItemRect(int index);
  int ItemAt(int x, int y);
  // Items in one line of the current layout, and the lines that fit.
  int ItemsPerLine();
  int VisibleLines();
  // Pixels of the report scrolled out on the left.
  int ScrollX() const { return FScrollX; }
  void SetScrollX(int value);

  TLVSelectItemEvent OnSelectItem;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void FontChanged() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  LRESULT DialogCode() override { return DLGC_WANTARROWS; }
  void WndProc(TMessage& message) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Brings both scroll bars in line with the layout and the positions.
  void UpdateScrollBars();
  // Where the bars' ranges go: the window's own bars here; a list with
  // scroll bars of its own outside the window takes them instead (and
  // drives SetTopIndex and SetScrollX from them).
  virtual void SetBarInfo(int bar, const SCROLLINFO& info);
  // A WM_VSCROLL / WM_HSCROLL request on one bar.
  void Scroll(int bar, int request);
  virtual void DrawItem(int index, const RECT& rect, bool selected);
  // One column title of the report at rect, straight on the canvas.
  virtual void DrawHeader(int column, const RECT& rect);
  // Selects for the user, scrolling the item into view and raising
  // OnSelectItem; the shift state extends (Shift) or toggles (Ctrl) a
  // multiple selection.
  void SelectByUser(int index, TShiftState shift = {});
  // Where the items are drawn (below the column headers), client coordinates.
  RECT ItemsArea();
  int HeaderHeight();
  // The text flags of a column's alignment.
  static uint32_t AlignmentFlags(TAlignment alignment);

private:
  SIZE CellSize();
  int ColumnsWidth() const;
  int WidestCaption();
  // The column whose right divider is at x on the header, -1 for none.
  int DividerAt(int x, int y);
  // Items run down columns in the list style, along rows otherwise.
  bool ColumnMajor() const { return FViewStyle == vsList; }
  void ScrollIntoView(int index);

  TViewStyle FViewStyle = vsIcon;
  TCustomImageList* FLargeImages = nullptr;
  TCustomImageList* FSmallImages = nullptr;
  std::vector<TListColumn> FColumns;
  std::vector<TListItem> FItems;
  int FItemIndex = -1;
  int FTopIndex = 0;  // first visible line
  int FScrollX = 0;
  bool FUpdatingBars = false;  // showing a bar resizes the client area, which updates them again
  bool FMultiSelect = false;
  int FAnchor = -1;  // where a Shift range starts
  int FUpdateCount = 0;
  int FWidestCaption = -1;  // measured on demand; -1 when stale
  int FSizingColumn = -1;   // a header divider being dragged
  int FSizingStart = 0;     // the column's left edge in client coordinates
};

}  // namespace kora
