#pragma once
// A skin for the control-skin tests whose button frames, check cells and radio cells
// each have a colour of their own, so that the state a control is painted in can be
// read back from its pixels; with the window skinning object's side of a control skin
// (where skins register and report the control under the mouse), and pixel helpers.

#include "framework/controls/Panel.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/DibSection.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "tests/skin/controls/LoadedSkinTest.h"
#include "tests/skin/controls/TestHost.h"
#include "tests/skin/data/TestSkins.h"
#include "tests/skin/window/WindowTestSkin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace control_skin {

inline constexpr COLORREF kSentinel = RGB(1, 2, 3);
inline constexpr TColor kFace = RgbColour(10, 20, 30);
inline constexpr TColor kButtonText = RgbColour(240, 240, 200);
// The button object's frames: normal, pressed, disabled, hover, focused.
inline constexpr TColor kFrames[5] = {RgbColour(200, 40, 40), RgbColour(40, 200, 40), RgbColour(40, 40, 200),
                                      RgbColour(200, 200, 40), RgbColour(40, 200, 200)};
inline constexpr TColor kNormalCaption = RgbColour(255, 128, 0);
inline constexpr TColor kHoverCaption = RgbColour(0, 128, 255);
inline constexpr TColor kPressedCaption = RgbColour(128, 0, 255);
constexpr int kFrameCell = 8;  // with margins of 2: the corners stay as drawn
constexpr int kCell = 13;      // check and radio cells

inline TColor CheckColour(int cell) { return RgbColour(static_cast<uint8_t>(20 + cell * 18), 90, static_cast<uint8_t>(240 - cell * 15)); }
inline TColor RadioColour(int cell) { return RgbColour(90, static_cast<uint8_t>(20 + cell * 25), static_cast<uint8_t>(60 + cell * 10)); }

struct SkinShape {
    int checkCells = 4;
    int radioCells = 4;
    bool captionColours = true;  // the skin defines NormalColour2 and its kin
};

// Every frame and cell carries the key colour at its top-left pixel.
inline std::vector<std::byte> Skin(const SkinShape& shape = {}) {
    using test_skins::Bytes;
    std::vector<TColor> checks, radios;
    for (int i = 1; i <= shape.checkCells; ++i) checks.push_back(CheckColour(i));
    for (int i = 1; i <= shape.radioCells; ++i) radios.push_back(RadioColour(i));
    std::string ini =
        "[Colours]\r\nButtonFace=10 20 30\r\nButtonText=240 240 200\r\n"
        "[Buttons]\r\nBitmap=buttons.bmp\r\nTrans=1\r\n"
        "LeftWidth=2\r\nTopHeight=2\r\nRightWidth=2\r\nBottomHeight=2\r\n"
        "CheckButton=check.bmp\r\nCheckButtonFrame=" + std::to_string(shape.checkCells) + "\r\n"
        "RadioButton=radio.bmp\r\nRadioButtonFrame=" + std::to_string(shape.radioCells) + "\r\n";
    if (shape.captionColours)
        ini += "NormalColour2=255 128 0\r\nMouseOverColour2=0 128 255\r\nPressedColour2=128 0 255\r\n";
    return test_skins::PackedSkin({
        {"buttons.bmp", window_skin::Strip(kFrameCell, kFrameCell, 5, false, kFrames, 0, 0)},
        {"check.bmp", window_skin::Strip(kCell, kCell, shape.checkCells, false, checks.data(), 0, 0)},
        {"radio.bmp", window_skin::Strip(kCell, kCell, shape.radioCells, false, radios.data(), 0, 0)},
        {"controls.ini", Bytes(ini)},
    });
}

// A window's life as a control skin sees it: where the skins register, and the skin a
// bare window last reported the mouse over.
using ::TestHost;

// A 200 x 100 panel in kParentColour on `form`: a parent for controls that show what
// lies behind them.
inline constexpr TColor kParentColour = RgbColour(1, 200, 3);
inline TPanel& ColouredParent(TForm& form) {
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(0, 0, 200, 100);
    panel.SetColor(kParentColour);
    return panel;
}

// The test skin loaded into a skin data component of its own, and a host for the skins.
class ControlSkinTest : public LoadedSkinTest<SkinShape, &Skin> {
protected:
    TestHost host;
};

// Pixels of `area` in `colour`; every pixel of `area` but those listed as exceptions.
inline bool AllOf(const DibSection& dib, const RECT& area, TColor colour) {
    return dib.AllEqual(area, ColorToRGB(colour));
}

// How many pixels of `area` have exactly `colour`.
inline int CountOf(const DibSection& dib, const RECT& area, TColor colour) {
    const int all = (std::min<int>(area.right, dib.Width()) - std::max<int>(area.left, 0)) *
                    (std::min<int>(area.bottom, dib.Height()) - std::max<int>(area.top, 0));
    return all - dib.CountOther(area, ColorToRGB(colour));
}

}  // namespace control_skin
