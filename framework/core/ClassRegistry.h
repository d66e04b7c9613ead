#pragma once
// Component classes known by name, so that a layout reader can create what a stored
// layout names. Lookup ignores ASCII case. Platform-neutral.

#include "framework/core/Component.h"

#include <memory>
#include <string_view>

struct RegisteredClass {
    const TClass* cls;
    std::unique_ptr<TComponent> (*make)();
};

// Registers a default-constructible component class under its class name.
// Registering a class again does nothing; another class under a taken name throws
// EConvertError.
void RegisterComponentClass(const TClass& cls, std::unique_ptr<TComponent> (*make)());
template <class... T>
void RegisterComponentClasses() {
    (RegisterComponentClass(T::StaticClass(), []() -> std::unique_ptr<TComponent> { return std::make_unique<T>(); }),
     ...);
}
void UnregisterComponentClass(const TClass& cls) noexcept;
// The class registered under `name`; null when none is.
const RegisteredClass* FindComponentClass(std::u16string_view name) noexcept;
