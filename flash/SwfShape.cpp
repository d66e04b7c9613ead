#include "flash/SwfShape.h"

#include "flash/SwfBitReader.h"
#include "flash/SwfError.h"

#include <algorithm>

namespace {

size_t StyleCount(SwfBitReader& in, int version) {
    size_t count = in.U8();
    if (count == 0xFF && version >= 2) count = in.U16();
    return count;
}

SwfRgba ShapeColour(SwfBitReader& in, int version) { return version >= 3 ? ReadRgba(in) : ReadRgb(in); }

SwfFillStyle ReadFillStyle(SwfBitReader& in, int version) {
    SwfFillStyle style;
    const uint8_t type = in.U8();
    switch (type) {
    case 0x00:
        style.colour = ShapeColour(in, version);
        return style;
    case 0x10:
    case 0x12:
    case 0x13: {
        style.kind = type == 0x10 ? SwfFillStyle::Kind::LinearGradient : SwfFillStyle::Kind::RadialGradient;
        (void)ReadMatrix(in);
        const unsigned count = in.U8() & 0x0F;
        if (count == 0) throw ESwfError(u"A gradient fill has no colours.");
        unsigned r = 0, g = 0, b = 0, a = 0;
        for (unsigned i = 0; i < count; ++i) {
            (void)in.U8();  // ratio
            const SwfRgba c = ShapeColour(in, version);
            r += c.r;
            g += c.g;
            b += c.b;
            a += c.a;
        }
        if (type == 0x13) (void)in.U16();  // focal point
        style.colour = {static_cast<uint8_t>(r / count), static_cast<uint8_t>(g / count),
                        static_cast<uint8_t>(b / count), static_cast<uint8_t>(a / count)};
        return style;
    }
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
        style.kind = SwfFillStyle::Kind::Bitmap;
        (void)in.U16();  // bitmap character
        (void)ReadMatrix(in);
        style.colour.a = 0;
        return style;
    default:
        throw ESwfError(u"A shape uses an unknown fill style type.");
    }
}

void ReadStyles(SwfBitReader& in, int version, SwfStyleGroup& group) {
    const size_t fills = StyleCount(in, version);
    group.fills.reserve(fills);
    for (size_t i = 0; i < fills; ++i) group.fills.push_back(ReadFillStyle(in, version));
    const size_t lines = StyleCount(in, version);
    group.lines.reserve(lines);
    for (size_t i = 0; i < lines; ++i) {
        SwfLineStyle style;
        style.width = in.U16();
        style.colour = ShapeColour(in, version);
        group.lines.push_back(style);
    }
}

// An index past the group's array selects no style rather than failing the movie.
uint16_t StyleIndex(uint32_t index, size_t count) noexcept {
    return index <= count ? static_cast<uint16_t>(index) : 0;
}

// Hostile deltas may run a pen past 32 bits; wrap instead of overflowing.
int32_t Add(int32_t a, int32_t b) noexcept {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

size_t SwfShape::EdgeCount() const noexcept {
    size_t count = 0;
    for (const auto& group : groups) count += group.edges.size();
    return count;
}

SwfShape ReadShape(SwfBitReader& in, int version, size_t maxEdges) {
    SwfShape shape;
    shape.id = in.U16();
    shape.bounds = ReadRect(in);
    shape.groups.emplace_back();
    ReadStyles(in, version, shape.groups.back());
    unsigned fillBits = in.UB(4);
    unsigned lineBits = in.UB(4);

    SwfPoint pen;
    uint16_t fill0 = 0, fill1 = 0, line = 0;
    size_t edges = 0;
    while (true) {
        SwfStyleGroup* group = &shape.groups.back();
        if (in.UB(1) == 0) {
            const uint32_t flags = in.UB(5);
            if (flags == 0) break;  // end of shape
            const bool newStyles = flags & 0x10, hasLine = flags & 0x08, hasFill1 = flags & 0x04,
                       hasFill0 = flags & 0x02, moveTo = flags & 0x01;
            if (moveTo) {
                const unsigned bits = in.UB(5);
                pen.x = in.SB(bits);
                pen.y = in.SB(bits);
            }
            if (hasFill0) fill0 = StyleIndex(in.UB(fillBits), group->fills.size());
            if (hasFill1) fill1 = StyleIndex(in.UB(fillBits), group->fills.size());
            if (hasLine) line = StyleIndex(in.UB(lineBits), group->lines.size());
            if (newStyles) {
                if (version < 2) throw ESwfError(u"A DefineShape record asks for new styles.");
                shape.groups.emplace_back();
                ReadStyles(in, version, shape.groups.back());
                fillBits = in.UB(4);
                lineBits = in.UB(4);
                fill0 = fill1 = line = 0;
            }
            continue;
        }
        if (++edges > maxEdges) throw ESwfError(u"The movie has more shape edges than the player accepts.");
        SwfEdge edge;
        edge.from = pen;
        edge.fill0 = fill0;
        edge.fill1 = fill1;
        edge.line = line;
        const bool straight = in.UB(1) != 0;
        const unsigned bits = in.UB(4) + 2;
        if (straight) {
            int32_t dx = 0, dy = 0;
            if (in.UB(1)) {
                dx = in.SB(bits);
                dy = in.SB(bits);
            } else if (in.UB(1)) {
                dy = in.SB(bits);
            } else {
                dx = in.SB(bits);
            }
            pen.x = Add(pen.x, dx);
            pen.y = Add(pen.y, dy);
        } else {
            edge.curved = true;
            const int32_t cx = in.SB(bits), cy = in.SB(bits), ax = in.SB(bits), ay = in.SB(bits);
            edge.control = {Add(pen.x, cx), Add(pen.y, cy)};
            pen.x = Add(edge.control.x, ax);
            pen.y = Add(edge.control.y, ay);
        }
        edge.to = pen;
        group->edges.push_back(edge);
    }
    return shape;
}

namespace {

struct Segment {
    double x0, y0, x1, y1;
};

// Calls `visit` for the chords of an edge: a curve as 16 of them, plenty for hit tests.
template <class Visit>
void Chords(const SwfEdge& edge, Visit visit) noexcept {
    if (!edge.curved) {
        visit(Segment{double(edge.from.x), double(edge.from.y), double(edge.to.x), double(edge.to.y)});
        return;
    }
    constexpr int kSteps = 16;
    double px = edge.from.x, py = edge.from.y;
    for (int i = 1; i <= kSteps; ++i) {
        const double t = double(i) / kSteps, u = 1 - t;
        const double x = u * u * edge.from.x + 2 * u * t * edge.control.x + t * t * edge.to.x;
        const double y = u * u * edge.from.y + 2 * u * t * edge.control.y + t * t * edge.to.y;
        visit(Segment{px, py, x, y});
        px = x;
        py = y;
    }
}

double DistanceSquared(const Segment& s, double x, double y) noexcept {
    const double dx = s.x1 - s.x0, dy = s.y1 - s.y0, len = dx * dx + dy * dy;
    double t = len > 0 ? ((x - s.x0) * dx + (y - s.y0) * dy) / len : 0;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    const double ex = s.x0 + t * dx - x, ey = s.y0 + t * dy - y;
    return ex * ex + ey * ey;
}

}  // namespace

bool ShapeContains(const SwfShape& shape, double x, double y) noexcept {
    for (const auto& group : shape.groups) {
        // Even-odd per fill style over the edges that bound it, as the renderer fills.
        for (size_t f = 1; f <= group.fills.size(); ++f) {
            bool inside = false;
            for (const auto& edge : group.edges) {
                if ((edge.fill0 == f) == (edge.fill1 == f)) continue;
                Chords(edge, [&](const Segment& s) {
                    if ((s.y0 > y) != (s.y1 > y) && x < s.x0 + (y - s.y0) * (s.x1 - s.x0) / (s.y1 - s.y0))
                        inside = !inside;
                });
            }
            if (inside) return true;
        }
        for (const auto& edge : group.edges) {
            if (edge.line == 0 || edge.line > group.lines.size()) continue;
            const double half = std::max(group.lines[edge.line - 1].width, uint16_t{20}) / 2.0;
            bool near = false;
            Chords(edge, [&](const Segment& s) { near = near || DistanceSquared(s, x, y) <= half * half; });
            if (near) return true;
        }
    }
    return false;
}
