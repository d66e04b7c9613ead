#include "skin/controls/CheckSkins.h"

#include "skin/controls/ButtonSkins.h"

#include "framework/controls/CheckBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioButton.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin/controls/ControlTestSkin.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include <windows.h>

namespace {

using namespace control_skin;

constexpr int kWidth = 120, kHeight = 21;
// A 13 x 13 box in a 21-pixel-high control starts at (21 - 13) div 2.
constexpr RECT kBoxLeft{0, 4, 13, 17};
constexpr RECT kCheckBoxRight{107, 4, 120, 17};
constexpr RECT kRadioRight{106, 4, 119, 17};

HWND MakeParent() {
    return ::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP, 20, 20, 300, 200, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

HWND MakeCheck(HWND parent, DWORD style) {
    return ::CreateWindowExW(0, L"BUTTON", L"Check", WS_CHILD | WS_VISIBLE | style, 10, 10, kWidth, kHeight, parent,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// The box shows `colour` but for its top-left pixel, where every cell of the test
// strips has the key colour.
bool BoxShows(const DibSection& dib, const RECT& box, TColor colour) {
    return AllOf(dib, {box.left + 1, box.top, box.right, box.bottom}, colour) &&
           AllOf(dib, {box.left, box.top + 1, box.left + 1, box.bottom}, colour);
}

class CheckSkinsTest : public ControlSkinTest {
protected:
    // What the window paints into a DC of its size.
    void Paint(HWND window) {
        dib.Fill(kSentinel);
        ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
        ::GdiFlush();
    }
    template <class Skin>
    bool Shows(HWND window, const RECT& box, int cell) {
        Paint(window);
        return BoxShows(dib, box, std::is_same_v<Skin, TSkinCheckBox> ? CheckColour(cell) : RadioColour(cell));
    }
    template <class Skin>
    std::unique_ptr<Skin> Attach(HWND window) {
        auto skinObject = std::make_unique<Skin>();
        skinObject->AttachHandle(window, *skin, host, nullptr);
        return skinObject;
    }

    DibSection dib{kWidth, kHeight};
};

TEST_F(CheckSkinsTest, ABareCheckBoxGetsTheCellOfItsStateOverItsOwnBox) {
    HWND parent = MakeParent();
    HWND box = MakeCheck(parent, BS_AUTOCHECKBOX);
    const LONG_PTR ownProcedure = ::GetWindowLongPtrW(box, GWLP_WNDPROC);
    auto skinObject = Attach<TSkinCheckBox>(box);
    EXPECT_FALSE(skinObject->OwnerPaint());  // the window paints its own caption
    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 1));
    EXPECT_GT(dib.CountOther({20, 0, kWidth, kHeight}, kSentinel), 0);
    ::SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(skinObject->LastCheck(), 2);
    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 2));
    ::EnableWindow(box, FALSE);
    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 4));
    ::SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 3));

    // A three-state box that is grayed: the grayed cell, enabled or not.
    HWND three = MakeCheck(parent, BS_3STATE);
    auto threeSkin = Attach<TSkinCheckBox>(three);
    ::SendMessageW(three, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_TRUE(Shows<TSkinCheckBox>(three, kBoxLeft, 4));
    ::EnableWindow(three, FALSE);
    EXPECT_TRUE(Shows<TSkinCheckBox>(three, kBoxLeft, 4));

    // Text on the left: the box flush with the right edge.
    HWND right = MakeCheck(parent, BS_AUTOCHECKBOX | BS_LEFTTEXT);
    auto rightSkin = Attach<TSkinCheckBox>(right);
    EXPECT_TRUE(Shows<TSkinCheckBox>(right, kCheckBoxRight, 1));
    EXPECT_FALSE(AllOf(dib, {1, 4, 13, 17}, CheckColour(1)));

    // Detached, the window has its own procedure back.
    skinObject.reset();
    EXPECT_EQ(::GetWindowLongPtrW(box, GWLP_WNDPROC), ownProcedure);
    EXPECT_EQ(::SendMessageW(box, WMX_ISSKINNED, 0, 0), 0);
    Paint(box);
    EXPECT_FALSE(BoxShows(dib, kBoxLeft, CheckColour(3)));
    ::DestroyWindow(parent);
}

TEST_F(CheckSkinsTest, ABareRadioButtonGetsTheCellOfItsState) {
    HWND parent = MakeParent();
    HWND radio = MakeCheck(parent, BS_AUTORADIOBUTTON);
    auto skinObject = Attach<TSkinRadioButton>(radio);
    EXPECT_TRUE(Shows<TSkinRadioButton>(radio, kBoxLeft, 1));
    ::SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(Shows<TSkinRadioButton>(radio, kBoxLeft, 2));
    ::EnableWindow(radio, FALSE);
    EXPECT_TRUE(Shows<TSkinRadioButton>(radio, kBoxLeft, 4));
    ::SendMessageW(radio, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(Shows<TSkinRadioButton>(radio, kBoxLeft, 3));

    HWND right = MakeCheck(parent, BS_AUTORADIOBUTTON | BS_LEFTTEXT);
    auto rightSkin = Attach<TSkinRadioButton>(right);
    EXPECT_TRUE(Shows<TSkinRadioButton>(right, kRadioRight, 1));
    EXPECT_FALSE(AllOf(dib, {kWidth - 1, 4, kWidth, 17}, RadioColour(1)));  // one pixel in from the edge
    skinObject.reset();
    rightSkin.reset();
    ::DestroyWindow(parent);
}

TEST_F(CheckSkinsTest, LargeStripsGroupTheirCellsInFours) {
    LoadSkin({12, 8, true});
    HWND parent = MakeParent();
    HWND box = MakeCheck(parent, BS_3STATE);
    auto boxSkin = Attach<TSkinCheckBox>(box);
    HWND radio = MakeCheck(parent, BS_AUTORADIOBUTTON);
    auto radioSkin = Attach<TSkinRadioButton>(radio);

    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 1));
    ::SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 5));
    ::SendMessageW(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 9));
    ::EnableWindow(box, FALSE);
    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 12));
    ::SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 8));
    ::SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(Shows<TSkinCheckBox>(box, kBoxLeft, 4));

    ::SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(Shows<TSkinRadioButton>(radio, kBoxLeft, 5));
    ::EnableWindow(radio, FALSE);
    EXPECT_TRUE(Shows<TSkinRadioButton>(radio, kBoxLeft, 8));
    ::SendMessageW(radio, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(Shows<TSkinRadioButton>(radio, kBoxLeft, 4));
    boxSkin.reset();
    radioSkin.reset();
    ::DestroyWindow(parent);
}

TEST_F(CheckSkinsTest, AFrameworkCheckBoxIsPaintedWholeByTheSkin) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = ColouredParent(form);
    auto& box = form.Create<TCheckBox>();
    box.SetParent(&panel);
    box.SetBounds(10, 10, kWidth, kHeight);
    box.SetCaption(L"WW");
    box.SetColor(RgbColour(7, 8, 9));
    box.Font().SetSize(12);
    box.Font().SetStyle(TFontStyles{TFontStyle::fsBold});
    box.Font().SetColor(RgbColour(250, 250, 0));
    auto& skinObject = box.Create<TSkinCheckBox>();
    skinObject.AttachControl(host, *skin, true, nullptr);
    EXPECT_TRUE(skinObject.OwnerPaint());
    EXPECT_FALSE(skinObject.Transparent());
    HWND window = box.Handle();

    // The skin's background, the box, and the caption in the font's colour beside it.
    EXPECT_TRUE(Shows<TSkinCheckBox>(window, kBoxLeft, 1));
    EXPECT_TRUE(AllOf(dib, {0, 0, kWidth, 2}, kFace));
    EXPECT_TRUE(AllOf(dib, {13, 0, 15, kHeight}, kFace));
    EXPECT_TRUE(AllOf(dib, {80, 0, kWidth, kHeight}, kFace));
    EXPECT_GT(CountOf(dib, {15, 0, 80, kHeight}, RgbColour(250, 250, 0)), 0);

    // Its published State decides: checked, grayed (enabled or not), and checked and disabled.
    box.SetChecked(true);
    EXPECT_TRUE(Shows<TSkinCheckBox>(window, kBoxLeft, 2));
    box.SetAllowGrayed(true);
    box.SetState(TCheckBoxState::cbGrayed);
    EXPECT_TRUE(Shows<TSkinCheckBox>(window, kBoxLeft, 4));
    box.SetEnabled(false);
    EXPECT_TRUE(Shows<TSkinCheckBox>(window, kBoxLeft, 4));
    box.SetState(TCheckBoxState::cbChecked);
    EXPECT_TRUE(Shows<TSkinCheckBox>(window, kBoxLeft, 4));
    EXPECT_GT(CountOf(dib, {15, 0, 80, kHeight}, clGrayText), 0);
    EXPECT_EQ(CountOf(dib, {15, 0, 80, kHeight}, RgbColour(250, 250, 0)), 0);
    box.SetEnabled(true);

    // A click on the window moves the state on, and the skin shows it.
    box.SetState(TCheckBoxState::cbUnchecked);
    box.SetAllowGrayed(false);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 10));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 10));
    EXPECT_TRUE(box.Checked());
    EXPECT_TRUE(Shows<TSkinCheckBox>(window, kBoxLeft, 2));

    // Without a strip the control paints itself again.
    skin->Buttons().CheckImage.SetSize(0, 0);
    Paint(window);
    EXPECT_FALSE(skinObject.OwnerPaint());
    EXPECT_FALSE(BoxShows(dib, kBoxLeft, CheckColour(2)));
    EXPECT_GT(dib.CountOther({0, 0, kWidth, kHeight}, kSentinel), 0);

    skinObject.Unskin();
    FreeComponent(&skinObject);
    EXPECT_EQ(box.Color(), RgbColour(7, 8, 9));
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 0);
}

TEST_F(CheckSkinsTest, ATransparentCheckBoxShowsItsParentAndARightToLeftOneItsTextRight) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = ColouredParent(form);
    auto& radio = form.Create<TRadioButton>();
    radio.SetParent(&panel);
    radio.SetBounds(10, 10, kWidth, kHeight);
    radio.SetTag(kTransparentTag);
    radio.SetCaption(L"WW");
    radio.Font().SetSize(12);
    radio.Font().SetStyle(TFontStyles{TFontStyle::fsBold});
    radio.Font().SetColor(RgbColour(250, 250, 0));
    radio.SetBiDiMode(TBiDiMode::bdRightToLeft);  // the caption goes left of the mark
    radio.SetChecked(true);
    auto& skinObject = radio.Create<TSkinRadioButton>();
    skinObject.AttachControl(host, *skin, false, nullptr);
    EXPECT_TRUE(skinObject.Transparent());

    EXPECT_TRUE(Shows<TSkinRadioButton>(radio.Handle(), kRadioRight, 2));
    EXPECT_TRUE(AllOf(dib, {0, 0, kWidth, 2}, kParentColour));
    // Right-aligned against the box, so the left of the caption rectangle stays empty.
    EXPECT_TRUE(AllOf(dib, {0, 0, 40, kHeight}, kParentColour));
    EXPECT_GT(CountOf(dib, {40, 0, 104, kHeight}, RgbColour(250, 250, 0)), 0);
    FreeComponent(&skinObject);
}

}  // namespace
