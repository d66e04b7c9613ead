#include "tools/skinmaker/Picture.h"

#include "framework/graphics/BmpCodec.h"

#include <algorithm>

Rgb Mix(Rgb a, Rgb b, int weight) noexcept {
    const auto channel = [weight](int x, int y) {
        return static_cast<uint8_t>((x * weight + y * (1000 - weight) + 500) / 1000);
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

Picture::Picture(int width, int height, Rgb fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

void Picture::Set(int x, int y, Rgb colour) noexcept {
    if (x >= 0 && y >= 0 && x < m_width && y < m_height) m_pixels[Index(x, y)] = colour;
}

void Picture::Fill(int x0, int y0, int x1, int y1, Rgb colour) noexcept {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) Set(x, y, colour);
}

void Picture::VerticalGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) noexcept {
    const int span = std::max(1, y1 - y0 - 1);
    for (int y = y0; y < y1; ++y) Fill(x0, y, x1, y + 1, Mix(bottom, top, 1000 * (y - y0) / span));
}

void Picture::HorizontalGradient(int x0, int y0, int x1, int y1, Rgb left, Rgb right) noexcept {
    const int span = std::max(1, x1 - x0 - 1);
    for (int x = x0; x < x1; ++x) Fill(x, y0, x + 1, y1, Mix(right, left, 1000 * (x - x0) / span));
}

bool Picture::InsideRound(int x, int y, int x0, int y0, int x1, int y1, int radius) noexcept {
    if (x < x0 || y < y0 || x >= x1 || y >= y1) return false;
    if (radius <= 0) return true;
    // Work in half pixels so that pixel centres and corner centres are whole numbers.
    const int px = 2 * x + 1, py = 2 * y + 1;
    const int left = 2 * (x0 + radius), right = 2 * (x1 - radius), top = 2 * (y0 + radius), bottom = 2 * (y1 - radius);
    const int cx = px < left ? left : (px > right ? right : px);
    const int cy = py < top ? top : (py > bottom ? bottom : py);
    const int dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= 4 * radius * radius;
}

void Picture::FillRound(int x0, int y0, int x1, int y1, int radius, Rgb colour) noexcept {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (InsideRound(x, y, x0, y0, x1, y1, radius)) Set(x, y, colour);
}

void Picture::GradientRound(int x0, int y0, int x1, int y1, int radius, Rgb top, Rgb bottom) noexcept {
    const int span = std::max(1, y1 - y0 - 1);
    for (int y = y0; y < y1; ++y) {
        const Rgb colour = Mix(bottom, top, 1000 * (y - y0) / span);
        for (int x = x0; x < x1; ++x)
            if (InsideRound(x, y, x0, y0, x1, y1, radius)) Set(x, y, colour);
    }
}

void Picture::OutlineRound(int x0, int y0, int x1, int y1, int radius, Rgb colour) noexcept {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (InsideRound(x, y, x0, y0, x1, y1, radius) &&
                !InsideRound(x, y, x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(0, radius - 1)))
                Set(x, y, colour);
}

void Picture::Bevel(int x0, int y0, int x1, int y1, int radius, Rgb light, Rgb shade) noexcept {
    // The ring one pixel inside the outline; each of its pixels takes the light of the
    // edge it lies nearest to, the top and left ones first where two are as near.
    const int ix0 = x0 + 1, iy0 = y0 + 1, ix1 = x1 - 1, iy1 = y1 - 1, inner = std::max(0, radius - 1);
    for (int y = iy0; y < iy1; ++y)
        for (int x = ix0; x < ix1; ++x) {
            if (!InsideRound(x, y, ix0, iy0, ix1, iy1, inner) ||
                InsideRound(x, y, ix0 + 1, iy0 + 1, ix1 - 1, iy1 - 1, std::max(0, inner - 1)))
                continue;
            const int lit = std::min(y - iy0, x - ix0), shaded = std::min(iy1 - 1 - y, ix1 - 1 - x);
            Set(x, y, lit <= shaded ? light : shade);
        }
}

void Picture::Stamp(int x, int y, std::span<const std::string_view> rows, Rgb colour) noexcept {
    int row = 0;
    for (const std::string_view line : rows) {
        for (size_t col = 0; col < line.size(); ++col)
            if (line[col] == '#') Set(x + static_cast<int>(col), y + row, colour);
        ++row;
    }
}

void Picture::StampCentred(int x0, int y0, int x1, int y1, std::span<const std::string_view> rows,
                           Rgb colour) noexcept {
    int width = 0;
    for (const std::string_view line : rows) width = std::max(width, static_cast<int>(line.size()));
    const int height = static_cast<int>(rows.size());
    Stamp(x0 + (x1 - x0 - width) / 2, y0 + (y1 - y0 - height) / 2, rows, colour);
}

void Picture::Paste(const Picture& source, int x, int y) noexcept {
    for (int sy = 0; sy < source.m_height; ++sy)
        for (int sx = 0; sx < source.m_width; ++sx) Set(x + sx, y + sy, source.At(sx, sy));
}

Picture Picture::Mirrored() const {
    Picture out(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) out.Set(m_width - 1 - x, y, At(x, y));
    return out;
}

Picture Picture::TurnedClockwise() const {
    Picture out(m_height, m_width);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) out.Set(m_height - 1 - y, x, At(x, y));
    return out;
}

std::vector<std::byte> Picture::Bmp24() const {
    DecodedBmp bmp;
    bmp.width = m_width;
    bmp.height = m_height;
    bmp.bitCount = 24;
    bmp.pixels.resize(bmp.Stride() * static_cast<size_t>(m_height));
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const Rgb p = At(x, y);
            uint8_t* out = bmp.pixels.data() + static_cast<size_t>(y) * bmp.Stride() + static_cast<size_t>(x) * 3;
            out[0] = p.b, out[1] = p.g, out[2] = p.r;
        }
    return EncodeBmp(bmp);
}
