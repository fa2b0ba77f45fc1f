// TbsSkinPageControl: the binding to its record, the tabs' places, the
// page area, hot tracking, the tab scroller and page switching.

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"
#include "platform/window/MessageQueue.h"
#include "skin/controls/bsSkinTabs.h"

namespace kora {

namespace {

constexpr int kTabPadding = 6;  // on each side of a caption
constexpr int kItemInset = 2;   // the tab control's items start this far in
// Posted to ourselves: the scroller is rebuilt outside its own click.
constexpr UINT kUpdateScrollerMessage = WM_USER + 0x230;

}  // namespace

TClass TbsSkinPageControl::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinPageControl>("TbsSkinPageControl")
          .Property("SkinData", &TbsSkinPageControl::SkinData, &TbsSkinPageControl::SetSkinData)
          .Property("SkinDataName", &TbsSkinPageControl::SkinDataName, &TbsSkinPageControl::SetSkinDataName)
          .Property("DefaultFont", &TbsSkinPageControl::DefaultFont, &TbsSkinPageControl::SetDefaultFont)
          .Property("UseSkinFont", &TbsSkinPageControl::UseSkinFont, &TbsSkinPageControl::SetUseSkinFont)
          .Default(false)
          .Property("DefaultItemHeight", &TbsSkinPageControl::DefaultItemHeight,
                    &TbsSkinPageControl::SetDefaultItemHeight)
          .Default(20)
          .Property("TabsBGTransparent", &TbsSkinPageControl::TabsBGTransparent,
                    &TbsSkinPageControl::SetTabsBGTransparent)
          .Default(false)
          .Property("Images", &TbsSkinPageControl::Images, &TbsSkinPageControl::SetImages)
          .Property("OnDrawSkinTab", &TbsSkinPageControl::OnDrawSkinTab)
          .Redeclare("ParentFont")
          .Default(false));
  return &info;
}

TbsSkinPageControl::TbsSkinPageControl(TComponent* owner)
    : TPageControl(owner), FDefaultFont(std::make_unique<TFont>()) {
  FDefaultFont->SetName(bsDefaultFontName);
  FDefaultFont->SetCharset(bsDefaultFontCharset);
  Font()->SetName(bsDefaultFontName);
  FItemHeight = FDefaultItemHeight;
}

TbsSkinPageControl::~TbsSkinPageControl() {
  // The scroller is one of our components and goes with them; its
  // handlers must not reach back meanwhile.
  if (FScroller) {
    FScroller->OnUpButtonClick = nullptr;
    FScroller->OnDownButtonClick = nullptr;
  }
}

// ---- Binding ----------------------------------------------------------------------

void TbsSkinPageControl::SetSkinData(TbsSkinData* value) {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->Empty() && !Designing()) ApplySkinChange();
}

const TbsDataSkinTabControl* TbsSkinPageControl::TabRecord() const {
  if (FRecordIndex < 0 || !FSkinData || FRecordIndex >= FSkinData->ControlRecordCount()) return nullptr;
  return dynamic_cast<const TbsDataSkinTabControl*>(FSkinData->ControlRecord(FRecordIndex));
}

void TbsSkinPageControl::ResolveSkinRecord() {
  FRecord.BGPictureIndex = -1;
  FRecordIndex = (!FSkinData || FSkinData->Empty()) ? -1 : FSkinData->FindControlRecord(FSkinDataName);
  const TbsDataSkinTabControl* r = TabRecord();
  // A record of another kind has no tabs to give: the built-in look.
  if (!r) {
    FRecordIndex = -1;
    return;
  }
  FRecord.Picture = FSkinData->FindActivePicture(r->PictureIndex);
  FRecord.SkinRect = r->SkinRect;
  FRecord.ClientRect = r->ClientRect;
  FRecord.TabRect = r->TabRect;
  FRecord.ActiveTabRect = IsEmptyRect(r->ActiveTabRect) ? r->TabRect : r->ActiveTabRect;
  // Without a focused look the active one serves, and without that the
  // plain tab (an empty piece would leave the focused tab blank).
  FRecord.FocusTabRect = !IsEmptyRect(r->FocusTabRect) ? r->FocusTabRect : FRecord.ActiveTabRect;
  FRecord.MouseInTabRect = r->MouseInTabRect;
  FRecord.TabsBGRect = r->TabsBGRect;
  FRecord.LeftTop = r->LeftTopPoint;
  FRecord.RightTop = r->RightTopPoint;
  FRecord.LeftBottom = r->LeftBottomPoint;
  FRecord.RightBottom = r->RightBottomPoint;
  FRecord.TabLeftOffset = r->TabLeftOffset;
  FRecord.TabRightOffset = r->TabRightOffset;
  FRecord.TabStretch = r->TabStretchEffect;
  FRecord.Stretch = {r->LeftStretch, r->TopStretch, r->RightStretch, r->BottomStretch, false};
  FRecord.BGPictureIndex = r->BGPictureIndex;
  FRecord.FontName = r->FontName;
  FRecord.FontStyle = r->FontStyle;
  FRecord.FontHeight = r->FontHeight;
  FRecord.FontColor = r->FontColor;
  FRecord.ActiveFontColor = r->ActiveFontColor;
  FRecord.FocusFontColor = r->FocusFontColor;
  FRecord.MouseInFontColor = r->MouseInFontColor;
  FRecord.UpDown = r->UpDown;
  FRecord.ShowFocus = r->ShowFocus;
  FRecord.FocusOffsetX = r->FocusOffsetX;
  FRecord.FocusOffsetY = r->FocusOffsetY;
  FRecord.HasFocusLook = !IsEmptyRect(r->FocusTabRect) || r->ShowFocus || r->FocusFontColor != r->ActiveFontColor;
}

void TbsSkinPageControl::ApplySkinChange() {
  ResolveSkinRecord();
  TFont font;
  font.Assign(FDefaultFont.get());
  if (Bound()) {
    if (FUseSkinFont) {
      font.SetName(FRecord.FontName);
      font.SetHeight(FRecord.FontHeight);
      font.SetStyle(FRecord.FontStyle);
    }
    font.SetColor(FRecord.FontColor);
  }
  font.SetCharset(SkinTextCharset(FSkinData, FDefaultFont.get()));
  // Through FontChanged: the captions are measured again and the page
  // re-aligned, which takes the new tab height and updates the scroller.
  SetFont(&font);
  // A scroller of the old skin is made again with the new one's record.
  if (FScroller) FreeScroller(true);
  Realign();
  Invalidate();
  if (TTabSheet* page = ActivePage()) page->Invalidate();
}

void TbsSkinPageControl::SkinNotice(UINT message, TbsSkinData* sender) {
  if (sender && sender != FSkinData) return;
  if (message == SKINMSG_SKIN_CHANGING) FRecordIndex = -1;
  if (message == SKINMSG_SKIN_CHANGED) ApplySkinChange();
}

void TbsSkinPageControl::Notification(TComponent* component, TOperation operation) {
  TPageControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSkinData) FSkinData = nullptr;
  if (component == FImages) {
    FImages = nullptr;
    Realign();
    Invalidate();
  }
  if (component == FScroller) FScroller = nullptr;
}

void TbsSkinPageControl::Loaded() {
  TPageControl::Loaded();
  Realign();
}

// ---- Properties ---------------------------------------------------------------------

void TbsSkinPageControl::SetDefaultItemHeight(int32_t value) {
  FDefaultItemHeight = value;
  if (Bound()) return;
  Realign();
  Invalidate();
}

void TbsSkinPageControl::SetTabsBGTransparent(bool value) {
  if (value == FTabsBGTransparent) return;
  FTabsBGTransparent = value;
  Invalidate();
}

void TbsSkinPageControl::SetImages(TCustomImageList* value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (FImages) FImages->FreeNotification(this);
  FCaptionWidths.clear();
  Realign();
  Invalidate();
}

void TbsSkinPageControl::FontChanged() {
  FCaptionWidths.clear();
  TPageControl::FontChanged();
}

// ---- Geometry ---------------------------------------------------------------------

void TbsSkinPageControl::UpdateTabSize() {
  const int skinHeight = Bound() ? HeightOf(FRecord.TabRect) : 0;
  FItemHeight = TabHeight() > 0 ? TabHeight() : skinHeight > 0 ? skinHeight : std::max(FDefaultItemHeight, 1);
}

int TbsSkinPageControl::TabLength(int pageIndex) const {
  if (TabWidth() > 0) return TabWidth();
  const TTabSheet* page = Pages(pageIndex);
  const std::string& caption = page->Caption();
  auto it = FCaptionWidths.find(caption);
  if (it == FCaptionWidths.end()) {
    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas* canvas = measure.Canvas();
    canvas->SetFont(Font());
    RECT r{0, 0, 0, 0};
    DrawText(canvas->Handle(), std::string_view(caption), &r, DT_SINGLELINE | DT_CALCRECT);
    const int width = caption.empty() ? canvas->TextHeight("Wg") : WidthOf(r);
    it = FCaptionWidths.emplace(caption, width).first;
  }
  int length = it->second + 2 * kTabPadding;
  if (FImages && page->ImageIndex() >= 0 && page->ImageIndex() < FImages->Count())
    length += FImages->Width() + kImageGap;
  return length;
}

RECT TbsSkinPageControl::ItemRect(int tabIndex) const {
  const int h = FItemHeight, width = ClientWidth(), height = ClientHeight();
  // Lengths along the strip, tabs scrolled out on the left before 0.
  int along = kItemInset, length = 0;
  int n = 0;
  for (int i = 0; i < PageCount(); ++i) {
    if (!Pages(i)->TabVisible()) continue;
    const int l = TabLength(i);
    if (n == tabIndex) {
      length = l;
      break;
    }
    along += l;
    ++n;
  }
  if (!SideTabs()) {
    for (int i = 0, k = 0; i < PageCount() && k < FFirstTab; ++i)
      if (Pages(i)->TabVisible()) {
        along -= TabLength(i);
        ++k;
      }
  }
  switch (TabPosition()) {
    case tpBottom: return {along, height - kItemInset - h, along + length, height - kItemInset};
    case tpLeft: return {kItemInset, along, kItemInset + h, along + length};
    case tpRight: return {width - kItemInset - h, along, width - kItemInset, along + length};
    default: return {along, kItemInset, along + length, kItemInset + h};
  }
}

RECT TbsSkinPageControl::AdjustedTabRect(int tabIndex) const {
  RECT r = ItemRect(tabIndex);
  // On one line the tabs close up to the control's edge.
  switch (TabPosition()) {
    case tpTop:
      if (tabIndex == 0) r.Left += 1;
      r.Offset(-2, -2);
      break;
    case tpBottom:
      if (tabIndex == 0) r.Left += 1;
      r.Offset(-2, 2);
      break;
    case tpLeft: r.Offset(-2, 0); break;
    case tpRight: r.Offset(2, 0); break;
  }
  return r;
}

RECT TbsSkinPageControl::TabRect(int tabIndex) {
  if (tabIndex < 0 || tabIndex >= VisibleTabCount()) return {};
  return AdjustedTabRect(tabIndex);
}

RECT TbsSkinPageControl::SystemDisplayRect() const {
  const int h = FItemHeight, width = ClientWidth(), height = ClientHeight();
  switch (TabPosition()) {
    case tpBottom: return {4, 4, width - 4, height - h - 4};
    case tpLeft: return {h + 4, 4, width - 4, height - 4};
    case tpRight: return {4, 4, width - h - 4, height - 4};
    default: return {4, h + 6, width - 4, height - 4};
  }
}

void TbsSkinPageControl::AdjustClientRect(RECT& rect) const {
  const RECT d = SystemDisplayRect();
  const int width = ClientWidth(), height = ClientHeight();
  if (!Bound()) {
    switch (TabPosition()) {
      case tpBottom: rect = {1, 1, width - 1, d.Bottom + 3}; break;
      case tpLeft: rect = {d.Left - 3, 1, width - 1, height - 1}; break;
      case tpRight: rect = {1, 1, d.Right + 3, height - 1}; break;
      default: rect = {1, d.Top - 5, width - 1, height - 1}; break;
    }
  } else {
    const RECT& c = FRecord.ClientRect;
    const int lm = c.Left, tm = c.Top;
    const int rm = WidthOf(FRecord.SkinRect) - c.Right, bm = HeightOf(FRecord.SkinRect) - c.Bottom;
    switch (TabPosition()) {
      case tpBottom: rect = {lm, d.Top + tm - 4, width - rm, d.Bottom + 4 - bm}; break;
      case tpLeft: rect = {d.Left + lm - 4, tm, width - rm, height - bm}; break;
      case tpRight: rect = {lm, tm, d.Right + 4 - rm, height - bm}; break;
      default: rect = {lm, d.Top + tm - 6, width - rm, height - bm}; break;
    }
  }
  rect.Right = std::max(rect.Right, rect.Left);
  rect.Bottom = std::max(rect.Bottom, rect.Top);
}

RECT TbsSkinPageControl::StripRect() const {
  RECT page = ClientRect();
  AdjustClientRect(page);
  // The strip runs from the control's edge over the frame's outer line,
  // the baseline the tabs stand on; the rest of the frame shows.
  const RECT& c = FRecord.ClientRect;
  auto over = [this](int margin) { return Bound() ? std::max(margin - 1, 0) : 0; };
  const int width = ClientWidth(), height = ClientHeight();
  switch (TabPosition()) {
    case tpBottom: return {0, page.Bottom + over(HeightOf(FRecord.SkinRect) - c.Bottom), width, height};
    case tpLeft: return {0, 0, page.Left - over(c.Left), height};
    case tpRight: return {page.Right + over(WidthOf(FRecord.SkinRect) - c.Right), 0, width, height};
    default: return {0, 0, width, page.Top - over(c.Top)};
  }
}

int TbsSkinPageControl::TabAt(int x, int y) const {
  const int count = VisibleTabCount();
  for (int i = 0; i < count; ++i)
    if (AdjustedTabRect(i).Contains(x, y)) return i;
  return -1;
}

void TbsSkinPageControl::AlignControls(TControl* control, RECT& rect) {
  // Every layout change passes here: take the tab height first, since the
  // page area follows from it.
  UpdateTabSize();
  rect = ClientRect();
  AdjustClientRect(rect);
  TPageControl::AlignControls(control, rect);
  if (ActivePage() != FShownPage) {
    FShownPage = ActivePage();
    KeepActiveTabInView();
  }
  UpdateScroller();
}

// ---- Hot tracking -----------------------------------------------------------------

void TbsSkinPageControl::SetHotTab(int tabIndex) {
  if (tabIndex == FHotTab) return;
  FOldHotTab = FHotTab;
  FOldHotPage = FHotPage;
  FHotTab = tabIndex;
  const TTabSheet* page = tabIndex >= 0 ? PageForTab(tabIndex) : nullptr;
  FHotPage = page ? page->PageIndex() : -1;
  const int selected = TabIndex();
  if (FOldHotTab >= 0 && FOldHotTab != selected) RepaintTab(FOldHotTab);
  if (FHotTab >= 0 && FHotTab != selected) RepaintTab(FHotTab);
}

void TbsSkinPageControl::RepaintTab(int tabIndex) {
  if (!HandleAllocated() || !Showing()) return;
  const TTabSheet* page = PageForTab(tabIndex);
  if (!page) return;
  TCanvas* canvas = Canvas();
  const ScopedSaveDC saved(canvas->Handle());
  ExcludeScrollerColumn(canvas->Handle(), {});
  PaintTab(canvas, page->PageIndex(), AdjustedTabRect(tabIndex), tabIndex == FHotTab, false);
}

void TbsSkinPageControl::MouseMove(TShiftState shift, int x, int y) {
  TPageControl::MouseMove(shift, x, y);
  if (!Designing()) SetHotTab(TabAt(x, y));
}

void TbsSkinPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && !Designing()) SetHotTab(TabAt(x, y));
  TPageControl::MouseDown(button, shift, x, y);
}

void TbsSkinPageControl::WndProc(TMessage& message) {
  if (message.Msg == kUpdateScrollerMessage) {
    UpdateScroller();
    return;
  }
  TPageControl::WndProc(message);
  if (message.Msg == CM_MOUSELEAVE && !Designing()) SetHotTab(-1);
}

// ---- Tab scroller -----------------------------------------------------------------

int TbsSkinPageControl::OverflowCount() const {
  if (SideTabs()) return 0;
  const int limit = ClientWidth() - ScrollerWidth() - 3;
  int count = 0;
  for (int i = 0, n = VisibleTabCount(); i < n; ++i) {
    const RECT r = AdjustedTabRect(i);
    if (r.Right > limit || r.Right <= 0) ++count;
  }
  return count;
}

void TbsSkinPageControl::UpdateScroller() {
  if (Designing() || FUpdatingScroller || ComponentState().Contains(csDestroying)) return;
  FUpdatingScroller = true;
  int count = OverflowCount();
  // Tabs scrolled out while all of them would fit from the first: back to
  // the start, and no scroller.
  if (count > 0 && FFirstTab > 0) {
    const int scrolled = FFirstTab;
    FFirstTab = 0;
    if (OverflowCount() == 0) {
      count = 0;
      Invalidate();
    } else {
      FFirstTab = scrolled;
    }
  }
  if (count == 0) {
    FreeScroller(false);
  } else {
    if (!FScroller) {
      FScroller = new TbsSkinUpDown(this);
      FScroller->SetSkinDataName(FRecord.UpDown);
      FScroller->SetBounds(0, 0, ScrollerWidth(), FDefaultItemHeight);
      FScroller->SetSkinData(FSkinData);
      FScroller->SetIncrement(1);
      FScroller->OnUpButtonClick = [this](TObject* sender) { ScrollerClicked(sender); };
      FScroller->OnDownButtonClick = [this](TObject* sender) { ScrollerClicked(sender); };
      FScroller->SetParent(this);
    }
    FScroller->SetMinValue(0);
    FScroller->SetMaxValue(count);
    FScroller->SetPosition(FFirstTab);
    // Level with the tabs when it is the smaller.
    const int inset = std::max(FItemHeight - FScroller->Height(), 0) / 2;
    const int top = TabPosition() == tpBottom ? ClientHeight() - FScroller->Height() - inset : inset;
    FScroller->SetBounds(ClientWidth() - FScroller->Width(), top, FScroller->Width(), FScroller->Height());
  }
  FUpdatingScroller = false;
}

void TbsSkinPageControl::FreeScroller(bool keepScroll) {
  if (!FScroller) return;
  TbsSkinUpDown* scroller = FScroller;
  FScroller = nullptr;
  delete scroller;
  if (!keepScroll && FFirstTab != 0) {
    FFirstTab = 0;
    Invalidate();
  }
}

void TbsSkinPageControl::ScrollerClicked(TObject*) {
  if (!FScroller) return;
  FScroller->SetMaxValue(OverflowCount());
  ScrollTabs(FScroller->Position());
}

void TbsSkinPageControl::ScrollTabs(int tabIndex) {
  const int first = std::clamp(tabIndex, 0, std::max(VisibleTabCount() - 1, 0));
  if (first == FFirstTab) return;
  FFirstTab = first;
  FHotTab = FHotPage = -1;
  Invalidate();
  // Not from inside the scroller's own click: it may have to go.
  if (HandleAllocated())
    PostMessage(Handle(), kUpdateScrollerMessage, 0, 0);
  else
    UpdateScroller();
}

void TbsSkinPageControl::KeepActiveTabInView() {
  const int active = TabIndex();
  if (active < 0 || SideTabs()) return;
  const int limit = ClientWidth() - ScrollerWidth() - 3;
  const int saved = FFirstTab;
  // Back to the active tab when it is out on the left, on while it ends
  // under the scroller.
  FFirstTab = std::min(FFirstTab, active);
  while (FFirstTab < active && AdjustedTabRect(active).Right > limit) ++FFirstTab;
  if (FFirstTab != saved) {
    FHotTab = FHotPage = -1;
    Invalidate();
  }
  if (FScroller) FScroller->SetPosition(FFirstTab);
}

// ---- Switching --------------------------------------------------------------------

void TbsSkinPageControl::Change() {
  FShownPage = ActivePage();
  KeepActiveTabInView();
  TPageControl::Change();
  Invalidate();
  if (TTabSheet* page = ActivePage()) page->Invalidate();
}

}  // namespace kora
