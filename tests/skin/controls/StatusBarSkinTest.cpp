#include "skin/controls/StatusBarSkin.h"

#include "framework/controls/StatusBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin/controls/BoxTestSkin.h"
#include "tests/skin/controls/TestHost.h"

#include <gtest/gtest.h>

#include <vector>

#include <commctrl.h>
#include <windows.h>

namespace {

using namespace box_skin;

class StatusBarSkinTest : public BoxSkinTest {
protected:
    void SetUp() override {
        BoxSkinTest::SetUp();
        form = &app.CreateForm<TForm>();
        form->SetBounds(0, 0, 500, 200);
        bar = &form->Create<TStatusBar>();
        bar->SetParent(form);
        bar->SetHeight(24);
    }
    // A panel of this bevel, width, text and alignment.
    void AddPanel(TStatusPanelBevel bevel, int width, std::wstring_view text = L"",
                  TAlignment alignment = TAlignment::taLeftJustify) {
        TStatusPanel& panel = bar->Panels().Add();
        panel.SetBevel(bevel);
        panel.SetWidth(width);
        panel.SetText(text);
        panel.SetAlignment(alignment);
    }
    TSkinStatusBar& Skin() {
        auto& made = bar->Create<TSkinStatusBar>();
        made.AttachControl(host, *skin, false, nullptr);
        return made;
    }
    // The bar painted into a fresh picture of its size.
    void Paint(DibSection& target) {
        target.Fill(kSentinel);
        ::SendMessageW(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
        ::GdiFlush();
    }
    RECT Reported(int index) {
        RECT r{};
        EXPECT_TRUE(::SendMessageW(bar->Handle(), SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)));
        return r;
    }
    int Width() { return bar->ClientWidth(); }
    int Height() { return bar->ClientHeight(); }

    TApplication app;
    TestHost host;
    TForm* form = nullptr;
    TStatusBar* bar = nullptr;
};

// The inside of a frame: all but its one-pixel edge.
RECT Inside(const RECT& frame) { return {frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1}; }

TEST_F(StatusBarSkinTest, PanelsAreFramedByTheirBevelsAndTheLastReachesTheEdge) {
    AddPanel(TStatusPanelBevel::pbLowered, 100);
    AddPanel(TStatusPanelBevel::pbRaised, 80);
    AddPanel(TStatusPanelBevel::pbNone, 60);
    AddPanel(TStatusPanelBevel::pbLowered, 40);
    Skin();
    DibSection target(Width(), Height());
    Paint(target);

    for (int i = 0; i < 3; ++i) {
        RECT frame = Reported(i);
        frame.right += 2;  // neighbours meet
        const RECT left{frame.left, frame.top + 1, frame.left + 1, frame.bottom - 1};
        EXPECT_TRUE(target.AllEqual(left, ColorToRGB(kStatusEdge[i]))) << i;
        EXPECT_TRUE(target.AllEqual(Inside(frame), ColorToRGB(kStatusInside[i]))) << i;
        if (Reported(i + 1).left >= frame.right) {
            const RECT right{frame.right - 1, frame.top + 1, frame.right, frame.bottom - 1};
            EXPECT_TRUE(target.AllEqual(right, ColorToRGB(kStatusEdge[i]))) << i;
        }
    }
    // The last panel's frame ends at the bar's edge, whatever width the bar reports for it.
    const RECT last = Reported(3);
    const RECT edge{Width() - 1, last.top, Width(), last.bottom};
    EXPECT_TRUE(target.AllEqual(edge, ColorToRGB(kStatusEdge[0])));
    EXPECT_TRUE(target.AllEqual({last.left + 1, last.top + 1, Width() - kGripWidth - 2, last.bottom - 1},
                                ColorToRGB(kStatusInside[0])));
    // Around the panels lies the skin's background, and nothing was left unpainted.
    EXPECT_TRUE(target.AllEqual({0, 0, Width(), Reported(0).top}, ColorToRGB(kFace)));
    EXPECT_EQ(target.CountOther({0, 0, Width(), Height()}, kSentinel), Width() * Height());
}

TEST_F(StatusBarSkinTest, TextGoesWhereItsPanelAlignsItAndOwnerDrawnPanelsGetNone) {
    AddPanel(TStatusPanelBevel::pbLowered, 120, L"Wi");
    AddPanel(TStatusPanelBevel::pbLowered, 120, L"Wi", TAlignment::taRightJustify);
    AddPanel(TStatusPanelBevel::pbLowered, 120, L"Wi", TAlignment::taCenter);
    AddPanel(TStatusPanelBevel::pbLowered, 120, L"Wi");
    AddPanel(TStatusPanelBevel::pbLowered, 50);
    bar->Panels().Items(3)->SetStyle(TStatusPanelStyle::psOwnerDraw);
    form->SetWidth(700);
    Skin();
    DibSection target(Width(), Height());
    Paint(target);
    const COLORREF inside = ColorToRGB(kStatusInside[0]);
    const auto third = [&](int panel, int part) {
        const RECT in = Inside(Reported(panel));
        const int w = (in.right - in.left) / 3;
        return RECT{in.left + part * w, in.top, in.left + (part + 1) * w, in.bottom};
    };
    // Left text in the first third only, right text in the last, centred text in the middle.
    EXPECT_GT(target.CountOther(third(0, 0), inside), 0);
    EXPECT_TRUE(target.AllEqual(third(0, 1), inside) && target.AllEqual(third(0, 2), inside));
    EXPECT_GT(target.CountOther(third(1, 2), inside), 0);
    EXPECT_TRUE(target.AllEqual(third(1, 0), inside) && target.AllEqual(third(1, 1), inside));
    EXPECT_GT(target.CountOther(third(2, 1), inside), 0);
    EXPECT_TRUE(target.AllEqual(third(2, 0), inside) && target.AllEqual(third(2, 2), inside));
    EXPECT_TRUE(target.AllEqual(Inside(Reported(3)), inside));  // its owner draws it
}

// The control works out its panels' places when it paints itself, and the skin paints
// in its stead: after a resize the bar must still report its last panel where it now is,
// and repaint it there for new text.
TEST_F(StatusBarSkinTest, AResizedBarKeepsItsLastPanelOutToItsNewEdge) {
    AddPanel(TStatusPanelBevel::pbLowered, 100, L"Wi");
    AddPanel(TStatusPanelBevel::pbLowered, 60, L"Wi");
    Skin();
    form->Show();
    for (const int width : {700, 400}) {
        form->SetWidth(width);
        ::UpdateWindow(bar->Handle());
        EXPECT_EQ(Reported(1).right, Width()) << width;
        bar->Panels().Items(1)->SetText(width == 700 ? L"Wide" : L"Narrow");
        DibSection shown(Width(), Height()), painted(Width(), Height());
        {
            const WindowDc screen = WindowDc::Client(bar->Handle());
            ::BitBlt(shown.Dc(), 0, 0, Width(), Height(), screen.Get(), 0, 0, SRCCOPY);
        }
        Paint(painted);
        const RECT last = Reported(1);
        EXPECT_GT(painted.CountOther(Inside(last), ColorToRGB(kStatusInside[0])), 0) << width;  // the text
        for (int y = last.top; y < last.bottom; ++y)
            for (int x = last.left; x < last.right; ++x)
                ASSERT_EQ(shown.Pixel(x, y), painted.Pixel(x, y)) << width << ": " << x << ", " << y;
    }
}

TEST_F(StatusBarSkinTest, ASimpleBarIsOneFrameAcrossWithoutText) {
    for (const bool withPanels : {false, true}) {
        if (withPanels) {
            AddPanel(TStatusPanelBevel::pbRaised, 100, L"Wi");
            bar->SetSimplePanel(true);
        }
        TSkinStatusBar& made = Skin();
        DibSection target(Width(), Height());
        Paint(target);
        const COLORREF edge = ColorToRGB(kStatusEdge[0]);
        EXPECT_TRUE(target.AllEqual({0, 0, 1, Height()}, edge)) << withPanels;
        EXPECT_TRUE(target.AllEqual({Width() - 1, 0, Width(), Height()}, edge)) << withPanels;
        EXPECT_TRUE(target.AllEqual({1, 1, Width() - kGripWidth - 2, Height() - 1}, ColorToRGB(kStatusInside[0])))
            << withPanels;
        made.Unskin();
        FreeComponent(&made);
    }
}

TEST_F(StatusBarSkinTest, WithoutAStatusPictureLoweredAndRaisedPanelsGetPlainFrames) {
    Load({.statusEdges = false});
    AddPanel(TStatusPanelBevel::pbLowered, 100);
    AddPanel(TStatusPanelBevel::pbRaised, 100);
    AddPanel(TStatusPanelBevel::pbNone, 100);
    AddPanel(TStatusPanelBevel::pbNone, 100);
    Skin();
    DibSection target(Width(), Height());
    Paint(target);
    for (int i = 0; i < 2; ++i) {
        RECT frame = Reported(i);
        frame.right += 2;
        const COLORREF topLeft = ColorToRGB(i == 0 ? kShadow : kHilight);
        const COLORREF bottomRight = ColorToRGB(i == 0 ? kHilight : kShadow);
        EXPECT_TRUE(target.AllEqual({frame.left, frame.top, frame.right - 1, frame.top + 1}, topLeft)) << i;
        EXPECT_TRUE(target.AllEqual({frame.left, frame.top, frame.left + 1, frame.bottom - 1}, topLeft)) << i;
        EXPECT_TRUE(target.AllEqual({frame.left, frame.bottom - 1, frame.right, frame.bottom}, bottomRight)) << i;
        EXPECT_TRUE(target.AllEqual(Inside(frame), ColorToRGB(kFace))) << i;
    }
    const RECT none = Reported(2);
    EXPECT_TRUE(target.AllEqual({none.left, 0, none.right, Height()}, ColorToRGB(kFace)));
}

TEST_F(StatusBarSkinTest, TheGripSitsOneInsideTheCornerWithItsKeyColourLeftOut) {
    AddPanel(TStatusPanelBevel::pbLowered, 100);
    TSkinStatusBar& made = Skin();
    ASSERT_NE(::GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP, 0);
    DibSection target(Width(), Height());
    Paint(target);
    const int right = Width() - 1, bottom = Height() - 1;
    const RECT grip{right - kGripWidth + kGripKeyColumns, bottom - kGripHeight, right, bottom};
    EXPECT_TRUE(target.AllEqual(grip, ColorToRGB(kGrip)));
    // Where the grip's picture has the key colour, the panel shows through.
    EXPECT_TRUE(target.AllEqual({right - kGripWidth, bottom - kGripHeight, grip.left, bottom},
                                ColorToRGB(kStatusInside[0])));
    EXPECT_TRUE(target.AllEqual({right, Reported(0).top, Width(), Height()}, ColorToRGB(kStatusEdge[0])));

    // A bar on a form that cannot be resized has no grip.
    made.Unskin();
    FreeComponent(&made);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    bar->RecreateWnd();
    ASSERT_EQ(::GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP, 0);
    Skin();
    Paint(target);
    EXPECT_EQ(target.CountOther({0, 0, Width(), Height()}, ColorToRGB(kGrip)), Width() * Height());
}

TEST_F(StatusBarSkinTest, PanelOwnersDrawInsideEachFramedPanel) {
    AddPanel(TStatusPanelBevel::pbLowered, 100);
    AddPanel(TStatusPanelBevel::pbRaised, 60);
    std::vector<std::pair<TStatusPanel*, RECT>> drawn;
    bar->OnDrawPanel = [&](TCustomStatusBar* sender, TStatusPanel* panel, const RECT& rect) {
        EXPECT_EQ(sender, bar);
        drawn.emplace_back(panel, rect);
        ::FillRect(sender->Canvas().Handle(), &rect, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    };
    Skin();
    DibSection target(Width(), Height());
    Paint(target);
    ASSERT_EQ(drawn.size(), 2u);
    const RECT first = Reported(0);
    EXPECT_EQ(drawn[0].first, bar->Panels().Items(0));
    const RECT inside{first.left + 2, first.top + 2, first.right, first.bottom - 2};  // the frame, less 2
    EXPECT_TRUE(::EqualRect(&drawn[0].second, &inside));
    EXPECT_EQ(drawn[1].first, bar->Panels().Items(1));
    EXPECT_EQ(drawn[1].second.right, Width() - 2);  // the last one reaches the edge
    // Drawn on the DC of the paint, after the skin's picture.
    EXPECT_TRUE(target.AllEqual(drawn[0].second, RGB(0, 0, 0)));
}

TEST_F(StatusBarSkinTest, ADetachedBarHasItsHandlerAndColourBack) {
    AddPanel(TStatusPanelBevel::pbLowered, 100, L"Wi");
    bar->SetColor(RgbColour(7, 8, 9));
    auto& made = bar->Create<TSkinStatusBar>();
    made.AttachControl(host, *skin, true, nullptr);
    EXPECT_EQ(bar->Color(), kFace);
    EXPECT_EQ(::SendMessageW(bar->Handle(), WMX_ISSKINNED, 0, 0), 1);
    made.Unskin();
    FreeComponent(&made);
    EXPECT_TRUE(host.skins.empty());
    EXPECT_EQ(bar->Color(), RgbColour(7, 8, 9));
    EXPECT_EQ(::SendMessageW(bar->Handle(), WMX_ISSKINNED, 0, 0), 0);
    // The control paints itself again: none of the skin's frames.
    DibSection target(Width(), Height());
    Paint(target);
    for (const TColor colour : kStatusEdge)
        EXPECT_EQ(target.CountOther({0, 0, Width(), Height()}, ColorToRGB(colour)), Width() * Height());
}

}  // namespace
