// The menu item tree and its streaming as nested components.

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImgList.h"
#include "framework/menus/Menus.h"

namespace kora {

TClass TMenuItem::StaticClass() {
  static const TClassInfo info(TClassBuilder<TMenuItem>("TMenuItem")
                                   .Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
                                   .Default(false)
                                   .Property("Bitmap", &TMenuItem::Bitmap, &TMenuItem::SetBitmap)
                                   .Stored(&TMenuItem::HasBitmap)
                                   .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                                   .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
                                   .Default(false)
                                   .Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
                                   .Default(false)
                                   .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
                                   .Default(true)
                                   .Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
                                   .Default(0)
                                   .Property("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext)
                                   .Default(0)
                                   .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
                                   .Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
                                   .Default(-1)
                                   .Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
                                   .Default(false)
                                   .Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
                                   .Default(0)
                                   .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
                                   .Default(true)
                                   .Property("OnClick", &TMenuItem::OnClick, &TMenuItem::SetOnClick));
  return &info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  Clear();
  if (FParent) FParent->Remove(this);
}

void TMenuItem::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  MenuChanged(false);
}

void TMenuItem::SetChecked(bool value) {
  if (FChecked == value) return;
  FChecked = value;
  if (value && FRadioItem) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* sibling : FParent->FItems) {
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex && sibling->FChecked) {
      sibling->FChecked = false;
      sibling->MenuChanged(false);
    }
  }
}

void TMenuItem::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  MenuChanged(false);
}

void TMenuItem::SetVisible(bool value) {
  if (FVisible == value) return;
  FVisible = value;
  MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool value) {
  if (FRadioItem == value) return;
  FRadioItem = value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetGroupIndex(uint8_t value) {
  if (FGroupIndex == value) return;
  FGroupIndex = value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut value) {
  if (FShortCut == value) return;
  FShortCut = value;
  MenuChanged(false);
}

void TMenuItem::SetDefault(bool value) {
  if (FDefault == value) return;
  if (value && FParent) {
    for (TMenuItem* sibling : FParent->FItems) sibling->FDefault = false;
  }
  FDefault = value;
  MenuChanged(false);
}

void TMenuItem::SetImageIndex(int32_t value) {
  if (FImageIndex == value) return;
  FImageIndex = value;
  MenuChanged(false);
}

TBitmap* TMenuItem::Bitmap() const {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

void TMenuItem::SetBitmap(TBitmap* value) {
  Bitmap()->Assign(value);
  MenuChanged(false);
}

bool TMenuItem::HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

TCustomImageList* TMenuItem::GetImageList() const {
  const TMenu* menu = FParent ? FParent->GetParentMenu() : nullptr;
  return menu ? menu->Images() : nullptr;
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw EMenuError("Menu index out of range");
  return FItems[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) throw EMenuError("Menu item is nil");
  if (item->FParent) throw EMenuError("Menu inserted twice");
  // An item inside its own subtree would make the tree a loop.
  for (const TMenuItem* p = this; p; p = p->FParent) {
    if (p == item) throw EMenuError("Menu inserted into itself");
  }
  if (index < 0 || index > Count()) throw EMenuError("Menu index out of range");
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  if (item->FChecked && item->FRadioItem) item->TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index < 0) throw EMenuError("Sub-menu is not in menu");
  FItems.erase(FItems.begin() + index);
  item->FParent = nullptr;
  MenuChanged(true);
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  Remove(item);
  delete item;
}

void TMenuItem::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  value = std::clamp(value, 0, parent->Count() - 1);
  if (value == MenuIndex()) return;
  parent->Remove(this);
  parent->Insert(value, this);
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
  const std::string wanted = StripHotkey(caption);
  for (TMenuItem* item : FItems) {
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  }
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

int TMenuItem::VisibleCount() const {
  return static_cast<int>(std::count_if(FItems.begin(), FItems.end(), [](const TMenuItem* i) { return i->FVisible; }));
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(!FChecked);
  FOnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (!FParent) return nullptr;
  if (FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* value) {
  if (FParent) FParent->Remove(this);
  if (!value) return;
  if (auto* menu = dynamic_cast<TMenu*>(value)) {
    menu->Items()->Add(this);
  } else if (auto* item = dynamic_cast<TMenuItem*>(value)) {
    item->Add(this);
  } else {
    throw EMenuError("A menu item belongs to a menu or a menu item, not to " + value->ClassName());
  }
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TMenuItem* item : FItems) proc(item);
}

void TMenuItem::MenuChanged(bool rebuild) {
  if (ComponentState().Contains(csDestroying)) return;
  if (TMenu* menu = GetParentMenu()) menu->Changed(this, rebuild);
}

}  // namespace kora
