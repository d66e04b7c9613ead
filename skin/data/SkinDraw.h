#pragma once
// The routines that draw skin bitmaps: nine-slice cutting, three-part and stretched
// strips, single cells, tiles, copies that leave the key colour out, and window regions
// cut from a picture. Each call makes its temporary bitmaps and frees them before it
// returns; stretching is nearest-neighbour (COLORONCOLOR). They never throw: a paint
// routine returns false when it could not draw (an empty image, a frame the bitmap does
// not have, a GDI failure) and true when it drew or the rectangle was empty or inverted,
// which draws nothing.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/win/Handles.h"
#include "skin/data/SliceGeometry.h"

#include <memory>

#include <windows.h>

// Magenta marks the transparent pixels of every skin bitmap.
inline constexpr TColor kKeyColour = RgbColour(255, 0, 255);

// Opaque copy, or one that leaves pixels of the key colour out.
enum class Transparency { Opaque, KeyColour };
// The Trans field of a skin object: 0 opaque, anything else transparent.
constexpr Transparency TransparencyOf(int trans) noexcept {
    return trans != 0 ? Transparency::KeyColour : Transparency::Opaque;
}
// The Tile field of a skin object (not of a window border, which holds its stretch flag).
constexpr MiddleMode MiddleModeOf(int tile) noexcept { return tile == 1 ? MiddleMode::Tile : MiddleMode::Stretch; }

// How DrawMasked leaves the key colour out: one masked transfer (MaskBlt) on the NT
// family; three raster operations (XOR, AND, XOR) on systems without MaskBlt; or those
// three done on a copy of the destination that then goes back in one transfer. All give
// the same pixels. Under Wine, where MaskBlt is slow, ForPlatform takes the raster
// operations: composed for a screen, straight in for an off-screen bitmap.
enum class MaskMethod { ForPlatform, MaskedTransfer, XorAndXor, Composed };

// Frame `frame` of `image` cut into nine pieces and put together at the size of
// `target`: corners copied, edges stretched along their length, the middle stretched or
// tiled. Null when there is nothing to draw (empty target, empty image, no such frame)
// or a bitmap cannot be made. The caller owns the result.
[[nodiscard]] std::unique_ptr<TBitmap> SliceImage(const RECT& target, const TBitmap& image,
                                                  const SliceMargins& margins, FrameLayout layout,
                                                  MiddleMode middle, int frameCount, int frame) noexcept;

// SliceImage at `rect`, copied opaque or with the key colour left out.
bool DrawSliced(HDC dc, const RECT& rect, const TBitmap& image, FrameLayout layout, MiddleMode middle,
                Transparency trans, int frameCount, int frame, const SliceMargins& margins) noexcept;

// A horizontal strip: left piece, the middle repeated at its own width, right piece,
// each stretched to the full height. Only the left and right margins count.
bool DrawThreePart(TCanvas& canvas, const RECT& rect, const TBitmap& image, FrameLayout layout,
                   Transparency trans, int frameCount, int frame, const SliceMargins& margins) noexcept;

// One frame of a horizontal strip stretched to `rect`.
bool DrawCell(HDC dc, const RECT& rect, const TBitmap& image, Transparency trans, int frameCount, int frame) noexcept;

// One frame of a horizontal strip at its own size, centred in `rect` (it may stick out).
bool DrawCellCentered(HDC dc, const RECT& rect, const TBitmap& image, Transparency trans, int frameCount,
                      int frame) noexcept;

// Left piece, stretched middle and right piece straight into the DC over the full height
// of `rect`; the whole frame stretched when it is wider than `rect`.
bool DrawStretchedStrip(HDC dc, const RECT& rect, const TBitmap& image, FrameLayout layout, int frameCount,
                        int frame, const SliceMargins& margins) noexcept;

// `source` of `image` repeated from the top-left of `dest`; the last column and row are
// drawn whole and may run past `dest`. Nothing for a source with a negative or empty size.
bool TileImage(TCanvas& canvas, const RECT& dest, const TBitmap& image, const RECT& source) noexcept;

// `image` from its origin, unscaled, into `rect`, leaving out the pixels of `keyColour`.
bool DrawMasked(HDC dc, const RECT& rect, const TBitmap& image, TColor keyColour,
                MaskMethod method = MaskMethod::ForPlatform) noexcept;

// The region of the pixels of `image` that are not of the key colour (each channel
// within key .. key + tolerance counts as key), moved by the offsets. Converts `image`
// to 32 bits per pixel in place. Empty for an empty image; null only when GDI fails.
// The caller owns the region.
[[nodiscard]] RegionHandle RegionFromBitmap(TBitmap& image, int offsetX, int offsetY, int toleranceBlue,
                                            int toleranceGreen, int toleranceRed, TColor keyColour) noexcept;
