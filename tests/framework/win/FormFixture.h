#pragma once
// For tests of controls: a fresh application and a borderless form for each test, and
// controls placed on it.

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"

#include "framework/core/StringList.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

class FormFixture : public ::testing::Test {
protected:
    TApplication app;
    TForm& form = app.Create<TForm>();

    void SetUp() override {
        form.SetBorderStyle(TFormBorderStyle::bsNone);
        form.SetBounds(0, 0, 400, 300);
    }

    // A control owned by the form, on `parent` at (left, top), in its own size.
    template <class T>
    T& Make(TWinControl& parent, int left = 0, int top = 0) {
        auto& control = form.Create<T>();
        control.SetParent(&parent);
        control.SetBounds(left, top, control.Width(), control.Height());
        return control;
    }
};

// A control `form` owns, named `name`, on `parent`; and one found again by its name.
template <class T>
T& Place(TForm& form, TWinControl& parent, std::u16string_view name) {
    auto& control = form.Create<T>();
    control.SetName(name);
    control.SetParent(&parent);
    return control;
}

template <class T>
T& Found(const TForm& form, std::u16string_view name) {
    auto* found = As<T>(form.FindComponent(name));
    if (!found) throw Exception(u"no " + std::u16string(name));
    return *found;
}

inline TStringList LinesOf(std::initializer_list<const char16_t*> lines) {
    TStringList list;
    for (auto* line : lines) list.Add(line);
    return list;
}
