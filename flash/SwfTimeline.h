#pragma once
// Runs a movie's frames: keeps the display list (objects by depth) of the current
// frame and moves it forward, looping at the end. The movie is shared, never copied.

#include "flash/SwfMovie.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

struct SwfPlacedObject {
    uint16_t character = 0;
    SwfMatrix matrix;
    SwfColourTransform colourTransform;
    uint16_t ratio = 0;
    uint16_t clipDepth = 0;  // non-zero: a mask layer, not drawn itself
    SwfButtonState buttonState = SwfButtonState::Up;  // for a button: which of its states shows
    std::string name;  // the instance name it was placed with, if any
};

// Objects in drawing order: lowest depth first.
using SwfDisplayList = std::map<uint16_t, SwfPlacedObject>;

void ApplyFrame(SwfDisplayList& list, const SwfFrame& frame);

class SwfTimeline {
public:
    SwfTimeline() = default;
    // Shows the movie's first frame.
    explicit SwfTimeline(std::shared_ptr<const SwfMovie> movie);

    const SwfMovie* Movie() const noexcept { return m_movie.get(); }
    size_t FrameCount() const noexcept { return m_movie ? m_movie->FrameCount() : 0; }
    size_t CurrentFrame() const noexcept { return m_current; }
    const SwfDisplayList& DisplayList() const noexcept { return m_list; }

    // Builds the display list of frame `index` (clamped to the last frame); going back
    // replays from the first frame.
    void GotoFrame(size_t index);
    // The next frame, or the first one after the last.
    void NextFrame();
    // Shows another state of the button at `depth`; false when there is none.
    bool SetButtonState(uint16_t depth, SwfButtonState state);

private:
    std::shared_ptr<const SwfMovie> m_movie;
    size_t m_current = 0;
    SwfDisplayList m_list;
};
