// The skinned menu bar: what a window with a menu bar shows in its skinned frame, and
// the bar's buttons driven through a real menu loop.

#include "skin/window/WinSkinMenu.h"

#include "framework/controls/Menus.h"
#include "framework/controls/Messages.h"
#include "framework/controls/ShortCut.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "framework/win/HookGuard.h"
#include "skin/data/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/FailureLogCapture.h"
#include "tests/support/PumpMessages.h"
#include "tests/support/RealMouse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <windowsx.h>

using namespace window_skin;

namespace {

// The bar picture, two frames stacked: active and inactive. Each has a 4-pixel left end,
// a 2-pixel middle (one stripe of each colour) and a 5-pixel right end.
constexpr int kBarLeft = 4, kBarRight = 5, kBarFrameHeight = 20;
constexpr TColor kBarEnds[2] = {RgbColour(250, 120, 0), RgbColour(120, 60, 0)};
constexpr TColor kStripeA[2] = {RgbColour(0, 250, 120), RgbColour(0, 120, 60)};
constexpr TColor kStripeB[2] = {RgbColour(120, 0, 250), RgbColour(60, 0, 120)};
constexpr TColor kHotFrame = RgbColour(255, 255, 0);
constexpr TColor kBarText = RgbColour(0, 0, 255);

std::vector<std::byte> BarSkin(int tileMenu) {
    const std::string colours = "MenuBarText=0 0 255\r\nButtonHilight=255 255 0\r\n";
    const std::string personality = "menuBar=menubar.bmp\r\nTileMenu=" + std::to_string(tileMenu) +
                            "\r\nTileLeftMenu=4\r\nTileRightMenu=5\r\n";
    const int width = kBarLeft + 2 + kBarRight;
    const auto bar = test_skins::PatternBitmap(width, kBarFrameHeight * 2, [](int x, int y) {
        const int frame = y / kBarFrameHeight;
        if (x < kBarLeft || x >= kBarLeft + 2) return kBarEnds[frame];
        return x == kBarLeft ? kStripeA[frame] : kStripeB[frame];
    });
    return Skin(true, colours, "", {{"menubar.bmp", bar}}, personality);
}

// What the test window's procedure saw.
std::vector<WPARAM> g_commands;
LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_COMMAND) g_commands.push_back(wParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

constexpr UINT kNew = 101, kOpen = 102, kCut = 201, kAbout = 301, kAlone = 401;

struct BarMenus {
    HMENU bar = nullptr, file = nullptr, edit = nullptr, help = nullptr;
};

BarMenus MakeMenu() {
    BarMenus m;
    m.bar = ::CreateMenu();
    m.file = ::CreatePopupMenu();
    ::AppendMenuW(m.file, MF_STRING, kNew, L"&New");
    ::AppendMenuW(m.file, MF_STRING, kOpen, L"&Open");
    m.edit = ::CreatePopupMenu();
    ::AppendMenuW(m.edit, MF_STRING, kCut, L"Cu&t");
    m.help = ::CreatePopupMenu();
    ::AppendMenuW(m.help, MF_STRING, kAbout, L"&About");
    ::AppendMenuW(m.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m.file), L"&File");
    ::AppendMenuW(m.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m.edit), L"&Edit");
    ::AppendMenuW(m.bar, MF_STRING, kAlone, L"&Go");
    ::AppendMenuW(m.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m.help), L"&Help");
    return m;
}

HWND MakeWindow(HMENU menu) {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = BarWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MenuBarTestWindow";
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        return ::RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    HWND window = ::CreateWindowExW(0, L"MenuBarTestWindow", L"bar", WS_OVERLAPPEDWINDOW, 40, 40, 360, 220, nullptr,
                                    menu, ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    return window;
}

class MenuBarTest : public SkinnedTest {
protected:
    void UseSkin(int tileMenu) {
        ASSERT_TRUE(SetBinaryProp(skin.get(), u"SkinStream", test_skins::PropertyBlock(BarSkin(tileMenu))));
        ASSERT_NE(skin->MenuBarSkin(), nullptr);
    }
    // Skinned, shown and holding the keyboard focus, for real input.
    TWinSkinForm* ShownAndActive(HWND window) {
        ::ShowWindow(window, SW_SHOW);
        TWinSkinForm* form = SkinAndStart(window);
        ::SetForegroundWindow(window);
        EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window && ::GetFocus() == window; }));
        return form;
    }
    static COLORREF Rgb(TColor c) { return ColorToRGB(c); }
    static bool AllEqual(const DibSection& dib, int left, int top, int right, int bottom, COLORREF colour) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if ((dib.Pixel(x, y) & 0xFFFFFF) != colour) return false;
        return true;
    }
    static int CountOf(const DibSection& dib, const core::Rect& r, COLORREF colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if ((dib.Pixel(x, y) & 0xFFFFFF) == colour) ++n;
        return n;
    }
    void TearDown() override {
        g_commands.clear();
        SkinnedTest::TearDown();
    }
};

TEST_F(MenuBarTest, AWindowWithAMenuGetsTheSkinFrameWithTheBarUnderTheCaptionAndItsMenuBack) {
    UseSkin(1);
    const BarMenus menus = MakeMenu();
    HWND window = MakeWindow(menus.bar);
    RECT clientBefore{};
    ::GetClientRect(window, &clientBefore);
    TWinSkinForm* form = SkinAndStart(window);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->FrameSkinning());
    TWinSkinMenu* bar = form->MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::GetMenu(window), nullptr);  // the system bar is gone
    const int barHeight = ::GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(form->MenuBarHeight(), barHeight);

    // The client starts below the bar.
    RECT windowRect{}, client{};
    ::GetWindowRect(window, &windowRect);
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    EXPECT_EQ(origin.x - windowRect.left, kLeft);
    EXPECT_EQ(origin.y - windowRect.top, kTop + barHeight);
    EXPECT_EQ(client.bottom, clientBefore.bottom);  // the bar takes no room from the client

    DibSection frame;
    PaintFrame(*form, frame);
    const int w = windowRect.right - windowRect.left;
    const int barTop = kTop, barBottom = kTop + barHeight;
    // Tile 1: the ends at their widths, the two-stripe middle stretched (not repeated).
    // The window is painted active (no test window holds the activation here) or not:
    // read which frame from the first pixel.
    const COLORREF end = frame.Pixel(kLeft, barTop + 1) & 0xFFFFFF;
    const int f = end == Rgb(kBarEnds[0]) ? 0 : 1;
    ASSERT_EQ(end, Rgb(kBarEnds[f]));
    EXPECT_TRUE(AllEqual(frame, kLeft, barTop, kLeft + kBarLeft, barBottom, Rgb(kBarEnds[f])));
    EXPECT_TRUE(AllEqual(frame, w - kRight - kBarRight, barTop, w - kRight, barBottom, Rgb(kBarEnds[f])));
    const int middleLeft = kLeft + kBarLeft, middleRight = w - kRight - kBarRight;
    const int quarter = middleLeft + (middleRight - middleLeft) / 4, threeQuarters = middleRight - (middleRight - middleLeft) / 4;
    EXPECT_EQ(frame.Pixel(quarter, barBottom - 1) & 0xFFFFFF, Rgb(kStripeA[f]));
    EXPECT_EQ(frame.Pixel(quarter + 1, barBottom - 1) & 0xFFFFFF, Rgb(kStripeA[f]));
    EXPECT_EQ(frame.Pixel(threeQuarters, barBottom - 1) & 0xFFFFFF, Rgb(kStripeB[f]));

    // Four buttons from LeftWidth + 4; "Go" has no submenu but is a button all the same.
    ASSERT_EQ(bar->Buttons().size(), 4u);
    const core::Rect first = bar->Buttons()[0]->Bounds;
    EXPECT_EQ(first.left, kLeft + kBarLeft + 4);
    EXPECT_EQ(first.top, barTop);
    EXPECT_EQ(first.bottom, barBottom - 1);
    for (size_t i = 1; i < 4; ++i) EXPECT_EQ(bar->Buttons()[i]->Bounds.left, bar->Buttons()[i - 1]->Bounds.right);
    // Each caption is drawn in its cell in the bar's text colour; nothing of it past the last cell.
    for (const auto& button : bar->Buttons()) EXPECT_GT(CountOf(frame, button->Bounds, Rgb(kBarText)), 0) << button->Index();
    const core::Rect past{bar->Buttons()[3]->Bounds.right, barTop, middleRight, barBottom};
    EXPECT_EQ(CountOf(frame, past, Rgb(kBarText)), 0);
    EXPECT_EQ(bar->FindMenuButton({first.left + 2, first.top + 2}), bar->Buttons()[0].get());
    EXPECT_EQ(bar->FindMenuButton({first.left - 1, first.top + 2}), nullptr);
    EXPECT_EQ(form->FindAccelButton(L'h'), bar->Buttons()[3].get());

    // A hot button gets a frame in ButtonHilight; leaving it restores the bar's own pixels.
    TMenuBtn& hot = *bar->Buttons()[1];
    hot.State = TNCObject::kHot;
    ASSERT_TRUE(bar->PaintButton(frame.Dc(), hot));
    ::GdiFlush();
    const core::Rect b = hot.Bounds;
    EXPECT_TRUE(AllEqual(frame, b.left, b.top, b.right, b.top + 1, Rgb(kHotFrame)));
    EXPECT_TRUE(AllEqual(frame, b.left, b.top, b.left + 1, b.bottom, Rgb(kHotFrame)));
    EXPECT_TRUE(AllEqual(frame, b.right - 1, b.top, b.right, b.bottom, Rgb(kHotFrame)));
    EXPECT_EQ(CountOf(frame, bar->Buttons()[0]->Bounds, Rgb(kHotFrame)), 0);  // the neighbour is untouched
    EXPECT_EQ(CountOf(frame, bar->Buttons()[2]->Bounds, Rgb(kHotFrame)), 0);
    hot.State = TNCObject::kNormal;
    ASSERT_TRUE(bar->PaintButton(frame.Dc(), hot));
    ::GdiFlush();
    EXPECT_EQ(CountOf(frame, b, Rgb(kHotFrame)), 0);
    EXPECT_GT(CountOf(frame, b, Rgb(kBarText)), 0);

    // A button without a submenu posts its command and opens nothing.
    g_commands.clear();
    EXPECT_FALSE(form->OpenMenuButton(bar->Buttons()[2].get()));
    EXPECT_FALSE(form->OpenMenuButton(nullptr));
    ASSERT_TRUE(PumpUntil([] { return !g_commands.empty(); }));
    EXPECT_EQ(g_commands, (std::vector<WPARAM>{kAlone}));
    // So does the engine's message that opens the bar button at a screen point.
    const core::Rect go = bar->Buttons()[2]->Bounds;
    ::PostMessageW(window, WMX_OPENMENUBUTTON, 0, MAKELPARAM(windowRect.left + 1, windowRect.top + 1));  // no button
    ::PostMessageW(window, WMX_OPENMENUBUTTON, 0,
                   MAKELPARAM(windowRect.left + (go.left + go.right) / 2, windowRect.top + (go.top + go.bottom) / 2));
    ASSERT_TRUE(PumpUntil([] { return g_commands.size() > 1; }));  // both handled, in order
    EXPECT_EQ(g_commands, (std::vector<WPARAM>{kAlone, kAlone}));

    // Unskinning gives the window its own menu bar back, with the client as it was.
    manager->Unskin(*form);
    EXPECT_EQ(::GetMenu(window), menus.bar);
    RECT after{};
    ::GetClientRect(window, &after);
    EXPECT_EQ(after.right, clientBefore.right);
    EXPECT_EQ(after.bottom, clientBefore.bottom);
    ::DestroyWindow(window);
}

TEST_F(MenuBarTest, ABarOfAnyOtherTileRepeatsItsMiddle) {
    UseSkin(0);
    const HMENU menu = MakeMenu().bar;
    HWND window = MakeWindow(menu);
    TWinSkinForm* form = SkinAndStart(window);
    ASSERT_NE(form, nullptr);
    DibSection frame;
    PaintFrame(*form, frame);
    const int y = kTop + form->MenuBarHeight() - 1;
    const COLORREF end = frame.Pixel(kLeft, y) & 0xFFFFFF;
    const int f = end == Rgb(kBarEnds[0]) ? 0 : 1;
    ASSERT_EQ(end, Rgb(kBarEnds[f]));
    // The middle repeats its two stripes at their own width.
    const int x = kLeft + kBarLeft + 40;
    const COLORREF a = frame.Pixel(x, y) & 0xFFFFFF, b = frame.Pixel(x + 1, y) & 0xFFFFFF;
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == Rgb(kStripeA[f]) && b == Rgb(kStripeB[f])) || (a == Rgb(kStripeB[f]) && b == Rgb(kStripeA[f])));
    EXPECT_EQ(frame.Pixel(x + 2, y) & 0xFFFFFF, a);
    // The window's menu goes with the window, as it would have without the skin.
    ::DestroyWindow(window);
    EXPECT_FALSE(::IsMenu(menu));
}

// The menus shown by this process's visible menu windows.
BOOL CALLBACK CollectMenu(HWND window, LPARAM lParam) noexcept {
    wchar_t name[16]{};
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    // WINE: the class of a menu window reads back as the atom's name only through GetClassNameW.
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window) || !::GetClassNameW(window, name, 16) ||
        std::wstring_view{name} != L"#32768")
        return TRUE;
    DWORD_PTR menu = 0;
    ::SendMessageTimeoutW(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 500, &menu);
    reinterpret_cast<std::vector<HMENU>*>(lParam)->push_back(reinterpret_cast<HMENU>(menu));
    return TRUE;
}
std::vector<HMENU> OpenMenus() {
    std::vector<HMENU> menus;
    ::EnumWindows(CollectMenu, reinterpret_cast<LPARAM>(&menus));
    return menus;
}

void Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}
void Press(WORD key) {
    Key(key, false);
    Key(key, true);
}

// Waits (a few seconds at most) until exactly one menu window shows `menu`, or none when null.
bool ShowsOnly(HMENU menu, int tries = 150) {
    for (int i = 0; i < tries; ++i) {
        const std::vector<HMENU> open = OpenMenus();
        if (menu ? open == std::vector<HMENU>{menu} : open.empty()) return true;
        ::Sleep(20);
    }
    return false;
}

void AltAnd(WORD letter) {
    Key(VK_MENU, false);
    Press(letter);
    Key(VK_MENU, true);
}

// Notes `what` as failed unless exactly `menu` comes to show (none for null).
void Expect(std::vector<std::string>& failed, const char* what, HMENU menu) {
    if (!ShowsOnly(menu)) failed.push_back(what);
}

// Runs `script` on a second thread while this one pumps (and blocks in the menu loops
// the script opens); whatever menu is left open afterwards is closed, so nothing hangs.
// The script adds what went wrong to `failed`.
std::vector<std::string> DriveMenus(HWND window, const std::function<void(std::vector<std::string>&)>& script) {
    std::atomic<bool> done{false};
    std::vector<std::string> failed;
    std::thread driver([&] {
        script(failed);
        for (int i = 0; i < 5 && !OpenMenus().empty(); ++i) {
            Press(VK_ESCAPE);
            ::PostMessageW(window, WM_CANCELMODE, 0, 0);
            ::Sleep(100);
        }
        done = true;
    });
    if (!PumpUntil([&] { return done.load(); }, 30000)) failed.push_back("the script did not end");
    driver.join();
    return failed;
}

TEST_F(MenuBarTest, TheKeysOpenABarButtonAndMoveAlongTheBarThroughARealMenuLoop) {
    UseSkin(1);
    const BarMenus menus = MakeMenu();
    HWND window = MakeWindow(menus.bar);
    TWinSkinForm* form = ShownAndActive(window);
    ASSERT_NE(form, nullptr);

    // The keys come from a second thread while the menu loop blocks this one.
    const auto failed = DriveMenus(window, [&](std::vector<std::string>& failed) {
        const auto step = [&](const char* what, HMENU expected) { Expect(failed, what, expected); };
        AltAnd('F');
        step("Alt+F opens File", menus.file);
        Press(VK_RIGHT);
        step("Right moves to Edit", menus.edit);
        Press(VK_RIGHT);
        step("Right passes Go, which opens nothing, to Help", menus.help);
        Press(VK_RIGHT);
        step("Right wraps round to File", menus.file);
        Press(VK_LEFT);
        step("Left wraps round to Help", menus.help);
        Press(VK_ESCAPE);
        step("Escape closes the menu", nullptr);
        Press(VK_F10);
        step("F10 opens the first button", menus.file);
        Press(VK_ESCAPE);
        step("Escape closes it again", nullptr);
    });
    for (const std::string& what : failed) ADD_FAILURE() << what;
    EXPECT_FALSE(form->TrackingMenu());

    // With every message filter of the thread taken the popup still opens; only the moves
    // along the bar are lost, and that is logged.
    std::vector<std::unique_ptr<HookGuard>> taken;
    while (taken.size() < HookGuard::kPerKind)
        taken.push_back(std::make_unique<HookGuard>(WH_MSGFILTER, HookGuard::Handler{[](int, WPARAM, LPARAM) {}}));
    FailureLogCapture log;
    ::PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, L'e');
    const auto unfiltered = DriveMenus(window, [&](std::vector<std::string>& failed) {
        if (!ShowsOnly(menus.edit)) failed.push_back("Alt+E opens Edit");
        Press(VK_RIGHT);
        ::Sleep(300);
        if (!ShowsOnly(menus.edit)) failed.push_back("without the filter Right stays in Edit");
    });
    for (const std::string& what : unfiltered) ADD_FAILURE() << what;
    EXPECT_EQ(log.Count(u"the menu-bar hook could not be installed"), 1u);
    ::DestroyWindow(window);
}

// The pointer is moved as a user's mouse would be. WINE: it runs before any test that
// presses a mouse button: after a press that opened a menu, the test program's pointer
// stayed where the press was, whatever input followed (a new program's moves again).
TEST_F(MenuBarTest, MovingThePointerOntoAnotherBarButtonOpensThatOneOnly) {
    UseSkin(1);
    const BarMenus menus = MakeMenu();
    HWND window = MakeWindow(menus.bar);
    TWinSkinForm* form = ShownAndActive(window);
    ASSERT_NE(form, nullptr);
    RECT at{};
    ::GetWindowRect(window, &at);
    const auto centre = [&](int index) {
        const core::Rect b = form->MenuBar()->Buttons()[static_cast<size_t>(index)]->Bounds;
        return POINT{at.left + (b.left + b.right) / 2, at.top + (b.top + b.bottom) / 2};
    };
    const POINT go = centre(2), help = centre(3);
    g_commands.clear();
    ::PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, L'f');
    const auto failed = DriveMenus(window, [&](std::vector<std::string>& failed) {
        if (!ShowsOnly(menus.file)) failed.push_back("Alt+F opens File");
        MoveTo(go);
        ::Sleep(300);
        if (!ShowsOnly(menus.file)) failed.push_back("passing over Go, which opens nothing, keeps File open");
        MoveTo(help);
        if (!ShowsOnly(menus.help)) failed.push_back("the pointer on Help opens Help");
    });
    for (const std::string& what : failed) ADD_FAILURE() << what;
    EXPECT_FALSE(form->TrackingMenu());
    PumpUntil([] { return false; }, 200);  // a posted command would have arrived by now
    EXPECT_TRUE(g_commands.empty());  // Go's command was not run on the way
    ::DestroyWindow(window);
}

TEST_F(MenuBarTest, APressOnABarButtonOpensItsMenuUnderIt) {
    UseSkin(1);
    const BarMenus menus = MakeMenu();
    HWND window = MakeWindow(menus.bar);
    TWinSkinForm* form = ShownAndActive(window);
    ASSERT_NE(form, nullptr);
    ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    RECT at{};
    ::GetWindowRect(window, &at);
    const core::Rect b = form->MenuBar()->Buttons()[1]->Bounds;
    const POINT edit{at.left + (b.left + b.right) / 2, at.top + (b.top + b.bottom) / 2};

    RECT shownAt{};
    const auto failed = DriveMenus(window, [&](std::vector<std::string>& failed) {
        ::SetCursorPos(edit.x, edit.y);
        MoveTo(edit);
        Button(MOUSEEVENTF_LEFTDOWN);
        Button(MOUSEEVENTF_LEFTUP);
        if (!ShowsOnly(menus.edit)) failed.push_back("a press on Edit opens its menu");
        HWND popup = ::FindWindowW(L"#32768", nullptr);
        if (popup) ::GetWindowRect(popup, &shownAt);
        Press(VK_ESCAPE);
        if (!ShowsOnly(nullptr)) failed.push_back("Escape closes it");
    });
    for (const std::string& what : failed) ADD_FAILURE() << what;
    // Under the button, from its left edge.
    EXPECT_EQ(shownAt.left, at.left + b.left);
    EXPECT_EQ(shownAt.top, at.top + b.bottom);
    EXPECT_FALSE(form->TrackingMenu());
    ::DestroyWindow(window);
}

TMenuItem& AddItem(TComponent& owner, TMenuItem& parent, const wchar_t* caption) {
    auto& item = owner.Create<TMenuItem>();
    item.SetCaption(caption);
    parent.Add(item);
    return item;
}

TEST_F(MenuBarTest, AFormsBarShowsItsItemsAndOpensThemWithAltAndALetter) {
    UseSkin(1);
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    form.SetBounds(30, 30, 360, 220);
    auto& menu = form.Create<TMainMenu>();
    TMenuItem& file = AddItem(form, menu.Items(), L"&File");
    for (const wchar_t* caption : {L"-", L"&Open", L"-", L"-", L"&Quit", L"-"}) AddItem(form, file, caption);
    file.Items(1)->SetShortCut(ShortCut('O', scCtrl));
    TMenuItem& tools = AddItem(form, menu.Items(), L"&Tools");
    AddItem(form, tools, L"&Options");
    tools.SetEnabled(false);
    TMenuItem& help = AddItem(form, menu.Items(), L"&Help");
    AddItem(form, help, L"&About");
    form.SetMenu(&menu);
    form.SetVisible(true);
    HWND window = form.Handle();
    TWinSkinForm* skinned = SkinAndStart(window);
    ASSERT_NE(skinned, nullptr);
    ASSERT_NE(skinned->MenuBar(), nullptr);
    EXPECT_EQ(::GetMenu(window), nullptr);
    DibSection frame;
    PaintFrame(*skinned, frame);

    const auto& buttons = skinned->MenuBar()->Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0]->Caption, L"&File");
    EXPECT_EQ(buttons[0]->MenuItem(), &file);
    EXPECT_EQ(buttons[0]->Submenu, file.Handle());
    EXPECT_FALSE(buttons[1]->Enabled);  // the item's own state
    EXPECT_EQ(buttons[2]->Command, static_cast<UINT>(help.Command()));

    // Alt held: a letter of an enabled button posts a click on it; a disabled button's
    // letter, or the letter without Alt, is left to the form.
    BYTE keys[256]{};
    ::GetKeyboardState(keys);
    const BYTE saved = keys[VK_MENU];
    const auto dialogChar = [&](wchar_t letter, bool alt) {
        keys[VK_MENU] = alt ? 0x80 : 0;
        ::SetKeyboardState(keys);
        return form.Perform(kMsgDialogChar, letter, 0);
    };
    MSG posted{};
    while (::PeekMessageW(&posted, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) {}
    EXPECT_EQ(dialogChar(L'h', true), 1);
    ASSERT_TRUE(::PeekMessageW(&posted, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    RECT at{};
    ::GetWindowRect(window, &at);
    const core::Rect helpBounds = buttons[2]->Bounds;
    EXPECT_EQ(skinned->MenuBar()->FindMenuButton({GET_X_LPARAM(posted.lParam) - at.left, GET_Y_LPARAM(posted.lParam) - at.top}),
              buttons[2].get());
    EXPECT_EQ(GET_X_LPARAM(posted.lParam), at.left + helpBounds.left + 1);
    EXPECT_EQ(dialogChar(L't', true), 0);
    EXPECT_EQ(dialogChar(L'f', false), 0);
    EXPECT_FALSE(::PeekMessageW(&posted, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    keys[VK_MENU] = saved;
    ::SetKeyboardState(keys);

    // The bar follows changes of the form's items.
    tools.SetEnabled(true);
    help.SetCaption(L"&Info");
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_TRUE(buttons[1]->Enabled);
    EXPECT_EQ(buttons[2]->Caption, L"&Info");
    EXPECT_EQ(buttons[2]->MenuItem(), &help);
    EXPECT_EQ(::GetMenu(window), nullptr);

    // Alt+F through the window opens File with its separators tidied; showing and hiding
    // them rebuilds the bar's buttons while the button is being opened.
    ::PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, L'f');
    int shownItems = -1;
    const auto failed = DriveMenus(window, [&](std::vector<std::string>& failed) {
        if (ShowsOnly(file.HandleIfAllocated())) shownItems = ::GetMenuItemCount(file.HandleIfAllocated());
        else failed.push_back("Alt+F opens File");
    });
    for (const std::string& what : failed) ADD_FAILURE() << what;
    EXPECT_EQ(shownItems, 3);  // Open, one separator, Quit
    const std::vector<bool> visible{file.Items(0)->Visible(), file.Items(2)->Visible(), file.Items(3)->Visible(),
                                    file.Items(5)->Visible()};
    EXPECT_EQ(visible, (std::vector<bool>{false, false, true, false}));
    EXPECT_FALSE(skinned->TrackingMenu());

    manager->Unskin(*skinned);
    EXPECT_EQ(::GetMenu(window), menu.Handle());
}

TEST_F(MenuBarTest, AFormThatChangesItsMenuGetsTheNewBarAndLosesItWithTheMenu) {
    UseSkin(1);
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    form.SetBounds(30, 30, 360, 220);
    auto& first = form.Create<TMainMenu>();
    AddItem(form, AddItem(form, first.Items(), L"&File"), L"&Open");
    auto& second = form.Create<TMainMenu>();
    AddItem(form, AddItem(form, second.Items(), L"&View"), L"&Zoom");
    AddItem(form, AddItem(form, second.Items(), L"&Help"), L"&About");
    form.SetVisible(true);
    HWND window = form.Handle();
    TWinSkinForm* skinned = SkinAndStart(window);
    ASSERT_NE(skinned, nullptr);
    ASSERT_EQ(skinned->MenuBar(), nullptr);  // no menu yet
    RECT windowBefore{}, clientBefore{};
    ::GetWindowRect(window, &windowBefore);
    ::GetClientRect(window, &clientBefore);
    const int barHeight = ::GetSystemMetrics(SM_CYMENU);
    const auto clientHeight = [&] {
        RECT client{};
        ::GetClientRect(window, &client);
        return static_cast<int>(client.bottom);
    };
    const auto captions = [&] {
        std::vector<std::wstring> texts;
        if (TWinSkinMenu* bar = skinned->MenuBar())
            for (const auto& button : bar->Buttons()) texts.push_back(button->Caption);
        return texts;
    };

    // A menu set while skinned: the skinned bar, never the system's, and the client gives
    // way while the window keeps its size.
    form.SetMenu(&first);
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_EQ(captions(), (std::vector<std::wstring>{L"&File"}));
    EXPECT_EQ(skinned->MenuBarHeight(), barHeight);
    EXPECT_EQ(clientHeight(), clientBefore.bottom - barHeight);
    RECT windowNow{};
    ::GetWindowRect(window, &windowNow);
    EXPECT_EQ(windowNow.bottom - windowNow.top, windowBefore.bottom - windowBefore.top);

    // Another menu replaces the bar's buttons; the first menu's handle stays off the window.
    form.SetMenu(&second);
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_EQ(captions(), (std::vector<std::wstring>{L"&View", L"&Help"}));
    EXPECT_EQ(skinned->FindAccelButton(L'f'), nullptr);
    EXPECT_NE(skinned->FindAccelButton(L'h'), nullptr);
    EXPECT_EQ(clientHeight(), clientBefore.bottom - barHeight);

    // No menu: no bar, and the client has its room back.
    form.SetMenu(nullptr);
    EXPECT_EQ(skinned->MenuBar(), nullptr);
    EXPECT_EQ(skinned->MenuBarHeight(), 0);
    EXPECT_EQ(clientHeight(), clientBefore.bottom);
    EXPECT_EQ(::GetMenu(window), nullptr);

    // Unskinned, the window shows the menu the form has then, not one it had before.
    form.SetMenu(&second);
    manager->Unskin(*skinned);
    EXPECT_EQ(::GetMenu(window), second.Handle());
}

TEST_F(MenuBarTest, ASecondFormHandsAltAndALetterToTheMainFormsBar) {
    UseSkin(1);
    TApplication app;
    auto& main = app.CreateForm<TForm>();
    main.SetBounds(30, 30, 360, 220);
    auto& menu = main.Create<TMainMenu>();
    AddItem(main, AddItem(main, menu.Items(), L"&File"), L"&Open");
    main.SetMenu(&menu);
    main.SetVisible(true);
    auto& second = app.CreateForm<TForm>();
    second.SetBounds(60, 60, 200, 120);
    second.SetVisible(true);
    TWinSkinForm* mainSkin = SkinAndStart(main.Handle());
    ASSERT_NE(mainSkin, nullptr);
    ASSERT_NE(mainSkin->MenuBar(), nullptr);
    ASSERT_NE(SkinAndStart(second.Handle()), nullptr);

    BYTE keys[256]{};
    ::GetKeyboardState(keys);
    const BYTE saved = keys[VK_MENU];
    keys[VK_MENU] = 0x80;
    ::SetKeyboardState(keys);
    MSG posted{};
    while (::PeekMessageW(&posted, nullptr, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) {}
    const LRESULT onFile = second.Perform(kMsgDialogChar, L'f', 0);
    const bool clicked = ::PeekMessageW(&posted, main.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE);
    const LRESULT onNothing = second.Perform(kMsgDialogChar, L'q', 0);
    keys[VK_MENU] = saved;
    ::SetKeyboardState(keys);
    EXPECT_EQ(onFile, 1);
    EXPECT_TRUE(clicked);  // on the main window's File button
    EXPECT_EQ(onNothing, 0);
    EXPECT_FALSE(::PeekMessageW(&posted, nullptr, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
}

TEST_F(MenuBarTest, RightToLeftTheBarRunsFromTheRightAndTheArrowKeysSwap) {
    UseSkin(1);
    BarMenus menus = MakeMenu();
    // Help's first item opens a submenu of its own.
    HMENU more = ::CreatePopupMenu();
    ::AppendMenuW(more, MF_STRING, 111, L"&Deeper");
    ::InsertMenuW(menus.help, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"&More");
    HWND window = MakeWindow(menus.bar);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE,
                        ::GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR | WS_EX_RTLREADING | WS_EX_RIGHT);
    TWinSkinForm* form = ShownAndActive(window);
    ASSERT_NE(form, nullptr);
    ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const auto& buttons = form->MenuBar()->Buttons();
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_GT(buttons[0]->Bounds.left, buttons[1]->Bounds.left);  // File is the rightmost

    const auto failed = DriveMenus(window, [&](std::vector<std::string>& failed) {
        const auto step = [&](const char* what, HMENU expected) { Expect(failed, what, expected); };
        AltAnd('F');
        step("Alt+F opens File", menus.file);
        Press(VK_LEFT);
        step("Left moves on to Edit, which lies left of File", menus.edit);
        Press(VK_RIGHT);
        step("Right moves back to File", menus.file);
        Press(VK_RIGHT);
        step("Right from File wraps round to Help", menus.help);
        // More is selected: Left is the way into its submenu, as Right is left to right.
        Press(VK_LEFT);
        bool deeper = false;
        for (int i = 0; i < 100 && !deeper; ++i, ::Sleep(20)) deeper = OpenMenus().size() == 2;
        if (!deeper) failed.push_back("Left opens More's submenu");
    });
    for (const std::string& what : failed) ADD_FAILURE() << what;
    EXPECT_FALSE(form->TrackingMenu());
    ::DestroyWindow(window);
}

}  // namespace
