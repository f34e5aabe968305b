#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/object.h"

namespace vex {

// The published properties of classes, found by name at run time as the original's run-time
// type information found them: what kind of type each has, the name of that type, and typed
// access. A class lists its own properties once (RegisterProperties, usually from a static
// initialiser in its .cpp); lookups walk the class chain, so inherited properties are found too.

enum TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant
};

VEX_EXCEPTION(EPropertyError, Exception);

// One published property. Only the accessors that fit the kind are set: ordinal kinds (integer,
// char, enumeration, set) read and write through GetOrd/SetOrd, strings through GetStr/SetStr,
// floats through GetFloat/SetFloat, classes read through GetObject. A property without a setter
// is read-only. Accessors check the object's class, so a wrong object raises EPropertyError.
struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkUnknown;
    std::string TypeName;

    std::function<int64_t(const TObject&)> GetOrd;
    std::function<void(TObject&, int64_t)> SetOrd;
    std::function<std::string(const TObject&)> GetStr;
    std::function<void(TObject&, const std::string&)> SetStr;
    std::function<double(const TObject&)> GetFloat;
    std::function<void(TObject&, double)> SetFloat;
    std::function<TObject*(const TObject&)> GetObject;
};

// Adds Class's own properties. A name the class (not an ancestor) already lists raises
// EPropertyError.
void RegisterProperties(const TClassInfo& Class, std::vector<TPropInfo> Properties);

// Null when neither the class nor an ancestor publishes a property of that name (compared
// without regard to case).
const TPropInfo* GetPropInfo(const TClassInfo& Class, std::string_view PropName);
const TPropInfo* GetPropInfo(const TObject& Instance, std::string_view PropName);

// Typed access; a property of another kind, or a setter missing, raises EPropertyError, and an
// ordinal that does not fit the property's type raises ERangeError.
int64_t GetOrdProp(const TObject& Instance, const TPropInfo& PropInfo);
void SetOrdProp(TObject& Instance, const TPropInfo& PropInfo, int64_t Value);
std::string GetStrProp(const TObject& Instance, const TPropInfo& PropInfo);
void SetStrProp(TObject& Instance, const TPropInfo& PropInfo, const std::string& Value);
double GetFloatProp(const TObject& Instance, const TPropInfo& PropInfo);
void SetFloatProp(TObject& Instance, const TPropInfo& PropInfo, double Value);
TObject* GetObjectProp(const TObject& Instance, const TPropInfo& PropInfo);

namespace typinfo_detail {

template <class C>
const C& As(const TObject& Instance, const std::string& PropName) {
    const auto* object = dynamic_cast<const C*>(&Instance);
    if (object == nullptr)
        throw EPropertyError("Property " + PropName + " does not belong to a " +
                             Instance.ClassName());
    return *object;
}

template <class C>
C& As(TObject& Instance, const std::string& PropName) {
    return const_cast<C&>(As<C>(static_cast<const TObject&>(Instance), PropName));
}

// Chars count as unsigned bytes, as the original's Char did; enumerations by their values.
template <class V>
struct OrdinalOf {
    using type = V;
};
template <>
struct OrdinalOf<char> {
    using type = unsigned char;
};
template <class V>
requires std::is_enum_v<V>
struct OrdinalOf<V> {
    using type = std::underlying_type_t<V>;
};
template <class V>
using Ordinal = typename OrdinalOf<V>::type;

inline TPropInfo Describe(std::string Name, TTypeKind Kind, std::string TypeName) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = Kind;
    info.TypeName = std::move(TypeName);
    return info;
}

template <class V>
V FromOrd(int64_t Value, const std::string& PropName) {
    using O = Ordinal<V>;
    if (Value < static_cast<int64_t>(std::numeric_limits<O>::min()) ||
        (Value > 0 &&
         static_cast<uint64_t>(Value) > static_cast<uint64_t>(std::numeric_limits<O>::max())))
        throw ERangeError("Value out of range for property " + PropName);
    return static_cast<V>(static_cast<O>(Value));
}

}  // namespace typinfo_detail

// Builders for RegisterProperties from a class's getter and setter members.
template <class C, class V, class A>
TPropInfo OrdinalProperty(std::string Name, TTypeKind Kind, std::string TypeName,
                          V (C::*Get)() const, void (C::*Set)(A)) {
    TPropInfo info = OrdinalProperty<C, V>(Name, Kind, std::move(TypeName), Get);
    info.SetOrd = [Name, Set](TObject& Instance, int64_t Value) {
        (typinfo_detail::As<C>(Instance, Name).*Set)(typinfo_detail::FromOrd<V>(Value, Name));
    };
    return info;
}

template <class C, class V>
TPropInfo OrdinalProperty(std::string Name, TTypeKind Kind, std::string TypeName,
                          V (C::*Get)() const) {
    static_assert(std::is_integral_v<V> || std::is_enum_v<V>, "an ordinal property");
    TPropInfo info = typinfo_detail::Describe(Name, Kind, std::move(TypeName));
    info.GetOrd = [Name, Get](const TObject& Instance) {
        const V value = (typinfo_detail::As<C>(Instance, Name).*Get)();
        return static_cast<int64_t>(static_cast<typinfo_detail::Ordinal<V>>(value));
    };
    return info;
}

template <class C, class R, class A>
TPropInfo StringProperty(std::string Name, R (C::*Get)() const, void (C::*Set)(A)) {
    TPropInfo info = typinfo_detail::Describe(Name, tkLString, "string");
    info.GetStr = [Name, Get](const TObject& Instance) {
        return std::string((typinfo_detail::As<C>(Instance, Name).*Get)());
    };
    info.SetStr = [Name, Set](TObject& Instance, const std::string& Value) {
        (typinfo_detail::As<C>(Instance, Name).*Set)(Value);
    };
    return info;
}

// A set property over a TSet; an ordinal with a bit beyond the set's values raises ERangeError.
template <class C, class S>
TPropInfo SetProperty(std::string Name, std::string TypeName, S (C::*Get)() const,
                      void (C::*Set)(S)) {
    TPropInfo info = typinfo_detail::Describe(Name, tkSet, std::move(TypeName));
    info.GetOrd = [Name, Get](const TObject& Instance) {
        return static_cast<int64_t>((typinfo_detail::As<C>(Instance, Name).*Get)().Ord());
    };
    info.SetOrd = [Name, Set](TObject& Instance, int64_t Value) {
        if (Value < 0 ||
            S::FromOrd(static_cast<uint64_t>(Value)).Ord() != static_cast<uint64_t>(Value))
            throw ERangeError("Value out of range for property " + Name);
        (typinfo_detail::As<C>(Instance, Name).*Set)(S::FromOrd(static_cast<uint64_t>(Value)));
    };
    return info;
}

template <class C>
TPropInfo FloatProperty(std::string Name, std::string TypeName, double (C::*Get)() const,
                        void (C::*Set)(double)) {
    TPropInfo info = typinfo_detail::Describe(Name, tkFloat, std::move(TypeName));
    info.GetFloat = [Name, Get](const TObject& Instance) {
        return (typinfo_detail::As<C>(Instance, Name).*Get)();
    };
    info.SetFloat = [Name, Set](TObject& Instance, double Value) {
        (typinfo_detail::As<C>(Instance, Name).*Set)(Value);
    };
    return info;
}

template <class C, class T>
TPropInfo ClassProperty(std::string Name, std::string TypeName, T* (C::*Get)() const) {
    static_assert(std::is_base_of_v<TObject, T>, "a class property holds a TObject");
    TPropInfo info = typinfo_detail::Describe(Name, tkClass, std::move(TypeName));
    info.GetObject = [Name, Get](const TObject& Instance) -> TObject* {
        return (typinfo_detail::As<C>(Instance, Name).*Get)();
    };
    return info;
}

// Events are std::function members; they are listed for their kind and type name only.
inline TPropInfo MethodProperty(std::string Name, std::string TypeName) {
    return typinfo_detail::Describe(std::move(Name), tkMethod, std::move(TypeName));
}

}  // namespace vex
