// Scroll bars and up-down buttons: the control moves as the system reports the user's
// steps, within its range; and every new control's settings survive a stored layout.

#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/UpDown.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "tests/framework/win/FormFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <windows.h>
#include <commctrl.h>

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(window, message, wParam, lParam);
}

int ShownPosition(HWND bar) {
    SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
    ::GetScrollInfo(bar, SB_CTL, &info);
    return info.nPos;
}

class ScrollControls : public FormFixture {};

}  // namespace

TEST_F(ScrollControls, AScrollBarMovesByTheStepsTheUserTakesAndStopsAtItsPage) {
    auto& bar = Make<TScrollBar>(form);
    bar.SetMax(50);
    bar.SetPageSize(11);
    bar.SetSmallChange(2);
    bar.SetLargeChange(10);
    std::vector<int> changes;
    std::vector<TScrollCode> codes;
    bar.OnChange = [&](TObject*) { changes.push_back(bar.Position()); };
    bar.OnScroll = [&](TObject* sender, TScrollCode code, int& position) {
        EXPECT_EQ(sender, &bar);
        codes.push_back(code);
        if (code == TScrollCode::scTop) position = 7;  // the handler may move the target
    };
    form.Show();
    HWND window = bar.Handle();

    // The keys are the bar's own; it reports them to its parent as scroll codes.
    Send(window, WM_KEYDOWN, VK_RIGHT, 1);
    Send(window, WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(changes, (std::vector<int>{2, 12}));
    EXPECT_EQ(ShownPosition(window), 12);
    Send(window, WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(bar.Position(), 40);  // Max less the page after its first position
    EXPECT_EQ(ShownPosition(window), 40);
    Send(window, WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ(bar.Position(), 7);
    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(codes[0], TScrollCode::scLineDown);
    EXPECT_EQ(codes[1], TScrollCode::scPageDown);

    // By code within the same limits; a smaller range takes the page and position down.
    bar.SetPosition(1000);
    EXPECT_EQ(bar.Position(), 40);
    bar.SetMax(5);
    EXPECT_EQ(bar.PageSize(), 6);
    EXPECT_EQ(bar.Position(), 0);

    // Upright: the bounds turn, the values stay, the codes come as vertical scrolls.
    const int width = bar.Width();
    bar.SetKind(TScrollBarKind::sbVertical);
    EXPECT_EQ(bar.Height(), width);
    window = bar.Handle();
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_STYLE) & SBS_VERT);
    bar.SetMax(100);
    bar.SetPageSize(0);
    Send(window, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(bar.Position(), 2);
    EXPECT_EQ(ShownPosition(window), 2);
}

TEST_F(ScrollControls, AnUpDownStepsItsAssociatesNumberUnlessTheStepIsRefused) {
    auto& edit = Make<TEdit>(form, 10, 10);
    auto& spin = Make<TUpDown>(form);
    spin.SetMin(-2);
    spin.SetMax(3);
    spin.SetPosition(2);
    spin.SetAssociate(&edit);
    std::vector<TUDBtnType> clicks;
    bool allow = true;
    spin.OnChanging = [&](TObject*, bool& allowChange) { allowChange = allow; };
    spin.OnClick = [&](TObject*, TUDBtnType button) { clicks.push_back(button); };
    form.Show();
    HWND window = spin.Handle();
    EXPECT_EQ(reinterpret_cast<HWND>(Send(window, UDM_GETBUDDY)), edit.Handle());
    EXPECT_EQ(edit.Text(), L"2");
    // Stuck to the edit's right side.
    EXPECT_EQ(spin.Left(), edit.Left() + edit.Width());

    RECT client{};
    ::GetClientRect(window, &client);
    auto press = [&](int y) {
        Send(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, y));
        Send(window, WM_LBUTTONUP, 0, MAKELPARAM(client.right / 2, y));
    };
    press(2);  // the upper half
    EXPECT_EQ(spin.Position(), 3);
    EXPECT_EQ(edit.Text(), L"3");
    press(2);  // at Max, no wrap: stays
    EXPECT_EQ(spin.Position(), 3);
    press(client.bottom - 2);
    EXPECT_EQ(spin.Position(), 2);
    allow = false;
    press(client.bottom - 2);
    EXPECT_EQ(spin.Position(), 2);
    EXPECT_EQ(edit.Text(), L"2");
    ASSERT_FALSE(clicks.empty());
    EXPECT_EQ(clicks.front(), TUDBtnType::btNext);
    EXPECT_EQ(clicks.back(), TUDBtnType::btPrev);

    // Wrapping goes round past the end, on a new window that keeps the range.
    allow = true;
    spin.SetWrap(true);
    window = spin.Handle();
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_STYLE) & UDS_WRAP);
    spin.SetPosition(3);
    press(2);
    EXPECT_EQ(spin.Position(), -2);
    EXPECT_EQ(edit.Text(), L"-2");
}

TEST(ScrollControlsLayout, TheNewControlsSettingsSurviveARoundTripThroughALayout) {
    TApplication app;
    auto first = std::make_unique<TForm>();
    TForm& form = *first;
    auto& edit = Place<TEdit>(form, form, u"Edit1");
    edit.SetText(L"音标");
    edit.SetMaxLength(20);
    edit.SetPasswordChar(L'•');
    edit.SetCharCase(TEditCharCase::ecLowerCase);
    edit.SetBorderStyle(TBorderStyle::bsNone);
    edit.SetAlignment(TAlignment::taRightJustify);
    auto& memo = Place<TMemo>(form, form, u"Memo1");
    memo.SetLines(LinesOf({u"元音", u"", u"辅音", u""}));
    memo.SetScrollBars(TScrollStyle::ssVertical);
    memo.SetWordWrap(false);
    memo.SetReadOnly(true);
    auto& list = Place<TListBox>(form, form, u"ListBox1");
    list.SetItems(LinesOf({u"b", u"a"}));
    list.SetItemIndex(1);
    list.SetMultiSelect(true);
    list.SetItemHeight(20);
    auto& combo = Place<TComboBox>(form, form, u"ComboBox1");
    combo.SetComboStyle(TComboBoxStyle::csDropDownList);
    combo.SetItems(LinesOf({u"x", u"y", u"z"}));
    combo.SetItemIndex(2);
    combo.SetDropDownCount(3);
    auto& bar = Place<TScrollBar>(form, form, u"ScrollBar1");
    bar.SetKind(TScrollBarKind::sbVertical);
    bar.SetMin(-10);
    bar.SetMax(500);
    bar.SetPageSize(50);
    bar.SetPosition(300);
    bar.SetLargeChange(25);
    auto& spin = Place<TUpDown>(form, form, u"UpDown1");
    spin.SetAssociate(&edit);
    spin.SetMax(9);
    spin.SetPosition(4);
    spin.SetIncrement(2);
    spin.SetOrientation(TUDOrientation::udHorizontal);

    const std::string written = WriteLayout(form);
    auto second = std::make_unique<TForm>();
    ReadLayout(*second, written);
    EXPECT_EQ(WriteLayout(*second), written);
    EXPECT_EQ(written.find("Caption"), std::string::npos);  // the text is stored once, as Text or Lines

    const TForm& back = *second;
    const auto& editBack = Found<TEdit>(back, u"Edit1");
    EXPECT_EQ(editBack.Text(), L"音标");
    EXPECT_EQ(editBack.PasswordChar(), L'•');
    EXPECT_EQ(Found<TMemo>(back, u"Memo1").Lines(), LinesOf({u"元音", u"", u"辅音", u""}));
    EXPECT_EQ(Found<TListBox>(back, u"ListBox1").ItemIndex(), 1);
    const auto& comboBack = Found<TComboBox>(back, u"ComboBox1");
    EXPECT_EQ(comboBack.ItemIndex(), 2);
    EXPECT_EQ(comboBack.Text(), L"z");
    const auto& barBack = Found<TScrollBar>(back, u"ScrollBar1");
    EXPECT_EQ(barBack.Position(), 300);
    EXPECT_EQ(barBack.PageSize(), 50);
    EXPECT_EQ(Found<TUpDown>(back, u"UpDown1").Associate(), &Found<TEdit>(back, u"Edit1"));

    // The skins find them by the names in their class chains.
    EXPECT_TRUE(Found<TMemo>(back, u"Memo1").InheritsFrom(u"TCustomEdit"));
    EXPECT_TRUE(comboBack.InheritsFrom(u"TCustomComboBox"));
    EXPECT_EQ(GetEnumProp(&barBack, u"Kind"), u"sbVertical");

    // Hostile values end at their fallbacks.
    TForm other;
    ReadLayout(other, R"(F: TForm {
        L: TListBox { ItemIndex = 40 Items = ["a"] ItemHeight = 9999 }
        C: TComboBox { Style = csDropDownList Text = "q" ItemIndex = -7 Items = ["p" "q"] DropDownCount = -3 }
        S: TScrollBar { Position = 900 PageSize = 5000 Max = 20 Min = 30 }
    })");
    EXPECT_EQ(Found<TListBox>(other, u"L").ItemIndex(), 0);
    EXPECT_EQ(Found<TListBox>(other, u"L").ItemHeight(), 255);
    EXPECT_EQ(Found<TComboBox>(other, u"C").ItemIndex(), 1);  // chosen by its text
    EXPECT_EQ(Found<TComboBox>(other, u"C").DropDownCount(), 1);
    const auto& hostile = Found<TScrollBar>(other, u"S");
    EXPECT_EQ(hostile.Min(), 30);
    EXPECT_EQ(hostile.Max(), 30);
    EXPECT_EQ(hostile.PageSize(), 1);
    EXPECT_EQ(hostile.Position(), 30);
}
