// Movie bytes from outside: parse, run every frame's display-list changes and render a
// small frame, which covers the reader, the model and the rasteriser.

#include "flash/SwfError.h"
#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfTimeline.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Most inputs would stop at the header's length check; half of them get it
    // fixed up so that the tag stream behind it is reached.
    std::vector<uint8_t> bytes(data, data + size);
    if (size >= 8 && (data[size - 1] & 1))
        for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<uint8_t>(size >> (8 * i));
    std::shared_ptr<const SwfMovie> movie;
    try {
        movie = std::make_shared<const SwfMovie>(SwfMovie::Parse(bytes));
    } catch (const ESwfError&) {
        return 0;
    }
    SwfTimeline timeline{movie};
    SwfRenderer renderer;
    renderer.SetEdgeBudget(200'000);
    std::vector<uint32_t> pixels(48 * 32);
    const PixelView view{48, 32, 48, pixels};
    const size_t frames = std::min<size_t>(timeline.FrameCount(), 64);
    for (size_t i = 0; i < frames; ++i) {
        renderer.Render(*movie, timeline.DisplayList(), view);
        timeline.NextFrame();
    }
    return 0;
}
