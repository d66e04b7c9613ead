#include "skin/controls/ProgressLayout.h"

#include <algorithm>
#include <cstdint>

namespace {

// a * b / c rounded half away from zero, as the system's MulDiv; c > 0.
int MulDivRounded(int a, int b, int c) noexcept {
    const int64_t product = int64_t{a} * b;
    const int64_t half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

int ProgressFilled(int extent, int position, int maximum) noexcept {
    if (extent <= 0 || position <= 0 || maximum <= 0) return 0;
    return std::clamp(MulDivRounded(extent, position, maximum), 0, extent);
}

core::Size ProgressPicture(core::Size bar, bool vertical) noexcept {
    return vertical ? core::Size{bar.height, bar.width} : bar;
}

ChunkRun TiledChunks(int filled, int height, core::Size chunk, int leftMargin) noexcept {
    if (filled <= 0 || chunk.width <= 0 || chunk.height <= 0) return {};
    return {{leftMargin + 2, (height - chunk.height) / 2}, chunk.width, filled / chunk.width + 1};
}

core::Rect StretchedChunk(int filled, int height) noexcept {
    if (filled <= 0 || height - 4 <= 0) return {};
    return core::Rect::FromBounds(2, 2, filled, height - 4);
}
