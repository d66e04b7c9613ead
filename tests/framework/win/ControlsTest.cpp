#include "framework/controls/CustomControl.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "framework/win/Subclasser.h"
#include "framework/win/Win32Error.h"
#include "tests/support/FailureLogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

namespace {

void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A windowless control that fills itself, and a little beyond, with one colour and
// records the notifications it gets.
class Swatch : public TGraphicControl {
    KESTRELLE_CLASS(Swatch, TGraphicControl)

public:
    Swatch(COLORREF colour, std::vector<std::wstring>* log = nullptr) : m_colour{colour}, m_log{log} {}
    std::wstring label;

protected:
    bool Paint(HDC dc, const RECT& box) noexcept override {
        BrushHandle brush{::CreateSolidBrush(m_colour)};
        RECT bigger = box;
        ::InflateRect(&bigger, 10, 10);  // tries to paint outside; the parent's clip must stop it
        return ::FillRect(dc, &bigger, brush.Get()) != 0;
    }
    void MouseEnter() override {
        if (m_log) m_log->push_back(L"enter " + label);
    }
    void MouseLeave() override {
        if (m_log) m_log->push_back(L"leave " + label);
    }
    void MouseDown(TMouseButton, TShiftState, int x, int y) override {
        if (m_log) m_log->push_back(L"down " + label + L" " + std::to_wstring(x) + L"," + std::to_wstring(y));
    }

private:
    COLORREF m_colour;
    std::vector<std::wstring>* m_log;
};

// A skin on the bare-window path: records the framework notifications that pass the
// window procedure it replaced, and keeps one of them to itself when told to.
class WindowSkin : public Subclasser {
public:
    explicit WindowSkin(std::vector<UINT>& seen) : m_seen{seen} {}
    UINT keep = 0;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (IsFrameworkMessage(message)) m_seen.push_back(message);
        if (keep && message == keep) return 7;
        return CallPrevious(message, wParam, lParam);
    }

private:
    std::vector<UINT>& m_seen;
};

// A skin on the framework path: records the notifications that reach the WindowProc it
// replaced, and puts the old one back when it goes.
class WindowProcSkin {
public:
    explicit WindowProcSkin(TControl& control) : m_control{control}, m_previous{control.WindowProc()} {
        control.SetWindowProc([this](TMessage& m) {
            if (IsFrameworkMessage(m.Msg)) seen.push_back(m.Msg);
            m_previous(m);
        });
    }
    ~WindowProcSkin() { m_control.SetWindowProc(m_previous); }
    WindowProcSkin(const WindowProcSkin&) = delete;
    WindowProcSkin& operator=(const WindowProcSkin&) = delete;
    std::vector<UINT> seen;

private:
    TControl& m_control;
    TWndMethod m_previous;
};

// A windowless control that records the presses its own mouse-down handling gets.
class PressTarget : public TGraphicControl {
    KESTRELLE_CLASS(PressTarget, TGraphicControl)

public:
    struct Press {
        TMouseButton button;
        TShiftState shift;
        int x;
        int y;
        bool operator==(const Press&) const = default;
    };
    std::vector<Press> presses;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        presses.push_back({button, shift, x, y});
    }
};

// A windowed control whose window cannot be joined to it: attaching throws before
// anything is joined, or after the whole attach was done. Top-level or a child.
class Unattachable : public TWinControl {
    KESTRELLE_CLASS(Unattachable, TWinControl)

public:
    enum class Fail { Never, Before, After };
    Fail fail = Fail::Before;
    bool topLevel = false;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        if (topLevel) params.style = (params.style & ~WS_CHILD) | WS_OVERLAPPEDWINDOW;
    }
    void AttachWindow(HWND window, WNDPROC base) override {
        if (fail == Fail::Before) throw Win32Error(u"SetPropW", ERROR_NOT_ENOUGH_MEMORY);
        TWinControl::AttachWindow(window, base);
        if (fail == Fail::After) throw Exception(u"attached, then failed");
    }
};

// Windows of `className` on this thread, top-level and child.
int CountWindows(const wchar_t* className) {
    struct Search {
        const wchar_t* name;
        int found = 0;
        static BOOL CALLBACK Visit(HWND window, LPARAM self) noexcept {
            auto& search = *reinterpret_cast<Search*>(self);
            wchar_t name[64]{};
            ::GetClassNameW(window, name, 64);
            if (std::wstring_view{name} == search.name) ++search.found;
            return TRUE;
        }
        static BOOL CALLBACK VisitTop(HWND window, LPARAM self) noexcept {
            Visit(window, self);
            ::EnumChildWindows(window, &Visit, self);
            return TRUE;
        }
    } search{className};
    ::EnumThreadWindows(::GetCurrentThreadId(), &Search::VisitTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A windowed control that paints itself in one colour, or fails to.
class Face : public TCustomControl {
    KESTRELLE_CLASS(Face, TCustomControl)

public:
    bool paints = true;

protected:
    bool Paint(HDC dc, const RECT& box) noexcept override {
        if (!paints) return false;
        BrushHandle blue{::CreateSolidBrush(RGB(0, 0, 255))};
        return ::FillRect(dc, &box, blue.Get()) != 0;
    }
};

// Every test gets a fresh application, hence fresh forms and screen.
class Controls : public ::testing::Test {
protected:
    TApplication app;
    TForm& form = app.Create<TForm>();

    void SetUp() override {
        form.SetBorderStyle(TFormBorderStyle::bsNone);
        form.SetBounds(0, 0, 300, 200);
    }
};

}  // namespace

TEST_F(Controls, WindowsCarryTheirControlUnderTheGlobalAtom) {
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    HWND window = panel.Handle();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(form.HandleIfAllocated(), nullptr);  // the parent's window came first

    wchar_t expected[32];
    std::swprintf(expected, 32, L"ControlOfs%.8lX%.8lX",
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(::GetModuleHandleW(nullptr))),
                  static_cast<unsigned long>(::GetCurrentThreadId()));
    EXPECT_EQ(TWinControl::ControlAtomName(), expected);
    const ATOM atom = ::GlobalFindAtomW(expected);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(::GetPropW(window, MAKEINTATOM(atom)), &panel);
    EXPECT_EQ(TWinControl::FindControl(window), &panel);
    EXPECT_EQ(TWinControl::FindControl(form.HandleIfAllocated()), &form);

    wchar_t className[32];
    ::GetClassNameW(window, className, 32);
    EXPECT_STREQ(className, L"TPanel");

    panel.DestroyHandle();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(TWinControl::FindControl(window), nullptr);
    EXPECT_NE(panel.Handle(), nullptr);  // made again on demand
}

TEST_F(Controls, AWindowItsControlCannotTakeIsDestroyedAndTheFailureReachesTheCreator) {
    form.HandleNeeded();
    for (const bool topLevel : {false, true}) {
        for (const auto fail : {Unattachable::Fail::Before, Unattachable::Fail::After}) {
            SCOPED_TRACE(testing::Message() << "top-level " << topLevel << ", fail " << static_cast<int>(fail));
            auto& control = form.Create<Unattachable>();
            control.topLevel = topLevel;
            control.fail = fail;
            // A child gets its window as it joins a parent that has one.
            const auto create = [&] { topLevel ? control.HandleNeeded() : control.SetParent(&form); };
            if (fail == Unattachable::Fail::Before)
                EXPECT_THROW(create(), Win32Error);
            else
                EXPECT_THROW(create(), Exception);
            EXPECT_FALSE(control.HandleAllocated());
            EXPECT_EQ(CountWindows(L"Unattachable"), 0);  // no window owned by nobody

            // The next attempt that succeeds makes a window that leads to its control.
            control.fail = Unattachable::Fail::Never;
            const HWND window = control.Handle();
            EXPECT_EQ(TWinControl::FindControl(window), &control);
            EXPECT_EQ(CountWindows(L"Unattachable"), 1);
            form.DestroyComponent(control);
            EXPECT_EQ(CountWindows(L"Unattachable"), 0);
        }
    }
}

TEST_F(Controls, ReplacedWindowProcSeesMessagesFirstAndChainsBack) {
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    HWND window = panel.Handle();
    std::vector<UINT> seen;
    const TWndMethod previous = panel.WindowProc();
    panel.SetWindowProc([&, previous](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_APP + 7) {
            m.Result = 42;
            return;
        }
        previous(m);
    });
    EXPECT_EQ(::SendMessageW(window, WM_APP + 7, 0, 0), 42);
    EXPECT_EQ(panel.Perform(WM_APP + 7), 42);
    ::SetWindowTextW(window, L"through the window");  // still reaches the control's own handling
    EXPECT_EQ(panel.Caption(), L"through the window");
    EXPECT_GE(seen.size(), 3u);

    panel.SetWindowProc(previous);
    seen.clear();
    EXPECT_EQ(::SendMessageW(window, WM_APP + 7, 0, 0), 0);
    EXPECT_TRUE(seen.empty());
}

TEST_F(Controls, AlignmentFollowsTheParentsSize) {
    auto& left = form.Create<TPanel>();
    left.SetParent(&form);
    left.SetBounds(0, 0, 80, 10);
    left.SetAlign(TAlign::alLeft);
    auto& bar = form.Create<TStatusBar>();
    bar.SetParent(&form);
    bar.SetHeight(20);
    auto& client = form.Create<TPanel>();
    client.SetParent(&form);
    client.SetAlign(TAlign::alClient);
    auto& inner = client.Create<TPanel>();
    inner.SetParent(&client);
    inner.SetAlign(TAlign::alClient);

    form.HandleNeeded();
    EXPECT_EQ(left.BoundsRect(), core::Rect::FromBounds(0, 0, 80, 180));
    EXPECT_EQ(bar.BoundsRect(), core::Rect::FromBounds(0, 180, 300, 20));
    EXPECT_EQ(client.BoundsRect(), core::Rect::FromBounds(80, 0, 220, 180));
    EXPECT_EQ(inner.BoundsRect(), core::Rect::FromBounds(1, 1, 218, 178));  // inside the panel's bevel

    // The window changes size from outside: everything follows, windows included.
    ::SetWindowPos(form.HandleIfAllocated(), nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(client.BoundsRect(), core::Rect::FromBounds(80, 0, 320, 280));
    EXPECT_EQ(inner.BoundsRect(), core::Rect::FromBounds(1, 1, 318, 278));
    RECT r{};
    ::GetWindowRect(bar.HandleIfAllocated(), &r);
    ::MapWindowPoints(HWND_DESKTOP, form.HandleIfAllocated(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 280);
    EXPECT_EQ(r.right - r.left, 400);

    // Hiding an aligned control gives its room to the others.
    left.Hide();
    EXPECT_EQ(client.BoundsRect(), core::Rect::FromBounds(0, 0, 400, 280));

    // Another frame (a skin gives the window its own) changes the client area while the
    // window keeps its size: everything follows all the same.
    HWND window = form.HandleIfAllocated();
    ::SetWindowLongPtrW(window, GWL_STYLE, ::GetWindowLongPtrW(window, GWL_STYLE) ^ (WS_CAPTION | WS_THICKFRAME));
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT area{};
    ::GetClientRect(window, &area);
    ASSERT_NE(area.bottom, 300);
    EXPECT_EQ(client.BoundsRect(), core::Rect::FromBounds(0, 0, area.right, area.bottom - 20));
    EXPECT_EQ(bar.BoundsRect(), core::Rect::FromBounds(0, area.bottom - 20, area.right, 20));
}

TEST_F(Controls, WindowlessChildrenArePaintedBackToFrontInsideTheirBounds) {
    auto& back = form.Create<Swatch>(RGB(255, 0, 0));
    back.SetParent(&form);
    back.SetBounds(20, 20, 60, 40);
    auto& front = form.Create<Swatch>(RGB(0, 0, 255));
    front.SetParent(&form);
    front.SetBounds(50, 30, 40, 40);
    auto& hidden = form.Create<Swatch>(RGB(0, 255, 0));
    hidden.SetParent(&form);
    hidden.SetBounds(200, 100, 20, 20);
    hidden.Hide();
    form.HandleNeeded();

    DibSection target{300, 200};
    const COLORREF sentinel = RGB(1, 2, 3);
    target.Fill(sentinel);
    HDC dc = target.Dc();
    const HGDIOBJ brushBefore = ::GetCurrentObject(dc, OBJ_BRUSH);
    form.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    ::GdiFlush();
    EXPECT_TRUE(target.AllEqual({20, 20, 50, 60}, RGB(255, 0, 0)));
    EXPECT_TRUE(target.AllEqual({50, 30, 90, 70}, RGB(0, 0, 255)));  // the later control on top
    EXPECT_TRUE(target.AllEqual({0, 0, 300, 20}, sentinel));         // nobody painted past their bounds
    EXPECT_TRUE(target.AllEqual({0, 0, 20, 200}, sentinel));
    EXPECT_TRUE(target.AllEqual({90, 0, 300, 200}, sentinel));
    EXPECT_TRUE(target.AllEqual({0, 70, 300, 200}, sentinel));
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brushBefore);

    // Bringing the back one forward changes who wins the overlap.
    back.BringToFront();
    form.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    ::GdiFlush();
    EXPECT_TRUE(target.AllEqual({50, 30, 80, 60}, RGB(255, 0, 0)));

    // Printing the client area paints the same, over the form's own background.
    target.Fill(sentinel);
    ::SendMessageW(form.HandleIfAllocated(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    EXPECT_TRUE(target.AllEqual({20, 20, 50, 60}, RGB(255, 0, 0)));
    EXPECT_TRUE(target.AllEqual({0, 0, 300, 20}, ::GetSysColor(COLOR_BTNFACE)));
}

TEST_F(Controls, AChildThatFailsToPaintOrToBeReleasedIsLoggedAndStopsThere) {
    auto& broken = form.Create<Swatch>(RGB(255, 0, 0));
    broken.SetParent(&form);
    broken.SetBounds(20, 20, 40, 40);
    const TWndMethod previous = broken.WindowProc();
    broken.SetWindowProc([previous](TMessage& m) {
        if (m.Msg == WM_PAINT || m.Msg == kMsgControlReleased) throw Exception(u"handler failed");
        previous(m);
    });
    auto& after = form.Create<Swatch>(RGB(0, 0, 255));
    after.SetParent(&form);
    after.SetBounds(100, 20, 40, 40);
    form.HandleNeeded();

    FailureLogCapture log;
    DibSection target{300, 200};
    target.Fill(RGB(1, 2, 3));
    form.Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    EXPECT_TRUE(target.AllEqual({100, 20, 140, 60}, RGB(0, 0, 255)));  // the later sibling still painted
    EXPECT_EQ(log.Count(u"Painting a windowless control failed: handler failed"), 1u);

    form.DestroyComponent(broken);  // the release notice throws inside its destructor
    EXPECT_EQ(form.ControlCount(), 1);
    EXPECT_EQ(log.Count(u"release notice failed: handler failed"), 1u);
}

TEST_F(Controls, AWindowThatCannotPaintItselfShowsItsBackground) {
    auto& face = form.Create<Face>();
    face.SetParent(&form);
    face.SetBounds(0, 0, 60, 40);
    face.SetColor(clLime);
    const HWND window = face.Handle();
    DibSection target{60, 40};
    for (const bool paints : {true, false}) {
        face.paints = paints;
        const COLORREF expected = paints ? RGB(0, 0, 255) : RGB(0, 255, 0);
        // Double-buffered, it is not erased first: a failure must not leave what was there.
        target.Fill(RGB(1, 2, 3));
        ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
        EXPECT_TRUE(target.AllEqual({0, 0, 60, 40}, expected)) << paints;
        target.Fill(RGB(1, 2, 3));
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc()), PRF_CLIENT);
        EXPECT_TRUE(target.AllEqual({0, 0, 60, 40}, expected)) << paints;
    }
}

TEST_F(Controls, WindowlessChildrenGetMouseInputEnterAndLeave) {
    std::vector<std::wstring> log;
    auto& a = form.Create<Swatch>(RGB(255, 0, 0), &log);
    a.label = L"a";
    a.SetParent(&form);
    a.SetBounds(10, 10, 50, 50);
    auto& b = form.Create<Swatch>(RGB(0, 0, 255), &log);
    b.label = L"b";
    b.SetParent(&form);
    b.SetBounds(100, 10, 50, 50);
    form.Show();
    HWND window = form.HandleIfAllocated();
    Pump();
    log.clear();

    ::SendMessageW(window, WM_MOUSEMOVE, 0, At(20, 20));
    ::SendMessageW(window, WM_MOUSEMOVE, 0, At(25, 20));  // still inside: nothing new
    ::SendMessageW(window, WM_MOUSEMOVE, 0, At(120, 30));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(130, 40));
    ::SendMessageW(window, WM_LBUTTONUP, 0, At(130, 40));
    ::SendMessageW(window, WM_MOUSEMOVE, 0, At(250, 150));  // over the form itself
    ::SendMessageW(window, WM_MOUSEMOVE, 0, At(30, 30));
    ::SendMessageW(window, WM_MOUSELEAVE, 0, 0);           // off the window entirely
    const std::vector<std::wstring> expected{L"enter a", L"leave a",    L"enter b", L"down b 30,30",
                                             L"leave b", L"enter a",    L"leave a"};
    EXPECT_EQ(log, expected);

    // A disabled control gets no input but still counts as under the mouse.
    log.clear();
    a.SetEnabled(false);
    ::SendMessageW(window, WM_MOUSEMOVE, 0, At(20, 20));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
    ::SendMessageW(window, WM_LBUTTONUP, 0, At(20, 20));
    EXPECT_EQ(log, std::vector<std::wstring>{L"enter a"});
}

TEST_F(Controls, DestroyingAControlUnderTheMouseForgetsIt) {
    std::vector<std::wstring> log;
    auto& a = form.Create<Swatch>(RGB(255, 0, 0), &log);
    a.label = L"a";
    a.SetParent(&form);
    a.SetBounds(10, 10, 50, 50);
    form.Show();
    HWND window = form.HandleIfAllocated();
    ::SendMessageW(window, WM_MOUSEMOVE, 0, At(20, 20));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));  // and holding the mouse
    form.DestroyComponent(a);
    ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(30, 30));   // must not reach the dead control
    ::SendMessageW(window, WM_LBUTTONUP, 0, At(30, 30));
    ::SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log.front(), L"enter a");
}

TEST_F(Controls, DestroyedChildrenLeaveNoTraceAndOnlyWindowlessOnesAnnounceIt) {
    auto& a = form.Create<TPanel>();
    a.SetParent(&form);
    auto& b = form.Create<TPanel>();
    b.SetParent(&form);
    auto& swatch = form.Create<Swatch>(RGB(0, 0, 0));
    swatch.SetParent(&a);
    form.Show();
    std::vector<UINT> released;
    for (TControl* c : {static_cast<TControl*>(&a), static_cast<TControl*>(&swatch)}) {
        const TWndMethod previous = c->WindowProc();
        const UINT tag = c == &a ? 1 : 2;
        c->SetWindowProc([&released, tag, previous](TMessage& m) {
            if (m.Msg == kMsgControlReleased) released.push_back(tag);
            previous(m);
        });
    }
    HWND aWindow = a.Handle();
    form.DestroyComponent(swatch);
    form.DestroyComponent(a);
    EXPECT_EQ(released, std::vector<UINT>{2});
    EXPECT_FALSE(::IsWindow(aWindow));
    EXPECT_EQ(form.ControlCount(), 1);
    std::vector<TWinControl*> list;
    form.GetTabOrderList(list);
    EXPECT_EQ(list, std::vector<TWinControl*>{&b});
    EXPECT_EQ(b.TabOrder(), 0);
}

TEST_F(Controls, SplitterDragResizesTheControlBesideIt) {
    form.SetBounds(0, 0, 600, 300);
    form.DisableAlign();  // placed as a stored layout would place them, then aligned once
    auto& splitter = form.Create<TSplitter>();
    splitter.SetParent(&form);
    splitter.SetBounds(225, 0, 3, 300);
    auto& column = form.Create<TPanel>();
    column.SetParent(&form);
    column.SetBounds(0, 0, 225, 300);
    column.SetAlign(TAlign::alLeft);
    auto& rest = form.Create<TPanel>();
    rest.SetParent(&form);
    rest.SetAlign(TAlign::alClient);
    int moved = 0;
    splitter.OnMoved = [&](TObject*) { ++moved; };
    form.EnableAlign();
    form.Show();
    HWND window = form.HandleIfAllocated();
    EXPECT_EQ(splitter.ResizeControl(), &column);
    EXPECT_EQ(splitter.Left(), 225);

    auto drag = [&](int from, int to) {
        ::SendMessageW(window, WM_MOUSEMOVE, 0, At(from, 100));
        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(from, 100));
        ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At((from + to) / 2, 100));
        ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(to, 100));
        ::SendMessageW(window, WM_LBUTTONUP, 0, At(to, 100));
    };
    drag(226, 266);
    EXPECT_EQ(column.Width(), 265);
    EXPECT_EQ(splitter.Left(), 265);
    EXPECT_EQ(rest.BoundsRect(), core::Rect::FromBounds(268, 0, 332, 300));
    EXPECT_EQ(moved, 1);

    drag(266, 1000);  // the client area keeps its minimum
    EXPECT_EQ(column.Width(), 600 - 3 - 30);
    EXPECT_EQ(rest.Width(), 30);

    drag(splitter.Left() + 1, 5);  // folds the column away
    EXPECT_EQ(column.Width(), 0);
    EXPECT_EQ(splitter.Left(), 0);
    EXPECT_EQ(rest.Width(), 597);
}

TEST_F(Controls, NotificationsFromChildWindowsAreReflectedToTheirControls) {
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    HWND child = panel.Handle();
    std::vector<UINT> seen;
    const TWndMethod previous = panel.WindowProc();
    panel.SetWindowProc([&, previous](TMessage& m) {
        if (m.Msg >= kMsgReflectBase && m.Msg < kMsgReflectBase + 0x400) {
            seen.push_back(m.Msg);
            m.Result = 7;
            return;
        }
        previous(m);
    });
    HWND parent = form.HandleIfAllocated();
    EXPECT_EQ(::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(child)), 7);
    NMHDR header{child, 1, NM_CLICK};
    EXPECT_EQ(::SendMessageW(parent, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header)), 7);
    ::SendMessageW(parent, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(child));
    // From a window that is no control: nothing reflected.
    ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(parent));
    EXPECT_EQ(seen, (std::vector<UINT>{0xBD11, 0xBC4E, 0xBD15}));
}

TEST_F(Controls, TabOrderListGoesDepthFirstInTabOrder) {
    auto& a = form.Create<TPanel>();
    a.SetParent(&form);
    auto& b = form.Create<TPanel>();
    b.SetParent(&form);
    auto& a1 = a.Create<TPanel>();
    a1.SetParent(&a);
    b.SetTabOrder(0);
    EXPECT_EQ(a.TabOrder(), 1);
    std::vector<TWinControl*> list;
    form.GetTabOrderList(list);
    EXPECT_EQ(list, (std::vector<TWinControl*>{&b, &a, &a1}));
    b.SetTabOrder(99);  // clamped to the end
    EXPECT_EQ(b.TabOrder(), 1);
    form.Show();
    a.SetTabStop(true);
    b.SetTabStop(true);
    EXPECT_EQ(form.FindNextControl(&a, true, true), &b);
    EXPECT_EQ(form.FindNextControl(&b, true, true), &a);  // wraps round
    b.SetEnabled(false);
    EXPECT_EQ(form.FindNextControl(&a, true, true), nullptr);
}

TEST_F(Controls, StatusPanelRectanglesFollowTheWidths) {
    form.SetBounds(0, 0, 700, 100);
    auto& bar = form.Create<TStatusBar>();
    bar.SetParent(&form);
    bar.SetHeight(24);
    for (int width : {200, 250, 100, 80, 80}) bar.Panels().Add().SetWidth(width);
    bar.Panels().Items(0)->SetText(L"当前项目：无");
    form.Show();
    ASSERT_EQ(::SendMessageW(bar.HandleIfAllocated(), SB_GETPARTS, 0, 0), 5);
    int left = 0;
    for (int i = 0; i < 4; ++i) {
        const core::Rect r = bar.PanelRect(i);
        const int width = bar.Panels().Items(i)->Width();
        EXPECT_NEAR(r.left, left, 2) << i;
        EXPECT_NEAR(r.right, left + width, 2) << i;
        left += width;
    }
    EXPECT_GE(bar.PanelRect(4).right, 690);  // the last panel runs to the end
    wchar_t text[32]{};
    ::SendMessageW(bar.HandleIfAllocated(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"当前项目：无");

    bar.Panels().Items(1)->SetWidth(300);
    EXPECT_NEAR(bar.PanelRect(1).right, 500, 2);
    bar.SetSimplePanel(true);
    bar.SetSimpleText(L"simple");
    EXPECT_TRUE(::SendMessageW(bar.HandleIfAllocated(), SB_ISSIMPLE, 0, 0));
}

TEST_F(Controls, OwnerDrawnPanelsAreDrawnByTheEventOnTheBarsCanvas) {
    auto& bar = form.Create<TStatusBar>();
    bar.SetParent(&form);
    bar.SetHeight(24);
    auto& panel = bar.Panels().Add();
    panel.SetWidth(100);
    panel.SetStyle(TStatusPanelStyle::psOwnerDraw);
    bar.Panels().Add();
    int drawn = 0;
    RECT drawnAt{};
    bar.OnDrawPanel = [&](TCustomStatusBar* sender, TStatusPanel* p, const RECT& r) {
        EXPECT_EQ(sender, &bar);
        EXPECT_EQ(p, &panel);
        sender->Canvas().Brush().SetColor(clRed);
        sender->Canvas().FillRect(r);
        drawnAt = r;
        ++drawn;
    };
    form.Show();
    ::UpdateWindow(bar.HandleIfAllocated());
    Pump();
    ASSERT_GE(drawn, 1);
    EXPECT_EQ(bar.Canvas().Handle(), nullptr);  // the paint's DC is not kept
    EXPECT_EQ(bar.Canvas().LockCount(), 0);
    HDC dc = ::GetDC(bar.HandleIfAllocated());
    const COLORREF middle = ::GetPixel(dc, (drawnAt.left + drawnAt.right) / 2, (drawnAt.top + drawnAt.bottom) / 2);
    ::ReleaseDC(bar.HandleIfAllocated(), dc);
    EXPECT_EQ(middle & 0xFFFFFF, RGB(255, 0, 0));
}

TEST_F(Controls, FrameworkNotificationsReachASkinOnEitherPathOnceEach) {
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(10, 10, 100, 100);
    auto& other = form.Create<TPanel>();
    other.SetParent(&form);
    other.SetBounds(150, 10, 100, 100);
    form.Show();
    HWND window = panel.Handle();
    WindowProcSkin recorder{panel};

    // Nobody else on the window: straight to WindowProc.
    EXPECT_FALSE(panel.HasForeignWindowProc());
    panel.SetEnabled(false);
    EXPECT_EQ(recorder.seen, std::vector<UINT>{kMsgEnabledChanged});

    std::vector<UINT> throughWindow;
    SubclasserPtr<WindowSkin> skin{new WindowSkin(throughWindow)};
    skin->Subclass(window);
    EXPECT_TRUE(panel.HasForeignWindowProc());
    recorder.seen.clear();
    panel.SetEnabled(true);
    panel.SetVisible(false);
    panel.SetVisible(true);
    ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // the mouse comes over it
    ::SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    ::SetFocus(window);                                      // the form tells its controls
    ::SetFocus(other.Handle());                              // and the panel hears it leave
    const std::vector<UINT> expected{kMsgEnabledChanged, kMsgVisibleChanged, kMsgVisibleChanged, kMsgMouseEnter,
                                     kMsgMouseLeave,     kMsgFocusChanged,   kMsgExit,           kMsgFocusChanged};
    EXPECT_EQ(throughWindow, expected);
    EXPECT_EQ(recorder.seen, expected);

    // The window's procedure decides: what it keeps never reaches WindowProc, and its
    // answer is the sender's.
    skin->keep = kMsgEnabledChanged;
    recorder.seen.clear();
    EXPECT_EQ(panel.Perform(kMsgEnabledChanged), 7);
    EXPECT_TRUE(recorder.seen.empty());
    // Other messages Performed still go straight to WindowProc.
    throughWindow.clear();
    panel.Perform(WM_APP + 5);
    EXPECT_TRUE(throughWindow.empty());

    // Once the skin has gone, the notifications run WindowProc directly again.
    skin.reset();
    EXPECT_FALSE(panel.HasForeignWindowProc());
    recorder.seen.clear();
    panel.SetEnabled(false);
    EXPECT_EQ(recorder.seen, std::vector<UINT>{kMsgEnabledChanged});
    EXPECT_TRUE(throughWindow.empty());
}

TEST_F(Controls, MenuChangeReachesTheFormsWindowProcedureWithTheMenuInPlace) {
    form.Show();
    HWND window = form.HandleIfAllocated();
    auto& menu = form.Create<TMainMenu>();
    // As a skinned frame does: let the form take its menu, then draw its own bar instead.
    class MenuBarSkin : public Subclasser {
    public:
        std::vector<HMENU> menus;
        LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message != kMsgMenuChanged) return CallPrevious(message, wParam, lParam);
            const LRESULT result = CallPrevious(message, wParam, lParam);
            menus.push_back(::GetMenu(Handle()));
            ::SetMenu(Handle(), nullptr);
            return result;
        }
    };
    SubclasserPtr<MenuBarSkin> skin{new MenuBarSkin};
    skin->Subclass(window);
    WindowProcSkin recorder{form};

    form.SetMenu(&menu);
    form.SetMenu(nullptr);
    EXPECT_EQ(skin->menus, (std::vector<HMENU>{menu.Handle(), nullptr}));
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_EQ(recorder.seen, (std::vector<UINT>{kMsgMenuChanged, kMsgMenuChanged}));
}

TEST_F(Controls, ARelayedPressRunsTheControlsMouseDownWithoutAClick) {
    auto& target = form.Create<PressTarget>();
    target.SetParent(&form);
    target.SetBounds(10, 10, 0x8000, 0x8000);  // at the limit: the message still carries the position
    form.Show();
    int clicks = 0;
    target.OnClick = [&](TObject*) { ++clicks; };

    target.RelayMouseDown({WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7)});
    target.RelayMouseDown({WM_RBUTTONDBLCLK, MK_RBUTTON | MK_CONTROL, MAKELPARAM(3, 4)});
    target.RelayMouseDown({WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(0x7FFF, 0)});
    target.Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // the skin took the press: no click
    const std::vector<PressTarget::Press> expected{
        {TMouseButton::mbLeft, TShiftState::ssLeft | TShiftState::ssShift, -5, 7},
        {TMouseButton::mbRight, TShiftState::ssRight | TShiftState::ssCtrl, 3, 4},
        {TMouseButton::mbMiddle, TShiftState::ssMiddle, 0x7FFF, 0}};
    EXPECT_EQ(target.presses, expected);
    EXPECT_EQ(clicks, 0);

    // Wider or taller than 0x8000: the cursor, in the control's client coordinates, which
    // 16-bit words could not carry here.
    for (const bool wide : {true, false}) {
        if (wide)
            target.SetBounds(-40000, 10, 0x8001, 20);
        else
            target.SetBounds(10, -40000, 20, 0x8001);
        POINT cursor{};
        ASSERT_TRUE(::GetCursorPos(&cursor));
        const core::Point at = target.ScreenToClient({cursor.x, cursor.y});
        target.presses.clear();
        target.RelayMouseDown({WM_LBUTTONDOWN, 0, MAKELPARAM(1, 2)});
        ASSERT_EQ(target.presses.size(), 1u);
        EXPECT_EQ(target.presses[0].x, at.x) << "wide " << wide;
        EXPECT_EQ(target.presses[0].y, at.y) << "wide " << wide;
        EXPECT_GT(wide ? at.x : at.y, 0x8000);
    }
}

// A dark look over the panel's face: its caption in the system's text colour takes the
// look's text colour; one the program chose stays, and so does text on another face.
TEST_F(Controls, PanelCaptionsInSystemTextTakeTheLooksTextColourOnItsFace) {
    constexpr TColor face = static_cast<TColor>(RGB(40, 40, 40)), text = static_cast<TColor>(RGB(230, 230, 90));
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(10, 10, 200, 60);
    panel.SetColor(face);
    panel.SetCaption(L"■■■■■■");
    panel.Font().SetSize(20);
    form.Show();
    // How many of the panel's pixels are in `colour`, as the screen shows them.
    const auto pixels = [&](COLORREF colour) {
        ::RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        int count = 0;
        HDC dc = ::GetDC(panel.Handle());
        for (int y = 0; y < 60; y += 2)
            for (int x = 0; x < 200; x += 2) count += (::GetPixel(dc, x, y) & 0xFFFFFF) == colour;
        ::ReleaseDC(panel.Handle(), dc);
        return count;
    };
    EXPECT_EQ(pixels(RGB(230, 230, 90)), 0);

    const FaceLook look{face, text};
    SetFaceLook(&look);
    EXPECT_GT(pixels(RGB(230, 230, 90)), 20);
    EXPECT_EQ(TextOnFace(clBtnText, face), RGB(230, 230, 90));
    EXPECT_EQ(TextOnFace(clWindowText, clWindow), ::GetSysColor(COLOR_WINDOWTEXT));  // an edit's text
    panel.Font().SetColor(clRed);
    EXPECT_EQ(pixels(RGB(230, 230, 90)), 0);
    EXPECT_GT(pixels(RGB(255, 0, 0)), 20);

    panel.Font().SetColor(clWindowText);
    SetFaceLook(nullptr);
    EXPECT_EQ(pixels(RGB(230, 230, 90)), 0);
    EXPECT_EQ(TextOnFace(clBtnText, face), ::GetSysColor(COLOR_BTNTEXT));
}
