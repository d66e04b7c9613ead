#include "tools/lessongen/LessonMovie.h"

#include "flash/SwfWriter.h"
#include "tools/common/FontOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace {

constexpr SwfRgba kCream{255, 248, 225}, kGreen{0, 101, 0}, kYellow{255, 207, 0}, kWhite{255, 255, 255},
    kInk{51, 51, 51}, kGrey{128, 128, 120}, kOrange{255, 140, 26}, kPaleGreen{232, 244, 226};

int32_t Twips(double pixels) { return static_cast<int32_t>(std::lround(pixels * 20)); }

// Glyph contours into a shape, every contour closed, in one fill on its left side:
// TrueType outlines turn clockwise in font space, so after flipping y the ink lies left.
class ShapeSink : public OutlineSink {
public:
    ShapeSink(SwfShapeBuilder& shape, uint16_t fill) : m_shape{shape}, m_fill{fill} {}
    ~ShapeSink() override { CloseContour(); }
    void MoveTo(double x, double y) override {
        CloseContour();
        m_startX = Twips(x), m_startY = Twips(y);
        m_shape.MoveTo(m_startX, m_startY);
        if (!m_styled) m_shape.SetStyles(m_fill, 0, 0);
        m_styled = m_open = true;
        m_x = m_startX, m_y = m_startY;
    }
    void LineTo(double x, double y) override {
        m_x = Twips(x), m_y = Twips(y);
        m_shape.LineTo(m_x, m_y);
    }
    void QuadTo(double cx, double cy, double x, double y) override {
        m_x = Twips(x), m_y = Twips(y);
        m_shape.CurveTo(Twips(cx), Twips(cy), m_x, m_y);
    }

private:
    void CloseContour() {
        if (m_open && (m_x != m_startX || m_y != m_startY)) m_shape.LineTo(m_startX, m_startY);
        m_open = false;
    }
    SwfShapeBuilder& m_shape;
    uint16_t m_fill;
    bool m_styled = false, m_open = false;
    int32_t m_startX = 0, m_startY = 0, m_x = 0, m_y = 0;
};

struct TextRun {
    std::u32string text;
    SwfRgba colour;
};

enum class Anchor { Left, Centre };

// One line of text runs; baseline at y = 0, or centred on the origin with Anchor::Centre.
SwfShapeBuilder TextShape(const FontSet& fonts, const std::vector<TextRun>& runs, double size, Anchor anchor) {
    std::u32string all;
    double width = 0;
    for (const auto& run : runs) {
        all += run.text;
        width += fonts.Width(run.text, size);
    }
    double x = 0, y = 0;
    if (anchor == Anchor::Centre) {
        x = -width / 2;
        y = (fonts.InkTop(all, size) - fonts.InkBottom(all, size)) / 2;
    }
    SwfShapeBuilder shape;
    for (const auto& run : runs) {
        ShapeSink sink{shape, shape.AddFill(run.colour)};
        x += fonts.Draw(run.text, size, x, y, sink);
    }
    return shape;
}

// "ˈ[ta]·ble": the bracketed part in the accent colour.
std::vector<TextRun> MarkedRuns(const std::string& text, SwfRgba plain, SwfRgba accent) {
    std::vector<TextRun> runs;
    std::u32string current;
    for (const char32_t c : Utf32(text)) {
        if (c == U'[' || c == U']') {
            if (!current.empty()) runs.push_back({current, c == U']' ? accent : plain});
            current.clear();
            continue;
        }
        current.push_back(c);
    }
    if (!current.empty()) runs.push_back({current, plain});
    return runs;
}

void RoundRect(SwfShapeBuilder& shape, double x0, double y0, double x1, double y1, double r) {
    const auto X = Twips;
    shape.MoveTo(X(x0 + r), X(y0));
    shape.LineTo(X(x1 - r), X(y0));
    shape.CurveTo(X(x1), X(y0), X(x1), X(y0 + r));
    shape.LineTo(X(x1), X(y1 - r));
    shape.CurveTo(X(x1), X(y1), X(x1 - r), X(y1));
    shape.LineTo(X(x0 + r), X(y1));
    shape.CurveTo(X(x0), X(y1), X(x0), X(y1 - r));
    shape.LineTo(X(x0), X(y0 + r));
    shape.CurveTo(X(x0), X(y0), X(x0 + r), X(y0));
}

// A rounded box centred on the origin: filled, outlined, or both.
SwfShapeBuilder BoxShape(double w, double h, double radius, std::optional<SwfRgba> fill, double lineWidth,
                         SwfRgba lineColour) {
    SwfShapeBuilder shape;
    const uint16_t fillStyle = fill ? shape.AddFill(*fill) : 0;
    const uint16_t line = lineWidth > 0 ? shape.AddLine(static_cast<uint16_t>(Twips(lineWidth)), lineColour) : 0;
    shape.MoveTo(Twips(-w / 2 + radius), Twips(-h / 2));
    shape.SetStyles(0, fillStyle, line);  // drawn clockwise: the inside is on the right
    RoundRect(shape, -w / 2, -h / 2, w / 2, h / 2, radius);
    return shape;
}

SwfMatrix At(double x, double y, double scale = 1) { return {scale, 0, 0, scale, static_cast<double>(Twips(x)), static_cast<double>(Twips(y))}; }

// Frame-by-frame placement bookkeeping over the writer.
class Movie {
public:
    Movie(const Lesson& lesson)
        : m_writer{{0, lesson.width * 20, 0, lesson.height * 20}, 12} {
        m_writer.SetBackground(kCream);
    }
    uint16_t Define(const SwfShapeBuilder& shape) {
        m_writer.DefineShape(m_nextId, shape, 3);
        return m_nextId++;
    }
    void Place(uint16_t depth, uint16_t id, const SwfMatrix& matrix) {
        SwfPlace place;
        place.depth = depth;
        place.character = id;
        place.matrix = matrix;
        m_writer.PlaceObject2(place);
    }
    void Move(uint16_t depth, const SwfMatrix& matrix) {
        SwfPlace place;
        place.depth = depth;
        place.move = true;
        place.matrix = matrix;
        m_writer.PlaceObject2(place);
    }
    void ShowFrame() { m_writer.ShowFrame(); }
    SwfWriter& Writer() { return m_writer; }

private:
    SwfWriter m_writer;
    uint16_t m_nextId = 1;
};

struct Box {
    double cx, cy;
};

// Title band, lesson title, a line of text on the band's right and the footer.
void PlaceFrame(Movie& movie, const Lesson& lesson, const LessonFonts& fonts, double bandHeight,
                const std::string& bandRight) {
    SwfShapeBuilder band;
    const uint16_t green = band.AddFill(kGreen);
    band.MoveTo(0, 0);
    band.SetStyles(0, green, 0);
    band.LineTo(Twips(lesson.width), 0);
    band.LineTo(Twips(lesson.width), Twips(bandHeight));
    band.LineTo(0, Twips(bandHeight));
    band.LineTo(0, 0);
    movie.Place(1, movie.Define(band), {});

    const double titleSize = bandHeight * 0.55;
    const auto title = TextShape(fonts.bold, {{Utf32(lesson.title), kYellow}}, titleSize, Anchor::Left);
    const double baseline = bandHeight / 2 + titleSize * 0.36;
    movie.Place(2, movie.Define(title), At(bandHeight * 0.4, baseline));

    if (!bandRight.empty()) {
        const double size = bandHeight * 0.42;
        const std::u32string text = Utf32(bandRight);
        const double width = fonts.regular.Width(text, size);
        movie.Place(3, movie.Define(TextShape(fonts.regular, {{text, kWhite}}, size, Anchor::Left)),
                    At(lesson.width - width - bandHeight * 0.4, bandHeight / 2 + size * 0.36));
    }
    const std::u32string footer = U"Kestrelle · KK 英语音标";
    const double width = fonts.regular.Width(footer, 11);
    movie.Place(4, movie.Define(TextShape(fonts.regular, {{footer, kGrey}}, 11, Anchor::Left)),
                At(lesson.width - width - 10, lesson.height - 7));
}

// Cards in a grid: a box per item with its symbol and words; returns the card centres.
struct Grid {
    double left, top, width, height;
    int columns;
    double gap;
};

std::vector<Box> GridBoxes(const Grid& grid, size_t count, double& cellW, double& cellH) {
    const int columns = std::max(1, grid.columns);
    const int rows = static_cast<int>((count + columns - 1) / columns);
    cellW = (grid.width - (columns - 1) * grid.gap) / columns;
    cellH = (grid.height - (rows - 1) * grid.gap) / rows;
    std::vector<Box> boxes;
    for (size_t i = 0; i < count; ++i) {
        const int col = static_cast<int>(i % columns), row = static_cast<int>(i / columns);
        boxes.push_back({grid.left + col * (cellW + grid.gap) + cellW / 2, grid.top + row * (cellH + grid.gap) + cellH / 2});
    }
    return boxes;
}

// The walk: item i is highlighted for its share of the frames and its symbol swells
// and settles, so the loop joins without a jump.
struct Walk {
    size_t item;
    double phase;  // 0..1 within the item's share
};
Walk WalkAt(int frame, int frames, size_t items) {
    const double pos = static_cast<double>(frame) * items / frames;
    const auto item = std::min(items - 1, static_cast<size_t>(pos));
    return {item, pos - item};
}
double Swell(double phase) { return 1 + 0.14 * std::sin(std::numbers::pi * phase); }

std::string SymbolLine(const Lesson& lesson) {
    std::string line;
    for (const auto& item : lesson.items) line += (line.empty() ? "" : "  ") + std::string(item.symbol);
    return line;
}

std::vector<uint8_t> Finish(Movie& movie, const Lesson& lesson) {
    return movie.Writer().Finish(lesson.size);
}

void Sounds(Movie& movie, const Lesson& lesson, const LessonFonts& fonts) {
    PlaceFrame(movie, lesson, fonts, 64, SymbolLine(lesson));
    const size_t n = lesson.items.size();
    const int columns = n <= 3 ? static_cast<int>(n) : 2;
    double w = 0, h = 0;
    const auto boxes = GridBoxes({24, 84, lesson.width - 48.0, 326, columns, 20}, n, w, h);
    const uint16_t card = movie.Define(BoxShape(w, h, 14, kWhite, 2, kGreen));
    const uint16_t highlight = movie.Define(BoxShape(w + 10, h + 10, 18, std::nullopt, 5, kOrange));
    const double symbolSize = std::min(84.0, h * 0.42);
    std::vector<uint16_t> symbolDepths;
    for (size_t i = 0; i < n; ++i) {
        const auto& item = lesson.items[i];
        const auto depth = static_cast<uint16_t>(10 + 3 * i);
        movie.Place(depth, card, At(boxes[i].cx, boxes[i].cy));
        const std::string symbol = std::string("/") + item.symbol + "/";
        movie.Place(depth + 1, movie.Define(TextShape(fonts.bold, {{Utf32(symbol), kGreen}}, symbolSize, Anchor::Centre)),
                    At(boxes[i].cx, boxes[i].cy - h * 0.12));
        movie.Place(depth + 2, movie.Define(TextShape(fonts.regular, {{Utf32(item.words), kInk}}, 26, Anchor::Centre)),
                    At(boxes[i].cx, boxes[i].cy + h * 0.3));
        symbolDepths.push_back(depth + 1);
    }
    movie.Place(200, highlight, At(boxes[0].cx, boxes[0].cy));
    size_t previous = 0;
    for (int f = 0; f < lesson.frames; ++f) {
        const Walk walk = WalkAt(f, lesson.frames, n);
        const Box& b = boxes[walk.item];
        if (walk.item != previous) {
            movie.Move(symbolDepths[previous], At(boxes[previous].cx, boxes[previous].cy - h * 0.12));
            previous = walk.item;
        }
        movie.Move(200, At(b.cx, b.cy));
        movie.Move(symbolDepths[walk.item], At(b.cx, b.cy - h * 0.12, Swell(walk.phase)));
        movie.ShowFrame();
    }
}

void Chart(Movie& movie, const Lesson& lesson, const LessonFonts& fonts) {
    PlaceFrame(movie, lesson, fonts, 50, "KK");
    std::vector<LessonItem> vowels, consonants;
    for (const auto& item : lesson.items) (item.consonant ? consonants : vowels).push_back(item);
    constexpr int kColumns = 11;
    const double left = 64, width = lesson.width - left - 10.0;
    double w = 0, h = 0;
    auto boxes = GridBoxes({left, 60, width, 122, kColumns, 4}, vowels.size(), w, h);
    double w2 = 0, h2 = 0;
    const auto more = GridBoxes({left, 194, width, 186, kColumns, 4}, consonants.size(), w2, h2);
    boxes.insert(boxes.end(), more.begin(), more.end());
    h = std::min(h, h2);
    const uint16_t cell = movie.Define(BoxShape(w, h, 8, kWhite, 1.5, kGreen));
    const uint16_t highlight = movie.Define(BoxShape(w + 6, h + 6, 10, std::nullopt, 3.5, kOrange));

    const auto label = [&](const char* text, double y, uint16_t depth) {
        movie.Place(depth, movie.Define(TextShape(fonts.bold, {{Utf32(text), kGreen}}, 20, Anchor::Centre)),
                    At(left / 2, y));
    };
    label("元音", 60 + 122 / 2.0, 5);
    label("辅音", 194 + 186 / 2.0, 6);

    std::vector<LessonItem> ordered = vowels;
    ordered.insert(ordered.end(), consonants.begin(), consonants.end());
    std::vector<uint16_t> symbolDepths;
    for (size_t i = 0; i < ordered.size(); ++i) {
        const auto depth = static_cast<uint16_t>(10 + 3 * i);
        movie.Place(depth, cell, At(boxes[i].cx, boxes[i].cy));
        movie.Place(depth + 1,
                    movie.Define(TextShape(fonts.bold, {{Utf32(ordered[i].symbol), kGreen}}, 22, Anchor::Centre)),
                    At(boxes[i].cx, boxes[i].cy - h * 0.14));
        movie.Place(depth + 2,
                    movie.Define(TextShape(fonts.regular, {{Utf32(ordered[i].words), kInk}}, 10.5, Anchor::Centre)),
                    At(boxes[i].cx, boxes[i].cy + h * 0.3));
        symbolDepths.push_back(depth + 1);
    }
    movie.Place(400, highlight, At(boxes[0].cx, boxes[0].cy));
    size_t previous = 0;
    for (int f = 0; f < lesson.frames; ++f) {
        const Walk walk = WalkAt(f, lesson.frames, ordered.size());
        const Box& b = boxes[walk.item];
        if (walk.item != previous) {
            movie.Move(symbolDepths[previous], At(boxes[previous].cx, boxes[previous].cy - h * 0.14));
            previous = walk.item;
        }
        movie.Move(400, At(b.cx, b.cy));
        movie.Move(symbolDepths[walk.item], At(b.cx, b.cy - h * 0.14, 1 + 0.25 * std::sin(std::numbers::pi * walk.phase)));
        movie.ShowFrame();
    }
}

// Rows of text (rules and stress): a pale box per row and a highlight walking down them.
void Rows(Movie& movie, const Lesson& lesson, const LessonFonts& fonts) {
    PlaceFrame(movie, lesson, fonts, 64, lesson.kind == LessonKind::Rules ? "字母组合 → 音标" : "单词重音");
    const size_t n = lesson.items.size();
    const bool rules = lesson.kind == LessonKind::Rules;
    double w = 0, h = 0;
    const auto boxes = GridBoxes({20, 80, lesson.width - 40.0, 332, rules ? 2 : 1, rules ? 8.0 : 10.0}, n, w, h);
    const uint16_t row = movie.Define(BoxShape(w, h, 10, kPaleGreen, 1, kGreen));
    const uint16_t highlight = movie.Define(BoxShape(w + 6, h + 6, 12, SwfRgba{255, 140, 26, 40}, 3, kOrange));
    // Rule columns as wide as their widest entry.
    double spellingWidth = 0, symbolWidth = 0;
    for (const auto& item : lesson.items) {
        spellingWidth = std::max(spellingWidth, fonts.bold.Width(Utf32(item.spelling), 18));
        symbolWidth = std::max(symbolWidth, fonts.bold.Width(Utf32(std::string("/") + item.symbol + "/"), 18));
    }
    for (size_t i = 0; i < n; ++i) {
        const auto& item = lesson.items[i];
        const auto depth = static_cast<uint16_t>(10 + 4 * i);
        const Box& b = boxes[i];
        movie.Place(depth, row, At(b.cx, b.cy));
        const double left = b.cx - w / 2 + 14;
        if (rules) {
            const auto text = [&](const std::string& s, const FontSet& font, SwfRgba colour, double size, double x,
                                  uint16_t d) {
                movie.Place(d, movie.Define(TextShape(font, {{Utf32(s), colour}}, size, Anchor::Left)),
                            At(x, b.cy + size * 0.36));
            };
            text(item.spelling, fonts.bold, kGreen, 18, left, depth + 1);
            text(std::string("/") + item.symbol + "/", fonts.bold, kOrange, 18, left + spellingWidth + 10, depth + 2);
            text(item.words, fonts.regular, kInk, 15, left + spellingWidth + symbolWidth + 20, depth + 3);
        } else {
            movie.Place(depth + 1, movie.Define(TextShape(fonts.regular, {{Utf32(item.symbol), kGreen}}, 16, Anchor::Left)),
                        At(left, b.cy - h * 0.12));
            movie.Place(depth + 2, movie.Define(TextShape(fonts.regular, MarkedRuns(item.words, kInk, kOrange), 22, Anchor::Left)),
                        At(left + 24, b.cy + h * 0.34));
        }
    }
    movie.Place(200, highlight, At(boxes[0].cx, boxes[0].cy));
    for (int f = 0; f < lesson.frames; ++f) {
        const Walk walk = WalkAt(f, lesson.frames, n);
        movie.Move(200, At(boxes[walk.item].cx, boxes[walk.item].cy));
        movie.ShowFrame();
    }
}

}  // namespace

std::vector<uint8_t> MakeLessonMovie(const Lesson& lesson, const LessonFonts& fonts) {
    Movie movie{lesson};
    switch (lesson.kind) {
    case LessonKind::Chart:
        Chart(movie, lesson, fonts);
        break;
    case LessonKind::Rules:
    case LessonKind::Stress:
        Rows(movie, lesson, fonts);
        break;
    case LessonKind::Sounds:
        Sounds(movie, lesson, fonts);
        break;
    }
    return Finish(movie, lesson);
}
