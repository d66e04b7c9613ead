#include "skin/controls/StatusBarLayout.h"

#include "skin/data/SliceGeometry.h"

int StatusFrameOf(TStatusPanelBevel bevel) noexcept {
    switch (bevel) {
    case TStatusPanelBevel::pbRaised: return 2;
    case TStatusPanelBevel::pbNone: return 3;
    case TStatusPanelBevel::pbLowered: break;
    }
    return 1;
}

core::Rect StatusPanelFrame(const core::Rect& reported, bool last, int barRight) noexcept {
    core::Rect frame = reported;
    frame.right = last ? barRight : reported.right + 2;
    return frame;
}

TAlignment StatusTextAlignment(TAlignment alignment, bool rightToLeft) noexcept {
    if (!rightToLeft) return alignment;
    switch (alignment) {
    case TAlignment::taLeftJustify: return TAlignment::taRightJustify;
    case TAlignment::taRightJustify: return TAlignment::taLeftJustify;
    case TAlignment::taCenter: break;
    }
    return alignment;
}

core::Rect StatusTextBox(const core::Rect& area, core::Size measured, TAlignment alignment) noexcept {
    core::Rect box{area.left + 2, 0, area.right - 2, 0};
    box.top = area.top + (area.Height() - measured.height) / 2 - 1;
    box.bottom = box.top + measured.height;
    if (alignment == TAlignment::taCenter) {
        box.left += (box.Width() - measured.width) / 2;
        box.right = box.left + measured.width;
    }
    return box;
}

std::optional<core::Rect> SizeGripCell(int stripWidth, int stripHeight, int cellCount) noexcept {
    constexpr int kGripCell = 5;
    const auto cell = FrameCell(stripWidth, stripHeight, FrameLayout::Horizontal, cellCount, kGripCell);
    if (!cell) return std::nullopt;
    return core::Rect::FromBounds(cell->x, cell->y, cell->width, cell->height);
}

core::Rect SizeGripPlace(const core::Rect& bar, core::Size cell) noexcept {
    return {bar.right - 1 - cell.width, bar.bottom - 1 - cell.height, bar.right - 1, bar.bottom - 1};
}
