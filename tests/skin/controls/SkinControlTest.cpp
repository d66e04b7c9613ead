#include "skin/controls/SkinControl.h"

#include "framework/controls/Panel.h"
#include "framework/core/Exception.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinObjects.h"
#include "tests/skin/controls/ControlTestSkin.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/FailureLogCapture.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <windows.h>

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr TColor kPainted = RgbColour(40, 160, 90);
constexpr UINT kProbe = WM_APP + 77;

using control_skin::TestHost;

// Paints the whole control in one colour, and counts the probe messages it saw.
class TSolidSkin final : public TSkinControl {
    KESTRELLE_CLASS(TSolidSkin, TSkinControl)

public:
    int probes = 0;
    bool keepProbes = false;

protected:
    bool BeforeMessage(TMessage& message) override {
        if (message.Msg == kProbe) {
            ++probes;
            if (keepProbes) {
                message.Result = 55;
                return false;
            }
        }
        if (message.Msg == WM_PAINT) {
            PaintMessage(message);
            return false;
        }
        return TSkinControl::BeforeMessage(message);
    }
    void PaintSkin(HDC dc, const RECT& rect) override {
        PaintBuffered(dc, rect, [&](HDC buffer) { FillColor(buffer, rect, kPainted); });
    }
};

class SkinControlTest : public window_skin::SkinnedTest {
protected:
    TestHost host;
};

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == kProbe) return 11;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeBareWindow() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SkinControlTestBare";
        return ::RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    return ::CreateWindowExW(0, L"SkinControlTestBare", L"bare", WS_POPUP | WS_VISIBLE, 10, 10, 60, 30, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

TEST_F(SkinControlTest, AFrameworkControlIsSkinnedThroughItsHandlerAndGetsItAllBack) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(5, 5, 80, 40);
    panel.SetColor(RgbColour(7, 8, 9));
    HWND window = panel.Handle();
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 0);

    auto& skin = panel.Create<TSolidSkin>();
    skin.AttachControl(host, *this->skin, true, nullptr);
    skin.AttachControl(host, *this->skin, true, nullptr);  // a second attach is ignored
    EXPECT_EQ(host.skins, std::vector<TSkinControl*>{&skin});
    EXPECT_EQ(skin.State(), TSkinControl::kSkinned);
    EXPECT_EQ(skin.Handle(), window);
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(panel.Color(), window_skin::kFace);  // recoloured
    panel.Perform(kProbe);
    EXPECT_EQ(skin.probes, 1);

    // Switched off, the control's own handling sees everything; on again, the skin.
    ::SendMessageW(window, WMX_SKINPAINT, 0, 0);
    EXPECT_FALSE(skin.SkinActive());
    skin.keepProbes = true;
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 0);
    panel.Perform(kProbe);
    EXPECT_EQ(skin.probes, 1);
    ::SendMessageW(window, WMX_SKINPAINT, 1, 0);
    EXPECT_EQ(panel.Perform(kProbe), 55);
    EXPECT_EQ(skin.probes, 2);

    // Detached as its window skinning object does it: its look back, then freed through
    // its owner. The handler and the colour are the control's own again.
    skin.Unskin();
    FreeComponent(&skin);
    EXPECT_TRUE(host.skins.empty());
    EXPECT_EQ(panel.Color(), RgbColour(7, 8, 9));
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 0);
    EXPECT_EQ(panel.Perform(kProbe), 0);
}

TEST_F(SkinControlTest, AControlDyingWithItsSkinIsNotHandedItsHandlerBack) {
    // The skin dies after the control's own parts (the control owns it): the handler it
    // kept must go with the skin, not into the control that is no longer there.
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    auto token = std::make_shared<int>(0);
    panel.SetWindowProc([token, previous = panel.WindowProc()](TMessage& message) { previous(message); });
    auto& skin = panel.Create<TSolidSkin>();
    skin.AttachControl(host, *this->skin, false, nullptr);
    ASSERT_EQ(token.use_count(), 2);
    FreeComponent(&panel);
    EXPECT_TRUE(host.skins.empty());
    EXPECT_EQ(token.use_count(), 1);
}

TEST_F(SkinControlTest, ABareWindowIsSubclassedAndGivenItsProcedureBack) {
    HWND window = MakeBareWindow();
    const auto procedure = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
    {
        auto skin = std::make_unique<TSolidSkin>();
        skin->AttachHandle(window, *this->skin, host, nullptr);
        EXPECT_NE(::GetWindowLongPtrW(window, GWLP_WNDPROC), procedure);
        EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 1);
        EXPECT_EQ(::SendMessageW(window, kProbe, 0, 0), 11);  // the window's own answer, after the skin's look
        EXPECT_EQ(skin->probes, 1);
    }
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), procedure);
    EXPECT_TRUE(host.skins.empty());
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 0);
    ::DestroyWindow(window);
}

TEST_F(SkinControlTest, AGoneWindowLeavesTheSkinAliveToBeFreedLater) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    panel.SetColor(RgbColour(7, 8, 9));
    auto& skin = panel.Create<TSolidSkin>();
    skin.AttachControl(host, *this->skin, true, nullptr);
    panel.DestroyHandle();
    EXPECT_EQ(skin.State(), TSkinControl::kWindowGone);
    EXPECT_FALSE(skin.SkinActive());
    EXPECT_EQ(panel.Color(), RgbColour(7, 8, 9));  // its own colour again
    EXPECT_EQ(host.skins.size(), 1u);              // still registered, waiting to be freed
}

TEST_F(SkinControlTest, APaintIntoAGivenDeviceContextPaintsThereAndComposesOffScreen) {
    HWND window = MakeBareWindow();
    auto skin = std::make_unique<TSolidSkin>();
    skin->AttachHandle(window, *this->skin, host, nullptr);
    DibSection target(60, 30);
    target.Fill(kSentinel);
    ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
    ::GdiFlush();
    EXPECT_TRUE(target.AllEqual({0, 0, 60, 30}, ColorToRGB(kPainted)));
    skin.reset();
    ::DestroyWindow(window);
}

TEST_F(SkinControlTest, ControlFramesLeaveTheKeyColourOutOnlyWhenTransIsOne) {
    TDataSkinObject object{"test"};
    object.Image.SetPixelFormat(TPixelFormat::pf24bit);
    object.Image.SetSize(4, 4);
    BrushHandle green{::CreateSolidBrush(RGB(0, 200, 0))};
    const RECT all{0, 0, 4, 4};
    ::FillRect(object.Image.Dc(), &all, green.Get());
    ::SetPixel(object.Image.Dc(), 0, 0, ColorToRGB(window_skin::kKey));
    struct Probe : TSkinControl {
        static bool Draw(HDC dc, const TDataSkinObject& o) { return DrawSkinFrame(dc, {0, 0, 4, 4}, 1, 1, o); }
    };
    DibSection target(4, 4);
    for (int trans : {1, 2}) {
        object.Trans = trans;
        target.Fill(kSentinel);
        ASSERT_TRUE(Probe::Draw(target.Dc(), object));
        ::GdiFlush();
        EXPECT_EQ(target.Pixel(0, 0), trans == 1 ? kSentinel : ColorToRGB(window_skin::kKey)) << trans;
        EXPECT_TRUE(target.AllEqual({1, 0, 4, 4}, RGB(0, 200, 0)));
    }
}

TEST_F(SkinControlTest, PropertiesAreReadByNameWithNeutralAnswersForWhatIsMissing) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = form.Create<TPanel>();
    panel.SetCaption(L"Panel text");
    EXPECT_EQ(TSkinControl::GetTextProp(&panel, u"Caption"), L"Panel text");
    EXPECT_EQ(TSkinControl::GetEnumName(&panel, u"Alignment"), u"tacenter");
    EXPECT_EQ(TSkinControl::GetIntProp(&panel, u"BevelWidth"), 1);
    EXPECT_EQ(TSkinControl::GetIntProp(&panel, u"NoSuchProperty"), -1);
    EXPECT_EQ(TSkinControl::GetIntProp(&panel, u"Caption"), -1);  // not an integer
    EXPECT_EQ(TSkinControl::GetIntProp(nullptr, u"Tag"), -1);
    EXPECT_TRUE(TSkinControl::GetEnumName(&panel, u"Missing").empty());
    EXPECT_TRUE(TSkinControl::GetTextProp(nullptr, u"Caption").empty());
    TSkinControl::SetPropText(&panel, u"BevelWidth", u"3");
    TSkinControl::SetPropText(&panel, u"Alignment", u"taLeftJustify");
    TSkinControl::SetPropText(&panel, u"Font", u"whatever");  // an object: left alone
    TSkinControl::SetPropText(&panel, u"Missing", u"1");
    EXPECT_EQ(TSkinControl::GetIntProp(&panel, u"BevelWidth"), 3);
    EXPECT_EQ(TSkinControl::GetEnumName(&panel, u"Alignment"), u"taleftjustify");
}

}  // namespace

// Paints by throwing.
class TFailingSkin final : public TSkinControl {
    KESTRELLE_CLASS(TFailingSkin, TSkinControl)

protected:
    bool BeforeMessage(TMessage& message) override {
        if (message.Msg != WM_PAINT) return TSkinControl::BeforeMessage(message);
        PaintMessage(message);
        return false;
    }
    void PaintSkin(HDC, const RECT&) override { throw EInvalidOperation(u"no picture"); }
};

TEST_F(SkinControlTest, AFailingPaintIsLoggedOnceAndEndsThePaint) {
    TApplication app;
    int reported = 0;
    app.OnException = [&](TObject*, const Exception&) { ++reported; };
    auto& form = app.CreateForm<TForm>();
    form.SetBounds(0, 0, 200, 100);
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(5, 5, 80, 40);
    form.Show();
    PumpUntil([] { return false; }, 50);
    auto& failing = panel.Create<TFailingSkin>();
    failing.AttachControl(host, *skin, false, nullptr);

    FailureLogCapture log;
    ::InvalidateRect(panel.Handle(), nullptr, TRUE);
    ::UpdateWindow(panel.Handle());
    EXPECT_EQ(log.Count(u"could not paint"), 1u);
    EXPECT_EQ(reported, 0);  // the application's handler never hears of it
    RECT left{};
    EXPECT_FALSE(::GetUpdateRect(panel.Handle(), &left, FALSE));  // no paint message keeps coming
}
