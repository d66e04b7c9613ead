#include "skin/window/MenuRules.h"

#include <algorithm>

namespace {

constexpr int kGlyph = 16;
constexpr uint32_t kGreyedOrDisabled = 0x3;
constexpr uint32_t kCheckedState = 0x8;

}  // namespace

std::vector<bool> TidySeparators(std::span<const MenuEntry> entries) {
    std::vector<bool> visible;
    visible.reserve(entries.size());
    bool itemBefore = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].line) {
            visible.push_back(entries[i].visible);
            itemBefore = itemBefore || entries[i].visible;
            continue;
        }
        // Hidden items do not end a run of separators.
        bool itemNext = false;
        for (size_t j = i + 1; j < entries.size(); ++j) {
            if (entries[j].line) break;
            if (entries[j].visible) {
                itemNext = true;
                break;
            }
        }
        visible.push_back(itemBefore && itemNext);
    }
    return visible;
}

int MenuGlyphSize(int imageWidth, bool checked) noexcept {
    const int size = imageWidth > 0 ? imageWidth : kGlyph;
    return checked ? std::max(size, kGlyph) : size;
}

MenuItemLayout LayoutMenuItem(const core::Rect& item, int glyphSize, int leftWidth, bool line,
                              bool rightToLeft) noexcept {
    MenuItemLayout layout;
    const int inset = 1 + std::max(leftWidth, 0);
    if (!line) {
        const int left = rightToLeft ? item.right - inset - glyphSize : item.left + inset;
        layout.glyph = {left, item.top + 1, left + glyphSize, item.top + 1 + glyphSize};
    }
    const int glyphEdge = line ? (rightToLeft ? item.right - inset : item.left + inset)
                               : (rightToLeft ? layout.glyph.left : layout.glyph.right);
    layout.text = rightToLeft ? core::Rect{item.left + 1, item.top, glyphEdge - 3, item.bottom}
                              : core::Rect{glyphEdge + 3, item.top, item.right - 1, item.bottom};
    return layout;
}

int SkinnedItemWidth(int measured, int leftWidth, bool hasImages) noexcept {
    return measured + std::max(leftWidth, 0) + 10 + (hasImages ? 0 : 25);
}

int SkinnedSysItemWidth(int measured, int leftWidth, bool hasImages) noexcept {
    return measured + std::max(leftWidth, 0) + 12 + (hasImages ? 0 : 23);
}

core::Size WindowMenuItemSize(core::Size text, bool emptyText, int leftWidth) noexcept {
    return {text.width + 26 + std::max(leftWidth, 0), emptyText ? 8 : text.height + 4};
}

SysMenuItemRule SysMenuItemFor(uint32_t command, uint32_t menuState, const SysMenuFacts& facts) noexcept {
    using namespace syscommand;
    SysMenuItemRule rule;
    rule.checked = (menuState & kCheckedState) != 0;
    const bool maximized = facts.state == WindowState::Maximized;
    switch (command & 0xFFF0) {
    case kSize: rule.enabled = !maximized && facts.state != WindowState::Minimized && facts.sizeable; break;
    case kMove: rule.enabled = !maximized; break;
    case kMinimize:
        rule.image = 2;
        rule.enabled = facts.state != WindowState::Minimized && facts.minimizeBox;
        break;
    case kMaximize:
        rule.image = 1;
        rule.enabled = !maximized && facts.maximizeBox;
        break;
    case kRestore:
        rule.image = 0;
        rule.enabled = facts.state != WindowState::Normal;
        break;
    case kClose:
        rule.image = 3;
        rule.enabled = (menuState & kGreyedOrDisabled) != kGreyedOrDisabled;
        break;
    default: rule.enabled = (menuState & kGreyedOrDisabled) != kGreyedOrDisabled; break;
    }
    return rule;
}

// --- the skinned menu bar -------------------------------------------------------------------

int MenuBarStart(int barWidth, const MenuBarPicture& picture, bool rightToLeft) noexcept {
    if (!picture.present) return 6;
    const int start = rightToLeft ? picture.rightWidth + 8 : picture.leftWidth + 4;
    return barWidth < start ? 12 : start;
}

std::vector<core::Rect> LayoutMenuBarButtons(std::span<const MenuBarButtonFacts> buttons, int barWidth, int barHeight,
                                             int start, bool rightToLeft) {
    std::vector<core::Rect> cells;
    cells.reserve(buttons.size());
    int x = rightToLeft ? barWidth - start : start;
    for (const MenuBarButtonFacts& button : buttons) {
        if (!button.visible) {
            cells.push_back({});
            continue;
        }
        const int width = button.emptyCaption ? 0 : std::max(button.textWidth, 0) + 10;
        if (rightToLeft) {
            cells.push_back(core::Rect{x - width, 0, x, barHeight - 1});
            x -= width;
        } else {
            cells.push_back(core::Rect{x, 0, x + width, barHeight - 1});
            x += width;
        }
    }
    return cells;
}

char16_t MenuAccelerator(std::u16string_view caption) noexcept {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return caption[i + 1];
        ++i;  // "&&" is a literal ampersand
    }
    return 0;
}

namespace {

// Case folding for the letters a menu accelerator is typed with: ASCII, Latin-1,
// Greek and Cyrillic; the ideographs of the lesson menus have no case.
char16_t FoldCase(char16_t c) noexcept {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

}  // namespace

int FindAccelIndex(std::span<const MenuBarEntry> buttons, char16_t key) noexcept {
    if (key == 0) return -1;
    const char16_t wanted = FoldCase(key);
    for (size_t i = 0; i < buttons.size(); ++i) {
        const MenuBarEntry& b = buttons[i];
        if (!b.enabled || !b.visible) continue;
        const char16_t accel = MenuAccelerator(b.caption);
        if (accel != 0 && FoldCase(accel) == wanted) return static_cast<int>(i);
    }
    return -1;
}

int NeighbourMenuButton(int current, int step, std::span<const MenuBarEntry> buttons) noexcept {
    const int count = static_cast<int>(buttons.size());
    if (count == 0) return -1;
    int index = current < 0 || current >= count ? (step > 0 ? -1 : count) : current;
    for (int tried = 0; tried < count; ++tried) {
        index = ((index + step) % count + count) % count;
        const MenuBarEntry& b = buttons[static_cast<size_t>(index)];
        if (b.enabled && b.visible && b.opens && !b.caption.empty()) return index;
    }
    return -1;
}

int MenuBarKeyTarget(uint32_t virtualKey, const MenuSelection& selection, bool rightToLeft, int current,
                     std::span<const MenuBarEntry> buttons) noexcept {
    if (rightToLeft) {
        if (virtualKey == kVkLeft) virtualKey = kVkRight;
        else if (virtualKey == kVkRight) virtualKey = kVkLeft;
    }
    if (virtualKey == kVkLeft && (!selection.any || selection.topLevel)) return NeighbourMenuButton(current, -1, buttons);
    if (virtualKey == kVkRight && (!selection.any || !selection.hasSubmenu)) return NeighbourMenuButton(current, 1, buttons);
    return -1;
}
