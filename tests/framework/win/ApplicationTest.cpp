#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Timer.h"
#include "tests/support/FailureLogCapture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

namespace {

// Runs the application's loop until `done` or a generous deadline; no sleeping.
template <class Done>
bool RunUntil(TApplication& app, Done done, DWORD limitMs = 10000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > limitMs) return false;
        // A thread timer keeps WaitMessage from sleeping past the deadline.
        const UINT_PTR wake = ::SetTimer(nullptr, 0, 50, nullptr);
        app.HandleMessage();
        ::KillTimer(nullptr, wake);
    }
    return true;
}

// Closes the message boxes the standard handler shows, from inside their modal loop,
// and remembers what they said.
struct BoxCloser {
    static inline int boxes = 0;
    static inline std::wstring caption;
    static inline std::wstring text;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
        HWND box = ::FindWindowW(L"#32770", nullptr);
        if (!box || ::GetWindowThreadProcessId(box, nullptr) != ::GetCurrentThreadId()) return;
        if (::GetPropW(box, L"seen")) return;
        ::SetPropW(box, L"seen", reinterpret_cast<HANDLE>(1));
        ++boxes;
        wchar_t buffer[256]{};
        ::GetWindowTextW(box, buffer, 256);
        caption = buffer;
        ::GetDlgItemTextW(box, 0xFFFF, buffer, 256);  // the static holding the text
        text = buffer;
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
};

}  // namespace

TEST(Timer, TicksFromTheLoopAndStopsWhenDisabled) {
    TApplication app;
    auto& timer = app.Create<TTimer>();
    int ticks = 0;
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        if (++ticks == 3) timer.SetEnabled(false);
    };
    ASSERT_TRUE(RunUntil(app, [&] { return ticks >= 3; }));

    // Disabled: another clock goes on ticking while this one stays quiet.
    int other = 0;
    auto& clock = app.Create<TTimer>();
    clock.SetInterval(10);
    clock.OnTimer = [&](TObject*) { ++other; };
    ASSERT_TRUE(RunUntil(app, [&] { return other >= 5; }));
    EXPECT_EQ(ticks, 3);

    // Re-enabled with a new interval, it ticks again.
    timer.SetInterval(15);
    timer.SetEnabled(true);
    ASSERT_TRUE(RunUntil(app, [&] { return ticks >= 4; }));

    // Interval 0 stops it as well.
    timer.SetInterval(0);
    const int stoppedAt = ticks;
    other = 0;
    ASSERT_TRUE(RunUntil(app, [&] { return other >= 5; }));
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(Application, AnExceptionInAHandlerShowsOneMessageBoxAndTheLoopGoesOn) {
    TApplication app;
    app.SetTitle(L"Kestrelle");
    BoxCloser::boxes = 0;
    const UINT_PTR closer = ::SetTimer(nullptr, 0, 20, &BoxCloser::Tick);

    auto& timer = app.Create<TTimer>();
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 2) throw EConvertError(u"Die Datei fehlt: yinbiao7.swf");
    };
    ASSERT_TRUE(RunUntil(app, [&] { return ticks >= 6; }));
    ::KillTimer(nullptr, closer);
    EXPECT_EQ(BoxCloser::boxes, 1);
    EXPECT_EQ(BoxCloser::caption, L"Kestrelle");
    EXPECT_EQ(BoxCloser::text, L"Die Datei fehlt: yinbiao7.swf");
    EXPECT_FALSE(app.Terminated());
}

TEST(Application, WindowMessagesThatThrowReachTheHandlerNotUser32) {
    TApplication app;
    std::u16string reported;
    TObject* from = nullptr;
    app.OnException = [&](TObject* sender, const Exception& e) {
        from = sender;
        reported = e.Message();
    };
    auto& form = app.Create<TForm>();
    const TWndMethod previous = form.WindowProc();
    form.SetWindowProc([previous](TMessage& m) {
        if (m.Msg == WM_APP + 9) throw std::runtime_error("handler failed");
        previous(m);
    });
    EXPECT_EQ(::SendMessageW(form.Handle(), WM_APP + 9, 0, 0), 0);
    EXPECT_EQ(reported, u"handler failed");
    EXPECT_EQ(from, &form);
    // The window still works.
    EXPECT_TRUE(::SetWindowTextW(form.Handle(), L"alive"));
    EXPECT_EQ(form.Caption(), L"alive");

    // A handler that fails in turn has nobody left to tell but the log.
    FailureLogCapture log;
    app.OnException = [](TObject*, const Exception&) { throw std::runtime_error("handler of handlers failed"); };
    EXPECT_EQ(::SendMessageW(form.Handle(), WM_APP + 9, 0, 0), 0);
    EXPECT_EQ(log.Count(u"The exception handler failed: handler of handlers failed"), 1u);
}

TEST(Application, ClosingTheMainFormEndsTheLoopOtherFormsFollowTheirAction) {
    TApplication app;
    auto& main = app.CreateForm<TForm>();
    auto& other = app.CreateForm<TForm>();
    EXPECT_EQ(app.MainForm(), &main);
    other.Show();
    EXPECT_TRUE(other.Showing());
    ::SendMessageW(other.Handle(), WM_CLOSE, 0, 0);  // caHide by default
    EXPECT_FALSE(other.Showing());
    EXPECT_FALSE(app.Terminated());

    auto& transient = app.CreateForm<TForm>();
    transient.OnClose = [&](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
    const int forms = Screen->FormCount();
    transient.Show();
    ::SendMessageW(transient.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Screen->FormCount(), forms);  // not while its own message runs
    ASSERT_TRUE(RunUntil(app, [&] { return Screen->FormCount() == forms - 1; }));

    bool asked = false;
    main.OnCloseQuery = [&](TObject*, bool& canClose) {
        canClose = asked;
        asked = true;
    };
    main.Show();
    ::SendMessageW(main.Handle(), WM_CLOSE, 0, 0);  // refused once
    app.ProcessMessages();
    EXPECT_FALSE(app.Terminated());
    ::SendMessageW(main.Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(RunUntil(app, [&] { return app.Terminated(); }));
}

TEST(Application, OnlyOneApplicationObjectAtATime) {
    TApplication app;
    EXPECT_EQ(Application, &app);
    EXPECT_THROW(TApplication{}, Exception);
    EXPECT_EQ(Application, &app);
}

TEST(Screen, KnowsTheFormsAndTheActiveOne) {
    TApplication app;
    auto& a = app.CreateForm<TForm>();
    auto& b = app.CreateForm<TForm>();
    EXPECT_EQ(Screen->FormCount(), 2);
    EXPECT_EQ(Screen->Forms(0), &a);
    EXPECT_EQ(Screen->Forms(1), &b);
    EXPECT_EQ(Screen->Forms(2), nullptr);
    b.Show();
    ::SetActiveWindow(b.Handle());
    app.ProcessMessages();
    EXPECT_EQ(Screen->ActiveForm(), &b);
    app.DestroyComponent(b);
    EXPECT_EQ(Screen->FormCount(), 1);
    EXPECT_NE(Screen->ActiveForm(), &b);
}

TEST(Form, OpensMaximisedAndKeepsItsClientSize) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    form.SetBounds(244, 10, 696, 741);
    form.SetClientWidth(688);
    form.SetClientHeight(707);
    EXPECT_EQ(form.ClientWidth(), 688);
    EXPECT_EQ(form.ClientHeight(), 707);
    form.SetWindowState(TWindowState::wsMaximized);
    form.Show();
    EXPECT_TRUE(::IsZoomed(form.Handle()));
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(form.ClientWidth(), (work.right - work.left) * 9 / 10);
    form.SetWindowState(TWindowState::wsNormal);
    EXPECT_FALSE(::IsZoomed(form.Handle()));
    EXPECT_EQ(form.ClientWidth(), 688);

    // A new border needs a new window; the form keeps its place and children.
    HWND before = form.Handle();
    form.SetBorderStyle(TFormBorderStyle::bsDialog);
    EXPECT_NE(form.Handle(), before);
    EXPECT_FALSE(::GetWindowLongPtrW(form.Handle(), GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(TWinControl::FindControl(form.Handle()), &form);
}

TEST(Application, HintsShowAfterAPauseAndGoAwayOnAPress) {
    TApplication app;
    app.SetHintPause(10);
    auto& form = app.CreateForm<TForm>();
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(50, 50, 300, 200);
    auto& tipped = form.Create<TPanel>();
    tipped.SetParent(&form);
    tipped.SetBounds(0, 0, 100, 100);
    tipped.SetHint(L"Lesson 1|Plays the first lesson");
    tipped.SetShowHint(true);
    auto& plain = form.Create<TPanel>();
    plain.SetParent(&form);
    plain.SetBounds(150, 0, 100, 100);
    form.Show();

    ::SendMessageW(tipped.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(RunUntil(app, [&] { return app.HintWindow() && app.HintWindow()->IsShowing(); }));
    EXPECT_EQ(app.HintWindow()->Caption(), L"Lesson 1");
    ::SendMessageW(tipped.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(app.HintWindow()->IsShowing());
    ::SendMessageW(tipped.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    // A control without a hint shows none; going back shows it again.
    ::SendMessageW(plain.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    int turns = 0;
    RunUntil(app, [&] { return ++turns > 10; });
    EXPECT_FALSE(app.HintWindow()->IsShowing());
    ::SendMessageW(tipped.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
    ASSERT_TRUE(RunUntil(app, [&] { return app.HintWindow()->IsShowing(); }));
    form.DestroyComponent(tipped);  // the hint goes with its control
    EXPECT_FALSE(app.HintWindow()->IsShowing());
}

TEST(Application, TabMovesTheFocusAlongTheTabOrder) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(0, 0, 300, 100);
    TPanel* panels[3];
    for (int i = 0; i < 3; ++i) {
        panels[i] = &form.Create<TPanel>();
        panels[i]->SetParent(&form);
        panels[i]->SetBounds(i * 100, 0, 90, 90);
        panels[i]->SetTabStop(i != 1);  // the middle one is skipped
    }
    std::vector<UINT> exits;
    const TWndMethod previous = panels[0]->WindowProc();
    panels[0]->SetWindowProc([&, previous](TMessage& m) {
        if (m.Msg == kMsgExit) exits.push_back(m.Msg);
        previous(m);
    });
    form.Show();
    ::SetActiveWindow(form.Handle());
    panels[0]->SetFocus();
    app.ProcessMessages();
    ASSERT_TRUE(panels[0]->Focused());
    EXPECT_EQ(form.ActiveControl(), panels[0]);

    ::PostMessageW(panels[0]->Handle(), WM_KEYDOWN, VK_TAB, 0);
    app.ProcessMessages();
    EXPECT_TRUE(panels[2]->Focused());
    EXPECT_EQ(form.ActiveControl(), panels[2]);
    EXPECT_EQ(exits.size(), 1u);
    ::PostMessageW(panels[2]->Handle(), WM_KEYDOWN, VK_TAB, 0);
    app.ProcessMessages();
    EXPECT_TRUE(panels[0]->Focused());
}
