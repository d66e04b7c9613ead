#pragma once
// A skin for the tests of the edit, combo-box, up-down and date-time skins: every state
// cell of the combo button, the sunken edge, the drop-down glyphs and the spin halves
// has a colour of its own, so the state a control is painted in, and where, can be read
// back from its pixels.

#include "framework/graphics/Colors.h"
#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "tests/skin/controls/LoadedSkinTest.h"
#include "tests/skin/data/TestSkins.h"
#include "tests/skin/window/WindowTestSkin.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace edit_skin {

inline constexpr COLORREF kSentinel = RGB(1, 2, 3);
inline constexpr TColor kFace = RgbColour(10, 20, 30);
inline constexpr TColor kShadow = RgbColour(60, 70, 80);
inline constexpr TColor kDkShadow = RgbColour(90, 0, 90);
inline constexpr TColor kWhite = RgbColour(255, 255, 255);
// Combo-button cells: normal, pressed, disabled, hover.
inline constexpr TColor kCombo[4] = {RgbColour(200, 40, 40), RgbColour(40, 200, 40), RgbColour(40, 40, 200),
                                     RgbColour(200, 200, 40)};
inline constexpr TColor kEdge[4] = {RgbColour(120, 10, 10), RgbColour(10, 120, 10), RgbColour(10, 10, 120),
                                    RgbColour(120, 120, 10)};
// Drop-down glyphs (9 x 9) for the four states, then the size grip.
inline constexpr TColor kGlyph[5] = {RgbColour(250, 0, 0), RgbColour(0, 250, 0), RgbColour(0, 0, 250),
                                     RgbColour(250, 250, 0), RgbColour(0, 250, 250)};
constexpr int kGlyphSize = 9;
// Spin frames: up (1-4) and down (5-8) of the vertical object; left and right of the
// horizontal one.
inline constexpr TColor kSpinVert[8] = {RgbColour(100, 0, 0),   RgbColour(100, 50, 0),  RgbColour(100, 100, 0),
                                        RgbColour(100, 150, 0), RgbColour(0, 100, 0),   RgbColour(0, 100, 50),
                                        RgbColour(0, 100, 100), RgbColour(0, 100, 150)};
inline constexpr TColor kSpinHorz[8] = {RgbColour(0, 0, 100),   RgbColour(50, 0, 100),  RgbColour(100, 0, 100),
                                        RgbColour(150, 0, 100), RgbColour(0, 30, 30),   RgbColour(30, 30, 60),
                                        RgbColour(60, 30, 90),  RgbColour(90, 30, 120)};

struct Options {
    bool sunkEdge = true;  // with it the load composes the combined look (Style 2)
    int comboStyle = 0;    // without a sunken edge: 0 the plain look, 1 the flat one
    bool spins = true;
};

inline std::vector<std::byte> Skin(const Options& options = {}) {
    using test_skins::Bytes;
    using window_skin::Strip;
    std::string ini =
        "[Colours]\r\nButtonFace=10 20 30\r\nButtonShadow=60 70 80\r\nButtonDkShadow=90 0 90\r\n"
        "[ComboButton]\r\nImage=combo.bmp\r\nTrans=1\r\nStyle=" + std::to_string(options.comboStyle) + "\r\n"
        "[ExtraImages]\r\nImage=extra.bmp\r\nTrans=1\r\n"
        "[Scrollbar]\r\nImage=scroll.bmp\r\nTrans=1\r\n";
    if (options.sunkEdge)
        ini += "[SunkEdge]\r\nImage=sunk.bmp\r\nTrans=1\r\nLeftWidth=2\r\nTopHeight=2\r\nRightWidth=2\r\nBottomHeight=2\r\n";
    if (options.spins)
        ini += "[UpDown.Vert]\r\nImage=vert.bmp\r\nTrans=0\r\n[UpDown.Horz]\r\nImage=horz.bmp\r\nTrans=0\r\n";
    // The scroll-bar arrows a simple combo's list needs: 23 cells of one grey.
    const std::vector<TColor> scroll(23, RgbColour(128, 128, 128));
    std::vector<SkinFileEntry> files{
        {"scroll.bmp", Strip(8, 8, 23, false, scroll.data(), -1, -1)},
        {"combo.bmp", Strip(19, 21, 4, false, kCombo, -1, -1)},
        {"extra.bmp", Strip(kGlyphSize, kGlyphSize, 5, false, kGlyph, -1, -1)},
        {"sunk.bmp", Strip(8, 8, 4, false, kEdge, -1, -1)},
        {"vert.bmp", Strip(8, 8, 8, false, kSpinVert, -1, -1)},
        {"horz.bmp", Strip(8, 8, 8, false, kSpinHorz, -1, -1)},
        {"edits.ini", Bytes(ini)},
    };
    return test_skins::PackedSkin(files);
}

// How many pixels of `area` have exactly `colour`.
inline int Count(const DibSection& dib, const RECT& area, TColor colour) {
    return (area.right - area.left) * (area.bottom - area.top) - dib.CountOther(area, ColorToRGB(colour));
}

// What the screen shows of `window` now. Under Wine a window's drawing reaches the screen
// a moment later: read it in a PumpUntil.
inline std::unique_ptr<DibSection> OnScreen(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    auto target = std::make_unique<DibSection>(r.right - r.left, r.bottom - r.top);
    const WindowDc screen = WindowDc::Client(nullptr);
    ::BitBlt(target->Dc(), 0, 0, target->Width(), target->Height(), screen.Get(), r.left, r.top, SRCCOPY);
    ::GdiFlush();
    return target;
}

// The test skin loaded into a skin data component of its own.
using EditSkinTest = LoadedSkinTest<Options, &Skin>;

}  // namespace edit_skin
