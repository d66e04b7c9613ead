// The tab skins on real tab controls: the tab and pane pictures turned for each side, the
// close marks of closable pages and the form's say over them, pages painting their
// windowless children, and the tab set leaving out a tab that does not fit.

#include "skin/controls/TabSkins.h"

#include "framework/controls/Button.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/TabControls.h"
#include "framework/controls/TabSet.h"
#include "framework/controls/UpDown.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "skin/controls/UpDownSkin.h"
#include "tests/skin/controls/LoadedSkinTest.h"
#include "tests/skin/controls/TestHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include <commctrl.h>
#include <windows.h>

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr TColor kFace = RgbColour(10, 20, 30);
// Tab frames 1 to 5: the outer half (towards the window's edge) and the inner half differ.
constexpr TColor kOuter[5] = {RgbColour(200, 0, 0), RgbColour(0, 200, 0), RgbColour(90, 90, 90),
                              RgbColour(91, 91, 91), RgbColour(92, 92, 92)};
constexpr TColor kInner[5] = {RgbColour(100, 0, 0), RgbColour(0, 100, 0), RgbColour(80, 80, 80),
                              RgbColour(81, 81, 81), RgbColour(82, 82, 82)};
// The pane: its top half and its bottom half.
constexpr TColor kPaneTop = RgbColour(0, 0, 200), kPaneBottom = RgbColour(0, 0, 100);
constexpr TColor kTabText = RgbColour(255, 255, 0), kTabTextSelected = RgbColour(0, 255, 255);
constexpr int kCell = 16, kCellHeight = 12;
// Button frames 1 to 5, each one colour.
constexpr TColor kButton[5] = {RgbColour(250, 100, 0), RgbColour(0, 100, 250), RgbColour(70, 70, 70),
                               RgbColour(71, 71, 71), RgbColour(72, 72, 72)};

struct TabShape {
    bool tabs = true;
};

std::vector<std::byte> MakeTabSkin(const TabShape& shape) {
    using test_skins::Bytes;
    std::string ini = "[Colours]\r\nButtonFace=10 20 30\r\nButtonShadow=60 70 80\r\nButtonText=250 250 0\r\n";
    if (shape.tabs)
        ini += "[Tabs]\r\nImage=tabs.bmp\r\nBorder=pane.bmp\r\nStyle=0\r\nLeftWidth=4\r\nTopHeight=4\r\n"
               "RightWidth=4\r\nBottomHeight=4\r\nTrans=0\r\nNormalColour2=255 255 0\r\nMouseOverColour2=0 255 255\r\n";
    const auto tabs = test_skins::PatternBitmap(kCell * 5, kCellHeight, [](int x, int y) {
        const int cell = x / kCell;
        return y < kCellHeight / 2 ? kOuter[cell] : kInner[cell];
    });
    ini += "[Buttons]\r\nBitmap=buttons.bmp\r\nLeftWidth=2\r\nTopHeight=2\r\nRightWidth=2\r\nBottomHeight=2\r\n";
    const auto pane = test_skins::PatternBitmap(16, 16, [](int, int y) { return y < 8 ? kPaneTop : kPaneBottom; });
    const auto buttons = test_skins::PatternBitmap(8 * 5, 8, [](int x, int) { return kButton[x / 8]; });
    return test_skins::PackedSkin(
        {{"tabs.bmp", tabs}, {"pane.bmp", pane}, {"buttons.bmp", buttons}, {"window.ini", Bytes(ini)}});
}

COLORREF Rgb(TColor colour) { return ColorToRGB(colour); }

using TabSkinFixture = LoadedSkinTest<TabShape, MakeTabSkin>;

// A bare tab control of two fixed-size tabs, the first selected, on a side given by style.
class BareTabTest : public TabSkinFixture {
protected:
    void TearDown() override {
        tab.reset();
        if (window) ::DestroyWindow(window);
        TabSkinFixture::TearDown();
    }
    void Make(DWORD style) {
        static const bool registered = [] {
            INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES};
            return ::InitCommonControlsEx(&init) != FALSE;
        }();
        ASSERT_TRUE(registered);
        window = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_POPUP | TCS_FIXEDWIDTH | style, 20, 20,
                                   kWidth, kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        ::SendMessageW(window, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
        for (int i = 0; i < 2; ++i) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(L"");
            ::SendMessageW(window, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
        ::SendMessageW(window, TCM_SETCURSEL, 0, 0);
        tab = std::make_unique<TSkinTab>();
        tab->AttachHandle(window, *skin, host, nullptr);
        target = std::make_unique<DibSection>(kWidth, kHeight);
        target->Fill(kSentinel);
        ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target->Dc()), 0);
        ::GdiFlush();
    }
    RECT Item(int index) const {
        RECT r{};
        ::SendMessageW(window, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    core::Rect Pane() const {
        RECT display{0, 0, kWidth, kHeight};
        ::SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        return TabPaneRect({display.left, display.top, display.right, display.bottom}, tab->Side());
    }
    COLORREF At(int x, int y) const { return target->Pixel(x, y) & 0x00FFFFFF; }

    static constexpr int kWidth = 240, kHeight = 180;
    TestHost host;
    HWND window = nullptr;
    std::unique_ptr<TSkinTab> tab;
    std::unique_ptr<DibSection> target;
};

TEST_F(BareTabTest, TabsShowTheirOuterHalfAtTheWindowsEdgeOnEverySideAndThePaneTurnsWithThem) {
    struct Case {
        DWORD style;
        TabSide side;
    };
    for (const Case& c : {Case{0, TabSide::Top}, Case{TCS_BOTTOM, TabSide::Bottom},
                          Case{TCS_VERTICAL | TCS_MULTILINE, TabSide::Left},
                          Case{TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, TabSide::Right}}) {
        SCOPED_TRACE(static_cast<int>(c.side));
        Make(c.style);
        if (HasFatalFailure()) return;
        ASSERT_EQ(tab->Side(), c.side);
        // Frame 2 for the selected tab, frame 1 for the other; the outer half of the
        // picture always faces the window's edge: flipped at the bottom, turned at the sides.
        for (int i = 0; i < 2; ++i) {
            const RECT item = Item(i);
            const int cx = (item.left + item.right) / 2, cy = (item.top + item.bottom) / 2;
            const int n = i == 0 ? 1 : 0;
            switch (c.side) {
            case TabSide::Top:
                EXPECT_EQ(At(cx, item.top + 2), Rgb(kOuter[n])) << i;
                EXPECT_EQ(At(cx, item.top + 14), Rgb(kInner[n])) << i;
                break;
            case TabSide::Bottom:
                EXPECT_EQ(At(cx, item.bottom - 4), Rgb(kOuter[n])) << i;
                EXPECT_EQ(At(cx, item.bottom - 16), Rgb(kInner[n])) << i;
                break;
            case TabSide::Left:
                EXPECT_EQ(At(item.left + 2, cy), Rgb(kOuter[n])) << i;
                EXPECT_EQ(At(item.right - 6, cy), Rgb(kInner[n])) << i;
                break;
            case TabSide::Right:
                EXPECT_EQ(At(item.right - 3, cy), Rgb(kOuter[n])) << i;
                EXPECT_EQ(At(item.left + 5, cy), Rgb(kInner[n])) << i;
                break;
            }
        }
        // The pane picture's top half lies along the tabs: above at the top, below when
        // flipped, at the left when turned left, at the right when turned right.
        const core::Rect pane = Pane();
        const int midX = (pane.left + pane.right) / 2, midY = (pane.top + pane.bottom) / 2;
        const bool vertical = c.side == TabSide::Left || c.side == TabSide::Right;
        const COLORREF nearTabs = Rgb(kPaneTop), farFromTabs = Rgb(kPaneBottom);
        const COLORREF first = c.side == TabSide::Top || c.side == TabSide::Left ? nearTabs : farFromTabs;
        const COLORREF second = first == nearTabs ? farFromTabs : nearTabs;
        if (vertical) {
            EXPECT_EQ(At(pane.left + 1, midY), first);
            EXPECT_EQ(At(pane.right - 2, midY), second);
        } else {
            EXPECT_EQ(At(midX, pane.top + 1), first);
            EXPECT_EQ(At(midX, pane.bottom - 2), second);
        }
        tab.reset();
        ::DestroyWindow(window);
        window = nullptr;
    }
}

TEST_F(BareTabTest, PreparedImagesAreFlippedForTheBottomAndThePaneTurnedForTheSides) {
    Make(TCS_BOTTOM);
    ASSERT_EQ(tab->TabImage().Width(), kCell * 5);
    EXPECT_EQ(tab->TabImage().PixelColour(1, 0), kInner[0]);
    EXPECT_EQ(tab->TabImage().PixelColour(1, kCellHeight - 1), kOuter[0]);
    EXPECT_EQ(tab->PaneImage().PixelColour(0, 0), kPaneBottom);
    tab.reset();
    ::DestroyWindow(window);

    Make(TCS_VERTICAL | TCS_MULTILINE);
    // The tab picture is not turned (the strip is); the pane is, left: its top to the left.
    EXPECT_EQ(tab->TabImage().PixelColour(1, 0), kOuter[0]);
    EXPECT_EQ(tab->PaneImage().PixelColour(0, 8), kPaneTop);
    EXPECT_EQ(tab->PaneImage().PixelColour(15, 8), kPaneBottom);
    tab.reset();
    ::DestroyWindow(window);

    Make(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE);
    EXPECT_EQ(tab->PaneImage().PixelColour(0, 8), kPaneBottom);
    EXPECT_EQ(tab->PaneImage().PixelColour(15, 8), kPaneTop);
}

TEST_F(BareTabTest, WithoutATabPictureTheControlDrawsItselfAndLongTextsAreCut) {
    LoadSkin({false});
    Make(0);
    EXPECT_TRUE(tab->TabImage().Empty());
    // Not a blank of the skin's background: the control's own tabs and frame.
    EXPECT_GT(target->CountOther({0, 0, kWidth, kHeight}, Rgb(kFace)), kWidth * kHeight / 2);
    EXPECT_GT(target->CountOther({0, 0, kWidth, kHeight}, kSentinel), 0);

    // A caption longer than the 80 characters read back is drawn cut, not read past.
    tab.reset();
    ::DestroyWindow(window);
    LoadSkin({});
    Make(0);
    std::wstring longText(500, L'W');
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = longText.data();
    ::SendMessageW(window, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    target->Fill(kSentinel);
    ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target->Dc()), 0);
    ::GdiFlush();
    EXPECT_EQ(target->CountOther({0, 0, kWidth, kHeight}, kSentinel), kWidth * kHeight);
}

// A page control on a form that answers the close question as told.
class ClosingForm : public TForm {
    KESTRELLE_CLASS(ClosingForm, TForm)

public:
    LRESULT answer = 0;
    std::vector<std::pair<WPARAM, LPARAM>> asked;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == WMX_CLOSETAB) {
            asked.emplace_back(message.WParam, message.LParam);
            message.Result = answer;
            return;
        }
        TForm::WndProc(message);
    }
};

// A form of the framework (one that answers the close question) for framework controls.
class FormTest : public TabSkinFixture {
protected:
    void SetUp() override {
        TabSkinFixture::SetUp();
        app.emplace();
        form = &app->CreateForm<ClosingForm>();
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override {
        app.reset();
        TabSkinFixture::TearDown();
    }

    std::optional<TApplication> app;
    TestHost host;
    ClosingForm* form = nullptr;
};

class PageControlTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        pages = &form->Create<TPageControl>();
        pages->SetParent(form);
        pages->SetBounds(10, 10, 300, 200);
        for (const wchar_t* caption : {L"One", L"Two", L"Three"}) {
            auto& sheet = form->Create<TTabSheet>();
            sheet.SetPageControl(pages);
            sheet.SetCaption(caption);
        }
    }
    TSkinTab& Skin() {
        auto& made = pages->Create<TSkinTab>();
        made.AttachControl(host, *skin, false, nullptr);
        return made;
    }
    void Paint() {
        DibSection target(pages->Width(), pages->Height());
        ::SendMessageW(pages->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    }
    void Press(core::Point at) {
        ::SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        ::SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    static core::Point Middle(const core::Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    TPageControl* pages = nullptr;
};

TEST_F(PageControlTest, ACloseMarkClosesItsPageUnlessTheFormSaysNo) {
    pages->SetTag(kClosableTabsTag);
    TSkinTab& tab = Skin();
    ASSERT_TRUE(tab.CanClose());
    Paint();
    ASSERT_EQ(tab.CloseRects().size(), 3u);
    const core::Rect mark = tab.CloseRects()[1];
    ASSERT_FALSE(mark.IsEmpty());
    // The mark lies inside its tab, at the top right.
    const core::Rect second = pages->TabRect(1);
    EXPECT_GT(mark.left, (second.left + second.right) / 2);
    EXPECT_LE(mark.right, second.right);

    // The form refuses: asked once with the control and the tab, the page stays.
    form->answer = 1;
    Press(Middle(mark));
    ASSERT_EQ(form->asked.size(), 1u);
    EXPECT_EQ(form->asked[0].first, reinterpret_cast<WPARAM>(pages->Handle()));
    EXPECT_EQ(form->asked[0].second, 1);
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePageIndex(), 0);  // the press on the mark did not select the tab

    // The form agrees: that page and its tab go, the others stay in order.
    form->answer = 0;
    const ComponentRef<TTabSheet> closing{pages->Pages(1)};
    Press(Middle(mark));
    EXPECT_EQ(form->asked.size(), 2u);
    EXPECT_EQ(closing.Get(), nullptr);
    ASSERT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->TabCount(), 2);
    EXPECT_EQ(pages->Pages(1)->Caption(), L"Three");

    // A press on a tab away from its mark selects the tab as usual and asks nothing.
    Paint();
    Press(Middle(pages->TabRect(1)));
    EXPECT_EQ(form->asked.size(), 2u);
    EXPECT_EQ(pages->ActivePageIndex(), 1);

    // A mark painted for a tab that has gone since closes nothing.
    const core::Rect last = tab.CloseRects()[1];
    FreeComponent(pages->Pages(1));
    Press(Middle(last));
    EXPECT_EQ(form->asked.size(), 2u);
    EXPECT_EQ(pages->PageCount(), 1);
}

TEST_F(PageControlTest, OnlyTaggedPageControlsWithTabsAtTheTopGetCloseMarks) {
    EXPECT_FALSE(Skin().CanClose());
    pages->SetTag(kClosableTabsTag);
    pages->SetTabPosition(TTabPosition::tpBottom);
    TSkinTab& bottom = Skin();
    EXPECT_FALSE(bottom.CanClose());
    Paint();
    for (const core::Rect& mark : bottom.CloseRects()) EXPECT_TRUE(mark.IsEmpty());
}

TEST_F(PageControlTest, PagesKeepTheirTabsThroughANewWindowAndASheetPaintsItsWindowlessChildren) {
    pages->SetActivePageIndex(2);
    pages->SetTabPosition(TTabPosition::tpLeft);  // a new window
    EXPECT_EQ(pages->TabCount(), 3);
    EXPECT_EQ(pages->TabIndex(), 2);
    EXPECT_TRUE(pages->Pages(2)->Visible());
    EXPECT_FALSE(pages->Pages(0)->Visible());

    // A speed button (windowless) on the active sheet shows through the sheet's skin.
    TTabSheet& sheet = *pages->ActivePage();
    auto& button = form->Create<TSpeedButton>();
    button.SetParent(&sheet);
    button.SetBounds(5, 5, 40, 20);
    auto& sheetSkin = sheet.Create<TSkinTabSheet>();
    sheetSkin.AttachControl(host, *skin, false, nullptr);
    DibSection target(sheet.Width(), sheet.Height());
    target.Fill(kSentinel);
    ::SendMessageW(sheet.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    EXPECT_TRUE(target.AllEqual({60, 40, sheet.Width(), sheet.Height()}, Rgb(kFace)));
    // The button drew there: painted all over, and not only in the page's colour.
    EXPECT_EQ(target.CountOther({5, 5, 45, 25}, kSentinel), 40 * 20);
    EXPECT_GT(target.CountOther({5, 5, 45, 25}, Rgb(kFace)), 100);
}

TEST_F(PageControlTest, ButtonTabsAreDrawnFromTheButtonPictureInTheirRowAlone) {
    pages->SetStyle(TTabStyle::tsButtons);
    auto& buttons = pages->Create<TSkinTabBtn>();
    buttons.AttachControl(host, *skin, false, nullptr);
    DibSection target(pages->Width(), pages->Height());
    target.Fill(kSentinel);
    ::SendMessageW(pages->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    // Moved down one pixel: the selected tab in frame 2, the others in frame 1.
    const core::Rect first = pages->TabRect(0), second = pages->TabRect(1);
    EXPECT_EQ(target.Pixel(first.left + 3, first.top + 4) & 0xFFFFFF, Rgb(kButton[1]));
    EXPECT_EQ(target.Pixel(second.left + 3, second.top + 4) & 0xFFFFFF, Rgb(kButton[0]));
    // Below the row the skin leaves the control alone.
    const core::Rect display = pages->DisplayRect();
    EXPECT_TRUE(target.AllEqual({display.left + 4, display.top + 8, display.right - 4, display.bottom - 4}, kSentinel));
}

TEST_F(FormTest, ATabControlPaintsItsWindowlessChildrenOverTheSkinnedPane) {
    auto& tabs = form->Create<TTabControl>();
    tabs.SetParent(form);
    tabs.SetBounds(10, 10, 200, 120);
    tabs.AddTab(L"One");
    auto& button = form->Create<TSpeedButton>();
    button.SetParent(&tabs);
    button.SetBounds(20, 50, 60, 24);
    auto& skinned = tabs.Create<TSkinTab>();
    skinned.SetTabMode(2);
    skinned.AttachControl(host, *skin, false, nullptr);
    DibSection target(tabs.Width(), tabs.Height());
    target.Fill(kSentinel);
    ::SendMessageW(tabs.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    // The pane all round, but the button drew itself over it.
    const auto paneAt = [&](const RECT& r) {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF pixel = target.Pixel(x, y) & 0xFFFFFF;
                count += pixel == Rgb(kPaneTop) || pixel == Rgb(kPaneBottom);
            }
        return count;
    };
    const RECT area{20, 50, 80, 74}, beside{100, 50, 160, 74};
    EXPECT_EQ(paneAt(beside), 60 * 24);
    EXPECT_LT(paneAt(area), 60 * 24 / 4);
    EXPECT_EQ(target.CountOther(area, kSentinel), 60 * 24);

    // Without tab mode 2 the pane covers the spot.
    FreeComponent(&skinned);
    auto& plain = tabs.Create<TSkinTab>();
    plain.AttachControl(host, *skin, false, nullptr);
    target.Fill(kSentinel);
    ::SendMessageW(tabs.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    EXPECT_EQ(paneAt(area), 60 * 24);
}

// The tab set with three tabs whose middle one is too wide to fit.
class TabSetTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        set = &form->Create<TTabSet>();
        set->SetParent(form);
        set->SetBounds(0, 0, 200, 21);
    }
    TTabSet* set = nullptr;
};

TEST_F(TabSetTest, ATabThatDoesNotFitIsLeftOutAndALaterNarrowerOneIsStillDrawn) {
    set->AddTab(L"A");
    set->AddTab(std::wstring(60, L'M'));
    set->AddTab(L"B");
    set->SetTabIndex(2);
    auto& skinned = set->Create<TSkinTab31>();
    skinned.AttachControl(host, *skin, false, nullptr);
    // The scroller, the set's first component, got its horizontal spin skin.
    ASSERT_NE(skinned.UpDown(), nullptr);
    EXPECT_EQ(skinned.UpDown()->Horizontal(), 1);
    EXPECT_EQ(skinned.UpDown()->Handle(), set->Scroller().Handle());
    // The tab picture hangs down from the row's top: flipped.
    EXPECT_EQ(skinned.TabImage().PixelColour(1, 0), kInner[0]);

    DibSection target(200, 21);
    target.Fill(kSentinel);
    ::SendMessageW(set->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    // Tab A from the start margin in frame 1, then B (selected, frame 2) right after it:
    // the wide tab between them is left out. Their outer half is at the bottom.
    const int start = set->StartMargin();
    EXPECT_EQ(target.Pixel(start + 1, 18) & 0xFFFFFF, Rgb(kOuter[0]));
    EXPECT_EQ(target.Pixel(start + 1, 2) & 0xFFFFFF, Rgb(kInner[0]));
    std::vector<COLORREF> row;
    for (int x = start; x < 200; ++x) row.push_back(target.Pixel(x, 19) & 0xFFFFFF);
    EXPECT_NE(std::find(row.begin(), row.end(), Rgb(kOuter[1])), row.end());
    // Nothing but background beyond the two narrow tabs.
    EXPECT_TRUE(target.AllEqual({120, 0, 200, 21}, Rgb(kFace)));
}

TEST_F(FormTest, APictureTabControlTakesTheSkinsTabFramesInPageModeFourAndGivesThemBack) {
    auto& pictures = form->Create<TPicturePageControl>();
    pictures.SetParent(form);
    pictures.SetBounds(10, 10, 300, 200);
    for (const wchar_t* caption : {L"One", L"Two"}) {
        auto& sheet = form->Create<TTabSheet>();
        sheet.SetPageControl(&pictures);
        sheet.SetCaption(caption);
    }
    // Other modes leave the control's pictures alone.
    auto& plain = pictures.Create<TSkinAdvPage>();
    plain.AttachControl(host, *skin, true, nullptr);
    EXPECT_TRUE(pictures.TabBackGround().Empty());
    FreeComponent(&plain);

    auto& adv = pictures.Create<TSkinAdvPage>();
    adv.SetPageMode(4);
    adv.AttachControl(host, *skin, true, nullptr);
    ASSERT_EQ(pictures.TabBackGround().Width(), 100);
    ASSERT_EQ(pictures.TabBackGround().Height(), 21);
    EXPECT_EQ(pictures.TabBackGround().PixelColour(50, 1), kOuter[0]);
    EXPECT_EQ(pictures.TabBackGround().PixelColour(50, 19), kInner[0]);
    EXPECT_EQ(pictures.TabBackGroundActive().PixelColour(50, 1), kOuter[1]);
    EXPECT_EQ(pictures.Color(), kFace);  // recoloured

    // The control draws the active tab from the active picture.
    DibSection target(pictures.Width(), pictures.Height());
    target.Fill(kSentinel);
    ::SendMessageW(pictures.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    const core::Rect first = pictures.TabRect(0), second = pictures.TabRect(1);
    EXPECT_EQ(target.Pixel(first.left + 5, first.top + 4) & 0xFFFFFF, Rgb(kOuter[1]));
    EXPECT_EQ(target.Pixel(second.left + 5, second.top + 4) & 0xFFFFFF, Rgb(kOuter[0]));

    adv.Unskin();
    EXPECT_TRUE(pictures.TabBackGround().Empty());
    EXPECT_TRUE(pictures.TabBackGroundActive().Empty());
}

}  // namespace
