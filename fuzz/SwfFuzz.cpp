// Movie bytes from outside: parse, run every frame's display-list changes, actions and
// sounds, let the pointer press and release on the stage, mix the sounds it asks for
// and render a small frame, which covers the reader, the model, the rasteriser and the
// sound decoders.

#include "flash/SoundMixer.h"
#include "flash/SwfError.h"
#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfStage.h"

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
    SwfStage stage{movie};
    SwfRenderer renderer;
    renderer.SetEdgeBudget(200'000);
    SoundMixer mixer;
    std::vector<int16_t> sound(512 * SoundMixer::kChannels);
    std::vector<uint32_t> pixels(48 * 32);
    const PixelView view{48, 32, 48, pixels};
    // The pointer walks a grid over the stage, pressing on every other step.
    const SwfRect& frame = movie->FrameSize();
    stage.Play();
    const size_t frames = std::min<size_t>(stage.FrameCount(), 64);
    for (size_t i = 0; i < frames; ++i) {
        renderer.Render(*movie, stage.Timeline().DisplayList(), view);
        const double x = frame.xMin + frame.Width() * ((i * 7) % 8) / 8.0, y = frame.yMin + frame.Height() * ((i * 3) % 8) / 8.0;
        stage.PointerMove(x, y, false);
        if (i % 2) {
            stage.PointerDown(x, y);
            stage.PointerUp(x + (i % 4 == 1 ? 0 : frame.Width() / 2.0), y);
        }
        for (const auto& request : stage.TakeSoundRequests()) {
            const SwfSound* found = request.kind == SwfSoundRequest::Kind::Start ? movie->FindSound(request.sound) : nullptr;
            if (found) mixer.Start(std::shared_ptr<const SwfSound>(movie, found), request.info);
            else mixer.StopAll();
        }
        mixer.Mix(sound);
        stage.Step();
    }
    stage.PointerLeave();
    return 0;
}
