#include "tools/common/FontOutline.h"

#include "framework/core/Strings.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <stdexcept>

struct FontSet::Impl {
    FT_Library library = nullptr;
    std::vector<FT_Face> faces;

    // The face that draws `c` and its glyph index there.
    std::pair<FT_Face, FT_UInt> Find(char32_t c) const {
        for (FT_Face face : faces)
            if (const FT_UInt index = FT_Get_Char_Index(face, c)) return {face, index};
        throw std::runtime_error("no font has the character U+" + std::to_string(static_cast<unsigned>(c)));
    }
    FT_GlyphSlot Load(FT_Face face, FT_UInt index) const {
        if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING))
            throw std::runtime_error("a glyph cannot be loaded");
        return face->glyph;
    }
};

FontSet::FontSet(const std::vector<std::string>& faces) : m_impl{std::make_unique<Impl>()} {
    if (FT_Init_FreeType(&m_impl->library)) throw std::runtime_error("FreeType cannot start");
    for (const std::string& spec : faces) {
        const auto hash = spec.find('#');
        const std::string path = spec.substr(0, hash);
        const long index = hash == std::string::npos ? 0 : std::stol(spec.substr(hash + 1));
        FT_Face face = nullptr;
        if (FT_New_Face(m_impl->library, path.c_str(), index, &face))
            throw std::runtime_error("cannot open the font " + spec);
        m_impl->faces.push_back(face);
    }
}

FontSet::~FontSet() {
    for (FT_Face face : m_impl->faces) FT_Done_Face(face);
    FT_Done_FreeType(m_impl->library);
}

namespace {

struct Decompose {
    OutlineSink* sink;
    double scale, x, y;
    double px = 0, py = 0;  // pen in font units, for the cubic fallback
    double X(const FT_Vector* v) const { return x + v->x * scale; }
    double Y(const FT_Vector* v) const { return y - v->y * scale; }
};

int OnMove(const FT_Vector* to, void* user) {
    auto& d = *static_cast<Decompose*>(user);
    d.sink->MoveTo(d.X(to), d.Y(to));
    d.px = to->x, d.py = to->y;
    return 0;
}

int OnLine(const FT_Vector* to, void* user) {
    auto& d = *static_cast<Decompose*>(user);
    d.sink->LineTo(d.X(to), d.Y(to));
    d.px = to->x, d.py = to->y;
    return 0;
}

int OnConic(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto& d = *static_cast<Decompose*>(user);
    d.sink->QuadTo(d.X(control), d.Y(control), d.X(to), d.Y(to));
    d.px = to->x, d.py = to->y;
    return 0;
}

// Cubic outlines (not in the TrueType faces we use) become one quadratic each.
int OnCubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto& d = *static_cast<Decompose*>(user);
    FT_Vector control;
    control.x = static_cast<FT_Pos>((3.0 * (c1->x + c2->x) - d.px - to->x) / 4);
    control.y = static_cast<FT_Pos>((3.0 * (c1->y + c2->y) - d.py - to->y) / 4);
    return OnConic(&control, to, user);
}

}  // namespace

double FontSet::Width(std::u32string_view text, double size) const {
    double width = 0;
    for (const char32_t c : text) {
        const auto [face, index] = m_impl->Find(c);
        width += m_impl->Load(face, index)->metrics.horiAdvance * size / face->units_per_EM;
    }
    return width;
}

double FontSet::Draw(std::u32string_view text, double size, double x, double y, OutlineSink& sink) const {
    static const FT_Outline_Funcs funcs = {OnMove, OnLine, OnConic, OnCubic, 0, 0};
    const double start = x;
    for (const char32_t c : text) {
        const auto [face, index] = m_impl->Find(c);
        FT_GlyphSlot glyph = m_impl->Load(face, index);
        Decompose d{&sink, size / face->units_per_EM, x, y};
        if (FT_Outline_Decompose(&glyph->outline, &funcs, &d)) throw std::runtime_error("a glyph outline is bad");
        x += glyph->metrics.horiAdvance * d.scale;
    }
    return x - start;
}

double FontSet::InkTop(std::u32string_view text, double size) const {
    double top = 0;
    for (const char32_t c : text) {
        const auto [face, index] = m_impl->Find(c);
        const FT_GlyphSlot glyph = m_impl->Load(face, index);
        top = std::max(top, glyph->metrics.horiBearingY * size / face->units_per_EM);
    }
    return top;
}

double FontSet::InkBottom(std::u32string_view text, double size) const {
    double bottom = 0;
    for (const char32_t c : text) {
        const auto [face, index] = m_impl->Find(c);
        const FT_GlyphSlot glyph = m_impl->Load(face, index);
        bottom = std::max(bottom, (glyph->metrics.height - glyph->metrics.horiBearingY) * size / face->units_per_EM);
    }
    return bottom;
}

std::u32string Utf32(std::string_view utf8) {
    const std::u16string units = FromUtf8(utf8);
    std::u32string out;
    for (size_t i = 0; i < units.size();) out.push_back(NextCodePoint(units, i));
    return out;
}
