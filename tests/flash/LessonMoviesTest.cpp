// The sixteen shipped lesson movies: the header facts and exact sizes the program
// promises, that each one parses, runs and shows its content, and that a learner can
// click through its pages and hear every symbol and word.

#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfStage.h"
#include "flash/SwfTimeline.h"
#include "tests/flash/LessonBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct LessonFacts {
    char letter;
    size_t size;
    int32_t widthTwips, heightTwips;
    int frames;
};

constexpr LessonFacts kLessons[] = {
    {'A', 285061, 13000, 8000, 102}, {'B', 878377, 10800, 8800, 122}, {'C', 277068, 10800, 8800, 25},
    {'D', 301055, 10800, 8800, 20},  {'E', 420567, 10800, 8800, 25},  {'F', 298957, 10800, 8800, 20},
    {'G', 877804, 10800, 8800, 25},  {'H', 261201, 10800, 8800, 25},  {'I', 378342, 10800, 8800, 25},
    {'J', 462596, 10800, 8800, 25},  {'K', 629340, 10800, 8800, 25},  {'L', 301287, 10800, 8800, 25},
    {'M', 361316, 10800, 8800, 25},  {'N', 215263, 10800, 8800, 15},  {'O', 193049, 10800, 8800, 20},
    {'P', 2012680, 10800, 8800, 185},
};

TEST(LessonMovies, KeepTheirHeaderFactsAndSizes) {
    for (const auto& lesson : kLessons) {
        SCOPED_TRACE(lesson.letter);
        const std::vector<uint8_t> bytes = LessonBytes(lesson.letter);
        ASSERT_EQ(bytes.size(), lesson.size);
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 3), (std::vector<uint8_t>{'F', 'W', 'S'}));
        const SwfMovie movie = SwfMovie::Parse(bytes);
        EXPECT_EQ(movie.Version(), 5);
        EXPECT_EQ(movie.FileLength(), lesson.size);
        EXPECT_EQ(movie.FrameSize(), (SwfRect{0, lesson.widthTwips, 0, lesson.heightTwips}));
        EXPECT_DOUBLE_EQ(movie.FrameRate(), 12.0);
        EXPECT_EQ(movie.HeaderFrameCount(), lesson.frames);
        EXPECT_EQ(movie.FrameCount(), static_cast<size_t>(lesson.frames));
    }
}

// Every movie shows its title band and content on every frame, and its frames differ:
// rendered at a quarter of its size, frame 0 and the middle frame are not the same
// picture, and both have plenty of the title band's green.
TEST(LessonMovies, AnimateTheirContent) {
    for (const auto& lesson : kLessons) {
        SCOPED_TRACE(lesson.letter);
        const auto movie = std::make_shared<const SwfMovie>(SwfMovie::Parse(LessonBytes(lesson.letter)));
        SwfTimeline timeline{movie};
        SwfRenderer renderer;
        const int w = lesson.widthTwips / 80, h = lesson.heightTwips / 80;
        std::vector<uint32_t> first(static_cast<size_t>(w) * h), middle(first.size());
        ASSERT_TRUE(renderer.Render(*movie, timeline.DisplayList(), PixelView(w, h, w, first)));
        timeline.GotoFrame(movie->FrameCount() / 2);
        ASSERT_TRUE(renderer.Render(*movie, timeline.DisplayList(), PixelView(w, h, w, middle)));
        EXPECT_NE(first, middle);
        for (const auto* pixels : {&first, &middle}) {
            const auto green = std::count(pixels->begin(), pixels->end(), 0xFF006500u);
            EXPECT_GT(green, w * 8);  // at least the band's rows
        }
    }
}

// The symbols each sound lesson's button in the main window shows, in its order.
struct SoundLesson {
    char letter;
    std::vector<std::string> symbols;
};

const SoundLesson kSoundLessons[] = {
    {'C', {"i", "ɪ", "ɛ", "æ"}},   {'D', {"ɑr", "ɑ", "ɔ"}},       {'E', {"ɔr", "ʊ", "u", "ʌ"}},
    {'F', {"ɜ", "ə", "ɚ"}},        {'G', {"e", "aɪ", "aʊ", "o"}}, {'H', {"ɔɪ", "ɪr", "ɛr", "ʊr"}},
    {'I', {"p", "b", "t", "d"}},   {'J', {"k", "g", "tʃ", "dʒ"}}, {'K', {"f", "v", "θ", "ð"}},
    {'L', {"s", "z", "ʃ", "ʒ"}},   {'M', {"h", "m", "n", "ŋ"}},   {'N', {"l", "r"}},
    {'O', {"j", "w", "hw"}},
};

// A lesson running on a stage, clicked through as a learner would.
class Learner {
public:
    // Playing from its first frame; settled, it has played until it waits for the learner.
    enum class Start { Settled, FirstFrame };
    explicit Learner(char letter, Start start = Start::Settled)
        : m_movie{std::make_shared<const SwfMovie>(SwfMovie::Parse(LessonBytes(letter)))}, m_stage{m_movie} {
        m_stage.Play();
        if (start == Start::Settled) Settle();
    }

    // Plays until the movie waits for the learner; false when it never does.
    bool Settle() {
        for (size_t tick = 0; tick <= m_movie->FrameCount() && m_stage.IsPlaying(); ++tick) m_stage.Tick();
        return !m_stage.IsPlaying();
    }

    const SwfPlacedObject* Find(const std::string& name) const {
        for (const auto& [depth, object] : m_stage.Timeline().DisplayList())
            if (object.name == name) return &object;
        return nullptr;
    }
    std::vector<const SwfPlacedObject*> Named(const std::string& prefix) const {
        std::vector<const SwfPlacedObject*> found;
        for (const auto& [depth, object] : m_stage.Timeline().DisplayList())
            if (object.name.rfind(prefix, 0) == 0) found.push_back(&object);
        return found;
    }

    // The sound a button says when pressed, if it is a button that says one with
    // at least a tenth of a second of audible speech.
    const SwfSound* SaysWhenPressed(const SwfPlacedObject& object) const {
        const SwfButton* button = m_movie->FindButton(object.character);
        const SwfSound* sound = button ? m_movie->FindSound(button->sounds[2].sound) : nullptr;
        if (!sound || sound->Frames() < sound->Rate() / 10) return nullptr;
        const auto peak = std::max_element(sound->samples.begin(), sound->samples.end(),
                                           [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); });
        return std::abs(*peak) > 8000 ? sound : nullptr;
    }

    // The stage bounds of the button's hit area, in twips.
    SwfRect HitArea(const SwfPlacedObject& object) const {
        const SwfButton* button = m_movie->FindButton(object.character);
        if (!button) {
            ADD_FAILURE() << object.name << " is not a button";
            return {};
        }
        for (const auto& record : button->records) {
            const SwfShape* hit = record.hitTest ? m_movie->FindShape(record.character) : nullptr;
            if (!hit) continue;
            const SwfMatrix toStage = record.matrix.Then(object.matrix);
            const auto x = [&](int32_t px, int32_t py) { return static_cast<int32_t>(toStage.MapX(px, py)); };
            const auto y = [&](int32_t px, int32_t py) { return static_cast<int32_t>(toStage.MapY(px, py)); };
            const SwfRect& b = hit->bounds;
            return {std::min(x(b.xMin, b.yMin), x(b.xMax, b.yMax)), std::max(x(b.xMin, b.yMin), x(b.xMax, b.yMax)),
                    std::min(y(b.xMin, b.yMin), y(b.xMax, b.yMax)), std::max(y(b.xMin, b.yMin), y(b.xMax, b.yMax))};
        }
        ADD_FAILURE() << object.name << " has no hit area";
        return {};
    }

    // A press and release at the middle of the button's hit area.
    void Click(const SwfPlacedObject& object) {
        const SwfRect area = HitArea(object);
        const double x = (area.xMin + area.xMax) / 2.0, y = (area.yMin + area.yMax) / 2.0;
        m_stage.PointerDown(x, y);
        m_stage.PointerUp(x, y);
    }
    void Point(const SwfPlacedObject& object) {
        const SwfRect area = HitArea(object);
        m_stage.PointerMove((area.xMin + area.xMax) / 2.0, (area.yMin + area.yMax) / 2.0, false);
    }
    void Leave() { m_stage.PointerLeave(); }
    bool Tick() {
        m_stage.Tick();
        return m_stage.IsPlaying();
    }

    // The current frame at its own size, one pixel for 20 twips.
    std::vector<uint32_t> Picture() const {
        const SwfRect& stage = m_movie->FrameSize();
        const int w = stage.Width() / 20, h = stage.Height() / 20;
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
        SwfRenderer renderer;
        EXPECT_TRUE(renderer.Render(*m_movie, m_stage.Timeline().DisplayList(), PixelView(w, h, w, pixels)));
        return pixels;
    }

    // The sounds started since the last call.
    std::set<uint16_t> Started() {
        std::set<uint16_t> started;
        for (const auto& request : m_stage.TakeSoundRequests())
            if (request.kind == SwfSoundRequest::Kind::Start) started.insert(request.sound);
        return started;
    }

    const SwfStage& Stage() const { return m_stage; }

private:
    std::shared_ptr<const SwfMovie> m_movie;
    SwfStage m_stage;
};

TEST(LessonMovies, SoundLessonsGiveEachSymbolAPageThatSaysItAndTwoWords) {
    for (const auto& lesson : kSoundLessons) {
        SCOPED_TRACE(lesson.letter);
        Learner learner{lesson.letter};
        for (size_t page = 0; page <= lesson.symbols.size(); ++page) {
            const std::string& symbol = lesson.symbols[page % lesson.symbols.size()];
            SCOPED_TRACE(symbol);
            ASSERT_TRUE(learner.Stage().IsPlaying() == false);
            const SwfPlacedObject* say = learner.Find("say:" + symbol);
            ASSERT_NE(say, nullptr);
            const SwfSound* sound = learner.SaysWhenPressed(*say);
            ASSERT_NE(sound, nullptr);
            EXPECT_TRUE(learner.Started().count(sound->id)) << "the page says its symbol as it opens";
            const auto words = learner.Named("word:");
            ASSERT_EQ(words.size(), 2u);
            std::set<uint16_t> heard = {sound->id};
            for (const auto* word : words) {
                const SwfSound* spoken = learner.SaysWhenPressed(*word);
                ASSERT_NE(spoken, nullptr) << word->name;
                heard.insert(spoken->id);
            }
            EXPECT_EQ(heard.size(), 3u) << "the symbol and both words sound different";
            learner.Click(*say);
            EXPECT_EQ(learner.Started(), std::set<uint16_t>{sound->id});
            // Next page; after the last one, the first again.
            const SwfPlacedObject* next = learner.Find("next");
            ASSERT_NE(next, nullptr);
            learner.Click(*next);
            ASSERT_TRUE(learner.Settle());
        }
    }
}

TEST(LessonMovies, TheChartSaysEverySymbol) {
    Learner learner{'A'};
    const auto symbols = learner.Named("say:");
    EXPECT_EQ(symbols.size(), 47u);
    std::set<uint16_t> sounds;
    for (const auto* symbol : symbols) {
        const SwfSound* sound = learner.SaysWhenPressed(*symbol);
        ASSERT_NE(sound, nullptr) << symbol->name;
        sounds.insert(sound->id);
    }
    EXPECT_EQ(sounds.size(), 47u);
    const SwfPlacedObject* theta = learner.Find("say:θ");
    ASSERT_NE(theta, nullptr);
    learner.Started();
    learner.Click(*theta);
    EXPECT_EQ(learner.Started(), std::set<uint16_t>{learner.SaysWhenPressed(*theta)->id});
}

TEST(LessonMovies, RuleLessonsSayEveryWordOnEveryPage) {
    for (const auto& [letter, pages, words] : {std::tuple{'B', 3, 27}, std::tuple{'P', 3, 12}}) {
        SCOPED_TRACE(letter);
        Learner learner{letter};
        std::set<std::string> seen;
        for (int page = 0; page < pages; ++page) {
            for (const auto* word : learner.Named("word:")) {
                EXPECT_NE(learner.SaysWhenPressed(*word), nullptr) << word->name;
                seen.insert(word->name + std::to_string(page));
            }
            const SwfPlacedObject* previous = learner.Find("previous");
            ASSERT_NE(previous, nullptr);
            learner.Click(*learner.Find("next"));
            ASSERT_TRUE(learner.Settle());
        }
        EXPECT_EQ(seen.size(), static_cast<size_t>(words));
        // Back from the first page is the last page.
        learner.Click(*learner.Find("previous"));
        ASSERT_TRUE(learner.Settle());
        EXPECT_EQ(learner.Stage().CurrentFrame(), learner.Stage().FrameCount() - 1);
    }
}

// The orange ring of a card shows where the pointer is, and nowhere else: not while
// the chart comes in with no pointer on it, and not after the pointer has left.
TEST(LessonMovies, OnTheChartOnlyThePointerRingsACard) {
    static constexpr uint32_t kRing = 0xFFE66E00;  // the lessons' orange, 230 110 0
    const auto rung = [](const std::vector<uint32_t>& picture) {
        return std::count(picture.begin(), picture.end(), kRing);
    };
    Learner learner{'A', Learner::Start::FirstFrame};
    size_t frame = 0;
    do {
        SCOPED_TRACE(frame);
        ASSERT_EQ(rung(learner.Picture()), 0);
    } while (learner.Tick() && ++frame <= learner.Stage().FrameCount());
    ASSERT_FALSE(learner.Stage().IsPlaying()) << "the chart waits for the learner";

    const int w = 13000 / 20;
    for (const char* name : {"say:ɜ", "say:ɔɪ", "say:k"}) {
        SCOPED_TRACE(name);
        const SwfPlacedObject* card = learner.Find(name);
        ASSERT_NE(card, nullptr);
        learner.Point(*card);
        const auto picture = learner.Picture();
        ASSERT_GT(rung(picture), 100);
        // Every ring pixel lies on the card, give or take the ring's width.
        const SwfRect area = learner.HitArea(*card);
        for (size_t i = 0; i < picture.size(); ++i) {
            if (picture[i] != kRing) continue;
            const int x = static_cast<int>(i % w), y = static_cast<int>(i / w);
            ASSERT_TRUE(x >= area.xMin / 20 - 3 && x <= area.xMax / 20 + 3 && y >= area.yMin / 20 - 3 &&
                        y <= area.yMax / 20 + 3)
                << x << ", " << y;
        }
    }
    learner.Leave();
    EXPECT_EQ(rung(learner.Picture()), 0);
}

// A rule page says its symbol as the chart does: consonants too as a syllable, since
// alone they last a tenth of a second of hiss or hum.
TEST(LessonMovies, TheRulesSayEverySymbolAsTheChartDoes) {
    const auto seconds = [](const SwfSound* sound) { return static_cast<double>(sound->Frames()) / sound->Rate(); };
    Learner chart{'A'};
    std::map<std::string, double> charted;
    for (const auto* symbol : chart.Named("say:"))
        if (const SwfSound* sound = chart.SaysWhenPressed(*symbol)) charted[symbol->name] = seconds(sound);
    Learner rules{'B'};
    size_t said = 0;
    for (int page = 0; page < 3; ++page) {
        for (const auto* symbol : rules.Named("say:")) {
            SCOPED_TRACE(symbol->name);
            const SwfSound* sound = rules.SaysWhenPressed(*symbol);
            ASSERT_NE(sound, nullptr);
            ASSERT_EQ(charted.count(symbol->name), 1u);
            EXPECT_NEAR(seconds(sound), charted[symbol->name], 0.001);
            ++said;
        }
        rules.Click(*rules.Find("next"));
        ASSERT_TRUE(rules.Settle());
    }
    EXPECT_EQ(said, 13u);
}

}  // namespace
