#pragma once
// For tests of controls: a fresh application and a borderless form for each test, and
// controls placed on it.

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"

#include <gtest/gtest.h>

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
