#include "framework/core/TypInfo.h"

#include <map>
#include <mutex>

#include "framework/core/Components.h"

namespace kora {

// --- TObject ---------------------------------------------------------------

TClass TObject::StaticClass() {
  static const TClassInfo info(TClassDefinition{.Name = "TObject"});
  return &info;
}

const std::string& TObject::ClassName() const { return ClassType()->Name(); }

bool TObject::InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }

// --- Types -----------------------------------------------------------------

TTypeInfo EnumTypeInfo(std::string name, std::vector<std::string> names) {
  TTypeInfo info;
  info.Kind = TTypeKind::tkEnumeration;
  info.Name = std::move(name);
  info.EnumNames = std::move(names);
  return info;
}

TTypeInfo SetTypeInfo(std::string name, const TTypeInfo* elementType) {
  TTypeInfo info;
  info.Kind = TTypeKind::tkSet;
  info.Name = std::move(name);
  info.ElementType = elementType;
  return info;
}

TTypeInfo IntegerTypeInfo(std::string name, std::vector<std::pair<std::string, int64_t>> idents) {
  TTypeInfo info;
  info.Kind = TTypeKind::tkInteger;
  info.Name = std::move(name);
  info.Idents = std::move(idents);
  return info;
}

namespace {

TTypeInfo KindTypeInfo(TTypeKind kind, std::string name) {
  TTypeInfo info;
  info.Kind = kind;
  info.Name = std::move(name);
  return info;
}

}  // namespace

const TTypeInfo* TypeInfoInteger() {
  static const TTypeInfo info = IntegerTypeInfo("Integer");
  return &info;
}

const TTypeInfo* TypeInfoInt64() {
  static const TTypeInfo info = KindTypeInfo(TTypeKind::tkInt64, "Int64");
  return &info;
}

const TTypeInfo* TypeInfoBoolean() {
  static const TTypeInfo info = EnumTypeInfo("Boolean", {"False", "True"});
  return &info;
}

const TTypeInfo* TypeInfoString() {
  static const TTypeInfo info = KindTypeInfo(TTypeKind::tkString, "String");
  return &info;
}

const TTypeInfo* TypeInfoDouble() {
  static const TTypeInfo info = KindTypeInfo(TTypeKind::tkFloat, "Double");
  return &info;
}

const TTypeInfo* TypeInfoSingle() {
  static const TTypeInfo info = [] {
    TTypeInfo single = KindTypeInfo(TTypeKind::tkFloat, "Single");
    single.FloatType = TFloatType::ftSingle;
    return single;
  }();
  return &info;
}

const TTypeInfo* TypeInfoColor() {
  static const TTypeInfo info = [] {
    std::vector<std::pair<std::string, int64_t>> idents = {
        {"clBlack", 0x000000},      {"clMaroon", 0x000080},    {"clGreen", 0x008000}, {"clOlive", 0x008080},
        {"clNavy", 0x800000},       {"clPurple", 0x800080},    {"clTeal", 0x808000},  {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0},     {"clRed", 0x0000FF},       {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},   {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
        {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},   {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
        {"clNone", 0x1FFFFFFF},     {"clDefault", 0x20000000},
    };
    // System colours: 0xFF000000 plus the index, kept as signed 32-bit values.
    static const char* const kSystem[] = {"clScrollBar",
                                          "clBackground",
                                          "clActiveCaption",
                                          "clInactiveCaption",
                                          "clMenu",
                                          "clWindow",
                                          "clWindowFrame",
                                          "clMenuText",
                                          "clWindowText",
                                          "clCaptionText",
                                          "clActiveBorder",
                                          "clInactiveBorder",
                                          "clAppWorkSpace",
                                          "clHighlight",
                                          "clHighlightText",
                                          "clBtnFace",
                                          "clBtnShadow",
                                          "clGrayText",
                                          "clBtnText",
                                          "clInactiveCaptionText",
                                          "clBtnHighlight",
                                          "cl3DDkShadow",
                                          "cl3DLight",
                                          "clInfoText",
                                          "clInfoBk",
                                          nullptr,
                                          "clHotLight",
                                          "clGradientActiveCaption",
                                          "clGradientInactiveCaption",
                                          "clMenuHighlight",
                                          "clMenuBar"};
    for (int i = 0; i < static_cast<int>(std::size(kSystem)); ++i) {
      if (kSystem[i]) idents.emplace_back(kSystem[i], static_cast<int32_t>(0xFF000000u + static_cast<unsigned>(i)));
    }
    return IntegerTypeInfo("TColor", std::move(idents));
  }();
  return &info;
}

const TTypeInfo* TypeInfoNotifyEvent() {
  static const TTypeInfo info = KindTypeInfo(TTypeKind::tkMethod, "TNotifyEvent");
  return &info;
}

const TTypeInfo* TypeInfoMethod() {
  static const TTypeInfo info = KindTypeInfo(TTypeKind::tkMethod, "TMethod");
  return &info;
}

std::string GetEnumName(const TTypeInfo* type, int64_t value) {
  if (value < 0 || value >= static_cast<int64_t>(type->EnumNames.size())) return {};
  return type->EnumNames[static_cast<std::size_t>(value)];
}

int64_t GetEnumValue(const TTypeInfo* type, std::string_view name) {
  for (std::size_t i = 0; i < type->EnumNames.size(); ++i) {
    if (SameText(type->EnumNames[i], name)) return static_cast<int64_t>(i);
  }
  return -1;
}

bool IdentToInt(const TTypeInfo* type, std::string_view ident, int64_t& value) {
  for (const auto& [name, number] : type->Idents) {
    if (SameText(name, ident)) {
      value = number;
      return true;
    }
  }
  return false;
}

bool IntToIdent(const TTypeInfo* type, int64_t value, std::string& ident) {
  for (const auto& [name, number] : type->Idents) {
    if (number == value) {
      ident = name;
      return true;
    }
  }
  return false;
}

std::string SetToString(const TTypeInfo* setType, uint64_t bits, bool brackets) {
  std::string text;
  const auto& names = setType->ElementType->EnumNames;
  for (std::size_t i = 0; i < names.size() && i < 64; ++i) {
    if ((bits >> i) & 1) {
      if (!text.empty()) text += ',';
      text += names[i];
    }
  }
  return brackets ? "[" + text + "]" : text;
}

uint64_t StringToSet(const TTypeInfo* setType, std::string_view text) {
  std::string body = Trim(text);
  if (!body.empty() && body.front() == '[') body.erase(0, 1);
  if (!body.empty() && body.back() == ']') body.pop_back();
  uint64_t bits = 0;
  std::size_t start = 0;
  while (start <= body.size()) {
    auto comma = body.find(',', start);
    if (comma == std::string::npos) comma = body.size();
    const std::string name = Trim(std::string_view(body).substr(start, comma - start));
    if (!name.empty()) {
      const int64_t value = GetEnumValue(setType->ElementType, name);
      if (value < 0 || value >= 64) throw EPropertyError("Invalid property element: " + name);
      bits |= uint64_t{1} << value;
    }
    start = comma + 1;
  }
  return bits;
}

bool TPropInfo::IsComponentReference() const {
  return PropType->Kind == TTypeKind::tkClass && PropType->ClassType->InheritsFrom(TComponent::StaticClass());
}

// --- TClassInfo ------------------------------------------------------------

TClassInfo::TClassInfo(TClassDefinition definition) : FDefinition(std::move(definition)) {
  FTypeInfo.Kind = TTypeKind::tkClass;
  FTypeInfo.Name = FDefinition.Name;
  FTypeInfo.ClassType = this;
  for (TPropInfo& prop : FDefinition.Properties) prop.Owner = this;
}

bool TClassInfo::InheritsFrom(TClass ancestor) const {
  for (TClass c = this; c; c = c->Parent()) {
    if (c == ancestor) return true;
  }
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  for (TClass c = this; c; c = c->Parent()) {
    for (const TPropInfo& prop : c->FDefinition.Properties) {
      if (SameText(prop.Name, name)) return &prop;
    }
  }
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
  for (TClass c = this; c; c = c->Parent()) {
    for (const TMethodInfo& method : c->FDefinition.Methods) {
      if (SameText(method.Name, name)) return &method;
    }
  }
  return nullptr;
}

bool TClassInfo::IsRetiredProperty(std::string_view name) const {
  for (TClass c = this; c; c = c->Parent()) {
    for (const std::string& retired : c->FDefinition.RetiredProperties) {
      if (SameText(retired, name)) return true;
    }
  }
  return false;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TPropInfo*> result;
  if (Parent()) result = Parent()->Properties();
  for (const TPropInfo& prop : FDefinition.Properties) {
    // A class may redeclare an inherited property (another default); the
    // redeclaration takes the ancestor's place.
    bool replaced = false;
    for (const TPropInfo*& existing : result) {
      if (SameText(existing->Name, prop.Name)) {
        existing = &prop;
        replaced = true;
      }
    }
    if (!replaced) result.push_back(&prop);
  }
  return result;
}

TComponent* TClassInfo::CreateComponent(TComponent* owner) const {
  if (!FDefinition.CreateComponent) throw EComponentError("Cannot create an instance of " + Name());
  return FDefinition.CreateComponent(owner);
}

TCollectionItem* TClassInfo::CreateItem(TCollection* collection) const {
  if (!FDefinition.CreateItem) throw EComponentError("Cannot create an instance of " + Name());
  return FDefinition.CreateItem(collection);
}

// --- Registry --------------------------------------------------------------

namespace {

struct TNoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const { return CompareText(a, b) < 0; }
};

struct TRegistry {
  std::mutex Lock;
  std::map<std::string, TClass, TNoCaseLess> Classes;
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

}  // namespace

void RegisterClass(TClass aClass) {
  TRegistry& registry = Registry();
  std::lock_guard guard(registry.Lock);
  const auto [it, inserted] = registry.Classes.emplace(aClass->Name(), aClass);
  if (!inserted && it->second != aClass) throw EFilerError("A class named " + aClass->Name() + " already exists");
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass c : classes) RegisterClass(c);
}

void UnRegisterClass(TClass aClass) {
  TRegistry& registry = Registry();
  std::lock_guard guard(registry.Lock);
  const auto it = registry.Classes.find(aClass->Name());
  if (it != registry.Classes.end() && it->second == aClass) registry.Classes.erase(it);
}

TClass GetClass(std::string_view name) {
  TRegistry& registry = Registry();
  std::lock_guard guard(registry.Lock);
  const auto it = registry.Classes.find(std::string(name));
  return it == registry.Classes.end() ? nullptr : it->second;
}

std::vector<TClass> RegisteredClasses() {
  TRegistry& registry = Registry();
  std::lock_guard guard(registry.Lock);
  std::vector<TClass> classes;
  for (const auto& [name, aClass] : registry.Classes) classes.push_back(aClass);
  return classes;
}

TClass FindClass(std::string_view name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound("Class " + std::string(name) + " not found");
  return c;
}

}  // namespace kora
