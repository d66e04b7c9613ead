#pragma once
// How a custom glyph strip (see framework/controls/GlyphCells.h for its cells) is built
// from the skin's check or radio strip: which source cell goes to which cells of the new
// strip. Platform-neutral.

#include <optional>
#include <vector>

// The three kinds of control that take a strip: a check box with 9 cells, a radio
// button with 6, a check box with a compact strip of 6.
enum class GlyphStripTarget { Check = 1, Radio = 2, CompactCheck = 3 };

struct CellCopy {
    int source = 0;       // from 0
    int destination = 0;  // from 0
    friend bool operator==(const CellCopy&, const CellCopy&) = default;
};

struct GlyphStripPlan {
    int cellWidth = 0;
    int destinationCells = 0;
    std::vector<CellCopy> copies;  // cells no copy fills stay blank (the key colour)
};

// The plan for a source strip `sourceWidth` wide of `sourceCells` equal cells (extra
// columns at the right are left out). Strips of 4 or 5 cells give their unchecked,
// checked, disabled and (fifth) grayed pictures; the larger layout of 12 check cells
// or 8 radio cells (four per state: normal, hot, pressed, disabled) gives each state its
// own picture. Nothing when the strip has no cells or is narrower than its cell count.
std::optional<GlyphStripPlan> PlanGlyphStrip(GlyphStripTarget target, int sourceCells, int sourceWidth);
