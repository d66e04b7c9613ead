#pragma once
// Windows bitmap and icon files from PixelViews: 24-bit BMP for the speed-button
// glyphs, ICO with 32-bit (straight alpha) images for the program icon.

#include "framework/PixelView.h"

#include <cstdint>
#include <vector>

std::vector<uint8_t> EncodeBmp24(const PixelView& image);
// Images of at most 256 pixels square, in the order given.
std::vector<uint8_t> EncodeIco(const std::vector<PixelView>& images);
