// MDI windows: framework frame and child forms on their own, and skinned: the children's
// frames and regions, a maximised child's buttons in the frame's bar, the frame's client
// window subclassed and given back.

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Messages.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "skin/data/FrameRules.h"
#include "skin/data/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include <windows.h>

#include <windowsx.h>

using namespace window_skin;

namespace {

constexpr TColor kBar = RgbColour(40, 50, 60);
// The "MDICONTROLS" strip: 12 cells of 12 pixels, four frames for each of minimise,
// restore and close; every cell a colour of its own.
constexpr int kCell = 12;
TColor MdiCell(int button, int frame) { return RgbColour(30 + 60 * button, 10 + 40 * frame, 220); }

std::vector<std::byte> MdiSkin() {
    const auto strip = test_skins::PatternBitmap(12 * kCell, kCell, [](int x, int) {
        const int cell = x / kCell;
        return MdiCell(cell / 4, cell % 4);
    });
    return Skin(true, "Menubar=40 50 60\r\n", "[MDICONTROLS]\r\nImage=mdi.bmp\r\n", {{"mdi.bmp", strip}});
}

COLORREF Rgb(TColor c) { return ColorToRGB(c); }

bool AllEqual(const DibSection& dib, const core::Rect& r, COLORREF colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if ((dib.Pixel(x, y) & 0xFFFFFF) != colour) return false;
    return true;
}

// A window's rectangle in its parent's client coordinates.
RECT InParent(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The bounding box of the window's region, or an empty one when it has none.
RECT RegionBox(HWND window) {
    RegionHandle shape{::CreateRectRgn(0, 0, 0, 0)};
    RECT box{};
    if (::GetWindowRgn(window, shape.Get()) != ERROR) ::GetRgnBox(shape.Get(), &box);
    return box;
}

bool RegionFitsWindow(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    const RECT box = RegionBox(window);
    return box.left == 0 && box.top == 0 && box.right == r.right - r.left && box.bottom == r.bottom - r.top;
}

class MdiSkinTest : public SkinnedTest {
protected:
    void SetUp() override {
        SkinnedTest::SetUp();
        ASSERT_TRUE(SetBinaryProp(skin.get(), u"SkinStream", test_skins::PropertyBlock(MdiSkin())));
        frame = &app.CreateForm<TForm>();
        frame->SetFormStyle(TFormStyle::fsMDIForm);
        frame->SetCaption(L"Frame");
        frame->SetBounds(30, 30, 560, 420);
        menu = &frame->Create<TMainMenu>();
        auto& file = Item(menu->Items(), L"&File");
        Item(file, L"&New", TextToShortCut(u"Ctrl+N")).OnClick = [this](TObject*) { ++newClicks; };
        window = &Item(menu->Items(), L"&Window");
        Item(*window, L"&Tile");
        Item(*window, L"&Cascade");
        frame->SetMenu(menu);
        frame->SetWindowMenu(window);
        frame->Show();
        ASSERT_NE(frame->ClientHandle(), nullptr);
    }
    void TearDown() override {
        frame = nullptr;
        SkinnedTest::TearDown();
    }

    TMenuItem& Item(TMenuItem& parent, const wchar_t* caption, TShortCut shortCut = scNone) {
        auto& item = frame->Create<TMenuItem>();
        item.SetCaption(caption);
        item.SetShortCut(shortCut);
        parent.Add(item);
        return item;
    }
    TForm& AddChild(const std::wstring& caption) {
        auto& child = frame->Create<TForm>();
        child.SetFormStyle(TFormStyle::fsMDIChild);
        child.SetCaption(caption);
        child.SetBounds(10, 10, 240, 150);
        auto& button = child.Create<TButton>();
        button.SetParent(&child);
        button.SetBounds(8, 8, 90, 24);
        auto& edit = child.Create<TEdit>();
        edit.SetParent(&child);
        edit.SetBounds(8, 40, 150, 22);
        child.Show();
        return child;
    }
    TWinSkinForm* SkinOf(const TCustomForm& form) const { return manager->FindSkinForm(form.HandleIfAllocated()); }
    bool Running(const TCustomForm& form) const {
        const TWinSkinForm* s = SkinOf(form);
        return s && s->State() == TWinSkinForm::SkinState::Running;
    }
    // A skinned frame with three skinned children, the last one active.
    void SkinnedFrameWithChildren() {
        manager->InstallHook();
        ASSERT_NE(SkinAndStart(frame->Handle()), nullptr);
        for (int i = 1; i <= 3; ++i) children.push_back(&AddChild(L"Child " + std::to_wstring(i)));
        ASSERT_TRUE(PumpUntil([&] {
            for (TForm* c : children)
                if (!Running(*c)) return false;
            return true;
        }));
    }
    // The maximised child's buttons of the frame's skin object: minimise, restore, close.
    static std::vector<const TWinSysButton*> MdiButtons(const TWinSkinForm& form) {
        std::vector<const TWinSysButton*> found;
        for (const auto& b : form.CaptionButtons())
            if (b->Skin().Visibility == kMdiButtonPlacement && b->Visible) found.push_back(b.get());
        return found;
    }

    TApplication app;
    TForm* frame = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem* window = nullptr;
    std::vector<TForm*> children;
    int newClicks = 0;
};

TEST_F(MdiSkinTest, FrameworkFormsListArrangeAndFreeTheirChildren) {
    TForm& one = AddChild(L"One");
    TForm& two = AddChild(L"Two");
    TForm& three = AddChild(L"Three");
    ASSERT_EQ(::GetParent(three.Handle()), frame->ClientHandle());
    EXPECT_TRUE(::GetWindowLongPtrW(three.Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_EQ(frame->MDIChildCount(), 3);
    EXPECT_EQ(frame->ActiveMDIChild(), &three);
    EXPECT_EQ(frame->MDIChildren(0), &three);
    EXPECT_EQ(frame->MDIChildren(3), nullptr);

    // The client takes the frame's whole client area: no control is aligned.
    RECT client{}, inFrame{};
    ::GetClientRect(frame->Handle(), &inFrame);
    ::GetWindowRect(frame->ClientHandle(), &client);
    EXPECT_EQ(client.right - client.left, inFrame.right);
    EXPECT_EQ(client.bottom - client.top, inFrame.bottom);

    // The window menu lists the children after its own items and a line.
    HMENU list = window->Handle();
    ASSERT_EQ(::GetMenuItemCount(list), 2 + 1 + 3);
    std::vector<std::wstring> listed;
    for (int i = 3; i < 6; ++i) {
        wchar_t text[64]{};
        ::GetMenuStringW(list, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        listed.emplace_back(text);
    }
    EXPECT_NE(listed[0].find(L"One"), std::wstring::npos);
    EXPECT_NE(listed[2].find(L"Three"), std::wstring::npos);
    // The frame's menu rebuilt (a caption changed) keeps the list.
    menu->Items().Items(0)->SetCaption(L"&Files");
    EXPECT_EQ(::GetMenuItemCount(list), 6);

    frame->Cascade();
    const RECT a = InParent(one.Handle()), b = InParent(two.Handle()), c = InParent(three.Handle());
    EXPECT_GT(b.left, a.left);
    EXPECT_EQ(b.left - a.left, c.left - b.left);  // one step each
    EXPECT_EQ(b.top - a.top, c.top - b.top);
    frame->Tile();  // horizontally: one above the other, each the client's width
    RECT area{};
    ::GetClientRect(frame->ClientHandle(), &area);
    std::vector<RECT> tiles{InParent(one.Handle()), InParent(two.Handle()), InParent(three.Handle())};
    for (const RECT& t : tiles) EXPECT_EQ(t.right - t.left, area.right);
    RECT overlap{};
    EXPECT_FALSE(::IntersectRect(&overlap, &tiles[0], &tiles[1]));
    EXPECT_FALSE(::IntersectRect(&overlap, &tiles[1], &tiles[2]));

    // The frame's shortcuts work in a child, which has no bar of its own.
    EXPECT_TRUE(two.IsShortCut(TextToShortCut(u"Ctrl+N")));
    EXPECT_EQ(newClicks, 1);

    // Ctrl+F6 and Ctrl+F4 typed in a child go to the client through the message loop.
    BYTE keys[256]{};
    ASSERT_TRUE(::GetKeyboardState(keys));
    BYTE withCtrl[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(withCtrl));
    withCtrl[VK_CONTROL] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(withCtrl));
    ::PostMessageW(three.Handle(), WM_KEYDOWN, VK_F6, 1);
    app.ProcessMessages();
    EXPECT_NE(frame->ActiveMDIChild(), &three);  // the next child took over
    TCustomForm* next = frame->ActiveMDIChild();
    ASSERT_NE(next, nullptr);
    HWND closed = next->Handle();
    ::PostMessageW(closed, WM_KEYDOWN, VK_F4, 1);
    app.ProcessMessages();
    ::SetKeyboardState(keys);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(closed); }));
    EXPECT_EQ(frame->MDIChildCount(), 2);
    ::SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(three.Handle()), 0);

    // Closing frees the child: its window and its form go, the client lists two.
    HWND gone = three.Handle();
    three.Close();
    ASSERT_TRUE(PumpUntil([&] { return frame->MDIChildCount() == 1; }));
    EXPECT_FALSE(::IsWindow(gone));
    EXPECT_EQ(::GetMenuItemCount(list), 2 + 1 + 1);
    EXPECT_NE(frame->ActiveMDIChild(), nullptr);
}

TEST_F(MdiSkinTest, ChildrenAreSkinnedAsTheyAreMadeWithFramesAndRegions) {
    SkinnedFrameWithChildren();
    // A bare child made by the client directly is skinned as it is made.
    static const ATOM bare = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefMDIChildProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MdiSkinTestChild";
        return ::RegisterClassW(&wc);
    }();
    ASSERT_NE(bare, 0);
    HWND plain = ::CreateWindowExW(WS_EX_MDICHILD, L"MdiSkinTestChild", L"bare", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0,
                                   200, 120, frame->ClientHandle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    TWinSkinForm* plainSkin = manager->FindSkinForm(plain);
    ASSERT_NE(plainSkin, nullptr);  // at once, from the hook
    EXPECT_EQ(plainSkin->Form(), nullptr);
    EXPECT_EQ(plainSkin->Mdi(), MdiKind::Child);
    ::SendMessageW(frame->ClientHandle(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(plain), 0);
    PumpUntil([] { return false; }, 50);

    for (TForm* child : children) {
        HWND w = child->Handle();
        TWinSkinForm* s = SkinOf(*child);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Form(), child);  // the framework form's object, not a bare window's
        EXPECT_EQ(s->Mdi(), MdiKind::Child);
        EXPECT_EQ(::SendMessageW(w, WMX_ISSKINNED, 0, 0), 1);
        EXPECT_EQ(::SendMessageW(w, WMX_SKINQUERY, 0, kSkinSignature), kSkinSignature);  // the form hook too
        EXPECT_FALSE(s->ControlSkins().empty());  // its button and edit
        EXPECT_TRUE(RegionFitsWindow(w));

        DibSection dib;
        PaintFrame(*s, dib);
        // The active child's frame follows the frame's activation; the others are inactive.
        const bool active = s->Active();
        EXPECT_TRUE(!active || child == frame->ActiveMDIChild());
        RECT r{};
        ::GetWindowRect(w, &r);
        const int h = r.bottom - r.top;
        EXPECT_EQ(dib.Pixel(1, h / 2) & 0xFFFFFF, Rgb(active ? kLeftActive : kLeftInactive));
        EXPECT_EQ(dib.Pixel(kLeft + 2, 2) & 0xFFFFFF, Rgb(active ? kTopActive : kTopInactive));
        // The client area is left alone.
        EXPECT_EQ(dib.Pixel(kLeft + 5, kTop + 5) & 0xFFFFFF, kSentinel);
    }
    // The skinned frame has no place for the client's own scroll bars.
    ::SetWindowPos(frame->ClientHandle(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_EQ(::GetWindowLongPtrW(frame->ClientHandle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

    // Cascaded and tiled, each keeps a region of its new size, placed in the client.
    for (auto arrange : {&TCustomForm::Cascade, &TCustomForm::Tile}) {
        (frame->*arrange)();
        PumpUntil([] { return false; }, 50);
        for (TForm* child : children) {
            EXPECT_TRUE(RegionFitsWindow(child->Handle()));
            const RECT at = InParent(child->Handle());
            EXPECT_GE(at.left, 0);
            EXPECT_GE(at.top, 0);
        }
    }
}

TEST_F(MdiSkinTest, MaximisedChildsButtonsAreInTheFramesBarUntilRestored) {
    SkinnedFrameWithChildren();
    TWinSkinForm& frameSkin = *SkinOf(*frame);
    TForm& active = *children.back();
    active.SetWindowState(TWindowState::wsMaximized);
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(active.Handle()) != FALSE; }));
    PumpUntil([] { return false; }, 50);
    EXPECT_TRUE(manager->MdiMaximized());
    for (TForm* child : children) EXPECT_EQ(RegionBox(child->Handle()).right, 0);  // no region cuts the maximised look

    DibSection dib;
    PaintFrame(frameSkin, dib);
    const auto buttons = MdiButtons(frameSkin);
    ASSERT_EQ(buttons.size(), 3u);
    const int barTop = kTop, barBottom = kTop + frameSkin.MenuBarHeight();
    std::vector<core::Rect> where;
    for (int k = 0; k < 3; ++k) {
        const core::Rect r = buttons[static_cast<size_t>(k)]->Bounds;
        where.push_back(r);
        EXPECT_EQ(r.Width(), kCell);
        EXPECT_GE(r.top, barTop);
        EXPECT_LE(r.bottom, barBottom);
        EXPECT_TRUE(AllEqual(dib, r, Rgb(MdiCell(k, 0)))) << "button " << k;
    }
    EXPECT_LT(where[0].left, where[1].left);  // minimise, restore, close from left to right
    EXPECT_LT(where[1].left, where[2].left);

    active.SetWindowState(TWindowState::wsNormal);
    ASSERT_TRUE(PumpUntil([&] { return !::IsZoomed(active.Handle()); }));
    PumpUntil([] { return false; }, 50);
    EXPECT_FALSE(manager->MdiMaximized());
    EXPECT_TRUE(MdiButtons(frameSkin).empty());
    PaintFrame(frameSkin, dib);
    for (const core::Rect& r : where) EXPECT_TRUE(AllEqual(dib, r, Rgb(kBar)));  // the bar alone again
    EXPECT_TRUE(RegionFitsWindow(active.Handle()));
}

TEST_F(MdiSkinTest, TheBarsCloseButtonClosesTheActiveChildAndTheFrameStaysSkinned) {
    SkinnedFrameWithChildren();
    TWinSkinForm& frameSkin = *SkinOf(*frame);
    children.back()->SetWindowState(TWindowState::wsMaximized);
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(children.back()->Handle()) != FALSE; }));
    DibSection dib;
    PaintFrame(frameSkin, dib);  // lays the buttons out
    const auto buttons = MdiButtons(frameSkin);
    ASSERT_EQ(buttons.size(), 3u);
    RECT window{};
    ::GetWindowRect(frame->Handle(), &window);
    const core::Rect& bounds = buttons[2]->Bounds;
    const core::Point centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    const LPARAM at = MAKELPARAM(window.left + centre.x, window.top + centre.y);
    HWND closing = children.back()->Handle();
    ::SendMessageW(frame->Handle(), WM_NCLBUTTONDOWN, HTMENU, at);
    EXPECT_EQ(buttons[2]->State, TNCObject::kPressed);
    ::SendMessageW(frame->Handle(), WM_NCLBUTTONUP, HTMENU, at);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(closing); }));
    EXPECT_EQ(frame->MDIChildCount(), 2);

    while (TCustomForm* child = frame->ActiveMDIChild()) {
        child->Close();
        const int left = frame->MDIChildCount() - 1;
        ASSERT_TRUE(PumpUntil([&] { return frame->MDIChildCount() == left; }));
    }
    PumpUntil([] { return false; }, 50);
    EXPECT_TRUE(Running(*frame));
    EXPECT_EQ(::SendMessageW(frame->Handle(), WMX_ISSKINNED, 0, 0), 1);
    EXPECT_FALSE(manager->MdiMaximized());
    EXPECT_EQ(manager->MdiClientWnd(), frame->ClientHandle());
    PaintFrame(frameSkin, dib);
    EXPECT_TRUE(MdiButtons(frameSkin).empty());
    ASSERT_NE(frameSkin.MenuBar(), nullptr);
    EXPECT_EQ(frameSkin.MenuBar()->Buttons().size(), 2u);
}

TEST_F(MdiSkinTest, SettingTheFramesMenuRebuildsTheSkinnedBar) {
    SkinnedFrameWithChildren();
    TWinSkinForm& frameSkin = *SkinOf(*frame);
    HMENU other = ::CreateMenu();
    ::AppendMenuW(other, MF_STRING, 501, L"&Alpha");
    ::AppendMenuW(other, MF_STRING, 502, L"&Beta");
    ::AppendMenuW(other, MF_STRING, 503, L"&Gamma");
    ::SendMessageW(frame->ClientHandle(), WM_MDISETMENU, reinterpret_cast<WPARAM>(other), 0);
    EXPECT_EQ(::GetMenu(frame->Handle()), nullptr);  // the skinned bar stands for it
    ASSERT_NE(frameSkin.MenuBar(), nullptr);
    const auto& buttons = frameSkin.MenuBar()->Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0]->Caption, L"&Alpha");
    EXPECT_EQ(buttons[2]->Caption, L"&Gamma");
    // Back to the form's own menu.
    ::SendMessageW(frame->ClientHandle(), WM_MDISETMENU, reinterpret_cast<WPARAM>(menu->Handle()), 0);
    EXPECT_EQ(frameSkin.MenuBar()->Buttons().size(), 2u);
    ::DestroyMenu(other);
}

TEST_F(MdiSkinTest, AChildsAltLetterOpensTheFramesBarButton) {
    SkinnedFrameWithChildren();
    TWinSkinForm& frameSkin = *SkinOf(*frame);
    DibSection dib;
    PaintFrame(frameSkin, dib);  // lays the bar out
    BYTE keys[256]{};
    ASSERT_TRUE(::GetKeyboardState(keys));
    BYTE withAlt[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(withAlt));
    withAlt[VK_MENU] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(withAlt));
    const LRESULT answer = children.front()->Perform(kMsgDialogChar, L'w', 0);
    ::SetKeyboardState(keys);
    EXPECT_EQ(answer, 1);
    // The frame's Window button is clicked (posted, for the menu loop to come).
    MSG posted{};
    ASSERT_TRUE(::PeekMessageW(&posted, frame->Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    RECT r{};
    ::GetWindowRect(frame->Handle(), &r);
    const core::Point point{GET_X_LPARAM(posted.lParam) - r.left, GET_Y_LPARAM(posted.lParam) - r.top};
    EXPECT_TRUE(frameSkin.MenuBar()->Buttons()[1]->Bounds.Contains(point));
}

TEST_F(MdiSkinTest, ReleasingTheFrameGivesTheClientBackAndLeavesNoStaleClient) {
    HWND client = frame->ClientHandle();
    const auto procedure = ::GetWindowLongPtrW(client, GWLP_WNDPROC);
    SkinnedFrameWithChildren();
    EXPECT_NE(::GetWindowLongPtrW(client, GWLP_WNDPROC), procedure);
    EXPECT_EQ(manager->MdiClientWnd(), client);
    EXPECT_EQ(manager->MdiFrameForm(), frame);
    manager->Unskin(*SkinOf(*frame));
    EXPECT_EQ(::GetWindowLongPtrW(client, GWLP_WNDPROC), procedure);
    EXPECT_EQ(manager->MdiClientWnd(), nullptr);
    EXPECT_EQ(manager->MdiFrameForm(), nullptr);
    // A child still skinned asks for a frame redraw: nobody is there to take it, and nothing breaks.
    TForm& child = *children.front();
    child.SetCaption(L"Renamed");
    ::PostMessageW(client, WMX_REDRAWMDIFRAME, reinterpret_cast<WPARAM>(child.Handle()), 0);
    PumpUntil([] { return false; }, 50);
    EXPECT_TRUE(Running(child));
    // Skinned again, then the frame's window goes: the manager forgets its client with it.
    ASSERT_NE(SkinAndStart(frame->Handle()), nullptr);
    EXPECT_EQ(manager->MdiClientWnd(), client);
    frame->DestroyHandle();
    EXPECT_EQ(manager->MdiClientWnd(), nullptr);
}

TEST_F(MdiSkinTest, SkinningOnAndOffAThousandTimesLeaksNothingAndKeepsTheWindows) {
    for (int i = 1; i <= 3; ++i) children.push_back(&AddChild(L"Child " + std::to_wstring(i)));
    std::vector<HWND> windows{frame->Handle()};
    std::vector<RECT> places{InParent(frame->Handle())};
    for (TForm* c : children) {
        windows.push_back(c->Handle());
        places.push_back(InParent(c->Handle()));
    }
    const auto roundTrip = [&] {
        for (HWND w : windows) manager->SkinWindow(w);
        // The start messages are posted already: handled at once, without waiting for more.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        for (HWND w : windows) {
            const TWinSkinForm* s = manager->FindSkinForm(w);
            EXPECT_TRUE(s && s->State() == TWinSkinForm::SkinState::Running);
        }
        for (HWND w : windows)
            if (TWinSkinForm* s = manager->FindSkinForm(w)) manager->Unskin(*s);
    };
    roundTrip();
    const int gdi = GdiHeadroom(), user = UserHeadroom();
    for (int i = 0; i < 1000; ++i) roundTrip();
    EXPECT_LE(gdi - GdiHeadroom(), 8);
    EXPECT_LE(user - UserHeadroom(), 8);
    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_TRUE(::IsWindow(windows[i]));
        EXPECT_EQ(windows[i], i == 0 ? frame->HandleIfAllocated() : children[i - 1]->HandleIfAllocated());
        const RECT now = InParent(windows[i]);
        EXPECT_TRUE(::EqualRect(&now, &places[i])) << "window " << i;
        EXPECT_EQ(::SendMessageW(windows[i], WMX_ISSKINNED, 0, 0), 0);
    }
    EXPECT_EQ(frame->MDIChildCount(), 3);

    // Skinned again while they live, only the active child shows the active frame.
    for (HWND w : windows) manager->SkinWindow(w);
    ASSERT_TRUE(PumpUntil([&] { return Running(*children[0]) && Running(*children[2]); }));
    for (TForm* child : children) EXPECT_TRUE(!SkinOf(*child)->Active() || child == frame->ActiveMDIChild());
}

}  // namespace
