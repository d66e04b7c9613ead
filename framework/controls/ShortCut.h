#pragma once
// Menu shortcuts: a virtual key with Shift, Ctrl and Alt in one 16-bit value, its text
// as menus show it ("Ctrl+Shift+S", "F10", "Alt+Enter") and back, and the text of a
// menu item with its shortcut after a tab. Platform-neutral: key names are fixed
// English names, not the keyboard layout's.

#include <cstdint>
#include <string>
#include <string_view>

// Low byte: the virtual key; the modifier bits above it.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

constexpr TShortCut ShortCut(uint8_t key, TShortCut modifiers) noexcept {
    return static_cast<TShortCut>(key | (modifiers & (scShift | scCtrl | scAlt)));
}

// Empty for no shortcut and for a key without a name here (such a shortcut still
// works; menus only show no text for it).
std::u16string ShortCutToText(TShortCut shortCut);
// The reverse, modifiers in any order and letter case ("ctrl+s"); scNone for empty
// text and for text that names no key (the caller decides whether that is an error).
TShortCut TextToShortCut(std::u16string_view text);

// What a menu shows for an item: the caption, and the shortcut's text after a tab.
std::u16string MenuItemText(std::u16string_view caption, TShortCut shortCut);
