#pragma once
// A small pixel canvas for drawing skin bitmaps: 24-bit colours, magenta for the
// transparent pixels, hard-edged rounded rectangles (an edge blended into magenta would
// leave a pink fringe), gradients and pixel-art glyphs. Host tool code.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const noexcept = default;
};

constexpr Rgb Hex(uint32_t rgb) noexcept {
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
}
inline constexpr Rgb kKey = Hex(0xFF00FF);

// `weight` of `a` (0..1000) and the rest of `b`, rounded.
Rgb Mix(Rgb a, Rgb b, int weight) noexcept;

class Picture {
public:
    Picture(int width, int height, Rgb fill = kKey);

    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    Rgb At(int x, int y) const noexcept { return m_pixels[Index(x, y)]; }
    // Pixels outside the picture are ignored.
    void Set(int x, int y, Rgb colour) noexcept;

    // Rectangles are [x0, x1) x [y0, y1).
    void Fill(int x0, int y0, int x1, int y1, Rgb colour) noexcept;
    void VerticalGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) noexcept;
    void HorizontalGradient(int x0, int y0, int x1, int y1, Rgb left, Rgb right) noexcept;

    // Rounded rectangles: a pixel belongs when its centre lies inside; `radius` 0 is square.
    static bool InsideRound(int x, int y, int x0, int y0, int x1, int y1, int radius) noexcept;
    void FillRound(int x0, int y0, int x1, int y1, int radius, Rgb colour) noexcept;
    void GradientRound(int x0, int y0, int x1, int y1, int radius, Rgb top, Rgb bottom) noexcept;
    // The one-pixel ring of a rounded rectangle.
    void OutlineRound(int x0, int y0, int x1, int y1, int radius, Rgb colour) noexcept;
    // Lighting from the top left: `light` on the inner top and left edge, `shade` on the
    // inner bottom and right edge of a rounded rectangle one pixel inside its outline.
    void Bevel(int x0, int y0, int x1, int y1, int radius, Rgb light, Rgb shade) noexcept;

    // A pixel-art glyph: rows of text, '#' drawn in `colour`, anything else left.
    void Stamp(int x, int y, std::span<const std::string_view> rows, Rgb colour) noexcept;
    // Stamp centred in the rectangle (rounded towards the top left).
    void StampCentred(int x0, int y0, int x1, int y1, std::span<const std::string_view> rows,
                      Rgb colour) noexcept;

    // Every pixel but the transparent ones through `recolour`.
    template <class Map>
    void Recolour(Map recolour) {
        for (Rgb& pixel : m_pixels)
            if (pixel != kKey) pixel = recolour(pixel);
    }

    // Copies `source` with its top-left at (x, y).
    void Paste(const Picture& source, int x, int y) noexcept;
    // The same picture mirrored left to right, or turned a quarter clockwise.
    Picture Mirrored() const;
    Picture TurnedClockwise() const;

    // A Windows bitmap file, 24 bits per pixel.
    std::vector<std::byte> Bmp24() const;

private:
    size_t Index(int x, int y) const noexcept {
        return static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x);
    }

    int m_width;
    int m_height;
    std::vector<Rgb> m_pixels;
};

// A strip of `count` equal cells side by side, each drawn by `draw(cell, index)`.
template <class Draw>
Picture Strip(int cellWidth, int cellHeight, int count, Draw draw) {
    Picture strip(cellWidth * count, cellHeight);
    for (int i = 0; i < count; ++i) {
        Picture cell(cellWidth, cellHeight);
        draw(cell, i);
        strip.Paste(cell, i * cellWidth, 0);
    }
    return strip;
}

// The same, stacked top to bottom.
template <class Draw>
Picture Stack(int cellWidth, int cellHeight, int count, Draw draw) {
    Picture stack(cellWidth, cellHeight * count);
    for (int i = 0; i < count; ++i) {
        Picture cell(cellWidth, cellHeight);
        draw(cell, i);
        stack.Paste(cell, 0, i * cellHeight);
    }
    return stack;
}
