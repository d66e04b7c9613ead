// Building a custom glyph strip from the skin's cells: which source cell fills which
// cell of the new strip, for each kind of control and each size of the skin's strip.

#include "skin/controls/GlyphStripPlan.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace {

// The source cell each destination cell gets, -1 where none (blank).
template <size_t N>
std::array<int, N> Filled(const GlyphStripPlan& plan) {
    std::array<int, N> cells;
    cells.fill(-1);
    for (const CellCopy& copy : plan.copies) {
        EXPECT_LT(copy.destination, static_cast<int>(N));
        if (copy.destination >= 0 && copy.destination < static_cast<int>(N)) cells[static_cast<size_t>(copy.destination)] = copy.source;
    }
    return cells;
}

TEST(GlyphStripPlan, CheckBoxesGetNineCellsAndOnlyAFifthCellFillsTheGrayedOnes) {
    const auto four = PlanGlyphStrip(GlyphStripTarget::Check, 4, 52);
    ASSERT_TRUE(four);
    EXPECT_EQ(four->cellWidth, 13);
    EXPECT_EQ(four->destinationCells, 9);
    EXPECT_EQ(Filled<9>(*four), (std::array{0, 1, -1, 0, 1, -1, 2, 3, -1}));
    const auto five = PlanGlyphStrip(GlyphStripTarget::Check, 5, 65);
    ASSERT_TRUE(five);
    EXPECT_EQ(Filled<9>(*five), (std::array{0, 1, 4, 0, 1, 4, 2, 3, 4}));
    // The larger layout: four cells per state (normal, hot, pressed, disabled).
    const auto twelve = PlanGlyphStrip(GlyphStripTarget::Check, 12, 156);
    ASSERT_TRUE(twelve);
    EXPECT_EQ(Filled<9>(*twelve), (std::array{0, 4, 8, 1, 5, 9, 3, 7, 11}));
}

TEST(GlyphStripPlan, RadioButtonsGetSixCells) {
    const auto four = PlanGlyphStrip(GlyphStripTarget::Radio, 4, 52);
    ASSERT_TRUE(four);
    EXPECT_EQ(four->destinationCells, 6);
    EXPECT_EQ(Filled<6>(*four), (std::array{0, 1, 0, 1, 2, 3}));
    // A fifth cell means nothing to a radio button.
    EXPECT_EQ(Filled<6>(*PlanGlyphStrip(GlyphStripTarget::Radio, 5, 65)), (std::array{0, 1, 0, 1, 2, 3}));
    EXPECT_EQ(Filled<6>(*PlanGlyphStrip(GlyphStripTarget::Radio, 8, 104)), (std::array{0, 4, 1, 5, 3, 7}));
}

TEST(GlyphStripPlan, CompactCheckBoxesGetSixCellsWithNoDisabledRow) {
    EXPECT_EQ(Filled<6>(*PlanGlyphStrip(GlyphStripTarget::CompactCheck, 4, 52)), (std::array{0, 1, -1, 0, 1, -1}));
    EXPECT_EQ(Filled<6>(*PlanGlyphStrip(GlyphStripTarget::CompactCheck, 5, 65)), (std::array{0, 1, 4, 0, 1, 4}));
    EXPECT_EQ(Filled<6>(*PlanGlyphStrip(GlyphStripTarget::CompactCheck, 12, 156)), (std::array{0, 4, 8, 1, 5, 9}));
}

TEST(GlyphStripPlan, StripsTooSmallOrOddGiveWhatTheyHave) {
    // No cells, or fewer pixels than cells: nothing to build.
    EXPECT_FALSE(PlanGlyphStrip(GlyphStripTarget::Check, 0, 52));
    EXPECT_FALSE(PlanGlyphStrip(GlyphStripTarget::Check, -3, 52));
    EXPECT_FALSE(PlanGlyphStrip(GlyphStripTarget::Radio, 4, 3));
    EXPECT_FALSE(PlanGlyphStrip(GlyphStripTarget::Radio, 4, 0));
    // A width that is no multiple of the count: the columns left over are left out.
    EXPECT_EQ(PlanGlyphStrip(GlyphStripTarget::Check, 4, 55)->cellWidth, 13);
    // Two cells: the disabled pictures are missing and stay blank; no copy reads past the strip.
    const auto two = PlanGlyphStrip(GlyphStripTarget::Check, 2, 26);
    ASSERT_TRUE(two);
    EXPECT_EQ(Filled<9>(*two), (std::array{0, 1, -1, 0, 1, -1, -1, -1, -1}));
    for (int cells = 1; cells <= 13; ++cells)
        for (auto target : {GlyphStripTarget::Check, GlyphStripTarget::Radio, GlyphStripTarget::CompactCheck})
            for (const auto plan = PlanGlyphStrip(target, cells, cells * 10); const CellCopy& copy : plan->copies)
                EXPECT_LT(copy.source, cells);
}

}  // namespace
