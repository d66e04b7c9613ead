#pragma once
// An anti-aliased scanline rasteriser for paths of straight and quadratic edges.
// Vertical anti-aliasing samples several sub-scanlines per row; horizontal coverage
// is exact per span. Platform-neutral: it paints into a PixelView.

#include "framework/core/Geometry.h"
#include "framework/graphics/PixelView.h"

#include <cstddef>
#include <cstdint>
#include <vector>

enum class FillRule { EvenOdd, NonZero };

class Rasterizer {
public:
    explicit Rasterizer(int subScanlines = 4) noexcept;

    // Path building, in pixels (x right, y down). Figures need not be closed by the
    // caller: Fill closes every open figure with a straight edge.
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void QuadTo(double cx, double cy, double x, double y);
    void Close();
    // A lone edge with a direction, for paths whose edges do not come in order.
    void AddEdge(double x0, double y0, double x1, double y1);

    // Paints the path in `colour` (0xAARRGGBB, straight alpha) over the target inside
    // `clip`, then clears the path. Returns false for an empty target.
    bool Fill(const PixelView& target, core::Rect clip, uint32_t colour, FillRule rule);
    void Clear() noexcept;

    size_t EdgeCount() const noexcept { return m_edges.size(); }
    // Edges beyond this are dropped, which bounds the work a hostile path can cause.
    void SetEdgeLimit(size_t limit) noexcept { m_edgeLimit = limit; }

private:
    struct Edge {
        double x0, y0, x1, y1;  // y0 < y1
        int dir;
    };
    struct Crossing {
        double x;
        int dir;
    };

    void CloseFigure();
    void AddSpan(double x0, double x1, int left, int right, float weight);

    int m_sub;
    size_t m_edgeLimit = 4'000'000;
    std::vector<Edge> m_edges;
    bool m_open = false;
    double m_startX = 0, m_startY = 0, m_penX = 0, m_penY = 0;
    // Scratch kept between fills to avoid reallocating per shape.
    std::vector<size_t> m_order, m_active;
    std::vector<Crossing> m_crossings;
    std::vector<float> m_cover, m_delta;
    size_t m_touchedFirst = 0, m_touchedLast = 0;  // coverage columns a row's spans reached
};

// True when the view's rows all lie inside its span.
bool IsUsable(const PixelView& view) noexcept;

// Straight-alpha "over": paints `colour` with `alpha` (0..1, already including the
// colour's own alpha) onto one pixel.
uint32_t BlendPixel(uint32_t dst, uint32_t colour, float alpha) noexcept;
