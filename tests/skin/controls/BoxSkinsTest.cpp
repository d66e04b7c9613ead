#include "skin/controls/BoxSkins.h"

#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "skin/controls/ControlSkinFactory.h"
#include "skin/controls/GroupBoxSkin.h"
#include "skin/controls/HeaderSkin.h"
#include "skin/controls/ProgressSkin.h"
#include "skin/controls/StatusBarSkin.h"
#include "skin/controls/TrackBarSkin.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "tests/skin/controls/BoxTestSkin.h"
#include "tests/skin/controls/TestHost.h"

#include <gtest/gtest.h>

#include <memory>

#include <windows.h>

namespace {

using namespace box_skin;

// The panel's look as it paints itself, erasing included, into a picture of its size.
void PaintPanel(TPanel& panel, DibSection& target) {
    target.Fill(kSentinel);
    ::SendMessageW(panel.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::SendMessageW(panel.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
}

class BoxTest : public BoxSkinTest {
protected:
    void SetUp() override {
        BoxSkinTest::SetUp();
        form = &app.CreateForm<TForm>();
        panel = &form->Create<TPanel>();
        panel->SetParent(form);
        panel->SetBounds(0, 0, 80, 60);
        panel->SetColor(kOwnColour);
    }
    static constexpr TColor kOwnColour = RgbColour(7, 8, 9);
    // The panel's inside, within its bevel.
    static constexpr RECT kInside{4, 4, 76, 56};

    TApplication app;
    TestHost host;
    TForm* form = nullptr;
    TPanel* panel = nullptr;
};

TEST_F(BoxTest, APanelTakesTheSkinsColourAndKeepsItsOwnHandling) {
    auto& box = panel->Create<TSkinBox>();
    box.AttachControl(host, *skin, true, nullptr);
    EXPECT_EQ(box.State(), TSkinControl::kSkinned);
    EXPECT_EQ(box.Handle(), panel->Handle());
    EXPECT_EQ(host.skins, std::vector<TSkinControl*>{&box});
    EXPECT_EQ(panel->Color(), kFace);
    // Nothing stands in for the panel's handler: the skin never hears its messages.
    EXPECT_EQ(::SendMessageW(panel->Handle(), WMX_ISSKINNED, 0, 0), 0);
    DibSection target(80, 60);
    PaintPanel(*panel, target);
    EXPECT_TRUE(target.AllEqual(kInside, ColorToRGB(kFace)));

    // Detached, it has its own colour back exactly and looks as before.
    box.Unskin();
    EXPECT_EQ(box.State(), TSkinControl::kUnskinned);
    EXPECT_EQ(panel->Color(), kOwnColour);
    FreeComponent(&box);
    EXPECT_TRUE(host.skins.empty());
    PaintPanel(*panel, target);
    EXPECT_TRUE(target.AllEqual(kInside, ColorToRGB(kOwnColour)));
}

TEST_F(BoxTest, OnlyARecolouringAttachChangesTheColourAndAKeptColourStays) {
    auto& plain = panel->Create<TSkinBox>();
    plain.AttachControl(host, *skin, false, nullptr);
    EXPECT_EQ(panel->Color(), kOwnColour);
    plain.Unskin();
    EXPECT_EQ(panel->Color(), kOwnColour);
    FreeComponent(&plain);

    auto& kept = panel->Create<TSkinBox>();
    kept.AttachControl(host, *skin, true, nullptr);
    kept.KeepColour();
    kept.Unskin();
    EXPECT_EQ(panel->Color(), kFace);
    EXPECT_EQ(kept.State(), TSkinControl::kUnskinned);
}

// A dialog nested in a bare dialog, with a static text on it.
class NestedDialogTest : public BoxSkinTest {
protected:
    void SetUp() override {
        BoxSkinTest::SetUp();
        outer = ::CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 60, 60, 200, 120, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
        inner = ::CreateWindowExW(0, L"#32770", L"", WS_CHILD | WS_VISIBLE, 10, 10, 150, 80, outer, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
        label = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 5, 60, 20, inner, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(outer && inner && label);
    }
    void TearDown() override {
        if (outer) ::DestroyWindow(outer);
        BoxSkinTest::TearDown();
    }
    TestHost host;
    HWND outer = nullptr;
    HWND inner = nullptr;
    HWND label = nullptr;
};

TEST_F(NestedDialogTest, TheInnerDialogAndItsTextsShowTheSkinsBackground) {
    const auto own = ::GetWindowLongPtrW(inner, GWLP_WNDPROC);
    auto boxH = std::make_unique<TSkinBoxH>();
    boxH->AttachHandle(inner, *skin, host, nullptr);

    DibSection target(150, 80);
    target.Fill(kSentinel);
    EXPECT_EQ(::SendMessageW(inner, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Dc()), 0), 0);
    ::GdiFlush();
    EXPECT_TRUE(target.AllEqual({0, 0, 150, 80}, ColorToRGB(kFace)));

    // The static text asks its dialog for the brush of its background.
    DibSection text(60, 20);
    text.Fill(kSentinel);
    const LRESULT brush = ::SendMessageW(inner, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(text.Dc()),
                                         reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), skin->ButtonFaceBrush());
    // Its text in the skin's text colour, not the system's, which may not show on the face.
    ASSERT_NE(ColorToRGB(skin->Colours().ButtonText), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(::GetTextColor(text.Dc()), ColorToRGB(skin->Colours().ButtonText));
    ::SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(text.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    EXPECT_TRUE(text.AllEqual({0, 0, 60, 20}, ColorToRGB(kFace)));

    boxH.reset();
    EXPECT_EQ(::GetWindowLongPtrW(inner, GWLP_WNDPROC), own);
    EXPECT_NE(reinterpret_cast<HBRUSH>(::SendMessageW(inner, WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(text.Dc()),
                                                      reinterpret_cast<LPARAM>(label))),
              skin->ButtonFaceBrush());
}

TEST_F(NestedDialogTest, ASizeGripIsCoveredWithTheSkinsColourAfterItsOwnPaint) {
    HWND grip = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 130, 60, 16, 16, inner,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(grip, nullptr);
    DibSection target(16, 16);
    target.Fill(kSentinel);
    ::SendMessageW(grip, WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    ASSERT_FALSE(target.AllEqual({0, 0, 16, 16}, ColorToRGB(kFace)));  // the system's own grip

    auto sizer = std::make_unique<TSkinSizer>();
    sizer->AttachHandle(grip, *skin, host, nullptr);
    target.Fill(kSentinel);
    ::SendMessageW(grip, WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    EXPECT_TRUE(target.AllEqual({0, 0, 16, 16}, ColorToRGB(kFace)));
}

TEST(ControlSkinFactory, MakesEachBoxSkinOwnedByTheGivenOwner) {
    TComponent owner;
    const auto made = [&](ControlSkinClass kind) { return MakeControlSkin(kind, owner); };
    EXPECT_NE(As<TSkinBox>(made(ControlSkinClass::Box)), nullptr);
    EXPECT_NE(As<TSkinBoxH>(made(ControlSkinClass::BoxH)), nullptr);
    EXPECT_NE(As<TSkinGroupBox>(made(ControlSkinClass::GroupBox)), nullptr);
    EXPECT_NE(As<TSkinStatusBar>(made(ControlSkinClass::StatusBar)), nullptr);
    EXPECT_NE(As<TSkinHeader>(made(ControlSkinClass::Header)), nullptr);
    EXPECT_NE(As<TSkinProgress>(made(ControlSkinClass::Progress)), nullptr);
    EXPECT_NE(As<TSkinTrackBar>(made(ControlSkinClass::TrackBar)), nullptr);
    EXPECT_NE(As<TSkinSizer>(made(ControlSkinClass::Sizer)), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 8);
    for (int i = 0; i < owner.ComponentCount(); ++i) EXPECT_EQ(owner.Components(i)->Owner(), &owner);
}

}  // namespace
