#include "skin/controls/GroupBoxSkin.h"

#include "framework/controls/GraphicControl.h"
#include "framework/controls/GroupBox.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"
#include "skin/data/SkinMessages.h"
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
public:
    // Where the line runs: half the height of a "0" in the box's font, less one.
    static int LineY(HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT)) {
        MemoryDc measure;
        SelectScope use{measure.Get(), font};
        SIZE digit{};
        ::GetTextExtentPoint32W(measure.Get(), L"0", 1, &digit);
        return digit.cy / 2 - 1;
    }

protected:
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

namespace {

// A windowless control that fills itself with one colour.
class TSolidBlock final : public TGraphicControl {
    KESTRELLE_CLASS(TSolidBlock, TGraphicControl)

protected:
    bool Paint(HDC dc, const RECT& box) noexcept override {
        BrushHandle brush{::CreateSolidBrush(RGB(0, 0, 255))};
        return ::FillRect(dc, &box, brush.Get()) != 0;
    }
};

class FrameworkGroupBoxTest : public BoxSkinTest {
protected:
    TApplication app;
    TestHost host;
};

TEST_F(FrameworkGroupBoxTest, TheSkinAlonePaintsItOnTheSkinsBackgroundWithItsWindowlessChildren) {
    TForm& form = app.CreateForm<TForm>();
    auto& group = form.Create<TGroupBox>();
    group.SetParent(&form);
    group.SetBounds(0, 0, kWidth, kHeight);
    group.SetCaption(L"Caption");
    group.Font().SetColor(RgbColour(255, 0, 0));
    auto& block = form.Create<TSolidBlock>();
    block.SetParent(&group);
    block.SetBounds(20, 40, 30, 20);
    auto& skinned = group.Create<TSkinGroupBox>();
    skinned.AttachControl(host, *skin, true, nullptr);
    EXPECT_TRUE(skinned.OwnerPaint());

    DibSection target(kWidth, kHeight);
    target.Fill(kSentinel);
    ::SendMessageW(group.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    const int y = BareGroupBoxTest::LineY(group.FontHandle());
    EXPECT_TRUE(target.AllEqual({0, 0, 1, kHeight}, ColorToRGB(kFace)));  // no frame of its own
    EXPECT_TRUE(target.AllEqual({1, y + 3, 2, kHeight - 4}, ColorToRGB(kShadow)));
    EXPECT_TRUE(target.AllEqual({3, kHeight - 2, kWidth - 3, kHeight - 1}, ColorToRGB(kShadow)));
    EXPECT_TRUE(target.AllEqual({60, y + 2, kWidth - 3, kHeight - 3}, ColorToRGB(kFace)));
    EXPECT_TRUE(target.AllEqual({20, 40, 50, 60}, RGB(0, 0, 255)));
    // The caption is in the box's own font colour (red), not the skin's (yellow).
    int reddish = 0;
    for (int x = 8; x < kWidth / 2; ++x)
        for (int row = 0; row < y + 4; ++row) {
            const COLORREF p = target.Pixel(x, row);
            if (GetRValue(p) > GetGValue(p) + 60) ++reddish;
        }
    EXPECT_GT(reddish, 0);

    skinned.Unskin();
    FreeComponent(&skinned);
    EXPECT_EQ(::SendMessageW(group.Handle(), WMX_ISSKINNED, 0, 0), 0);
}

}  // namespace
