#pragma once
// Text as outlines for the content tools: lays out one line of text from a list of
// font faces (the first face that has a character draws it) and hands every glyph's
// contours to a sink as moves, lines and quadratic curves in the caller's units, y down.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct OutlineSink {
    virtual ~OutlineSink() = default;
    virtual void MoveTo(double x, double y) = 0;
    virtual void LineTo(double x, double y) = 0;
    virtual void QuadTo(double cx, double cy, double x, double y) = 0;
};

class FontSet {
public:
    // Each face is "path" or "path#index" for a face inside a collection. Throws
    // std::runtime_error when a face cannot be opened.
    explicit FontSet(const std::vector<std::string>& faces);
    ~FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    // Width of `text` at `size` units per em.
    double Width(std::u32string_view text, double size) const;
    // Draws `text` with its baseline-left at (x, y); returns the advance. Throws
    // std::runtime_error for a character no face has, so no box glyph slips into content.
    double Draw(std::u32string_view text, double size, double x, double y, OutlineSink& sink) const;
    // Distance from the baseline to the top / bottom of the ink of `text`.
    double InkTop(std::u32string_view text, double size) const;
    double InkBottom(std::u32string_view text, double size) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

std::u32string Utf32(std::string_view utf8);
