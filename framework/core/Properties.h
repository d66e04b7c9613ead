#pragma once
// Published properties: every class builds, once, a table of name -> getter, setter
// and kind; tables are inherited along the class chain and looked up by name without
// regard to ASCII case. Values are read and written as typed values or as text.
// Platform-neutral.
//
// A class publishes by declaring, publicly, in its header (which includes this one):
//
//     static void Publish(TPublisher<TSpeedButton>& p) {
//         p.Enum(u"Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(TButtonLayout::GlyphLeft);
//         p.String(u"Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);  // wstring or u16string
//         p.Colour(u"Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace);
//         p.Object(u"Glyph", &TSpeedButton::Glyph);          // TBitmap& Glyph(); set = Assign
//         p.Event(u"OnClick", &TSpeedButton::OnClick);        // a std::function member
//     }
//
// Getters and setters may be member functions (also of a base class), data members
// or lambdas taking the object; value getters are called on a const object, object
// getters on a mutable one. An enumeration property finds the identifiers of its
// enum through `EnumIdents(E)`, declared next to the enum and found by argument-
// dependent lookup (or pass the identifiers explicitly):
//
//     enum class TButtonLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };
//     std::span<const std::u16string_view> EnumIdents(TButtonLayout);  // "blGlyphLeft", ...
//
// Sets hold EnumSet<E> or a plain bit mask. A null setter makes the property
// read-only (writers skip it). A form publishes the methods its components' events
// are bound to by name:
//
//     p.Method(u"SpeedButton1Click", &TFmain::SpeedButton1Click);
//
// The typed accessors below take a nullable object and a property path ("Font.Name"
// goes through the object property "Font"). A missing object, a missing property or a
// property of another kind gives the neutral answer: nullopt, null or false. A value
// the property cannot take (an unknown identifier, an ordinal out of range) throws
// EConvertError naming the property.

#include "framework/core/EnumSet.h"
#include "framework/core/Exception.h"
#include "framework/core/Object.h"
#include "framework/core/Persistent.h"

#include <any>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

class TComponent;
class TPersistent;
class TStream;

enum class PropKind { Integer, Boolean, Enumeration, Set, String, Object, Event, Binary };

// A named integer value (a colour, a cursor): written by name where it has one.
struct IntIdent {
    int32_t value;
    std::u16string_view name;
};

// One published property. Built by TPublisher; callers use the free functions below.
struct PropInfo {
    std::u16string name;
    PropKind kind = PropKind::Integer;
    std::span<const std::u16string_view> idents;  // enumeration values, set members; False/True
    const TClass* objectClass = nullptr;          // Object: class of the object held
    bool reference = false;                       // Object: a component named, not owned
    std::optional<int64_t> defaultOrdinal;        // ordinals equal to it are not stored
    std::optional<std::u16string> defaultString;  // strings equal to it are not stored (else: empty ones)
    std::function<bool(const TObject&)> stored;   // null: stored by the default rule

    // Integer with names for some values.
    std::function<std::optional<std::u16string>(int32_t)> intToIdent;
    std::function<std::optional<int32_t>(std::u16string_view)> identToInt;

    // Integer, Boolean, Enumeration, Set (sets as bits).
    std::function<int64_t(const TObject&)> getOrdinal;
    std::function<void(TObject&, int64_t)> setOrdinal;
    // String.
    std::function<std::u16string(const TObject&)> getString;
    std::function<void(TObject&, std::u16string_view)> setString;
    // Object: the object held; owned objects are set by Assign, references by pointer.
    std::function<TObject*(TObject&)> getObject;
    std::function<void(TObject&, TObject*)> setObject;
    // Event: assigned?, the name of the bound handler, set from a bound handler
    // (std::any holding the event's std::function type; empty any clears). setEvent
    // answers false when the handler's type does not fit the event.
    std::function<bool(const TObject&)> eventAssigned;
    std::function<std::u16string(const TObject&)> eventHandlerName;
    std::function<bool(TObject&, const std::any&)> setEvent;
    // Binary: written to and read from a stream.
    std::function<void(const TObject&, TStream&)> writeBinary;
    std::function<void(TObject&, TStream&)> readBinary;

    bool IsReadOnly() const noexcept;
    // Whether a writer stores the property's current value of `object`.
    bool IsStored(const TObject& object) const;
};

// A method of a form class that events of its components can be bound to by name
// ("OnClick = SpeedButton1Click").
struct MethodInfo {
    std::u16string name;
    // The handler bound to `root` (an instance of the publishing class), as a std::any
    // holding std::function<Signature>.
    std::function<std::any(TObject& root)> bind;
};

// The properties and methods one class adds itself, in declaration order.
class PropertyTable {
public:
    PropInfo& Add(PropInfo info);
    void AddMethod(MethodInfo method);
    const PropInfo* Find(std::u16string_view name) const noexcept;
    const MethodInfo* FindMethod(std::u16string_view name) const noexcept;
    const std::vector<PropInfo>& Props() const noexcept { return m_props; }

private:
    std::vector<PropInfo> m_props;
    std::vector<MethodInfo> m_methods;
};

// The table of `cls` alone (built on first use); empty for a class that publishes nothing.
const PropertyTable& OwnProperties(const TClass& cls);

// A std::function target that remembers the name of the form method it calls, so
// that a writer can store the binding again.
template <class Signature>
struct BoundHandler;
template <class R, class... Args>
struct BoundHandler<R(Args...)> {
    std::u16string name;
    std::function<R(Args...)> call;
    R operator()(Args... args) const { return call(std::forward<Args>(args)...); }
};

namespace kestrelle_detail {
template <class F>
struct FunctionSignature {};
template <class S>
struct FunctionSignature<std::function<S>> {
    using type = S;
};

template <class T>
constexpr bool kIsEnumSet = false;
template <class E>
constexpr bool kIsEnumSet<EnumSet<E>> = true;

// wchar_t is 2 bytes on Windows, 4 natively; the Win32 classes take wide strings.
std::u16string WideToU16(std::wstring_view text);
std::wstring U16ToWide(std::u16string_view text);
void MakeColourIdents(PropInfo& info);

inline std::u16string ToU16(std::u16string_view text) { return std::u16string(text); }
inline std::u16string ToU16(std::wstring_view text) { return WideToU16(text); }

// A setter may also be a data member, which is then assigned.
template <class T, class Setter, class V>
void CallSetter(const Setter& set, T& object, V&& value) {
    if constexpr (std::is_member_object_pointer_v<Setter>) {
        auto& field = std::invoke(set, object);
        field = static_cast<std::remove_cvref_t<decltype(field)>>(std::forward<V>(value));
    } else {
        std::invoke(set, object, std::forward<V>(value));
    }
}

template <class T, class Setter>
void CallStringSetter(const Setter& set, T& object, std::u16string_view value) {
    if constexpr (std::is_member_object_pointer_v<Setter>) {
        auto& field = std::invoke(set, object);
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, std::wstring>) field = U16ToWide(value);
        else field = value;
    } else if constexpr (std::is_invocable_v<const Setter&, T&, std::u16string_view>)
        std::invoke(set, object, value);
    else if constexpr (std::is_invocable_v<const Setter&, T&, const std::u16string&>)
        std::invoke(set, object, std::u16string(value));
    else if constexpr (std::is_invocable_v<const Setter&, T&, std::wstring_view>)
        std::invoke(set, object, std::wstring_view(U16ToWide(value)));
    else {
        static_assert(std::is_invocable_v<const Setter&, T&, const std::wstring&>,
                      "a string setter takes a u16string or wstring (view)");
        std::invoke(set, object, U16ToWide(value));
    }
}
}  // namespace kestrelle_detail

// Refines the property just published.
class PropBuilder {
public:
    explicit PropBuilder(PropInfo& info) noexcept : m_info(info) {}
    // Ordinals equal to the default are not stored by writers. Without a default an
    // ordinal is always stored.
    // A string property without a default is stored when it is not empty.
    template <class V>
    PropBuilder& Default(V value) {
        if constexpr (kestrelle_detail::kIsEnumSet<V>) m_info.defaultOrdinal = value.Bits();
        else if constexpr (std::is_convertible_v<V, std::u16string_view>) m_info.defaultString = std::u16string(value);
        else m_info.defaultOrdinal = static_cast<int64_t>(value);
        return *this;
    }
    // Decides per object whether writers store the property.
    template <class Pred>
    PropBuilder& Stored(Pred pred) {
        m_info.stored = std::move(pred);
        return *this;
    }
    PropBuilder& NotStored() {
        m_info.stored = [](const TObject&) { return false; };
        return *this;
    }
    // Names for some integer values, used in text both ways.
    PropBuilder& Idents(std::span<const IntIdent> table);
    PropInfo& Info() noexcept { return m_info; }

private:
    PropInfo& m_info;
};

template <class T>
class TPublisher {
public:
    explicit TPublisher(PropertyTable& table) noexcept : m_table(table) {}

    template <class Getter, class Setter>
    PropBuilder Integer(std::u16string_view name, Getter get, Setter set) {
        PropInfo& info = Start(name, PropKind::Integer);
        info.getOrdinal = [get](const TObject& o) -> int64_t {
            return static_cast<int32_t>(std::invoke(get, Cast(o)));
        };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.setOrdinal = [set](TObject& o, int64_t v) { kestrelle_detail::CallSetter(set, Cast(o), static_cast<int32_t>(v)); };
        return PropBuilder(info);
    }

    // An integer that reads and writes colour identifiers ("clBtnFace") where one exists.
    template <class Getter, class Setter>
    PropBuilder Colour(std::u16string_view name, Getter get, Setter set);

    template <class Getter, class Setter>
    PropBuilder Bool(std::u16string_view name, Getter get, Setter set) {
        PropInfo& info = Start(name, PropKind::Boolean);
        info.idents = BoolIdents();
        info.getOrdinal = [get](const TObject& o) -> int64_t { return std::invoke(get, Cast(o)) ? 1 : 0; };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.setOrdinal = [set](TObject& o, int64_t v) { kestrelle_detail::CallSetter(set, Cast(o), v != 0); };
        return PropBuilder(info);
    }

    template <class Getter, class Setter>
    PropBuilder Enum(std::u16string_view name, Getter get, Setter set) {
        using E = std::decay_t<std::invoke_result_t<const Getter&, const T&>>;
        return Enum(name, get, set, EnumIdents(E{}));
    }
    template <class Getter, class Setter>
    PropBuilder Enum(std::u16string_view name, Getter get, Setter set, std::span<const std::u16string_view> idents) {
        using E = std::decay_t<std::invoke_result_t<const Getter&, const T&>>;
        static_assert(std::is_enum_v<E>, "an enumeration property's getter returns an enum");
        PropInfo& info = Start(name, PropKind::Enumeration);
        info.idents = idents;
        info.getOrdinal = [get](const TObject& o) -> int64_t { return static_cast<int64_t>(std::invoke(get, Cast(o))); };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.setOrdinal = [set](TObject& o, int64_t v) { kestrelle_detail::CallSetter(set, Cast(o), static_cast<E>(v)); };
        return PropBuilder(info);
    }

    // Getter returns EnumSet<E> (identifiers from EnumIdents(E)) or, with explicit
    // identifiers, an unsigned bit mask.
    template <class Getter, class Setter>
    PropBuilder Set(std::u16string_view name, Getter get, Setter set) {
        using S = std::decay_t<std::invoke_result_t<const Getter&, const T&>>;
        static_assert(kestrelle_detail::kIsEnumSet<S>, "pass the member identifiers for a plain bit mask");
        return Set(name, get, set, EnumIdents(typename S::Enum{}));
    }
    template <class Getter, class Setter>
    PropBuilder Set(std::u16string_view name, Getter get, Setter set, std::span<const std::u16string_view> idents) {
        using S = std::decay_t<std::invoke_result_t<const Getter&, const T&>>;
        PropInfo& info = Start(name, PropKind::Set);
        info.idents = idents;
        info.getOrdinal = [get](const TObject& o) -> int64_t {
            if constexpr (kestrelle_detail::kIsEnumSet<S>) return std::invoke(get, Cast(o)).Bits();
            else return static_cast<uint32_t>(std::invoke(get, Cast(o)));
        };
        if constexpr (!std::is_null_pointer_v<Setter>) {
            info.setOrdinal = [set](TObject& o, int64_t v) {
                if constexpr (kestrelle_detail::kIsEnumSet<S>)
                    kestrelle_detail::CallSetter(set, Cast(o), S::FromBits(static_cast<uint32_t>(v)));
                else
                    kestrelle_detail::CallSetter(set, Cast(o), static_cast<S>(v));
            };
        }
        return PropBuilder(info);
    }

    // UTF-16 text; the getter may return u16string or wstring (or views), the setter
    // may take either (conversions happen here).
    template <class Getter, class Setter>
    PropBuilder String(std::u16string_view name, Getter get, Setter set) {
        PropInfo& info = Start(name, PropKind::String);
        info.getString = [get](const TObject& o) { return kestrelle_detail::ToU16(std::invoke(get, Cast(o))); };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.setString = [set](TObject& o, std::u16string_view v) { kestrelle_detail::CallStringSetter(set, Cast(o), v); };
        return PropBuilder(info);
    }

    // An object the component owns (a font, a bitmap, a string list, a collection).
    // The getter returns U& or U*; setting assigns into that object.
    template <class Getter>
    PropBuilder Object(std::u16string_view name, Getter get) {
        using U = ObjectTypeOf<Getter>;
        static_assert(std::is_base_of_v<TPersistent, U>, "owned object properties hold a TPersistent");
        PropInfo& info = StartObject<U>(name, get);
        info.setObject = [get](TObject& o, TObject* source) { AssignObject(ObjectOf(get, o), source); };
        return PropBuilder(info);
    }
    // As above, with a setter taking const U& (it usually assigns too).
    template <class Getter, class Setter>
    PropBuilder Object(std::u16string_view name, Getter get, Setter set) {
        using U = ObjectTypeOf<Getter>;
        PropInfo& info = StartObject<U>(name, get);
        info.setObject = [set](TObject& o, TObject* source) {
            const U* value = As<U>(source);
            if (!value) RejectObject(U::StaticClass(), source);
            std::invoke(set, Cast(o), *value);
        };
        return PropBuilder(info);
    }

    // A component of the same form, not owned: text names it.
    template <class Getter, class Setter>
    PropBuilder Reference(std::u16string_view name, Getter get, Setter set) {
        using U = std::remove_pointer_t<std::decay_t<std::invoke_result_t<const Getter&, T&>>>;
        PropInfo& info = Start(name, PropKind::Object);
        info.reference = true;
        info.objectClass = &U::StaticClass();
        info.getObject = [get](TObject& o) -> TObject* { return std::invoke(get, Cast(o)); };
        if constexpr (!std::is_null_pointer_v<Setter>) {
            info.setObject = [set](TObject& o, TObject* value) {
                U* typed = As<U>(value);
                if (value && !typed) RejectObject(U::StaticClass(), value);
                std::invoke(set, Cast(o), typed);
            };
        }
        return PropBuilder(info);
    }

    // `event` is a data member (or an accessor returning a reference) of a
    // std::function type.
    template <class Access>
    PropBuilder Event(std::u16string_view name, Access event) {
        using E = std::remove_cvref_t<std::invoke_result_t<const Access&, T&>>;
        using Sig = typename kestrelle_detail::FunctionSignature<E>::type;
        PropInfo& info = Start(name, PropKind::Event);
        info.eventAssigned = [event](const TObject& o) {
            return static_cast<bool>(std::invoke(event, const_cast<T&>(Cast(o))));
        };
        info.eventHandlerName = [event](const TObject& o) {
            const auto* bound = std::invoke(event, const_cast<T&>(Cast(o))).template target<BoundHandler<Sig>>();
            return bound ? bound->name : std::u16string();
        };
        info.setEvent = [event](TObject& o, const std::any& handler) {
            E& target = std::invoke(event, Cast(o));
            if (!handler.has_value()) {
                target = nullptr;
                return true;
            }
            const E* typed = std::any_cast<E>(&handler);
            if (!typed) return false;
            target = *typed;
            return true;
        };
        return PropBuilder(info);
    }

    // Extra bytes the component keeps (a packed skin, an image): `read` takes them
    // from a stream while a layout is read, `write` puts them into one.
    template <class Read, class Write>
    PropBuilder Binary(std::u16string_view name, Read read, Write write) {
        PropInfo& info = Start(name, PropKind::Binary);
        info.readBinary = [read](TObject& o, TStream& s) { std::invoke(read, Cast(o), s); };
        info.writeBinary = [write](const TObject& o, TStream& s) { std::invoke(write, Cast(o), s); };
        return PropBuilder(info);
    }

    // A handler that events of components read into an instance of T can be bound to.
    template <class C, class R, class... Args>
    void Method(std::u16string_view name, R (C::*method)(Args...)) {
        static_assert(std::is_base_of_v<C, T>);
        std::u16string handlerName(name);
        m_table.AddMethod({handlerName, [method, handlerName](TObject& root) -> std::any {
                               C* self = &static_cast<C&>(Cast(root));
                               return std::function<R(Args...)>(BoundHandler<R(Args...)>{
                                   handlerName,
                                   [self, method](Args... args) -> R { return (self->*method)(std::forward<Args>(args)...); }});
                           }});
    }

private:
    static const T& Cast(const TObject& o) noexcept { return static_cast<const T&>(o); }
    static T& Cast(TObject& o) noexcept { return static_cast<T&>(o); }

    template <class Getter>
    using ObjectTypeOf = std::remove_pointer_t<std::remove_cvref_t<std::invoke_result_t<const Getter&, T&>>>;

    template <class Getter>
    static TObject* ObjectOf(const Getter& get, TObject& o) {
        if constexpr (std::is_pointer_v<std::invoke_result_t<const Getter&, T&>>) return std::invoke(get, Cast(o));
        else return &std::invoke(get, Cast(o));
    }

    template <class U, class Getter>
    PropInfo& StartObject(std::u16string_view name, const Getter& get) {
        PropInfo& info = Start(name, PropKind::Object);
        info.objectClass = &U::StaticClass();
        info.getObject = [get](TObject& o) { return ObjectOf(get, o); };
        return info;
    }

    PropInfo& Start(std::u16string_view name, PropKind kind) {
        PropInfo info;
        info.name = name;
        info.kind = kind;
        return m_table.Add(std::move(info));
    }

    static std::span<const std::u16string_view> BoolIdents() noexcept;
    static void AssignObject(TObject* target, TObject* source);
    [[noreturn]] static void RejectObject(const TClass& expected, TObject* got);

    PropertyTable& m_table;
};

// --- lookups --------------------------------------------------------------------

// Lookups pass on what stops them (a class table that cannot be built, an object
// getter that throws), so that a failure never reads as a missing property.
//
// The property `name` of `cls` or of the nearest ancestor that publishes it.
const PropInfo* FindPropInfo(const TClass& cls, std::u16string_view name);
// Resolves a path ("Font.Name") from `object`: the object that holds the last
// property and its PropInfo; {null, null} when anything on the way is missing.
std::pair<TObject*, const PropInfo*> ResolveProp(const TObject* object, std::u16string_view path);
const PropInfo* FindPropInfo(const TObject* object, std::u16string_view path);
bool IsPublishedProp(const TObject* object, std::u16string_view path);
// Every property of `cls`, the root ancestor's first, each in declaration order; a
// property a descendant publishes again appears once, where the ancestor had it.
std::vector<const PropInfo*> PublishedProps(const TClass& cls);
// The method `name` of `cls` or an ancestor.
const MethodInfo* FindMethodInfo(const TClass& cls, std::u16string_view name);

// --- typed access (see the top of this file for the neutral answers) -----------

// Integer, Boolean, Enumeration and Set (as bits).
std::optional<int64_t> GetOrdProp(const TObject* object, std::u16string_view path);
bool SetOrdProp(TObject* object, std::u16string_view path, int64_t value);
// Integer only.
std::optional<int32_t> GetIntProp(const TObject* object, std::u16string_view path);
bool SetIntProp(TObject* object, std::u16string_view path, int32_t value);
// Identifier of an Enumeration or Boolean value ("taCenter", "True").
std::optional<std::u16string> GetEnumProp(const TObject* object, std::u16string_view path);
bool SetEnumProp(TObject* object, std::u16string_view path, std::u16string_view ident);
// String only.
std::optional<std::u16string> GetStrProp(const TObject* object, std::u16string_view path);
bool SetStrProp(TObject* object, std::u16string_view path, std::u16string_view value);
// The object an Object property holds (owned or referenced); null when missing.
TObject* GetObjectProp(const TObject* object, std::u16string_view path);
template <class U>
U* GetObjectProp(const TObject* object, std::u16string_view path) {
    return As<U>(GetObjectProp(object, path));
}
// Assigns `value` into an owned object, or makes a reference point at it.
bool SetObjectProp(TObject* object, std::u16string_view path, TObject* value);
// Events.
bool IsEventAssigned(const TObject* object, std::u16string_view path);
// Name of the form method the event is bound to; empty when unbound or bound by code.
std::optional<std::u16string> GetEventHandlerName(const TObject* object, std::u16string_view path);
// Binds the event to the method `handler` published by `root`'s class; an empty name
// clears it. Throws EConvertError when `root` publishes no such method or its type
// does not fit the event.
bool BindEventProp(TObject* object, std::u16string_view path, TObject& root, std::u16string_view handler);
template <class E>
bool SetEventProp(TObject* object, std::u16string_view path, E handler) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::Event) return false;
    return info->setEvent(*target, std::any(std::move(handler)));
}
// Binary.
std::optional<std::vector<std::byte>> GetBinaryProp(const TObject* object, std::u16string_view path);
bool SetBinaryProp(TObject* object, std::u16string_view path, std::span<const std::byte> bytes);

// Copies every writable published property of `source` that `target`'s class also
// publishes: ordinals, strings, binary data, owned objects (by Assign) and
// references. Events are not copied.
void AssignPublished(TObject& target, const TObject& source);

// --- text ------------------------------------------------------------------------

// A property's value as text: integers in decimal (or their name), booleans and
// enumerations by identifier, sets as "[fsBold,fsItalic]", strings as they are,
// events as the handler's name, binary as hexadecimal digits, references as the
// component's name. Owned objects have no text (nullopt).
std::optional<std::u16string> GetPropText(const TObject* object, std::u16string_view path);
// The reverse. Event handlers need the root form: pass it as `root`, else binding
// an event by text answers false. Throws EConvertError for text the property cannot take.
bool SetPropText(TObject* object, std::u16string_view path, std::u16string_view text, TObject* root = nullptr);

// Conversions the layout reader and writer share with the functions above.
std::u16string OrdinalToText(const PropInfo& info, int64_t value);
int64_t OrdinalFromIdent(const PropInfo& info, std::u16string_view ident);  // enumerations, booleans, named integers
int64_t CheckedOrdinal(const PropInfo& info, int64_t value);                 // throws when out of range
std::u16string BytesToHex(std::span<const std::byte> bytes);
std::vector<std::byte> HexToBytes(std::u16string_view hex);  // blanks between digits allowed

// --- TPublisher members defined out of line ---------------------------------------

template <class T>
template <class Getter, class Setter>
PropBuilder TPublisher<T>::Colour(std::u16string_view name, Getter get, Setter set) {
    PropBuilder builder = Integer(name, get, set);
    kestrelle_detail::MakeColourIdents(builder.Info());
    return builder;
}

template <class T>
std::span<const std::u16string_view> TPublisher<T>::BoolIdents() noexcept {
    static constexpr std::u16string_view idents[] = {u"False", u"True"};
    return idents;
}

template <class T>
void TPublisher<T>::AssignObject(TObject* target, TObject* source) {
    auto* into = As<TPersistent>(target);
    const auto* from = As<TPersistent>(source);
    if (!into || !from) RejectObject(target ? target->ClassType() : TPersistent::StaticClass(), source);
    if (into != from) into->Assign(*from);
}

template <class T>
void TPublisher<T>::RejectObject(const TClass& expected, TObject* got) {
    throw EConvertError(u"Cannot assign " + (got ? std::u16string(got->ClassName()) : std::u16string(u"nothing")) +
                        u" to a " + std::u16string(expected.name));
}
