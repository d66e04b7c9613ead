#include "framework/core/ClassRegistry.h"

#include "framework/core/Exception.h"
#include "framework/core/Strings.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<RegisteredClass>& Registry() {
    static std::vector<RegisteredClass> classes;
    return classes;
}

}  // namespace

void RegisterComponentClass(const TClass& cls, std::unique_ptr<TComponent> (*make)()) {
    if (const RegisteredClass* known = FindComponentClass(cls.name)) {
        if (known->cls == &cls) return;
        throw EConvertError(u"A class named " + std::u16string(cls.name) + u" is already registered");
    }
    Registry().push_back({&cls, make});
}

void UnregisterComponentClass(const TClass& cls) noexcept {
    auto& classes = Registry();
    classes.erase(std::remove_if(classes.begin(), classes.end(), [&](const auto& c) { return c.cls == &cls; }),
                  classes.end());
}

const RegisteredClass* FindComponentClass(std::u16string_view name) noexcept {
    for (const auto& c : Registry())
        if (SameText(c.cls->name, name)) return &c;
    return nullptr;
}
