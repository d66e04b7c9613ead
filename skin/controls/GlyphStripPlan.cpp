#include "skin/controls/GlyphStripPlan.h"

#include <initializer_list>

namespace {

struct Mapping {
    int source;
    std::initializer_list<int> destinations;
};

void Add(GlyphStripPlan& plan, int sourceCells, std::initializer_list<Mapping> mappings) {
    for (const Mapping& m : mappings) {
        // A source cell the strip does not have leaves its destinations blank.
        if (m.source >= sourceCells) continue;
        for (int d : m.destinations) plan.copies.push_back({m.source, d});
    }
}

}  // namespace

std::optional<GlyphStripPlan> PlanGlyphStrip(GlyphStripTarget target, int sourceCells, int sourceWidth) {
    if (sourceCells <= 0 || sourceWidth < sourceCells) return std::nullopt;
    GlyphStripPlan plan;
    plan.cellWidth = sourceWidth / sourceCells;
    plan.destinationCells = target == GlyphStripTarget::Check ? 9 : 6;
    const bool large = target == GlyphStripTarget::Radio ? sourceCells == 8 : sourceCells == 12;
    switch (target) {
    case GlyphStripTarget::Check:
        if (large)
            Add(plan, sourceCells, {{0, {0}}, {4, {1}}, {8, {2}}, {1, {3}}, {5, {4}}, {9, {5}}, {3, {6}}, {7, {7}}, {11, {8}}});
        else
            Add(plan, sourceCells, {{0, {0, 3}}, {1, {1, 4}}, {2, {6}}, {3, {7}}});
        if (sourceCells == 5) Add(plan, sourceCells, {{4, {2, 5, 8}}});
        break;
    case GlyphStripTarget::Radio:
        if (large)
            Add(plan, sourceCells, {{0, {0}}, {4, {1}}, {1, {2}}, {5, {3}}, {3, {4}}, {7, {5}}});
        else
            Add(plan, sourceCells, {{0, {0, 2}}, {1, {1, 3}}, {2, {4}}, {3, {5}}});
        break;
    case GlyphStripTarget::CompactCheck:
        if (large)
            Add(plan, sourceCells, {{0, {0}}, {4, {1}}, {8, {2}}, {1, {3}}, {5, {4}}, {9, {5}}});
        else
            Add(plan, sourceCells, {{0, {0, 3}}, {1, {1, 4}}});
        if (sourceCells == 5) Add(plan, sourceCells, {{4, {2, 5}}});
        break;
    }
    return plan;
}
