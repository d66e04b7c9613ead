// Draws the main window's images: the sixteen 137 x 33 lesson glyphs, the 20 x 20
// About die and the program icon (128, 96, 64, 48 and 32 pixels, 32-bit):
//   arttool <output folder>
// writes glyph-a.bmp ... glyph-p.bmp, about.bmp and kestrelle.ico.

#include "flash/Rasterizer.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/IconFile.h"
#include "tools/common/ContentFonts.h"
#include "tools/common/FontOutline.h"
#include "tools/common/SaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace {

// The glyph text is a shade off the ground, because speed buttons leave out every
// pixel of exactly the ground colour and the letters would show the button face.
constexpr uint32_t kGround = Bgra(0xFF, 0xCF, 0x00), kDarkGreen = Bgra(0x00, 0x65, 0x00),
                   kYellow = Bgra(0xFF, 0xCF, 0x00), kGlyphText = Bgra(0xFF, 0xD2, 0x00), kDieGround = Bgra(0xF7, 0xF3, 0xF7),
                   kDieRed = Bgra(0xD0, 0x10, 0x18), kDieEdge = Bgra(0x8C, 0x08, 0x10),
                   kWhite = Bgra(0xFF, 0xFF, 0xFF), kOrange = Bgra(0xFF, 0x8C, 0x1A);

struct Image {
    Image(int w, int h, uint32_t fill) : pixels(static_cast<size_t>(w) * h, fill), view{w, h, w, pixels} {}
    std::vector<uint32_t> pixels;
    PixelView view;
};

struct RasterSink : OutlineSink {
    explicit RasterSink(Rasterizer& r) : raster{r} {}
    void MoveTo(double x, double y) override { raster.MoveTo(x, y); }
    void LineTo(double x, double y) override { raster.LineTo(x, y); }
    void QuadTo(double cx, double cy, double x, double y) override { raster.QuadTo(cx, cy, x, y); }
    Rasterizer& raster;
};

// Eight quadratic arcs, each within a thousandth of the radius of the true ellipse.
void Ellipse(Rasterizer& r, double cx, double cy, double rx, double ry) {
    const double step = std::numbers::pi / 4, reach = 1 / std::cos(step / 2);
    r.MoveTo(cx + rx, cy);
    for (int i = 0; i < 8; ++i) {
        const double mid = step * (i + 0.5), end = step * (i + 1);
        r.QuadTo(cx + rx * reach * std::cos(mid), cy + ry * reach * std::sin(mid), cx + rx * std::cos(end),
                 cy + ry * std::sin(end));
    }
    r.Close();
}

void RoundRect(Rasterizer& r, double x0, double y0, double x1, double y1, double radius) {
    r.MoveTo(x0 + radius, y0);
    r.LineTo(x1 - radius, y0);
    r.QuadTo(x1, y0, x1, y0 + radius);
    r.LineTo(x1, y1 - radius);
    r.QuadTo(x1, y1, x1 - radius, y1);
    r.LineTo(x0 + radius, y1);
    r.QuadTo(x0, y1, x0, y1 - radius);
    r.LineTo(x0, y0 + radius);
    r.QuadTo(x0, y0, x0 + radius, y0);
    r.Close();
}

void Fill(Rasterizer& r, const Image& image, uint32_t colour) {
    r.Fill(image.view, {0, 0, image.view.width, image.view.height}, colour, FillRule::NonZero);
}

// Text centred on (cx, cy) by its advance and its ink height.
void CentredText(Rasterizer& r, const FontSet& fonts, const std::string& text, double size, double cx, double cy) {
    const std::u32string t = Utf32(text);
    const double width = fonts.Width(t, size);
    const double baseline = cy + (fonts.InkTop(t, size) - fonts.InkBottom(t, size)) / 2;
    RasterSink sink{r};
    fonts.Draw(t, size, cx - width / 2, baseline, sink);
}

struct GlyphSpec {
    char letter;
    std::vector<std::string> marks;  // four title characters, or two to four symbols
    bool title;
};

Image LessonGlyph(const GlyphSpec& spec, const FontSet& cjk, const FontSet& ipa) {
    Image image{137, 33, kGround};
    Rasterizer r{16};
    const size_t n = spec.marks.size();
    // Circles 31 px across, 34 apart; ovals 31 x 25, 33 apart; the group centred.
    const double pitch = spec.title ? 34 : 33;
    const double first = 68.5 - pitch * (n - 1) / 2.0;
    for (size_t i = 0; i < n; ++i) {
        const double cx = first + pitch * i;
        if (spec.title)
            Ellipse(r, cx, 16.5, 15.5, 15.5);
        else
            Ellipse(r, cx, 16.5, 15.5, 12.5);
    }
    // The outer edge is not blended: a pixel half yellow, half green would escape the
    // transparent colour and ring each circle with yellow on the button face. Pixels
    // at least half covered are green, the rest ground.
    Image coverage{image.view.width, image.view.height, Bgra(0, 0, 0)};
    Fill(r, coverage, Bgra(0xFF, 0xFF, 0xFF));
    for (size_t i = 0; i < image.pixels.size(); ++i)
        if ((coverage.pixels[i] & 0xFF) >= 0x80) image.pixels[i] = kDarkGreen;
    for (size_t i = 0; i < n; ++i) {
        const double cx = first + pitch * i;
        if (spec.title)
            CentredText(r, cjk, spec.marks[i], 21, cx, 16.5);
        else
            CentredText(r, ipa, spec.marks[i], spec.marks[i].size() > 2 ? 14 : 16, cx, 16.5);
    }
    Fill(r, image, kGlyphText);
    return image;
}

Image AboutDie() {
    Image image{20, 20, kDieGround};
    Rasterizer r{16};
    RoundRect(r, 1.5, 1.5, 18.5, 18.5, 4);
    Fill(r, image, kDieEdge);
    RoundRect(r, 2.5, 2.5, 17.5, 17.5, 3.2);
    Fill(r, image, kDieRed);
    for (const auto& [x, y] : {std::pair{6.2, 6.2}, {13.8, 6.2}, {10.0, 10.0}, {6.2, 13.8}, {13.8, 13.8}})
        Ellipse(r, x, y, 1.9, 1.9);
    Fill(r, image, kWhite);
    return image;
}

// A green tile with a yellow disc holding the schwa, and a bird gliding over its corner.
Image IconImage(int size, const FontSet& ipa) {
    Image image{size, size, 0};
    Rasterizer r{16};
    const double s = size;
    RoundRect(r, 0.03 * s, 0.03 * s, 0.97 * s, 0.97 * s, 0.2 * s);
    Fill(r, image, kDarkGreen);
    Ellipse(r, 0.45 * s, 0.56 * s, 0.33 * s, 0.33 * s);
    Fill(r, image, kYellow);
    CentredText(r, ipa, "ə", 0.52 * s, 0.45 * s, 0.56 * s);
    Fill(r, image, kDarkGreen);
    // A bird gliding with its wings raised, drawn as one outline.
    r.MoveTo(0.58 * s, 0.22 * s);
    r.QuadTo(0.67 * s, 0.09 * s, 0.76 * s, 0.21 * s);
    r.QuadTo(0.85 * s, 0.09 * s, 0.94 * s, 0.22 * s);
    r.QuadTo(0.85 * s, 0.15 * s, 0.76 * s, 0.28 * s);
    r.QuadTo(0.67 * s, 0.15 * s, 0.58 * s, 0.22 * s);
    r.Close();
    Fill(r, image, kOrange);
    return image;
}

std::vector<std::byte> Bmp24(const Image& image) {
    DecodedBmp bmp;
    bmp.width = image.view.width;
    bmp.height = image.view.height;
    bmp.bitCount = 24;
    bmp.pixels.resize(bmp.Stride() * static_cast<size_t>(bmp.height));
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x) {
            const uint32_t p = image.view.At(x, y);
            uint8_t* out = bmp.pixels.data() + static_cast<size_t>(y) * bmp.Stride() + static_cast<size_t>(x) * 3;
            out[0] = static_cast<uint8_t>(p), out[1] = static_cast<uint8_t>(p >> 8), out[2] = static_cast<uint8_t>(p >> 16);
        }
    return EncodeBmp(bmp);
}

// One icon file of several 32-bit images: each image is encoded on its own, then
// the images go behind one directory. The AND mask marks fully transparent pixels.
std::vector<std::byte> Ico(const std::vector<Image>& images) {
    std::vector<std::vector<std::byte>> singles;
    for (const Image& image : images) {
        const int w = image.view.width, h = image.view.height;
        const size_t maskStride = DecodedBmp::StrideFor(w, 1);
        std::vector<uint8_t> mask(maskStride * static_cast<size_t>(h), 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if ((image.view.At(x, y) >> 24) == 0)
                    mask[static_cast<size_t>(y) * maskStride + static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        singles.push_back(EncodeIconFile(w, h, image.pixels, mask));
    }
    constexpr size_t kHeader = 6, kEntry = 16;
    std::vector<std::byte> out(kHeader + kEntry * singles.size());
    std::copy_n(singles.front().begin(), 6, out.begin());
    out[4] = std::byte(singles.size());
    for (size_t i = 0; i < singles.size(); ++i) {
        const auto& single = singles[i];
        auto entry = out.begin() + static_cast<std::ptrdiff_t>(kHeader + kEntry * i);
        std::copy_n(single.begin() + kHeader, kEntry - 4, entry);  // size fields; the offset changes
        const auto offset = static_cast<uint32_t>(out.size());
        for (int b = 0; b < 4; ++b) entry[12 + b] = std::byte((offset >> (8 * b)) & 0xFF);
        out.insert(out.end(), single.begin() + kHeader + kEntry, single.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: arttool <output folder>\n");
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        const FontSet cjk{{kZenHei}};
        const FontSet ipa{{kDejaVuSansBold}};
        const std::vector<GlyphSpec> glyphs = {
            {'a', {"国", "际", "音", "标"}, true},   {'b', {"发", "音", "规", "则"}, true},
            {'p', {"重", "音", "规", "则"}, true},   {'c', {"i", "ɪ", "ɛ", "æ"}, false},
            {'d', {"ɑr", "ɑ", "ɔ"}, false},         {'e', {"ɔr", "ʊ", "u", "ʌ"}, false},
            {'f', {"ɜ", "ə", "ɚ"}, false},          {'g', {"e", "aɪ", "aʊ", "o"}, false},
            {'h', {"ɔɪ", "ɪr", "ɛr", "ʊr"}, false}, {'i', {"p", "b", "t", "d"}, false},
            {'j', {"k", "g", "tʃ", "dʒ"}, false},   {'k', {"f", "v", "θ", "ð"}, false},
            {'l', {"s", "z", "ʃ", "ʒ"}, false},     {'m', {"h", "m", "n", "ŋ"}, false},
            {'n', {"l", "r"}, false},               {'o', {"j", "w", "hw"}, false},
        };
        for (const auto& spec : glyphs)
            SaveFile(out / (std::string("glyph-") + spec.letter + ".bmp"), Bmp24(LessonGlyph(spec, cjk, ipa)));
        SaveFile(out / "about.bmp", Bmp24(AboutDie()));
        std::vector<Image> icons;
        for (const int size : {128, 96, 64, 48, 32}) icons.push_back(IconImage(size, ipa));
        SaveFile(out / "kestrelle.ico", Ico(icons));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "arttool: %s\n", e.what());
        return 1;
    }
    return 0;
}
