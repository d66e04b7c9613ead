#pragma once
// Root of the component model: run-time class names and class tests that include descendants.

#include "framework/core/Strings.h"

#include <string_view>
#include <type_traits>

class PropertyTable;
template <class T> class TPublisher;  // framework/Properties.h

// One per class, made by KESTRELLE_CLASS; compared by address.
struct TClass {
    using PublishFn = void (*)(PropertyTable&);

    std::u16string_view name;
    const TClass* parent = nullptr;
    // Adds the class's own published properties; null when it publishes none.
    PublishFn publish = nullptr;

    // True for this class and every class derived from it.
    bool InheritsFrom(const TClass& other) const noexcept {
        for (const TClass* c = this; c; c = c->parent)
            if (c == &other) return true;
        return false;
    }
    // The same by name, ASCII case ignored: for rules that name classes this program may
    // not link (other libraries' controls), which a control's class chain may still hold.
    bool InheritsFrom(std::u16string_view className) const noexcept {
        for (const TClass* c = this; c; c = c->parent)
            if (SameText(c->name, className)) return true;
        return false;
    }
};

class TObject {
public:
    virtual ~TObject() = default;

    static const TClass& StaticClass() noexcept {
        static const TClass self{u"TObject", nullptr};
        return self;
    }
    virtual const TClass& ClassType() const noexcept { return StaticClass(); }
    std::u16string_view ClassName() const noexcept { return ClassType().name; }
    bool InheritsFrom(const TClass& other) const noexcept { return ClassType().InheritsFrom(other); }
    bool InheritsFrom(std::u16string_view className) const noexcept { return ClassType().InheritsFrom(className); }
    template <class T> bool Is() const noexcept { return InheritsFrom(T::StaticClass()); }
};

namespace kestrelle_detail {
// Builds T's own table. Its body needs TPublisher<T> complete, so a class that
// declares Publish includes framework/Properties.h in its header.
template <class T>
void RunPublish(PropertyTable& table) {
    TPublisher<T> publisher{table};
    T::Publish(publisher);
}

// A class publishes properties by declaring, publicly,
//     static void Publish(TPublisher<Self>& p);
// A Publish inherited from the parent has another parameter type and is not run twice.
template <class T>
constexpr TClass::PublishFn PublisherOf() noexcept {
    if constexpr (requires { &T::Publish; }) {
        if constexpr (std::is_same_v<decltype(&T::Publish), void (*)(TPublisher<T>&)>) return &RunPublish<T>;
        else return nullptr;
    } else {
        return nullptr;
    }
}
}  // namespace kestrelle_detail

// Gives a class its run-time class information. Place it first in the class body.
#define KESTRELLE_CLASS(Self, Parent)                                                 \
public:                                                                               \
    static const TClass& StaticClass() noexcept {                                     \
        static const TClass self{u"" #Self, &Parent::StaticClass(),                  \
                                 ::kestrelle_detail::PublisherOf<Self>()};            \
        return self;                                                                  \
    }                                                                                 \
    const TClass& ClassType() const noexcept override { return StaticClass(); }      \
                                                                                      \
private:

// Checked downcast: null when `object` is null or not a T.
template <class T>
T* As(TObject* object) noexcept {
    return object && object->Is<T>() ? static_cast<T*>(object) : nullptr;
}
template <class T>
const T* As(const TObject* object) noexcept {
    return object && object->Is<T>() ? static_cast<const T*>(object) : nullptr;
}
