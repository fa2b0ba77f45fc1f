#pragma once
// Run-time type information: what a class is called, what it descends from,
// how to create it, and its published properties and methods. Every class
// builds its table once (ClassBuilder.h); the form reader and writer and the
// skin manager work from these tables and nothing else.

#include <any>
#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"

namespace kora {

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;
class TClassInfo;
using TClass = const TClassInfo*;

// Declares a class's metadata; `inherited` names the parent class, as in
// `inherited::Loaded()`. Leaves the class body in a public section. The
// class defines StaticClass() in its .cpp with a TClassBuilder.
#define KORA_CLASS(Name, Parent)       \
public:                                \
  using inherited = Parent;            \
  static ::kora::TClass StaticClass(); \
  ::kora::TClass ClassType() const override { return StaticClass(); }

class TObject {
public:
  virtual ~TObject() = default;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  const std::string& ClassName() const;
  bool InheritsFrom(TClass ancestor) const;
};

// A set of up to 64 values of an enumeration, kept as bits by ordinal.
template <typename E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (const E item : items) Include(item);
  }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet set;
    set.FBits = bits;
    return set;
  }

  constexpr uint64_t Bits() const { return FBits; }
  constexpr bool Contains(E item) const { return (FBits & Bit(item)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TSet& Include(E item) {
    FBits |= Bit(item);
    return *this;
  }
  constexpr TSet& Exclude(E item) {
    FBits &= ~Bit(item);
    return *this;
  }

  friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.FBits | b.FBits); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.FBits & ~b.FBits); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.FBits & b.FBits); }
  friend constexpr bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }

private:
  static constexpr uint64_t Bit(E item) { return uint64_t{1} << static_cast<unsigned>(item); }
  uint64_t FBits = 0;
};

enum class TTypeKind { tkInteger, tkInt64, tkEnumeration, tkSet, tkFloat, tkString, tkClass, tkMethod };
enum class TFloatType { ftDouble, ftSingle };

// The type of a published property, known by name (the skin manager checks
// a property's type name exactly).
struct TTypeInfo {
  TTypeKind Kind = TTypeKind::tkInteger;
  std::string Name;
  // tkEnumeration: the identifier of each value, from ordinal 0 up.
  std::vector<std::string> EnumNames;
  // tkSet: the enumeration of its elements.
  const TTypeInfo* ElementType = nullptr;
  // tkInteger: named values, streamed as identifiers (clBtnFace, ...).
  std::vector<std::pair<std::string, int64_t>> Idents;
  // tkClass: the class.
  TClass ClassType = nullptr;
  TFloatType FloatType = TFloatType::ftDouble;
};

// Makers for a type's table, kept in a static of its TypeInfoOf function.
TTypeInfo EnumTypeInfo(std::string name, std::vector<std::string> names);
TTypeInfo SetTypeInfo(std::string name, const TTypeInfo* elementType);
TTypeInfo IntegerTypeInfo(std::string name, std::vector<std::pair<std::string, int64_t>> idents = {});

const TTypeInfo* TypeInfoInteger();  // "Integer"
const TTypeInfo* TypeInfoInt64();    // "Int64"
const TTypeInfo* TypeInfoBoolean();  // "Boolean": False, True
const TTypeInfo* TypeInfoString();   // "String"
const TTypeInfo* TypeInfoDouble();   // "Double"
const TTypeInfo* TypeInfoSingle();   // "Single"
// "TColor": 0x00BBGGRR, or 0xFF000000 + index for a system colour; the
// standard colours and system colours have their cl... identifiers.
const TTypeInfo* TypeInfoColor();
const TTypeInfo* TypeInfoNotifyEvent();  // "TNotifyEvent"
const TTypeInfo* TypeInfoMethod();       // "TMethod", any other event

// Enumeration identifiers (case ignored); "" / -1 when there is none.
std::string GetEnumName(const TTypeInfo* type, int64_t value);
int64_t GetEnumValue(const TTypeInfo* type, std::string_view name);
// Named integers of a tkInteger type.
bool IdentToInt(const TTypeInfo* type, std::string_view ident, int64_t& value);
bool IntToIdent(const TTypeInfo* type, int64_t value, std::string& ident);
// "[a,b]" (or "a,b"); StringToSet takes either and raises EPropertyError
// "Invalid property element: %s" for a name not in the enumeration.
std::string SetToString(const TTypeInfo* setType, uint64_t bits, bool brackets = true);
uint64_t StringToSet(const TTypeInfo* setType, std::string_view text);

// A property's type, looked up when first used: a class may have a
// property of its own class, whose table is still being built when the
// property is declared.
class TTypeRef {
public:
  TTypeRef() = default;
  TTypeRef(const TTypeInfo* type) : FType(type) {}
  explicit TTypeRef(const TTypeInfo* (*resolve)()) : FResolve(resolve) {}
  TTypeRef(const TTypeRef& other) : FType(other.FType.load()), FResolve(other.FResolve) {}
  TTypeRef& operator=(const TTypeRef& other) {
    FType = other.FType.load();
    FResolve = other.FResolve;
    return *this;
  }

  const TTypeInfo* Get() const {
    const TTypeInfo* type = FType.load(std::memory_order_acquire);
    if (!type && FResolve) {
      type = FResolve();
      FType.store(type, std::memory_order_release);
    }
    return type;
  }
  operator const TTypeInfo*() const { return Get(); }
  const TTypeInfo* operator->() const { return Get(); }

private:
  mutable std::atomic<const TTypeInfo*> FType{nullptr};
  const TTypeInfo* (*FResolve)() = nullptr;
};

// An event handler as a property value: the object and the published
// method name it was bound from (empty when not bound by name).
struct TMethodRef {
  TObject* Target = nullptr;
  std::string Name;
};

// A published method of a class (a form's event handlers). Invoker holds
// a std::function<void(TObject* self, Args...)>; an event property of the
// same arguments can bind to it.
struct TMethodInfo {
  std::string Name;
  std::any Invoker;
};

// A published property. The accessors of its kind are set, the others
// empty: ordinals (integers, enumerations, sets, booleans) through GetOrd,
// floats, strings, objects (component references and owned sub-objects)
// and events through their own pair.
struct TPropInfo {
  std::string Name;
  TTypeRef PropType;
  TClass Owner = nullptr;  // the class that declares it
  // Ordinals equal to the default are not written; without one they always are.
  std::optional<int64_t> Default;
  // Empty: always stored.
  std::function<bool(const TObject&)> IsStored;

  std::function<int64_t(const TObject&)> GetOrd;
  std::function<void(TObject&, int64_t)> SetOrd;
  std::function<double(const TObject&)> GetFloat;
  std::function<void(TObject&, double)> SetFloat;
  std::function<std::string(const TObject&)> GetStr;
  std::function<void(TObject&, const std::string&)> SetStr;
  std::function<TObject*(const TObject&)> GetObj;
  std::function<void(TObject&, TObject*)> SetObj;
  std::function<TMethodRef(const TObject&)> GetMethod;
  // Binds `method` of `target` (or clears the event when method is null);
  // raises EPropertyError when the method's arguments do not fit.
  std::function<void(TObject&, TObject* target, const TMethodInfo* method)> SetMethod;

  TTypeKind Kind() const { return PropType->Kind; }
  // A class-typed property whose value is a reference to a component
  // (streamed by name), not an owned sub-object (streamed by its properties).
  bool IsComponentReference() const;
};

// What a class builder produces.
struct TClassDefinition {
  std::string Name;
  TClass Parent = nullptr;
  std::function<TComponent*(TComponent* owner)> CreateComponent;
  std::function<TCollectionItem*(TCollection* collection)> CreateItem;
  std::vector<TPropInfo> Properties;
  std::vector<TMethodInfo> Methods;
  // Names that older form descriptions may carry; their values are skipped.
  std::vector<std::string> RetiredProperties;
};

class TClassInfo {
public:
  explicit TClassInfo(TClassDefinition definition);
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return FDefinition.Name; }
  TClass Parent() const { return FDefinition.Parent; }
  // The tkClass type of properties that hold this class.
  const TTypeInfo* TypeInfo() const { return &FTypeInfo; }
  bool InheritsFrom(TClass ancestor) const;

  // Searches this class, then its ancestors; names ignore case.
  const TPropInfo* FindProperty(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  bool IsRetiredProperty(std::string_view name) const;
  // Every published property, the ancestors' first, each in declaration order.
  std::vector<const TPropInfo*> Properties() const;

  bool CanCreateComponent() const { return static_cast<bool>(FDefinition.CreateComponent); }
  // EComponentError "Cannot create an instance of %s" for abstract classes
  // and classes that are not components.
  TComponent* CreateComponent(TComponent* owner) const;
  TCollectionItem* CreateItem(TCollection* collection) const;

private:
  TClassDefinition FDefinition;
  TTypeInfo FTypeInfo;
};

// The registry the form reader finds classes in, by name (case ignored).
// Registering a class twice is harmless; another class with a registered
// name raises EFilerError "A class named %s already exists".
void RegisterClass(TClass aClass);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass aClass);
// nullptr when not registered.
TClass GetClass(std::string_view name);
// EClassNotFound "Class %s not found" when not registered.
TClass FindClass(std::string_view name);
// Every registered class, by name.
std::vector<TClass> RegisteredClasses();

// Published properties of an instance.
const TPropInfo* GetPropInfo(const TObject& instance, std::string_view name);
// EPropertyError "Property %s does not exist" when there is none.
const TPropInfo& FindPropInfo(const TObject& instance, std::string_view name);

// Typed access; a property of another kind raises EPropertyError "Invalid
// property type: %s", a property without a setter "Property %s is read-only".
int64_t GetOrdProp(const TObject& instance, const TPropInfo& prop);
void SetOrdProp(TObject& instance, const TPropInfo& prop, int64_t value);
double GetFloatProp(const TObject& instance, const TPropInfo& prop);
void SetFloatProp(TObject& instance, const TPropInfo& prop, double value);
std::string GetStrProp(const TObject& instance, const TPropInfo& prop);
void SetStrProp(TObject& instance, const TPropInfo& prop, const std::string& value);
TObject* GetObjectProp(const TObject& instance, const TPropInfo& prop);
// A value that is not of the property's class raises EPropertyError
// "Invalid property value".
void SetObjectProp(TObject& instance, const TPropInfo& prop, TObject* value);
TMethodRef GetMethodProp(const TObject& instance, const TPropInfo& prop);
// Binds the published method `name` of `target`; an unknown name raises
// EPropertyError "Method %s not found".
void SetMethodProp(TObject& instance, const TPropInfo& prop, TObject* target, std::string_view name);
// Enumeration and set values by identifier.
std::string GetEnumProp(const TObject& instance, const TPropInfo& prop);
void SetEnumProp(TObject& instance, const TPropInfo& prop, std::string_view name);
std::string GetSetProp(const TObject& instance, const TPropInfo& prop, bool brackets = true);
void SetSetProp(TObject& instance, const TPropInfo& prop, std::string_view text);

}  // namespace kora
