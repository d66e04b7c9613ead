// Menu shortcuts as text, both ways, as menus show them and stored layouts keep them.

#include "framework/controls/ShortCut.h"

#include <gtest/gtest.h>

TEST(ShortCut, TextNamesTheKeyAfterItsModifiersInMenuOrder) {
    EXPECT_EQ(ShortCutToText(ShortCut('S', scCtrl)), u"Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut('7', scNone)), u"7");
    EXPECT_EQ(ShortCutToText(ShortCut(0x70, scNone)), u"F1");
    EXPECT_EQ(ShortCutToText(ShortCut(0x79, scShift)), u"Shift+F10");
    EXPECT_EQ(ShortCutToText(ShortCut(0x87, scNone)), u"F24");
    // Whatever order the bits were set in, Ctrl comes before Shift before Alt.
    EXPECT_EQ(ShortCutToText(ShortCut('Z', scAlt | scShift | scCtrl)), u"Ctrl+Shift+Alt+Z");
    EXPECT_EQ(ShortCutToText(ShortCut(0x0D, scAlt)), u"Alt+Enter");
    EXPECT_EQ(ShortCutToText(ShortCut(0x2E, scShift)), u"Shift+Del");
    // No key, or a key without a name here: no text, modifiers or not.
    EXPECT_EQ(ShortCutToText(scNone), u"");
    EXPECT_EQ(ShortCutToText(ShortCut(0x88, scCtrl)), u"");  // past F24
    EXPECT_EQ(ShortCutToText(scCtrl), u"");
}

TEST(ShortCut, EveryNamedShortCutReadsBackAndForeignTextGivesNone) {
    for (int key = 1; key <= 0xFF; ++key) {
        for (TShortCut modifiers : {scNone, scShift, scCtrl, scAlt, TShortCut(scCtrl | scShift | scAlt)}) {
            const TShortCut value = ShortCut(static_cast<uint8_t>(key), modifiers);
            const auto text = ShortCutToText(value);
            if (text.empty()) continue;
            EXPECT_EQ(TextToShortCut(text), value) << key;
        }
    }
    // Any letter case and modifier order.
    EXPECT_EQ(TextToShortCut(u"shift+ctrl+o"), ShortCut('O', scCtrl | scShift));
    EXPECT_EQ(TextToShortCut(u"ALT+f4"), ShortCut(0x73, scAlt));
    EXPECT_EQ(TextToShortCut(u"num +"), ShortCut(0x6B, scNone));
    // What names no key is no shortcut, never a guess.
    for (const char16_t* text : {u"", u"Ctrl+", u"Ctrl+Banana", u"F0", u"F25", u"F01", u"F1x", u"Ctrl+Ctrl", u"Hyper+A",
                                 u"AB", u"+", u"Ctrl+S+", u" Ctrl+S", u"音"})
        EXPECT_EQ(TextToShortCut(text), scNone) << std::u16string(text).size();
}

TEST(ShortCut, AMenuItemsTextIsItsCaptionThenATabAndTheShortCut) {
    EXPECT_EQ(MenuItemText(u"&Open", ShortCut('O', scCtrl)), u"&Open\tCtrl+O");
    EXPECT_EQ(MenuItemText(u"退出(&X)", scNone), u"退出(&X)");
    EXPECT_EQ(MenuItemText(u"&Odd", ShortCut(0xFF, scCtrl)), u"&Odd");  // nothing to show after a tab
}
