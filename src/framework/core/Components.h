#pragma once
// Components: objects with an owner that frees them, a name unique among
// their owner's components, a state, and free notifications that keep
// references between components from dangling.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "framework/core/Classes.h"

namespace kora {

enum TComponentStateItem {
  csLoading,     // being read from a form stream; cleared by Loaded
  csReading,     // its own properties are being read
  csWriting,     // being written to a form stream
  csDestroying,  // its destructor has started
  csDesigning,   // edited at design time rather than running
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,  // some component asked to hear about its removal
  csInline,
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TReader;
class TWriter;

// Components are created with `new T(owner)`; the owner deletes them with
// itself. A component without owner belongs to whoever created it.
class TComponent : public TPersistent {
  KORA_CLASS(TComponent, TPersistent)

  explicit TComponent(TComponent* owner);
  // Announces the removal to everyone holding a free notification, frees
  // the owned components (last created first) and leaves the owner. A class
  // whose members its owned components may still touch calls
  // DestroyComponents() first in its own destructor.
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override { return FOwner; }

  // Owned components in creation order. Components(i) raises EListError
  // "List index out of bounds (%d)".
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  // Position in the owner's list; -1 without owner.
  int ComponentIndex() const;
  // An owned component by name, ignoring case; nullptr when none.
  TComponent* FindComponent(std::string_view name) const;
  // Takes a component into this one's ownership (it must have none), or
  // gives one up without freeing it. Both notify the owned components.
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, last first.
  void DestroyComponents();

  const std::string& Name() const { return FName; }
  // A valid identifier or empty; raises EComponentError "'%s' is not a
  // valid component name" or "A component named %s already exists".
  virtual void SetName(const std::string& value);
  int32_t Tag() const { return FTag; }
  void SetTag(int32_t value) { FTag = value; }

  // Where a non-visual component sits on the form at design time: Left in
  // the low 16 bits, Top in the high 16 bits. Stored as the defined
  // properties Left and Top when not zero.
  int32_t DesignInfo() const { return FDesignInfo; }

  TComponentState ComponentState() const { return FComponentState; }
  // Puts this component and everything it owns into or out of design mode.
  void SetDesigning(bool value, bool setChildren = true);

  // Makes sure `component` hears Notification(this, opRemove) when this one
  // goes away. The link works both ways: this one also hears of `component`.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  // Points `field` at `value` and moves this component's free notification
  // from the old target to the new one.
  template <typename T>
  void Relink(T*& field, std::type_identity_t<T>* value) {
    if (field == value) return;
    if (field) field->RemoveFreeNotification(this);
    field = value;
    if (field) field->FreeNotification(this);
  }

  // Form streaming hooks.
  // After a form stream is read and every reference fixed up; clears csLoading.
  virtual void Loaded();
  // On the root of a form stream, once every component of it is loaded.
  virtual void StreamLoaded() {}
  // Whether the component is written inside its parent rather than its owner.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  // Set by the form reader to the component it is nested in.
  virtual void SetParentComponent(TComponent*) {}
  // The components written nested inside this one when `root` is written.
  // The root itself lists the components it owns that have no parent.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  void DefineProperties(TFiler& filer) override;

protected:
  // Told about components inserted into or removed from the owner, and
  // about components this one asked free notification of. Overrides call
  // inherited::Notification first, then clear their references on opRemove.
  virtual void Notification(TComponent* component, TOperation operation);
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

private:
  friend class TReader;
  friend class TWriter;

  void Include(TComponentStateItem item) { FComponentState.Include(item); }
  void Exclude(TComponentStateItem item) { FComponentState.Exclude(item); }
  void ValidateRename(TComponent* component, const std::string& newName) const;
  void Unlink(TComponent* component);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::string FName;
  int32_t FTag = 0;
  int32_t FDesignInfo = 0;
  TComponentState FComponentState;
};

}  // namespace kora
