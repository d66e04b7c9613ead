// The cell of a custom glyph strip a check box or radio button shows in each state.

#include "framework/controls/GlyphCells.h"

#include <gtest/gtest.h>

namespace {

using enum TCheckBoxState;

TEST(GlyphCells, RowsAreNormalHotDisabledAndColumnsTheState) {
    EXPECT_EQ(GlyphCell(GlyphStripKind::Check, cbUnchecked, false, true), 0);
    EXPECT_EQ(GlyphCell(GlyphStripKind::Check, cbGrayed, false, true), 2);
    EXPECT_EQ(GlyphCell(GlyphStripKind::Check, cbChecked, true, true), 4);
    EXPECT_EQ(GlyphCell(GlyphStripKind::Check, cbChecked, true, false), 7);  // disabled wins over hot
    EXPECT_EQ(GlyphCell(GlyphStripKind::Check, cbGrayed, false, false), 8);
    EXPECT_EQ(GlyphCell(GlyphStripKind::Radio, cbChecked, false, true), 1);
    EXPECT_EQ(GlyphCell(GlyphStripKind::Radio, cbUnchecked, true, true), 2);
    EXPECT_EQ(GlyphCell(GlyphStripKind::Radio, cbChecked, false, false), 5);
    EXPECT_EQ(GlyphCell(GlyphStripKind::Radio, cbGrayed, false, true), 0);
    // The compact strip has no disabled row: disabled shows the normal one.
    EXPECT_EQ(GlyphCell(GlyphStripKind::CompactCheck, cbGrayed, true, true), 5);
    EXPECT_EQ(GlyphCell(GlyphStripKind::CompactCheck, cbChecked, true, false), 1);
    EXPECT_EQ(GlyphStripCells(GlyphStripKind::Check), 9);
    EXPECT_EQ(GlyphStripCells(GlyphStripKind::CompactCheck), 6);
}

}  // namespace
