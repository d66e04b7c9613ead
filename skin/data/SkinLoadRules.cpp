#include "skin/data/SkinLoadRules.h"

#include "framework/core/LittleEndian.h"
#include "skin/data/ColourMath.h"

#include <algorithm>

int SaneFrameCount(int count, int extent) noexcept {
    count = std::max(count, 1);
    return extent > 0 ? std::min(count, extent) : count;
}

int SaneTextOffset(int value) noexcept { return std::clamp(value, -kMaxTextOffset, kMaxTextOffset); }

bool SkinBitmapSizeAllowed(std::span<const std::byte> bitmapFile) noexcept {
    constexpr size_t kFileHeader = 14;
    if (bitmapFile.size() < kFileHeader + 12) return false;
    const int32_t headerSize = static_cast<int32_t>(GetLe32(bitmapFile, kFileHeader));
    int64_t width = 0, height = 0;
    if (headerSize == 12) {  // the old core header: 16-bit sizes
        width = GetLe16(bitmapFile, kFileHeader + 4);
        height = GetLe16(bitmapFile, kFileHeader + 6);
    } else {
        width = static_cast<int32_t>(GetLe32(bitmapFile, kFileHeader + 4));
        height = static_cast<int32_t>(GetLe32(bitmapFile, kFileHeader + 8));  // negative for top-down rows
    }
    width = width < 0 ? -width : width;
    height = height < 0 ? -height : height;
    return width * height <= kMaxSkinBitmapPixels;
}

ToolbarGradientColours ToolbarGradient(TColor buttonFace, TColor titleColour) noexcept {
    ToolbarGradientColours colours;
    colours.top = MixRgb(buttonFace, clWhite, 150);
    const int saturation = RgbSaturation(titleColour);
    if (saturation > 110)
        colours.bottom = MixRgb(titleColour, clWhite, (5625 - 25 * saturation) / 140 + 50);
    else
        colours.bottom = MixRgb(clGray, titleColour, 150);
    return colours;
}
