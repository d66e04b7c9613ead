#include "flash/SwfRenderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

struct Vec {
    double x, y;
};

Vec Map(const SwfMatrix& m, SwfPoint p) noexcept { return {m.MapX(p.x, p.y), m.MapY(p.x, p.y)}; }

// Points along an edge in view pixels, both ends included.
void Flatten(const SwfEdge& edge, const SwfMatrix& m, std::vector<Vec>& out) {
    out.clear();
    const Vec a = Map(m, edge.from), b = Map(m, edge.to);
    out.push_back(a);
    if (edge.curved) {
        const Vec c = Map(m, edge.control);
        const double ddx = a.x - 2 * c.x + b.x, ddy = a.y - 2 * c.y + b.y;
        const double dd = std::sqrt(ddx * ddx + ddy * ddy);
        const int steps = dd == dd ? std::clamp(static_cast<int>(std::ceil(std::sqrt(dd / 0.8))), 1, 64) : 1;
        for (int i = 1; i < steps; ++i) {
            const double t = static_cast<double>(i) / steps, u = 1 - t;
            out.push_back({u * u * a.x + 2 * u * t * c.x + t * t * b.x, u * u * a.y + 2 * u * t * c.y + t * t * b.y});
        }
    }
    out.push_back(b);
}

}  // namespace

uint32_t ToBgra(SwfRgba colour) noexcept { return Bgra(colour.r, colour.g, colour.b, colour.a); }

SwfViewport ShowAllViewport(const SwfRect& frameSize, int width, int height) noexcept {
    SwfViewport viewport;
    const double stageW = frameSize.Width(), stageH = frameSize.Height();
    if (stageW <= 0 || stageH <= 0 || width <= 0 || height <= 0) {
        viewport.stageToView.a = viewport.stageToView.d = 0;
        return viewport;
    }
    const double scale = std::min(width / stageW, height / stageH);
    const double offsetX = (width - stageW * scale) / 2, offsetY = (height - stageH * scale) / 2;
    viewport.stageToView = {scale, 0, 0, scale, offsetX - frameSize.xMin * scale, offsetY - frameSize.yMin * scale};
    viewport.stage = {std::max(0, static_cast<int>(std::lround(offsetX))),
                      std::max(0, static_cast<int>(std::lround(offsetY))),
                      std::min(width, static_cast<int>(std::lround(offsetX + stageW * scale))),
                      std::min(height, static_cast<int>(std::lround(offsetY + stageH * scale)))};
    return viewport;
}

bool SwfRenderer::Render(const SwfMovie& movie, const SwfDisplayList& list, const PixelView& view) {
    if (!IsUsable(view)) return false;
    const uint32_t background = ToBgra(movie.Background()) | 0xFF000000u;
    for (int y = 0; y < view.height; ++y) std::ranges::fill(view.Row(y), background);

    const SwfViewport viewport = ShowAllViewport(movie.FrameSize(), view.width, view.height);
    m_spent = 0;
    m_fills.SetEdgeLimit(m_budget);
    for (const auto& [depth, object] : list) {
        if (object.clipDepth != 0) continue;  // mask layers are not drawn
        const SwfMatrix toView = object.matrix.Then(viewport.stageToView);
        if (const SwfShape* shape = movie.FindShape(object.character)) {
            DrawShape(*shape, toView, object.colourTransform, view, viewport.stage);
        } else if (const SwfButton* button = movie.FindButton(object.character)) {
            // A button shows the shapes of its current state; buttons inside buttons are not drawn.
            for (const auto& record : button->records) {
                const SwfShape* part = record.ShownIn(object.buttonState) ? movie.FindShape(record.character) : nullptr;
                if (part)
                    DrawShape(*part, record.matrix.Then(toView), record.colourTransform.Then(object.colourTransform),
                              view, viewport.stage);
            }
        }
        if (m_spent >= m_budget) break;
    }
    return true;
}

void SwfRenderer::AddFillEdges(const SwfStyleGroup& group, uint16_t style, const SwfMatrix& m) {
    std::vector<Vec> points;
    for (const auto& edge : group.edges) {
        if (m_spent >= m_budget) return;
        // An edge with the style on both sides lies inside the region and bounds nothing.
        if ((edge.fill0 == style) == (edge.fill1 == style)) continue;
        Flatten(edge, m, points);
        for (size_t i = 1; i < points.size(); ++i)
            m_fills.AddEdge(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
        m_spent += points.size() - 1;
    }
}

void SwfRenderer::StrokeEdges(const SwfStyleGroup& group, uint16_t style, const SwfMatrix& m, double width) {
    // Every chord becomes a quad and every joint a small polygon, all wound the same
    // way, so that the non-zero rule paints their union once.
    const double half = std::max(width, 1.0) / 2;
    const bool roundJoins = half > 0.75;
    std::vector<Vec> points;
    const auto addJoint = [&](Vec p) {
        constexpr int kSides = 12;
        for (int k = 0; k < kSides; ++k) {
            // Wound the same way as the quads below (anticlockwise on screen).
            const double a0 = -2 * std::numbers::pi * k / kSides, a1 = -2 * std::numbers::pi * (k + 1) / kSides;
            m_fills.AddEdge(p.x + half * std::cos(a0), p.y + half * std::sin(a0), p.x + half * std::cos(a1),
                            p.y + half * std::sin(a1));
        }
    };
    for (const auto& edge : group.edges) {
        if (m_spent >= m_budget) return;
        if (edge.line != style) continue;
        Flatten(edge, m, points);
        m_spent += points.size() * (roundJoins ? 16 : 4);
        for (size_t i = 1; i < points.size(); ++i) {
            const Vec a = points[i - 1], b = points[i];
            const double dx = b.x - a.x, dy = b.y - a.y, len = std::sqrt(dx * dx + dy * dy);
            if (!(len > 1e-9)) continue;
            const double nx = -dy / len * half, ny = dx / len * half;
            const Vec q[4] = {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
            for (int k = 0; k < 4; ++k) m_fills.AddEdge(q[k].x, q[k].y, q[(k + 1) % 4].x, q[(k + 1) % 4].y);
        }
        if (roundJoins)
            for (const Vec& p : points) addJoint(p);
    }
}

void SwfRenderer::DrawShape(const SwfShape& shape, const SwfMatrix& toView, const SwfColourTransform& colours,
                            const PixelView& view, core::Rect clip) {
    // Line widths scale with the matrix; the root of the determinant is the mean scale.
    const double scale = std::sqrt(std::abs(toView.a * toView.d - toView.b * toView.c));
    for (const auto& group : shape.groups) {
        for (size_t f = 0; f < group.fills.size() && m_spent < m_budget; ++f) {
            const SwfRgba colour = colours.Apply(group.fills[f].colour);
            if (colour.a == 0) continue;
            AddFillEdges(group, static_cast<uint16_t>(f + 1), toView);
            m_fills.Fill(view, clip, ToBgra(colour), FillRule::EvenOdd);
        }
        for (size_t l = 0; l < group.lines.size() && m_spent < m_budget; ++l) {
            const SwfRgba colour = colours.Apply(group.lines[l].colour);
            if (colour.a == 0) continue;
            StrokeEdges(group, static_cast<uint16_t>(l + 1), toView, group.lines[l].width * scale);
            m_fills.Fill(view, clip, ToBgra(colour), FillRule::NonZero);
        }
    }
}
