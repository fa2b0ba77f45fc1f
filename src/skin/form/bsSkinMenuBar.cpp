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
  FEntered = -1;
  if (FMainMenu && !ComponentState().Contains(csDestroying)) {
    TMenuItem* root = FMainMenu->Items();
    for (int i = 0; i < root->Count(); ++i) {
      TMenuItem* item = root->Items(i);
      if (item->Visible()) FItems.push_back(std::make_unique<TbsSkinMainMenuBarItem>(this, item));
    }
  }
  ResolveSkinRecord();
  FTracker.ItemsChanged();
  BarStateChanged(false);
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

bool TbsSkinMainMenuBar::OverflowMarkerAt(POINT p) const {
  const RECT marker = OverflowMarker();
  return FOverflow && FScrollMenu && PtInRect(&marker, p);
}

void TbsSkinMainMenuBar::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      const POINT p = LParamToPoint(message.LParam);
      if (const bool markerHot = OverflowMarkerAt(p); markerHot != FMarkerHot) {
        FMarkerHot = markerHot;
        Invalidate();
      }
      FTracker.PointerMove(ClientToScreen(p));
      break;
    }
    case CM_MOUSELEAVE:
      FMarkerHot = false;
      FTracker.PointerLeft();
      Invalidate();
      break;
    case WM_LBUTTONDOWN: {
      const POINT p = LParamToPoint(message.LParam);
      if (OverflowMarkerAt(p)) {
        OpenOverflow();
        return;
      }
      // The command chosen in the drop-down may change the menu, which
      // rebuilds the items: nothing of them is used afterwards.
      if (FTracker.PointerDown(ClientToScreen(p))) return;
      break;
    }
    case WM_SIZE: Invalidate(); break;
    default: break;
  }
  TbsSkinControl::WndProc(message);
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

// ---- The look of the menu bar core ----------------------------------------------------

int TbsSkinMainMenuBar::BarItemAt(POINT screen) const {
  if (!HandleAllocated()) return -1;
  const POINT p = ScreenToClient(screen);
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]->Shown && PtInRect(&FItems[i]->ObjectRect, p)) return int(i);
  return -1;
}

void TbsSkinMainMenuBar::BarStateChanged(bool now) {
  for (int i = 0; i < ItemCount(); ++i) {
    TbsSkinMainMenuBarItem& item = *FItems[size_t(i)];
    const TMenuBarItemState state = FTracker.ItemState(i);
    item.Active = item.MouseIn = state != TMenuBarItemState::Normal;
    item.Down = state == TMenuBarItemState::Open;
    item.MorphKf = item.Down ? 1 : 0;
  }
  // The events follow the highlight, wherever the pointer or the keys take it.
  if (const int entered = FTracker.Highlighted(); entered != FEntered) {
    const int left = FEntered;
    FEntered = entered;
    if (left >= 0 && left < ItemCount()) OnItemMouseLeave(this, FItems[size_t(left)]->MenuItem);
    if (entered >= 0) OnItemMouseEnter(this, FItems[size_t(entered)]->MenuItem);
  }
  if (!HandleAllocated()) return;
  Invalidate();
  if (now) Update();
}

TMenuTrackEnd TbsSkinMainMenuBar::DropDown(int index, const TMenuBarDrop& drop) {
  if (!FSkinForm) return TMenuTrackEnd::Closed;
  const RECT r = FItems[size_t(index)]->ObjectRect;
  const POINT topLeft = ClientToScreen(r.TopLeft());
  TbsMenuDropOptions options;
  options.LeaveSideways = true;
  options.OnMouseOutside = drop.OnMouseOutside;
  options.OnClosed = drop.OnClosed;
  // Every window of the skinned look opens on its first item.
  return FSkinForm->OpenFramePopup(FItems[size_t(index)]->MenuItem,
                                   RECT::FromSize(topLeft.X, topLeft.Y, WidthOf(r), HeightOf(r)), FPopupToUp,
                                   DropSkin(), this, 0, &options);
}

// The frame keeps its own keyboard menu mode and the OnMainMenuEnter and
// OnMainMenuExit events: a menu mode the mouse began is announced here, a
// walk back from a drop-down to the bar hands the keys to the frame again.
void TbsSkinMainMenuBar::BarModeChanged(TMenuBarMode from, TMenuBarMode to) {
  if (!FSkinForm) return;
  if (from == TMenuBarMode::Rest && to == TMenuBarMode::Menus) {
    if (FSkinForm->KeyboardMenuMode()) return;
    FMouseMenuEntered = true;
    FSkinForm->OnMainMenuEnter(FSkinForm);
  } else if (from == TMenuBarMode::Menus && to == TMenuBarMode::Keys) {
    // A menu mode the mouse began goes on under the keyboard: entered once.
    const bool announce = !FMouseMenuEntered;
    FMouseMenuEntered = false;
    if (!FSkinForm->KeyboardMenuMode()) FSkinForm->EnterKeyboardMenuMode(announce);
  } else if (to == TMenuBarMode::Rest) {
    FSkinForm->LeaveKeyboardMenuMode();
    if (!FMouseMenuEntered) return;
    FMouseMenuEntered = false;
    FSkinForm->OnMainMenuExit(FSkinForm);
  }
}

bool TbsSkinMainMenuBar::MenuBarKey(WORD key) {
  MSG msg{};
  msg.message = WM_KEYDOWN;
  msg.wParam = key;
  return FTracker.Key(msg);
}

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
