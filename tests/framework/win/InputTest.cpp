// Real mouse input (SendInput) on the shared display: run serially.

#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "tests/support/RealMouse.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// Handles messages until `done`, waking at least every 20 ms; false after 5 s.
template <class Done>
bool PumpUntil(TApplication& app, Done done) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > 5000) return false;
        const UINT_PTR wake = ::SetTimer(nullptr, 0, 20, nullptr);
        app.HandleMessage();
        ::KillTimer(nullptr, wake);
    }
    return true;
}

// Gives input a moment to arrive: a few loop turns.
void Settle(TApplication& app) {
    int turns = 0;
    PumpUntil(app, [&] { return ++turns > 5; });
}

class RealInput : public ::testing::Test {
protected:
    TApplication app;
    TForm& form = app.CreateForm<TForm>();
    TPanel& panel = form.Create<TPanel>();
    TSpeedButton& button = form.Create<TSpeedButton>();
    int clicks = 0;

    void SetUp() override {
        form.SetBorderStyle(TFormBorderStyle::bsNone);
        form.SetBounds(100, 100, 400, 200);
        panel.SetParent(&form);
        panel.SetAlign(TAlign::alClient);
        button.SetParent(&panel);
        button.SetBounds(16, 8, 193, 33);
        button.SetCaption(L"元音");
        button.OnClick = [this](TObject*) { ++clicks; };
        form.Show();
        ::SetForegroundWindow(form.Handle());
        MoveTo(50, 50);  // somewhere else first
        Settle(app);
    }
    // The screen point of a point of the button.
    POINT OnButton(int x, int y) const {
        const core::Point p = button.ClientToScreen({x, y});
        return {p.x, p.y};
    }
};

}  // namespace

TEST_F(RealInput, AClickOnASpeedButtonReachesOnClick) {
    const POINT centre = OnButton(96, 16);
    MoveTo(centre.x, centre.y);
    ASSERT_TRUE(PumpUntil(app, [&] { return button.MouseInControl(); }));
    Button(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil(app, [&] { return button.State() == TSpeedButton::ButtonState::Down; }));
    EXPECT_EQ(clicks, 0);  // not before the release
    Button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil(app, [&] { return clicks == 1; }));
    EXPECT_EQ(button.State(), TSpeedButton::ButtonState::Up);
}

TEST_F(RealInput, ReleasingOutsideTheButtonDoesNotClick) {
    const POINT centre = OnButton(96, 16);
    MoveTo(centre.x, centre.y);
    ASSERT_TRUE(PumpUntil(app, [&] { return button.MouseInControl(); }));
    Button(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil(app, [&] { return button.State() == TSpeedButton::ButtonState::Down; }));
    const POINT away = OnButton(96, 120);
    MoveTo(away.x, away.y);
    // Held outside: the button shows up again and the mouse has left it.
    ASSERT_TRUE(PumpUntil(app, [&] { return button.State() == TSpeedButton::ButtonState::Up; }));
    EXPECT_FALSE(button.MouseInControl());
    Button(MOUSEEVENTF_LEFTUP);
    Settle(app);
    EXPECT_EQ(clicks, 0);
}

TEST_F(RealInput, TheMouseEntersAndLeavesAWindowlessButton) {
    int enters = 0, leaves = 0;
    button.OnMouseEnter = [&](TObject*) { ++enters; };
    button.OnMouseLeave = [&](TObject*) { ++leaves; };
    const POINT on = OnButton(10, 10);
    MoveTo(on.x, on.y);
    ASSERT_TRUE(PumpUntil(app, [&] { return enters == 1; }));
    const POINT panelOnly = OnButton(10, 60);
    MoveTo(panelOnly.x, panelOnly.y);
    ASSERT_TRUE(PumpUntil(app, [&] { return leaves == 1; }));
    MoveTo(on.x, on.y);
    ASSERT_TRUE(PumpUntil(app, [&] { return enters == 2; }));
    MoveTo(20, 20);  // off the window altogether
    ASSERT_TRUE(PumpUntil(app, [&] { return leaves == 2; }));
}

TEST(RealInputCursor, TheSplitterShowsItsCursorAndTheDragMovesIt) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(100, 100, 400, 200);
    form.DisableAlign();
    auto& splitter = form.Create<TSplitter>();
    splitter.SetParent(&form);
    splitter.SetBounds(150, 0, 3, 200);
    auto& left = form.Create<TPanel>();
    left.SetParent(&form);
    left.SetBounds(0, 0, 150, 200);
    left.SetAlign(TAlign::alLeft);
    auto& rest = form.Create<TPanel>();
    rest.SetParent(&form);
    rest.SetAlign(TAlign::alClient);
    form.EnableAlign();
    form.Show();
    ::SetForegroundWindow(form.Handle());

    const core::Point on = splitter.ClientToScreen({1, 100});
    MoveTo(on.x, on.y);
    HCURSOR sizeWe = ::LoadCursorW(nullptr, IDC_SIZEWE);
    ASSERT_TRUE(PumpUntil(app, [&] { return ::GetCursor() == sizeWe; }));
    Button(MOUSEEVENTF_LEFTDOWN);
    Settle(app);
    MoveTo(on.x + 20, on.y);
    Settle(app);
    MoveTo(on.x + 40, on.y);
    Settle(app);
    Button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil(app, [&] { return left.Width() == 190; }));
    EXPECT_EQ(splitter.Left(), 190);
    EXPECT_EQ(rest.Left(), 193);
    const core::Point panelPoint = rest.ClientToScreen({50, 50});
    MoveTo(panelPoint.x, panelPoint.y);
    ASSERT_TRUE(PumpUntil(app, [&] { return ::GetCursor() == ::LoadCursorW(nullptr, IDC_ARROW); }));
}
