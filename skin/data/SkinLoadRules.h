#pragma once
// The arithmetic a skin load applies besides the frame rules: the bounds that keep a
// hostile description from reaching the painting code, the size limit for skin
// bitmaps, and the colours of the generated toolbar background. Platform-neutral.

#include "framework/graphics/Colors.h"

#include <cstddef>
#include <cstdint>
#include <span>

// A frame count every consumer can divide by: at least 1, and, for a non-empty
// picture, no more frames than it has pixels along its frame direction (`extent`), so
// that no frame is empty.
int SaneFrameCount(int count, int extent) noexcept;

// The caption text placement of the title object is a pixel offset; a description value
// beyond this would only move the text off every window.
inline constexpr int kMaxTextOffset = 1024;
int SaneTextOffset(int value) noexcept;

// Skin bitmaps are small pictures. A file declaring more pixels than this (say, a
// run-length coded 30000 x 30000 picture of a few bytes) is refused before it is
// decoded, so a hostile skin cannot make the load allocate gigabytes.
inline constexpr int64_t kMaxSkinBitmapPixels = int64_t{4096} * 4096;
// True when the bitmap file's header declares a picture within the limit; false for a
// header too short to say. Decoding still checks everything else.
bool SkinBitmapSizeAllowed(std::span<const std::byte> bitmapFile) noexcept;

// The vertical gradient behind tool bars, from the skin's form colour and title colour
// (both plain RGB): the top is the form colour lightened, the bottom a grey tinted by the
// title colour, or, for a strongly saturated title colour, that colour lightened by more
// the more saturated it is.
struct ToolbarGradientColours {
    TColor top = 0;
    TColor bottom = 0;
};
ToolbarGradientColours ToolbarGradient(TColor buttonFace, TColor titleColour) noexcept;
