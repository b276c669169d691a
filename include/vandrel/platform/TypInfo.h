// Run-time class and property information: what the form storage, the class
// registry and the palette know about a component class. Each class keeps one
// static TClassInfo with its published properties in declaration order; the
// inherited ones come from the parent's table.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "vandrel/platform/Exceptions.h"

namespace vandrel {

class TPersistent;
class TComponent;
struct TClassInfo;

enum TTypeKind { tkInteger, tkFloat, tkBool, tkString, tkEnumeration, tkClass };

// A property value: Integer, Single, Boolean, string, an enumeration's ordinal
// (as int32_t), or a component reference.
using TPropValue = std::variant<int32_t, float, bool, std::string, TComponent*>;

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkInteger;
  std::vector<std::string> EnumNames;  // tkEnumeration: the value names by ordinal
  // tkClass: the class a referenced component must be. A function, looked up
  // when needed, so that a class may publish a reference to its own kind.
  const TClassInfo& (*RefClass)() = nullptr;
  std::function<TPropValue(const TPersistent&)> Get;
  std::function<void(TPersistent&, const TPropValue&)> Set;  // empty: read-only, never stored
  std::optional<TPropValue> Default;  // empty: always stored

  bool ReadOnly() const { return !Set; }
  // True when the value is to be written to a form: writable and not equal to its default.
  bool IsStored(const TPersistent& Instance) const;
};

struct TClassInfo {
  std::string Name;
  const TClassInfo* Parent = nullptr;
  std::vector<TPropInfo> OwnProps;  // declared by this class, in declaration order
  // Creates an instance owned by AOwner; empty for classes that cannot be
  // created by name (abstract ones).
  std::function<TComponent*(TComponent* AOwner)> Factory;

  bool InheritsFrom(const TClassInfo& Other) const;
  // Every published property, inherited ones first, in declaration order.
  std::vector<const TPropInfo*> Properties() const;
  const TPropInfo* FindProperty(const std::string& PropName) const;
};

// ---------------------------------------------------------------------------
// Builders for property tables.

namespace detail {
template <class V>
constexpr TTypeKind KindOf() {
  if constexpr (std::is_same_v<V, bool>) return tkBool;
  else if constexpr (std::is_same_v<V, float>) return tkFloat;
  else if constexpr (std::is_same_v<V, std::string>) return tkString;
  else if constexpr (std::is_enum_v<V>) return tkEnumeration;
  else if constexpr (std::is_integral_v<V>) return tkInteger;
  else if constexpr (std::is_pointer_v<V>) return tkClass;
  else static_assert(!sizeof(V), "unsupported property type");
}

template <class V>
TPropValue ToValue(const V& v) {
  if constexpr (std::is_enum_v<V>) return static_cast<int32_t>(v);
  else if constexpr (std::is_pointer_v<V>) return static_cast<TComponent*>(v);
  else if constexpr (std::is_integral_v<V> && !std::is_same_v<V, bool>) return static_cast<int32_t>(v);
  else return v;
}

// Converts a stored value to the property's own type; references are checked
// against the property's class by the caller.
template <class V>
V FromValue(const TPropValue& p) {
  if constexpr (std::is_enum_v<V>) return static_cast<V>(std::get<int32_t>(p));
  else if constexpr (std::is_pointer_v<V>) {
    TComponent* c = std::get<TComponent*>(p);
    if (c == nullptr) return nullptr;
    V typed = dynamic_cast<V>(c);
    if (typed == nullptr) throw EConvertError("Invalid property value: component of the wrong class");
    return typed;
  } else if constexpr (std::is_integral_v<V> && !std::is_same_v<V, bool>) {
    return static_cast<V>(std::get<int32_t>(p));
  } else {
    return std::get<V>(p);
  }
}
}  // namespace detail

// A published property read by Get and written by Set. Default, when given, is
// the storage default: a value equal to it is not stored.
template <class C, class R, class A>
TPropInfo Property(const char* Name, R (C::*Get)() const, void (C::*Set)(A),
                   std::optional<std::decay_t<R>> Default = std::nullopt,
                   std::vector<std::string> EnumNames = {}) {
  using V = std::decay_t<R>;
  TPropInfo p;
  p.Name = Name;
  p.Kind = detail::KindOf<V>();
  p.EnumNames = std::move(EnumNames);
  if constexpr (std::is_pointer_v<V>) p.RefClass = &std::remove_pointer_t<V>::StaticClassInfo;
  p.Get = [Get](const TPersistent& o) { return detail::ToValue<V>((static_cast<const C&>(o).*Get)()); };
  p.Set = [Set](TPersistent& o, const TPropValue& v) {
    (static_cast<C&>(o).*Set)(detail::FromValue<V>(v));
  };
  if (Default) p.Default = detail::ToValue<V>(*Default);
  return p;
}

// An enumeration property; Names gives the value names by ordinal.
template <class C, class E, class A>
TPropInfo EnumProperty(const char* Name, E (C::*Get)() const, void (C::*Set)(A),
                       std::vector<std::string> Names, std::optional<E> Default = std::nullopt) {
  return Property<C, E, A>(Name, Get, Set, Default, std::move(Names));
}

// A published property without a write accessor: shown, never stored.
template <class C, class R>
TPropInfo ReadOnlyProperty(const char* Name, R (C::*Get)() const,
                           std::vector<std::string> EnumNames = {}) {
  using V = std::decay_t<R>;
  TPropInfo p;
  p.Name = Name;
  p.Kind = detail::KindOf<V>();
  p.EnumNames = std::move(EnumNames);
  p.Get = [Get](const TPersistent& o) { return detail::ToValue<V>((static_cast<const C&>(o).*Get)()); };
  return p;
}

// The class information of component class C with parent class P.
template <class C, class P>
TClassInfo MakeClassInfo(const char* Name, std::vector<TPropInfo> Props) {
  TClassInfo info;
  info.Name = Name;
  info.Parent = &P::StaticClassInfo();
  info.OwnProps = std::move(Props);
  if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TComponent*>) {
    info.Factory = [](TComponent* AOwner) -> TComponent* { return new C(AOwner); };
  }
  return info;
}

}  // namespace vandrel

// Declares the class information members of a component class.
#define VANDREL_CLASS_INFO()                                    \
 public:                                                        \
  static const ::vandrel::TClassInfo& StaticClassInfo();        \
  const ::vandrel::TClassInfo& ClassInfo() const override {     \
    return StaticClassInfo();                                   \
  }
