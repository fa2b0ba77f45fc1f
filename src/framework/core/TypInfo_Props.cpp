// Typed access to published properties by their table entries.
#include "framework/core/TypInfo.h"

namespace kora {

namespace {

[[noreturn]] void InvalidType(const TPropInfo& prop) {
  throw EPropertyError("Invalid property type: " + prop.PropType->Name);
}

template <typename F>
const F& Getter(const F& accessor, const TPropInfo& prop) {
  if (!accessor) InvalidType(prop);
  return accessor;
}

// A setter of the right kind; a property of that kind without one is read-only.
template <typename F, typename G>
const F& Setter(const F& setter, const G& getter, const TPropInfo& prop) {
  if (!getter) InvalidType(prop);
  if (!setter) throw EPropertyError("Property " + prop.Name + " is read-only");
  return setter;
}

bool IsKind(const TPropInfo& prop, TTypeKind kind) { return prop.PropType->Kind == kind; }

}  // namespace

const TPropInfo* GetPropInfo(const TObject& instance, std::string_view name) {
  return instance.ClassType()->FindProperty(name);
}

const TPropInfo& FindPropInfo(const TObject& instance, std::string_view name) {
  const TPropInfo* prop = GetPropInfo(instance, name);
  if (!prop) throw EPropertyError("Property " + std::string(name) + " does not exist");
  return *prop;
}

int64_t GetOrdProp(const TObject& instance, const TPropInfo& prop) { return Getter(prop.GetOrd, prop)(instance); }

void SetOrdProp(TObject& instance, const TPropInfo& prop, int64_t value) {
  Setter(prop.SetOrd, prop.GetOrd, prop)(instance, value);
}

double GetFloatProp(const TObject& instance, const TPropInfo& prop) { return Getter(prop.GetFloat, prop)(instance); }

void SetFloatProp(TObject& instance, const TPropInfo& prop, double value) {
  Setter(prop.SetFloat, prop.GetFloat, prop)(instance, value);
}

std::string GetStrProp(const TObject& instance, const TPropInfo& prop) { return Getter(prop.GetStr, prop)(instance); }

void SetStrProp(TObject& instance, const TPropInfo& prop, const std::string& value) {
  Setter(prop.SetStr, prop.GetStr, prop)(instance, value);
}

TObject* GetObjectProp(const TObject& instance, const TPropInfo& prop) { return Getter(prop.GetObj, prop)(instance); }

void SetObjectProp(TObject& instance, const TPropInfo& prop, TObject* value) {
  const auto& setter = Setter(prop.SetObj, prop.GetObj, prop);
  if (value && !value->InheritsFrom(prop.PropType->ClassType)) throw EPropertyError("Invalid property value");
  setter(instance, value);
}

TMethodRef GetMethodProp(const TObject& instance, const TPropInfo& prop) {
  return Getter(prop.GetMethod, prop)(instance);
}

void SetMethodProp(TObject& instance, const TPropInfo& prop, TObject* target, std::string_view name) {
  const auto& setter = Setter(prop.SetMethod, prop.GetMethod, prop);
  const TMethodInfo* method = nullptr;
  if (!name.empty()) {
    method = target ? target->ClassType()->FindMethod(name) : nullptr;
    if (!method) throw EPropertyError("Method " + std::string(name) + " not found");
  }
  setter(instance, target, method);
}

std::string GetEnumProp(const TObject& instance, const TPropInfo& prop) {
  if (!IsKind(prop, TTypeKind::tkEnumeration)) InvalidType(prop);
  return GetEnumName(prop.PropType, GetOrdProp(instance, prop));
}

void SetEnumProp(TObject& instance, const TPropInfo& prop, std::string_view name) {
  if (!IsKind(prop, TTypeKind::tkEnumeration)) InvalidType(prop);
  const int64_t value = GetEnumValue(prop.PropType, name);
  if (value < 0) throw EPropertyError("Invalid property element: " + std::string(name));
  SetOrdProp(instance, prop, value);
}

std::string GetSetProp(const TObject& instance, const TPropInfo& prop, bool brackets) {
  if (!IsKind(prop, TTypeKind::tkSet)) InvalidType(prop);
  return SetToString(prop.PropType, static_cast<uint64_t>(GetOrdProp(instance, prop)), brackets);
}

void SetSetProp(TObject& instance, const TPropInfo& prop, std::string_view text) {
  if (!IsKind(prop, TTypeKind::tkSet)) InvalidType(prop);
  SetOrdProp(instance, prop, static_cast<int64_t>(StringToSet(prop.PropType, text)));
}

}  // namespace kora
