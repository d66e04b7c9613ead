#pragma once
// Image utilities of the skin engine: grey, mirrored, flipped and turned skin bitmaps
// (changed in place), key-colour replacement, colour mixing and saturation with system
// colours resolved, cached gradients, and two text helpers. GUI thread only (the
// gradient cache is shared and unguarded). None of them throws; the bitmap routines
// return false when a bitmap could not be made.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"

#include <string>
#include <string_view>

#include <windows.h>

// Each pixel's three channels replaced by their mean; the bitmap becomes 24-bit.
bool GrayImage(TBitmap& bitmap) noexcept;

// Every pure magenta pixel (255, 0, 255) takes `colour` (a system colour is resolved
// now); the bitmap becomes 24-bit.
bool ReplaceKeyColour(TBitmap& bitmap, TColor colour) noexcept;

// Mirror (left and right swapped), flip (top and bottom swapped), and quarter turns
// counter-clockwise (left) and clockwise (right), which swap width and height. 24-bit
// and 32-bit bitmaps keep their format; others become 24-bit first.
bool MirrorImage(TBitmap& bitmap) noexcept;
bool FlipImage(TBitmap& bitmap) noexcept;
bool RotateLeft(TBitmap& bitmap) noexcept;
bool RotateRight(TBitmap& bitmap) noexcept;

// MixRgb (ColourMath.h) of the two colours with system colours resolved.
TColor MixColour(TColor colour1, TColor colour2, int weight) noexcept;

// RgbSaturation (ColourMath.h) of the colour with a system colour resolved.
int ColourSaturation(TColor colour) noexcept;

// Which way a gradient runs: across the columns or down the rows.
enum class GradientDirection { LeftToRight, TopToBottom };

// Fills `rect` one-pixel band by band from `from` to `to` (system colours resolved),
// drawing only the bands inside the DC's clip box. The band colours come from the
// shared gradient cache.
bool GradientFill(HDC dc, const RECT& rect, TColor from, GradientDirection direction, TColor to) noexcept;

// 8-bit text in the system's ANSI code page as wide text.
std::wstring AnsiToWide(std::string_view text);

// Which text call DrawWideText makes: the wide one on the NT family, the 8-bit one on
// the older family.
enum class TextCall { ForPlatform, Wide, Ansi };

// DrawTextW of the whole text (or, on the older family, DrawTextA of its ANSI form);
// returns the platform call's result, 0 on failure. The text is never written to:
// DT_MODIFYSTRING is ignored.
int DrawWideText(HDC dc, std::wstring_view text, RECT& rect, UINT format,
                 TextCall call = TextCall::ForPlatform) noexcept;
