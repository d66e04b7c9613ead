#include "skin/window/ManagerRules.h"

#include "framework/core/Strings.h"
#include "skin/window/WindowRules.h"

int ChooseSkinDataIndex(std::span<const SkinDataCandidate> candidates, std::u16string_view className) {
    const auto last = [&](auto matches) {
        for (size_t i = candidates.size(); i-- > 0;)
            if (matches(candidates[i])) return static_cast<int>(i);
        return -1;
    };
    if (const int own = last([](const SkinDataCandidate& c) {
            return c.formType == TSkinFormType::sfOnlyThisForm && c.ownsWindow;
        });
        own >= 0)
        return own;
    const std::u16string lower = AsciiLower(className);
    if (lower == u"tmessageform" || lower == u"#32770") {
        if (const int dialog = last([](const SkinDataCandidate& c) { return c.formType == TSkinFormType::sfDialog; });
            dialog >= 0)
            return dialog;
    }
    if (const int main = last([](const SkinDataCandidate& c) { return c.formType == TSkinFormType::sfMainform; });
        main >= 0)
        return main;
    return candidates.empty() ? -1 : 0;
}

bool IsPlainChildWindow(uint32_t style, uint32_t exStyle, std::u16string_view parentClassName) {
    return (style & winstyle::kChild) && !(exStyle & winstyle::kExMdiChild) && AsciiLower(parentClassName) != u"mdiclient";
}

bool IsNeverSkinnedClass(std::u16string_view className) {
    return className.find(u"TcxPopupEditPopupWindow") != std::u16string_view::npos || className == u"TApplication";
}

bool IsPreviewClass(std::u16string_view className) {
    return AsciiLower(className).find(u"preview") != std::u16string::npos;
}
