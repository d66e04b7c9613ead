#include "flash/SwfStage.h"

#include <utility>

namespace {

// Frames whose actions jump on may run this many times per step; more would be a
// movie that jumps between frames for ever, which must not hang the player.
constexpr int kMaxJumpsPerStep = 64;

}  // namespace

SwfStage::SwfStage(std::shared_ptr<const SwfMovie> movie) : m_timeline{std::move(movie)} {}

void SwfStage::Play() {
    m_playing = true;
    if (!m_entered) EnterFrame();
}

void SwfStage::Step() {
    if (FrameCount() == 0) return;
    if (!m_entered) EnterFrame();
    if (CurrentFrame() + 1 >= FrameCount() && !m_loop) {
        m_playing = false;
        return;
    }
    if (FrameCount() == 1) return;  // nothing to move to; the one frame ran when entered
    m_timeline.NextFrame();
    m_changed = true;
    RecheckButtons();
    EnterFrame();
}

void SwfStage::GotoFrame(size_t frame) {
    if (FrameCount() == 0) return;
    m_jumped = false;
    Jump(frame);
    if (m_jumped) EnterFrame();
}

void SwfStage::Jump(size_t frame) {
    if (FrameCount() == 0) return;
    if (frame >= FrameCount()) frame = FrameCount() - 1;
    if (frame == CurrentFrame()) return;  // the frame shown already ran what it does
    m_timeline.GotoFrame(frame);
    m_changed = true;
    m_jumped = true;
    RecheckButtons();
}

void SwfStage::EnterFrame() {
    const SwfMovie* movie = Movie();
    if (!movie || FrameCount() == 0) return;
    int jumps = 0;
    do {
        m_entered = true;
        m_jumped = false;
        const SwfFrame& frame = movie->Frame(CurrentFrame());
        for (const auto& sound : frame.sounds) StartSound(sound.sound, sound.info);
        Run(frame.actions);
    } while (m_jumped && ++jumps < kMaxJumpsPerStep);
}

void SwfStage::Run(const SwfActions& actions) {
    const SwfMovie* movie = Movie();
    if (!movie) return;
    bool elsewhere = false;  // after SetTarget to another timeline, of which this player has none
    for (const auto& action : actions) {
        if (action.code == SwfActionCode::SetTarget) {
            elsewhere = !action.text.empty();
            continue;
        }
        if (elsewhere) continue;
        switch (action.code) {
        case SwfActionCode::NextFrame:
            Jump(CurrentFrame() + 1);
            m_playing = false;
            break;
        case SwfActionCode::PreviousFrame:
            if (CurrentFrame() > 0) Jump(CurrentFrame() - 1);
            m_playing = false;
            break;
        case SwfActionCode::Play:
            m_playing = true;
            break;
        case SwfActionCode::Stop:
            m_playing = false;
            break;
        case SwfActionCode::StopSounds:
            m_sounds.push_back({SwfSoundRequest::Kind::StopAll, 0, {}});
            break;
        case SwfActionCode::GotoFrame:
            Jump(action.frame);
            break;
        case SwfActionCode::GotoLabel:
            if (const auto frame = movie->FindLabel(action.text)) Jump(*frame);
            break;
        case SwfActionCode::SetTarget:
            break;
        }
    }
}

void SwfStage::StartSound(uint16_t sound, const SwfSoundInfo& info) {
    const SwfMovie* movie = Movie();
    if (movie && movie->FindSound(sound)) m_sounds.push_back({SwfSoundRequest::Kind::Start, sound, info});
}

const SwfButton* SwfStage::ButtonAt(uint16_t depth) const noexcept {
    const auto& list = m_timeline.DisplayList();
    const auto found = list.find(depth);
    if (found == list.end() || !Movie()) return nullptr;
    return Movie()->FindButton(found->second.character);
}

std::optional<uint16_t> SwfStage::ButtonUnder(double x, double y) const {
    const SwfMovie* movie = Movie();
    if (!movie) return std::nullopt;
    // Nothing is drawn outside the stage, so no button is under a pointer there, however
    // far its hit area reaches.
    const SwfRect& stage = movie->FrameSize();
    if (!(x >= stage.xMin && x < stage.xMax && y >= stage.yMin && y < stage.yMax)) return std::nullopt;
    const auto& list = m_timeline.DisplayList();
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        const SwfButton* button = movie->FindButton(it->second.character);
        if (!button || it->second.clipDepth != 0) continue;
        const auto toButton = it->second.matrix.Inverse();
        if (!toButton) continue;
        const double bx = toButton->MapX(x, y), by = toButton->MapY(x, y);
        for (const auto& record : button->records) {
            const SwfShape* shape = record.hitTest ? movie->FindShape(record.character) : nullptr;
            const auto toShape = shape ? record.matrix.Inverse() : std::nullopt;
            if (toShape && ShapeContains(*shape, toShape->MapX(bx, by), toShape->MapY(bx, by))) return it->first;
        }
    }
    return std::nullopt;
}

void SwfStage::Transition(uint16_t depth, uint16_t transition, SwfButtonState shown) {
    const SwfButton* button = ButtonAt(depth);
    if (!button) return;
    if (m_timeline.SetButtonState(depth, shown)) m_changed = true;
    // Actions first, so that a StopSounds among them makes way for the transition's sound.
    m_jumped = false;
    for (const auto& action : button->actions)
        if (action.conditions & transition) Run(action.actions);
    for (size_t i = 0; i < kButtonSoundTransitions.size(); ++i)
        if (kButtonSoundTransitions[i] == transition && button->sounds[i].sound != 0)
            StartSound(button->sounds[i].sound, button->sounds[i].info);
    if (m_jumped) EnterFrame();
}

void SwfStage::RecheckButtons() {
    const auto& list = m_timeline.DisplayList();
    const auto same = [&](std::optional<uint16_t>& depth, uint16_t character) {
        if (!depth) return;
        const auto found = list.find(*depth);
        if (found == list.end() || found->second.character != character || !ButtonAt(*depth)) depth.reset();
    };
    same(m_pressed, m_pressedCharacter);
    same(m_hot, m_hotCharacter);
    // The list may have been built afresh: show the pointer's buttons again.
    if (m_pressed) m_timeline.SetButtonState(*m_pressed, m_hot == m_pressed ? SwfButtonState::Down : SwfButtonState::Up);
    if (!m_pressed && !m_hot && m_pointerInside) {
        m_hot = ButtonUnder(m_x, m_y);
        if (m_hot) m_hotCharacter = list.at(*m_hot).character;
    }
    if (m_hot && m_hot != m_pressed) m_timeline.SetButtonState(*m_hot, SwfButtonState::Over);
}

void SwfStage::PointerMove(double x, double y, bool buttonDown) {
    m_x = x;
    m_y = y;
    m_pointerInside = true;
    const auto hit = ButtonUnder(x, y);
    if (m_pressed && buttonDown) {
        const uint16_t pressed = *m_pressed;
        if (hit == pressed && m_hot != pressed) {
            m_hot = pressed;
            m_hotCharacter = m_pressedCharacter;
            Transition(pressed, kOutDownToOverDown, SwfButtonState::Down);
        } else if (hit != pressed && m_hot == pressed) {
            m_hot.reset();
            Transition(pressed, kOverDownToOutDown, SwfButtonState::Up);
        }
        return;
    }
    if (m_pressed) {  // the release happened where nobody saw it
        const uint16_t pressed = *m_pressed;
        m_pressed.reset();
        Transition(pressed, kOutDownToIdle, SwfButtonState::Up);
    }
    if (hit == m_hot) return;
    if (m_hot) {
        const uint16_t left = *m_hot;
        m_hot.reset();
        Transition(left, kOverUpToIdle, SwfButtonState::Up);
    }
    if (hit && !m_hot && ButtonAt(*hit)) {
        m_hot = hit;
        m_hotCharacter = m_timeline.DisplayList().at(*hit).character;
        Transition(*hit, kIdleToOverUp, SwfButtonState::Over);
    }
}

void SwfStage::PointerDown(double x, double y) {
    PointerMove(x, y, false);
    if (!m_hot) return;
    m_pressed = m_hot;
    m_pressedCharacter = m_hotCharacter;
    Transition(*m_pressed, kOverUpToOverDown, SwfButtonState::Down);
}

void SwfStage::PointerUp(double x, double y) {
    m_x = x;
    m_y = y;
    if (!m_pressed) return PointerMove(x, y, false);
    const uint16_t pressed = *m_pressed;
    m_pressed.reset();
    if (ButtonUnder(x, y) == pressed) {
        m_hot = pressed;
        m_hotCharacter = m_pressedCharacter;
        Transition(pressed, kOverDownToOverUp, SwfButtonState::Over);  // a click
        return;
    }
    Transition(pressed, kOutDownToIdle, SwfButtonState::Up);
    PointerMove(x, y, false);
}

void SwfStage::PointerLeave() {
    m_pointerInside = false;
    if (m_pressed || !m_hot) return;
    const uint16_t left = *m_hot;
    m_hot.reset();
    Transition(left, kOverUpToIdle, SwfButtonState::Up);
}
