#pragma once
// The gallery's page of window kinds: each opens a window the engine must skin, from
// sizeable forms to the system's own dialogs.

#include <string_view>
#include <vector>

class TComponent;

struct WindowKind {
    const wchar_t* name;     // command-line name, "--open name"
    const wchar_t* caption;  // the page button's text
    bool modal;              // message boxes and the system dialog run their own loop
};

// Every kind, in page order.
const std::vector<WindowKind>& WindowKinds();

// Opens the kind named `name`, owned by `owner` where it is a form. False for an unknown name.
bool OpenWindowKind(std::wstring_view name, TComponent& owner);
