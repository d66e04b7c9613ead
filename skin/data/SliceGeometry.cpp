#include "skin/data/SliceGeometry.h"

#include <algorithm>

std::optional<SkinRect> FrameCell(int imageWidth, int imageHeight, FrameLayout layout, int frameCount,
                                  int frame) noexcept {
    if (imageWidth <= 0 || imageHeight <= 0 || frameCount <= 0 || frame < 1 || frame > frameCount) return std::nullopt;
    SkinRect cell;
    if (layout == FrameLayout::Horizontal) {
        cell.width = imageWidth / frameCount;
        cell.height = imageHeight;
        cell.x = (frame - 1) * cell.width;
    } else {
        cell.width = imageWidth;
        cell.height = imageHeight / frameCount;
        cell.y = (frame - 1) * cell.height;
    }
    if (cell.Empty()) return std::nullopt;
    return cell;
}

SliceMargins FitMargins(SliceMargins m, int cellWidth, int cellHeight) noexcept {
    cellWidth = std::max(cellWidth, 0);
    cellHeight = std::max(cellHeight, 0);
    m.left = std::clamp(m.left, 0, cellWidth);
    m.right = std::clamp(m.right, 0, cellWidth - m.left);
    m.top = std::clamp(m.top, 0, cellHeight);
    m.bottom = std::clamp(m.bottom, 0, cellHeight - m.top);
    return m;
}

void SlicePlan::Add(const SlicePiece& piece) noexcept {
    // A copy with nothing to read or nowhere to go is left out; GDI would mirror negative sizes.
    if (piece.source.Empty() || piece.target.Empty() || m_count == m_pieces.size()) return;
    m_pieces[m_count++] = piece;
}

SlicePlan NineSlice(const SkinRect& cell, SliceMargins margins, int width, int height, MiddleMode middle) noexcept {
    SlicePlan plan;
    if (cell.Empty() || width <= 0 || height <= 0) return plan;
    const auto [l0, t0, r0, b0] = FitMargins(margins, cell.width, cell.height);
    int L = l0, T = t0, R = r0, B = b0;
    if (width < L + R) L = R = 0;
    if (height < T + B) T = B = 0;
    const int cx = cell.x, cy = cell.y, cw = cell.width, ch = cell.height;
    const int W = width, H = height;
    const auto stretch = [&](SkinRect source, SkinRect target) { plan.Add({source, target, MiddleMode::Stretch}); };

    if (L * T > 0) stretch({cx, cy, L, T}, {0, 0, L, T});
    if (L * B > 0) stretch({cx, cy + ch - B, L, B}, {0, H - B, L, B});
    if (R * T > 0) stretch({cx + cw - R, cy, R, T}, {W - R, 0, R, T});
    if (L > 0) stretch({cx, cy + T, L, ch - T - B}, {0, T, L, H - T - B});
    if (T > 0) stretch({cx + L, cy, cw - L - R, T}, {L, 0, W - L - R, T});
    plan.Add({{cx + L, cy + T, cw - L - R, ch - T - B}, {L, T, W - L - R, H - T - B}, middle});
    if (R * B > 0) stretch({cx + cw - R, cy + ch - B, R, B}, {W - R, H - B, R, B});
    if (R > 0) stretch({cx + cw - R, cy + T, R, ch - T - B}, {W - R, T, R, H - T - B});
    if (B > 0) stretch({cx + L, cy + ch - B, cw - L - R, B}, {L, H - B, W - L - R, B});
    return plan;
}

ThreePartPlan ThreePart(const SkinRect& cell, SliceMargins margins, int width, int height) noexcept {
    ThreePartPlan plan;
    if (cell.Empty() || width <= 0 || height <= 0) return plan;
    const SliceMargins m = FitMargins(margins, cell.width, cell.height);
    const int L = m.left, R = m.right;
    plan.left = {{cell.x, cell.y, L, cell.height}, {0, 0, L, height}, MiddleMode::Stretch};
    plan.right = {{cell.x + cell.width - R, cell.y, R, cell.height}, {width - R, 0, R, height}, MiddleMode::Stretch};
    const int middle = cell.width - L - R;
    if (middle > 0) {  // a middle of no width would never advance the loop
        plan.middleSource = SkinRect{cell.x + L, cell.y, middle, cell.height};
        plan.middleFrom = L;
        plan.middleTo = width - R;
    }
    return plan;
}

SlicePlan StretchedStrip(const SkinRect& cell, SliceMargins margins, const SkinRect& area) noexcept {
    SlicePlan plan;
    if (cell.Empty() || area.Empty()) return plan;
    const int D = area.width, h = area.height;
    if (cell.width > D) {
        plan.Add({cell, area, MiddleMode::Stretch});
        return plan;
    }
    const SliceMargins m = FitMargins(margins, cell.width, cell.height);
    const int L = m.left, R = m.right;
    plan.Add({{cell.x, cell.y, L, cell.height}, {area.x, area.y, L, h}, MiddleMode::Stretch});
    plan.Add({{cell.x + L, cell.y, cell.width - L - R, cell.height}, {area.x + L, area.y, D - L - R, h},
              MiddleMode::Stretch});
    plan.Add({{cell.x + cell.width - R, cell.y, R, cell.height}, {area.x + D - R, area.y, R, h}, MiddleMode::Stretch});
    return plan;
}

SkinRect CentredIn(const SkinRect& area, int width, int height) noexcept {
    return {area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height};
}

TileRun VisibleTiles(int from, int to, int step, int visibleFrom, int visibleTo) noexcept {
    const int64_t end = std::min<int64_t>(to, visibleTo);
    if (step <= 0 || from >= end) return {};
    // Skip the tiles that end before the visible part starts.
    int64_t first = 0;
    if (int64_t{visibleFrom} > from) first = (int64_t{visibleFrom} - from) / step;
    const int64_t firstStart = from + first * step;
    if (firstStart >= end) return {};
    const int64_t count = (end - firstStart + step - 1) / step;
    return {first, count};
}
