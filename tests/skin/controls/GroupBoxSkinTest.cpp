#include "skin/controls/GroupBoxSkin.h"

#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"
#include "tests/skin/controls/BoxTestSkin.h"
#include "tests/skin/controls/TestHost.h"

#include <gtest/gtest.h>

#include <memory>

#include <windows.h>

namespace {

using namespace box_skin;

constexpr int kWidth = 140, kHeight = 90;

// A bare group box of the system's button class, in a shown parent.
class BareGroupBoxTest : public BoxSkinTest {
protected:
    void TearDown() override {
        box.reset();
        if (parent) ::DestroyWindow(parent);
        BoxSkinTest::TearDown();
    }
    void Make(const wchar_t* caption, DWORD exStyle = 0, bool attach = true) {
        parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, kWidth, kHeight, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        window = ::CreateWindowExW(exStyle, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, kWidth,
                                   kHeight, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        if (!attach) return;
        box = std::make_unique<TSkinGroupBox>();
        box->AttachHandle(window, *skin, host, nullptr);
    }
    void Paint() {
        target.Fill(kSentinel);
        ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
        ::GdiFlush();
    }
    // Where the line runs: half the height of a "0" in the box's font, less one.
    static int LineY() {
        MemoryDc measure;
        SelectScope font{measure.Get(), ::GetStockObject(DEFAULT_GUI_FONT)};
        SIZE digit{};
        ::GetTextExtentPoint32W(measure.Get(), L"0", 1, &digit);
        return digit.cy / 2 - 1;
    }
    bool All(const RECT& area, TColor colour) const { return target.AllEqual(area, ColorToRGB(colour)); }

    TestHost host;
    HWND parent = nullptr;
    HWND window = nullptr;
    std::unique_ptr<TSkinGroupBox> box;
    DibSection target{kWidth, kHeight};
};

TEST_F(BareGroupBoxTest, TheLineGoesRoundInTheBorderColourOverTheBoxsOwnFrame) {
    Make(L"");
    EXPECT_FALSE(box->OwnerPaint());
    Paint();
    const int y = LineY();
    // The rounded line, away from its corners.
    EXPECT_TRUE(All({3, y, kWidth - 3, y + 1}, kShadow));
    EXPECT_TRUE(All({1, y + 3, 2, kHeight - 4}, kShadow));
    EXPECT_TRUE(All({kWidth - 2, y + 3, kWidth - 1, kHeight - 4}, kShadow));
    EXPECT_TRUE(All({3, kHeight - 2, kWidth - 3, kHeight - 1}, kShadow));
    // The box's own two-pixel frame is under the skin's colour wherever the line is not.
    EXPECT_TRUE(All({0, y, 1, kHeight}, kFace));
    EXPECT_TRUE(All({0, kHeight - 1, kWidth, kHeight}, kFace));
    EXPECT_TRUE(All({kWidth - 1, y, kWidth, kHeight}, kFace));
    EXPECT_TRUE(All({3, y + 1, kWidth - 3, y + 2}, kFace));
}

TEST_F(BareGroupBoxTest, TheCaptionInterruptsTheLineEightPixelsInFromItsEnd) {
    for (const bool right : {false, true}) {
        Make(L"Caption", right ? WS_EX_RIGHT : 0);
        Paint();
        const int y = LineY();
        // The caption's box, found as the stretch of the line's row that is not the line.
        int first = -1, last = -1;
        for (int x = 0; x < kWidth; ++x) {
            if (target.Pixel(x, y) == ColorToRGB(kShadow)) continue;
            if (x < 3 || x >= kWidth - 3) continue;  // the rounded corners
            if (first < 0) first = x;
            last = x;
        }
        ASSERT_GE(first, 0) << right;
        if (right) {
            EXPECT_EQ(last, kWidth - 8 - 1);
            EXPECT_GT(first, kWidth / 2);
        } else {
            EXPECT_EQ(first, 8);
            EXPECT_LT(last, kWidth / 2);
        }
        // Drawn opaque on the skin's background: the caption's box holds text and that
        // background, and no line.
        const RECT caption{first, 0, last + 1, y + 1};
        const int area = (caption.right - caption.left) * (caption.bottom - caption.top);
        EXPECT_GT(target.CountOther(caption, ColorToRGB(kFace)), 0) << right;
        EXPECT_LT(target.CountOther(caption, ColorToRGB(kFace)), area) << right;
        EXPECT_EQ(target.CountOther(caption, ColorToRGB(kShadow)), area) << right;
        box.reset();
        ::DestroyWindow(parent);
        parent = nullptr;
    }
}

}  // namespace
