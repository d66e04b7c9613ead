#include "skin/window/CaptionButtons.h"

#include "skin/data/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <vector>

#include <windows.h>

using namespace window_skin;

namespace {

std::vector<WPARAM> g_actions;

LRESULT CALLBACK ButtonTestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WMX_CAPTIONACTION) g_actions.push_back(wParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class CaptionButtonsTest : public SkinnedTest {
protected:
    void SetUp() override {
        SkinnedTest::SetUp();
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = ButtonTestProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"CaptionButtonsTestWindow";
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            return ::RegisterClassW(&wc);
        }();
        ASSERT_NE(atom, 0);
        g_actions.clear();
        window = ::CreateWindowExW(0, L"CaptionButtonsTestWindow", L"Buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60,
                                   320, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        ::SetForegroundWindow(window);
        ASSERT_TRUE(manager->SkinWindow(window));
        form = manager->FindSkinForm(window);
        ASSERT_TRUE(PumpUntil([&] { return form->State() == TWinSkinForm::SkinState::Running; }));
        ::SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    }
    void TearDown() override {
        if (::IsWindow(window)) ::DestroyWindow(window);
        SkinnedTest::TearDown();
    }

    // The screen point `x` pixels left of the window's right edge, at caption height.
    LPARAM AtRight(int x) const {
        RECT r{};
        ::GetWindowRect(window, &r);
        return MAKELPARAM(r.right - x + kButton / 2, r.top + 6 + kButton / 2);
    }
    LPARAM CaptionMiddle() const {
        RECT r{};
        ::GetWindowRect(window, &r);
        return MAKELPARAM((r.left + r.right) / 2, r.top + 2 + kTop / 2);
    }
    TWinSysButton* ButtonAt(int x) const {
        RECT r{};
        ::GetWindowRect(window, &r);
        return form->FindNCObject({r.right - r.left - x + 2, 8});
    }
    // What the window shows at the middle of the button `x` pixels from its right edge.
    COLORREF ShownAt(int x) const {
        const WindowDc dc = WindowDc::Whole(window);
        RECT r{};
        ::GetWindowRect(window, &r);
        return ::GetPixel(dc.Get(), r.right - r.left - x + kButton / 2, 6 + kButton / 2);
    }
    void Send(UINT message, LPARAM at, WPARAM hit = HTCAPTION) { ::SendMessageW(window, message, hit, at); }
    void Click(int x) {
        Send(WM_NCMOUSEMOVE, AtRight(x));
        Send(WM_NCLBUTTONDOWN, AtRight(x));
        Send(WM_NCLBUTTONUP, AtRight(x));
        PumpUntil([] { return false; }, 50);
    }

    HWND window = nullptr;
    TWinSkinForm* form = nullptr;
};

TEST_F(CaptionButtonsTest, AButtonShowsHoverAndPressAndForgetsAPressReleasedElsewhere) {
    TWinSysButton* close = ButtonAt(kCloseX);
    ASSERT_NE(close, nullptr);
    Send(WM_NCMOUSEMOVE, AtRight(kCloseX));
    EXPECT_EQ(close->State, TNCObject::kHot);
    EXPECT_EQ(form->HotObject(), close);
    EXPECT_EQ(ShownAt(kCloseX), ColorToRGB(kButtonFrames[2]));
    Send(WM_NCLBUTTONDOWN, AtRight(kCloseX));
    EXPECT_EQ(close->State, TNCObject::kPressed);
    EXPECT_EQ(ShownAt(kCloseX), ColorToRGB(kButtonFrames[1]));
    Send(WM_NCMOUSEMOVE, AtRight(kCloseX));  // moving over it keeps it pressed
    EXPECT_EQ(close->State, TNCObject::kPressed);

    // Away from it: back to normal, and the release there runs nothing.
    Send(WM_NCMOUSEMOVE, CaptionMiddle());
    EXPECT_EQ(close->State, TNCObject::kNormal);
    EXPECT_EQ(form->HotObject(), nullptr);
    EXPECT_EQ(ShownAt(kCloseX), ColorToRGB(kButtonFrames[0]));
    Send(WM_NCLBUTTONUP, CaptionMiddle());
    PumpUntil([] { return false; }, 100);
    EXPECT_TRUE(::IsWindow(window));

    // A release over the button that was not pressed there runs nothing either.
    Send(WM_NCMOUSEMOVE, AtRight(kMinimizeX));
    Send(WM_NCLBUTTONUP, AtRight(kMinimizeX));
    PumpUntil([] { return false; }, 100);
    EXPECT_FALSE(::IsIconic(window));
}

TEST_F(CaptionButtonsTest, TheMouseTimerLetsGoOfAButtonTheCursorLeft) {
    TWinSysButton* minimize = ButtonAt(kMinimizeX);
    ASSERT_NE(minimize, nullptr);
    Send(WM_NCMOUSEMOVE, AtRight(kMinimizeX));
    Send(WM_NCLBUTTONDOWN, AtRight(kMinimizeX));
    ASSERT_EQ(minimize->State, TNCObject::kPressed);
    ::SetCursorPos(5, 5);  // the release happens where no message of ours sees it
    form->MouseTimer();
    EXPECT_EQ(minimize->State, TNCObject::kNormal);
    EXPECT_EQ(form->HotObject(), nullptr);
}

TEST_F(CaptionButtonsTest, EachButtonDoesItsAction) {
    Click(kMaximizeX);
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(window) != FALSE; }));
    EXPECT_EQ(form->WindowStateNow(), WindowState::Maximized);
    // The restore button takes the maximise button's place while the window is maximised.
    Click(kMaximizeX);
    ASSERT_TRUE(PumpUntil([&] { return !::IsZoomed(window); }));
    EXPECT_EQ(form->WindowStateNow(), WindowState::Normal);
    Click(kUserX);
    ASSERT_TRUE(PumpUntil([&] { return !g_actions.empty(); }));
    EXPECT_EQ(g_actions, std::vector<WPARAM>{kUserAction});
    Click(kMinimizeX);
    ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(window) != FALSE; }));
    EXPECT_EQ(form->WindowStateNow(), WindowState::Minimized);
    ::ShowWindow(window, SW_RESTORE);
    ::SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    PumpUntil([] { return false; }, 50);
    Click(kCloseX);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(window); }));
}

// Counts the menu windows that open, and closes each.
struct MenuWatch {
    static inline int opened = 0;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
        if (::FindWindowW(L"#32768", nullptr)) {
            ++opened;
            ::EndMenu();
        }
    }
    UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &Tick);
    MenuWatch() { opened = 0; }
    ~MenuWatch() { ::KillTimer(nullptr, timer); }
};

TEST_F(CaptionButtonsTest, TheIconAndTheCaptionOpenTheSystemMenuAndASecondClickCloses) {
    MenuWatch watch;
    RECT r{};
    ::GetWindowRect(window, &r);
    const LPARAM icon = MAKELPARAM(r.left + 8 + 4, r.top + 4 + 4);
    ASSERT_NE(form->FindNCObject({12, 8}), nullptr);
    Send(WM_NCMOUSEMOVE, icon);
    Send(WM_NCLBUTTONDOWN, icon);
    Send(WM_NCLBUTTONUP, icon);  // the menu runs here until the watch ends it
    EXPECT_EQ(MenuWatch::opened, 1);
    EXPECT_TRUE(::IsWindow(window));

    // A right click on the caption opens it too, once the double-click time has passed.
    ::Sleep(::GetDoubleClickTime() + 10);
    Send(WM_NCRBUTTONUP, CaptionMiddle());
    EXPECT_EQ(MenuWatch::opened, 2);

    // A second click within the double-click time closes the window while a button is hot.
    Send(WM_NCMOUSEMOVE, icon);
    Send(WM_NCRBUTTONUP, CaptionMiddle());
    EXPECT_EQ(MenuWatch::opened, 2);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(window); }));
}

TEST_F(CaptionButtonsTest, DoubleClicksOnTheCaptionMaximiseAndRestoreAndOnTheIconClose) {
    Send(WM_NCLBUTTONDBLCLK, CaptionMiddle());
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(window) != FALSE; }));
    Send(WM_NCLBUTTONDBLCLK, CaptionMiddle());
    ASSERT_TRUE(PumpUntil([&] { return !::IsZoomed(window); }));
    RECT r{};
    ::GetWindowRect(window, &r);
    Send(WM_NCLBUTTONDBLCLK, MAKELPARAM(r.left + 12, r.top + 8));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(window); }));
}

}  // namespace
