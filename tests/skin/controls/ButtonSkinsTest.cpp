#include "skin/controls/ButtonSkins.h"

#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "skin/controls/ControlSkinFactory.h"
#include "skin/controls/SpeedButtonSkin.h"
#include "skin/controls/ToolButtonSkin.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin/controls/ControlTestSkin.h"
#include "tests/skin/controls/TestControls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include <windows.h>

namespace {

using namespace control_skin;

constexpr TColor kGreen = RgbColour(0, 160, 0), kBlue = RgbColour(0, 0, 255), kRed = RgbColour(160, 0, 0);
constexpr TColor kTeal = RgbColour(0, 160, 160), kGlyphKey = RgbColour(255, 207, 0);
constexpr TColor kBlueGrey = RgbColour(85, 85, 85);  // blue's channels' mean

std::vector<std::pair<WPARAM, LPARAM>> g_commands;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_COMMAND) g_commands.emplace_back(wParam, lParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeParent(DWORD visible = 0) {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ButtonSkinsTestParent";
        return ::RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    g_commands.clear();
    return ::CreateWindowExW(0, L"ButtonSkinsTestParent", L"parent", WS_POPUP | visible, 20, 20, 300, 200, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// An 80 x 24 "BUTTON" window on a parent of its own, with a skin of class Skin
// attached; the skin goes before the windows.
template <class Skin>
struct BareButton {
    BareButton(ControlSkinHost& host, TSkinData& skinData, const wchar_t* text, int id = 7, DWORD visible = 0)
        : parent{MakeParent(visible)},
          button{::CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                   nullptr)} {
        skinObject->AttachHandle(button, skinData, host, nullptr);
    }
    ~BareButton() {
        skinObject.reset();
        ::DestroyWindow(parent);
    }
    HWND parent;
    HWND button;
    std::unique_ptr<Skin> skinObject = std::make_unique<Skin>();
};

void Drain() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// What the window paints into a DC of its size (the sentinel where it paints nothing).
void PaintWindow(HWND window, DibSection& dib) {
    dib.Fill(kSentinel);
    ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
    ::GdiFlush();
}

void PaintControl(TControl& control, DibSection& dib) {
    dib.Fill(kSentinel);
    control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
    ::GdiFlush();
}

// The frame shows along the two outer columns on each side of a button, where neither
// a centred caption nor its focus rectangle reaches.
bool ShowsFrame(const DibSection& dib, int frame) {
    const TColor colour = kFrames[frame - 1];
    const int w = dib.Width(), h = dib.Height();
    return AllOf(dib, {0, 4, 2, h - 4}, colour) && AllOf(dib, {w - 2, 4, w, h - 4}, colour);
}

// A strip of 16 x 16 cells in these colours, each with the transparent colour at its
// lower-left pixel.
void MakeGlyphs(TBitmap& strip, std::initializer_list<TColor> cells) {
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    strip.SetSize(16 * static_cast<int>(cells.size()), 16);
    int x = 0;
    for (TColor colour : cells) {
        BrushHandle brush{::CreateSolidBrush(ColorToRGB(colour))};
        const RECT cell{x, 0, x + 16, 16};
        ::FillRect(strip.Dc(), &cell, brush.Get());
        ::SetPixel(strip.Dc(), x, 15, ColorToRGB(kGlyphKey));
        x += 16;
    }
    ::GdiFlush();
}

// A 16 x 16 glyph at `at` in `colour`, its transparent lower-left pixel showing `behind`.
bool ShowsGlyph(const DibSection& dib, POINT at, TColor colour, TColor behind) {
    return AllOf(dib, {at.x, at.y, at.x + 16, at.y + 15}, colour) &&
           AllOf(dib, {at.x + 1, at.y + 15, at.x + 16, at.y + 16}, colour) &&
           dib.Pixel(at.x, at.y + 15) == ColorToRGB(behind);
}

class ButtonSkinsTest : public ControlSkinTest {};

TEST_F(ButtonSkinsTest, APushButtonPaintsTheFrameOfEachState) {
    BareButton<TSkinButton> bare{host, *skin, L""};
    HWND button = bare.button;
    DibSection dib(80, 24);

    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 1));
    EXPECT_EQ(dib.Pixel(0, 0), ColorToRGB(kFace));  // the frame's key colour shows the skin's background

    // Hover: a bare window tells its window skinning object, which watches for the leave.
    ::SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 4));
    EXPECT_EQ(host.hover, bare.skinObject.get());

    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 2));

    // Leaving, by the system's notice or the window skinning object's, ends hover and
    // press; the focus the press gave stays.
    EXPECT_EQ(::GetFocus(), button);
    ::SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 5));
    ::SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageW(button, kMsgMouseLeave, 0, 0);
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 5));

    // Disabled wins, and a disabled button takes no hover.
    ::EnableWindow(button, FALSE);
    ::SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 3));
    ::EnableWindow(button, TRUE);
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 1));

    // Without a picture in the skin the button paints itself.
    skin->Buttons().Image.SetSize(0, 0);
    PaintWindow(button, dib);
    EXPECT_EQ(CountOf(dib, {0, 0, 80, 24}, kFrames[0]), 0);
    EXPECT_GT(dib.CountOther({0, 0, 80, 24}, kSentinel), 0);

}

TEST_F(ButtonSkinsTest, APushButtonClicksOnReleaseOverItOnly) {
    BareButton<TSkinButton> bare{host, *skin, L"Go", 42};
    HWND button = bare.button;
    const std::vector<std::pair<WPARAM, LPARAM>> oneClick{{MAKEWPARAM(42, BN_CLICKED), reinterpret_cast<LPARAM>(button)}};

    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    Drain();
    EXPECT_TRUE(g_commands.empty());
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Drain();
    EXPECT_EQ(g_commands, oneClick);  // the skin's click, and none of the window's own

    // A press that left the button, and a release away from it, click nothing.
    g_commands.clear();
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 10));
    Drain();
    EXPECT_TRUE(g_commands.empty());
    // A release without a press first clicks nothing either.
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Drain();
    EXPECT_TRUE(g_commands.empty());

}

TEST_F(ButtonSkinsTest, TheSpaceBarPressesAndReleasesAndTheButtonClicksItself) {
    BareButton<TSkinButton> bare{host, *skin, L"", 9};
    HWND button = bare.button;
    DibSection dib(80, 24);

    ::SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 2));
    ::SendMessageW(button, WM_KEYDOWN, 'A', 0x001E0001);  // another key leaves the press alone
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 2));
    ::SendMessageW(button, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
    Drain();
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 1));
    EXPECT_EQ(g_commands.size(), 1u);  // the keys reach the button, which clicks on its own

}

TEST_F(ButtonSkinsTest, AFocusedButtonShowsItsFrameAndAFocusRectangleUnlessTheSkinSaysNo) {
    BareButton<TSkinButton> bare{host, *skin, L"Go", 7, WS_VISIBLE};
    HWND button = bare.button;
    ::SetForegroundWindow(bare.parent);
    ::SetFocus(button);
    ASSERT_EQ(::GetFocus(), button);
    DibSection dib(80, 24);

    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 5));
    DibSection withFocus(80, 24);
    ::BitBlt(withFocus.Dc(), 0, 0, 80, 24, dib.Dc(), 0, 0, SRCCOPY);
    skin->SetOptions(skin->Options() | TSkinOptions{TSkinOption::xoNoFocusRect});
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 5));

    // The two pictures differ only in a dotted outline, and the caption lies inside it.
    RECT outline{80, 24, 0, 0};
    std::vector<POINT> dots;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            if (withFocus.Pixel(x, y) != dib.Pixel(x, y)) {
                dots.push_back({x, y});
                outline = {std::min<LONG>(outline.left, x), std::min<LONG>(outline.top, y),
                           std::max<LONG>(outline.right, x + 1), std::max<LONG>(outline.bottom, y + 1)};
            }
    ASSERT_GT(dots.size(), 20u);
    for (const POINT dot : dots)
        EXPECT_TRUE(dot.x == outline.left || dot.x == outline.right - 1 || dot.y == outline.top ||
                    dot.y == outline.bottom - 1)
            << dot.x << "," << dot.y;
    const RECT whole{0, 0, 80, 24};
    EXPECT_GT(dib.CountOther(outline, ColorToRGB(kFrames[4])), 0);
    // Outside it only the frame's key-colour corner differs from the frame.
    EXPECT_EQ(dib.CountOther(whole, ColorToRGB(kFrames[4])), dib.CountOther(outline, ColorToRGB(kFrames[4])) + 1);

}

TEST_F(ButtonSkinsTest, AFrameworkButtonIsSkinnedThroughItsHandlerAndClicksOnce) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = ColouredParent(form);
    auto& button = form.Create<TButton>();
    button.SetParent(&panel);
    button.SetBounds(10, 10, 80, 24);
    button.SetColor(RgbColour(7, 8, 9));
    int clicks = 0, downs = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    button.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    HWND window = button.Handle();

    auto& skinObject = button.Create<TSkinButton>();
    skinObject.AttachControl(host, *skin, true, nullptr);
    EXPECT_EQ(button.Color(), kFace);
    EXPECT_FALSE(skinObject.Transparent());
    DibSection dib(80, 24);
    PaintWindow(window, dib);
    EXPECT_TRUE(ShowsFrame(dib, 1));
    EXPECT_EQ(dib.Pixel(0, 0), ColorToRGB(kFace));

    // Hover comes with the framework's enter and leave notices.
    button.Perform(kMsgMouseEnter, 0, reinterpret_cast<LPARAM>(&button));
    PaintWindow(window, dib);
    EXPECT_TRUE(ShowsFrame(dib, 4));
    button.Perform(kMsgMouseLeave, 0, reinterpret_cast<LPARAM>(&button));
    PaintWindow(window, dib);
    EXPECT_TRUE(ShowsFrame(dib, 1));

    // The press is kept from the window but still reaches the control's mouse-down event.
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PaintWindow(window, dib);
    EXPECT_TRUE(ShowsFrame(dib, 2));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(clicks, 0);
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Drain();
    EXPECT_EQ(clicks, 1);

    // The space bar reaches the window, which clicks on its release; the skin shows the press.
    ::SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PaintWindow(window, dib);
    EXPECT_TRUE(ShowsFrame(dib, 2));
    ::SendMessageW(window, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
    Drain();
    EXPECT_EQ(clicks, 2);
    PaintWindow(window, dib);
    EXPECT_FALSE(ShowsFrame(dib, 2));

    // Detached: its colour and handler are its own again, and its window clicks for it.
    skinObject.Unskin();
    FreeComponent(&skinObject);
    EXPECT_TRUE(host.skins.empty());
    EXPECT_EQ(button.Color(), RgbColour(7, 8, 9));
    EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 0);
    PaintWindow(window, dib);
    EXPECT_EQ(CountOf(dib, {0, 0, 80, 24}, kFrames[0]), 0);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Drain();
    EXPECT_EQ(clicks, 3);
}

TEST_F(ButtonSkinsTest, ATransparentButtonShowsItsParentBehindTheFrame) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = ColouredParent(form);
    auto& button = form.Create<TButton>();
    button.SetParent(&panel);
    button.SetBounds(10, 10, 80, 24);
    button.SetTag(kTransparentTag);
    auto& skinObject = button.Create<TSkinButton>();
    skinObject.AttachControl(host, *skin, false, nullptr);
    EXPECT_TRUE(skinObject.Transparent());
    DibSection dib(80, 24);
    PaintWindow(button.Handle(), dib);
    EXPECT_EQ(dib.Pixel(0, 0), ColorToRGB(kParentColour));
    EXPECT_TRUE(ShowsFrame(dib, 1));

    // The skin's option makes every button transparent.
    auto& other = form.Create<TButton>();
    other.SetParent(&panel);
    other.SetBounds(100, 10, 80, 24);
    skin->SetOptions(skin->Options() | TSkinOptions{TSkinOption::xoTransparent});
    auto& otherSkin = other.Create<TSkinButton>();
    otherSkin.AttachControl(host, *skin, false, nullptr);
    PaintWindow(other.Handle(), dib);
    EXPECT_EQ(dib.Pixel(0, 0), ColorToRGB(kParentColour));
}

// A skinned 100 x 40 button on `form` with a caption in large bold letters of kFontColour.
constexpr TColor kFontColour = RgbColour(250, 250, 0);
TButton& CaptionedButton(TForm& form, ControlSkinHost& host, TSkinData& skin) {
    auto& button = form.Create<TButton>();
    button.SetParent(&form);
    button.SetBounds(0, 0, 100, 40);
    button.SetCaption(L"WWW");
    button.Font().SetSize(14);
    button.Font().SetStyle(TFontStyles{TFontStyle::fsBold});
    button.Font().SetColor(kFontColour);
    button.Create<TSkinButton>().AttachControl(host, skin, false, nullptr);
    return button;
}

TEST_F(ButtonSkinsTest, CaptionsTakeTheColourTheSkinGivesEachState) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& button = CaptionedButton(form, host, *skin);
    HWND window = button.Handle();
    DibSection dib(100, 40);
    const RECT all{0, 0, 100, 40};
    const auto only = [&](TColor colour) {
        int others = 0;
        for (TColor c : {kNormalCaption, kHoverCaption, kPressedCaption, kFontColour})
            if (c != colour) others += CountOf(dib, all, c);
        return CountOf(dib, all, colour) > 0 && others == 0;
    };

    PaintWindow(window, dib);
    EXPECT_TRUE(only(kNormalCaption));
    EXPECT_TRUE(ShowsFrame(dib, 1));  // the caption stays inside
    button.Perform(kMsgMouseEnter, 0, reinterpret_cast<LPARAM>(&button));
    PaintWindow(window, dib);
    EXPECT_TRUE(only(kHoverCaption));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PaintWindow(window, dib);
    EXPECT_TRUE(only(kPressedCaption));
    ::SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    ::EnableWindow(window, FALSE);
    PaintWindow(window, dib);
    EXPECT_GT(CountOf(dib, all, clGrayText), 0);
    EXPECT_EQ(CountOf(dib, all, kNormalCaption), 0);
}

TEST_F(ButtonSkinsTest, WithoutSkinCaptionColoursTheControlsFontColourIsUsed) {
    LoadSkin({4, 4, false});
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& button = CaptionedButton(form, host, *skin);
    DibSection dib(100, 40);
    PaintWindow(button.Handle(), dib);
    EXPECT_GT(CountOf(dib, {0, 0, 100, 40}, kFontColour), 0);
    EXPECT_EQ(CountOf(dib, {0, 0, 100, 40}, kNormalCaption), 0);
}

TEST_F(ButtonSkinsTest, ABitButtonDrawsItsGlyphCellWhereTheLayoutPutsIt) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& button = form.Create<TBitBtn>();
    button.SetParent(&form);
    button.SetBounds(0, 0, 80, 24);
    MakeGlyphs(button.Glyph(), {kGreen, kBlue});
    button.SetNumGlyphs(2);
    auto& skinObject = button.Create<TSkinBitButton>();
    skinObject.AttachControl(host, *skin, false, nullptr);
    HWND window = button.Handle();
    DibSection dib(80, 24);

    // No caption: no spacing, the glyph centred, (80 - 16) div 2 and (24 - 16 + 1) div 2.
    PaintWindow(window, dib);
    EXPECT_TRUE(ShowsGlyph(dib, {32, 4}, kGreen, kFrames[0]));
    EXPECT_TRUE(ShowsFrame(dib, 1));

    // Disabled: the second cell, in grey; its transparent pixel stays transparent.
    ::EnableWindow(window, FALSE);
    PaintWindow(window, dib);
    EXPECT_TRUE(ShowsGlyph(dib, {32, 4}, kBlueGrey, kFrames[2]));
    ::EnableWindow(window, TRUE);

    // A fixed margin on the right.
    button.SetLayout(TButtonLayout::blGlyphRight);
    button.SetMargin(4);
    PaintWindow(window, dib);
    EXPECT_TRUE(ShowsGlyph(dib, {60, 4}, kGreen, kFrames[0]));

    // With a caption: glyph at the margin, caption after the spacing.
    button.SetLayout(TButtonLayout::blGlyphLeft);
    button.SetSpacing(4);
    button.SetCaption(L"WW");
    button.Font().SetSize(14);
    button.Font().SetStyle(TFontStyles{TFontStyle::fsBold});
    PaintWindow(window, dib);
    EXPECT_TRUE(ShowsGlyph(dib, {4, 4}, kGreen, kFrames[0]));
    EXPECT_GT(CountOf(dib, {24, 0, 80, 24}, kNormalCaption), 0);
    EXPECT_EQ(CountOf(dib, {0, 0, 24, 24}, kNormalCaption), 0);
}

TEST_F(ButtonSkinsTest, ABitButtonDrawsFromAnImageListOrAPictureProperty) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    TImageList images(16, 16);
    TBitmap pictures;
    MakeGlyphs(pictures, {kRed, kBlue});
    ASSERT_EQ(images.AddMasked(pictures, kGlyphKey), 0);
    auto& button = form.Create<TTestButton>();
    button.SetParent(&form);
    button.SetBounds(0, 0, 80, 24);
    button.SetImages(&images);
    button.SetImageIndex(0);
    button.SetDisabledIndex(1);
    auto& skinObject = button.Create<TSkinBitButton>();
    skinObject.AttachControl(host, *skin, false, nullptr);
    HWND window = button.Handle();
    DibSection dib(80, 24);
    PaintWindow(window, dib);
    EXPECT_TRUE(AllOf(dib, {32, 4, 48, 19}, kRed));
    ::EnableWindow(window, FALSE);
    PaintWindow(window, dib);
    EXPECT_TRUE(AllOf(dib, {32, 4, 48, 19}, kBlue));  // the disabled index, as it is
    ::EnableWindow(window, TRUE);

    // The picture-property variant reads its glyph from the property it was given.
    auto& other = form.Create<TTestButton>();
    other.SetParent(&form);
    other.SetBounds(0, 30, 80, 24);
    MakeGlyphs(other.PngImage(), {kTeal});
    MakeGlyphs(other.Glyph(), {kRed});
    auto* pngSkin = As<TSkinBitButton>(MakeControlSkin(ControlSkinClass::PngBitButton, other));
    ASSERT_NE(pngSkin, nullptr);
    EXPECT_EQ(pngSkin->GlyphPropName(), u"PngImage");
    pngSkin->AttachControl(host, *skin, false, nullptr);
    PaintWindow(other.Handle(), dib);
    EXPECT_TRUE(ShowsGlyph(dib, {32, 4}, kTeal, kFrames[0]));
}

TEST_F(ButtonSkinsTest, AMenuButtonDrawsItsArrowAndShowsFocusAsHover) {
    BareButton<TSkinMenuButton> bare{host, *skin, L""};
    HWND button = bare.button;
    DibSection dib(80, 24);
    // The arrow's middle: below (68, 14), the top edge from (65, 11) to (71, 11).
    const RECT arrow{66, 11, 71, 13};
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 1));
    EXPECT_TRUE(dib.AllEqual(arrow, ::GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_TRUE(AllOf(dib, {66, 16, 71, 20}, kFrames[0]));  // nothing below the tip
    ::SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 4));
    ::SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    ::EnableWindow(button, FALSE);
    PaintWindow(button, dib);
    EXPECT_TRUE(ShowsFrame(dib, 3));
    EXPECT_TRUE(dib.AllEqual(arrow, ::GetSysColor(COLOR_GRAYTEXT)));
}

// A speed button of 60 x 30 with four 16 x 16 glyph cells: its glyph lands at
// ((60 - 16) div 2 + 1, (30 - 16 + 1) div 2).
class SpeedButtonSkinTest : public ButtonSkinsTest {
protected:
    void SetUp() override {
        ButtonSkinsTest::SetUp();
        app = std::make_unique<TApplication>();
        auto& form = app->CreateForm<TForm>();
        panel = &form.Create<TPanel>();
        panel->SetParent(&form);
        panel->SetBounds(0, 0, 200, 100);
        button = &form.Create<TSpeedButton>();
        button->SetParent(panel);
        button->SetBounds(10, 10, 60, 30);
        MakeGlyphs(button->Glyph(), {kGreen, kBlue, kRed, kTeal});
        button->SetNumGlyphs(4);
        button->OnClick = [this](TObject*) { ++clicks; };
        (void)panel->Handle();
        skinObject = &button->Create<TSkinSpeedButton>();
        skinObject->AttachOwn(host, *skin, nullptr);
    }
    void TearDown() override {
        app.reset();  // the button and its skin go before the skin data
        ButtonSkinsTest::TearDown();
    }
    bool Shows(int frame, TColor glyph) {
        PaintControl(*button, dib);
        return AllOf(dib, {4, 0, 56, 4}, kFrames[frame - 1]) && AllOf(dib, {0, 4, 4, 26}, kFrames[frame - 1]) &&
               ShowsGlyph(dib, kGlyphAt, glyph, kFrames[frame - 1]);
    }

    static constexpr POINT kGlyphAt{23, 7};
    std::unique_ptr<TApplication> app;
    TPanel* panel = nullptr;
    TSpeedButton* button = nullptr;
    TSkinSpeedButton* skinObject = nullptr;
    DibSection dib{60, 30};
    int clicks = 0;
};

TEST_F(SpeedButtonSkinTest, EachStatePicksItsFrameAndGlyphCell) {
    EXPECT_EQ(host.skins, std::vector<TSkinControl*>{skinObject});
    EXPECT_TRUE(Shows(1, kGreen));
    button->Perform(kMsgMouseEnter, 0, reinterpret_cast<LPARAM>(button));
    EXPECT_TRUE(Shows(4, kGreen));
    button->Perform(kMsgMouseLeave, 0, reinterpret_cast<LPARAM>(button));
    EXPECT_TRUE(Shows(1, kGreen));

    // Down: the pressed frame and the fourth cell; with two cells, the first.
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->SetDown(true);
    EXPECT_TRUE(Shows(2, kTeal));
    MakeGlyphs(button->Glyph(), {kGreen, kBlue});
    button->SetNumGlyphs(2);
    EXPECT_TRUE(Shows(2, kGreen));
    MakeGlyphs(button->Glyph(), {kGreen, kBlue, kRed, kTeal});
    button->SetNumGlyphs(4);
    button->SetDown(false);

    // Disabled: the second cell, in grey.
    button->SetEnabled(false);
    EXPECT_TRUE(Shows(3, kBlueGrey));
    button->SetEnabled(true);

    // Flat: the skin's background alone until hovered.
    button->SetFlat(true);
    PaintControl(*button, dib);
    EXPECT_TRUE(AllOf(dib, {0, 0, 60, 4}, kFace));
    EXPECT_TRUE(ShowsGlyph(dib, kGlyphAt, kGreen, kFace));
    button->Perform(kMsgMouseEnter, 0, reinterpret_cast<LPARAM>(button));
    EXPECT_TRUE(Shows(4, kGreen));
}

TEST_F(SpeedButtonSkinTest, ThePressShowsAndTheButtonsOwnLogicClicks) {
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(Shows(2, kRed));  // pressed: the third cell
    EXPECT_EQ(clicks, 0);
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Shows(1, kGreen));

    // The space bar presses too.
    button->Perform(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(Shows(2, kRed));
    button->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(Shows(1, kGreen));
}

TEST_F(SpeedButtonSkinTest, ALessonButtonsGlyphSitsWhereTheLayoutPutsIt) {
    // 193 x 33 with one 137 x 33 glyph and no caption, Margin -1 and Spacing 4 as stored.
    auto& lesson = panel->Owner()->Create<TSpeedButton>();
    lesson.SetParent(panel);
    lesson.SetBounds(0, 40, 193, 33);
    TBitmap& glyph = lesson.Glyph();
    glyph.SetPixelFormat(TPixelFormat::pf24bit);
    glyph.SetSize(137, 33);
    BrushHandle brush{::CreateSolidBrush(ColorToRGB(kTeal))};
    const RECT all{0, 0, 137, 33};
    ::FillRect(glyph.Dc(), &all, brush.Get());
    ::SetPixel(glyph.Dc(), 0, 32, ColorToRGB(kGlyphKey));
    ::GdiFlush();
    ASSERT_EQ(lesson.Margin(), -1);
    ASSERT_EQ(lesson.Spacing(), 4);
    auto& lessonSkin = lesson.Create<TSkinSpeedButton>();
    lessonSkin.AttachOwn(host, *skin, nullptr);
    DibSection face(193, 33);
    for (const auto& [layout, x] : {std::pair{TButtonLayout::blGlyphLeft, 29}, {TButtonLayout::blGlyphRight, 27}}) {
        lesson.SetLayout(layout);
        PaintControl(lesson, face);
        EXPECT_TRUE(AllOf(face, {x, 0, x + 137, 32}, kTeal)) << x;
        EXPECT_TRUE(AllOf(face, {x + 1, 32, x + 137, 33}, kTeal)) << x;
        EXPECT_TRUE(AllOf(face, {0, 4, x, 29}, kFrames[0])) << x;
        EXPECT_TRUE(AllOf(face, {x + 137, 4, 193, 29}, kFrames[0])) << x;
    }
}

TEST_F(SpeedButtonSkinTest, ReleasedItsButtonHasItsOwnHandlerAndLookBack) {
    skinObject->Unskin();
    FreeComponent(skinObject);
    EXPECT_TRUE(host.skins.empty());
    EXPECT_EQ(button->Perform(WMX_ISSKINNED), 0);
    PaintControl(*button, dib);
    for (const TColor frame : kFrames) EXPECT_EQ(CountOf(dib, {0, 0, 60, 30}, frame), 0);
    EXPECT_GT(dib.CountOther({0, 0, 60, 30}, kSentinel), 0);  // the framework's own look
}

TEST_F(SpeedButtonSkinTest, AButtonLeavingItsParentTakesItsHandlerBack) {
    button->SetParent(nullptr);
    EXPECT_EQ(skinObject->State(), TSkinControl::kWindowGone);
    EXPECT_EQ(button->Perform(WMX_ISSKINNED), 0);
    // Freed later by its window skinning object, through the button that owns it.
    FreeComponent(skinObject);
    EXPECT_TRUE(host.skins.empty());
}

TEST_F(ButtonSkinsTest, AToolButtonsFaceIsTheSkinsFrameOfItsStateInsideItsBounds) {
    DibSection dib(40, 30);
    TCanvas canvas;
    const CanvasLock lock{canvas, dib.Dc()};
    const RECT bounds{5, 4, 35, 26};
    const auto paint = [&](TCustomDrawState state) {
        dib.Fill(kSentinel);
        const bool drawn = PaintToolButtonFace(canvas, bounds, state, *skin);
        ::GdiFlush();
        return drawn;
    };
    // The frame fills the bounds less one pixel (its key-colour corner shows through);
    // the caption the bar draws next takes the state's colour.
    const auto shows = [&](int frame) {
        const TColor colour = kFrames[frame - 1];
        return dib.CountOther({6, 5, 34, 25}, ColorToRGB(colour)) == 1 && dib.Pixel(6, 5) == kSentinel &&
               dib.CountOther({0, 0, 40, 30}, kSentinel) == 28 * 20 - 1;
    };
    ASSERT_TRUE(paint(TCustomDrawState{TCustomDrawStateItem::cdsHot}));
    EXPECT_TRUE(shows(4));
    EXPECT_EQ(canvas.Font().Color(), kHoverCaption);
    ASSERT_TRUE(paint(TCustomDrawState{TCustomDrawStateItem::cdsSelected, TCustomDrawStateItem::cdsHot}));
    EXPECT_TRUE(shows(2));
    EXPECT_EQ(canvas.Font().Color(), kPressedCaption);
    ASSERT_TRUE(paint(TCustomDrawState{TCustomDrawStateItem::cdsDefault}));
    EXPECT_TRUE(shows(1));
    EXPECT_EQ(canvas.Font().Color(), kNormalCaption);

    // A state without a face, or a skin without a picture: nothing, and the bar's own look.
    EXPECT_FALSE(paint(TCustomDrawState{TCustomDrawStateItem::cdsDefault, TCustomDrawStateItem::cdsDisabled}));
    EXPECT_EQ(dib.CountOther({0, 0, 40, 30}, kSentinel), 0);
    skin->Buttons().Image.SetSize(0, 0);
    EXPECT_FALSE(paint(TCustomDrawState{TCustomDrawStateItem::cdsHot}));
    EXPECT_EQ(dib.CountOther({0, 0, 40, 30}, kSentinel), 0);
}

TEST_F(ButtonSkinsTest, TheFactoryMakesEachButtonClass) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& control = form.Create<TTestButton>();
    const auto made = [&](ControlSkinClass kind) { return MakeControlSkin(kind, control); };
    EXPECT_EQ(made(ControlSkinClass::Button)->ClassName(), u"TSkinButton");
    auto* bit = As<TSkinBitButton>(made(ControlSkinClass::BitButton));
    ASSERT_NE(bit, nullptr);
    EXPECT_TRUE(bit->GlyphPropName().empty());
    EXPECT_EQ(made(ControlSkinClass::MenuButton)->ClassName(), u"TSkinMenuButton");
    EXPECT_EQ(made(ControlSkinClass::SpeedButton)->ClassName(), u"TSkinSpeedButton");
    EXPECT_EQ(made(ControlSkinClass::CheckBox)->ClassName(), u"TSkinCheckBox");
    EXPECT_EQ(made(ControlSkinClass::RadioButton)->ClassName(), u"TSkinRadioButton");
    EXPECT_EQ(control.ComponentCount(), 6);  // each owned by the control
}

}  // namespace
