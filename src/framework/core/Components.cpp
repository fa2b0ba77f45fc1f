#include "framework/core/Components.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Filer.h"

namespace kora {

TClass TComponent::StaticClass() {
  static const TClassInfo info(TClassBuilder<TComponent>("TComponent")
                                   .Property("Name", &TComponent::Name, &TComponent::SetName)
                                   .Stored(false)
                                   .Property("Tag", &TComponent::Tag, &TComponent::SetTag)
                                   .Default(0));
  return &info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!FFreeNotifies.empty()) {
    TComponent* peer = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    peer->Unlink(this);
    // The owner tells itself and its other components below; telling them
    // here too would notify them twice.
    const bool ownerTells = FOwner && (peer == FOwner || peer->FOwner == FOwner);
    if (!ownerTells) peer->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return FComponents[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  const auto& siblings = FOwner->FComponents;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : FComponents) {
    if (SameText(component->FName, name)) return component;
  }
  return nullptr;
}

void TComponent::ValidateRename(TComponent* component, const std::string& newName) const {
  const TComponent* existing = FindComponent(newName);
  if (existing && existing != component) throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::InsertComponent(TComponent* component) {
  ValidateRename(component, component->FName);
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  FComponents.push_back(component);
  component->FOwner = this;
  if (FComponentState.Contains(csDesigning)) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component->FOwner != this) return;
  Notification(component, opRemove);
  FComponents.erase(std::find(FComponents.begin(), FComponents.end(), component));
  component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* component = FComponents.back();
    RemoveComponent(component);
    delete component;
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  Include(csDestroying);
  for (TComponent* component : FComponents) component->Destroying();
}

void TComponent::SetName(const std::string& value) {
  if (value == FName) return;
  if (!value.empty() && !IsValidIdent(value)) throw EComponentError("'" + value + "' is not a valid component name");
  if (FOwner) FOwner->ValidateRename(this, value);
  FName = value;
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  if (value) {
    Include(csDesigning);
  } else {
    Exclude(csDesigning);
  }
  if (setChildren) {
    for (TComponent* component : FComponents) component->SetDesigning(value, true);
  }
}

void TComponent::Unlink(TComponent* component) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(component);
    component->FFreeNotifies.push_back(this);
  }
  Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  Unlink(component);
  component->Unlink(this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) RemoveFreeNotification(component);
  // A notified component may free others; walk by index and re-check.
  for (std::size_t i = FComponents.size(); i-- > 0;) {
    if (i < FComponents.size()) FComponents[i]->Notification(component, operation);
  }
}

void TComponent::Loaded() { Exclude(csLoading); }

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  if (root != this) return;
  for (TComponent* component : FComponents) {
    if (!component->HasParent()) proc(component);
  }
}

void TComponent::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  // Two 16-bit halves of one 32-bit value.
  auto half = [this](int shift) { return static_cast<int16_t>(static_cast<uint32_t>(FDesignInfo) >> shift); };
  auto setHalf = [this](int shift, int32_t value) {
    const uint32_t mask = 0xFFFFu << shift;
    FDesignInfo = static_cast<int32_t>((static_cast<uint32_t>(FDesignInfo) & ~mask) |
                                       ((static_cast<uint32_t>(value) & 0xFFFFu) << shift));
  };
  filer.DefineProperty(
      "Left", [=](TReader& reader) { setHalf(0, reader.ReadInteger()); },
      [=](TWriter& writer) { writer.WriteInteger(half(0)); }, half(0) != 0);
  filer.DefineProperty(
      "Top", [=](TReader& reader) { setHalf(16, reader.ReadInteger()); },
      [=](TWriter& writer) { writer.WriteInteger(half(16)); }, half(16) != 0);
}

}  // namespace kora
