#pragma once
// Root of the component model: run-time class names and class tests that include descendants.

#include <string_view>

// One per class, made by KESTRELLE_CLASS; compared by address.
struct TClass {
    std::u16string_view name;
    const TClass* parent = nullptr;

    // True for this class and every class derived from it.
    bool InheritsFrom(const TClass& other) const noexcept {
        for (const TClass* c = this; c; c = c->parent)
            if (c == &other) return true;
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
    template <class T> bool Is() const noexcept { return InheritsFrom(T::StaticClass()); }
};

// Gives a class its run-time class information. Place it first in the class body.
#define KESTRELLE_CLASS(Self, Parent)                                                 \
public:                                                                               \
    static const TClass& StaticClass() noexcept {                                     \
        static const TClass self{u"" #Self, &Parent::StaticClass()};                 \
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
