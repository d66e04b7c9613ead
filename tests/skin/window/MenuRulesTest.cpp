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

TEST(MenuBarRules, TheFirstButtonStartsPastThePicturesMarginOrAt12InANarrowBar) {
    const MenuBarPicture picture{true, 7, 15};
    EXPECT_EQ(MenuBarStart(300, picture, false), 11);  // LeftWidth + 4
    EXPECT_EQ(MenuBarStart(300, picture, true), 23);   // RightWidth + 8
    EXPECT_EQ(MenuBarStart(10, picture, false), 12);   // narrower than its own start
    EXPECT_EQ(MenuBarStart(22, picture, true), 12);
    EXPECT_EQ(MenuBarStart(23, picture, true), 23);    // exactly as wide keeps the margin
    EXPECT_EQ(MenuBarStart(300, {}, false), 6);        // no picture
    EXPECT_EQ(MenuBarStart(2, {}, true), 6);
}

TEST(MenuBarRules, ButtonsRunFromTheStartAndBackwardsInARightToLeftBar) {
    const std::vector<MenuBarButtonFacts> buttons{{30, false, true}, {0, true, true}, {20, false, false}, {40, false, true}};
    const auto ltr = LayoutMenuBarButtons(buttons, 200, 19, 11, false);
    ASSERT_EQ(ltr.size(), 4u);
    EXPECT_EQ(ltr[0], (core::Rect{11, 0, 51, 18}));   // text + 10, one less than the bar high
    EXPECT_EQ(ltr[1], (core::Rect{51, 0, 51, 18}));   // empty caption: no width
    EXPECT_TRUE(ltr[2].IsEmpty());                    // hidden: empty and takes no room
    EXPECT_EQ(ltr[3], (core::Rect{51, 0, 101, 18}));

    const auto rtl = LayoutMenuBarButtons(buttons, 200, 19, 23, true);
    EXPECT_EQ(rtl[0], (core::Rect{137, 0, 177, 18}));  // from the bar width minus the start
    EXPECT_EQ(rtl[1], (core::Rect{137, 0, 137, 18}));
    EXPECT_TRUE(rtl[2].IsEmpty());
    EXPECT_EQ(rtl[3], (core::Rect{87, 0, 137, 18}));
}

TEST(MenuBarRules, AcceleratorsAreTheLetterAfterTheAmpersandInAnyCase) {
    EXPECT_EQ(MenuAccelerator(u"&File"), u'F');
    EXPECT_EQ(MenuAccelerator(u"Save && &Quit"), u'Q');  // "&&" is a literal ampersand
    EXPECT_EQ(MenuAccelerator(u"A&&B"), 0);
    EXPECT_EQ(MenuAccelerator(u"End&"), 0);               // a trailing "&" marks nothing
    EXPECT_EQ(MenuAccelerator(u""), 0);
    EXPECT_EQ(MenuAccelerator(u"课程(&L)"), u'L');

    const std::vector<MenuBarEntry> bar{
        {u"&File", true, true}, {u"&Edit", false, true}, {u"&Help", true, false}, {u"&eXtra", true, true},
        {u"&Ébauche", true, true}, {u"课程(&L)", true, true}};
    EXPECT_EQ(FindAccelIndex(bar, u'f'), 0);
    EXPECT_EQ(FindAccelIndex(bar, u'E'), 3);   // the disabled "&Edit" is passed over
    EXPECT_EQ(FindAccelIndex(bar, u'h'), -1);  // hidden
    EXPECT_EQ(FindAccelIndex(bar, u'é'), 4);
    EXPECT_EQ(FindAccelIndex(bar, u'l'), 5);
    EXPECT_EQ(FindAccelIndex(bar, u'z'), -1);
    EXPECT_EQ(FindAccelIndex(bar, 0), -1);
}

TEST(MenuBarRules, LeftAndRightMoveAlongTheBarFromThePopupsOwnLevel) {
    const std::vector<MenuBarEntry> usable{
        {u"&A", true, true}, {u"&B", false, true}, {u"&C", true, true}, {u"&D", true, true}};
    const MenuSelection none{}, top{true, true, false}, deeper{true, false, false}, opener{true, true, true};
    EXPECT_EQ(MenuBarKeyTarget(kVkRight, none, false, 0, usable), 2);   // the unusable button is skipped
    EXPECT_EQ(MenuBarKeyTarget(kVkRight, top, false, 3, usable), 0);    // wraps from the last
    EXPECT_EQ(MenuBarKeyTarget(kVkLeft, top, false, 0, usable), 3);     // and from the first
    EXPECT_EQ(MenuBarKeyTarget(kVkLeft, deeper, false, 2, usable), -1); // Left closes the submenu instead
    EXPECT_EQ(MenuBarKeyTarget(kVkRight, deeper, false, 2, usable), 3);
    EXPECT_EQ(MenuBarKeyTarget(kVkRight, opener, false, 2, usable), -1); // Right opens the item's submenu
    EXPECT_EQ(MenuBarKeyTarget(0x28, none, false, 2, usable), -1);
    // Right-to-left: the keys swap.
    EXPECT_EQ(MenuBarKeyTarget(kVkLeft, top, true, 2, usable), 3);
    EXPECT_EQ(MenuBarKeyTarget(kVkRight, top, true, 2, usable), 0);
    EXPECT_EQ(MenuBarKeyTarget(kVkLeft, opener, true, 2, usable), -1);
    // Nothing to move to.
    EXPECT_EQ(NeighbourMenuButton(0, 1, {}), -1);
    const std::vector<MenuBarEntry> closed{{u"&A", true, false}, {u"", true, true}};  // hidden; no caption
    EXPECT_EQ(NeighbourMenuButton(0, 1, closed), -1);
    const std::vector<MenuBarEntry> plain{{u"&A", true, true}, {u"&Go", true, true, false}};  // Go opens nothing
    EXPECT_EQ(NeighbourMenuButton(0, 1, plain), 0);
    const std::vector<MenuBarEntry> one{{u"&A", true, true}};
    EXPECT_EQ(NeighbourMenuButton(0, 1, one), 0);
    EXPECT_EQ(NeighbourMenuButton(-1, -1, one), 0);
}
