#include "framework/graphics/Colors.h"

#include "framework/core/Strings.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<TColor, std::u16string_view>, 43> kNames{{
    {clScrollBar, u"clScrollBar"},
    {clBackground, u"clBackground"},
    {clActiveCaption, u"clActiveCaption"},
    {clInactiveCaption, u"clInactiveCaption"},
    {clMenu, u"clMenu"},
    {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"},
    {clMenuText, u"clMenuText"},
    {clWindowText, u"clWindowText"},
    {clCaptionText, u"clCaptionText"},
    {clActiveBorder, u"clActiveBorder"},
    {clInactiveBorder, u"clInactiveBorder"},
    {clAppWorkSpace, u"clAppWorkSpace"},
    {clHighlight, u"clHighlight"},
    {clHighlightText, u"clHighlightText"},
    {clBtnFace, u"clBtnFace"},
    {clBtnShadow, u"clBtnShadow"},
    {clGrayText, u"clGrayText"},
    {clBtnText, u"clBtnText"},
    {clInactiveCaptionText, u"clInactiveCaptionText"},
    {clBtnHighlight, u"clBtnHighlight"},
    {cl3DDkShadow, u"cl3DDkShadow"},
    {cl3DLight, u"cl3DLight"},
    {clInfoText, u"clInfoText"},
    {clInfoBk, u"clInfoBk"},
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clNone, u"clNone"},
    {clDefault, u"clDefault"},
}};

}  // namespace

std::optional<std::u16string_view> ColourToIdent(TColor colour) noexcept {
    for (const auto& [value, name] : kNames)
        if (value == colour) return name;
    return std::nullopt;
}

std::optional<TColor> IdentToColour(std::u16string_view ident) noexcept {
    for (const auto& [value, name] : kNames)
        if (SameText(name, ident)) return value;
    return std::nullopt;
}
