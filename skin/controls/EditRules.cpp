#include "skin/controls/EditRules.h"

#include <algorithm>

bool EditHasFrame(core::Size window, core::Size client) noexcept {
    return client.width < window.width && client.height < window.height;
}

bool EditPrintsFrame(core::Size window, core::Size client) noexcept {
    return window.width - client.width > 2 && window.height - client.height > 2;
}

ComboState ComboButtonState(const ComboFacts& facts) noexcept {
    if (!facts.enabled) return ComboState::Disabled;
    if (facts.pressed) return ComboState::Pressed;
    if (facts.focused || facts.hover) return ComboState::Hover;
    return ComboState::Normal;
}

ComboState FlatComboState(const ComboFacts& facts) noexcept {
    if (facts.pressed) return ComboState::Pressed;
    if (facts.focused || facts.hover) return ComboState::Hover;
    return facts.enabled ? ComboState::Normal : ComboState::Disabled;
}

int MirroredFrame(int frameCount, int frame) noexcept {
    if (frameCount < 1 || frame < 1 || frame > frameCount) return frame;
    return frameCount + 1 - frame;
}

ComboPlaces PlaceComboParts(const core::Rect& w, int arrow, bool leftButton) noexcept {
    arrow = std::max(arrow, 0);
    if (leftButton)
        return {{w.left + arrow + 4, w.top + 2, w.right - 2, w.bottom - 2},
                {w.left, w.top, w.left + arrow + 2, w.bottom},
                {w.left + 2, w.top, w.left + arrow + 2, w.bottom}};
    return {{w.left + 2, w.top + 2, w.right - arrow - 4, w.bottom - 2},
            {w.right - arrow - 2, w.top, w.right, w.bottom},
            {w.right - arrow - 2, w.top, w.right - 2, w.bottom}};
}

core::Rect PlaceFlatComboButton(const core::Rect& w, int width, int stripHeight, bool leftButton) noexcept {
    width = std::clamp(width, 0, std::max(w.Width() - 2, 0));
    const int room = std::max(w.Height() - 2, 0);
    const int height = stripHeight > 0 ? std::min(room, stripHeight) : room;
    const int top = w.top + 1 + (room - height) / 2;
    const int left = leftButton ? w.left + 1 : w.right - 1 - width;
    return {left, top, left + width, top + height};
}

std::array<SpinHalf, 2> SpinHalves(const core::Rect& a, bool horizontal) noexcept {
    if (horizontal) {
        const int split = a.left + a.Width() / 2;
        return {{{{a.left, a.top, split, a.bottom}, SpinKind::Left}, {{split, a.top, a.right, a.bottom}, SpinKind::Right}}};
    }
    const int split = a.top + a.Height() / 2;
    return {{{{a.left, a.top, a.right, split}, SpinKind::Up}, {{a.left, split, a.right, a.bottom}, SpinKind::Down}}};
}

ComboState SpinHalfState(bool cursorInHalf, bool pressed, bool hover, bool enabled) noexcept {
    if (!enabled) return ComboState::Disabled;
    if (!cursorInHalf) return ComboState::Normal;
    if (pressed) return ComboState::Pressed;
    return hover ? ComboState::Hover : ComboState::Normal;
}

int SpinFrame(ComboState state, SpinKind kind) noexcept {
    const int half = static_cast<int>(kind) % 2;  // the horizontal object starts again at its first frame
    return static_cast<int>(state) + 4 * half;
}

core::Rect BuddiedSpinArea(const core::Rect& spin, core::Size parent) noexcept {
    constexpr int kInset = 3;
    const core::Rect inside{spin.left, kInset, parent.width - kInset, parent.height - kInset};
    const core::Rect kept = spin.Intersect(inside);
    if (kept.IsEmpty()) return {};
    return kept.Offset(-spin.left, -spin.top);
}

core::Rect PlaceDateTimeArrow(int clientWidth, int arrow, bool leftButton) noexcept {
    arrow = std::max(arrow, 0);
    const int left = leftButton ? 2 : clientWidth - arrow;
    return core::Rect::FromBounds(left, 0, arrow, arrow + 1);
}
