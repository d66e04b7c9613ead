#include "skin/data/MaskRuns.h"

#include <algorithm>
#include <vector>

KeyColourTest::KeyColourTest(TColor keyColour, int toleranceBlue, int toleranceGreen, int toleranceRed) noexcept {
    const int key[3] = {BlueOf(keyColour), GreenOf(keyColour), RedOf(keyColour)};
    const int tolerance[3] = {toleranceBlue, toleranceGreen, toleranceRed};
    for (int i = 0; i < 3; ++i) {
        if (tolerance[i] < 0) {
            m_low[i] = 256;  // no 8-bit value reaches it
            m_span[i] = 0;
        } else {
            m_low[i] = key[i];
            m_span[i] = static_cast<uint32_t>(std::min(key[i] + std::min(tolerance[i], 255), 255) - key[i]);
        }
    }
}

bool CollectOpaqueRuns(const PixelView& pixels, const KeyColourTest& key, int offsetX, int offsetY,
                       size_t batchSize, const RunBatchSink& sink) {
    batchSize = std::max<size_t>(batchSize, 1);
    std::vector<RunRect> batch;
    batch.reserve(batchSize);
    RunRect bounds;
    bool sent = false;
    const auto add = [&](const RunRect& rect) {
        if (batch.empty()) {
            bounds = rect;
        } else {
            bounds.left = std::min(bounds.left, rect.left);
            bounds.top = std::min(bounds.top, rect.top);
            bounds.right = std::max(bounds.right, rect.right);
            bounds.bottom = std::max(bounds.bottom, rect.bottom);
        }
        batch.push_back(rect);
        if (batch.size() < batchSize) return true;
        const bool ok = sink(batch, bounds);
        sent = true;
        batch.clear();
        return ok;
    };

    for (int y = 0; y < pixels.height && !pixels.Empty(); ++y) {
        const std::span<const uint32_t> row = pixels.Row(y);
        const int width = pixels.width;
        int x = 0;
        while (x < width) {
            while (x < width && key.Transparent(row[static_cast<size_t>(x)])) ++x;
            if (x == width) break;
            const int start = x;
            while (x < width && !key.Transparent(row[static_cast<size_t>(x)])) ++x;
            if (!add({start + offsetX, y + offsetY, x + offsetX, y + offsetY + 1})) return false;
        }
    }
    // The rest; also the one (empty) batch of a picture without an opaque pixel.
    if (!batch.empty() || !sent) return sink(batch, bounds);
    return true;
}
