// Tab controls, page controls and the tab set: their pages and tabs kept in step, the
// user's choice refused or taken, everything kept through a new window and a stored layout.

#include "framework/controls/TabControls.h"
#include "framework/controls/TabSet.h"
#include "framework/controls/UpDown.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "tests/framework/win/FormFixture.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <commctrl.h>
#include <windows.h>

namespace {

class TabControlsTest : public FormFixture {
protected:
    TPageControl& Pages(std::initializer_list<const wchar_t*> captions) {
        auto& pages = Make<TPageControl>(form, 10, 10);
        for (const wchar_t* caption : captions) {
            auto& sheet = form.Create<TTabSheet>();
            sheet.SetPageControl(&pages);
            sheet.SetCaption(caption);
        }
        return pages;
    }
    static std::wstring TabText(TCustomTabControl& tabs, int index) {
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(tabs.Handle(), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    // A press and release at the middle of tab `index`, as the user gives them.
    static void Click(TCustomTabControl& tabs, int index) {
        const core::Rect r = tabs.TabRect(index);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::SendMessageW(tabs.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(tabs.Handle(), WM_LBUTTONUP, 0, at);
    }
};

TEST_F(TabControlsTest, PagesAndTheirTabsStayInStepAsSheetsComeGoMoveAndHide) {
    TPageControl& pages = Pages({L"One", L"Two", L"Three", L"Four"});
    form.Show();
    ASSERT_EQ(pages.TabCount(), 4);
    EXPECT_EQ(::SendMessageW(pages.Handle(), TCM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(TabText(pages, 2), L"Three");
    // The first page is active and the only one shown, filling the display area.
    ASSERT_EQ(pages.ActivePageIndex(), 0);
    EXPECT_TRUE(pages.Pages(0)->Visible());
    EXPECT_FALSE(pages.Pages(1)->Visible());
    EXPECT_EQ(pages.Pages(0)->BoundsRect(), pages.DisplayRect());

    pages.SetActivePageIndex(2);
    EXPECT_EQ(pages.TabIndex(), 2);
    EXPECT_TRUE(pages.Pages(2)->Visible());
    EXPECT_FALSE(pages.Pages(0)->Visible());

    // A hidden tab: the page stays, tabs after it move up one.
    pages.Pages(1)->SetTabVisible(false);
    EXPECT_EQ(pages.PageCount(), 4);
    EXPECT_EQ(pages.TabCount(), 3);
    EXPECT_EQ(TabText(pages, 1), L"Three");
    EXPECT_EQ(pages.TabPage(1), pages.Pages(2));
    EXPECT_EQ(pages.TabIndex(), 1);  // still on "Three"
    EXPECT_EQ(pages.Pages(1)->TabIndex(), -1);

    // A page moved: its tab moves with it.
    pages.Pages(3)->SetPageIndex(0);
    EXPECT_EQ(TabText(pages, 0), L"Four");
    EXPECT_EQ(pages.ActivePage()->Caption(), L"Three");
    EXPECT_EQ(pages.TabIndex(), 2);

    // The active page destroyed: its tab goes, and the page now at its tab is shown.
    FreeComponent(pages.ActivePage());
    EXPECT_EQ(pages.PageCount(), 3);
    ASSERT_NE(pages.ActivePage(), nullptr);
    EXPECT_TRUE(pages.ActivePage()->Visible());
    EXPECT_EQ(pages.TabIndex(), pages.ActivePage()->TabIndex());
    EXPECT_EQ(pages.TabCount(), 2);

    // A caption change reaches the tab; a sheet moved to another parent leaves.
    pages.Pages(0)->SetCaption(L"四");
    EXPECT_EQ(TabText(pages, 0), L"四");
    pages.Pages(0)->SetParent(&form);
    EXPECT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.TabCount(), 1);
}

TEST_F(TabControlsTest, TheUsersChoiceCanBeRefusedAndOtherwiseShowsItsPage) {
    TPageControl& pages = Pages({L"One", L"Two", L"Three"});
    form.Show();
    bool allow = false;
    int changes = 0;
    pages.OnChanging = [&](TObject*, bool& allowChange) { allowChange = allow; };
    pages.OnChange = [&](TObject*) { ++changes; };
    Click(pages, 2);
    EXPECT_EQ(pages.TabIndex(), 0);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    EXPECT_EQ(changes, 0);

    allow = true;
    Click(pages, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages.ActivePageIndex(), 2);
    EXPECT_TRUE(pages.Pages(2)->Visible());
    EXPECT_FALSE(pages.Pages(0)->Visible());
}

TEST_F(TabControlsTest, TabsAndTheSelectionOutliveANewWindowOnEverySideAndStyle) {
    auto& tabs = Make<TTabControl>(form, 10, 10);
    for (const wchar_t* text : {L"甲", L"乙", L"丙"}) tabs.AddTab(text);
    tabs.SetTabIndex(2);
    form.Show();
    for (const auto position : {TTabPosition::tpBottom, TTabPosition::tpLeft, TTabPosition::tpRight}) {
        tabs.SetTabPosition(position);
        const auto style = ::GetWindowLongPtrW(tabs.Handle(), GWL_STYLE);
        EXPECT_EQ((style & TCS_VERTICAL) != 0, position != TTabPosition::tpBottom);
        EXPECT_EQ((style & TCS_BOTTOM) != 0, position != TTabPosition::tpLeft);
        EXPECT_EQ(::SendMessageW(tabs.Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(tabs.TabIndex(), 2);
        EXPECT_EQ(TabText(tabs, 1), L"乙");
    }
    tabs.SetStyle(TTabStyle::tsFlatButtons);
    EXPECT_TRUE(::GetWindowLongPtrW(tabs.Handle(), GWL_STYLE) & TCS_FLATBUTTONS);
    EXPECT_EQ(tabs.TabIndex(), 2);
    tabs.SetTabIndex(7);  // no such tab
    EXPECT_EQ(tabs.TabIndex(), -1);
}

TEST_F(TabControlsTest, ATabSetShowsItsScrollerOnlyWhileATabIsOutOfSightAndScrollsWithIt) {
    auto& set = Make<TTabSet>(form, 0, 200);
    set.SetBounds(0, 200, 150, 21);
    form.Show();
    set.AddTab(L"One");
    EXPECT_FALSE(set.Scroller().Visible());
    for (const wchar_t* text : {L"Two", L"Three", L"Four", L"Five", L"Six", L"Seven"}) set.AddTab(text);
    ASSERT_TRUE(set.Scroller().Visible());
    EXPECT_EQ(set.Components(0), &set.Scroller());  // the first component it owns
    const auto shown = set.VisibleTabs();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().index, 0);
    EXPECT_LE(shown.back().right, set.Width() - set.EndMargin());
    EXPECT_LE(shown.back().right, set.Scroller().Left());  // never under the scroller

    // The scroller's next button brings the next tab to the front.
    const HWND spin = set.Scroller().Handle();
    RECT client{};
    ::GetClientRect(spin, &client);
    const LPARAM right = MAKELPARAM(client.right - 3, client.bottom / 2);
    ::SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, right);
    ::SendMessageW(spin, WM_LBUTTONUP, 0, right);
    EXPECT_TRUE(PumpUntil([&] { return set.FirstIndex() == 1; }, 500));
    EXPECT_EQ(set.VisibleTabs().front().index, 1);

    // A click on a shown tab selects it and says so.
    int changes = 0;
    set.OnChange = [&](TObject*) { ++changes; };
    const TabSetTab second = set.VisibleTabs()[1];
    const LPARAM at = MAKELPARAM((second.left + second.right) / 2, 10);
    ::SendMessageW(set.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(set.Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(set.TabIndex(), second.index);
    EXPECT_EQ(changes, 1);

    // Fewer tabs: the first shown and the selection come back within them.
    TStringList two;
    two.Add(u"A");
    two.Add(u"B");
    set.SetFirstIndex(5);
    set.SetTabs(two);
    EXPECT_EQ(set.FirstIndex(), 1);
    EXPECT_EQ(set.TabIndex(), -1);
}

TEST_F(TabControlsTest, AllOfThemComeBackFromAStoredLayout) {
    TPageControl& pages = Pages({L"One", L"Two", L"Three"});
    pages.SetName(u"PageControl1");
    pages.SetTabPosition(TTabPosition::tpBottom);
    pages.SetStyle(TTabStyle::tsButtons);
    pages.Pages(0)->SetName(u"TabSheet1");
    pages.Pages(1)->SetName(u"TabSheet2");
    pages.Pages(2)->SetName(u"TabSheet3");
    pages.Pages(2)->SetTabVisible(false);
    pages.SetActivePage(pages.Pages(1));
    auto& tabs = Place<TTabControl>(form, form, u"TabControl1");
    tabs.SetTabs(LinesOf({u"a", u"b", u"c"}));
    tabs.SetTabIndex(1);
    tabs.SetMultiLine(true);
    auto& set = Place<TTabSet>(form, form, u"TabSet1");
    set.SetTabs(LinesOf({u"x", u"y", u"z"}));
    set.SetTabIndex(2);
    set.SetStartMargin(12);
    set.SetEndMargin(40);
    set.SetFirstIndex(1);

    const std::string written = WriteLayout(form);
    auto second = std::make_unique<TForm>();
    ReadLayout(*second, written);
    EXPECT_EQ(WriteLayout(*second), written);
    // The tab set's scroller is made by the set, never stored.
    EXPECT_EQ(written.find("TUpDown"), std::string::npos);

    auto& pagesBack = Found<TPageControl>(*second, u"PageControl1");
    EXPECT_EQ(pagesBack.TabPosition(), TTabPosition::tpBottom);
    EXPECT_EQ(pagesBack.Style(), TTabStyle::tsButtons);
    ASSERT_EQ(pagesBack.PageCount(), 3);
    EXPECT_EQ(pagesBack.Pages(1)->Caption(), L"Two");
    EXPECT_FALSE(pagesBack.Pages(2)->TabVisible());
    EXPECT_EQ(pagesBack.ActivePage(), second->FindComponent(u"TabSheet2"));
    EXPECT_EQ(pagesBack.TabCount(), 2);
    auto& tabsBack = Found<TTabControl>(*second, u"TabControl1");
    EXPECT_EQ(tabsBack.Tabs().Count(), 3);
    EXPECT_EQ(tabsBack.TabIndex(), 1);
    EXPECT_TRUE(tabsBack.MultiLine());
    auto& setBack = Found<TTabSet>(*second, u"TabSet1");
    EXPECT_EQ(setBack.Tabs()[2], u"z");
    EXPECT_EQ(setBack.TabIndex(), 2);
    EXPECT_EQ(setBack.StartMargin(), 12);
    EXPECT_EQ(setBack.EndMargin(), 40);
    EXPECT_EQ(setBack.FirstIndex(), 1);

    // Indexes given before the tabs, or past them, end within them once loaded.
    auto third = std::make_unique<TForm>();
    ReadLayout(*third, R"(Form1: TForm {
        Tabs1: TTabControl { TabIndex = 2 Tabs = ["a" "b" "c"] }
        Tabs2: TTabControl { TabIndex = 9 Tabs = ["a"] }
        Set1: TTabSet { TabIndex = 1 FirstIndex = 1 Tabs = ["a" "b"] }
        Set2: TTabSet { TabIndex = 5 FirstIndex = -4 Tabs = ["a"] }
    })");
    EXPECT_EQ(Found<TTabControl>(*third, u"Tabs1").TabIndex(), 2);
    EXPECT_EQ(Found<TTabControl>(*third, u"Tabs2").TabIndex(), -1);
    EXPECT_EQ(Found<TTabSet>(*third, u"Set1").TabIndex(), 1);
    EXPECT_EQ(Found<TTabSet>(*third, u"Set1").FirstIndex(), 1);
    EXPECT_EQ(Found<TTabSet>(*third, u"Set2").TabIndex(), -1);
    EXPECT_EQ(Found<TTabSet>(*third, u"Set2").FirstIndex(), 0);
}

}  // namespace
