#include "skin/controls/HeaderLayout.h"

core::Rect HeaderHotRect(const core::Rect& section) noexcept {
    return {section.left + 3, section.top, section.right - 3, section.bottom};
}

std::optional<int> NextHotSection(std::span<const core::Rect> hotRects, core::Point point, int hot) noexcept {
    for (size_t i = 0; i < hotRects.size(); ++i) {
        if (!hotRects[i].Contains(point)) continue;
        if (static_cast<int>(i) == hot) return std::nullopt;
        return static_cast<int>(i);
    }
    return std::nullopt;
}

TAlignment HeaderAlignment(uint32_t format) noexcept {
    switch (format & headerformat::kJustifyMask) {
    case 1: return TAlignment::taRightJustify;
    case 2: return TAlignment::taCenter;
    default: return TAlignment::taLeftJustify;
    }
}

int HeaderImageIndex(uint32_t format, int image) noexcept {
    return (format & (headerformat::kImage | headerformat::kOwnerDraw)) != 0 ? image : -1;
}

HeaderItemPlan PlanHeaderItem(core::Size section, core::Size icon, core::Size text, TAlignment alignment) noexcept {
    int x = 3;
    if (alignment == TAlignment::taCenter) x = (section.width - icon.width - text.width) / 2;
    if (alignment == TAlignment::taRightJustify) x = section.width - icon.width - text.width - 2;
    if (x < 2) x = 1;
    HeaderItemPlan plan;
    // The image is centred by its width, as square icons are.
    plan.icon = core::Rect::FromBounds(x, (section.height - icon.width) / 2, icon.width, icon.height);
    const core::Rect whole{0, 0, section.width, section.height};
    plan.text = core::Rect::FromBounds(x + icon.width, (section.height - text.height) / 2, text.width, text.height)
                    .Intersect(whole);
    return plan;
}
