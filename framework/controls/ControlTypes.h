#pragma once
// The value sets that controls publish: alignment, reading order, cursors, mouse
// buttons and shift states, and the looks of panels, buttons and forms. Enumerators
// carry the identifiers stored layouts use. Platform-neutral.

#include "framework/core/EnumSet.h"
#include "framework/core/Properties.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// The identifiers of each value set, for published properties.
#define KESTRELLE_IDENTS(Enum, ...)                                                     \
    inline std::span<const std::u16string_view> EnumIdents(Enum) {                      \
        static constexpr std::u16string_view idents[] = {__VA_ARGS__};                  \
        return idents;                                                                  \
    }

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
KESTRELLE_IDENTS(TAlign, u"alNone", u"alTop", u"alBottom", u"alLeft", u"alRight", u"alClient")

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
KESTRELLE_IDENTS(TAlignment, u"taLeftJustify", u"taRightJustify", u"taCenter")

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
KESTRELLE_IDENTS(TBiDiMode, u"bdLeftToRight", u"bdRightToLeft", u"bdRightToLeftNoAlign", u"bdRightToLeftReadingOnly")

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// A set of keys and buttons held during an input event.
enum class TShiftState : unsigned {
    None = 0,
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
constexpr TShiftState operator|(TShiftState a, TShiftState b) noexcept {
    return static_cast<TShiftState>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Has(TShiftState set, TShiftState member) noexcept {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(member)) != 0;
}

// Cursor identities; 0 means "whatever the window would show".
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
// Names of the cursors, for published properties.
std::span<const IntIdent> CursorIdents() noexcept;

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
KESTRELLE_IDENTS(TBevelCut, u"bvNone", u"bvLowered", u"bvRaised", u"bvSpace")
enum class TBorderStyle { bsNone, bsSingle };
KESTRELLE_IDENTS(TBorderStyle, u"bsNone", u"bsSingle")

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
KESTRELLE_IDENTS(TButtonLayout, u"blGlyphLeft", u"blGlyphRight", u"blGlyphTop", u"blGlyphBottom")

enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
KESTRELLE_IDENTS(TResizeStyle, u"rsNone", u"rsLine", u"rsUpdate", u"rsPattern")

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
KESTRELLE_IDENTS(TFormBorderStyle, u"bsNone", u"bsSingle", u"bsSizeable", u"bsDialog", u"bsToolWindow",
                 u"bsSizeToolWin")
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
KESTRELLE_IDENTS(TWindowState, u"wsNormal", u"wsMinimized", u"wsMaximized")
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter };
KESTRELLE_IDENTS(TPosition, u"poDesigned", u"poDefault", u"poDefaultPosOnly", u"poDefaultSizeOnly",
                 u"poScreenCenter", u"poDesktopCenter")
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
KESTRELLE_IDENTS(TFormStyle, u"fsNormal", u"fsMDIChild", u"fsMDIForm", u"fsStayOnTop")
enum class TTileMode { tbHorizontal, tbVertical };
KESTRELLE_IDENTS(TTileMode, u"tbHorizontal", u"tbVertical")

enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
KESTRELLE_IDENTS(TBorderIcon, u"biSystemMenu", u"biMinimize", u"biMaximize", u"biHelp")
using TBorderIcons = EnumSet<TBorderIcon>;

enum class TStatusPanelStyle { psText, psOwnerDraw };
KESTRELLE_IDENTS(TStatusPanelStyle, u"psText", u"psOwnerDraw")
enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
KESTRELLE_IDENTS(TStatusPanelBevel, u"pbNone", u"pbLowered", u"pbRaised")

// Button controls.
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
KESTRELLE_IDENTS(TCheckBoxState, u"cbUnchecked", u"cbChecked", u"cbGrayed")
// The state a click moves a check box on to: unchecked, grayed if allowed, checked, unchecked.
constexpr TCheckBoxState NextCheckState(TCheckBoxState state, bool allowGrayed) noexcept {
    switch (state) {
    case TCheckBoxState::cbUnchecked: return allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked;
    case TCheckBoxState::cbGrayed: return TCheckBoxState::cbChecked;
    default: return TCheckBoxState::cbUnchecked;
    }
}
// The side a check box or radio button shows its caption on: a TAlignment without taCenter.
inline std::span<const std::u16string_view> LeftRightIdents() noexcept {
    static constexpr std::u16string_view idents[] = {u"taLeftJustify", u"taRightJustify"};
    return idents;
}
enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
KESTRELLE_IDENTS(TBitBtnKind, u"bkCustom", u"bkOK", u"bkCancel", u"bkHelp", u"bkYes", u"bkNo", u"bkClose",
                 u"bkAbort", u"bkRetry", u"bkIgnore", u"bkAll")

// What a button hands its form when clicked, for the form to end a modal run with; the
// values of the standard message-box answers, named where they have a name.
using TModalResult = int32_t;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
std::span<const IntIdent> ModalResultIdents() noexcept;

// Progress and track bars.
enum class TProgressBarOrientation { pbHorizontal, pbVertical };
KESTRELLE_IDENTS(TProgressBarOrientation, u"pbHorizontal", u"pbVertical")
enum class TTrackBarOrientation { trHorizontal, trVertical };
KESTRELLE_IDENTS(TTrackBarOrientation, u"trHorizontal", u"trVertical")
enum class TTickStyle { tsNone, tsAuto, tsManual };
KESTRELLE_IDENTS(TTickStyle, u"tsNone", u"tsAuto", u"tsManual")
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
KESTRELLE_IDENTS(TTickMark, u"tmBottomRight", u"tmTopLeft", u"tmBoth")

// Tool buttons.
enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
KESTRELLE_IDENTS(TToolButtonStyle, u"tbsButton", u"tbsCheck", u"tbsDropDown", u"tbsSeparator", u"tbsDivider")

// Edits, memos and lists.
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
KESTRELLE_IDENTS(TEditCharCase, u"ecNormal", u"ecUpperCase", u"ecLowerCase")
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
KESTRELLE_IDENTS(TScrollStyle, u"ssNone", u"ssHorizontal", u"ssVertical", u"ssBoth")
enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };
KESTRELLE_IDENTS(TComboBoxStyle, u"csDropDown", u"csSimple", u"csDropDownList")

// Scroll bars and up-down buttons.
enum class TScrollBarKind { sbHorizontal, sbVertical };
KESTRELLE_IDENTS(TScrollBarKind, u"sbHorizontal", u"sbVertical")
// What moved a scroll bar, in the order of the system's scroll codes (SB_LINEUP ...).
enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
enum class TUDOrientation { udHorizontal, udVertical };
KESTRELLE_IDENTS(TUDOrientation, u"udHorizontal", u"udVertical")
enum class TUDBtnType { btNext, btPrev };

// Tab and page controls.
enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
KESTRELLE_IDENTS(TTabPosition, u"tpTop", u"tpBottom", u"tpLeft", u"tpRight")
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };
KESTRELLE_IDENTS(TTabStyle, u"tsTabs", u"tsButtons", u"tsFlatButtons")

// List views, tree views, date-time pickers and scroll boxes.
enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
KESTRELLE_IDENTS(TViewStyle, u"vsIcon", u"vsSmallIcon", u"vsList", u"vsReport")
enum class TDateTimeKind { dtkDate, dtkTime };
KESTRELLE_IDENTS(TDateTimeKind, u"dtkDate", u"dtkTime")
enum class TDTDateFormat { dfShort, dfLong };
KESTRELLE_IDENTS(TDTDateFormat, u"dfShort", u"dfLong")
