#pragma once
// The skinned page control and its tab sheets. The page control keeps the
// framework's pages, selection and keyboard switching and takes over the
// rest: the tabs' size and places on all four sides, the page area inside
// the skin's frame, all painting, hot tracking and a scroller for tabs
// that do not fit. It binds to its record ("tab") on its own, looked up at
// every paint, size change and skin change, and answers the frame's relay
// of skin change notices like the skinned controls do.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/controls/ComCtrls.h"
#include "framework/graphics/ImgList.h"
#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/controls/bsSkinCtrls_UpDown.h"

namespace kora {

// handler(sender, page index, tab rectangle (0, 0, w, h), active, mouse-in,
// the tab image's canvas): draws a tab's content instead of the caption.
using TbsDrawSkinTabEvent = TEvent<TObject*, int, const RECT&, bool, bool, TCanvas*>;

class TbsSkinPageControl : public TPageControl, public IbsSkinNoticeTarget, public IbsSkinBackground {
  KORA_CLASS(TbsSkinPageControl, TPageControl)

  explicit TbsSkinPageControl(TComponent* owner);
  ~TbsSkinPageControl() override;

  // ---- Binding ----
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& value) { FSkinDataName = value; }
  // -1 while unbound (the built-in look).
  int32_t RecordIndex() const { return FRecordIndex; }
  // Looks the record up again and copies what the control uses of it.
  void ResolveSkinRecord();
  // After the skin changed: rebinds, takes the fonts and the tab height,
  // re-lays the page and the scroller out and repaints.
  void ApplySkinChange();
  void SkinNotice(UINT message, TbsSkinData* sender) override;
  // The bound record, null while unbound.
  const TbsDataSkinTabControl* TabRecord() const;

  // ---- Look ----
  TFont* DefaultFont() const { return FDefaultFont.get(); }
  void SetDefaultFont(const TFont* value) { FDefaultFont->Assign(value); }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value) { FUseSkinFont = value; }
  // The tab height while unbound and TabHeight is 0.
  int32_t DefaultItemHeight() const { return FDefaultItemHeight; }
  void SetDefaultItemHeight(int32_t value);
  // The strip beside the tabs shows the parent instead of the skin's piece.
  bool TabsBGTransparent() const { return FTabsBGTransparent; }
  void SetTabsBGTransparent(bool value);
  // Pictures beside the captions, by each page's ImageIndex.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* value);

  TbsDrawSkinTabEvent OnDrawSkinTab;

  // ---- Geometry ----
  // The tabs' thickness across the strip as last laid out: TabHeight when
  // set, else the skin's tab height while bound, else DefaultItemHeight.
  int ItemHeight() const { return FItemHeight; }
  RECT TabRect(int tabIndex) override;
  void AdjustClientRect(RECT& rect) const override;
  // The visible tab under the mouse and its page, -1 for none.
  int HotTab() const { return FHotTab; }
  int HotPage() const { return FHotPage; }
  // Visible tabs scrolled out on the left (top and bottom tabs).
  int FirstTab() const { return FFirstTab; }
  // Scrolls so that the visible tab at `tabIndex` comes first.
  void ScrollTabs(int tabIndex);
  // Present while the tabs do not fit in one line.
  TbsSkinUpDown* TabScroller() const { return FScroller; }

  // Paints the control's look (frame, strip and tabs) in client coordinates.
  void PaintSkinBackground(HDC dc) override;

protected:
  void Paint() override;
  void Change() override;
  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void AlignControls(TControl* control, RECT& rect) override;
  void FontChanged() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  // The look of one tab at its rectangle on the canvas.
  virtual void PaintTab(TCanvas* canvas, int pageIndex, const RECT& rect, bool mouseIn, bool active);

private:
  friend class TbsSkinCustomTabSheet;
  static constexpr int kImageGap = 2;  // between a tab's picture and its caption

  // What the record gives the control, copied at each lookup.
  struct TRecordCopy {
    TBitmap* Picture = nullptr;
    RECT SkinRect, ClientRect, TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, TabsBGRect;
    POINT LeftTop, RightTop, LeftBottom, RightBottom;
    int32_t TabLeftOffset = 0, TabRightOffset = 0;
    bool TabStretch = false;
    TbsStretchFlags Stretch;
    int32_t BGPictureIndex = -1;
    std::string FontName;
    TFontStyles FontStyle;
    int32_t FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    std::string UpDown;
    bool ShowFocus = false;
    int32_t FocusOffsetX = 0, FocusOffsetY = 0;
    // A focused tab looks different from an active one: its own piece, font
    // colour or focus rectangle.
    bool HasFocusLook = false;
  };

  bool Bound() const { return FRecordIndex != -1; }
  bool SideTabs() const { return TabPosition() == tpLeft || TabPosition() == tpRight; }
  void UpdateTabSize();
  int TabLength(int pageIndex) const;
  // Where the window system's tab control would put the visible tab, and
  // its page area, before our adjustments.
  RECT ItemRect(int tabIndex) const;
  RECT SystemDisplayRect() const;
  RECT AdjustedTabRect(int tabIndex) const;
  // The strip from the control's edge over the frame's outer line on the tab side.
  RECT StripRect() const;
  int TabAt(int x, int y) const;

  void PaintControl(TCanvas* canvas);
  void PaintFrame(TCanvas* canvas, const RECT& page);
  void PaintStrip(TCanvas* canvas, const RECT& strip);
  // The strip's background from the record's piece, turned to the side.
  void PaintStripPiece(HDC dc, const RECT& strip, TBitmap& piece) const;
  void PaintTabContent(TCanvas* canvas, int pageIndex, const RECT& rect, bool mouseIn, bool active);
  void PaintSelectedTab(TCanvas* canvas);
  void TilePageBackground(HDC dc, const RECT& area);
  // The sheet background in the sheet's own coordinates.
  void PaintSheetBackground(HDC dc, int width, int height);
  // Keeps tab drawing off the scroller's part of the strip; offset moves
  // client coordinates to the DC's.
  void ExcludeScrollerColumn(HDC dc, POINT offset) const;
  void SetHotTab(int tabIndex);
  void RepaintTab(int tabIndex);

  void UpdateScroller();
  // keepScroll: the tabs stay scrolled (the scroller is made again).
  void FreeScroller(bool keepScroll);
  void ScrollerClicked(TObject* sender);
  int OverflowCount() const;
  int ScrollerWidth() const { return 2 * FDefaultItemHeight; }
  void KeepActiveTabInView();

  TbsSkinData* FSkinData = nullptr;
  std::string FSkinDataName = "tab";
  int32_t FRecordIndex = -1;
  TRecordCopy FRecord;
  std::unique_ptr<TFont> FDefaultFont;
  bool FUseSkinFont = false;
  int32_t FDefaultItemHeight = 20;
  bool FTabsBGTransparent = false;
  TCustomImageList* FImages = nullptr;

  int FItemHeight = 20;
  int FHotTab = -1, FHotPage = -1;
  int FOldHotTab = -1, FOldHotPage = -1;
  int FFirstTab = 0;
  TbsSkinUpDown* FScroller = nullptr;
  bool FUpdatingScroller = false;
  TTabSheet* FShownPage = nullptr;
  // Caption widths in the current font.
  mutable std::unordered_map<std::string, int> FCaptionWidths;
};

// A page: fills its page control's page area and paints its background
// from the wallpaper, the tab record's background picture or its client
// piece, so transparent children show the skin.
class TbsSkinCustomTabSheet : public TTabSheet, public IbsSkinNoticeTarget, public IbsSkinBackground {
  KORA_CLASS(TbsSkinCustomTabSheet, TTabSheet)

  explicit TbsSkinCustomTabSheet(TComponent* owner);
  ~TbsSkinCustomTabSheet() override;

  // Tiled from the top-left corner when not empty; owned, assigning copies.
  TBitmap* WallPaper() const { return FWallPaper.get(); }
  void SetWallPaper(const TBitmap* value);

  void PaintSkinBackground(HDC dc) override;
  void SkinNotice(UINT message, TbsSkinData* sender) override;

protected:
  void WndProc(TMessage& message) override;
  void Resize() override;

private:
  std::unique_ptr<TBitmap> FWallPaper;
};

class TbsSkinTabSheet : public TbsSkinCustomTabSheet {
  KORA_CLASS(TbsSkinTabSheet, TbsSkinCustomTabSheet)

  using TbsSkinCustomTabSheet::TbsSkinCustomTabSheet;
};

}  // namespace kora
