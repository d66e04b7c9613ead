#pragma once
// The switches of the skin data component: which kinds of controls get skinned, the
// look options, the component's scope, the default class map for controls of other
// libraries and its lookup. Platform-neutral.

#include "framework/controls/ControlTypes.h"
#include "framework/core/EnumSet.h"
#include "framework/core/StringList.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

enum class TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport,
};
KESTRELLE_IDENTS(TSkinControlType, u"xcMainMenu", u"xcPopupMenu", u"xcMenuItem", u"xcToolbar", u"xcControlbar",
                 u"xcCombo", u"xcCheckBox", u"xcRadioButton", u"xcProgress", u"xcScrollbar", u"xcEdit", u"xcButton",
                 u"xcBitBtn", u"xcSpeedButton", u"xcSpin", u"xcPanel", u"xcGroupBox", u"xcStatusBar", u"xcTab",
                 u"xcTrackBar", u"xcSystemMenu", u"xcFastReport")
using TSkinControlTypes = EnumSet<TSkinControlType>;

enum class TSkinOption {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoMDIChildBorder,
    xoMenuBG,
};
KESTRELLE_IDENTS(TSkinOption, u"xoMDIScrollbar", u"xoMenuMerge", u"xoTransparent", u"xoPreview",
                 u"xoParentBackGround", u"xoNoFocusRect", u"xoToolbarBK", u"xoMDIChildBorder", u"xoMenuBG")
using TSkinOptions = EnumSet<TSkinOption>;

// The scope of a skin data component: the whole program, its owner form only, dialogs
// and message boxes, or the windows of a library module.
enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };
KESTRELLE_IDENTS(TSkinFormType, u"sfMainform", u"sfOnlyThisForm", u"sfDialog", u"sfDLL")

// Every kind of control except the owner-drawn main menu items (frame skinning draws the
// menu bar instead) and the report designer's windows.
inline constexpr TSkinControlTypes kDefaultSkinControls =
    TSkinControlTypes::FromBits((uint32_t{1} << (static_cast<int>(TSkinControlType::xcFastReport) + 1)) - 1) -
    TSkinControlTypes{TSkinControlType::xcMenuItem, TSkinControlType::xcFastReport};
inline constexpr TSkinOptions kDefaultSkinOptions{TSkinOption::xoPreview, TSkinOption::xoToolbarBK};

// The rows a new component puts into its class map ("TRzButton=button", ...): classes
// of other component libraries and the kind of skin they get. Duplicates included; the
// first row for a class wins.
std::span<const std::u16string_view> DefaultClassMap() noexcept;

// The kind the class map gives `className`: the first row whose text, ignoring ASCII
// case, starts with the class name and "=" gives the text after its first "=", lower
// case, at most 50 characters. Nothing when no row names the class.
std::optional<std::u16string> ClassMapKind(const BasicStringList<char16_t>& map, std::u16string_view className);
