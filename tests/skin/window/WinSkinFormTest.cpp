#include "skin/window/WinSkinForm.h"

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <vector>

#include <windows.h>

using namespace window_skin;

namespace {


// What the test windows' own procedure saw of the engine's messages.
struct Seen {
    std::vector<WPARAM> actions;
    int erased = 0;
};
Seen g_seen;

LRESULT CALLBACK TestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WMX_CAPTIONACTION) g_seen.actions.push_back(wParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW, DWORD exStyle = 0, const wchar_t* text = L"Skinned window",
                int width = 320, int height = 220) {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TestProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"WinSkinFormTestWindow";
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.style = CS_DBLCLKS;
        return ::RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    HWND window = ::CreateWindowExW(exStyle, L"WinSkinFormTestWindow", text, style, 40, 40, width, height, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    return window;
}

core::Size SizeOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

class WinSkinFormTest : public SkinnedTest {
protected:
    static COLORREF Rgb(TColor colour) { return ColorToRGB(colour); }
};

TEST_F(WinSkinFormTest, AWindowIsSkinnedOnceAndSaysSo) {
    HWND window = MakeWindow();
    const auto original = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 0);
    ASSERT_TRUE(manager->SkinWindow(window));
    TWinSkinForm* form = manager->FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->State(), TWinSkinForm::SkinState::Attached);  // the start message is posted
    EXPECT_NE(::GetWindowLongPtrW(window, GWLP_WNDPROC), original);
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 1);
    EXPECT_FALSE(manager->SkinWindow(window));  // never twice
    EXPECT_EQ(manager->SkinForms().size(), 1u);
    EXPECT_EQ(form->Border(), BorderKind::Sizeable);
    EXPECT_TRUE(form->FrameSkinning());
    ::DestroyWindow(window);
}

TEST_F(WinSkinFormTest, NothingIsPaintedBeforeTheStartMessage) {
    HWND window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    PumpUntil([] { return false; }, 50);
    ASSERT_TRUE(manager->SkinWindow(window));
    TWinSkinForm* form = manager->FindSkinForm(window);
    ASSERT_EQ(form->State(), TWinSkinForm::SkinState::Attached);
    // Mark the frame, ask for a frame paint, and find the mark untouched.
    {
        const WindowDc dc = WindowDc::Whole(window);
        const RECT strip{0, 0, SizeOf(window).width, 3};
        BrushHandle mark{::CreateSolidBrush(kSentinel)};
        ::FillRect(dc.Get(), &strip, mark.Get());
        EXPECT_EQ(::SendMessageW(window, WM_NCPAINT, 1, 0), 0);
        ::GdiFlush();
        EXPECT_EQ(::GetPixel(dc.Get(), 10, 1), kSentinel);
    }
    DibSection frame;
    EXPECT_FALSE(form->PaintNonClient(nullptr));
    EXPECT_TRUE(PumpUntil([&] { return form->State() == TWinSkinForm::SkinState::Running; }));
    PaintFrame(*form, frame);
    EXPECT_EQ(frame.Pixel(1, 40), Rgb(kLeftActive));
    ::DestroyWindow(window);
}

TEST_F(WinSkinFormTest, TheWindowKeepsItsClientInsideTheSkinFrame) {
    HWND window = MakeWindow();
    RECT before{};
    ::GetClientRect(window, &before);
    const core::Size outer = SizeOf(window);
    TWinSkinForm* form = SkinAndStart(window);
    ASSERT_NE(form, nullptr);
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, before.right);
    EXPECT_EQ(client.bottom, before.bottom);
    EXPECT_EQ(SizeOf(window), (core::Size{before.right + kLeft + kRight, before.bottom + kTop + kBottom}));
    EXPECT_EQ(form->Borders(), (FrameBorders{kLeft, kTop, kRight, kBottom}));
    EXPECT_EQ(form->StandardFrameExtra(), (core::Size{outer.width - before.right, outer.height - before.bottom}));
    // The client's origin sits at the frame's inner corner.
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    EXPECT_EQ(origin.x - bounds.left, kLeft);
    EXPECT_EQ(origin.y - bounds.top, kTop);
    ::DestroyWindow(window);
}

TEST_F(WinSkinFormTest, TheRegionFollowsTheTransparentCornersOfTheFrame) {
    HWND window = MakeWindow();
    ASSERT_NE(SkinAndStart(window), nullptr);
    const core::Size size = SizeOf(window);
    RegionHandle shape{::CreateRectRgn(0, 0, 0, 0)};
    ASSERT_NE(::GetWindowRgn(window, shape.Get()), ERROR);
    EXPECT_FALSE(::PtInRegion(shape.Get(), 0, 0));                // the left picture's corner pixel
    EXPECT_TRUE(::PtInRegion(shape.Get(), 1, 0));
    EXPECT_TRUE(::PtInRegion(shape.Get(), 0, 1));
    EXPECT_FALSE(::PtInRegion(shape.Get(), size.width - 1, 0));   // the right one's
    EXPECT_FALSE(::PtInRegion(shape.Get(), kLeft, 0));            // the caption's, where it starts
    EXPECT_TRUE(::PtInRegion(shape.Get(), size.width / 2, 0));    // the caption's middle is stretched
    EXPECT_TRUE(::PtInRegion(shape.Get(), size.width / 2, size.height / 2));
    EXPECT_TRUE(::PtInRegion(shape.Get(), size.width - 1, size.height - 1));
    EXPECT_FALSE(::PtInRegion(shape.Get(), size.width, size.height / 2));

    // Minimised, the window is its caption alone, its corner cut as well.
    ::ShowWindow(window, SW_MINIMIZE);
    PumpUntil([] { return false; }, 50);
    const core::Size small = SizeOf(window);
    ASSERT_NE(::GetWindowRgn(window, shape.Get()), ERROR);
    RECT box{};
    ::GetRgnBox(shape.Get(), &box);
    EXPECT_EQ(box.right, small.width);
    EXPECT_FALSE(::PtInRegion(shape.Get(), 0, 0));
    EXPECT_TRUE(::PtInRegion(shape.Get(), 1, 0));
    ::DestroyWindow(window);
}

TEST_F(WinSkinFormTest, AnOpaqueFrameGivesTheWholeRectangle) {
    ASSERT_TRUE(SetBinaryProp(skin.get(), u"SkinStream", test_skins::PropertyBlock(window_skin::Skin(false))));
    HWND window = MakeWindow();
    ASSERT_NE(SkinAndStart(window), nullptr);
    const core::Size size = SizeOf(window);
    RegionHandle shape{::CreateRectRgn(0, 0, 0, 0)};
    ASSERT_EQ(::GetWindowRgn(window, shape.Get()), SIMPLEREGION);
    RECT box{};
    ::GetRgnBox(shape.Get(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, size.width);
    EXPECT_EQ(box.bottom, size.height);
    ::DestroyWindow(window);
}

TEST_F(WinSkinFormTest, TheFrameIsPaintedFromTheActiveOrTheInactivePictures) {
    HWND window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TWinSkinForm* form = SkinAndStart(window);
    ASSERT_NE(form, nullptr);
    const core::Size size = SizeOf(window);
    const int w = size.width, h = size.height;
    DibSection frame;
    PaintFrame(*form, frame);
    EXPECT_TRUE(frame.AllEqual({0, 30, kLeft, h - 20}, Rgb(kLeftActive)));
    EXPECT_TRUE(frame.AllEqual({w - kRight, 30, w, h - 20}, Rgb(kRightActive)));
    EXPECT_TRUE(frame.AllEqual({kLeft, h - kBottom, w - kRight, h}, Rgb(kBottomActive)));
    EXPECT_TRUE(frame.AllEqual({w / 2 - 20, 0, w / 2 + 20, 3}, Rgb(kTopActive)));
    // Caption buttons in their first frame, where their alignment puts them.
    EXPECT_TRUE(frame.AllEqual({w - kCloseX, 6, w - kCloseX + kButton, 6 + kButton}, Rgb(kButtonFrames[0])));
    EXPECT_TRUE(frame.AllEqual({w - kMinimizeX, 6, w - kMinimizeX + kButton, 6 + kButton}, Rgb(kButtonFrames[0])));
    // The client area is left alone.
    EXPECT_TRUE(frame.AllEqual({kLeft, kTop, w - kRight, h - kBottom}, kSentinel));
    // Caption text in the active colour, inside its box only.
    const core::Rect text = form->CaptionTextBox();
    EXPECT_EQ(text.left, 30);
    EXPECT_GT(frame.CountOther({text.left, text.top, text.right, text.bottom}, Rgb(kTopActive)), 0);
    EXPECT_TRUE(frame.AllEqual({text.right + 1, 3, w - kUserX - 1, kTop - 3}, Rgb(kTopActive)));

    // Inactive: the second frame of every border, the fourth of every caption button.
    ::SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(form->Active());
    PaintFrame(*form, frame);
    EXPECT_TRUE(frame.AllEqual({0, 30, kLeft, h - 20}, Rgb(kLeftInactive)));
    EXPECT_TRUE(frame.AllEqual({w - kRight, 30, w, h - 20}, Rgb(kRightInactive)));
    EXPECT_TRUE(frame.AllEqual({kLeft, h - kBottom, w - kRight, h}, Rgb(kBottomInactive)));
    EXPECT_TRUE(frame.AllEqual({w / 2 - 20, 0, w / 2 + 20, 3}, Rgb(kTopInactive)));
    EXPECT_TRUE(frame.AllEqual({w - kCloseX, 6, w - kCloseX + kButton, 6 + kButton}, Rgb(kButtonFrames[3])));
    ::DestroyWindow(window);
}

TEST_F(WinSkinFormTest, AWindowWithoutAMaximizeBoxShowsNoMaximizeButton) {
    HWND window = MakeWindow((WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_VISIBLE);
    TWinSkinForm* form = SkinAndStart(window);
    ASSERT_NE(form, nullptr);
    const int w = SizeOf(window).width;
    DibSection frame;
    PaintFrame(*form, frame);
    EXPECT_TRUE(frame.AllEqual({w - kMaximizeX, 6, w - kMaximizeX + kButton, 6 + kButton}, Rgb(kTopActive)));
    EXPECT_TRUE(frame.AllEqual({w - kCloseX, 6, w - kCloseX + kButton, 6 + kButton}, Rgb(kButtonFrames[0])));
    EXPECT_EQ(form->FindNCObject({w - kMaximizeX + 2, 8}), nullptr);
    ASSERT_NE(form->FindNCObject({w - kCloseX + 2, 8}), nullptr);
    ::DestroyWindow(window);
}

TEST_F(WinSkinFormTest, ACaptionChangeRepaintsTheSkinnedCaptionOnly) {
    HWND window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TWinSkinForm* form = SkinAndStart(window);
    ASSERT_NE(form, nullptr);
    ::SetForegroundWindow(window);
    PumpUntil([] { return false; }, 100);
    const int w = SizeOf(window).width;
    ::SetWindowTextW(window, L"A much longer caption text than before");
    ::UpdateWindow(window);
    PumpUntil([] { return false; }, 100);
    // What is on the window now: the skin's caption with the new text, nothing of the system's.
    DibSection screen(w, kTop);
    {
        const WindowDc dc = WindowDc::Whole(window);
        ::BitBlt(screen.Dc(), 0, 0, w, kTop, dc.Get(), 0, 0, SRCCOPY);
    }
    const COLORREF top = ::GetForegroundWindow() == window ? Rgb(kTopActive) : Rgb(kTopInactive);
    EXPECT_TRUE(screen.AllEqual({w - kUserX - 20, 0, w - kUserX, 4}, top));
    EXPECT_TRUE(screen.AllEqual({w - kCloseX, 6, w - kCloseX + kButton, 6 + kButton},
                                top == Rgb(kTopActive) ? Rgb(kButtonFrames[0]) : Rgb(kButtonFrames[3])));
    const core::Rect text = form->CaptionTextBox();
    EXPECT_GT(text.Width(), 150);  // measured for the new text
    EXPECT_GT(screen.CountOther({text.left, text.top, text.right, text.bottom}, top), 0);
    ::DestroyWindow(window);
}

// A system dialog whose caption is wider than its client, with one button.
HWND MakeDialog(const wchar_t* caption, int width) {
    HWND dialog = ::CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                    50, 50, width, 90, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 50, 22, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), ::GetModuleHandleW(nullptr), nullptr);
    return dialog;
}

TEST_F(WinSkinFormTest, ASystemDialogIsFramedAsADialogAndWidenedForItsCaption) {
    HWND dialog = MakeDialog(L"A caption that is far wider than this small dialog", 120);
    ASSERT_NE(dialog, nullptr);
    HWND button = ::GetDlgItem(dialog, IDOK);
    RECT buttonBefore{};
    ::GetWindowRect(button, &buttonBefore);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&buttonBefore), 2);
    RECT clientBefore{};
    ::GetClientRect(dialog, &clientBefore);
    TWinSkinForm* form = SkinAndStart(dialog);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Border(), BorderKind::Dialog);
    EXPECT_TRUE(form->IsDialog());
    const int width = SizeOf(dialog).width;
    const int natural = clientBefore.right + kLeft + kRight;
    ASSERT_GT(width, natural);  // widened: text shift + text + right clip
    RECT buttonAfter{};
    ::GetWindowRect(button, &buttonAfter);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&buttonAfter), 2);
    EXPECT_EQ(buttonAfter.left - buttonBefore.left, (width - natural) / 2);  // moved by half
    EXPECT_EQ(buttonAfter.top, buttonBefore.top);
    // No icon button on a dialog; the close button stays.
    DibSection frame;
    PaintFrame(*form, frame);
    EXPECT_TRUE(frame.AllEqual({width - kCloseX, 6, width - kCloseX + kButton, 6 + kButton}, Rgb(kButtonFrames[0])));
    EXPECT_EQ(form->FindNCObject({10, 8}), nullptr);
    ::DestroyWindow(dialog);
}

// Finds the message box while it runs, checks its skin, and closes it.
struct BoxFound {
    bool skinned = false;
    BorderKind border = BorderKind::Single;
};
BoxFound s_boxFound;
TSkinManage* s_boxManager = nullptr;
void CALLBACK WatchMessageBox(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    HWND box = ::FindWindowW(L"#32770", L"Skinned box");
    if (!box) return;
    if (TWinSkinForm* form = s_boxManager->FindSkinForm(box); form && form->State() == TWinSkinForm::SkinState::Running) {
        s_boxFound = {true, form->Border()};
        ::KillTimer(nullptr, id);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(WinSkinFormTest, AMessageBoxIsSkinnedWhenItIsActivated) {
    manager->InstallHook();
    manager->SetManagerState(SkinManagerLink::kLive);
    s_boxManager = manager;
    s_boxFound = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &WatchMessageBox);
    ::MessageBoxW(nullptr, L"A message for the skin", L"Skinned box", MB_OK | MB_ICONINFORMATION);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(s_boxFound.skinned);
    EXPECT_EQ(s_boxFound.border, BorderKind::Dialog);
    // The box is gone; its object goes at the next purge.
    HWND other = MakeWindow();
    manager->SkinWindow(other);
    EXPECT_EQ(manager->SkinForms().size(), 1u);
    ::DestroyWindow(other);
}

TEST_F(WinSkinFormTest, UnskinningGivesTheWindowBackExactlyAndLeaksNothing) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    form.SetBounds(60, 60, 360, 240);
    form.SetColor(RgbColour(1, 99, 7));
    form.SetCaption(L"Round trip");
    form.SetVisible(true);
    HWND window = form.Handle();
    RECT windowBefore{}, clientBefore{};
    ::GetWindowRect(window, &windowBefore);
    ::GetClientRect(window, &clientBefore);
    const auto procedure = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
    const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);

    const auto roundTrip = [&] {
        TWinSkinForm* skinned = SkinAndStart(window);
        if (!skinned) return;
        EXPECT_EQ(form.Color(), kFace);
        EXPECT_EQ(skinned->Owner(), &form);  // the form owns it
        manager->Unskin(*skinned);
        EXPECT_EQ(manager->FindSkinForm(window), nullptr);
    };
    roundTrip();
    RECT windowAfter{}, clientAfter{};
    ::GetWindowRect(window, &windowAfter);
    ::GetClientRect(window, &clientAfter);
    EXPECT_TRUE(::EqualRect(&windowAfter, &windowBefore));
    EXPECT_TRUE(::EqualRect(&clientAfter, &clientBefore));
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), procedure);
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE), style);
    RegionHandle shape{::CreateRectRgn(0, 0, 0, 0)};
    EXPECT_EQ(::GetWindowRgn(window, shape.Get()), ERROR);  // no region any more
    EXPECT_EQ(form.Color(), RgbColour(1, 99, 7));
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 0);

    const int headroom = GdiHeadroom();
    for (int i = 0; i < 1000; ++i) roundTrip();
    EXPECT_LE(headroom - GdiHeadroom(), 8);  // a few handles of the system's own caches at most
    ::GetWindowRect(window, &windowAfter);
    EXPECT_TRUE(::EqualRect(&windowAfter, &windowBefore));
    EXPECT_EQ(form.ComponentCount(), 0);  // every object the round trips made is gone
}

TEST_F(WinSkinFormTest, ShutdownDetachesEveryWindow) {
    HWND window = MakeWindow();
    const auto procedure = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
    ASSERT_NE(SkinAndStart(window), nullptr);
    manager->InstallHook();
    TSkinManage::DestroyInstance();
    manager = nullptr;
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), procedure);
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 0);
    EXPECT_EQ(HookGuard::Current(WH_CBT), nullptr);
    ::DestroyWindow(window);
}

}  // namespace

namespace {

TEST_F(WinSkinFormTest, AFormAnswersTheEnginesQueriesAndTakesASkinChange) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    form.SetBounds(60, 60, 300, 200);
    form.SetVisible(true);
    TWinSkinForm* skinned = SkinAndStart(form.Handle());
    ASSERT_NE(skinned, nullptr);
    HWND window = form.Handle();
    EXPECT_EQ(::SendMessageW(window, WMX_SKINQUERY, 0, kSkinSignature), kSkinSignature);
    EXPECT_EQ(::SendMessageW(window, WMX_SKINQUERY, 0, 0), 1);

    // The frame painted into a device context the caller gives.
    const core::Size size = SizeOf(window);
    DibSection frame(size.width, size.height);
    frame.Fill(kSentinel);
    EXPECT_EQ(::SendMessageW(window, WMX_PAINTFRAMEINTO, reinterpret_cast<WPARAM>(frame.Dc()), kSkinSignature),
              kSkinSignature);
    ::GdiFlush();
    EXPECT_TRUE(frame.AllEqual({0, 30, kLeft, size.height - 20}, ColorToRGB(kLeftActive)));
    EXPECT_TRUE(frame.AllEqual({kLeft, kTop, size.width - kRight, size.height - kBottom}, kSentinel));

    // A skin change told to the form puts the skin's colour back and keeps the frame.
    form.SetColor(RgbColour(5, 5, 5));
    ::SendMessageW(window, WMX_SKINCHANGED, 0, 0);
    EXPECT_EQ(form.Color(), kFace);
    EXPECT_EQ(skinned->State(), TWinSkinForm::SkinState::Running);
    EXPECT_EQ(SizeOf(window), size);
}

}  // namespace
