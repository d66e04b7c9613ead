// The sixteen shipped lesson movies: the header facts and exact sizes the program
// promises, and that each one parses, runs and shows its content.

#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfTimeline.h"
#include "tests/flash/LessonBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
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

}  // namespace
