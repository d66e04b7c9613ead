#include "flash/Rasterizer.h"

#include <algorithm>
#include <cmath>

namespace {

// Keeps hostile coordinates (huge, infinite, NaN) inside a range where the row and
// column arithmetic below stays exact and well defined.
double Sane(double v) noexcept {
    constexpr double kLimit = 1.0e7;
    if (!(v == v)) return 0;
    return std::clamp(v, -kLimit, kLimit);
}

}  // namespace

bool IsUsable(const PixelView& view) noexcept {
    return !view.Empty() && view.stride >= view.width &&
           view.pixels.size() >= static_cast<size_t>(view.stride) * static_cast<size_t>(view.height - 1) +
                                     static_cast<size_t>(view.width);
}

Rasterizer::Rasterizer(int subScanlines) noexcept : m_sub{std::clamp(subScanlines, 1, 64)} {}

void Rasterizer::Clear() noexcept {
    m_edges.clear();
    m_open = false;
}

void Rasterizer::AddEdge(double x0, double y0, double x1, double y1) {
    x0 = Sane(x0), y0 = Sane(y0), x1 = Sane(x1), y1 = Sane(y1);
    if (y0 == y1 || m_edges.size() >= m_edgeLimit) return;
    if (y0 < y1)
        m_edges.push_back({x0, y0, x1, y1, 1});
    else
        m_edges.push_back({x1, y1, x0, y0, -1});
}

void Rasterizer::CloseFigure() {
    if (m_open && (m_penX != m_startX || m_penY != m_startY)) AddEdge(m_penX, m_penY, m_startX, m_startY);
    m_open = false;
}

void Rasterizer::MoveTo(double x, double y) {
    CloseFigure();
    m_startX = m_penX = Sane(x);
    m_startY = m_penY = Sane(y);
    m_open = true;
}

void Rasterizer::LineTo(double x, double y) {
    if (!m_open) MoveTo(m_penX, m_penY);
    x = Sane(x), y = Sane(y);
    AddEdge(m_penX, m_penY, x, y);
    m_penX = x;
    m_penY = y;
}

void Rasterizer::QuadTo(double cx, double cy, double x, double y) {
    if (!m_open) MoveTo(m_penX, m_penY);
    cx = Sane(cx), cy = Sane(cy), x = Sane(x), y = Sane(y);
    // Flattening error of n chords is |p0 - 2c + p2| / (8 n^2); keep it under 0.1 px.
    const double ddx = m_penX - 2 * cx + x, ddy = m_penY - 2 * cy + y;
    const double dd = std::sqrt(ddx * ddx + ddy * ddy);
    const int steps = std::clamp(static_cast<int>(std::ceil(std::sqrt(dd / 0.8))), 1, 64);
    const double x0 = m_penX, y0 = m_penY;
    for (int i = 1; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps, u = 1 - t;
        LineTo(u * u * x0 + 2 * u * t * cx + t * t * x, u * u * y0 + 2 * u * t * cy + t * t * y);
    }
}

void Rasterizer::Close() { CloseFigure(); }

void Rasterizer::AddSpan(double x0, double x1, int left, int right, float weight) {
    x0 = std::max(x0, static_cast<double>(left));
    x1 = std::min(x1, static_cast<double>(right));
    if (x1 <= x0) return;
    const int i0 = static_cast<int>(std::floor(x0)), i1 = static_cast<int>(std::floor(x1));
    const size_t a = static_cast<size_t>(i0 - left), b = static_cast<size_t>(i1 - left);
    m_touchedFirst = std::min(m_touchedFirst, a);
    m_touchedLast = std::max(m_touchedLast, b);
    if (i0 == i1) {
        m_cover[a] += static_cast<float>(x1 - x0) * weight;
        return;
    }
    m_cover[a] += static_cast<float>(i0 + 1 - x0) * weight;
    m_delta[a + 1] += weight;
    m_delta[b] -= weight;
    if (i1 < right) m_cover[b] += static_cast<float>(x1 - i1) * weight;
}

uint32_t BlendPixel(uint32_t dst, uint32_t colour, float alpha) noexcept {
    if (alpha <= 0) return dst;
    if (alpha > 1) alpha = 1;
    const float sr = (colour >> 16) & 0xFF, sg = (colour >> 8) & 0xFF, sb = colour & 0xFF;
    const float dr = (dst >> 16) & 0xFF, dg = (dst >> 8) & 0xFF, db = dst & 0xFF;
    const float da = static_cast<float>(dst >> 24) / 255.0f;
    const float outA = alpha + da * (1 - alpha);
    if (outA <= 0) return 0;
    const float keep = da * (1 - alpha);
    const auto mix = [&](float s, float d) {
        return static_cast<uint32_t>(std::clamp((s * alpha + d * keep) / outA + 0.5f, 0.0f, 255.0f));
    };
    const uint32_t a = static_cast<uint32_t>(outA * 255.0f + 0.5f);
    return (a << 24) | (mix(sr, dr) << 16) | (mix(sg, dg) << 8) | mix(sb, db);
}

bool Rasterizer::Fill(const PixelView& target, core::Rect clip, uint32_t colour, FillRule rule) {
    CloseFigure();
    if (!IsUsable(target)) {
        Clear();
        return false;
    }
    clip.left = std::max(clip.left, 0);
    clip.top = std::max(clip.top, 0);
    clip.right = std::min(clip.right, target.width);
    clip.bottom = std::min(clip.bottom, target.height);
    const float colourAlpha = static_cast<float>(colour >> 24) / 255.0f;
    if (m_edges.empty() || clip.left >= clip.right || clip.top >= clip.bottom || colourAlpha <= 0) {
        Clear();
        return true;
    }

    double minY = m_edges.front().y0, maxY = m_edges.front().y1;
    for (const auto& e : m_edges) {
        minY = std::min(minY, e.y0);
        maxY = std::max(maxY, e.y1);
    }
    const int firstRow = std::max(clip.top, static_cast<int>(std::floor(minY)));
    const int endRow = std::min(clip.bottom, static_cast<int>(std::ceil(maxY)));

    m_order.resize(m_edges.size());
    for (size_t i = 0; i < m_order.size(); ++i) m_order[i] = i;
    std::sort(m_order.begin(), m_order.end(), [&](size_t a, size_t b) { return m_edges[a].y0 < m_edges[b].y0; });
    m_active.clear();
    size_t next = 0;

    const int width = clip.right - clip.left;
    m_cover.assign(static_cast<size_t>(width) + 1, 0.0f);
    m_delta.assign(static_cast<size_t>(width) + 1, 0.0f);
    const float weight = 1.0f / static_cast<float>(m_sub);

    for (int y = firstRow; y < endRow; ++y) {
        m_touchedFirst = static_cast<size_t>(width);
        m_touchedLast = 0;
        for (int s = 0; s < m_sub; ++s) {
            const double sy = y + (s + 0.5) / m_sub;
            while (next < m_order.size() && m_edges[m_order[next]].y0 <= sy) m_active.push_back(m_order[next++]);
            std::erase_if(m_active, [&](size_t i) { return m_edges[i].y1 <= sy; });
            m_crossings.clear();
            for (const size_t i : m_active) {
                const Edge& e = m_edges[i];
                if (e.y0 > sy) continue;
                m_crossings.push_back({e.x0 + (sy - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
            }
            if (m_crossings.empty()) continue;
            std::sort(m_crossings.begin(), m_crossings.end(),
                      [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
            int winding = 0;
            double spanStart = 0;
            for (const Crossing& c : m_crossings) {
                const bool wasInside = rule == FillRule::EvenOdd ? (winding & 1) != 0 : winding != 0;
                winding += rule == FillRule::EvenOdd ? 1 : c.dir;
                const bool inside = rule == FillRule::EvenOdd ? (winding & 1) != 0 : winding != 0;
                if (inside && !wasInside) spanStart = c.x;
                if (!inside && wasInside) AddSpan(spanStart, c.x, clip.left, clip.right, weight);
            }
        }
        if (m_touchedFirst > m_touchedLast) continue;
        // Only the columns the spans reached; the coverage buffers are zero elsewhere.
        uint32_t* row = target.Row(y).data() + clip.left;
        const size_t last = std::min(m_touchedLast, static_cast<size_t>(width) - 1);
        float run = 0;
        for (size_t x = m_touchedFirst; x <= last; ++x) {
            run += m_delta[x];
            const float coverage = std::min(1.0f, m_cover[x] + run);
            if (coverage > 0.002f) row[x] = BlendPixel(row[x], colour, coverage * colourAlpha);
            m_cover[x] = 0;
            m_delta[x] = 0;
        }
        m_delta[m_touchedLast] = 0;
    }
    Clear();
    return true;
}
