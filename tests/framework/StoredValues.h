#pragma once
// What a stored object holds, read through its class table: every stored
// value as text (for one object or a whole form), and the defaults a new
// object does not start at. Shared by the tests that write objects and read
// them back.

#include <map>
#include <string>
#include <vector>

#include "framework/core/Collections.h"
#include "framework/core/TypInfo.h"

namespace kora {

inline bool IsOwnedObject(const TPropInfo& prop, const TObject* value) {
  return value && !prop.IsComponentReference() && !dynamic_cast<const TCollection*>(value);
}

// Every stored property of `object` (owned sub-objects under "Owner.Name"),
// as text; events and component references by name, collections by count.
inline void StoredValues(const TObject& object, const std::string& prefix, std::map<std::string, std::string>& out,
                         int depth = 0) {
  if (depth > 4) return;
  for (const TPropInfo* prop : object.ClassType()->Properties()) {
    if (prop->IsStored && !prop->IsStored(object)) continue;
    const std::string name = prefix + prop->Name;
    switch (prop->Kind()) {
      case TTypeKind::tkClass: {
        TObject* value = GetObjectProp(object, *prop);
        if (!value) break;
        if (prop->IsComponentReference()) {
          out[name] = static_cast<TComponent*>(value)->Name();
        } else if (const auto* collection = dynamic_cast<const TCollection*>(value)) {
          out[name] = std::to_string(collection->Count());
        } else {
          StoredValues(*value, name + ".", out, depth + 1);
        }
        break;
      }
      case TTypeKind::tkMethod: out[name] = GetMethodProp(object, *prop).Name; break;
      case TTypeKind::tkFloat:
        if (prop->SetFloat) out[name] = std::to_string(GetFloatProp(object, *prop));
        break;
      case TTypeKind::tkString:
        if (prop->SetStr) out[name] = GetStrProp(object, *prop);
        break;
      default:
        if (prop->SetOrd) out[name] = std::to_string(GetOrdProp(object, *prop));
    }
  }
}

// Ordinal properties whose value in a new object is not the default its
// table stores, as "Property: stored D, made V".
inline void DefaultDisagreements(const TObject& object, const std::string& prefix, std::vector<std::string>& out,
                                 int depth = 0) {
  if (depth > 4) return;
  for (const TPropInfo* prop : object.ClassType()->Properties()) {
    const std::string name = prefix + prop->Name;
    if (prop->Kind() == TTypeKind::tkClass) {
      TObject* value = GetObjectProp(object, *prop);
      if (IsOwnedObject(*prop, value)) DefaultDisagreements(*value, name + ".", out, depth + 1);
    } else if (prop->Default && prop->GetOrd && prop->SetOrd) {
      const int64_t made = GetOrdProp(object, *prop);
      if (made != *prop->Default) {
        out.push_back(name + ": stored " + std::to_string(*prop->Default) + ", made " + std::to_string(made));
      }
    }
  }
}

// Every component of a form with its stored values, its class and its
// parent, by name ("" for the form).
inline std::map<std::string, std::map<std::string, std::string>> FormValues(const TComponent& form) {
  std::map<std::string, std::map<std::string, std::string>> all;
  auto add = [&all](const TComponent& component, const std::string& name) {
    auto& values = all[name];
    StoredValues(component, "", values);
    values["(class)"] = component.ClassName();
    if (const TComponent* parent = component.GetParentComponent()) values["(parent)"] = parent->Name();
  };
  add(form, "");
  for (int i = 0; i < form.ComponentCount(); ++i) add(*form.Components(i), form.Components(i)->Name());
  return all;
}

}  // namespace kora
