#pragma once
// The value sets that controls publish: alignment, reading order, cursors, mouse
// buttons and shift states, and the looks of panels, buttons and forms. Enumerators
// carry the identifiers stored layouts use. Platform-neutral.

#include <cstdint>

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

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

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyle { bsNone, bsSingle };

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// Border icons of a form, a set.
enum class TBorderIcons : unsigned { None = 0, biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
constexpr TBorderIcons operator|(TBorderIcons a, TBorderIcons b) noexcept {
    return static_cast<TBorderIcons>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Has(TBorderIcons set, TBorderIcons member) noexcept {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(member)) != 0;
}

enum class TStatusPanelStyle { psText, psOwnerDraw };
enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
