// Makes the sixteen lesson movies A.swf ... P.swf:
//   lessongen <output folder> [--preview <folder>]
// --preview also renders, with the player's renderer, the frames where each movie
// waits for the learner, as PPM images at the movie's own size.

#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfStage.h"
#include "tools/common/ContentFonts.h"
#include "tools/common/FontOutline.h"
#include "tools/common/Ppm.h"
#include "tools/common/SaveFile.h"
#include "tools/lessongen/LessonMovie.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

namespace {

void Preview(const std::vector<uint8_t>& bytes, const Lesson& lesson, const std::filesystem::path& folder) {
    const auto movie = std::make_shared<const SwfMovie>(SwfMovie::Parse(bytes));
    SwfTimeline timeline{movie};
    SwfRenderer renderer;
    std::vector<uint32_t> pixels(static_cast<size_t>(lesson.width) * lesson.height);
    const PixelView view{lesson.width, lesson.height, lesson.width, pixels};
    for (size_t frame = 0; frame < movie->FrameCount(); ++frame) {
        timeline.GotoFrame(frame);
        const auto& actions = movie->Frame(frame).actions;
        if (frame != 0 && (actions.empty() || actions.back().code != SwfActionCode::Stop)) continue;
        renderer.Render(*movie, timeline.DisplayList(), view);
        WritePpm((folder / (std::string(1, lesson.letter) + "-" + std::to_string(frame) + ".ppm")).string(), view);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: lessongen <output folder> [--preview <folder>]\n");
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        const FontSet regular{{kDejaVuSans, kZenHei}};
        const FontSet bold{{kDejaVuSansBold, kZenHei}};
        for (const Lesson& lesson : Lessons()) {
            SpeechQuality speech;
            const auto bytes = MakeLessonMovie(lesson, {regular, bold}, &speech);
            const auto path = out / (std::string(1, lesson.letter) + ".swf");
            SaveFile(path, std::as_bytes(std::span(bytes)));
            if (argc == 4) {
                std::filesystem::create_directories(argv[3]);
                Preview(bytes, lesson, argv[3]);
            }
            std::printf("%c.swf  %zu bytes, %d frames, %zu clips (%.1f s) at %u Hz, %u-bit ADPCM\n", lesson.letter,
                        bytes.size(), lesson.frames, speech.sounds.size(), speech.seconds, speech.rate, speech.bits);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lessongen: %s\n", e.what());
        return 1;
    }
    return 0;
}
