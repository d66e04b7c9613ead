#include "skin/controls/GroupBoxLayout.h"

GroupBoxPlan PlanGroupBox(core::Size size, int digitHeight, core::Size caption, bool rightAligned) noexcept {
    constexpr int kCaptionInset = 8;
    const int line = digitHeight / 2 - 1;
    GroupBoxPlan plan;
    plan.ownFrame = {0, line, size.width, size.height};
    plan.edge = {1, line, size.width - 1, size.height - 1};
    const int left = rightAligned ? size.width - kCaptionInset - caption.width : kCaptionInset;
    plan.caption = core::Rect::FromBounds(left, 0, caption.width, caption.height);
    return plan;
}
