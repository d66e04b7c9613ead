#pragma once
// A shape character: its style groups, each with fill and line styles and the edges
// drawn with them. Coordinates are twips in the shape's own space.

#include "flash/SwfRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class SwfBitReader;

struct SwfFillStyle {
    enum class Kind : uint8_t { Solid, LinearGradient, RadialGradient, Bitmap };
    Kind kind = Kind::Solid;
    // Solid fills: their colour. Gradients are painted in the mean of their colours;
    // bitmap fills are not painted (alpha 0).
    SwfRgba colour;
};

struct SwfLineStyle {
    uint16_t width = 0;  // twips
    SwfRgba colour;
};

struct SwfPoint {
    int32_t x = 0, y = 0;
    bool operator==(const SwfPoint&) const = default;
};

// One straight or quadratic curved edge. Styles are 1-based indices into the group's
// arrays; 0 means none. fill0 lies on the left of the edge's direction, fill1 on the right.
struct SwfEdge {
    SwfPoint from, control, to;
    bool curved = false;
    uint16_t fill0 = 0, fill1 = 0, line = 0;
};

// Edges after a "new styles" record refer to new style arrays and are drawn above the
// edges before it.
struct SwfStyleGroup {
    std::vector<SwfFillStyle> fills;
    std::vector<SwfLineStyle> lines;
    std::vector<SwfEdge> edges;
};

struct SwfShape {
    uint16_t id = 0;
    SwfRect bounds;
    std::vector<SwfStyleGroup> groups;

    size_t EdgeCount() const noexcept;
};

// Whether the point (twips, shape space) lies in one of the shape's fills or on one of
// its lines: what a button's hit area means.
bool ShapeContains(const SwfShape& shape, double x, double y) noexcept;

// Reads the body of a DefineShape tag; `version` is 1, 2 or 3 for DefineShape,
// DefineShape2 and DefineShape3. Throws ESwfError on malformed data; at most
// `maxEdges` edges are accepted.
SwfShape ReadShape(SwfBitReader& in, int version, size_t maxEdges);
