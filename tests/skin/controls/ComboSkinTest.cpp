#include "skin/controls/ComboSkin.h"

#include "framework/controls/ComboBox.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "skin/controls/ControlSkinFactory.h"
#include "skin/controls/ScrollBarSkins.h"
#include "tests/skin/controls/EditTestSkin.h"
#include "tests/skin/controls/TestHost.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <memory>

#include <windows.h>

namespace {

using namespace edit_skin;

class ComboSkinTest : public EditSkinTest {
protected:
    void TearDown() override {
        combo.reset();
        if (parent) ::DestroyWindow(parent);
        EditSkinTest::TearDown();
    }
    // A skinned bare combo of `style` on a shown parent.
    void Make(DWORD style, DWORD exStyle = 0, int lines = 1) {
        parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 30, 30, 300, 200, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        window = ::CreateWindowExW(exStyle, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 10, 10, 150,
                                   120, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        for (int i = 0; i < lines; ++i) ::SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"line"));
        combo = std::make_unique<TSkinComBox>();
        combo->AttachHandle(window, *skin, host, nullptr);
        RECT r{};
        ::GetWindowRect(window, &r);
        width = r.right - r.left;
        height = r.bottom - r.top;
        target = std::make_unique<DibSection>(width, height);
    }
    // The combo paints itself and the skin into the test's picture.
    void Paint() {
        target->Fill(kSentinel);
        ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target->Dc()), 0);
        ::GdiFlush();
    }
    bool Shows(const RECT& area, TColor colour) const { return target->AllEqual(area, ColorToRGB(colour)); }
    int Count(const RECT& area, TColor colour) const { return edit_skin::Count(*target, area, colour); }
    // The drop button of the combined look, at the right or left, without its glyph.
    RECT ButtonEdge(bool left) const {
        const int button = ::GetSystemMetrics(SM_CXHSCROLL) + 2;
        return left ? RECT{button - 4, 0, button, height} : RECT{width - button, 0, width - button + 4, height};
    }

    TestHost host;
    HWND parent = nullptr;
    HWND window = nullptr;
    int width = 0, height = 0;
    std::unique_ptr<TSkinComBox> combo;
    std::unique_ptr<DibSection> target;
};

TEST_F(ComboSkinTest, DropDownCombosGetTheCombinedLookAndASimpleOneNoButton) {
    for (const DWORD style : {DWORD{CBS_DROPDOWN}, DWORD{CBS_DROPDOWNLIST}}) {
        Make(style);
        Paint();
        EXPECT_TRUE(Shows(ButtonEdge(false), kCombo[0])) << style;
        EXPECT_TRUE(Shows({0, 0, 2, height}, kEdge[0])) << style;  // the sunken edge's left side
        EXPECT_GT(Count({width - 19, 0, width, height}, kGlyph[0]), 0) << style;
        EXPECT_EQ(combo->EditWindow() != nullptr, style == CBS_DROPDOWN);
        TearDown();
        SetUp();
    }
    Make(CBS_SIMPLE, 0, 20);
    Paint();
    for (const TColor colour : {kCombo[0], kEdge[0], kGlyph[0]})
        EXPECT_EQ(Count({0, 0, width, height}, colour), 0) << "a simple combo has no drop button";
    EXPECT_EQ(combo->EditWindow(), nullptr);
    // Its list, always shown, has its scroll bar skinned.
    ASSERT_NE(combo->ListWindow(), nullptr);
    auto* bars = As<TSkinScrollbarH>(combo->ListBars());
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->Handle(), combo->ListWindow());
    ASSERT_NE(bars->VertBar(), nullptr);
    EXPECT_TRUE(bars->VertBar()->Shown());
    combo->Unskin();
    EXPECT_EQ(combo->ListBars(), nullptr);
}

TEST_F(ComboSkinTest, ARightToLeftComboHasItsButtonMirroredOnTheLeft) {
    Make(CBS_DROPDOWNLIST, WS_EX_LEFTSCROLLBAR);
    Paint();
    EXPECT_TRUE(Shows(ButtonEdge(true), kCombo[0]));
    EXPECT_TRUE(Shows({width - 2, 0, width, height}, kEdge[0]));
    EXPECT_EQ(Count({width - 19, 0, width, height}, kCombo[0]), 0);
    EXPECT_EQ(combo->DropButtonRect().left, 0);

    // The plain look: button strip, glyph and text area mirrored, the strip's cells too.
    combo.reset();
    LoadSkin({.sunkEdge = false});
    combo = std::make_unique<TSkinComBox>();
    combo->AttachHandle(window, *skin, host, nullptr);
    Paint();
    const int arrow = ::GetSystemMetrics(SM_CXHSCROLL);
    const int glyphLeft = 2 + (arrow - kGlyphSize) / 2;
    EXPECT_TRUE(Shows({0, 0, glyphLeft, height}, kCombo[0]));
    const int glyphTop = (height - kGlyphSize) / 2;
    EXPECT_TRUE(Shows({glyphLeft, glyphTop, glyphLeft + kGlyphSize, glyphTop + kGlyphSize}, kGlyph[0]));
    EXPECT_EQ(Count({arrow + 2, 0, width, height}, kCombo[0]), 0);
}

TEST_F(ComboSkinTest, HoverOverTheButtonPressingTheEditAndDisablingShowTheirCells) {
    Make(CBS_DROPDOWN);
    Paint();  // learns where the button is
    const RECT button = combo->DropButtonRect();
    ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(button.left + 3, height / 2));
    Paint();
    EXPECT_TRUE(Shows(ButtonEdge(false), kCombo[3]));
    ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, height / 2));  // over the text: hover ends
    Paint();
    EXPECT_TRUE(Shows(ButtonEdge(false), kCombo[0]));

    HWND edit = combo->EditWindow();
    ASSERT_NE(edit, nullptr);
    ::SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    Paint();
    EXPECT_TRUE(Shows(ButtonEdge(false), kCombo[1]));
    ::SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Paint();
    EXPECT_FALSE(Shows(ButtonEdge(false), kCombo[1]));

    ::EnableWindow(window, FALSE);
    Paint();
    EXPECT_TRUE(Shows(ButtonEdge(false), kCombo[2]));
    EXPECT_TRUE(Shows({0, 0, 2, height}, kEdge[2]));
}

TEST_F(ComboSkinTest, TheFlatLookOutlinesTheBoxAndPutsTheButtonInside) {
    LoadSkin({.sunkEdge = false, .comboStyle = 1});
    Make(CBS_DROPDOWNLIST);
    Paint();
    EXPECT_TRUE(Shows({0, 0, width, 1}, kShadow));
    EXPECT_TRUE(Shows({0, height - 1, width, height}, kShadow));
    const RECT button = combo->DropButtonRect();
    EXPECT_EQ(button.right, width - 1);
    EXPECT_EQ(button.right - button.left, ::GetSystemMetrics(SM_CYVTHUMB));
    EXPECT_TRUE(Shows(button, kCombo[0]));
}

TEST_F(ComboSkinTest, UnskinningGivesTheEditItsProcedureBack) {
    Make(CBS_DROPDOWN);
    HWND edit = combo->EditWindow();
    ASSERT_NE(edit, nullptr);
    const LONG_PTR skinned = ::GetWindowLongPtrW(edit, GWLP_WNDPROC);
    combo->Unskin();
    EXPECT_EQ(combo->EditWindow(), nullptr);
    EXPECT_NE(::GetWindowLongPtrW(edit, GWLP_WNDPROC), skinned);
    combo.reset();
    ::SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // reaches no skin that has gone
    ::SendMessageW(edit, WM_LBUTTONUP, 0, 0);
}

// A framework combo on a form: the factory makes its skin, and the drop-down and close-up
// notices come back to it through the form.
class FrameworkComboTest : public EditSkinTest {
protected:
    void SetUp() override {
        EditSkinTest::SetUp();
        form = &app.CreateForm<TForm>();
        form->SetBounds(0, 0, 300, 200);
        box = &form->Create<TComboBox>();
        box->SetParent(form);
        box->SetBounds(10, 10, 150, 24);
        box->AddItem(L"one");
    }

    TApplication app;
    TestHost host;
    TForm* form = nullptr;
    TComboBox* box = nullptr;
};

TEST_F(FrameworkComboTest, AShownFrameworkComboOfEveryStyleShowsTheSkinButASimpleOneNoButton) {
    const int button = ::GetSystemMetrics(SM_CXHSCROLL) + 2;
    for (const auto style : {TComboBoxStyle::csDropDown, TComboBoxStyle::csDropDownList, TComboBoxStyle::csSimple}) {
        form->Hide();
        box->SetComboStyle(style);
        box->SetBounds(10, 10, 150, style == TComboBoxStyle::csSimple ? 90 : 24);
        auto& skinned = *As<TSkinComBox>(MakeControlSkin(ControlSkinClass::ComboBox, *box));
        skinned.AttachControl(host, *skin, false, nullptr);
        form->Show();  // the first paint of a window being shown is the skin's too
        const auto buttonShows = [&] {
            const auto picture = OnScreen(box->Handle());
            const int w = picture->Width(), h = picture->Height();
            return picture->AllEqual({w - button, 0, w - button + 4, h}, ColorToRGB(kCombo[0]));
        };
        if (style == TComboBoxStyle::csDropDown) {
            // The drop-down and close-up notices come back to the control through the form.
            box->SetDroppedDown(true);
            EXPECT_TRUE(skinned.DroppedDown());
            box->SetDroppedDown(false);
            EXPECT_FALSE(skinned.DroppedDown());
        }
        if (style == TComboBoxStyle::csSimple) {
            PumpUntil([] { return false; }, 300);
            const auto picture = OnScreen(box->Handle());
            const RECT all{0, 0, picture->Width(), picture->Height()};
            EXPECT_EQ(picture->CountOther(all, ColorToRGB(kCombo[0])), picture->Width() * picture->Height());
        } else {
            EXPECT_TRUE(PumpUntil(buttonShows)) << static_cast<int>(style);
        }
        skinned.Unskin();
        FreeComponent(&skinned);
    }
}

}  // namespace
