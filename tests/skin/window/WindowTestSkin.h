#pragma once
// A skin for the window-skinning tests whose every part has a colour of its own, so
// that what reaches the screen can be told apart pixel by pixel: borders with an active
// and an inactive frame and a transparent outer corner, caption buttons whose four
// frames (normal, pressed, hot, inactive) differ, and a window to skin.

#include "framework/graphics/Colors.h"
#include "framework/win/DibSection.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "tests/skin/data/TestSkins.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace window_skin {

inline constexpr TColor kKey = RgbColour(255, 0, 255);
inline constexpr TColor kLeftActive = RgbColour(200, 0, 0), kLeftInactive = RgbColour(100, 0, 0);
inline constexpr TColor kRightActive = RgbColour(0, 200, 0), kRightInactive = RgbColour(0, 100, 0);
inline constexpr TColor kTopActive = RgbColour(0, 0, 200), kTopInactive = RgbColour(0, 0, 100);
inline constexpr TColor kBottomActive = RgbColour(200, 200, 0), kBottomInactive = RgbColour(100, 100, 0);
inline constexpr TColor kFace = RgbColour(10, 20, 30);
// The caption buttons' frames: normal, pressed, hot, inactive; one strip per button kind.
inline constexpr TColor kButtonFrames[4] = {RgbColour(0, 200, 200), RgbColour(0, 100, 100), RgbColour(200, 0, 200),
                                            RgbColour(90, 90, 90)};

constexpr int kLeft = 6, kTop = 24, kRight = 6, kBottom = 5;  // frame sizes
constexpr int kButton = 12;                                   // caption buttons are 12 x 12
// Caption buttons from the right edge: close, maximise or restore, minimise, a user action.
constexpr int kCloseX = 20, kMaximizeX = 36, kMinimizeX = 52, kUserX = 68;
constexpr int kUserAction = 20;

// A strip of `frames` frames side by side (or stacked), each `cell` in the frame's colour,
// with the pixel at `keyX`, `keyY` of every frame in the key colour (-1: none).
inline std::vector<std::byte> Strip(int width, int height, int frames, bool stacked, const TColor* colours, int keyX,
                                    int keyY) {
    const int w = stacked ? width : width * frames, h = stacked ? height * frames : height;
    return test_skins::PatternBitmap(w, h, [=](int x, int y) {
        const int frame = stacked ? y / height : x / width;
        const int fx = stacked ? x : x % width, fy = stacked ? y % height : y;
        return fx == keyX && fy == keyY ? kKey : colours[frame];
    });
}

// The test skin; `transparent` false makes every border opaque. `colours` are further
// keys of section "Colours", `extraIni` further sections, with their `extraFiles`, and
// `personality` further keys of section "Personality".
inline std::vector<std::byte> Skin(bool transparent = true, const std::string& colours = "",
                                   const std::string& extraIni = "",
                                   const std::vector<SkinFileEntry>& extraFiles = {},
                                   const std::string& personality = "") {
    using test_skins::Bytes;
    const TColor left[2] = {kLeftActive, kLeftInactive}, right[2] = {kRightActive, kRightInactive};
    const TColor top[2] = {kTopActive, kTopInactive}, bottom[2] = {kBottomActive, kBottomInactive};
    const std::string trans = transparent ? "1" : "0";
    std::string ini =
        "[Personality]\r\n"
        "Left=left.bmp\r\nLeftTopHeight=10\r\nLeftBotHeight=10\r\nLeftFrame=2\r\nLeftStretch=1\r\nLeftTrans=" + trans + "\r\n"
        "Right=right.bmp\r\nRightTopHeight=10\r\nRightBotHeight=10\r\nRightFrame=2\r\nRightStretch=1\r\nRightTrans=" + trans + "\r\n"
        "Top=top.bmp\r\nTopTopHeight=8\r\nTopBotHeight=8\r\nTopFrame=2\r\nTopStretch=1\r\nTopTrans=" + trans + "\r\n"
        "Bottom=bottom.bmp\r\nBottomFrame=2\r\nBottomStretch=1\r\nBottomTrans=0\r\n"
        "TextShift=30\r\nTextRightClip=80\r\nTextAlignment=0\r\n"
        "ActiveTextR=255\r\nActiveTextG=255\r\nActiveTextB=255\r\n"
        "InActiveTextR=0\r\nInActiveTextG=0\r\nInActiveTextB=0\r\n" + personality +
        "[Colours]\r\nButtonFace=10 20 30\r\n" + colours +
        "[Button1]\r\nAction=0\r\nAlign=1\r\nXcoord=20\r\nYcoord=6\r\nframe=4\r\nButtonImage=button.bmp\r\n"
        "[Button2]\r\nAction=1\r\nAlign=1\r\nXcoord=36\r\nYcoord=6\r\nVisibility1=2\r\nframe=4\r\nButtonImage=button.bmp\r\n"
        "[Button3]\r\nAction=1\r\nAlign=1\r\nXcoord=36\r\nYcoord=6\r\nVisibility1=1\r\nframe=4\r\nButtonImage=button.bmp\r\n"
        "[Button4]\r\nAction=2\r\nAlign=1\r\nXcoord=52\r\nYcoord=6\r\nframe=4\r\nButtonImage=button.bmp\r\n"
        "[Button5]\r\nAction=20\r\nAlign=1\r\nXcoord=68\r\nYcoord=6\r\nframe=4\r\nButtonImage=button.bmp\r\n"
        "[Button6]\r\nAction=3\r\nAlign=0\r\nXcoord=8\r\nYcoord=4\r\n" + extraIni;
    std::vector<SkinFileEntry> files{
        {"left.bmp", Strip(kLeft, 30, 2, false, left, 0, 0)},
        {"right.bmp", Strip(kRight, 30, 2, false, right, kRight - 1, 0)},
        {"top.bmp", Strip(40, kTop, 2, true, top, 0, 0)},
        {"bottom.bmp", Strip(40, kBottom, 2, true, bottom, -1, -1)},
        {"button.bmp", Strip(kButton, kButton, 4, false, kButtonFrames, -1, -1)},
        {"window.ini", Bytes(ini)},
    };
    files.insert(files.end(), extraFiles.begin(), extraFiles.end());
    return test_skins::PackedSkin(files);
}

// A skin data component of the main form's kind, loaded with `packed` and registered
// with the module's manager, skinning switched on (not live, as before any activation).
class SkinnedTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousNotifier = TSkinReader::SetNotifier([](std::u16string_view) {});
        TSkinManage::Install();
        manager = &TSkinManage::CreateInstance();
        skin = std::make_unique<TSkinData>();
        ASSERT_TRUE(SetBinaryProp(skin.get(), u"SkinStream", test_skins::PropertyBlock(Skin())));
        ASSERT_FALSE(skin->NoSkin());
        manager->AddSkinData(*skin);  // as Loaded does, without the thread hook
        manager->SetActive(true);
    }
    void TearDown() override {
        skin.reset();
        TSkinManage::DestroyInstance();
        TSkinReader::SetNotifier(std::move(m_previousNotifier));
    }

    // Skins `window` through the manager and lets the start message run.
    TWinSkinForm* SkinAndStart(HWND window) {
        EXPECT_TRUE(manager->SkinWindow(window));
        TWinSkinForm* form = manager->FindSkinForm(window);
        EXPECT_NE(form, nullptr);
        if (!form) return nullptr;
        EXPECT_TRUE(PumpUntil([&] { return form->State() == TWinSkinForm::SkinState::Running; }));
        return form;
    }

    TSkinManage* manager = nullptr;
    std::unique_ptr<TSkinData> skin;

private:
    TSkinReader::Notifier m_previousNotifier;
};

// Fills a frame picture before the paint, so that what the paint leaves out shows.
inline constexpr COLORREF kSentinel = RGB(1, 2, 3);

// The frame as the skinning object paints it, into a bitmap of the window's size.
inline void PaintFrame(TWinSkinForm& form, DibSection& into) {
    RECT r{};
    ::GetWindowRect(form.Window(), &r);
    ASSERT_TRUE(into.EnsureSize(r.right - r.left, r.bottom - r.top));
    into.Fill(kSentinel);
    ASSERT_TRUE(form.PaintNonClient(into.Dc()));
    ::GdiFlush();
}

}  // namespace window_skin
