#pragma once
// A view of 32-bit pixels: BGRA, top row first, `stride` pixels from one row to
// the next. That is the memory of a 32-bpp top-down DIB section, so the same
// code draws into a DIB under Windows and into a std::vector natively.
// Platform-neutral; the view does not own the pixels.

#include <cstdint>
#include <span>

struct PixelView {
    int width = 0;
    int height = 0;
    int stride = 0;  // in pixels, >= width
    std::span<uint32_t> pixels;

    PixelView() = default;
    PixelView(int w, int h, int s, std::span<uint32_t> p) noexcept : width(w), height(h), stride(s), pixels(p) {}
    // A view of a packed buffer (stride = width); empty when the buffer is too small.
    static PixelView Packed(std::span<uint32_t> buffer, int w, int h) noexcept {
        if (w <= 0 || h <= 0 || buffer.size() < static_cast<size_t>(w) * static_cast<size_t>(h)) return {};
        return PixelView(w, h, w, buffer);
    }

    bool Empty() const noexcept { return width <= 0 || height <= 0; }
    bool Contains(int x, int y) const noexcept { return x >= 0 && y >= 0 && x < width && y < height; }
    std::span<uint32_t> Row(int y) const noexcept {
        return pixels.subspan(static_cast<size_t>(y) * static_cast<size_t>(stride), static_cast<size_t>(width));
    }
    uint32_t& At(int x, int y) const noexcept {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x)];
    }
};

// 0xAARRGGBB as it sits in a BGRA pixel in memory on a little-endian machine.
constexpr uint32_t Bgra(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 0xFF) noexcept {
    return static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(red) << 16 |
           static_cast<uint32_t>(green) << 8 | blue;
}
