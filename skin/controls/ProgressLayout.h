#pragma once
// The arithmetic of a skinned progress bar: how much of it is filled, the picture it is
// composed in (laid on its side for a vertical bar, which is turned upright afterwards,
// so both directions draw the same pictures), and where the chunks of a two-picture skin
// go. Platform-neutral.

#include "framework/core/Geometry.h"

// The filled part of a bar `extent` pixels long at `position` of `maximum`, rounded as
// MulDiv rounds; 0 while the position or the maximum is not positive, never more than
// the bar.
int ProgressFilled(int extent, int position, int maximum) noexcept;

// The size of the picture a bar of `bar` size is composed in: a vertical bar's is
// transposed, its length running left to right like a horizontal bar's.
core::Size ProgressPicture(core::Size bar, bool vertical) noexcept;

// Chunks repeated side by side: `count` copies `step` apart from `origin`.
struct ChunkRun {
    core::Point origin;
    int step = 0;
    int count = 0;
};

// The tiled chunks over `filled` pixels of a picture `height` high: one more than fit
// whole, from two pixels right of the chunk picture's left margin, centred vertically.
// None when nothing is filled or the chunk picture is empty.
ChunkRun TiledChunks(int filled, int height, core::Size chunk, int leftMargin) noexcept;

// A stretched chunk over `filled` pixels of a picture `height` high: inside a two-pixel
// border. Empty when nothing is filled or the picture is too low.
core::Rect StretchedChunk(int filled, int height) noexcept;
