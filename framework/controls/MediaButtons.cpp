#include "framework/controls/MediaButtons.h"

#include "framework/core/Strings.h"

#include <string>

TButtonSet ButtonsNamedIn(std::u16string_view text) {
    const std::u16string lower = AsciiLower(text);
    TButtonSet found;
    const auto idents = EnumIdents(TMPBtnType{});
    for (int i = 0; i < kMediaButtonCount; ++i)
        if (lower.find(AsciiLower(idents[static_cast<size_t>(i)])) != std::u16string::npos)
            found.Include(static_cast<TMPBtnType>(i));
    return found;
}

MediaButtonRow LayOutMediaButtons(TButtonSet visible, int width) noexcept {
    MediaButtonRow row;
    for (int i = 0; i < kMediaButtonCount; ++i)
        if (visible.Contains(static_cast<TMPBtnType>(i)))
            row.order[static_cast<size_t>(row.visibleCount++)] = static_cast<uint8_t>(i);
    // No visible button, or a row too narrow for one pixel each: nothing to lay out.
    row.buttonWidth = row.visibleCount > 0 && width > 0 ? width / row.visibleCount : 0;
    return row;
}

uint8_t MediaButtonRow::ButtonAt(int x) const noexcept {
    if (buttonWidth <= 0) return kNoMediaButton;
    int s = 0;
    for (int slot = 0; slot < visibleCount; ++slot, s += buttonWidth)
        if (s <= x && x <= s + buttonWidth) return order[static_cast<size_t>(slot)];
    return kNoMediaButton;
}

core::Rect MediaButtonRow::SlotRect(int slot, int height) const noexcept {
    if (slot < 0 || slot >= visibleCount) return {};
    return core::Rect::FromBounds(slot * buttonWidth, 0, buttonWidth, height);
}

TButtonSet AutoEnabledButtons(TMPModes mode) noexcept {
    using enum TMPBtnType;
    const TButtonSet moving{btNext, btPrev, btStep, btBack};
    switch (mode) {
    case TMPModes::mpStopped:
    case TMPModes::mpOpen: return moving | TButtonSet{btPlay};
    case TMPModes::mpPlaying: return moving | TButtonSet{btPause, btStop};
    case TMPModes::mpPaused: return moving | TButtonSet{btPlay, btPause, btStop};
    default: return {};
    }
}

MediaGlyphSet GlyphSetFor(bool enabled, bool coloured) noexcept {
    if (!enabled) return MediaGlyphSet::Disabled;
    return coloured ? MediaGlyphSet::Coloured : MediaGlyphSet::Enabled;
}

int MediaButtonFrame(bool enabled, bool pressed) noexcept {
    if (!enabled) return 3;
    return pressed ? 2 : 1;
}

std::u16string MediaGlyphName(MediaGlyphSet set, uint8_t button) {
    static constexpr std::u16string_view kSets[kMediaGlyphSets] = {u"EN", u"DI", u"CL"};
    static constexpr std::u16string_view kButtons[kMediaButtonCount] = {
        u"MPPLAY", u"MPPAUSE", u"MPSTOP", u"MPNEXT", u"MPPREV", u"MPSTEP", u"MPBACK", u"MPRECORD", u"MPEJECT"};
    if (button >= kMediaButtonCount) return {};
    return std::u16string(kSets[static_cast<int>(set)]) + u"_" + std::u16string(kButtons[button]);
}
