#pragma once
// Turns a 32-bit picture into the rectangles of a window region: one rectangle per run
// of opaque pixels in a row, handed on in batches. Platform-neutral; RegionFromBitmap
// makes the region from the batches.

#include "framework/core/Geometry.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/PixelView.h"

#include <cstddef>
#include <functional>
#include <span>

// A run, or a batch's bounds: right and bottom edges excluded, as in a region.
using RunRect = core::Rect;

// A pixel is transparent when each of its red, green and blue values lies between the
// key colour's value and that value plus the channel's tolerance (capped at 255). A
// negative tolerance makes nothing transparent.
class KeyColourTest {
public:
    KeyColourTest(TColor keyColour, int toleranceBlue, int toleranceGreen, int toleranceRed) noexcept;
    bool Transparent(uint32_t bgra) const noexcept {
        return static_cast<uint32_t>(static_cast<int>(bgra & 0xFF) - m_low[0]) <= m_span[0] &&
               static_cast<uint32_t>(static_cast<int>((bgra >> 8) & 0xFF) - m_low[1]) <= m_span[1] &&
               static_cast<uint32_t>(static_cast<int>((bgra >> 16) & 0xFF) - m_low[2]) <= m_span[2];
    }

private:
    int m_low[3];        // blue, green, red
    uint32_t m_span[3];  // allowed distance above the low value; huge when none is allowed
};

// Receives one batch of rectangles and their bounding rectangle; false stops the walk.
using RunBatchSink = std::function<bool(std::span<const RunRect> rects, const RunRect& bounds)>;

// Walks the rows from the top; each run of opaque pixels from x0 to x1 (exclusive) in
// row y becomes (x0 + offsetX, y + offsetY, x1 + offsetX, y + offsetY + 1). Every
// `batchSize` rectangles go to `sink`, and the rest at the end (an empty batch when the
// picture has no opaque pixel). Returns false when the sink failed.
bool CollectOpaqueRuns(const PixelView& pixels, const KeyColourTest& key, int offsetX, int offsetY,
                       size_t batchSize, const RunBatchSink& sink);
