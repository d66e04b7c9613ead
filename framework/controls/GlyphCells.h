#pragma once
// Which cell of a custom glyph strip a check box or radio button shows. Platform-neutral.
//
// A check box strip has 9 cells in three rows of three: unchecked, checked, grayed;
// normal (0-2), hot (the mouse over it or pressing it, 3-5), disabled (6-8).
// A radio button strip has 6 cells in three rows of two: unchecked, checked; normal
// (0-1), hot (2-3), disabled (4-5).
// The compact check box strip has 6 cells in two rows of three: unchecked, checked,
// grayed; normal (0-2), hot (3-5). Disabled, it shows the normal row.

#include "framework/controls/ControlTypes.h"

enum class GlyphStripKind { Check, Radio, CompactCheck };

constexpr int GlyphStripCells(GlyphStripKind kind) noexcept { return kind == GlyphStripKind::Check ? 9 : 6; }

// The cell, from 0, for the state; a radio button's grayed counts as unchecked.
int GlyphCell(GlyphStripKind kind, TCheckBoxState state, bool hot, bool enabled) noexcept;
