#pragma once
// A window's menu bar. It owns its menu handle; a form shows it through its Menu
// slot and gives it back before its window dies. The items arrive with the menu
// components.

#include "framework/core/Component.h"

#include <windows.h>

class TMainMenu : public TComponent {
    KESTRELLE_CLASS(TMainMenu, TComponent)

public:
    TMainMenu() = default;
    ~TMainMenu() override;

    // The menu, made when first asked for. Throws Win32Error.
    HMENU Handle();

private:
    HMENU m_handle = nullptr;
};
