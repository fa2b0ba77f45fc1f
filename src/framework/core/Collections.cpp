#include "framework/core/Collections.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"

namespace kora {

TClass TCollectionItem::StaticClass() {
  static const TClassInfo info(TClassBuilder<TCollectionItem>("TCollectionItem"));
  return &info;
}

TClass TCollection::StaticClass() {
  static const TClassInfo info(TClassBuilder<TCollection>("TCollection"));
  return &info;
}

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == FCollection) return;
  if (FCollection) {
    auto& items = FCollection->FItems;
    items.erase(std::find(items.begin(), items.end(), this));
  }
  FCollection = collection;
  if (FCollection) FCollection->FItems.push_back(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

TCollection::TCollection(TClass itemClass, TPersistent* owner) : FItemClass(itemClass), FOwner(owner) {}

TCollection::~TCollection() { Clear(); }

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
  return FItems[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FItemClass->CreateItem(this);
  // A factory that did not pass the collection on still gives a member.
  item->SetCollection(this);
  return item;
}

void TCollection::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

void TCollection::Assign(const TPersistent* source) {
  const auto* collection = dynamic_cast<const TCollection*>(source);
  if (!collection) {
    TPersistent::Assign(source);
    return;
  }
  if (collection == this) return;
  Clear();
  for (const TCollectionItem* item : collection->FItems) Add()->Assign(item);
}

}  // namespace kora
