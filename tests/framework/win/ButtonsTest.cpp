// The controls on the standard button window: push and bitmap buttons, check boxes,
// radio buttons and radio groups, driven by the messages a user's input makes.

#include "framework/controls/BitBtn.h"
#include "framework/controls/ButtonGlyph.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "framework/core/Strings.h"
#include "framework/win/Convert.h"
#include "framework/win/DibSection.h"
#include "tests/framework/win/FormFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

// A strip paints the cell asked for and, for the disabled look of a one-cell strip, its
// grey copy; the key colour (the lower-left pixel) stays out of both.
TEST(ButtonGlyph, CellsAndTheGreyCopyLeaveTheKeyColourOut) {
    constexpr COLORREF kSentinel = RGB(1, 2, 3);
    TBitmap strip;
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    strip.SetSize(8, 4);
    TCanvas& canvas = strip.Canvas();
    canvas.Brush().SetColor(RgbColour(200, 40, 20));
    canvas.FillRect({0, 0, 4, 4});
    canvas.Brush().SetColor(RgbColour(20, 160, 60));
    canvas.FillRect({4, 0, 8, 4});
    canvas.SetPixel(0, 3, RgbColour(255, 0, 255));
    canvas.SetPixel(5, 0, RgbColour(255, 0, 255));

    ButtonGlyph glyph;
    glyph.Prepare(strip);
    ASSERT_FALSE(glyph.Empty());
    EXPECT_EQ(glyph.CellSize(2), (core::Size{4, 4}));
    DibSection target(12, 6);
    const auto drawn = [&](int cell, int numGlyphs) {
        target.Fill(kSentinel);
        EXPECT_TRUE(glyph.Draw(target.Dc(), 1, 1, cell, numGlyphs));
        ::GdiFlush();
    };
    drawn(0, 2);
    EXPECT_EQ(target.Pixel(3, 2), RGB(200, 40, 20));
    EXPECT_EQ(target.Pixel(1, 4), kSentinel);  // the key
    EXPECT_EQ(target.Pixel(5, 2), kSentinel);  // one cell only
    drawn(1, 2);
    EXPECT_EQ(target.Pixel(3, 3), RGB(20, 160, 60));
    EXPECT_EQ(target.Pixel(2, 1), kSentinel);
    drawn(1, 1);  // disabled, and the strip has no cell for it: the first, in grey
    EXPECT_EQ(target.Pixel(2, 2), RGB(86, 86, 86));
    EXPECT_EQ(target.Pixel(7, 2), RGB(80, 80, 80));
    EXPECT_EQ(target.Pixel(1, 4), kSentinel);
    EXPECT_EQ(target.Pixel(6, 1), kSentinel);

    glyph.Prepare(TBitmap{});
    EXPECT_TRUE(glyph.Empty());
    EXPECT_FALSE(glyph.Draw(target.Dc(), 0, 0, 0, 1));
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// What a click on the window does: a press and a release at its top-left corner.
void ClickWindow(HWND window) { ::SendMessageW(window, BM_CLICK, 0, 0); }

std::wstring WindowText(HWND window) {
    wchar_t text[64]{};
    ::GetWindowTextW(window, text, 64);
    return text;
}

class Buttons : public FormFixture {
protected:
    // A key as the keyboard would post it to `window`, handled by the program's loop.
    void PressKey(HWND window, WPARAM key) {
        ::PostMessageW(window, WM_KEYDOWN, key, 1);
        app.ProcessMessages();
    }
};

}  // namespace

TEST_F(Buttons, APushButtonClicksOnReleaseInsideAndOnTheSpaceBarLetGo) {
    auto& plain = Make<TButton>(form, 10, 10);
    auto& bitmap = Make<TBitBtn>(form, 10, 50);
    form.Show();
    for (TButton* button : {static_cast<TButton*>(&plain), static_cast<TButton*>(&bitmap)}) {
        SCOPED_TRACE(std::string(ToUtf8(button->ClassName())));
        int clicks = 0;
        button->OnClick = [&](TObject* sender) {
            EXPECT_EQ(sender, button);
            ++clicks;
        };
        HWND window = button->Handle();

        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        EXPECT_EQ(clicks, 0);  // not on the press
        ::SendMessageW(window, WM_LBUTTONUP, 0, At(5, 5));
        EXPECT_EQ(clicks, 1);

        // Pressed inside, moved out and released there: no click.
        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(150, 5));
        ::SendMessageW(window, WM_LBUTTONUP, 0, At(150, 5));
        EXPECT_EQ(clicks, 1);

        // The second press of a double click presses too, even on an owner-drawn button.
        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        ::SendMessageW(window, WM_LBUTTONUP, 0, At(5, 5));
        ::SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
        ::SendMessageW(window, WM_LBUTTONUP, 0, At(5, 5));
        EXPECT_EQ(clicks, 3);

        // The space bar: held down presses, let go clicks.
        ::SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
        EXPECT_EQ(clicks, 3);
        ::SendMessageW(window, WM_KEYUP, VK_SPACE, 0xC0000001);
        EXPECT_EQ(clicks, 4);
    }
}

TEST_F(Buttons, EnterClicksTheActiveButtonAndEscapeTheCancelOne) {
    auto& panel = Make<TPanel>(form, 0, 0);
    panel.SetBounds(0, 0, 300, 100);
    auto& ok = Make<TButton>(panel, 10, 10);  // inside a container: the form's keys still reach it
    auto& cancel = Make<TButton>(form, 10, 150);
    auto& other = Make<TButton>(form, 100, 150);
    ok.SetDefault(true);
    cancel.SetCancel(true);
    int okClicks = 0, cancelClicks = 0, otherClicks = 0;
    ok.OnClick = [&](TObject*) { ++okClicks; };
    cancel.OnClick = [&](TObject*) { ++cancelClicks; };
    other.OnClick = [&](TObject*) { ++otherClicks; };
    form.Show();
    auto isDefault = [](TButton& b) {
        return (::GetWindowLongPtrW(b.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    };
    EXPECT_TRUE(isDefault(ok));
    EXPECT_FALSE(isDefault(other));

    // No button has the focus: Enter is the default button's, Escape the cancel one's.
    ::SetFocus(panel.Handle());
    PressKey(panel.Handle(), VK_RETURN);
    PressKey(panel.Handle(), VK_ESCAPE);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(otherClicks, 0);

    // A focused button takes Enter, and the default look, from the default one.
    ::SetFocus(other.Handle());
    EXPECT_TRUE(other.Active());
    EXPECT_FALSE(ok.Active());
    EXPECT_TRUE(isDefault(other));
    EXPECT_FALSE(isDefault(ok));
    PressKey(other.Handle(), VK_RETURN);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(okClicks, 1);

    // The focus leaves the buttons: the default one is active again, unless it cannot
    // be used.
    ::SetFocus(panel.Handle());
    EXPECT_TRUE(ok.Active());
    EXPECT_FALSE(other.Active());
    ok.SetEnabled(false);
    PressKey(panel.Handle(), VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    // Neither default nor cancel: a key that is not the button's goes on to the form.
    ok.SetEnabled(true);
    ok.SetDefault(false);
    PressKey(panel.Handle(), VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_FALSE(isDefault(ok));
}

TEST_F(Buttons, ABitmapButtonKindBringsItsRoleAndCloseClosesTheForm) {
    auto& yes = Make<TBitBtn>(form, 10, 10);
    yes.SetKind(TBitBtnKind::bkYes);
    EXPECT_EQ(yes.Caption(), L"&Yes");
    EXPECT_EQ(yes.ModalResult(), mrYes);
    EXPECT_TRUE(yes.Default());
    auto& no = Make<TBitBtn>(form, 10, 50);
    no.SetKind(TBitBtnKind::bkNo);
    EXPECT_TRUE(no.Cancel());
    EXPECT_FALSE(no.Default());

    auto& close = Make<TBitBtn>(form, 10, 90);
    close.SetKind(TBitBtnKind::bkClose);
    int clicks = 0;
    close.OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    ASSERT_TRUE(form.Showing());
    ClickWindow(close.Handle());
    EXPECT_FALSE(form.Showing());
    EXPECT_EQ(clicks, 0);  // closing is the click
}

TEST_F(Buttons, ACheckBoxMovesOnThroughGrayedOnlyWhenAllowed) {
    auto& box = Make<TCheckBox>(form, 10, 10);
    std::vector<TCheckBoxState> clicked;
    box.OnClick = [&](TObject*) { clicked.push_back(box.State()); };
    int notices = 0;
    const TWndMethod previous = box.WindowProc();
    box.SetWindowProc([&, previous](TMessage& m) {
        if (m.Msg == kMsgStateChanged) ++notices;
        previous(m);
    });
    form.Show();
    HWND window = box.Handle();
    auto shown = [&] { return ::SendMessageW(window, BM_GETCHECK, 0, 0); };

    ClickWindow(window);
    EXPECT_EQ(shown(), BST_CHECKED);
    ClickWindow(window);
    EXPECT_EQ(shown(), BST_UNCHECKED);
    box.SetAllowGrayed(true);
    ClickWindow(window);
    EXPECT_EQ(shown(), BST_INDETERMINATE);
    EXPECT_FALSE(box.Checked());
    ClickWindow(window);
    EXPECT_EQ(shown(), BST_CHECKED);
    ClickWindow(window);
    EXPECT_EQ(shown(), BST_UNCHECKED);
    using enum TCheckBoxState;
    EXPECT_EQ(clicked, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbGrayed, cbChecked, cbUnchecked}));

    // A change by code shows and counts as well; no change, no click.
    box.SetState(cbGrayed);
    box.SetState(cbGrayed);
    EXPECT_EQ(shown(), BST_INDETERMINATE);
    EXPECT_EQ(clicked.size(), 6u);
    EXPECT_EQ(notices, 6);

    // The caption on the left is the window's BS_LEFTTEXT, which the skin reads.
    box.SetAlignment(TAlignment::taLeftJustify);
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_STYLE) & BS_LEFTTEXT);
    box.SetAlignment(TAlignment::taCenter);  // no such side: the usual one
    EXPECT_EQ(box.Alignment(), TAlignment::taRightJustify);
    EXPECT_FALSE(::GetWindowLongPtrW(window, GWL_STYLE) & BS_LEFTTEXT);

    // Right to left the sides change places, in a window made so and when the mode changes.
    box.SetBiDiMode(TBiDiMode::bdRightToLeft);
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_STYLE) & BS_LEFTTEXT);
    box.SetAlignment(TAlignment::taLeftJustify);
    EXPECT_FALSE(::GetWindowLongPtrW(window, GWL_STYLE) & BS_LEFTTEXT);
    box.SetWindowProc(previous);
    auto& mirrored = Make<TRadioButton>(form, 10, 70);
    mirrored.SetBiDiMode(TBiDiMode::bdRightToLeft);
    EXPECT_TRUE(::GetWindowLongPtrW(mirrored.Handle(), GWL_STYLE) & BS_LEFTTEXT);
    mirrored.SetBiDiMode(TBiDiMode::bdLeftToRight);
    EXPECT_FALSE(::GetWindowLongPtrW(mirrored.Handle(), GWL_STYLE) & BS_LEFTTEXT);
}

TEST_F(Buttons, RadioButtonsOfOneParentExcludeEachOther) {
    auto& a = Make<TRadioButton>(form, 10, 10);
    auto& b = Make<TRadioButton>(form, 10, 40);
    auto& panel = Make<TPanel>(form, 150, 0);
    auto& elsewhere = Make<TRadioButton>(panel, 10, 10);
    int aClicks = 0, bClicks = 0;
    a.OnClick = [&](TObject*) { ++aClicks; };
    b.OnClick = [&](TObject*) { ++bClicks; };
    a.SetChecked(true);
    elsewhere.SetChecked(true);
    form.Show();
    auto shown = [](TRadioButton& r) { return ::SendMessageW(r.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    EXPECT_TRUE(shown(a));
    EXPECT_TRUE(a.TabStop());

    ClickWindow(b.Handle());
    EXPECT_TRUE(b.Checked());
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(shown(b));
    EXPECT_FALSE(shown(a));
    EXPECT_TRUE(b.TabStop());
    EXPECT_FALSE(a.TabStop());
    EXPECT_TRUE(elsewhere.Checked());  // another parent, another group
    EXPECT_EQ(bClicks, 1);
    EXPECT_EQ(aClicks, 1);  // only becoming checked clicks

    ClickWindow(b.Handle());  // already checked: nothing changes
    EXPECT_EQ(bClicks, 1);
    a.SetChecked(true);
    EXPECT_FALSE(b.Checked());
    EXPECT_FALSE(shown(b));
}

TEST_F(Buttons, ARadioGroupMakesItsButtonsFromItemsAndFollowsClicks) {
    auto& group = Make<TRadioGroup>(form, 10, 10);
    group.SetBounds(10, 10, 240, 120);
    TStringList items;
    for (auto* line : {u"元音", u"辅音", u"重音"}) items.Add(line);
    group.SetItems(items);
    int clicks = 0;
    group.OnClick = [&](TObject*) { ++clicks; };
    form.Show();

    ASSERT_EQ(group.ControlCount(), 3);
    for (int i = 0; i < 3; ++i) {
        TRadioButton* button = group.Buttons(i);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(group.Controls(i), button);
        EXPECT_EQ(button->Owner(), &group);  // the group's own, not stored with the form
        EXPECT_EQ(::GetParent(button->Handle()), group.Handle());
        EXPECT_EQ(WindowText(button->Handle()), ToWide(items[i]));
    }
    EXPECT_EQ(group.ItemIndex(), -1);

    ClickWindow(group.Buttons(2)->Handle());
    EXPECT_EQ(group.ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    ClickWindow(group.Buttons(0)->Handle());
    EXPECT_EQ(group.ItemIndex(), 0);
    EXPECT_FALSE(group.Buttons(2)->Checked());
    EXPECT_EQ(clicks, 2);

    // By code: the buttons follow, the group does not click; out of range is clamped.
    group.SetItemIndex(1);
    EXPECT_TRUE(group.Buttons(1)->Checked());
    EXPECT_FALSE(group.Buttons(0)->Checked());
    group.SetItemIndex(99);
    EXPECT_EQ(group.ItemIndex(), 2);
    group.SetItemIndex(-7);
    EXPECT_EQ(group.ItemIndex(), -1);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(group.Buttons(i)->Checked());
    EXPECT_EQ(clicks, 2);

    // Two columns: the third button heads the second one.
    group.SetColumns(2);
    EXPECT_GT(group.Buttons(2)->Left(), group.Buttons(0)->Left());
    EXPECT_EQ(group.Buttons(2)->Top(), group.Buttons(0)->Top());

    // Fewer lines: the extra buttons go, the index stays within.
    group.SetItemIndex(2);
    TStringList one;
    one.Add(u"元音");
    group.SetItems(one);
    EXPECT_EQ(group.ControlCount(), 1);
    EXPECT_EQ(group.ComponentCount(), 1);
    EXPECT_EQ(group.ItemIndex(), 0);
    EXPECT_TRUE(group.Buttons(0)->Checked());
    EXPECT_EQ(group.Buttons(1), nullptr);
}
