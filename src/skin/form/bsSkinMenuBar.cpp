// The skinned main menu bar and its items.

#include "skin/form/bsSkinMenuBar.h"

#include "framework/core/ClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"
#include "skin/data/bsEffects.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

namespace {

constexpr TColor kDefaultHotFill = 13811126;
constexpr TColor kDefaultDownFill = 11899781;
constexpr TColor kDefaultFrame = 8388608;  // navy

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
  Bar->Layout().SelectItemFont(c);
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
  Bar->Layout().SelectItemFont(canvas);
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
  FTracking.ItemsRebuilt();
  if (FMainMenu && !ComponentState().Contains(csDestroying)) {
    TMenuItem* root = FMainMenu->Items();
    for (int i = 0; i < root->Count(); ++i) {
      TMenuItem* item = root->Items(i);
      if (item->Visible()) FItems.push_back(std::make_unique<TbsSkinMainMenuBarItem>(this, item));
    }
  }
  ResolveSkinRecord();
  FTracker.ItemsChanged();
  FTracking.BarStateChanged(false);
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

void TbsSkinMainMenuBar::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect({0, 0, Width(), Height()});
  FLayout.Paint(bitmap);
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
  FLayout.Paint(bitmap);
}

void TbsSkinMainMenuBar::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      const POINT p = LParamToPoint(message.LParam);
      if (FLayout.SetMarkerHot(FLayout.OverflowMarkerAt(p))) Invalidate();
      FTracker.PointerMove(ClientToScreen(p));
      break;
    }
    case CM_MOUSELEAVE:
      FLayout.SetMarkerHot(false);
      FTracker.PointerLeft();
      Invalidate();
      break;
    case WM_LBUTTONDOWN: {
      const POINT p = LParamToPoint(message.LParam);
      if (FLayout.OverflowMarkerAt(p)) {
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
  const RECT marker = FLayout.OverflowMarker();
  const POINT topLeft = ClientToScreen(marker.TopLeft());
  const RECT anchor = RECT::FromSize(topLeft.X, topLeft.Y, WidthOf(marker), HeightOf(marker));
  FSkinForm->MenuMode().Popup(FMainMenu->Items(), anchor, FPopupToUp, DropSkin(), this, first);
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
