#pragma once
// Collections: an owned, ordered list of items of one class, streamed as
// one property (`Panels = < item ... end >`).

#include <vector>

#include "framework/core/Classes.h"

namespace kora {

class TCollection;

class TCollectionItem : public TPersistent {
  KORA_CLASS(TCollectionItem, TPersistent)

  // Appends itself to `collection` when given.
  explicit TCollectionItem(TCollection* collection);
  // Leaves its collection.
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  // Moves the item into another collection (or none).
  void SetCollection(TCollection* collection);
  int Index() const;
  TPersistent* GetOwner() const override;

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
  KORA_CLASS(TCollection, TPersistent)

  // Items are of `itemClass`, a registered TCollectionItem descendant
  // (ClassBuilder gives it a factory when it takes a TCollection*).
  explicit TCollection(TClass itemClass, TPersistent* owner = nullptr);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // EListError "List index out of bounds (%d)".
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add();
  void Clear();
  // Replaces the items with new ones assigned from the source's items.
  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override { return FOwner; }

private:
  friend class TCollectionItem;
  TClass FItemClass;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
};

}  // namespace kora
