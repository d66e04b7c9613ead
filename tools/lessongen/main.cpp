// Makes the sixteen lesson movies A.swf ... P.swf:
//   lessongen <output folder> [--preview <folder>]
// --preview also renders a few frames of each movie with the player's renderer as PPM.

#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfTimeline.h"
#include "tools/common/ContentFonts.h"
#include "tools/common/FontOutline.h"
#include "tools/common/Ppm.h"
#include "tools/lessongen/LessonMovie.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

void Preview(const std::vector<uint8_t>& bytes, const Lesson& lesson, const std::filesystem::path& folder) {
    const auto movie = std::make_shared<const SwfMovie>(SwfMovie::Parse(bytes));
    SwfTimeline timeline{movie};
    SwfRenderer renderer;
    std::vector<uint32_t> pixels(static_cast<size_t>(lesson.width) * lesson.height);
    const PixelView view{lesson.width, lesson.height, lesson.width, pixels};
    for (const size_t frame : {size_t{0}, movie->FrameCount() / 2}) {
        timeline.GotoFrame(frame);
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
            const auto bytes = MakeLessonMovie(lesson, {regular, bold});
            const auto path = out / (std::string(1, lesson.letter) + ".swf");
            std::ofstream file(path, std::ios::binary);
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!file) throw std::runtime_error("cannot write " + path.string());
            if (argc == 4) {
                std::filesystem::create_directories(argv[3]);
                Preview(bytes, lesson, argv[3]);
            }
            std::printf("%c.swf  %zu bytes, %d frames\n", lesson.letter, bytes.size(), lesson.frames);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lessongen: %s\n", e.what());
        return 1;
    }
    return 0;
}
