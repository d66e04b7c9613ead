#include "skin/controls/ScrollBarSkins.h"

#include "framework/controls/ListBox.h"
#include "framework/controls/ScrollBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "skin/controls/HeaderSkin.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "tests/skin/controls/TestHost.h"
#include "tests/skin/data/TestSkins.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"
#include "tests/support/RealMouse.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <thread>

#include <commctrl.h>
#include <windows.h>

namespace {

constexpr int kCell = 16;
constexpr TColor kFace = RgbColour(10, 20, 30);
constexpr TColor kShadow = RgbColour(90, 0, 90);
// Every cell of the strip, every shaft frame and every thumb frame has a colour of its own.
TColor StripColour(int cell) { return RgbColour(static_cast<uint8_t>(cell * 10), 200, static_cast<uint8_t>(250 - cell * 10)); }
TColor ShaftColour(bool vertical, int frame) { return RgbColour(vertical ? 60 : 160, static_cast<uint8_t>(frame * 40), 30); }
TColor ThumbColour(bool vertical, int frame) { return RgbColour(230, static_cast<uint8_t>(frame * 50), vertical ? 100 : 180); }

std::vector<std::byte> ScrollSkin() {
    std::array<TColor, 23> cells{};
    for (int i = 0; i < 23; ++i) cells[static_cast<size_t>(i)] = StripColour(i + 1);
    std::array<TColor, 4> vShaft{}, hShaft{};
    std::array<TColor, 3> vThumb{}, hThumb{};
    for (int i = 0; i < 4; ++i) vShaft[i] = ShaftColour(true, i + 1), hShaft[i] = ShaftColour(false, i + 1);
    for (int i = 0; i < 3; ++i) vThumb[i] = ThumbColour(true, i + 1), hThumb[i] = ThumbColour(false, i + 1);
    const std::string ini =
        "[Colours]\r\nButtonFace=10 20 30\r\nButtonShadow=90 0 90\r\n"
        "[Scrollbar]\r\nImage=strip.bmp\r\nTrans=1\r\n"
        "[HorzScroll]\r\nImage=hshaft.bmp\r\n[VertScroll]\r\nImage=vshaft.bmp\r\n"
        "[HorzScrollThumb]\r\nImage=hthumb.bmp\r\nFrameCount=3\r\n"
        "[VertScrollThumb]\r\nImage=vthumb.bmp\r\nFrameCount=3\r\n";
    using window_skin::Strip;
    return test_skins::PackedSkin({
        {"strip.bmp", Strip(kCell, kCell, 23, false, cells.data(), -1, -1)},
        {"hshaft.bmp", Strip(kCell, kCell, 4, false, hShaft.data(), -1, -1)},
        {"vshaft.bmp", Strip(kCell, kCell, 4, false, vShaft.data(), -1, -1)},
        {"hthumb.bmp", Strip(kCell, kCell, 3, false, hThumb.data(), -1, -1)},
        {"vthumb.bmp", Strip(kCell, kCell, 3, false, vThumb.data(), -1, -1)},
        {"scroll.ini", test_skins::Bytes(ini)},
    });
}

// The colour on the screen at a point.
COLORREF ScreenPixel(POINT p) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

RECT WindowRectOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

RECT BarRect(HWND window, LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ::GetScrollBarInfo(window, object, &info);
    return info.rcScrollBar;
}

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

class ScrollSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousNotifier = TSkinReader::SetNotifier([](std::u16string_view) {});
        skin = std::make_unique<TSkinData>();
        ASSERT_TRUE(SetBinaryProp(skin.get(), u"SkinStream", test_skins::PropertyBlock(ScrollSkin())));
        ASSERT_NE(skin->Scrollbar(), nullptr);
        arrow = ::GetSystemMetrics(SM_CXHSCROLL);
    }
    void TearDown() override {
        bars.reset();
        if (parent) ::DestroyWindow(parent);
        skin.reset();
        TSkinReader::SetNotifier(std::move(m_previousNotifier));
    }
    // A bare list of `lines` lines with a vertical bar, in a shown window; without
    // WS_CLIPSIBLINGS, so that its own bar drawing would cover an overlay.
    void MakeList(DWORD extraStyle = 0, int lines = 200) {
        parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 260, 240,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | extraStyle,
                                 10, 10, 150, 160, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < lines; ++i)
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
        ::SetForegroundWindow(parent);
        ::UpdateWindow(parent);
    }
    void Skin() {
        bars = std::make_unique<TSkinScrollbarH>();
        bars->AttachHandle(list, *skin, host, nullptr);
        Pump();
    }
    TWScrollbar& Vert() { return *bars->VertBar(); }
    int TopIndex() const { return static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0)); }
    // A point `along` pixels down the vertical bar, in the middle of its width.
    POINT OnBar(int along) {
        const RECT r = BarRect(list, OBJID_VSCROLL);
        return {(r.left + r.right) / 2, r.top + along};
    }

    std::unique_ptr<TSkinData> skin;
    TestHost host;
    std::unique_ptr<TSkinScrollbarH> bars;
    HWND parent = nullptr;
    HWND list = nullptr;
    int arrow = 0;

private:
    TSkinReader::Notifier m_previousNotifier;
};

TEST_F(ScrollSkinTest, OverlayLiesOnTheBarInFrontOfItsWindowAndShowsTheSkin) {
    MakeList(0, 30);  // a thumb long enough for its gripper
    Skin();
    ASSERT_TRUE(Vert().Shown());
    EXPECT_FALSE(bars->HorzBar()->Shown());  // the list has no horizontal bar
    HWND overlay = Vert().HandleIfAllocated();
    EXPECT_TRUE(SameRect(WindowRectOf(overlay), BarRect(list, OBJID_VSCROLL)));
    EXPECT_EQ(::GetWindow(list, GW_HWNDPREV), overlay);
    EXPECT_TRUE(::GetWindowLongPtrW(overlay, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(::GetWindowLongPtrW(overlay, GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(::GetWindowLongPtrW(list, GWL_STYLE) & WS_CLIPSIBLINGS);

    // The list redraws its frame, bar included: the overlay still shows on the screen.
    ::SendMessageW(list, LB_SETTOPINDEX, 10, 0);
    ::RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    const ThumbSpan thumb = Vert().Thumb();
    ASSERT_GT(thumb.start, arrow);
    ASSERT_GE(thumb.Length(), kCell - 1);
    EXPECT_EQ(ScreenPixel(OnBar(arrow / 2)), ColorToRGB(StripColour(9)));
    EXPECT_EQ(ScreenPixel(OnBar(Vert().Length() - arrow / 2)), ColorToRGB(StripColour(13)));
    EXPECT_EQ(ScreenPixel(OnBar(thumb.start + 1)), ColorToRGB(ThumbColour(true, 1)));
    EXPECT_EQ(ScreenPixel(OnBar((thumb.start + thumb.end) / 2)), ColorToRGB(StripColour(20)));  // gripper
    EXPECT_EQ(ScreenPixel(OnBar(arrow + 1)), ColorToRGB(ShaftColour(true, 1)));


    bars.reset();
    EXPECT_FALSE(::IsWindow(overlay));
    EXPECT_FALSE(::GetWindowLongPtrW(list, GWL_STYLE) & WS_CLIPSIBLINGS);  // the list's own style back
}

TEST_F(ScrollSkinTest, OverlaysFollowMoveResizeShowAndHide) {
    MakeList(WS_HSCROLL);
    ::SendMessageW(list, LB_SETHORIZONTALEXTENT, 600, 0);
    Skin();
    ASSERT_TRUE(bars->HorzBar()->Shown());
    HWND vert = Vert().HandleIfAllocated(), horz = bars->HorzBar()->HandleIfAllocated();
    ::MoveWindow(list, 40, 30, 180, 120, TRUE);
    Pump();
    EXPECT_TRUE(SameRect(WindowRectOf(vert), BarRect(list, OBJID_VSCROLL)));
    EXPECT_TRUE(SameRect(WindowRectOf(horz), BarRect(list, OBJID_HSCROLL)));
    ::ShowWindow(list, SW_HIDE);
    Pump();
    EXPECT_FALSE(::IsWindowVisible(vert));
    EXPECT_FALSE(::IsWindowVisible(horz));
    ::ShowWindow(list, SW_SHOW);
    Pump();
    EXPECT_TRUE(::IsWindowVisible(vert));
    EXPECT_TRUE(SameRect(WindowRectOf(vert), BarRect(list, OBJID_VSCROLL)));
    // A window made in front of the list afterwards does not come between them.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, parent, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump();
    EXPECT_EQ(::GetWindow(list, GW_HWNDPREV), vert);
}

// Real input: the press reaches the overlay and is handed to the list's own bar.
class ScrollInputTest : public ScrollSkinTest {
protected:
    // Presses at `at`, lets a second thread release after `holdMs` (moving the pointer
    // by `dragY` first) while this thread runs the system's tracking.
    void PressAndRelease(POINT at, DWORD holdMs, int dragY = 0) {
        MoveTo(at);
        ASSERT_TRUE(PumpUntil([&] { return Vert().HotPart() != ScrollPart::None; }));
        bool released = false;
        std::thread releaser([&] {
            ::Sleep(100);
            for (int step = 1; step <= 10 && dragY; ++step) {
                MoveTo(at.x, at.y + dragY * step / 10);
                ::Sleep(20);
            }
            ::Sleep(holdMs / 2);
            heldPixel = ScreenPixel(at);
            ::Sleep(holdMs / 2);
            Button(MOUSEEVENTF_LEFTUP);
            released = true;
        });
        Button(MOUSEEVENTF_LEFTDOWN);
        const bool done = PumpUntil([&] { return released && !Vert().Tracking(); }, 5000);
        releaser.join();
        Pump();
        ASSERT_TRUE(done);
        MoveTo(20, 20);
        Pump();
    }
    COLORREF heldPixel = CLR_INVALID;
};

TEST_F(ScrollInputTest, AHeldArrowRepeatsThroughTheSystemsTrackingAndShowsItsStates) {
    MakeList();
    Skin();
    const POINT second = OnBar(Vert().Length() - arrow / 2);
    MoveTo(second);
    ASSERT_TRUE(PumpUntil([&] { return Vert().HotPart() == ScrollPart::SecondArrow; }));
    PumpUntil([] { return false; }, 100);  // lets the window's picture reach the screen
    EXPECT_EQ(ScreenPixel(second), ColorToRGB(StripColour(16)));  // hot
    PressAndRelease(second, 600);
    EXPECT_EQ(heldPixel, ColorToRGB(StripColour(14)));  // pressed, while held
    EXPECT_GT(TopIndex(), 1);  // one line per press, more only by auto-repeat
    EXPECT_FALSE(Vert().Tracking());
    // The pointer has gone: the arrow is back to normal.
    ASSERT_TRUE(PumpUntil([&] { return Vert().HotPart() == ScrollPart::None; }));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(ScreenPixel(second), ColorToRGB(StripColour(13)));
}

TEST_F(ScrollInputTest, APageClickPagesAndAThumbDragMovesTheContent) {
    MakeList();
    Skin();
    const int perPage = static_cast<int>(160 / ::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    PressAndRelease(OnBar(Vert().Length() - arrow - 4), 0);
    EXPECT_GE(TopIndex(), perPage - 1);
    EXPECT_LT(TopIndex(), 3 * perPage);

    ::SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    Pump();
    const ThumbSpan thumb = Vert().Thumb();
    PressAndRelease(OnBar((thumb.start + thumb.end) / 2), 50, 60);
    EXPECT_GT(TopIndex(), 30);  // 60 pixels of a 128-pixel shaft over 200 lines
}

// --- framework controls ----------------------------------------------------------------------

class FrameworkScrollTest : public ScrollSkinTest {
protected:
    void SetUp() override {
        ScrollSkinTest::SetUp();
        form = &app.CreateForm<TForm>();
        form->SetBounds(120, 120, 300, 260);
        form->Show();
    }
    TApplication app;
    TForm* form = nullptr;
};

TEST_F(FrameworkScrollTest, AScrollingControlGetsABorderAndItsBarsGoWithItsVisibility) {
    auto& box = form->Create<TListBox>();
    box.SetParent(form);
    box.SetBounds(10, 10, 120, 100);
    for (int i = 0; i < 50; ++i) box.AddItem(std::to_wstring(i));
    auto& skinned = box.Create<TSkinScrollbar>();
    skinned.AttachOwn(host, *skin, nullptr);
    Pump();
    EXPECT_TRUE(skinned.DrawBorder());
    ASSERT_TRUE(skinned.VertBar()->Shown());
    EXPECT_TRUE(SameRect(WindowRectOf(skinned.VertBar()->HandleIfAllocated()), BarRect(box.Handle(), OBJID_VSCROLL)));
    const RECT outer = WindowRectOf(box.Handle());
    EXPECT_EQ(ScreenPixel({outer.left, outer.top + 30}), ColorToRGB(kShadow));
    EXPECT_EQ(ScreenPixel({outer.left + 1, outer.top + 30}), ColorToRGB(kFace));
    box.SetVisible(false);
    Pump();
    EXPECT_FALSE(::IsWindowVisible(skinned.VertBar()->HandleIfAllocated()));
    box.SetVisible(true);
    Pump();
    EXPECT_TRUE(skinned.VertBar()->Shown());
    skinned.Unskin();
    EXPECT_EQ(skinned.VertBar(), nullptr);
}

TEST_F(FrameworkScrollTest, AScrollBarControlsThumbStartsRightAfterTheFirstArrow) {
    auto& bar = form->Create<TScrollBar>();
    bar.SetParent(form);
    bar.SetBounds(10, 150, 200, 17);
    bar.SetMax(100);
    auto& skinned = bar.Create<TSkinScControl>();
    skinned.AttachOwn(host, *skin, nullptr);
    Pump();
    TWScrollbar& overlay = *skinned.Bar();
    ASSERT_TRUE(overlay.Shown());
    EXPECT_FALSE(overlay.Vertical());
    const RECT r = WindowRectOf(bar.Handle());
    const int y = (r.top + r.bottom) / 2;
    EXPECT_EQ(overlay.Thumb().start, arrow);
    // Without a page the thumb is an arrow long, and its gripper covers it.
    EXPECT_EQ(ScreenPixel({r.left + arrow + 1, y}), ColorToRGB(StripColour(17)));
    EXPECT_EQ(ScreenPixel({r.left + 2, y}), ColorToRGB(StripColour(1)));
    bar.SetPosition(100);
    Pump();
    EXPECT_EQ(overlay.Thumb().end, 200 - arrow);
    EXPECT_EQ(ScreenPixel({r.right - arrow - 2, y}), ColorToRGB(StripColour(17)));
    EXPECT_EQ(ScreenPixel({r.left + arrow + 1, y}), ColorToRGB(ShaftColour(false, 1)));
}

// A list view as a framework control: its header gets the header skin.
class TTestListView : public TWinControl {
    KESTRELLE_CLASS(TTestListView, TWinControl)

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.baseClass = WC_LISTVIEWW;
        params.commonControls = ICC_LISTVIEW_CLASSES;
        params.style |= LVS_REPORT;
    }
};

TEST_F(FrameworkScrollTest, AListViewsHeaderIsSkinnedWithIt) {
    auto& view = form->Create<TTestListView>();
    view.SetParent(form);
    view.SetBounds(10, 10, 200, 120);
    auto& skinned = view.Create<TSkinListView>();
    skinned.AttachOwn(host, *skin, nullptr);
    ASSERT_NE(skinned.Header(), nullptr);
    EXPECT_EQ(skinned.Header()->Handle(), reinterpret_cast<HWND>(::SendMessageW(view.Handle(), LVM_GETHEADER, 0, 0)));
    EXPECT_EQ(host.skins.size(), 2u);
}

TEST_F(FrameworkScrollTest, SkinningOnAndOffAThousandTimesLeavesNoHandleBehind) {
    auto& box = form->Create<TListBox>();
    box.SetParent(form);
    box.SetBounds(10, 10, 120, 100);
    for (int i = 0; i < 50; ++i) box.AddItem(std::to_wstring(i));
    auto& bar = form->Create<TScrollBar>();
    bar.SetParent(form);
    bar.SetBounds(10, 150, 200, 17);
    const auto cycle = [&] {
        auto* list = &box.Create<TSkinScrollbar>();
        list->AttachOwn(host, *skin, nullptr);
        auto* control = &bar.Create<TSkinScControl>();
        control->AttachOwn(host, *skin, nullptr);
        Pump();
        list->Unskin();
        control->Unskin();
        FreeComponent(list);
        FreeComponent(control);
    };
    const auto children = [&] {
        int count = 0;
        for (HWND w = ::GetWindow(form->Handle(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) ++count;
        return count;
    };
    cycle();  // first-use allocations
    const int gdi = GdiHeadroom(), windows = children();
    for (int i = 0; i < 1000; ++i) cycle();
    EXPECT_GE(GdiHeadroom(), gdi - 20);
    EXPECT_EQ(children(), windows);
    EXPECT_TRUE(host.skins.empty());
}

}  // namespace
