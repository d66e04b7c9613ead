// How long the player needs per lesson frame: parses each lesson movie, then renders
// every frame at the player's size in a maximised window (default 1040 x 800) and
// prints the parse time and the mean and slowest frame in milliseconds.
//   swf_render [width height]

#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfTimeline.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const int width = argc >= 3 ? std::atoi(argv[1]) : 1040, height = argc >= 3 ? std::atoi(argv[2]) : 800;
    if (width <= 0 || height <= 0) return 2;
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    const PixelView view(width, height, width, pixels);
    SwfRenderer renderer;
    std::printf("lesson  parse ms  frames  mean ms/frame  slowest ms  (%d x %d)\n", width, height);
    for (char letter = 'A'; letter <= 'P'; ++letter) {
        std::ifstream in(std::string(KESTRELLE_LESSONS_DIR) + "/" + letter + ".swf", std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto t0 = Clock::now();
        const auto movie = std::make_shared<const SwfMovie>(SwfMovie::Parse(bytes));
        const double parse = ms(Clock::now() - t0);
        SwfTimeline timeline{movie};
        double total = 0, slowest = 0;
        for (size_t f = 0; f < movie->FrameCount(); ++f) {
            const auto start = Clock::now();
            renderer.Render(*movie, timeline.DisplayList(), view);
            const double spent = ms(Clock::now() - start);
            total += spent;
            slowest = std::max(slowest, spent);
            timeline.NextFrame();
        }
        std::printf("%c       %8.2f  %6zu  %13.2f  %10.2f\n", letter, parse, movie->FrameCount(),
                    total / static_cast<double>(movie->FrameCount()), slowest);
    }
    return 0;
}
