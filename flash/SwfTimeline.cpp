#include "flash/SwfTimeline.h"

#include <type_traits>
#include <utility>

namespace {

void Place(SwfDisplayList& list, const SwfPlace& place) {
    const auto found = list.find(place.depth);
    if (!place.move || found == list.end()) {
        // A new object needs a character; a move of an empty depth without one does nothing.
        if (!place.character) return;
        SwfPlacedObject object;
        object.character = *place.character;
        object.matrix = place.matrix.value_or(SwfMatrix{});
        object.colourTransform = place.colourTransform.value_or(SwfColourTransform{});
        object.ratio = place.ratio.value_or(0);
        object.clipDepth = place.clipDepth.value_or(0);
        object.name = place.name;
        list[place.depth] = std::move(object);
        return;
    }
    SwfPlacedObject& object = found->second;
    if (place.character && *place.character != object.character) {
        object.character = *place.character;
        object.buttonState = SwfButtonState::Up;  // another character starts afresh
    }
    if (place.matrix) object.matrix = *place.matrix;
    if (place.colourTransform) object.colourTransform = *place.colourTransform;
    if (place.ratio) object.ratio = *place.ratio;
    if (place.clipDepth) object.clipDepth = *place.clipDepth;
    if (!place.name.empty()) object.name = place.name;
}

}  // namespace

void ApplyFrame(SwfDisplayList& list, const SwfFrame& frame) {
    for (const auto& op : frame.ops) {
        std::visit(
            [&](const auto& change) {
                using T = std::decay_t<decltype(change)>;
                if constexpr (std::is_same_v<T, SwfPlace>)
                    Place(list, change);
                else
                    list.erase(change.depth);
            },
            op);
    }
}

SwfTimeline::SwfTimeline(std::shared_ptr<const SwfMovie> movie) : m_movie{std::move(movie)} {
    if (FrameCount() > 0) ApplyFrame(m_list, m_movie->Frame(0));
}

void SwfTimeline::GotoFrame(size_t index) {
    if (FrameCount() == 0) return;
    if (index >= FrameCount()) index = FrameCount() - 1;
    if (index < m_current) {
        m_list.clear();
        m_current = 0;
        ApplyFrame(m_list, m_movie->Frame(0));
    }
    while (m_current < index) ApplyFrame(m_list, m_movie->Frame(++m_current));
}

bool SwfTimeline::SetButtonState(uint16_t depth, SwfButtonState state) {
    const auto found = m_list.find(depth);
    if (found == m_list.end()) return false;
    found->second.buttonState = state;
    return true;
}

void SwfTimeline::NextFrame() {
    if (FrameCount() == 0) return;
    GotoFrame(m_current + 1 < FrameCount() ? m_current + 1 : 0);
}
