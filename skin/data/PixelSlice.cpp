#include "skin/data/PixelSlice.h"

namespace {

void DrawPiece(const PixelView& target, int x, int y, const SlicePiece& piece, const PixelView& source,
               std::optional<uint32_t> key) noexcept {
    const SkinRect& from = piece.source;
    const SkinRect& to = piece.target;
    for (int j = 0; j < to.height; ++j) {
        const int ty = y + to.y + j;
        if (ty < 0 || ty >= target.height) continue;
        const int sy = from.y + (piece.mode == MiddleMode::Tile ? j % from.height
                                                               : static_cast<int>(int64_t{j} * from.height / to.height));
        if (sy < 0 || sy >= source.height) continue;
        for (int i = 0; i < to.width; ++i) {
            const int tx = x + to.x + i;
            if (tx < 0 || tx >= target.width) continue;
            const int sx = from.x + (piece.mode == MiddleMode::Tile ? i % from.width
                                                                   : static_cast<int>(int64_t{i} * from.width / to.width));
            if (sx < 0 || sx >= source.width) continue;
            const uint32_t pixel = source.At(sx, sy);
            if (key && (pixel & 0xFFFFFF) == (*key & 0xFFFFFF)) continue;
            target.At(tx, ty) = pixel;
        }
    }
}

}  // namespace

void DrawPlan(const PixelView& target, int x, int y, const SlicePlan& plan, const PixelView& source,
              std::optional<uint32_t> key) noexcept {
    for (const SlicePiece& piece : plan.Pieces()) DrawPiece(target, x, y, piece, source, key);
}
