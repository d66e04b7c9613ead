#pragma once
// Writes a PixelView as a binary PPM, for looking at what the tools make.

#include "framework/graphics/PixelView.h"

#include <fstream>
#include <string>

inline bool WritePpm(const std::string& path, const PixelView& view) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << view.width << ' ' << view.height << "\n255\n";
    for (int y = 0; y < view.height; ++y)
        for (int x = 0; x < view.width; ++x) {
            const uint32_t p = view.At(x, y);
            const char rgb[3] = {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p)};
            out.write(rgb, 3);
        }
    return static_cast<bool>(out);
}
