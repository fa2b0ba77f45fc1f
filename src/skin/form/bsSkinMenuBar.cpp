// The skinned main menu bar and its items.

#include "skin/form/bsSkinMenuBar.h"

#include "framework/ClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"
#include "skin/data/bsEffects.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

namespace {

constexpr TColor kDefaultHotFill = 13811126;
constexpr TColor kDefaultDownFill = 11899781;
constexpr TColor kDefaultFrame = 8388608;  // navy
// The overflow marker's width at the items area's right end.
constexpr int kMarkerWidth = 5;

void BarText(TCanvas* canvas, const std::string& caption, RECT r, TColor color) {
  HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(color));
  DrawText(dc, caption, &r, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
}

}  // namespace

// ---- TbsSkinMainMenu ------------------------------------------------------------------

TClass TbsSkinMainMenu::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsSkinMainMenu>("TbsSkinMainMenu")
                                   .Property("SkinData", &TbsSkinMainMenu::SkinData, &TbsSkinMainMenu::SetSkinData));
  return &info;
}

TbsSkinMainMenu::TbsSkinMainMenu(TComponent* owner) : TMainMenu(owner) {}

TbsSkinMainMenu::~TbsSkinMainMenu() {
  if (FBar) {
    FBar->FMainMenu = nullptr;
    FBar->RebuildItems();
  }
}

void TbsSkinMainMenu::SetSkinData(TbsSkinData* value) { Relink(FSkinData, value); }

void TbsSkinMainMenu::DoChange(TMenuItem* source, bool rebuild) {
  TMainMenu::DoChange(source, rebuild);
  if (FBar && !ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying)) FBar->RebuildItems();
}

void TbsSkinMainMenu::Notification(TComponent* component, TOperation operation) {
  TMainMenu::Notification(component, operation);
  if (operation == opRemove && component == FSkinData) FSkinData = nullptr;
}

// ---- TbsMenuBarObject ----------------------------------------------------------------

void TbsMenuBarObject::ReDraw() {
  if (Bar->HandleAllocated()) Bar->Invalidate();
}

void TbsMenuBarObject::MouseDown(int, int, TMouseButton) {}
void TbsMenuBarObject::MouseUp(int, int, TMouseButton) {}

void TbsMenuBarObject::MouseEnter() {
  MouseIn = true;
  Active = true;
  ReDraw();
}

void TbsMenuBarObject::MouseLeave() {
  MouseIn = false;
  Active = false;
  ReDraw();
}

// ---- TbsSkinMainMenuBarItem ----------------------------------------------------------

TbsSkinMainMenuBarItem::TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* bar, TMenuItem* item)
    : TbsMenuBarObject(bar), MenuItem(item) {
  IDName = item->Name();
  Enabled = item->Enabled();
  SavedEnabled = Enabled;
}

void TbsSkinMainMenuBarItem::TakeRecord(const TbsDataSkinMainMenuBarItem* record, TBitmap* picture) {
  Record = record;
  Picture = picture;
  if (!record) {
    SkinRect = ActiveSkinRect = DownRect = {};
    Morphing = false;
    return;
  }
  SkinRect = record->SkinRect;
  ActiveSkinRect = record->ActiveSkinRect;
  DownRect = !IsEmptyRect(record->DownRect) ? record->DownRect
             : !IsEmptyRect(ActiveSkinRect) ? ActiveSkinRect
                                            : SkinRect;
  Morphing = record->Morphing && !IsEmptyRect(ActiveSkinRect);
  MorphKind = record->MorphKind;
}

int TbsSkinMainMenuBarItem::MeasureWidth(TCanvas* canvas) const {
  RECT r{0, 0, 0, 0};
  DrawText(canvas->Handle(), MenuItem->Caption(), &r, DT_CALCRECT | DT_SINGLELINE);
  const int t = WidthOf(r);
  if (Record && Picture) return t + Record->TextRect.Left + (WidthOf(Record->SkinRect) - Record->TextRect.Right) + 2;
  return t + 14;
}

void TbsSkinMainMenuBarItem::Draw(TCanvas* canvas) {
  if (!Visible || !Shown || IsEmptyRect(ObjectRect)) return;
  if (Record && Picture)
    DrawSkinned(canvas);
  else
    DrawDefault(canvas);
}

void TbsSkinMainMenuBarItem::DrawSkinned(TCanvas* canvas) {
  const TbsDataSkinMainMenuBarItem& data = *Record;
  const int w = WidthOf(ObjectRect);
  TBitmap image;
  if (Down) {
    ComposeHorizontalStrip(data.ItemLeftOffset, data.ItemRightOffset, &image, data.StretchEffect, w, DownRect, Picture);
  } else if (Active && !IsEmptyRect(ActiveSkinRect)) {
    ComposeHorizontalStrip(data.ItemLeftOffset, data.ItemRightOffset, &image, data.StretchEffect, w, ActiveSkinRect,
                           Picture);
  } else {
    ComposeHorizontalStrip(data.ItemLeftOffset, data.ItemRightOffset, &image, false, w, SkinRect, Picture);
  }
  if (image.Empty()) image.SetSize(w, HeightOf(ObjectRect));
  TCanvas* c = image.Canvas();
  Bar->SelectItemFont(c);
  RECT text = data.TextRect;
  text.Right = w - (WidthOf(data.SkinRect) - data.TextRect.Right) + 2;
  const TColor color = Down                  ? data.DownFontColor
                       : Active              ? data.ActiveFontColor
                       : MenuItem->Enabled() ? data.FontColor
                                             : data.UnEnabledFontColor;
  BarText(c, MenuItem->Caption(), text, color);
  BitBlt(canvas->Handle(), ObjectRect.Left, ObjectRect.Top, w, image.Height(), c->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinMainMenuBarItem::DrawDefault(TCanvas* canvas) {
  RECT r = ObjectRect;
  canvas->Brush()->SetStyle(bsSolid);
  if (Down || Active) {
    canvas->Brush()->SetColor(Down ? kDefaultDownFill : kDefaultHotFill);
    canvas->FillRect(r);
    canvas->Brush()->SetColor(kDefaultFrame);
    canvas->FrameRect(r);
  }
  Bar->SelectItemFont(canvas);
  r.Left += 7;
  BarText(canvas, MenuItem->Caption(), r, MenuItem->Enabled() ? clBtnText : clBtnShadow);
}

void TbsSkinMainMenuBarItem::MouseEnter() {
  const int self = [&] {
    for (int i = 0; i < Bar->ItemCount(); ++i)
      if (Bar->Item(i) == this) return i;
    return -1;
  }();
  for (int i = 0; i < Bar->ItemCount(); ++i) {
    TbsSkinMainMenuBarItem* other = Bar->Item(i);
    if (other != this && other->Active) other->MouseLeave();
  }
  MouseIn = true;
  Active = true;
  Bar->FHotIndex = self;
  ReDraw();
  Bar->OnItemMouseEnter(Bar, MenuItem);
  Bar->FItemHint = MenuItem->Hint();
}

void TbsSkinMainMenuBarItem::MouseLeave() {
  MouseIn = false;
  Active = false;
  if (Down) MorphKf = 0;
  ReDraw();
  Bar->OnItemMouseLeave(Bar, MenuItem);
}

void TbsSkinMainMenuBarItem::MouseDown(int, int, TMouseButton button) {
  if (button != mbLeft || !Enabled) return;
  // The command chosen in the drop-down may change the menu, which rebuilds
  // the bar's items and frees this one: nothing of it is used afterwards.
  TbsSkinMainMenuBar* bar = Bar;
  for (int i = 0; i < bar->ItemCount(); ++i) {
    if (bar->Item(i) != this) continue;
    bar->OpenItem(i, false);
    return;
  }
}

void TbsSkinMainMenuBarItem::Release() {
  Down = false;
  Active = false;
  MorphKf = 0;
  ReDraw();
}

// ---- TbsSkinMainMenuBar --------------------------------------------------------------

TClass TbsSkinMainMenuBar::StaticClass() {
  using C = TbsSkinMainMenuBar;
  static const TClassInfo info(TClassBuilder<C>("TbsSkinMainMenuBar")
                                   .Property("MainMenu", &C::MainMenu, &C::SetMainMenu)
                                   .Property("SkinForm", &C::SkinForm, &C::SetSkinForm)
                                   .Property("ScrollMenu", &C::ScrollMenu, &C::SetScrollMenu)
                                   .Default(true)
                                   .Property("UseSkinFont", &C::UseSkinFont, &C::SetUseSkinFont)
                                   .Default(false)
                                   .Property("DefItemFont", &C::DefItemFont, &C::SetDefItemFont)
                                   .Property("DefaultWidth", &C::DefaultWidth, &C::SetDefaultWidth)
                                   .Default(0)
                                   .Property("DefaultHeight", &C::DefaultHeight, &C::SetDefaultHeight)
                                   .Default(22)
                                   .Property("PopupToUp", &C::PopupToUp, &C::SetPopupToUp)
                                   .Default(false)
                                   .Property("OnItemMouseEnter", &C::OnItemMouseEnter)
                                   .Property("OnItemMouseLeave", &C::OnItemMouseLeave)
                                   .Redeclare("Align")
                                   .Default(alTop));
  return &info;
}

TbsSkinMainMenuBar::TbsSkinMainMenuBar(TComponent* owner)
    : TbsSkinControl(owner), FDefItemFont(std::make_unique<TFont>()) {
  SetSkinDataName("mainmenubar");
  FDefItemFont->SetName(bsDefaultFontName);
  FDefItemFont->SetCharset(bsDefaultFontCharset);
  FDefItemFont->SetHeight(-12);
  FDefItemFont->SetColor(clBtnText);
  FDefItemFont->OnChange = [this](TObject*) { Invalidate(); };
  SetAlign(alTop);
  SetBounds(0, 0, 100, FDefaultHeight);
}

TbsSkinMainMenuBar::~TbsSkinMainMenuBar() {
  *FAlive = false;
  FDefItemFont->OnChange = nullptr;
  if (FMainMenu && FMainMenu->FBar == this) FMainMenu->FBar = nullptr;
}

void TbsSkinMainMenuBar::SetMainMenu(TbsSkinMainMenu* value) {
  if (FMainMenu == value) return;
  if (FMainMenu) {
    if (FMainMenu->FBar == this) FMainMenu->FBar = nullptr;
    FMainMenu->RemoveFreeNotification(this);
  }
  FMainMenu = value;
  if (FMainMenu) {
    FMainMenu->FBar = this;
    FMainMenu->FreeNotification(this);
  }
  RebuildItems();
}

void TbsSkinMainMenuBar::SetSkinForm(TbsSkinForm* value) { Relink(FSkinForm, value); }

void TbsSkinMainMenuBar::SetScrollMenu(bool value) {
  FScrollMenu = value;
  Invalidate();
}

void TbsSkinMainMenuBar::SetUseSkinFont(bool value) {
  FUseSkinFont = value;
  Invalidate();
}

void TbsSkinMainMenuBar::SetDefItemFont(const TFont* value) { FDefItemFont->Assign(value); }

void TbsSkinMainMenuBar::SetDefaultWidth(int32_t value) {
  FDefaultWidth = value;
  if (RecordIndex() == -1 && value > 0) SetWidth(value);
}

void TbsSkinMainMenuBar::SetDefaultHeight(int32_t value) {
  FDefaultHeight = value;
  if (RecordIndex() == -1 && value > 0) SetHeight(value);
}

void TbsSkinMainMenuBar::SetBounds(int left, int top, int width, int height) {
  if (FRecord && !IsEmptyRect(FRecord->SkinRect))
    height = HeightOf(FRecord->SkinRect);
  else if (FDefaultHeight > 0)
    height = FDefaultHeight;
  TbsSkinControl::SetBounds(left, top, width, height);
}

void TbsSkinMainMenuBar::Loaded() {
  TbsSkinControl::Loaded();
  ResolveSkinRecord();
  RebuildItems();
}

void TbsSkinMainMenuBar::Notification(TComponent* component, TOperation operation) {
  TbsSkinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSkinForm) FSkinForm = nullptr;
  if (component == FMainMenu) {
    FMainMenu = nullptr;
    RebuildItems();
  }
}

TbsSkinData* TbsSkinMainMenuBar::DropSkin() const {
  if (FMainMenu && FMainMenu->SkinData()) return FMainMenu->SkinData();
  return SkinData();
}

void TbsSkinMainMenuBar::RebuildItems() {
  FItems.clear();
  FHotIndex = -1;
  FOpenIndex = -1;
  if (FMainMenu && !ComponentState().Contains(csDestroying)) {
    TMenuItem* root = FMainMenu->Items();
    for (int i = 0; i < root->Count(); ++i) {
      TMenuItem* item = root->Items(i);
      if (item->Visible()) FItems.push_back(std::make_unique<TbsSkinMainMenuBarItem>(this, item));
    }
  }
  ResolveSkinRecord();
  if (HandleAllocated()) Invalidate();
}

void TbsSkinMainMenuBar::ResolveSkinRecord() {
  TbsSkinControl::ResolveSkinRecord();
  FRecord = dynamic_cast<const TbsDataSkinMainMenuBar*>(SkinRecord());
  const TbsDataSkinMainMenuBarItem* itemRecord = nullptr;
  TBitmap* itemPicture = nullptr;
  if (FRecord) {
    const int index = SkinData()->FindObjectRecord(FRecord->MenuBarItem);
    if (index >= 0) itemRecord = dynamic_cast<const TbsDataSkinMainMenuBarItem*>(SkinData()->ObjectRecord(index));
    if (itemRecord) itemPicture = SkinData()->FindActivePicture(itemRecord->ActivePictureIndex);
  }
  for (auto& item : FItems) item->TakeRecord(itemRecord, itemPicture);
  const int height = FRecord && !IsEmptyRect(FRecord->SkinRect) ? HeightOf(FRecord->SkinRect) : FDefaultHeight;
  if (height > 0 && height != Height()) TbsSkinControl::SetBounds(Left(), Top(), Width(), height);
}

RECT TbsSkinMainMenuBar::ItemsArea() const {
  if (FRecord && SkinData() && SkinData()->FindActivePicture(FRecord->PictureIndex)) {
    const RECT& items = FRecord->ItemsRect;
    return {items.Left, items.Top, Width() - (WidthOf(FRecord->SkinRect) - items.Right), items.Bottom};
  }
  return {2, 2, Width() - 2, Height() - 2};
}

RECT TbsSkinMainMenuBar::OverflowMarker() const {
  const RECT area = ItemsArea();
  return {area.Right - kMarkerWidth, area.Top, area.Right, area.Bottom};
}

void TbsSkinMainMenuBar::SelectItemFont(TCanvas* canvas) const {
  TFont* font = canvas->Font();
  const auto* record = FItems.empty() ? nullptr : FItems.front()->Record;
  if (FUseSkinFont && record) {
    font->SetName(record->FontName);
    font->SetHeight(record->FontHeight);
    font->SetStyle(record->FontStyle);
  } else {
    font->SetName(FDefItemFont->Name());
    font->SetHeight(FDefItemFont->Height());
    font->SetStyle(FDefItemFont->Style());
  }
  font->SetCharset(SkinTextCharset(SkinData(), FDefItemFont.get()));
}

void TbsSkinMainMenuBar::LayoutItems(TCanvas* canvas) {
  SelectItemFont(canvas);
  const RECT area = ItemsArea();
  const int limit = area.Right - (FScrollMenu ? kMarkerWidth : 0);
  FOverflow = false;
  int x = area.Left;
  for (auto& item : FItems) {
    const int w = item->MeasureWidth(canvas);
    const int h = item->Record && item->Picture ? HeightOf(item->Record->SkinRect) : HeightOf(area);
    item->ObjectRect = RECT::FromSize(x, area.Top, w, h);
    x += w;
    const bool fits = item->ObjectRect.Right <= limit;
    if (!fits) FOverflow = true;
    if (fits && !item->Shown) item->Enabled = item->SavedEnabled;
    if (!fits && item->Shown) item->SavedEnabled = item->Enabled, item->Enabled = false;
    item->Shown = fits;
    if (fits) item->Enabled = item->MenuItem->Enabled();
  }
}

void TbsSkinMainMenuBar::PaintItems(TBitmap* bitmap) {
  TCanvas* c = bitmap->Canvas();
  LayoutItems(c);
  for (auto& item : FItems) item->Draw(c);
  if (FOverflow && FScrollMenu) {
    const bool skinned = FRecord != nullptr;
    const TColor color = skinned ? (FMarkerHot ? FRecord->TrackMarkActiveColor : FRecord->TrackMarkColor)
                                 : (FMarkerHot ? clBtnText : clBtnShadow);
    DrawArrow(c, OverflowMarker(), color, 2);
  }
}

void TbsSkinMainMenuBar::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect({0, 0, Width(), Height()});
  PaintItems(bitmap);
}

void TbsSkinMainMenuBar::PaintSkinLook(TBitmap* bitmap) {
  TBitmap* picture = FRecord ? SkinData()->FindActivePicture(FRecord->PictureIndex) : nullptr;
  if (!picture) {
    PaintDefaultLook(bitmap);
    return;
  }
  TBitmap strip;
  ComposeHorizontalStrip(FRecord->ItemsRect.Left, WidthOf(FRecord->SkinRect) - FRecord->ItemsRect.Right, &strip, false,
                         Width(), FRecord->SkinRect, picture);
  bitmap->Canvas()->Draw(0, 0, &strip);
  PaintItems(bitmap);
}

int TbsSkinMainMenuBar::ItemAt(POINT p) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    const auto& item = FItems[i];
    if (item->Shown && item->Enabled && PtInRect(&item->ObjectRect, p)) return int(i);
  }
  return -1;
}

bool TbsSkinMainMenuBar::OverflowMarkerAt(POINT p) const {
  const RECT marker = OverflowMarker();
  return FOverflow && FScrollMenu && PtInRect(&marker, p);
}

int TbsSkinMainMenuBar::HighlightedIndex() const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]->Active || FItems[i]->Down) return int(i);
  return -1;
}

void TbsSkinMainMenuBar::HotTrack(POINT p) {
  const bool markerHot = OverflowMarkerAt(p);
  if (markerHot != FMarkerHot) {
    FMarkerHot = markerHot;
    Invalidate();
  }
  if (FOpenIndex >= 0) return;
  const int index = ItemAt(p);
  // In the menu state the last highlighted item stays lit off the items.
  if (index < 0 && FMenuState) return;
  if (index == FHotIndex) return;
  if (FHotIndex >= 0 && FHotIndex < ItemCount()) FItems[size_t(FHotIndex)]->MouseLeave();
  FHotIndex = index;
  if (index >= 0) FItems[size_t(index)]->MouseEnter();
}

void TbsSkinMainMenuBar::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: HotTrack(LParamToPoint(message.LParam)); break;
    case CM_MOUSELEAVE:
      FMarkerHot = false;
      if (!FMenuState && FHotIndex >= 0 && FHotIndex < ItemCount()) FItems[size_t(FHotIndex)]->MouseLeave();
      if (!FMenuState) FHotIndex = -1;
      Invalidate();
      break;
    case WM_LBUTTONDOWN: {
      const POINT p = LParamToPoint(message.LParam);
      if (OverflowMarkerAt(p)) {
        OpenOverflow();
        return;
      }
      if (const int index = ItemAt(p); index >= 0) {
        FItems[size_t(index)]->MouseDown(p.X, p.Y, mbLeft);
        return;
      }
      break;
    }
    case WM_SIZE: Invalidate(); break;
    default: break;
  }
  TbsSkinControl::WndProc(message);
}

int TbsSkinMainMenuBar::Step(int from, int step) const {
  const int count = ItemCount();
  if (count == 0) return -1;
  int i = from;
  for (int n = 0; n < count; ++n) {
    i = (i + step + count) % count;
    if (i < 0) i = step > 0 ? 0 : count - 1;
    if (FItems[size_t(i)]->Enabled && FItems[size_t(i)]->Shown) return i;
  }
  return -1;
}

bool TbsSkinMainMenuBar::SwitchTo(POINT screen) {
  const POINT p = ScreenToClient(screen);
  const int index = ItemAt(p);
  if (index < 0 || index == FOpenIndex) return false;
  FPendingOpen = index;
  FPendingByKeyboard = false;
  return true;
}

void TbsSkinMainMenuBar::OpenItem(int index, bool byKeyboard) {
  if (index < 0 || index >= ItemCount()) return;
  FPendingOpen = index;
  FPendingByKeyboard = byKeyboard;
  if (FOpenIndex >= 0) return;  // the open drop-down makes room first
  while (FPendingOpen >= 0) {
    const int open = FPendingOpen;
    const bool keyboard = FPendingByKeyboard;
    FPendingOpen = -1;
    TbsSkinMainMenuBarItem* item = FItems[size_t(open)].get();
    TMenuItem* menuItem = item->MenuItem;
    if (menuItem->Count() == 0 || menuItem->VisibleCount() == 0) {
      // An item without children is a command of its own.
      if (FSkinForm) FSkinForm->LeaveKeyboardMenuMode();
      LeaveMenuState();
      menuItem->Click();
      return;
    }
    if (!FSkinForm) return;
    for (int i = 0; i < ItemCount(); ++i)
      if (i != open && (FItems[size_t(i)]->Active || FItems[size_t(i)]->Down)) FItems[size_t(i)]->Release();
    FMenuState = true;
    FOpenIndex = open;
    FHotIndex = open;
    item->Active = true;
    item->Down = true;
    item->MouseIn = true;
    item->MorphKf = 1;
    Invalidate();
    Update();
    if (!FSkinForm->KeyboardMenuMode() && !FMouseMenuEntered) {
      // Opened by the mouse: the enter event here, its exit as the menu state ends.
      FMouseMenuEntered = true;
      FSkinForm->OnMainMenuEnter(FSkinForm);
    }
    RECT anchor = item->ObjectRect;
    const POINT topLeft = ClientToScreen(anchor.TopLeft());
    anchor = RECT::FromSize(topLeft.X, topLeft.Y, WidthOf(anchor), HeightOf(anchor));
    TbsMenuDropOptions drop;
    drop.LeaveSideways = true;
    drop.OnMouseOutside = [this](POINT screen) { return SwitchTo(screen); };
    // The chosen command may free the bar (its form closing).
    const std::shared_ptr<bool> alive = FAlive;
    // The bar lets go of the item before its command runs: a dialog or
    // message box the command opens does not show it held behind.
    drop.OnClosed = [this, alive](bool chosen) {
      if (!chosen || !*alive || ComponentState().Contains(csDestroying)) return;
      if (FSkinForm) FSkinForm->LeaveKeyboardMenuMode();
      LeaveMenuState();
      if (HandleAllocated()) Update();
    };
    TMenuTrackEnd end = TMenuTrackEnd::Closed;
    try {
      end = FSkinForm->OpenFramePopup(menuItem, anchor, FPopupToUp, DropSkin(), this, 0, &drop);
    } catch (...) {
      // A failing command leaves the bar closed, as any other end does;
      // an open index left behind would keep every later drop-down shut.
      if (*alive && !ComponentState().Contains(csDestroying)) {
        FOpenIndex = -1;
        FPendingOpen = -1;
        LeaveMenuState();
      }
      throw;
    }
    if (!*alive || ComponentState().Contains(csDestroying)) return;
    FOpenIndex = -1;
    if (open < ItemCount() && FItems[size_t(open)].get() == item) item->Release();
    if (end == TMenuTrackEnd::Left || end == TMenuTrackEnd::Right) {
      FPendingOpen = Step(open, end == TMenuTrackEnd::Left ? -1 : 1);
      FPendingByKeyboard = true;
    }
    if (FPendingOpen >= 0) continue;
    if (end == TMenuTrackEnd::Escaped && keyboard && FSkinForm && open < ItemCount()) {
      // Closed by Escape from the keyboard: the item stays highlighted; a
      // click elsewhere, Alt or F10 end the menu mode.
      FHotIndex = open;
      FItems[size_t(open)]->Active = true;
      // A menu mode the mouse began goes on under the keyboard: entered once.
      const bool announce = !FMouseMenuEntered;
      FMouseMenuEntered = false;
      FSkinForm->EnterKeyboardMenuMode(announce);
      return;
    }
    LeaveMenuState();
  }
}

void TbsSkinMainMenuBar::OpenOverflow() {
  if (!FSkinForm || !FMainMenu) return;
  int first = 0;
  for (auto& item : FItems)
    if (item->Shown) first = FMainMenu->Items()->IndexOf(item->MenuItem) + 1;
  const RECT marker = OverflowMarker();
  const POINT topLeft = ClientToScreen(marker.TopLeft());
  const RECT anchor = RECT::FromSize(topLeft.X, topLeft.Y, WidthOf(marker), HeightOf(marker));
  FSkinForm->OpenFramePopup(FMainMenu->Items(), anchor, FPopupToUp, DropSkin(), this, first);
}

void TbsSkinMainMenuBar::LeaveMenuState() {
  FMenuState = false;
  if (FMouseMenuEntered) {
    FMouseMenuEntered = false;
    if (FSkinForm) FSkinForm->OnMainMenuExit(FSkinForm);
  }
  for (auto& item : FItems) {
    if (item->Active || item->Down || item->MouseIn) {
      item->Active = item->Down = item->MouseIn = false;
      item->MorphKf = 0;
    }
  }
  FHotIndex = -1;
  if (HandleAllocated()) Invalidate();
}

void TbsSkinMainMenuBar::MoveHighlight(int step) {
  const int from = HighlightedIndex();
  const int next = from < 0 ? Step(-1, 1) : Step(from, step);
  if (next < 0) return;
  if (from >= 0) FItems[size_t(from)]->MouseLeave();
  FItems[size_t(next)]->MouseEnter();
}

// ---- The frame's keyboard menu mode ---------------------------------------------------

void TbsSkinMainMenuBar::EnterKeyboardMenu() {
  FMenuState = true;
  int index = HighlightedIndex();
  if (index < 0) index = Step(-1, 1);
  if (index >= 0) FItems[size_t(index)]->MouseEnter();
}

void TbsSkinMainMenuBar::LeaveKeyboardMenu() {
  // A drop-down that is switching to another keeps the state.
  if (FOpenIndex >= 0 || FPendingOpen >= 0) return;
  LeaveMenuState();
}

bool TbsSkinMainMenuBar::MenuBarKey(WORD key) {
  for (size_t i = 0; i < FItems.size(); ++i) {
    TbsSkinMainMenuBarItem* item = FItems[i].get();
    if (!item->Enabled || !item->Shown || !IsAccel(char32_t(key), item->MenuItem->Caption())) continue;
    if (FOpenIndex >= 0 && item->MenuItem->Count() > 0) {
      // Another drop-down is open: switch to this one.
      if (int(i) != FOpenIndex) {
        FPendingOpen = int(i);
        FPendingByKeyboard = true;
        SkinMenuOf(FSkinForm)->CloseAll();
      }
      return true;
    }
    item->MouseEnter();
    OpenItem(int(i), true);
    return true;
  }
  return false;
}

bool TbsSkinMainMenuBar::OpenSelectedItem() {
  const int index = HighlightedIndex();
  if (index < 0 || FOpenIndex >= 0) return false;
  OpenItem(index, true);
  return true;
}

void TbsSkinMainMenuBar::SelectPrevItem() { MoveHighlight(-1); }

void TbsSkinMainMenuBar::SelectNextItem() { MoveHighlight(1); }

bool TbsSkinMainMenuBar::MenuBarShortCut(const MSG& msg) {
  if (!FMainMenu) return false;
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0 || msg.message == WM_SYSKEYDOWN) shift.Include(ssAlt);
  return FMainMenu->IsShortCut(uint16_t(msg.wParam), shift);
}

void RegisterSkinMenuBarClasses() {
  static const bool registered = [] {
    RegisterClasses({TbsSkinMainMenu::StaticClass(), TbsSkinMainMenuBar::StaticClass()});
    return true;
  }();
  (void)registered;
}

}  // namespace kora
