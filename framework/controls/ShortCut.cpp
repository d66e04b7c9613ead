#include "framework/controls/ShortCut.h"

#include "framework/core/Strings.h"

#include <array>

namespace {

struct KeyName {
    uint8_t key;
    std::u16string_view name;
};

// Keys with names of their own; letters, digits and F1 to F24 are made below.
constexpr std::array<KeyName, 34> kKeyNames{{
    {0x08, u"BkSp"},  {0x09, u"Tab"},    {0x0D, u"Enter"},  {0x1B, u"Esc"},    {0x20, u"Space"},
    {0x21, u"PgUp"},  {0x22, u"PgDn"},   {0x23, u"End"},    {0x24, u"Home"},   {0x25, u"Left"},
    {0x26, u"Up"},    {0x27, u"Right"},  {0x28, u"Down"},   {0x2D, u"Ins"},    {0x2E, u"Del"},
    {0x60, u"Num 0"}, {0x61, u"Num 1"},  {0x62, u"Num 2"},  {0x63, u"Num 3"},  {0x64, u"Num 4"},
    {0x65, u"Num 5"}, {0x66, u"Num 6"},  {0x67, u"Num 7"},  {0x68, u"Num 8"},  {0x69, u"Num 9"},
    {0x6A, u"Num *"}, {0x6B, u"Num +"},  {0x6D, u"Num -"},  {0x6E, u"Num ."},  {0x6F, u"Num /"},
    {0xBA, u";"},     {0xBB, u"="},      {0xBC, u","},      {0xBD, u"-"},
}};

constexpr uint8_t kF1 = 0x70;
constexpr int kFunctionKeys = 24;

std::u16string KeyToText(uint8_t key) {
    if ((key >= u'A' && key <= u'Z') || (key >= u'0' && key <= u'9')) return std::u16string(1, key);
    if (key >= kF1 && key < kF1 + kFunctionKeys) return u"F" + FromUtf8(std::to_string(key - kF1 + 1));
    for (const auto& k : kKeyNames)
        if (k.key == key) return std::u16string(k.name);
    return {};
}

// 0 for text that names no key.
uint8_t TextToKey(std::u16string_view text) {
    if (text.size() == 1) {
        char16_t c = text[0];
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) return static_cast<uint8_t>(c);
    }
    if (text.size() >= 2 && text.size() <= 3 && (text[0] == u'F' || text[0] == u'f')) {
        int number = 0;
        for (char16_t c : text.substr(1)) {
            if (c < u'0' || c > u'9') return 0;
            number = number * 10 + (c - u'0');
        }
        if (number >= 1 && number <= kFunctionKeys && text[1] != u'0') return static_cast<uint8_t>(kF1 + number - 1);
        return 0;
    }
    for (const auto& k : kKeyNames)
        if (SameText(k.name, text)) return k.key;
    return 0;
}

struct Modifier {
    TShortCut bit;
    std::u16string_view prefix;
};
constexpr std::array<Modifier, 3> kModifiers{{{scShift, u"Shift+"}, {scCtrl, u"Ctrl+"}, {scAlt, u"Alt+"}}};

}  // namespace

std::u16string ShortCutToText(TShortCut shortCut) {
    std::u16string key = KeyToText(static_cast<uint8_t>(shortCut & 0xFF));
    if (key.empty()) return {};
    // Ctrl before Shift before Alt, as menus name them.
    std::u16string text;
    if (shortCut & scCtrl) text += u"Ctrl+";
    if (shortCut & scShift) text += u"Shift+";
    if (shortCut & scAlt) text += u"Alt+";
    return text + key;
}

TShortCut TextToShortCut(std::u16string_view text) {
    TShortCut modifiers = scNone;
    for (bool found = true; found;) {
        found = false;
        for (const auto& m : kModifiers) {
            if (text.size() > m.prefix.size() && SameText(text.substr(0, m.prefix.size()), m.prefix)) {
                modifiers |= m.bit;
                text.remove_prefix(m.prefix.size());
                found = true;
            }
        }
    }
    const uint8_t key = TextToKey(text);
    return key ? ShortCut(key, modifiers) : scNone;
}

std::u16string MenuItemText(std::u16string_view caption, TShortCut shortCut) {
    std::u16string text(caption);
    if (const auto keys = ShortCutToText(shortCut); !keys.empty()) text += u"\t" + keys;
    return text;
}
