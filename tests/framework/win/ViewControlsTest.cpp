// List views, tree views, date-time pickers and scroll boxes: what the user does in the
// window comes back to the control, what the control holds survives a new window, and
// their settings survive a stored layout.

#include "framework/controls/DateTimePicker.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListView.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/TreeView.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutParser.h"
#include "framework/layout/LayoutWriter.h"
#include "framework/win/Convert.h"
#include "tests/framework/win/FormFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>
#include <commctrl.h>

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(window, message, wParam, lParam);
}

std::wstring ListText(HWND view, int item, int subItem) {
    wchar_t text[64]{};
    LVITEMW info{};
    info.iSubItem = subItem;
    info.pszText = text;
    info.cchTextMax = 64;
    Send(view, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info));
    return text;
}

// List and tree views watch for a drag after a press until the button is released:
// the release waits in the queue before the press comes.
void ClickAt(HWND window, const RECT& box) {
    const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    ::PostMessageW(window, WM_LBUTTONUP, 0, at);
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

void ClickListItem(HWND view, int item) {
    RECT box{};
    box.left = LVIR_LABEL;
    Send(view, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&box));
    ClickAt(view, box);
}

std::wstring TreeText(HWND tree, HTREEITEM item) {
    wchar_t text[64]{};
    TVITEMW info{};
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = 64;
    Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
    return text;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

bool ItemExpanded(HWND tree, HTREEITEM item) {
    return (Send(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// 元音 { 单元音 { ɪ ɛ } 双元音 }, 辅音
void FillTree(TTreeView& tree) {
    TTreeNodes& nodes = tree.Items();
    TTreeNode& vowels = nodes.AddChild(nullptr, L"元音");
    nodes.AddChild(nullptr, L"辅音");
    TTreeNode& single = nodes.AddChild(&vowels, L"单元音");
    nodes.AddChild(&vowels, L"双元音");
    nodes.AddChild(&single, L"ɪ");
    nodes.AddChild(&single, L"ɛ");
    vowels.SetExpanded(true);
}

void FillReport(TListView& view) {
    view.SetViewStyle(TViewStyle::vsReport);
    view.Columns().Add().SetCaption(L"音标");
    auto& second = view.Columns().Add();
    second.SetCaption(L"例词");
    second.SetWidth(90);
    second.SetAlignment(TAlignment::taRightJustify);
    for (auto [caption, example] : {std::pair{L"ɪ", u"sit"}, {L"ɛ", u"bed"}, {L"æ", u"cat"}}) {
        auto& item = view.Items().Add();
        item.SetCaption(caption);
        item.SetSubItems(LinesOf({example}));
    }
}

class ViewControls : public FormFixture {};

}  // namespace

TEST_F(ViewControls, AListViewKeepsItsItemsColumnsAndChoiceThroughANewWindow) {
    auto& view = Make<TListView>(form);
    FillReport(view);
    view.SetItemIndex(1);
    std::vector<std::pair<int, bool>> selections;
    view.OnSelectItem = [&](TObject* sender, TListItem* item, bool selected) {
        EXPECT_EQ(sender, &view);
        selections.emplace_back(item->Index(), selected);
    };
    form.Show();
    HWND window = view.Handle();
    ASSERT_EQ(Send(window, LVM_GETITEMCOUNT), 3);
    EXPECT_EQ(ListText(window, 2, 0), L"æ");
    EXPECT_EQ(ListText(window, 2, 1), L"cat");
    EXPECT_EQ(view.ItemIndex(), 1);
    EXPECT_TRUE(selections.empty());  // filling the window is not the user choosing

    // The header the skins attach to is the report's own.
    HWND header = view.HeaderHandle();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(::GetParent(header), window);
    EXPECT_EQ(Send(header, HDM_GETITEMCOUNT), 2);

    ClickListItem(window, 2);
    EXPECT_EQ(view.ItemIndex(), 2);
    ASSERT_NE(view.Selected(), nullptr);
    EXPECT_EQ(view.Selected()->Caption(), L"æ");
    EXPECT_EQ(selections, (std::vector<std::pair<int, bool>>{{1, false}, {2, true}}));

    // Changes to an item or the list reach the window that is there.
    view.Items().Items(0)->SetSubItems(LinesOf({u"it"}));
    EXPECT_EQ(ListText(window, 0, 1), L"it");
    view.Items().Delete(2);
    EXPECT_EQ(Send(window, LVM_GETITEMCOUNT), 2);
    EXPECT_EQ(view.ItemIndex(), 1);  // the choice falls back to the last item left

    // What the user set survives a new window: the choice and a dragged column width.
    Send(window, LVM_SETCOLUMNWIDTH, 1, 120);
    selections.clear();
    view.RecreateWnd();
    window = view.Handle();
    EXPECT_EQ(Send(window, LVM_GETITEMCOUNT), 2);
    EXPECT_EQ(ListText(window, 0, 1), L"it");
    EXPECT_EQ(view.ItemIndex(), 1);
    EXPECT_EQ(view.Columns().Items(1)->Width(), 120);
    EXPECT_EQ(Send(window, LVM_GETCOLUMNWIDTH, 1), 120);
    EXPECT_TRUE(selections.empty());

    // The look changes on the window it has.
    view.SetRowSelect(true);
    view.SetViewStyle(TViewStyle::vsList);
    EXPECT_EQ(view.Handle(), window);
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
    EXPECT_TRUE(Send(window, LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_FULLROWSELECT);
    view.SetItemIndex(-5);
    EXPECT_EQ(view.ItemIndex(), -1);
    EXPECT_EQ(view.Selected(), nullptr);
}

TEST_F(ViewControls, AListViewTakesACaptionTheUserEditsUnlessReadOnly) {
    auto& view = Make<TListView>(form);
    FillReport(view);
    form.Show();
    HWND window = view.Handle();
    ::SetFocus(window);
    HWND edit = reinterpret_cast<HWND>(Send(window, LVM_EDITLABELW, 0));
    ASSERT_NE(edit, nullptr);
    ::SetWindowTextW(edit, L"iː");
    Send(edit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(view.Items().Items(0)->Caption(), L"iː");
    EXPECT_EQ(ListText(window, 0, 0), L"iː");

    view.SetReadOnly(true);
    EXPECT_FALSE(::GetWindowLongPtrW(window, GWL_STYLE) & LVS_EDITLABELS);
    EXPECT_EQ(Send(window, LVM_EDITLABELW, 0), 0);
}

TEST_F(ViewControls, ADateTimePickerReportsTheUsersDateAndOpensItsCalendar) {
    auto& picker = Make<TDateTimePicker>(form);
    const LocalDateTime start = *ParseDateTime(u"2026-12-08 14:30:00");
    picker.SetDateTime(start);
    std::vector<std::wstring> events;
    picker.OnChange = [&](TObject*) { events.push_back(L"change " + ToWide(DateTimeText(picker.DateTime()))); };
    picker.OnDropDown = [&](TObject*) { events.push_back(L"drop " + std::to_wstring(picker.DroppedDown())); };
    picker.OnCloseUp = [&](TObject*) { events.push_back(L"close"); };
    form.Show();
    HWND window = picker.Handle();
    SYSTEMTIME shown{};
    EXPECT_EQ(Send(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)), GDT_VALID);
    EXPECT_EQ(shown.wYear, 2026);
    EXPECT_EQ(shown.wDay, 8);
    EXPECT_EQ(shown.wHour, 14);

    // The user steps a part of the date on with the keys.
    ::SetFocus(window);
    Send(window, WM_KEYDOWN, VK_RIGHT, 1);
    Send(window, WM_KEYDOWN, VK_UP, 1);
    ASSERT_FALSE(events.empty());
    EXPECT_NE(picker.DateTime(), start);
    EXPECT_EQ(events.back(), L"change " + ToWide(DateTimeText(picker.DateTime())));

    // The drop button opens the calendar.
    events.clear();
    RECT client{};
    ::GetClientRect(window, &client);
    const LPARAM button = MAKELPARAM(client.right - 4, client.bottom / 2);
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, button);
    Send(window, WM_LBUTTONUP, 0, button);
    EXPECT_TRUE(picker.DroppedDown());
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), L"drop 1");
    HWND calendar = reinterpret_cast<HWND>(Send(window, DTM_GETMONTHCAL));
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(::IsWindowVisible(calendar));
    // The button closes it again.
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, button);
    Send(window, WM_LBUTTONUP, 0, button);
    EXPECT_FALSE(picker.DroppedDown());
    EXPECT_EQ(events.back(), L"close");
    EXPECT_FALSE(::IsWindow(calendar) && ::IsWindowVisible(calendar));

    // A value that is no date is refused and changes nothing; a new window keeps the value.
    const LocalDateTime kept = picker.DateTime();
    EXPECT_THROW(picker.SetDateTime({2026, 2, 29, 1, 0, 0, 0}), EConvertError);
    EXPECT_THROW(picker.SetDateTime({2026, 12, 8, 1, 24, 0, 0}), EConvertError);
    EXPECT_EQ(picker.DateTime(), kept);
    picker.SetKind(TDateTimeKind::dtkTime);
    window = picker.Handle();
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE) & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
    EXPECT_EQ(picker.DateTime(), kept);
    shown = {};
    Send(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown.wDay, kept.day);
    EXPECT_EQ(shown.wMinute, 30);
}

TEST_F(ViewControls, AScrollBoxScrollsItsChildrenOverItsClientArea) {
    auto& box = Make<TScrollBox>(form);
    box.SetBounds(0, 0, 200, 150);
    auto& nearEdit = Make<TEdit>(box, 10, 10);
    auto& farEdit = Make<TEdit>(box, 300, 400);
    form.Show();
    HWND window = box.Handle();
    EXPECT_EQ(box.HorzScrollBar().Range(), 300 + farEdit.Width());
    EXPECT_EQ(box.VertScrollBar().Range(), 400 + farEdit.Height());
    const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    RECT client{};
    ::GetClientRect(window, &client);

    // The user's steps move the children, windows and bounds alike.
    Send(window, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(box.VertScrollBar().Position(), 8);
    EXPECT_EQ(nearEdit.Top(), 2);
    RECT placed{};
    ::GetWindowRect(nearEdit.Handle(), &placed);
    ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.top, 2);
    Send(window, WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(box.VertScrollBar().Position(), box.VertScrollBar().Range() - client.bottom);
    EXPECT_EQ(farEdit.Top() + farEdit.Height(), client.bottom);  // the last child ends at the bottom edge
    SCROLLINFO shown{sizeof shown, SIF_POS, 0, 0, 0, 0, 0};
    ::GetScrollInfo(window, SB_VERT, &shown);
    EXPECT_EQ(shown.nPos, box.VertScrollBar().Position());
    const int bottom = box.VertScrollBar().Position();
    Send(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2));
    EXPECT_EQ(box.VertScrollBar().Position(), bottom);  // half a notch is kept for the next
    Send(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2));
    EXPECT_LT(box.VertScrollBar().Position(), bottom);
    Send(window, WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(box.HorzScrollBar().Position(), client.right);
    EXPECT_EQ(nearEdit.Left(), 10 - client.right);

    // A child out of sight is brought in by the least scroll.
    box.ScrollInView(nearEdit);
    EXPECT_EQ(nearEdit.Left(), 0);
    EXPECT_EQ(nearEdit.Top(), 0);

    // Without the farEdit child there is nothing to scroll: the bars go, the nearEdit child
    // stands where it was placed.
    farEdit.SetParent(nullptr);
    EXPECT_EQ(box.VertScrollBar().Position(), 0);
    EXPECT_FALSE(box.VertScrollBar().IsScrollBarVisible());
    EXPECT_FALSE(::GetWindowLongPtrW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(nearEdit.Left(), 10);
    EXPECT_EQ(nearEdit.Top(), 10);

    // A bar made invisible never shows, whatever the range.
    box.SetAutoScroll(false);
    box.VertScrollBar().SetRange(1000);
    box.VertScrollBar().SetVisible(false);
    box.VertScrollBar().SetPosition(50);
    EXPECT_FALSE(::GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(nearEdit.Top(), 10);
    box.VertScrollBar().SetVisible(true);
    box.VertScrollBar().SetPosition(50);
    EXPECT_EQ(nearEdit.Top(), -40);
}

TEST_F(ViewControls, ATreeViewKeepsItsNodesAndWhatTheUserOpenedAndChose) {
    auto& tree = Make<TTreeView>(form);
    FillTree(tree);
    TTreeNodes& nodes = tree.Items();
    // The list holds the tree in order, each node after its parent.
    ASSERT_EQ(nodes.Count(), 6);
    EXPECT_EQ(nodes.Items(1)->Text(), L"单元音");
    EXPECT_EQ(nodes.Items(2)->Text(), L"ɪ");
    EXPECT_EQ(nodes.Items(5)->Text(), L"辅音");
    EXPECT_EQ(nodes.Items(3)->Parent(), nodes.Items(1));
    EXPECT_EQ(nodes.Items(0)->ChildCount(), 2);
    EXPECT_EQ(nodes.Items(0)->Child(1), nodes.Items(4));
    EXPECT_EQ(nodes.Items(0)->Child(2), nullptr);
    std::vector<std::wstring> changes;
    tree.OnChange = [&](TObject* sender, TTreeNode* node) {
        EXPECT_EQ(sender, &tree);
        changes.push_back(node ? node->Text() : L"-");
    };
    form.Show();
    HWND window = tree.Handle();
    EXPECT_TRUE(changes.empty());
    HTREEITEM root = NextItem(window, nullptr, TVGN_ROOT);
    EXPECT_EQ(TreeText(window, root), L"元音");
    EXPECT_TRUE(ItemExpanded(window, root));
    HTREEITEM single = NextItem(window, root, TVGN_CHILD);
    EXPECT_EQ(TreeText(window, NextItem(window, single, TVGN_CHILD)), L"ɪ");
    EXPECT_EQ(TreeText(window, NextItem(window, root, TVGN_NEXT)), L"辅音");

    // The user opens a node with its key and chooses one with a click.
    Send(window, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(single));
    ::SetFocus(window);
    Send(window, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_TRUE(nodes.Items(1)->Expanded());
    RECT box{};
    const HTREEITEM first = NextItem(window, single, TVGN_CHILD);
    std::memcpy(&box, &first, sizeof first);  // the message takes the item in the rectangle
    ASSERT_TRUE(Send(window, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&box)));
    ClickAt(window, box);
    EXPECT_EQ(tree.Selected(), nodes.Items(2));
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"单元音", L"ɪ"}));

    // A new window shows the same tree, opened and chosen as the user left it.
    changes.clear();
    tree.RecreateWnd();
    window = tree.Handle();
    EXPECT_EQ(tree.SelectedIndex(), 2);
    single = NextItem(window, NextItem(window, nullptr, TVGN_ROOT), TVGN_CHILD);
    EXPECT_TRUE(ItemExpanded(window, single));
    EXPECT_TRUE(changes.empty());

    // Removing a node takes its children; the chosen node stays chosen where it moves.
    tree.SetSelected(nodes.Items(5));
    nodes.Delete(*nodes.Items(0));
    ASSERT_EQ(nodes.Count(), 1);
    EXPECT_EQ(Send(window, TVM_GETCOUNT), 1);
    EXPECT_EQ(tree.SelectedIndex(), 0);
    nodes.Delete(0);
    EXPECT_EQ(tree.Selected(), nullptr);
    tree.SetShowLines(false);
    EXPECT_FALSE(::GetWindowLongPtrW(window, GWL_STYLE) & TVS_HASLINES);
}

TEST(ViewControlsLayout, TheViewControlsSettingsSurviveARoundTripThroughALayout) {
    TApplication app;
    auto first = std::make_unique<TForm>();
    TForm& form = *first;
    auto& view = Place<TListView>(form, form, u"ListView1");
    FillReport(view);
    view.SetItemIndex(2);
    view.SetReadOnly(true);
    view.SetGridLines(true);
    auto& tree = Place<TTreeView>(form, form, u"Tree1");
    FillTree(tree);
    tree.SetSelectedIndex(3);
    tree.SetShowRoot(false);
    auto& box = Place<TScrollBox>(form, form, u"Box1");
    box.SetBounds(0, 0, 100, 100);
    box.SetBorderStyle(TBorderStyle::bsNone);
    auto& inside = Place<TEdit>(form, box, u"Inside1");
    inside.SetBounds(0, 300, 50, 20);
    box.VertScrollBar().SetPosition(120);
    box.HorzScrollBar().SetIncrement(20);
    auto& picker = Place<TDateTimePicker>(form, form, u"Picker1");
    picker.SetDateTime(*ParseDateTime(u"1999-12-31 23:59:58"));
    picker.SetKind(TDateTimeKind::dtkTime);

    const std::string written = WriteLayout(form);
    auto second = std::make_unique<TForm>();
    ReadLayout(*second, written);
    EXPECT_EQ(WriteLayout(*second), written);

    const TForm& back = *second;
    auto& viewBack = Found<TListView>(back, u"ListView1");
    EXPECT_EQ(viewBack.ViewStyle(), TViewStyle::vsReport);
    ASSERT_EQ(viewBack.Columns().Count(), 2);
    EXPECT_EQ(viewBack.Columns().Items(1)->Alignment(), TAlignment::taRightJustify);
    ASSERT_EQ(viewBack.Items().Count(), 3);
    EXPECT_EQ(viewBack.Items().Items(1)->SubItems(), LinesOf({u"bed"}));
    EXPECT_EQ(viewBack.ItemIndex(), 2);
    EXPECT_TRUE(viewBack.InheritsFrom(u"TCustomListView"));
    auto& treeBack = Found<TTreeView>(back, u"Tree1");
    ASSERT_EQ(treeBack.Items().Count(), 6);
    EXPECT_EQ(treeBack.Items().Items(3)->Parent(), treeBack.Items().Items(1));
    EXPECT_EQ(treeBack.Items().Items(4)->Parent(), treeBack.Items().Items(0));
    EXPECT_TRUE(treeBack.Items().Items(0)->Expanded());
    EXPECT_EQ(treeBack.Selected(), treeBack.Items().Items(3));
    EXPECT_FALSE(treeBack.ShowRoot());
    auto& boxBack = Found<TScrollBox>(back, u"Box1");
    EXPECT_EQ(boxBack.VertScrollBar().Position(), 120);
    EXPECT_EQ(boxBack.HorzScrollBar().Increment(), 20);
    EXPECT_EQ(Found<TEdit>(back, u"Inside1").Top(), 180);  // where it was scrolled to, not further
    const auto& pickerBack = Found<TDateTimePicker>(back, u"Picker1");
    EXPECT_EQ(DateTimeText(pickerBack.DateTime()), u"1999-12-31 23:59:58");
    EXPECT_EQ(pickerBack.DateTime().dayOfWeek, 6);
    EXPECT_NE(written.find("DateTime = \"1999-12-31 23:59:58\""), std::string::npos);

    // Hostile values end at their fallbacks.
    TForm other;
    ReadLayout(other, R"(F: TForm {
        V: TListView { ItemIndex = 40 Items = [ { Caption = "a" } ] Columns = [ { Width = -9 } ] }
    })");
    EXPECT_EQ(Found<TListView>(other, u"V").ItemIndex(), 0);
    EXPECT_EQ(Found<TListView>(other, u"V").Columns().Items(0)->Width(), 0);

    // Depths that skip a level stand for the next level down; below 0 for a root.
    TForm deep;
    ReadLayout(deep, R"(F: TForm {
        T: TTreeView { Items = [ { Text = "a" Level = 3 } { Text = "b" Level = 9 } { Text = "c" Level = -2 } ] }
    })");
    const auto& deepNodes = Found<TTreeView>(deep, u"T").Items();
    EXPECT_EQ(deepNodes.Items(0)->Level(), 0);
    EXPECT_EQ(deepNodes.Items(1)->Level(), 1);
    EXPECT_EQ(deepNodes.Items(2)->Level(), 0);
    for (const char* text : {"2026-02-30 00:00:00", "8 Dec 2026", ""}) {
        TForm bad;
        EXPECT_THROW(ReadLayout(bad, std::string("F: TForm { P: TDateTimePicker { DateTime = \"") + text + "\" } }"),
                     ELayoutError)
            << text;
    }
}
