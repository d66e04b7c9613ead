#include "skin/controls/TrackBarLayout.h"

namespace {

SkinRect Transposed(const SkinRect& r) noexcept { return {r.y, r.x, r.height, r.width}; }

}  // namespace

TrackDrawAnswer TrackCustomDraw(uint32_t stage, uintptr_t item) noexcept {
    using namespace customdraw;
    if (stage == kPrePaint) return {kNotifyItemDraw, TrackPart::None};
    if (stage != kItemPrePaint) return {};
    switch (item) {
    case kThumb: return {kSkipDefault, TrackPart::Thumb};
    case kChannel: return {kSkipDefault, TrackPart::Channel};
    default: return {};
    }
}

core::Rect Transposed(const core::Rect& rect) noexcept { return {rect.top, rect.left, rect.bottom, rect.right}; }

core::Rect UprightChannel(const core::Rect& reported) noexcept {
    return reported.Width() > reported.Height() ? Transposed(reported) : reported;
}

SlicePlan GroovePieces(const core::Rect& channel, core::Size image, const SliceMargins& margins, bool vertical) noexcept {
    // A vertical groove is planned as a horizontal one with both axes exchanged.
    const core::Rect along = vertical ? Transposed(channel) : channel;
    const SkinRect picture = vertical ? SkinRect{0, 0, image.height, image.width} : SkinRect{0, 0, image.width, image.height};
    SliceMargins ends = vertical ? SliceMargins{margins.top, 0, margins.bottom, 0} : SliceMargins{margins.left, 0, margins.right, 0};
    if (along.Width() < ends.left + ends.right) ends.left = ends.right = 0;
    const int thickness = picture.height;
    const int offset = thickness < along.Height() ? (along.Height() - thickness) / 2 : 0;
    const SlicePlan flat = StretchedStrip(picture, ends, {along.left, along.top + offset, along.Width(), thickness});
    if (!vertical) return flat;
    SlicePlan plan;
    for (const SlicePiece& piece : flat.Pieces()) plan.Add({Transposed(piece.source), Transposed(piece.target), piece.mode});
    return plan;
}
