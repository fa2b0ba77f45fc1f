// Menus: the root of an item tree, short-cut lookup, popup menus.

#include "framework/core/ClassBuilder.h"
#include "framework/graphics/ImgList.h"
#include "framework/menus/Menus.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

TPopupPresenter& Presenter() {
  static TPopupPresenter presenter = &PlainPopupMenu;
  return presenter;
}

TMenuItem* FindShortCut(const TMenuItem* parent, TShortCut shortCut) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible() || !item->Enabled()) continue;
    if (item->ShortCut() == shortCut) return item;
    if (TMenuItem* found = FindShortCut(item, shortCut)) return found;
  }
  return nullptr;
}

}  // namespace

TClass TMenu::StaticClass() {
  static const TClassInfo info(TClassBuilder<TMenu>("TMenu").Property("Images", &TMenu::Images, &TMenu::SetImages));
  return &info;
}

TClass TMainMenu::StaticClass() {
  static const TClassInfo info(TClassBuilder<TMainMenu>("TMainMenu"));
  return &info;
}

TClass TPopupMenu::StaticClass() {
  static const TClassInfo info(TClassBuilder<TPopupMenu>("TPopupMenu")
                                   .Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
                                   .Default(true)
                                   .Property("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::SetOnPopup));
  return &info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() {
  Destroying();
  // The items belong to the form; they only leave the tree here.
  while (FItems->Count() > 0) FItems->Remove(FItems->Items(FItems->Count() - 1));
  FItems->FMenu = nullptr;
  delete FItems;
}

void TMenu::SetImages(TCustomImageList* value) {
  if (FImages == value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (FImages) FImages->FreeNotification(this);
  Changed(nullptr, false);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FImages) {
    FImages = nullptr;
    Changed(nullptr, false);
  }
}

TMenuItem* TMenu::FindItem(TShortCut shortCut) const {
  if (shortCut == scNone) return nullptr;
  return FindShortCut(FItems, shortCut);
}

bool TMenu::IsShortCut(uint16_t key, TShiftState shift) {
  TMenuItem* item = FindItem(ShortCut(key, shift));
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (int i = 0; i < FItems->Count(); ++i) proc(FItems->Items(i));
}

void TMenu::Changed(TMenuItem* source, bool rebuild) {
  if (ComponentState().Contains(csDestroying) || ComponentState().Contains(csLoading)) return;
  DoChange(source, rebuild);
}

void TMenu::DoChange(TMenuItem* source, bool rebuild) { OnChange(this, source, rebuild); }

void TMainMenu::DoChange(TMenuItem* source, bool rebuild) {
  TMenu::DoChange(source, rebuild);
  if (IsWindow(FWindowHandle)) RedrawWindow(FWindowHandle, nullptr, HRGN{}, RDW_FRAME | RDW_INVALIDATE);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::SetPopupComponent(TComponent* value) {
  if (FPopupComponent == value) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = value;
  if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  FPopupPoint = {x, y};
  FOnPopup(this);
  if (Presenter() && Items()->VisibleCount() > 0) Presenter()(*this, x, y);
}

void TPopupMenu::SetPresenter(TPopupPresenter presenter) {
  Presenter() = presenter ? std::move(presenter) : TPopupPresenter(&PlainPopupMenu);
}

}  // namespace kora
