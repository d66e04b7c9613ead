#include "skin/window/MenuRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<bool> Tidy(std::initializer_list<MenuEntry> entries) {
    const std::vector<MenuEntry> list(entries);
    return TidySeparators(list);
}

constexpr MenuEntry kItem{false, true}, kHidden{false, false}, kLine{true, true}, kHiddenLine{true, false};

}  // namespace

TEST(MenuRules, SeparatorsStandOnlyBetweenVisibleItemsOncePerRun) {
    // Leading, doubled and trailing separators go; the last of a run stays.
    EXPECT_EQ(Tidy({kLine, kItem, kLine, kLine, kItem, kLine}),
              (std::vector<bool>{false, true, false, true, true, false}));
    // A hidden item between two separators does not part them, and a hidden separator
    // comes back when it is the one that stands between items.
    EXPECT_EQ(Tidy({kItem, kLine, kHidden, kHiddenLine, kItem}),
              (std::vector<bool>{true, false, false, true, true}));
    // Hidden items at the ends count as nothing; hidden items stay hidden.
    EXPECT_EQ(Tidy({kHidden, kLine, kItem, kLine, kHidden}), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(Tidy({kLine, kLine}), (std::vector<bool>{false, false}));
    EXPECT_TRUE(Tidy({}).empty());
}

TEST(MenuRules, GlyphAndTextBoxesFollowTheSkinMarginAndMirrorRightToLeft) {
    EXPECT_EQ(MenuGlyphSize(0, false), 16);
    EXPECT_EQ(MenuGlyphSize(12, false), 12);
    EXPECT_EQ(MenuGlyphSize(12, true), 16);  // room for the check mark
    EXPECT_EQ(MenuGlyphSize(24, true), 24);

    const core::Rect item{10, 20, 110, 40};
    const MenuItemLayout ltr = LayoutMenuItem(item, 16, 5, false, false);
    EXPECT_EQ(ltr.glyph, (core::Rect{16, 21, 32, 37}));
    EXPECT_EQ(ltr.text, (core::Rect{35, 20, 109, 40}));
    const MenuItemLayout rtl = LayoutMenuItem(item, 16, 5, false, true);
    EXPECT_EQ(rtl.glyph, (core::Rect{88, 21, 104, 37}));
    EXPECT_EQ(rtl.text, (core::Rect{11, 20, 85, 40}));
    const MenuItemLayout line = LayoutMenuItem(item, 16, 0, true, false);
    EXPECT_TRUE(line.glyph.IsEmpty());
    EXPECT_EQ(line.text.left, 14);
    // A negative margin from a broken skin is no margin.
    EXPECT_EQ(LayoutMenuItem(item, 16, -40, false, false).glyph.left, 11);
}

TEST(MenuRules, SkinnedItemsWidenByTheMarginAndAGlyphColumnWithoutImages) {
    EXPECT_EQ(SkinnedItemWidth(100, 4, true), 114);
    EXPECT_EQ(SkinnedItemWidth(100, 4, false), 139);
    EXPECT_EQ(SkinnedSysItemWidth(100, 4, true), 116);
    EXPECT_EQ(SkinnedSysItemWidth(100, 0, false), 135);
    EXPECT_EQ(WindowMenuItemSize({40, 13}, false, 3), (core::Size{69, 17}));
    EXPECT_EQ(WindowMenuItemSize({0, 13}, true, 0).height, 8);
}

TEST(MenuRules, SystemMenuItemsFollowTheWindowState) {
    using namespace syscommand;
    const SysMenuFacts normal{WindowState::Normal, true, true, true};
    const SysMenuFacts maximized{WindowState::Maximized, true, true, true};
    const SysMenuFacts minimized{WindowState::Minimized, true, true, true};
    const SysMenuFacts fixed{WindowState::Normal, true, false, false};
    struct Case {
        uint32_t command;
        bool normal, maximized, minimized, fixed;
        int image;
    };
    const Case cases[] = {
        {kRestore, false, true, true, false, 0}, {kMove, true, false, true, true, -1},
        {kSize, true, false, false, false, -1},  {kMinimize, true, true, false, true, 2},
        {kMaximize, true, false, true, false, 1}, {kClose, true, true, true, true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        // A stale grey in the menu does not override what the state decides.
        EXPECT_EQ(SysMenuItemFor(c.command, 3, normal).enabled, c.normal && c.command != kClose);
        EXPECT_EQ(SysMenuItemFor(c.command, 0, normal).enabled, c.normal);
        EXPECT_EQ(SysMenuItemFor(c.command, 0, maximized).enabled, c.maximized);
        EXPECT_EQ(SysMenuItemFor(c.command, 0, minimized).enabled, c.minimized);
        EXPECT_EQ(SysMenuItemFor(c.command, 0, fixed).enabled, c.fixed);
        EXPECT_EQ(SysMenuItemFor(c.command, 0, normal).image, c.image);
    }
    // Other commands keep the menu's own state: grey (3) disables, checked checks.
    EXPECT_FALSE(SysMenuItemFor(0x1234, 3, normal).enabled);
    EXPECT_TRUE(SysMenuItemFor(0x1234, 1, normal).enabled);
    EXPECT_TRUE(SysMenuItemFor(0x1234, 8, normal).checked);
    EXPECT_EQ(SysMenuItemFor(0x1234, 0, normal).image, -1);
}
