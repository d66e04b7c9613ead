#pragma once
// Pictures and checks shared by the skin drawing tests.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"

#include <windows.h>

inline constexpr COLORREF kSentinel = RGB(1, 2, 3);

inline COLORREF Ref(TColor colour) { return static_cast<COLORREF>(colour) & 0xFFFFFF; }

// A 24-bit bitmap of the given size, filled with `ground`.
inline void Prepare(TBitmap& bitmap, int width, int height, TColor ground) {
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(width, height);
    auto& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(ground);
    canvas.FillRect({0, 0, width, height});
}

inline void Paint(TBitmap& bitmap, const RECT& area, TColor colour) {
    auto& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(colour);
    canvas.FillRect(area);
}

// True when every pixel of `area` of the bitmap has `colour`.
inline bool AllPixels(const TBitmap& bitmap, const RECT& area, TColor colour) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (bitmap.PixelColour(x, y) != colour) return false;
    return true;
}
