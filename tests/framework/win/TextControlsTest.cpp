// Edits, memos and list boxes on the system's controls: what the user does in the
// window comes back to the control, and what the control holds survives a new window.

#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "tests/framework/win/FormFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(window, message, wParam, lParam);
}

void Type(HWND window, std::wstring_view text) {
    for (wchar_t c : text) Send(window, WM_CHAR, c, 1);
}

class TextControls : public FormFixture {};

}  // namespace

TEST_F(TextControls, AnEditsTextFollowsTheUserAndOutlivesItsWindow) {
    auto& edit = Make<TEdit>(form);
    std::vector<std::wstring> changes;
    edit.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &edit);
        changes.push_back(edit.Text());
    };
    edit.SetText(L"音标");
    EXPECT_TRUE(changes.empty());  // no window yet, nothing to report
    form.Show();
    HWND window = edit.Handle();
    Send(window, EM_SETSEL, 2, 2);
    Type(window, L"ab");
    EXPECT_EQ(edit.Text(), L"音标ab");
    EXPECT_EQ(edit.Caption(), L"音标ab");
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"音标a", L"音标ab"}));
    EXPECT_TRUE(edit.Modified());

    // A limit stops typing, not code; read-only stops typing altogether.
    edit.SetMaxLength(5);
    Type(window, L"cd");
    EXPECT_EQ(edit.Text(), L"音标abc");
    edit.SetMaxLength(0);
    edit.SetReadOnly(true);
    Type(window, L"e");
    EXPECT_EQ(edit.Text(), L"音标abc");
    edit.SetReadOnly(false);

    edit.SetSelStart(1);
    edit.SetSelLength(2);
    EXPECT_EQ(edit.SelStart(), 1);
    EXPECT_EQ(edit.SelLength(), 2);

    // Upper case: what it holds turns at once (on a new window), what is typed after too.
    edit.SetCharCase(TEditCharCase::ecUpperCase);
    EXPECT_NE(edit.Handle(), nullptr);
    EXPECT_TRUE(::GetWindowLongPtrW(edit.Handle(), GWL_STYLE) & ES_UPPERCASE);
    EXPECT_EQ(edit.Text(), L"音标ABC");
    Send(edit.Handle(), EM_SETSEL, 5, 5);
    Type(edit.Handle(), L"x");
    EXPECT_EQ(edit.Text(), L"音标ABCX");
    edit.SetPasswordChar(L'*');
    EXPECT_EQ(Send(edit.Handle(), EM_GETPASSWORDCHAR), L'*');
    edit.SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_FALSE(::GetWindowLongPtrW(edit.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // The window goes with its parent's; the text stays with the control.
    form.DestroyHandle();
    EXPECT_EQ(edit.Text(), L"音标ABCX");
    form.Show();
    wchar_t text[16]{};
    ::GetWindowTextW(edit.Handle(), text, 16);
    EXPECT_STREQ(text, L"音标ABCX");
    EXPECT_EQ(Send(edit.Handle(), EM_GETPASSWORDCHAR), L'*');
}

TEST_F(TextControls, AMemosLinesAreItsTextBothWays) {
    auto& memo = Make<TMemo>(form);
    memo.SetLines(LinesOf({u"元音", u"", u"辅音", u""}));  // empty lines, one of them last
    form.Show();
    HWND window = memo.Handle();
    EXPECT_EQ(memo.Text(), L"元音\r\n\r\n辅音\r\n\r\n");
    EXPECT_EQ(memo.Lines(), LinesOf({u"元音", u"", u"辅音", u""}));

    int changes = 0;
    memo.OnChange = [&](TObject*) { ++changes; };
    Send(window, EM_SETSEL, 0, 0);
    Type(window, L"i\r");
    EXPECT_GE(changes, 2);
    EXPECT_EQ(memo.Lines(), LinesOf({u"i", u"元音", u"", u"辅音", u""}));

    memo.SetScrollBars(TScrollStyle::ssBoth);
    memo.SetWordWrap(false);
    window = memo.Handle();
    const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_TRUE((style & WS_VSCROLL) && (style & WS_HSCROLL) && (style & ES_AUTOHSCROLL) && (style & ES_MULTILINE));
    EXPECT_EQ(memo.Lines().Count(), 5);  // kept through the new window
    memo.SetLines({});
    EXPECT_EQ(memo.Text(), L"");
}

TEST_F(TextControls, AListBoxKeepsItsLinesInTheWindowsOrderAndSaysWhatTheUserPicked) {
    auto& list = Make<TListBox>(form);
    list.SetBounds(0, 0, 120, 200);
    list.SetSorted(true);
    list.SetItems(LinesOf({u"pen", u"Bed", u"cat", u"apple"}));
    EXPECT_EQ(list.AddItem(L"Dog"), 3);
    EXPECT_EQ(list.Items(), LinesOf({u"apple", u"Bed", u"cat", u"Dog", u"pen"}));
    list.SetItemIndex(2);
    form.Show();
    HWND window = list.Handle();
    ASSERT_EQ(Send(window, LB_GETCOUNT), 5);
    for (int i = 0; i < 5; ++i) {
        wchar_t text[16]{};
        Send(window, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), list.Items()[i]) << i;
    }
    EXPECT_EQ(Send(window, LB_GETCURSEL), 2);

    // A click on the fourth line picks it: one click, whatever the mouse did besides.
    int clicks = 0;
    list.OnClick = [&](TObject*) { ++clicks; };
    RECT line{};
    Send(window, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&line));
    const LPARAM at = MAKELPARAM(line.left + 5, (line.top + line.bottom) / 2);
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(window, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(list.ItemIndex(), 3);
    EXPECT_EQ(clicks, 1);

    // Lines added or removed later take their places in the window too.
    EXPECT_EQ(list.AddItem(L"bird"), 2);
    list.DeleteItem(0);
    EXPECT_EQ(Send(window, LB_GETCOUNT), 5);
    wchar_t first[16]{};
    Send(window, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"Bed");
    EXPECT_EQ(list.ItemIndex(), 3);  // still "Dog"

    // A new window (for several selections) takes the lines and the selection along.
    list.SetMultiSelect(true);
    window = list.Handle();
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_STYLE) & LBS_EXTENDEDSEL);
    EXPECT_EQ(Send(window, LB_GETCOUNT), 5);
    EXPECT_TRUE(list.Selected(3));
    list.SetSelected(0, true);
    EXPECT_EQ(list.SelCount(), 2);
    list.SetItemHeight(30);
    EXPECT_EQ(Send(list.Handle(), LB_GETITEMHEIGHT), 30);
    EXPECT_TRUE(list.Selected(0) && list.Selected(3));
    list.SetItemIndex(99);  // past the end: the last line, as a radio group does
    EXPECT_EQ(list.ItemIndex(), 4);
    EXPECT_EQ(list.SelCount(), 3);
    list.Clear();
    EXPECT_EQ(Send(list.Handle(), LB_GETCOUNT), 0);
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST_F(TextControls, AComboBoxOfEachStyleTakesWhatTheUserPicksOrTypes) {
    auto& combo = Make<TComboBox>(form, 10, 10);
    combo.SetItems(LinesOf({u"元音", u"辅音", u"重音"}));
    combo.SetItemIndex(1);
    std::vector<std::wstring> seen;
    int selects = 0, drops = 0;
    combo.OnChange = [&](TObject*) { seen.push_back(combo.Text()); };
    combo.OnSelect = [&](TObject*) { ++selects; };
    combo.OnDropDown = [&](TObject*) { ++drops; };
    form.Show();
    HWND window = combo.Handle();
    EXPECT_EQ(combo.Text(), L"辅音");
    ASSERT_NE(combo.EditHandle(), nullptr);

    // Typing into the field changes the text, and no line is chosen by it.
    Send(combo.EditHandle(), EM_SETSEL, 0, -1);
    Type(combo.EditHandle(), L"ab");
    EXPECT_EQ(combo.Text(), L"ab");
    EXPECT_EQ(seen.back(), L"ab");
    EXPECT_EQ(combo.Caption(), L"ab");

    // The list drops as far as DropDownCount lines, whatever height the bounds give.
    combo.SetBounds(10, 10, 160, 21);
    combo.SetDroppedDown(true);
    EXPECT_TRUE(combo.DroppedDown());
    EXPECT_EQ(drops, 1);
    RECT list{};
    ::GetWindowRect(combo.ListHandle(), &list);
    const auto line = static_cast<int>(Send(window, CB_GETITEMHEIGHT, 0, 0));
    EXPECT_GE(list.bottom - list.top, 3 * line);
    combo.SetDroppedDown(false);
    EXPECT_EQ(combo.Height(), combo.BoundsRect().Height());
    EXPECT_LT(combo.Height(), 2 * line + 10);  // the field, not the field and its list

    // A drop-down list: the user steps through the lines with the keys.
    combo.SetComboStyle(TComboBoxStyle::csDropDownList);
    window = combo.Handle();
    EXPECT_EQ(combo.EditHandle(), nullptr);
    combo.SetText(L"元音");
    EXPECT_EQ(combo.ItemIndex(), 0);
    seen.clear();
    Send(window, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(seen, std::vector<std::wstring>{L"辅音"});  // the picked line, though the field shows it only later
    combo.SetText(L"no such line");
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), L"");

    // A simple combo shows its list always, as a child of the combo; lines and choice
    // survive the new window.
    combo.SetItemIndex(2);
    combo.SetComboStyle(TComboBoxStyle::csSimple);
    window = combo.Handle();
    EXPECT_EQ(Send(window, CB_GETCOUNT), 3);
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.Text(), L"重音");
    ASSERT_NE(combo.ListHandle(), nullptr);
    EXPECT_EQ(::GetParent(combo.ListHandle()), window);
    EXPECT_TRUE(::IsWindowVisible(combo.ListHandle()));
}

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    TMessage notice{message, wParam, lParam, 0};
    if (TWinControl::ReflectNotification(window, notice)) return notice.Result;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TEST_F(TextControls, AControlLivesInABareWindowAndHearsFromItThroughTheReflection) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestrelleBareHost";
    ::RegisterClassW(&wc);
    HWND bare = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(bare, nullptr);

    auto& edit = app.Create<TEdit>();
    edit.SetParentWindow(bare);
    edit.SetBounds(5, 5, 100, 21);
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    HWND window = edit.Handle();
    EXPECT_EQ(::GetParent(window), bare);
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD);
    Type(window, L"hw");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(edit.Caption(), L"hw");

    // Taken away from the bare window, the control keeps its text for its next one.
    edit.SetParentWindow(nullptr);
    EXPECT_FALSE(edit.HandleAllocated());
    EXPECT_EQ(edit.Text(), L"hw");
    ::DestroyWindow(bare);
}
