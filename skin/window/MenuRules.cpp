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
