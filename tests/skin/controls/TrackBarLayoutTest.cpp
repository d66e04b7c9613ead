#include "skin/controls/TrackBarLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace customdraw;

TEST(TrackBarLayout, CustomDrawAnswersTakeTheChannelAndThumbAndLeaveTheRest) {
    EXPECT_EQ(TrackCustomDraw(kPrePaint, 0), (TrackDrawAnswer{kNotifyItemDraw, TrackPart::None}));
    EXPECT_EQ(TrackCustomDraw(kItemPrePaint, kTics), (TrackDrawAnswer{kDoDefault, TrackPart::None}));
    EXPECT_EQ(TrackCustomDraw(kItemPrePaint, kThumb), (TrackDrawAnswer{kSkipDefault, TrackPart::Thumb}));
    EXPECT_EQ(TrackCustomDraw(kItemPrePaint, kChannel), (TrackDrawAnswer{kSkipDefault, TrackPart::Channel}));
    // Other items, and the thumb or channel at any other stage (after painting, erasing).
    for (uintptr_t item : {uintptr_t{0}, uintptr_t{4}}) EXPECT_EQ(TrackCustomDraw(kItemPrePaint, item), TrackDrawAnswer{});
    for (uint32_t stage : {0x2u, 0x3u, 0x4u, 0x10002u, 0x10003u})
        for (uintptr_t item : {kThumb, kChannel}) EXPECT_EQ(TrackCustomDraw(stage, item), TrackDrawAnswer{}) << stage;
}

std::vector<SlicePiece> Pieces(const SlicePlan& plan) { return {plan.Pieces().begin(), plan.Pieces().end()}; }

TEST(TrackBarLayout, AHorizontalGrooveHasCapsAndAStretchedMiddleAtItsOwnHeight) {
    // A picture taller than the channel keeps its height from the channel's top.
    EXPECT_EQ(Pieces(GroovePieces({8, 10, 108, 14}, {30, 8}, {5, 1, 6, 1}, false)),
              (std::vector<SlicePiece>{{{0, 0, 5, 8}, {8, 10, 5, 8}},
                                       {{5, 0, 19, 8}, {13, 10, 89, 8}},
                                       {{24, 0, 6, 8}, {102, 10, 6, 8}}}));
    // A thinner one is centred in the channel.
    const auto thin = Pieces(GroovePieces({8, 10, 108, 20}, {30, 4}, {5, 0, 6, 0}, false));
    ASSERT_EQ(thin.size(), 3u);
    for (const SlicePiece& piece : thin) EXPECT_EQ(piece.target.y, 13);
}

TEST(TrackBarLayout, AVerticalGrooveUsesTheTopAndBottomMargins) {
    EXPECT_EQ(Pieces(GroovePieces({10, 8, 14, 108}, {8, 30}, {1, 5, 1, 6}, true)),
              (std::vector<SlicePiece>{{{0, 0, 8, 5}, {10, 8, 8, 5}},
                                       {{0, 5, 8, 19}, {10, 13, 8, 89}},
                                       {{0, 24, 8, 6}, {10, 102, 8, 6}}}));
    const auto thin = Pieces(GroovePieces({10, 8, 30, 108}, {6, 30}, {0, 5, 0, 6}, true));
    ASSERT_EQ(thin.size(), 3u);
    for (const SlicePiece& piece : thin) EXPECT_EQ(piece.target.x, 17);
    EXPECT_EQ(Transposed({1, 2, 3, 4}), (core::Rect{2, 1, 4, 3}));
}

TEST(TrackBarLayout, AVerticalChannelStandsUprightWhicheverWayItIsReported) {
    EXPECT_EQ(UprightChannel({8, 9, 192, 13}), (core::Rect{9, 8, 13, 192}));  // lying on its side
    EXPECT_EQ(UprightChannel({9, 8, 13, 192}), (core::Rect{9, 8, 13, 192}));  // upright already
}

TEST(TrackBarLayout, AShortChannelGetsNoCapsAndNothingMirrored) {
    for (const bool vertical : {false, true}) {
        const core::Rect channel = vertical ? core::Rect{0, 0, 4, 10} : core::Rect{0, 0, 10, 4};
        const core::Size image = vertical ? core::Size{4, 30} : core::Size{30, 4};
        const auto pieces = Pieces(GroovePieces(channel, image, {6, 6, 6, 6}, vertical));
        ASSERT_FALSE(pieces.empty());
        int length = 0;
        for (const SlicePiece& piece : pieces) {
            EXPECT_FALSE(piece.source.Empty());
            EXPECT_FALSE(piece.target.Empty());
            length += vertical ? piece.target.height : piece.target.width;
        }
        EXPECT_EQ(length, 10) << vertical;  // the pieces fill the channel's length exactly
    }
    EXPECT_TRUE(Pieces(GroovePieces({0, 0, 0, 4}, {30, 4}, {6, 0, 6, 0}, false)).empty());
    EXPECT_TRUE(Pieces(GroovePieces({0, 0, 50, 4}, {0, 0}, {6, 0, 6, 0}, false)).empty());
}

}  // namespace
