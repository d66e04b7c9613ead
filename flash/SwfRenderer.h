#pragma once
// Paints a movie's display list into a PixelView, scaled "show all": the whole stage
// visible, aspect kept, centred, the background colour around and under it. Buttons
// are drawn in the state the display list gives them.

#include "flash/Rasterizer.h"
#include "flash/SwfMovie.h"
#include "flash/SwfTimeline.h"

#include "framework/core/Geometry.h"
#include "framework/graphics/PixelView.h"

#include <cstddef>

// Where the stage lands in a view of the given size, and the twips-to-pixels matrix.
struct SwfViewport {
    SwfMatrix stageToView;
    core::Rect stage;  // pixels the stage covers, clipped to the view
};
SwfViewport ShowAllViewport(const SwfRect& frameSize, int width, int height) noexcept;

class SwfRenderer {
public:
    SwfRenderer() = default;

    // Fills the view with the background and draws every object of `list` in depth
    // order. Returns false when the view is unusable.
    bool Render(const SwfMovie& movie, const SwfDisplayList& list, const PixelView& view);

    // Work a single frame may cause, after flattening; further edges are dropped.
    void SetEdgeBudget(size_t edges) noexcept { m_budget = edges; }

private:
    void DrawShape(const SwfShape& shape, const SwfMatrix& toView, const SwfColourTransform& colours,
                   const PixelView& view, core::Rect clip);
    void AddFillEdges(const SwfStyleGroup& group, uint16_t style, const SwfMatrix& m);
    void StrokeEdges(const SwfStyleGroup& group, uint16_t style, const SwfMatrix& m, double width);

    Rasterizer m_fills{4};
    size_t m_budget = 4'000'000;
    size_t m_spent = 0;
};

uint32_t ToBgra(SwfRgba colour) noexcept;
