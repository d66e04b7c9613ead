#pragma once
// A movie running: its timeline with the movie's own play state, the actions and
// sounds of the frames it enters, and the pointer on its buttons. Platform-neutral:
// the host feeds it timer ticks and pointer positions in stage twips, plays the sound
// requests it hands out and repaints when the picture changed.

#include "flash/SwfMovie.h"
#include "flash/SwfTimeline.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct SwfSoundRequest {
    enum class Kind : uint8_t { Start, StopAll };
    Kind kind = Kind::Start;
    uint16_t sound = 0;
    SwfSoundInfo info;
};

class SwfStage {
public:
    SwfStage() = default;
    // Shows the movie's first frame; its sounds and actions run on the first Play or Tick.
    explicit SwfStage(std::shared_ptr<const SwfMovie> movie);

    const SwfMovie* Movie() const noexcept { return m_timeline.Movie(); }
    const SwfTimeline& Timeline() const noexcept { return m_timeline; }
    size_t CurrentFrame() const noexcept { return m_timeline.CurrentFrame(); }
    size_t FrameCount() const noexcept { return m_timeline.FrameCount(); }

    // The movie's play state: what the host's Play and the movie's own actions set.
    bool IsPlaying() const noexcept { return m_playing; }
    void Play();
    void Stop() noexcept { m_playing = false; }
    // After the last frame: the first again, or stop there.
    void SetLoop(bool loop) noexcept { m_loop = loop; }
    bool Loop() const noexcept { return m_loop; }
    // One frame of playing time: the next frame and what it does, if playing.
    void Tick() {
        if (m_playing) Step();
    }
    // The same whether playing or not.
    void Step();
    // Goes to a frame (clamped) and runs what it does, without changing the play state.
    void GotoFrame(size_t frame);

    // The pointer, in stage twips, with the main mouse button's state.
    void PointerMove(double x, double y, bool buttonDown);
    void PointerDown(double x, double y);
    void PointerUp(double x, double y);
    // The pointer left the stage (a press still held goes on being tracked).
    void PointerLeave();
    // The depth of the button under the pointer, if any: the host shows a hand there.
    std::optional<uint16_t> HotButton() const noexcept { return m_hot; }
    // The depth of the topmost button whose hit area holds the point; none off the stage.
    std::optional<uint16_t> ButtonUnder(double x, double y) const;
    bool IsPressing() const noexcept { return m_pressed.has_value(); }

    // What happened since the last call: sound requests in order, and whether the
    // picture changed.
    std::vector<SwfSoundRequest> TakeSoundRequests() noexcept { return std::exchange(m_sounds, {}); }
    bool TakeChanged() noexcept { return std::exchange(m_changed, false); }

private:
    void Jump(size_t frame);
    void EnterFrame();
    void Run(const SwfActions& actions);
    void StartSound(uint16_t sound, const SwfSoundInfo& info);
    const SwfButton* ButtonAt(uint16_t depth) const noexcept;
    void Transition(uint16_t depth, uint16_t transition, SwfButtonState shown);
    // After the display list changed: buttons that went lose the pointer's state.
    void RecheckButtons();

    SwfTimeline m_timeline;
    bool m_playing = false;
    bool m_loop = true;
    bool m_entered = false;  // the current frame's sounds and actions have run
    bool m_jumped = false;   // an action moved the timeline
    bool m_changed = true;
    std::vector<SwfSoundRequest> m_sounds;

    std::optional<uint16_t> m_hot;      // button under the pointer
    std::optional<uint16_t> m_pressed;  // button the press began on, while held
    uint16_t m_hotCharacter = 0, m_pressedCharacter = 0;
    bool m_pointerInside = false;
    double m_x = 0, m_y = 0;
};
