#include "tools/lessongen/LessonMovie.h"

#include "flash/SwfError.h"
#include "flash/authoring/SwfAdpcmEncoder.h"
#include "flash/authoring/SwfWriter.h"
#include "tools/common/FontOutline.h"
#include "tools/lessongen/Speech.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr SwfRgba kCream{255, 248, 225}, kGreen{0, 101, 0}, kYellow{255, 207, 0}, kWhite{255, 255, 255},
    kInk{51, 51, 51}, kGrey{128, 128, 120}, kOrange{230, 110, 0}, kPaleGreen{232, 244, 226},
    kHoverFill{255, 244, 200}, kPressFill{255, 222, 160}, kLightGreen{0, 135, 0}, kDarkGreen{0, 70, 0};

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
    const FontSet* font = nullptr;  // the text's own font when null
};

enum class Anchor { Left, Centre, Right };

double RunsWidth(const FontSet& fonts, const std::vector<TextRun>& runs, double size) {
    double width = 0;
    for (const auto& run : runs) width += (run.font ? *run.font : fonts).Width(run.text, size);
    return width;
}

// One line of text runs. Left and Right put the baseline at y = 0 with the text
// starting or ending at x = 0; Centre centres its ink on the origin.
SwfShapeBuilder TextShape(const FontSet& fonts, const std::vector<TextRun>& runs, double size, Anchor anchor) {
    std::u32string all;
    for (const auto& run : runs) all += run.text;
    const double width = RunsWidth(fonts, runs, size);
    double x = anchor == Anchor::Left ? 0 : anchor == Anchor::Right ? -width : -width / 2, y = 0;
    if (anchor == Anchor::Centre) y = (fonts.InkTop(all, size) - fonts.InkBottom(all, size)) / 2;
    SwfShapeBuilder shape;
    for (const auto& run : runs) {
        ShapeSink sink{shape, shape.AddFill(run.colour)};
        x += (run.font ? *run.font : fonts).Draw(run.text, size, x, y, sink);
    }
    return shape;
}

// "n[igh]t": the bracketed parts in the accent colour and, when given, the accent font.
std::vector<TextRun> MarkedRuns(const std::string& text, SwfRgba plain, SwfRgba accent, const FontSet* accentFont = nullptr) {
    std::vector<TextRun> runs;
    std::u32string current;
    for (const char32_t c : Utf32(text)) {
        if (c == U'[' || c == U']') {
            if (!current.empty())
                runs.push_back({current, c == U']' ? accent : plain, c == U']' ? accentFont : nullptr});
            current.clear();
            continue;
        }
        current.push_back(c);
    }
    if (!current.empty()) runs.push_back({current, plain});
    return runs;
}

std::string Plain(const std::string& marked) {
    std::string out;
    for (const char c : marked)
        if (c != '[' && c != ']') out.push_back(c);
    return out;
}

// Lines of at most `width`: Chinese breaks between any two characters, Latin text and
// IPA only at spaces, and no line starts with closing punctuation.
std::vector<std::u32string> Wrap(const FontSet& fonts, const std::string& text, double size, double width) {
    const std::u32string all = Utf32(text);
    const auto isCjk = [](char32_t c) { return c >= 0x3000; };
    // Pieces that stay together: one CJK character (with the punctuation after it) or one Latin word.
    std::vector<std::u32string> pieces;
    for (size_t i = 0; i < all.size();) {
        size_t j = i + 1;
        if (!isCjk(all[i]) && all[i] != U' ')
            while (j < all.size() && !isCjk(all[j]) && all[j] != U' ') ++j;
        while (j < all.size() && std::u32string_view(U"，。、；：！？）”").find(all[j]) != std::u32string_view::npos) ++j;
        pieces.push_back(all.substr(i, j - i));
        i = j;
    }
    std::vector<std::u32string> lines(1);
    for (const auto& piece : pieces) {
        if (!lines.back().empty() && fonts.Width(lines.back() + piece, size) > width) {
            while (!lines.back().empty() && lines.back().back() == U' ') lines.back().pop_back();
            lines.emplace_back();
            if (piece == U" ") continue;
        }
        lines.back() += piece;
    }
    return lines;
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

// A loudspeaker with two sound waves, about 2 * size wide, centred on the origin.
SwfShapeBuilder SpeakerShape(double size, SwfRgba colour) {
    SwfShapeBuilder shape;
    const uint16_t fill = shape.AddFill(colour);
    const uint16_t line = shape.AddLine(static_cast<uint16_t>(Twips(size * 0.16)), colour);
    const auto P = [&](double v) { return Twips(v * size); };
    shape.MoveTo(P(-0.95), P(-0.3));
    shape.SetStyles(0, fill, 0);
    for (const auto& [x, y] : std::array<std::pair<double, double>, 6>{{{-0.5, -0.3}, {0.05, -0.75}, {0.05, 0.75},
                                                                         {-0.5, 0.3}, {-0.95, 0.3}, {-0.95, -0.3}}})
        shape.LineTo(P(x), P(y));
    for (const double r : {0.45, 0.8}) {
        shape.MoveTo(P(0.25 + r * 0.5), P(-r));
        shape.SetStyles(0, 0, line);
        shape.CurveTo(P(0.25 + r * 1.2), P(0), P(0.25 + r * 0.5), P(r));
    }
    return shape;
}

// A filled triangle pointing left (-1) or right (1), `size` high, centred on the origin.
SwfShapeBuilder ArrowShape(double size, int direction, SwfRgba colour) {
    SwfShapeBuilder shape;
    const uint16_t fill = shape.AddFill(colour);
    const double h = size / 2, w = size * 0.45 * direction;
    shape.MoveTo(Twips(-w), Twips(-h));
    shape.SetStyles(direction > 0 ? 0 : fill, direction > 0 ? fill : 0, 0);
    shape.LineTo(Twips(w), 0);
    shape.LineTo(Twips(-w), Twips(h));
    shape.LineTo(Twips(-w), Twips(-h));
    return shape;
}

SwfMatrix At(double x, double y, double scale = 1) {
    return {scale, 0, 0, scale, static_cast<double>(Twips(x)), static_cast<double>(Twips(y))};
}

SwfColourTransform Fade(double alpha) {
    SwfColourTransform t;
    t.multA = static_cast<int32_t>(std::lround(std::clamp(alpha, 0.0, 1.0) * 256));
    return t;
}

double EaseOut(double t) { return 1 - (1 - t) * (1 - t); }

// Colours of a button's three states.
struct ButtonLook {
    std::optional<SwfRgba> up, over, down;  // fills
    SwfRgba upLine, activeLine;
    double upLineWidth, activeLineWidth;
    double radius;
};

constexpr double kCardRadius = 12;
const ButtonLook kCard{kWhite, kHoverFill, kPressFill, kGreen, kOrange, 2, 3, kCardRadius};
const ButtonLook kNav{kGreen, kLightGreen, kDarkGreen, kGreen, kDarkGreen, 1, 1, 16};
const ButtonLook kTab{std::nullopt, SwfRgba{255, 255, 255, 70}, SwfRgba{255, 255, 255, 130}, {255, 255, 255, 150},
                      kWhite, 1.5, 2, 8};

// Something drawn on a button in every state, at an offset from the button's centre.
struct Part {
    uint16_t id;
    double x, y;
};

// Speech of a lesson: each distinct utterance spoken once and defined once.
class Voice {
public:
    uint16_t Id(const std::string& phonemes, uint16_t& nextId) {
        const auto [it, added] = m_ids.try_emplace(phonemes, nextId);
        if (added) {
            ++nextId;
            m_order.push_back(phonemes);
        }
        return it->second;
    }
    const std::vector<std::string>& Utterances() const noexcept { return m_order; }
    uint16_t IdOf(const std::string& phonemes) const { return m_ids.at(phonemes); }

private:
    std::map<std::string, uint16_t> m_ids;
    std::vector<std::string> m_order;
};

// The body of a movie under construction: shapes, buttons, placements and frames.
class Movie {
public:
    explicit Movie(const Lesson& lesson) : m_lesson{lesson}, m_body{Stage(lesson), 12} {}
    static SwfRect Stage(const Lesson& lesson) { return {0, lesson.width * 20, 0, lesson.height * 20}; }

    uint16_t Define(const SwfShapeBuilder& shape) {
        m_body.DefineShape(m_nextId, shape, 3);
        return m_nextId++;
    }
    uint16_t Sound(const std::string& phonemes) { return m_voice.Id(phonemes, m_nextId); }

    // A button of `w` x `h` pixels centred on its origin, with `parts` on it. A press
    // stops the sounds playing and says `say`; a click runs `onClick`.
    uint16_t Button(double w, double h, const ButtonLook& look, const std::vector<Part>& parts,
                    const std::optional<std::string>& say, const SwfActions& onClick) {
        const auto face = [&](std::optional<SwfRgba> fill, SwfRgba line, double lineWidth) {
            return Define(BoxShape(w, h, look.radius, fill, lineWidth, line));
        };
        const uint16_t up = face(look.up, look.upLine, look.upLineWidth);
        const uint16_t over = face(look.over, look.activeLine, look.activeLineWidth);
        const uint16_t down = face(look.down, look.activeLine, look.activeLineWidth);
        const uint16_t hit = Define(BoxShape(w, h, look.radius, kWhite, 0, kWhite));
        SwfButton button;
        button.id = m_nextId++;
        const auto record = [&](uint16_t character, uint16_t depth, bool u, bool o, bool d, bool t, double dx, double dy) {
            SwfButtonRecord r;
            r.character = character;
            r.depth = depth;
            r.up = u, r.over = o, r.down = d, r.hitTest = t;
            r.matrix = At(dx, dy);
            button.records.push_back(r);
        };
        record(up, 1, true, false, false, false, 0, 0);
        record(over, 2, false, true, false, false, 0, 0);
        record(down, 3, false, false, true, false, 0, 0);
        uint16_t depth = 4;
        for (const Part& part : parts) {
            record(part.id, depth++, true, true, false, false, part.x, part.y);
            record(part.id, depth++, false, false, true, false, part.x + 1, part.y + 1);  // pressed in
        }
        record(hit, depth, false, false, false, true, 0, 0);
        button.actions.push_back({kOverUpToOverDown, {{SwfActionCode::StopSounds, 0, {}}}});
        if (!onClick.empty()) button.actions.push_back({kOverDownToOverUp, onClick});
        m_body.DefineButton2(button);
        if (say) {
            std::array<SwfButtonSound, 4> sounds{};
            sounds[2].sound = Sound(*say);  // on the press: heard at once
            m_body.DefineButtonSound(button.id, sounds);
        }
        return button.id;
    }

    void Place(uint16_t depth, uint16_t id, const SwfMatrix& matrix, const std::string& name = {},
               std::optional<SwfColourTransform> colours = std::nullopt) {
        SwfPlace place;
        place.depth = depth;
        place.character = id;
        place.matrix = matrix;
        place.name = name;
        place.colourTransform = colours;
        m_body.PlaceObject2(place);
    }
    void Move(uint16_t depth, const SwfMatrix& matrix, std::optional<SwfColourTransform> colours = std::nullopt) {
        SwfPlace place;
        place.depth = depth;
        place.move = true;
        place.matrix = matrix;
        place.colourTransform = colours;
        m_body.PlaceObject2(place);
    }
    void Remove(uint16_t depth) { m_body.RemoveObject2(depth); }
    SwfWriter& Body() { return m_body; }
    const Voice& Speech() const { return m_voice; }
    const Lesson& Content() const { return m_lesson; }

private:
    const Lesson& m_lesson;
    SwfWriter m_body;
    Voice m_voice;
    uint16_t m_nextId = 1;
};

SwfAction Go(const std::string& label) { return {SwfActionCode::GotoLabel, 0, label}; }
const SwfAction kPlay{SwfActionCode::Play, 0, {}};
const SwfAction kStop{SwfActionCode::Stop, 0, {}};

std::string PageLabel(size_t page) { return "page" + std::to_string(page + 1); }

// Frames of each page: as even as the frame count allows, the longer ones last.
std::vector<std::pair<int, int>> PageFrames(int frames, size_t pages) {
    std::vector<std::pair<int, int>> spans;
    int start = 0;
    for (size_t i = 0; i < pages; ++i) {
        const int count = frames / static_cast<int>(pages) + (i >= pages - frames % pages ? 1 : 0);
        spans.emplace_back(start, count);
        start += count;
    }
    return spans;
}

// Title band with the lesson title; `bandRight` fills its right side when given.
void PlaceBand(Movie& movie, const LessonFonts& fonts, double bandHeight, const std::string& bandRight) {
    const Lesson& lesson = movie.Content();
    SwfShapeBuilder band;
    const uint16_t green = band.AddFill(kGreen);
    band.MoveTo(0, 0);
    band.SetStyles(0, green, 0);
    band.LineTo(Twips(lesson.width), 0);
    band.LineTo(Twips(lesson.width), Twips(bandHeight));
    band.LineTo(0, Twips(bandHeight));
    band.LineTo(0, 0);
    movie.Place(1, movie.Define(band), {});
    const double titleSize = bandHeight * 0.52;
    movie.Place(2, movie.Define(TextShape(fonts.bold, {{Utf32(lesson.title), kYellow}}, titleSize, Anchor::Left)),
                At(bandHeight * 0.36, bandHeight / 2 + titleSize * 0.36));
    if (!bandRight.empty()) {
        const double size = bandHeight * 0.36;
        movie.Place(3, movie.Define(TextShape(fonts.regular, {{Utf32(bandRight), kWhite}}, size, Anchor::Right)),
                    At(lesson.width - bandHeight * 0.36, bandHeight / 2 + size * 0.36));
    }
}

// Previous and next buttons and "page of pages" along the bottom; wraps around.
void PlaceNavigation(Movie& movie, const LessonFonts& fonts, size_t page, size_t pages, double y) {
    const Lesson& lesson = movie.Content();
    // The arrow at the side it points to, the text beside it.
    const auto label = [&](const char* text, int direction) {
        const auto textId = movie.Define(TextShape(fonts.bold, {{Utf32(text), kWhite}}, 17, Anchor::Centre));
        const auto arrow = movie.Define(ArrowShape(12, direction, kYellow));
        return std::vector<Part>{{textId, direction * -8.0, 0}, {arrow, direction * 40.0, 0}};
    };
    const size_t previous = (page + pages - 1) % pages, next = (page + 1) % pages;
    movie.Place(40, movie.Button(120, 34, kNav, label("上一个", -1), std::nullopt, {Go(PageLabel(previous)), kPlay}),
                At(24 + 60, y), "previous");
    movie.Place(41, movie.Button(120, 34, kNav, label("下一个", 1), std::nullopt, {Go(PageLabel(next)), kPlay}),
                At(lesson.width - 24 - 60, y), "next");
    const std::string count = std::to_string(page + 1) + " / " + std::to_string(pages);
    movie.Place(42, movie.Define(TextShape(fonts.regular, {{Utf32(count), kGrey}}, 16, Anchor::Centre)),
                At(lesson.width / 2.0, y));
}

// Parts of a word card: the word (marks in orange), its KK transcription and a speaker.
std::vector<Part> WordParts(Movie& movie, const LessonFonts& fonts, const Example& example, double w, double h,
                            double wordSize, double kkSize) {
    // Long words shrink to leave the speaker free.
    const auto runs = MarkedRuns(example.word, kInk, kOrange);
    const double room = w - h * 0.18 - h * 0.5 - 6;
    wordSize = std::min(wordSize, wordSize * room / RunsWidth(fonts.bold, runs, wordSize));
    const auto word = movie.Define(TextShape(fonts.bold, runs, wordSize, Anchor::Left));
    const auto kk = movie.Define(
        TextShape(fonts.regular, {{Utf32(std::string("/") + example.kk + "/"), kGreen}}, kkSize, Anchor::Left));
    const auto speaker = movie.Define(SpeakerShape(h * 0.14, kOrange));
    const double left = -w / 2 + h * 0.18;
    return {{word, left, -h * 0.04}, {kk, left, h * 0.34}, {speaker, w / 2 - h * 0.3, -h * 0.18}};
}

// A sound lesson: a page per symbol with the symbol, a tip, two words, tabs for every
// symbol in the band, and previous / next. Each page says its symbol as it opens.
void Sounds(Movie& movie, const LessonFonts& fonts) {
    const Lesson& lesson = movie.Content();
    const size_t n = lesson.items.size();
    constexpr double kBand = 56;
    PlaceBand(movie, fonts, kBand, "");

    // Tabs: a button per symbol at the band's right that opens its page.
    const double tabW = 54, tabH = 38, tabGap = 8;
    std::vector<double> tabX;
    for (size_t j = 0; j < n; ++j) {
        const double x = lesson.width - 20 - (n - j) * (tabW + tabGap) + tabGap + tabW / 2;
        tabX.push_back(x);
        const auto symbol = movie.Define(TextShape(fonts.bold, {{Utf32(lesson.items[j].symbol), kWhite}}, 22, Anchor::Centre));
        movie.Place(static_cast<uint16_t>(10 + j),
                    movie.Button(tabW, tabH, kTab, {{symbol, 0, 0}}, std::nullopt, {Go(PageLabel(j)), kPlay}),
                    At(x, kBand / 2), std::string("tab:") + lesson.items[j].symbol);
    }
    // The open page's tab is underlined.
    const uint16_t current = movie.Define(BoxShape(tabW - 10, 4, 2, kYellow, 0, kYellow));

    const auto spans = PageFrames(lesson.frames, n);
    const double cardCx = 24 + 95, cardCy = 76 + 82, cardW = 190, cardH = 164;
    const double wordW = 238, wordH = 98, wordY = 262 + wordH / 2;
    std::vector<uint16_t> pageDepths;
    for (size_t i = 0; i < n; ++i) {
        const LessonItem& item = lesson.items[i];
        const auto [start, count] = spans[i];
        for (const uint16_t depth : pageDepths) movie.Remove(depth);
        pageDepths.clear();
        const auto place = [&](uint16_t depth, uint16_t id, const SwfMatrix& m, const std::string& name = {},
                               std::optional<SwfColourTransform> colours = std::nullopt) {
            movie.Place(depth, id, m, name, colours);
            pageDepths.push_back(depth);
        };
        movie.Body().FrameLabel(PageLabel(i));
        place(9, current, At(tabX[i], kBand - 4));

        // The symbol card says the sound.
        const std::string symbol = std::string("/") + item.symbol + "/";
        const double symbolSize = Utf32(item.symbol).size() > 1 ? 64 : 76;
        const auto big = movie.Define(TextShape(fonts.bold, {{Utf32(symbol), kGreen}}, symbolSize, Anchor::Centre));
        const auto speaker = movie.Define(SpeakerShape(9, kOrange));
        const auto listen = movie.Define(TextShape(fonts.regular, {{U"听发音", kOrange}}, 16, Anchor::Centre));
        const std::string sound = SymbolUtterance(item.symbol);
        place(100,
              movie.Button(cardW, cardH, kCard, {{big, 0, -16}, {speaker, -30, cardH / 2 - 26}, {listen, 10, cardH / 2 - 26}},
                           sound, {}),
              At(cardCx, cardCy, 0.7), std::string("say:") + item.symbol);

        // The tip beside it.
        const double tipLeft = 24 + cardW + 22, tipWidth = lesson.width - 24 - tipLeft;
        place(101, movie.Define(TextShape(fonts.bold, {{U"发音要领", kOrange}}, 18, Anchor::Left)), At(tipLeft, 100),
              {}, Fade(0));
        const auto lines = Wrap(fonts.regular, item.tip, 18, tipWidth);
        for (size_t l = 0; l < lines.size(); ++l)
            place(static_cast<uint16_t>(102 + l),
                  movie.Define(TextShape(fonts.regular, {{lines[l], kInk}}, 18, Anchor::Left)),
                  At(tipLeft, 134 + l * 29.0), {}, Fade(0));

        // Two words, each a button that says it.
        for (size_t k = 0; k < item.examples.size() && k < 2; ++k) {
            const double cx = 24 + wordW / 2 + k * (lesson.width - 48 - wordW);
            place(static_cast<uint16_t>(110 + k),
                  movie.Button(wordW, wordH, kCard, WordParts(movie, fonts, item.examples[k], wordW, wordH, 30, 22),
                               TranscriptionPhonemes(item.examples[k].kk), {}),
                  At(cx, wordY), std::string("word:") + Plain(item.examples[k].word), Fade(0));
        }
        PlaceNavigation(movie, fonts, i, n, 400);
        pageDepths.insert(pageDepths.end(), {40, 41, 42});
        movie.Body().StartSound(movie.Sound(sound));

        // Opening: the card swells into place, then the tip and the words fade in.
        for (int f = 0; f < count; ++f) {
            const double t = count > 1 ? static_cast<double>(f) / (count - 1) : 1;
            if (f > 0) {
                movie.Move(100, At(cardCx, cardCy, 0.7 + 0.3 * EaseOut(std::min(1.0, t * 1.6))));
                const auto fade = Fade(EaseOut(std::clamp(t * 1.6 - 0.3, 0.0, 1.0)));
                movie.Move(101, At(tipLeft, 100), fade);
                for (size_t l = 0; l < lines.size(); ++l) movie.Move(static_cast<uint16_t>(102 + l), At(tipLeft, 134 + l * 29.0), fade);
                for (size_t k = 0; k < 2 && k < item.examples.size(); ++k)
                    movie.Move(static_cast<uint16_t>(110 + k), At(24 + wordW / 2 + k * (lesson.width - 48 - wordW), wordY),
                               Fade(EaseOut(std::clamp(t * 1.6 - 0.6 + 0.0, 0.0, 1.0))));
            }
            if (f == count - 1) movie.Body().DoAction({kStop});
            movie.Body().ShowFrame();
        }
    }
}

// The chart: every symbol a button that says it. The cards come in one after another
// in its first second and a half, then the chart waits for clicks. Nothing but the
// pointer rings a card: a ring that moved on its own would look like the pointer's.
void Chart(Movie& movie, const LessonFonts& fonts) {
    const Lesson& lesson = movie.Content();
    PlaceBand(movie, fonts, 50, "点击音标，听发音");
    std::vector<const LessonItem*> vowels, consonants;
    for (const auto& item : lesson.items) (item.consonant ? consonants : vowels).push_back(&item);
    constexpr int kColumns = 11;
    const double left = 64, width = lesson.width - left - 10.0, gap = 4;
    const double cellW = (width - (kColumns - 1) * gap) / kColumns, cellH = 56;
    struct Cell {
        const LessonItem* item;
        double cx, cy;
    };
    std::vector<Cell> cells;
    const auto grid = [&](const std::vector<const LessonItem*>& items, double top) {
        for (size_t i = 0; i < items.size(); ++i)
            cells.push_back({items[i], left + (i % kColumns) * (cellW + gap) + cellW / 2,
                             top + (i / kColumns) * (cellH + gap) + cellH / 2});
    };
    grid(vowels, 62);
    grid(consonants, 196);
    const auto label = [&](const char* text, double y, uint16_t depth) {
        movie.Place(depth, movie.Define(TextShape(fonts.bold, {{Utf32(text), kGreen}}, 20, Anchor::Centre)), At(left / 2, y));
    };
    label("元音", 62 + cellH + gap / 2, 5);
    label("辅音", 196 + cellH * 1.5 + gap, 6);

    const ButtonLook look{kWhite, kHoverFill, kPressFill, kGreen, kOrange, 1.5, 2.5, 8};
    std::vector<uint16_t> cards;
    for (const Cell& cell : cells) {
        const LessonItem& item = *cell.item;
        const auto symbol = movie.Define(TextShape(fonts.bold, {{Utf32(item.symbol), kGreen}}, 22, Anchor::Centre));
        const std::u32string example = Utf32(Plain(item.examples.front().word));
        const double wordSize = std::min(11.5, 11.5 * (cellW - 8) / fonts.regular.Width(example, 11.5));
        const auto word = movie.Define(TextShape(fonts.regular, {{example, kInk}}, wordSize, Anchor::Centre));
        cards.push_back(movie.Button(cellW, cellH, look, {{symbol, 0, -cellH * 0.14}, {word, 0, cellH * 0.3}},
                                     SymbolUtterance(item.symbol), {}));
    }
    // The lesson's frame count is fixed; the frames after the stop hold the whole chart.
    constexpr int kArrivalFrames = 18;
    size_t placed = 0;
    for (int f = 0; f < lesson.frames; ++f) {
        const size_t due = std::min(cells.size(), cells.size() * static_cast<size_t>(f + 1) / kArrivalFrames);
        for (; placed < due; ++placed)
            movie.Place(static_cast<uint16_t>(10 + placed), cards[placed], At(cells[placed].cx, cells[placed].cy),
                        std::string("say:") + cells[placed].item->symbol);
        if (f + 1 == kArrivalFrames) movie.Body().DoAction({kStop});
        movie.Body().ShowFrame();
    }
}

// Rows that appear one after another on pages: spelling rules or stress rules.
void RulePages(Movie& movie, const LessonFonts& fonts) {
    const Lesson& lesson = movie.Content();
    const bool rules = lesson.kind == LessonKind::Rules;
    PlaceBand(movie, fonts, 56, rules ? "字母组合 → 读音" : "单词重音");
    const size_t perPage = rules ? 5 : 2;
    const size_t pages = (lesson.items.size() + perPage - 1) / perPage;
    const auto spans = PageFrames(lesson.frames, pages);
    const double top = 70, bottom = 378, gap = rules ? 8 : 16;
    const double rowH = (bottom - top - (perPage - 1) * gap) / perPage;
    std::vector<uint16_t> pageDepths;
    for (size_t page = 0; page < pages; ++page) {
        const auto [start, count] = spans[page];
        for (const uint16_t depth : pageDepths) movie.Remove(depth);
        pageDepths.clear();
        movie.Body().FrameLabel(PageLabel(page));
        PlaceNavigation(movie, fonts, page, pages, 406);
        pageDepths.insert(pageDepths.end(), {40, 41, 42});

        // Each row is a group of placements that appears at its own frame.
        struct Placement {
            uint16_t depth, id;
            double x, y;
            std::string name;
        };
        std::vector<std::vector<Placement>> rows;
        for (size_t r = 0; r < perPage && page * perPage + r < lesson.items.size(); ++r) {
            const LessonItem& item = lesson.items[page * perPage + r];
            const double cy = top + r * (rowH + gap) + rowH / 2;
            const auto depth = static_cast<uint16_t>(100 + r * 10);
            std::vector<Placement> row;
            row.push_back({depth, movie.Define(BoxShape(lesson.width - 40.0, rowH, 10, kPaleGreen, 1, kGreen)),
                           lesson.width / 2.0, cy, {}});
            if (rules) {
                const auto spelling = movie.Define(TextShape(fonts.bold, {{Utf32(item.spelling), kGreen}}, 21, Anchor::Centre));
                row.push_back({static_cast<uint16_t>(depth + 1), spelling, 28 + 40, cy, {}});
                const auto arrow = movie.Define(ArrowShape(12, 1, kGrey));
                row.push_back({static_cast<uint16_t>(depth + 2), arrow, 124, cy, {}});
                const auto symbol = movie.Define(
                    TextShape(fonts.bold, {{Utf32(std::string("/") + item.symbol + "/"), kOrange}}, 22, Anchor::Centre));
                const auto speaker = movie.Define(SpeakerShape(6, kOrange));
                row.push_back({static_cast<uint16_t>(depth + 3),
                               movie.Button(78, rowH - 12, kCard, {{symbol, -8, 0}, {speaker, 27, -12}},
                                            SymbolUtterance(item.symbol), {}),
                               176, cy, std::string("say:") + item.symbol});
                const size_t words = item.examples.size();
                const double wordsLeft = 226, wordsRight = lesson.width - 28.0, wordGap = 8;
                const double wordW = (wordsRight - wordsLeft - (words - 1) * wordGap) / words;
                for (size_t k = 0; k < words; ++k)
                    row.push_back({static_cast<uint16_t>(depth + 4 + k),
                                   movie.Button(wordW, rowH - 10, kCard,
                                                WordParts(movie, fonts, item.examples[k], wordW, rowH - 10, 19, 15),
                                                TranscriptionPhonemes(item.examples[k].kk), {}),
                                   wordsLeft + wordW / 2 + k * (wordW + wordGap), cy,
                                   "word:" + Plain(item.examples[k].word)});
            } else {
                const double textLeft = 40;
                const auto number = movie.Define(
                    TextShape(fonts.bold, {{Utf32(std::to_string(page * perPage + r + 1)), kWhite}}, 16, Anchor::Centre));
                const auto badge = movie.Define(BoxShape(26, 26, 13, kOrange, 0, kOrange));
                row.push_back({static_cast<uint16_t>(depth + 1), badge, textLeft, top + r * (rowH + gap) + 24, {}});
                row.push_back({static_cast<uint16_t>(depth + 2), number, textLeft, top + r * (rowH + gap) + 24, {}});
                const auto lines = Wrap(fonts.regular, item.tip, 19, lesson.width - 2 * textLeft - 30);
                for (size_t l = 0; l < lines.size() && l < 2; ++l)
                    row.push_back({static_cast<uint16_t>(depth + 3 + l),
                                   movie.Define(TextShape(fonts.regular, {{lines[l], kInk}}, 19, Anchor::Left)),
                                   textLeft + 22, top + r * (rowH + gap) + 31 + l * 26.0, {}});
                const double wordW = (lesson.width - 48 - 16 - 24) / 2.0, wordH = 74;
                const double wordY = top + r * (rowH + gap) + rowH - wordH / 2 - 10;
                for (size_t k = 0; k < item.examples.size() && k < 2; ++k) {
                    const Example& example = item.examples[k];
                    const auto runs = MarkedRuns(example.word, kInk, kOrange, &fonts.bold);
                    const double size = std::min(26.0, 26.0 * (wordW - 14 - 44) / RunsWidth(fonts.regular, runs, 26));
                    const auto word = movie.Define(TextShape(fonts.regular, runs, size, Anchor::Left));
                    const auto kk = movie.Define(
                        TextShape(fonts.regular, {{Utf32(std::string("/") + example.kk + "/"), kGreen}}, 20, Anchor::Left));
                    const auto speaker = movie.Define(SpeakerShape(9, kOrange));
                    const double l = -wordW / 2 + 14;
                    row.push_back({static_cast<uint16_t>(depth + 6 + k),
                                   movie.Button(wordW, wordH, kCard, {{word, l, -4}, {kk, l, 26}, {speaker, wordW / 2 - 22, -14}},
                                                TranscriptionPhonemes(example.kk), {}),
                                   36 + 8 + wordW / 2 + k * (wordW + 16), wordY, "word:" + Plain(example.word)});
                }
            }
            rows.push_back(std::move(row));
        }
        // Rows slide in from the right, fading in, one after another; the page then waits.
        constexpr int kSlide = 5;
        const int step = std::max(1, std::min(kSlide + 2, (count - kSlide - 1) / std::max<int>(1, static_cast<int>(rows.size()))));
        for (int f = 0; f < count; ++f) {
            for (size_t r = 0; r < rows.size(); ++r) {
                const int begin = 1 + static_cast<int>(r) * step;
                if (f < begin || f > begin + kSlide) continue;
                const double t = EaseOut(static_cast<double>(f - begin) / kSlide);
                const double dx = (1 - t) * 60;
                for (const Placement& p : rows[r]) {
                    if (f == begin) {
                        movie.Place(p.depth, p.id, At(p.x + dx, p.y), p.name, Fade(t));
                        pageDepths.push_back(p.depth);
                    } else {
                        movie.Move(p.depth, At(p.x + dx, p.y), Fade(t));
                    }
                }
            }
            if (f == count - 1) {
                // A page left before its rows were all in: place the rest now.
                for (size_t r = 0; r < rows.size(); ++r)
                    if (1 + static_cast<int>(r) * step > f)
                        for (const Placement& p : rows[r]) {
                            movie.Place(p.depth, p.id, At(p.x, p.y), p.name);
                            pageDepths.push_back(p.depth);
                        }
                movie.Body().DoAction({kStop});
            }
            movie.Body().ShowFrame();
        }
    }
}

// Halves the sample rate: a short low-pass (1 4 6 4 1) / 16, then every second sample.
std::vector<int16_t> Halve(const std::vector<int16_t>& in) {
    std::vector<int16_t> out;
    const auto at = [&](ptrdiff_t i) { return i < 0 || i >= static_cast<ptrdiff_t>(in.size()) ? 0 : int{in[static_cast<size_t>(i)]}; };
    for (ptrdiff_t i = 0; i < static_cast<ptrdiff_t>(in.size()); i += 2)
        out.push_back(static_cast<int16_t>((at(i - 2) + 4 * at(i - 1) + 6 * at(i) + 4 * at(i + 1) + at(i + 2)) / 16));
    return out;
}

const std::vector<int16_t>& Spoken(const std::string& phonemes) {
    static std::map<std::string, std::vector<int16_t>> cache;
    auto found = cache.find(phonemes);
    if (found == cache.end()) found = cache.emplace(phonemes, Speak(phonemes)).first;
    return found->second;
}

// The finished movie: background, the speech at the best quality that fits the
// lesson's byte size, then the body, padded to that size.
std::vector<uint8_t> Finish(Movie& movie, SpeechQuality* quality) {
    const Lesson& lesson = movie.Content();
    struct Level {
        uint8_t rateCode;
        unsigned bits;
    };
    constexpr Level kLevels[] = {{2, 5}, {2, 4}, {2, 3}, {1, 4}, {1, 3}};
    for (const Level& level : kLevels) {
        SwfWriter out{Movie::Stage(lesson), 12};
        out.SetBackground(kCream);
        double seconds = 0;
        std::vector<StoredSpeech> sounds;
        for (const std::string& phonemes : movie.Speech().Utterances()) {
            const std::vector<int16_t>& full = Spoken(phonemes);
            StoredSpeech sound{movie.Speech().IdOf(phonemes), phonemes, level.rateCode == 2 ? full : Halve(full)};
            seconds += static_cast<double>(full.size()) / kSpeechRate;
            out.DefineSound(sound.id, SwfSoundFormat::Adpcm, level.rateCode, true, 1,
                            static_cast<uint32_t>(sound.samples.size()), EncodeAdpcm(sound.samples, 1, level.bits));
            sounds.push_back(std::move(sound));
        }
        out.Append(movie.Body());
        if (out.Size() > lesson.size || lesson.size - out.Size() == 1) continue;  // a gap of one byte cannot be padded
        if (quality) *quality = {level.rateCode == 2 ? 22050u : 11025u, level.bits, seconds, std::move(sounds)};
        return out.Finish(lesson.size);
    }
    throw std::runtime_error(std::string("lesson ") + lesson.letter + " does not fit its size even with the plainest speech");
}

}  // namespace

std::vector<uint8_t> MakeLessonMovie(const Lesson& lesson, const LessonFonts& fonts, SpeechQuality* quality) {
    Movie movie{lesson};
    switch (lesson.kind) {
    case LessonKind::Chart:
        Chart(movie, fonts);
        break;
    case LessonKind::Rules:
    case LessonKind::Stress:
        RulePages(movie, fonts);
        break;
    case LessonKind::Sounds:
        Sounds(movie, fonts);
        break;
    }
    if (movie.Body().FrameCount() != static_cast<size_t>(lesson.frames))
        throw std::runtime_error(std::string("lesson ") + lesson.letter + " made the wrong number of frames");
    return Finish(movie, quality);
}
