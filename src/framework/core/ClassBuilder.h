#pragma once
// Builds a class's RTTI table once, in its StaticClass():
//
//   TClass TMyButton::StaticClass() {
//     static const TClassInfo info(TClassBuilder<TMyButton>("TMyButton")
//         .Property("Caption", &TMyButton::Caption, &TMyButton::SetCaption)
//         .Property("Color", &TMyButton::Color, &TMyButton::SetColor, TypeInfoColor())
//         .Default(clBtnFace)
//         .Property("OnClick", &TMyButton::OnClick, &TMyButton::SetOnClick));
//     return &info;
//   }
//
// The kind of a property follows from its C++ type: bool, integers, enums
// (their table comes from a TypeInfoOf(E) function found by argument-
// dependent lookup), TSet<E> (TypeInfoOf(TSet<E>)), float and double,
// std::string, pointers to TObject descendants (component references, or
// owned sub-objects such as fonts and string lists) and TEvent<...>. A
// getter is a const member function or a data member; a setter is a member
// function taking the value, or omitted (a data member is then written
// directly, a getter-only property is read-only).

#include <any>
#include <limits>
#include <type_traits>

#include "framework/core/Collections.h"
#include "framework/core/Components.h"
#include "framework/core/Events.h"
#include "framework/core/TypInfo.h"

namespace kora {

namespace builder_detail {

template <typename T>
struct IsSet : std::false_type {};
template <typename E>
struct IsSet<TSet<E>> : std::true_type {};

template <typename T>
struct EventTraits {
  static constexpr bool kIsEvent = false;
};
template <typename... Args>
struct EventTraits<TEvent<Args...>> {
  static constexpr bool kIsEvent = true;
  using TInvoker = std::function<void(TObject*, Args...)>;

  static TEvent<Args...> Bind(TObject* target, const TMethodInfo& method) {
    const auto* invoker = std::any_cast<TInvoker>(&method.Invoker);
    if (!invoker) throw EPropertyError("Method " + method.Name + " does not fit the event");
    return TEvent<Args...>(target, method.Name,
                           [target, call = *invoker](Args... args) { call(target, std::forward<Args>(args)...); });
  }
};

template <typename G>
struct GetterTraits;
template <typename R, typename C>
struct GetterTraits<R (C::*)() const> {
  using Value = std::decay_t<R>;
};
template <typename R, typename C>
struct GetterTraits<R (C::*)() const noexcept> {
  using Value = std::decay_t<R>;
};
template <typename T, typename C>
requires(!std::is_function_v<T>) struct GetterTraits<T C::*> {
  using Value = T;
};

template <typename C, typename G>
decltype(auto) Read(const C& object, G getter) {
  if constexpr (std::is_member_function_pointer_v<G>) {
    return (object.*getter)();
  } else {
    return (object.*getter);
  }
}

template <typename C, typename G, typename S, typename V>
void Write(C& object, G getter, S setter, V&& value) {
  if constexpr (std::is_member_function_pointer_v<S>) {
    (object.*setter)(std::forward<V>(value));
  } else {
    static_assert(std::is_member_object_pointer_v<G>, "a getter-only property has no setter");
    object.*getter = std::forward<V>(value);
  }
}

// Whether writing is possible: a setter, or a data member as getter.
template <typename G, typename S>
constexpr bool Writable() {
  return std::is_member_function_pointer_v<S> || std::is_member_object_pointer_v<G>;
}

[[noreturn]] inline void InvalidValue() { throw EPropertyError("Invalid property value"); }

}  // namespace builder_detail

template <class C>
class TClassBuilder : public TClassDefinition {
public:
  explicit TClassBuilder(std::string name) {
    Name = std::move(name);
    Parent = C::inherited::StaticClass();
    if constexpr (!std::is_abstract_v<C>) {
      if constexpr (std::is_base_of_v<TComponent, C> && std::is_constructible_v<C, TComponent*>) {
        CreateComponent = [](TComponent* owner) -> TComponent* { return new C(owner); };
      } else if constexpr (std::is_base_of_v<TCollectionItem, C> && std::is_constructible_v<C, TCollection*>) {
        CreateItem = [](TCollection* collection) -> TCollectionItem* { return new C(collection); };
      }
    }
  }

  // A published property; `type` names another table than the C++ type
  // gives (TypeInfoColor() for an int32_t colour, for example).
  template <typename G, typename S = std::nullptr_t>
  TClassBuilder& Property(std::string name, G getter, S setter = nullptr, const TTypeInfo* type = nullptr) {
    using V = typename builder_detail::GetterTraits<G>::Value;
    TPropInfo prop;
    prop.Name = std::move(name);
    prop.PropType = type ? TTypeRef(type) : DefaultType<V>();
    Bind<V>(prop, getter, setter);
    Properties.push_back(std::move(prop));
    return *this;
  }

  // An inherited property again, so that a Default() after it gives this
  // class's own: the default is what the class's constructor leaves.
  TClassBuilder& Redeclare(std::string_view name) {
    const TPropInfo* inherited = Parent->FindProperty(name);
    if (!inherited) throw EPropertyError("Property " + std::string(name) + " does not exist");
    Properties.push_back(*inherited);
    return *this;
  }

  // The last property's default: an ordinal equal to it is not written.
  template <typename T>
  TClassBuilder& Default(T value) {
    if constexpr (builder_detail::IsSet<T>::value) {
      Properties.back().Default = static_cast<int64_t>(value.Bits());
    } else {
      Properties.back().Default = static_cast<int64_t>(value);
    }
    return *this;
  }

  // Whether the last property is written: never, or when `predicate` says so.
  TClassBuilder& Stored(bool stored) {
    Properties.back().IsStored = [stored](const TObject&) { return stored; };
    return *this;
  }
  template <typename C2>
  TClassBuilder& Stored(bool (C2::*predicate)() const) {
    Properties.back().IsStored = [predicate](const TObject& object) {
      return (static_cast<const C&>(object).*predicate)();
    };
    return *this;
  }

  // A published method, bindable by name to event properties of the same
  // arguments (the form's handlers: `OnClick = Button1Click`).
  template <typename C2, typename... Args>
  TClassBuilder& Method(std::string name, void (C2::*method)(Args...)) {
    std::function<void(TObject*, Args...)> invoker = [method](TObject* self, Args... args) {
      (static_cast<C*>(self)->*method)(std::forward<Args>(args)...);
    };
    Methods.push_back(TMethodInfo{std::move(name), std::any(std::move(invoker))});
    return *this;
  }

  // A property older form descriptions carry; its values are skipped.
  TClassBuilder& Retired(std::string name) {
    RetiredProperties.push_back(std::move(name));
    return *this;
  }

private:
  template <typename V>
  static TTypeRef DefaultType() {
    if constexpr (builder_detail::EventTraits<V>::kIsEvent) {
      if constexpr (std::is_same_v<V, TNotifyEvent>) {
        return TypeInfoNotifyEvent();
      } else {
        return TypeInfoMethod();
      }
    } else if constexpr (std::is_same_v<V, bool>) {
      return TypeInfoBoolean();
    } else if constexpr (std::is_enum_v<V> || builder_detail::IsSet<V>::value) {
      return TypeInfoOf(V{});
    } else if constexpr (std::is_integral_v<V>) {
      return sizeof(V) > 4 ? TypeInfoInt64() : TypeInfoInteger();
    } else if constexpr (std::is_same_v<V, float>) {
      return TypeInfoSingle();
    } else if constexpr (std::is_floating_point_v<V>) {
      return TypeInfoDouble();
    } else if constexpr (std::is_same_v<V, std::string>) {
      return TypeInfoString();
    } else {
      static_assert(std::is_pointer_v<V> && std::is_base_of_v<TObject, std::remove_pointer_t<V>>,
                    "unsupported property type");
      return TTypeRef([]() { return std::remove_pointer_t<V>::StaticClass()->TypeInfo(); });
    }
  }

  template <typename V, typename G, typename S>
  static void Bind(TPropInfo& prop, G getter, S setter) {
    using namespace builder_detail;
    constexpr bool writable = Writable<G, S>();
    auto self = [](const TObject& object) -> const C& { return static_cast<const C&>(object); };
    auto mutableSelf = [](TObject& object) -> C& { return static_cast<C&>(object); };
    if constexpr (EventTraits<V>::kIsEvent) {
      prop.GetMethod = [=](const TObject& object) {
        const V& event = Read(self(object), getter);
        return TMethodRef{event.Target(), event.MethodName()};
      };
      if constexpr (writable) {
        prop.SetMethod = [=](TObject& object, TObject* target, const TMethodInfo* method) {
          Write(mutableSelf(object), getter, setter, method ? EventTraits<V>::Bind(target, *method) : V());
        };
      }
    } else if constexpr (std::is_same_v<V, bool> || std::is_enum_v<V> || IsSet<V>::value || std::is_integral_v<V>) {
      prop.GetOrd = [=](const TObject& object) -> int64_t {
        const V value = Read(self(object), getter);
        if constexpr (IsSet<V>::value) {
          return static_cast<int64_t>(value.Bits());
        } else {
          return static_cast<int64_t>(value);
        }
      };
      if constexpr (writable) {
        const TTypeRef type = prop.PropType;
        prop.SetOrd = [=](TObject& object, int64_t value) {
          Write(mutableSelf(object), getter, setter, ToOrdinal<V>(value, type));
        };
      }
    } else if constexpr (std::is_floating_point_v<V>) {
      prop.GetFloat = [=](const TObject& object) { return static_cast<double>(Read(self(object), getter)); };
      if constexpr (writable) {
        prop.SetFloat = [=](TObject& object, double value) {
          Write(mutableSelf(object), getter, setter, static_cast<V>(value));
        };
      }
    } else if constexpr (std::is_same_v<V, std::string>) {
      prop.GetStr = [=](const TObject& object) { return std::string(Read(self(object), getter)); };
      if constexpr (writable) {
        prop.SetStr = [=](TObject& object, const std::string& value) {
          Write(mutableSelf(object), getter, setter, value);
        };
      }
    } else {
      using TTarget = std::remove_pointer_t<V>;
      prop.GetObj = [=](const TObject& object) -> TObject* { return Read(self(object), getter); };
      if constexpr (writable) {
        prop.SetObj = [=](TObject& object, TObject* value) {
          auto* typed = dynamic_cast<TTarget*>(value);
          if (value && !typed) InvalidValue();
          Write(mutableSelf(object), getter, setter, typed);
        };
      }
    }
  }

  // An ordinal from the stream checked against the property's C++ type and
  // its enumeration or set.
  template <typename V>
  static V ToOrdinal(int64_t value, const TTypeInfo* type) {
    using namespace builder_detail;
    if constexpr (std::is_same_v<V, bool>) {
      return value != 0;
    } else if constexpr (IsSet<V>::value) {
      const std::size_t count = type->ElementType->EnumNames.size();
      const uint64_t allowed = count >= 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
      if ((static_cast<uint64_t>(value) & ~allowed) != 0) InvalidValue();
      return V::FromBits(static_cast<uint64_t>(value));
    } else if constexpr (std::is_enum_v<V>) {
      if (value < 0 || value >= static_cast<int64_t>(type->EnumNames.size())) InvalidValue();
      return static_cast<V>(value);
    } else {
      // Unsigned 32-bit values may arrive as their signed bit pattern.
      if constexpr (std::is_same_v<V, uint32_t>) {
        if (value < 0 && value >= std::numeric_limits<int32_t>::min()) return static_cast<V>(value);
      }
      if constexpr (std::is_signed_v<V>) {
        if (value < std::numeric_limits<V>::min() || value > std::numeric_limits<V>::max()) InvalidValue();
      } else {
        if (value < 0 || static_cast<uint64_t>(value) > std::numeric_limits<V>::max()) InvalidValue();
      }
      return static_cast<V>(value);
    }
  }
};

}  // namespace kora
