#pragma once
// The skinned menu bar of a skinned window: TWinSkinMenu takes the window's menu bar
// away (it keeps the handle, to open the submenus and to give the bar back), and draws
// one TMenuBtn per top-level item in the frame between the caption and the client area.
// Owned by its TWinSkinForm as a component; the buttons are the bar's.

#include "framework/core/Component.h"
#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"
#include "skin/window/CaptionButtons.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

struct MenuSelection;
class TMainMenu;
class TMenuItem;
class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;

class TMenuBtn final : public TNCObject {
    KESTRELLE_CLASS(TMenuBtn, TNCObject)

public:
    TMenuBtn(TWinSkinForm& form, TWinSkinMenu& bar, int index) noexcept : TNCObject{form}, m_bar{&bar}, m_index{index} {}

    // Repaints this button alone on the window, from the bar's saved background.
    void Paint() override;

    int Index() const noexcept { return m_index; }
    // The framework item of the button, or null for a plain window menu.
    TMenuItem* MenuItem() const noexcept { return m_menuItem.Get(); }
    void SetMenuItem(TMenuItem* item) noexcept { m_menuItem = item; }

    std::wstring Caption;  // with its "&" accelerator marker
    bool Enabled = true;
    HMENU Submenu = nullptr;
    UINT Command = 0;

private:
    TWinSkinMenu* m_bar;
    int m_index;
    ComponentRef<TMenuItem> m_menuItem;
};

class TWinSkinMenu : public TComponent {
    KESTRELLE_CLASS(TWinSkinMenu, TComponent)

public:
    // `menu`: the form's main menu, or null for a bare window.
    void Setup(TWinSkinForm& form, TSkinData& skinData, TMainMenu* menu) noexcept;

    // Buttons from the window's menu, after which the system bar is taken away.
    void ReadMenu();
    // The same after the window's menu changed; ends with LayoutMenuBar.
    void RebuildMenu();
    // Paints the bar into `rect` (window coordinates) of `dc`. False when nothing was painted.
    bool PaintMenuBar(HDC dc, const RECT& rect) noexcept;
    // The button bounds for the bar rectangle of the last paint, without painting.
    void LayoutMenuBar();
    // One button on `dc` (the window's DC): its column of the saved background, a frame
    // when it is pressed or hot, and its caption.
    bool PaintButton(HDC dc, const TMenuBtn& button) noexcept;

    // The first button with a caption whose bounds hold the window point, or null.
    TMenuBtn* FindMenuButton(core::Point framePoint) const noexcept;
    // The first enabled, visible button whose accelerator is `key` (any case), or null.
    TMenuBtn* FindAccelButton(wchar_t key) const;
    // The button `step` (+1, -1) away from `index` that can open, wrapping round; null without one.
    TMenuBtn* Neighbour(int index, int step) const;
    // The button a key of the open popup of button `current` moves to, or null.
    TMenuBtn* KeyTarget(uint32_t virtualKey, const MenuSelection& selection, bool rightToLeft, int current) const;

    const std::vector<std::unique_ptr<TMenuBtn>>& Buttons() const noexcept { return m_buttons; }
    TMenuBtn* Button(int index) const noexcept;
    HMENU MenuHandle() const noexcept { return m_menuHandle; }
    TMainMenu* Menu() const noexcept;
    core::Rect BarRect() const noexcept { return m_barRect; }
    // The window reads right to left: the bar runs from the right, its keys mirrored.
    bool RightToLeft() const noexcept;

    static void Publish(TPublisher<TWinSkinMenu>& p);

private:
    enum class Reading { First, Again };
    void ReadButtons(Reading reading);
    // Bar coordinates from which the buttons start, and their cells.
    std::vector<core::Rect> Layout(HDC dc, int width, int height) const;
    void DrawCaption(HDC dc, const TMenuBtn& button, const RECT& cell) const noexcept;
    void MakeFont() noexcept;

    std::vector<std::unique_ptr<TMenuBtn>> m_buttons;
    ComponentRef<TMainMenu> m_menu;
    core::Rect m_barRect;
    TSkinData* m_skinData = nullptr;
    TWinSkinForm* m_form = nullptr;
    DibSection m_background;  // the painted bar without its captions
    FontHandle m_font;
    HMENU m_menuHandle = nullptr;
};
