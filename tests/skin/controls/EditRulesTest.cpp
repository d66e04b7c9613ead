#include "skin/controls/EditRules.h"

#include <gtest/gtest.h>

namespace {

TEST(EditRules, OnlyABorderOnBothAxesGetsAFrame) {
    EXPECT_TRUE(EditHasFrame({100, 21}, {96, 17}));
    EXPECT_FALSE(EditHasFrame({100, 21}, {100, 21}));  // no border at all
    EXPECT_FALSE(EditHasFrame({100, 21}, {100, 17}));  // as wide as the window
    EXPECT_FALSE(EditHasFrame({100, 21}, {96, 21}));   // as high
    EXPECT_TRUE(EditPrintsFrame({100, 21}, {96, 17}));
    EXPECT_FALSE(EditPrintsFrame({100, 21}, {98, 17}));  // a 1-pixel border has no room inside it
    EXPECT_FALSE(EditPrintsFrame({100, 21}, {96, 19}));
}

TEST(EditRules, ComboStatesAndTheFlatLooksOwnOrder) {
    using S = ComboState;
    EXPECT_EQ(ComboButtonState({}), S::Normal);
    EXPECT_EQ(ComboButtonState({.hover = true}), S::Hover);
    EXPECT_EQ(ComboButtonState({.focused = true}), S::Hover);
    EXPECT_EQ(ComboButtonState({.pressed = true, .hover = true, .focused = true}), S::Pressed);
    EXPECT_EQ(ComboButtonState({.pressed = true, .enabled = false}), S::Disabled);
    EXPECT_EQ(ComboButtonState({.hover = true, .enabled = false}), S::Disabled);

    EXPECT_EQ(FlatComboState({}), S::Normal);
    EXPECT_EQ(FlatComboState({.enabled = false}), S::Disabled);
    EXPECT_EQ(FlatComboState({.pressed = true, .enabled = false}), S::Pressed);
    EXPECT_EQ(FlatComboState({.hover = true, .enabled = false}), S::Hover);
    EXPECT_EQ(FlatComboState({.pressed = true, .focused = true}), S::Pressed);
}

TEST(EditRules, TheComboButtonSitsOnEitherSideWithTheTextAreaBesideIt) {
    const core::Rect window{0, 0, 120, 21};
    const ComboPlaces right = PlaceComboParts(window, 17, false);
    EXPECT_EQ(right.excluded, (core::Rect{2, 2, 99, 19}));
    EXPECT_EQ(right.button, (core::Rect{101, 0, 120, 21}));
    EXPECT_EQ(right.glyph, (core::Rect{101, 0, 118, 21}));

    const ComboPlaces left = PlaceComboParts(window, 17, true);
    EXPECT_EQ(left.excluded, (core::Rect{21, 2, 118, 19}));
    EXPECT_EQ(left.button, (core::Rect{0, 0, 19, 21}));
    EXPECT_EQ(left.glyph, (core::Rect{2, 0, 19, 21}));
    // Mirror images of each other: the button never overlaps the text area.
    EXPECT_EQ(left.button.Width(), right.button.Width());
    EXPECT_LE(right.excluded.right, right.button.left);
    EXPECT_GE(left.excluded.left, left.button.right);
}

TEST(EditRules, TheFlatButtonStaysInsideTheOutline) {
    EXPECT_EQ(PlaceFlatComboButton({0, 0, 120, 21}, 16, 19, false), (core::Rect{103, 1, 119, 20}));
    EXPECT_EQ(PlaceFlatComboButton({0, 0, 120, 21}, 16, 19, true), (core::Rect{1, 1, 17, 20}));
    EXPECT_EQ(PlaceFlatComboButton({0, 0, 120, 25}, 16, 11, false), (core::Rect{103, 7, 119, 18}));  // strip lower
    EXPECT_EQ(PlaceFlatComboButton({0, 0, 10, 21}, 16, 19, false), (core::Rect{1, 1, 9, 20}));      // too narrow
    EXPECT_TRUE(PlaceFlatComboButton({0, 0, 0, 0}, 16, 19, false).IsEmpty());
}

TEST(EditRules, SpinHalvesAndTheirFrames) {
    const auto vertical = SpinHalves({0, 0, 16, 23}, false);
    EXPECT_EQ(vertical[0], (SpinHalf{{0, 0, 16, 11}, SpinKind::Up}));
    EXPECT_EQ(vertical[1], (SpinHalf{{0, 11, 16, 23}, SpinKind::Down}));
    const auto horizontal = SpinHalves({2, 1, 33, 17}, true);
    EXPECT_EQ(horizontal[0], (SpinHalf{{2, 1, 17, 17}, SpinKind::Left}));
    EXPECT_EQ(horizontal[1], (SpinHalf{{17, 1, 33, 17}, SpinKind::Right}));

    using S = ComboState;
    EXPECT_EQ(SpinHalfState(false, true, true, true), S::Normal);  // the other half stays at rest
    EXPECT_EQ(SpinHalfState(true, true, true, false), S::Disabled);
    EXPECT_EQ(SpinFrame(S::Pressed, SpinKind::Down), 6);
    EXPECT_EQ(SpinFrame(S::Disabled, SpinKind::Left), 3);  // the horizontal picture starts again
}

TEST(EditRules, ABuddiedSpinKeepsClearOfTheEditsFrame) {
    // An up-down of 16 x 21 at the right end of a 100 x 21 edit, touching its border.
    EXPECT_EQ(BuddiedSpinArea({84, 0, 100, 21}, {100, 21}), (core::Rect{0, 3, 13, 18}));
    // Already well inside: kept whole, the left side never cut.
    EXPECT_EQ(BuddiedSpinArea({60, 4, 76, 16}, {100, 21}), (core::Rect{0, 0, 16, 12}));
    EXPECT_EQ(BuddiedSpinArea({-5, 4, 10, 16}, {100, 21}), (core::Rect{0, 0, 15, 12}));
    // Nothing left inside the frame.
    EXPECT_TRUE(BuddiedSpinArea({97, 0, 110, 21}, {100, 21}).IsEmpty());
    EXPECT_TRUE(BuddiedSpinArea({0, 0, 16, 21}, {100, 5}).IsEmpty());
}

TEST(EditRules, ThePickersArrowCoversItsOwnDropButton) {
    // A picker 150 wide with a 2-pixel border, and one with 3 (its client area 144 wide):
    // the arrow ends where the client area does either way.
    EXPECT_EQ(PlaceDateTimeArrow(146, 17, false), (core::Rect{129, 0, 146, 18}));
    EXPECT_EQ(PlaceDateTimeArrow(144, 17, false), (core::Rect{127, 0, 144, 18}));
    EXPECT_EQ(PlaceDateTimeArrow(144, 17, true), (core::Rect{2, 0, 19, 18}));
    EXPECT_EQ(PlaceDateTimeArrow(144, -3, false).Width(), 0);
}

}  // namespace
