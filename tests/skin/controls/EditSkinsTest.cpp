#include "skin/controls/DateTimeSkin.h"
#include "skin/controls/EditSkins.h"
#include "skin/controls/UpDownSkin.h"

#include "framework/win/DibSection.h"
#include "skin/controls/ComboSkin.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin/controls/EditTestSkin.h"
#include "tests/skin/controls/TestHost.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"
#include "tests/support/RealMouse.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <commctrl.h>
#include <windows.h>

namespace {

using namespace edit_skin;

// Counts the drop-down notices of its date-time pickers.
int g_dropDowns = 0;
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == DTN_DROPDOWN) ++g_dropDowns;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class TextEntrySkinTest : public EditSkinTest {
protected:
    void SetUp() override {
        EditSkinTest::SetUp();
        static const bool registered = [] {
            INITCOMMONCONTROLSEX init{sizeof init, ICC_UPDOWN_CLASS | ICC_DATE_CLASSES};
            WNDCLASSW wc{};
            wc.lpfnWndProc = ParentProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"EditSkinsTestParent";
            return ::InitCommonControlsEx(&init) && ::RegisterClassW(&wc);
        }();
        ASSERT_TRUE(registered);
        parent = ::CreateWindowExW(WS_EX_TOPMOST, L"EditSkinsTestParent", L"", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
    }
    void TearDown() override {
        if (parent) ::DestroyWindow(parent);
        EditSkinTest::TearDown();
    }
    HWND Child(const wchar_t* className, DWORD style, int x, int y, int w, int h, DWORD exStyle = 0, HWND in = nullptr) {
        return ::CreateWindowExW(exStyle, className, L"12", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 in ? in : parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    // `window` paints itself and its skin into a picture of its size.
    static std::unique_ptr<DibSection> Painted(HWND window) {
        RECT r{};
        ::GetWindowRect(window, &r);
        auto target = std::make_unique<DibSection>(r.right - r.left, r.bottom - r.top);
        target->Fill(kSentinel);
        ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target->Dc()), 0);
        ::GdiFlush();
        return target;
    }
    static bool Ring(const DibSection& dib, int inset, TColor colour) {
        const int w = dib.Width() - inset, h = dib.Height() - inset;
        const COLORREF c = ColorToRGB(colour);
        return dib.AllEqual({inset, inset, w, inset + 1}, c) && dib.AllEqual({inset, h - 1, w, h}, c) &&
               dib.AllEqual({inset, inset, inset + 1, h}, c) && dib.AllEqual({w - 1, inset, w, h}, c);
    }

    TestHost host;
    HWND parent = nullptr;
};

TEST_F(TextEntrySkinTest, OnlyAnEditWithABorderGetsTheFrame) {
    HWND plain = Child(L"EDIT", 0, 10, 10, 100, 21);
    HWND bordered = Child(L"EDIT", 0, 10, 40, 100, 21, WS_EX_CLIENTEDGE);
    TSkinEdit plainSkin, borderedSkin;
    plainSkin.AttachHandle(plain, *skin, host, nullptr);
    borderedSkin.AttachHandle(bordered, *skin, host, nullptr);

    // Painted as the system paints them, frame included.
    for (HWND edit : {plain, bordered})
        ::RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(PumpUntil([&] {
        const auto framed = OnScreen(bordered);
        return Ring(*framed, 0, kShadow) && Ring(*framed, 1, kWhite) && Ring(*framed, 2, kWhite);
    }));
    EXPECT_EQ(Count(*OnScreen(plain), {0, 0, 100, 21}, kShadow), 0);

    // Printed: the border colour outside, the DC's brush inside it.
    DibSection print(100, 21);
    print.Fill(kSentinel);
    ::SelectObject(print.Dc(), ::GetStockObject(BLACK_BRUSH));
    ::SendMessageW(bordered, WM_PRINT, reinterpret_cast<WPARAM>(print.Dc()), PRF_NONCLIENT);
    ::GdiFlush();
    EXPECT_TRUE(Ring(print, 0, kShadow));
    EXPECT_TRUE(Ring(print, 1, RgbColour(0, 0, 0)));
    // The engine's request for the client area alone is answered with its signature.
    EXPECT_EQ(::SendMessageW(bordered, WMX_PAINTCLIENTINTO, reinterpret_cast<WPARAM>(print.Dc()), kSkinSignature),
              kSkinSignature);
}

TEST_F(TextEntrySkinTest, ASpinInsideAnEditIsSkinnedAndPaintedClearOfTheFrame) {
    HWND edit = Child(L"EDIT", 0, 10, 10, 100, 23, WS_EX_CLIENTEDGE);
    RECT client{};
    ::GetClientRect(edit, &client);
    HWND spin = Child(UPDOWN_CLASSW, 0, client.right - 16, 0, 16, client.bottom, 0, edit);
    ASSERT_NE(spin, nullptr);
    TSkinEdit skinned;
    skin->SetSkinControls(skin->SkinControls() | TSkinControlTypes{TSkinControlType::xcSpin});
    skinned.AttachHandle(edit, *skin, host, nullptr);
    (void)Painted(edit);
    ASSERT_NE(skinned.UpDown(), nullptr);
    EXPECT_TRUE(skinned.UpDown()->Buddied());
    EXPECT_EQ(skinned.UpDown()->Handle(), spin);
    // Its window sits on the edit's right border: 3 pixels there stay white, the rest
    // holds the two halves.
    const auto picture = Painted(spin);
    RECT window{}, outer{};
    ::GetWindowRect(spin, &window);
    ::GetWindowRect(edit, &outer);
    const int clearRight = (outer.right - 3) - window.left;
    EXPECT_TRUE(picture->AllEqual({clearRight, 0, picture->Width(), picture->Height()}, ColorToRGB(kWhite)));
    EXPECT_GT(Count(*picture, {0, 0, clearRight, picture->Height()}, kSpinVert[0]), 0);
}

class UpDownTest : public TextEntrySkinTest {
protected:
    void Make(DWORD style = 0) {
        MoveTo(5, 5);  // away from where the up-down will be
        window = Child(UPDOWN_CLASSW, style, 100, 40, 20, 40);
        ASSERT_NE(window, nullptr);
        ::SendMessageW(window, UDM_SETRANGE32, 0, 1000);
        ::SendMessageW(window, UDM_SETPOS32, 0, 500);
        spin = std::make_unique<TSkinUpDown>();
        spin->AttachHandle(window, *skin, host, nullptr);
    }
    void TearDown() override {
        spin.reset();
        TextEntrySkinTest::TearDown();
    }
    POINT Screen(int x, int y) const {
        POINT p{x, y};
        ::ClientToScreen(window, &p);
        return p;
    }
    // The real pointer moved over the up-down, and the move delivered.
    void HoverAt(int x, int y) {
        const POINT p = Screen(x, y);
        MoveTo(p);
        PumpUntil([&] {
            POINT at{};
            return ::GetCursorPos(&at) && at.x == p.x && at.y == p.y;
        });
        ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    HWND window = nullptr;
    std::unique_ptr<TSkinUpDown> spin;
};

TEST_F(UpDownTest, EachHalfLightsOnItsOwnUnderTheMouse) {
    Make();
    HoverAt(10, 5);
    auto picture = Painted(window);
    EXPECT_TRUE(picture->AllEqual({0, 0, 20, 20}, ColorToRGB(kSpinVert[3])));   // up, hover
    EXPECT_TRUE(picture->AllEqual({0, 20, 20, 40}, ColorToRGB(kSpinVert[4])));  // down, at rest
    HoverAt(10, 35);
    picture = Painted(window);
    EXPECT_TRUE(picture->AllEqual({0, 0, 20, 20}, ColorToRGB(kSpinVert[0])));
    EXPECT_TRUE(picture->AllEqual({0, 20, 20, 40}, ColorToRGB(kSpinVert[7])));  // down, hover
    ::SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(spin->MouseState() & TSkinControl::kMouseOver, 0);
}

TEST_F(UpDownTest, AHeldPressStillRepeatsAndShowsPressed) {
    Make();
    HoverAt(10, 5);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    const auto picture = Painted(window);
    EXPECT_TRUE(picture->AllEqual({0, 0, 20, 20}, ColorToRGB(kSpinVert[1])));  // up, pressed
    // The control's own timer steps on while the button is held.
    EXPECT_TRUE(PumpUntil([&] { return ::SendMessageW(window, UDM_GETPOS32, 0, 0) >= 503; }, 3000));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    const auto stopped = ::SendMessageW(window, UDM_GETPOS32, 0, 0);
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(::SendMessageW(window, UDM_GETPOS32, 0, 0), stopped);
    EXPECT_EQ(spin->MouseState() & TSkinControl::kPressed, 0);
}

TEST_F(UpDownTest, AHorizontalOneUsesItsOwnPicturesAndWithoutThemDrawsPlainButtons) {
    Make(UDS_HORZ);
    ::MoveWindow(window, 100, 40, 40, 20, TRUE);
    auto picture = Painted(window);
    EXPECT_TRUE(picture->AllEqual({0, 0, 20, 20}, ColorToRGB(kSpinHorz[0])));
    EXPECT_TRUE(picture->AllEqual({20, 0, 40, 20}, ColorToRGB(kSpinHorz[4])));

    spin.reset();
    LoadSkin({.spins = false});
    spin = std::make_unique<TSkinUpDown>();
    spin->AttachHandle(window, *skin, host, nullptr);
    picture = Painted(window);
    EXPECT_TRUE(picture->AllEqual({0, 0, 20, 1}, ColorToRGB(kDkShadow)));      // outlined
    EXPECT_TRUE(picture->AllEqual({1, 1, 4, 4}, ColorToRGB(kFace)));           // filled
    EXPECT_GT(picture->CountOther({1, 1, 19, 19}, ColorToRGB(kFace)), 0);      // with an arrow
}

TEST_F(TextEntrySkinTest, TheDateTimeArrowOpensTheCalendar) {
    HWND picker = Child(DATETIMEPICK_CLASSW, 0, 10, 10, 150, 24);
    ASSERT_NE(picker, nullptr);
    TSkinDateTime skinned;
    skinned.AttachHandle(picker, *skin, host, nullptr);
    TArrowButton* arrow = skinned.Arrow();
    ASSERT_NE(arrow, nullptr);
    HWND arrowWindow = arrow->HandleIfAllocated();
    ASSERT_NE(arrowWindow, nullptr);
    EXPECT_EQ(::GetParent(arrowWindow), picker);
    EXPECT_NE(::GetWindowLongPtrW(picker, GWL_STYLE) & WS_CLIPCHILDREN, 0);
    RECT client{};
    ::GetClientRect(picker, &client);
    EXPECT_EQ(arrow->Left() + arrow->Width(), client.right);

    const int before = g_dropDowns;
    ::SendMessageW(arrowWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(arrowWindow, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(PumpUntil([&] {
        HWND calendar = reinterpret_cast<HWND>(::SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
        return g_dropDowns > before && calendar && ::IsWindowVisible(calendar);
    }));

    // Unskinned, the arrow goes and the picker's style is its own again.
    skinned.Unskin();
    EXPECT_FALSE(::IsWindow(arrowWindow));
    EXPECT_EQ(::GetWindowLongPtrW(picker, GWL_STYLE) & WS_CLIPCHILDREN, 0);
}

TEST_F(TextEntrySkinTest, SkinnedOnAndOffAThousandTimesLeavesNoHandleBehind) {
    HWND edit = Child(L"EDIT", 0, 10, 10, 100, 21, WS_EX_CLIENTEDGE);
    HWND combo = Child(L"COMBOBOX", CBS_DROPDOWN, 10, 40, 120, 100);
    HWND spin = Child(UPDOWN_CLASSW, 0, 150, 10, 16, 30);
    HWND picker = Child(DATETIMEPICK_CLASSW, 0, 10, 80, 150, 24);
    HWND simple = Child(L"COMBOBOX", CBS_SIMPLE | WS_VSCROLL, 170, 40, 120, 100);
    for (int i = 0; i < 20; ++i) ::SendMessageW(simple, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"line"));
    const auto once = [&] {
        auto skins = std::make_unique<TComponent>();
        skins->Create<TSkinEdit>().AttachHandle(edit, *skin, host, nullptr);
        skins->Create<TSkinComBox>().AttachHandle(combo, *skin, host, nullptr);
        skins->Create<TSkinUpDown>().AttachHandle(spin, *skin, host, nullptr);
        skins->Create<TSkinDateTime>().AttachHandle(picker, *skin, host, nullptr);
        skins->Create<TSkinComBox>().AttachHandle(simple, *skin, host, nullptr);
        for (HWND window : {edit, combo, spin, picker, simple}) ::UpdateWindow(window);
        // As a window lets go of its skins: one skin's unskinning may free another (a
        // simple combo's list bars).
        std::vector<ComponentRef<TSkinControl>> registered(host.skins.begin(), host.skins.end());
        for (const auto& skinned : registered)
            if (skinned) skinned->Unskin();
    };
    once();  // the first round makes what the system keeps for good (classes, caches)
    const int gdi = GdiHeadroom(), user = UserHeadroom();
    for (int i = 0; i < 1000; ++i) once();
    EXPECT_LE(gdi - GdiHeadroom(), 5);
    EXPECT_LE(user - UserHeadroom(), 5);
    EXPECT_TRUE(host.skins.empty());
}

}  // namespace
