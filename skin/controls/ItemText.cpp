#include "skin/controls/ItemText.h"

#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/Convert.h"
#include "framework/win/Handles.h"
#include "skin/controls/HeaderLayout.h"

bool DrawItemText(HDC dc, const RECT& item, std::wstring_view text, HIMAGELIST images, int image,
                  TAlignment alignment, TColor colour, UINT textFlags) noexcept {
    if (text.empty() && (!images || image < 0)) return false;
    const core::Size size{item.right - item.left, item.bottom - item.top};
    if (size.width <= 0 || size.height <= 0) return false;
    core::Size icon;
    if (images && image != -1) {
        int width = 0, height = 0;
        if (::ImageList_GetIconSize(images, &width, &height) && width < size.width) icon = {width, height};
    }
    RECT measured{item.left, item.top, item.right + icon.width + 2, item.bottom};
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &measured, textFlags | DT_CALCRECT | DT_NOCLIP);
    const HeaderItemPlan plan =
        PlanHeaderItem(size, icon, {measured.right - measured.left, measured.bottom - measured.top}, alignment);

    SavedDc keep{dc};
    ::IntersectClipRect(dc, item.left, item.top, item.right, item.bottom);
    if (icon.width > 0)
        ::ImageList_Draw(images, image, dc, item.left + plan.icon.left, item.top + plan.icon.top, ILD_TRANSPARENT);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(colour));
    RECT box = ToRECT(plan.text.Offset(item.left, item.top));
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, textFlags);
    return true;
}
