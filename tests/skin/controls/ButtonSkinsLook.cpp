// A window to look at: the program's own skin on push, bitmap, menu and speed buttons
// (a lesson button among them), check boxes and radio buttons, each row showing the
// states one can hold still: normal, hover, pressed, focused, disabled, down, flat,
// checked, grayed and text on the left. Not a test; run it and take a screenshot.
//   button_skins_look.exe <skin file> <lesson glyph file> [check]   ("check": the
//   focus on the "Focused" check box instead of the "Focused" push button)

#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Messages.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/SpeedButton.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/win/Files.h"
#include "framework/win/Handles.h"
#include "skin/controls/ButtonSkins.h"
#include "skin/controls/CheckSkins.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/controls/SpeedButtonSkin.h"
#include "skin/data/WinSkinData.h"

#include <string>
#include <vector>

#include <shellapi.h>
#include <windows.h>

namespace {

// Where the skins register; nothing watches the mouse for bare windows here.
class LookHost final : public TComponent, public ControlSkinHost {
public:
    bool RegisterControl(TSkinControl&) override { return false; }
    void UnregisterControl(TSkinControl&) noexcept override {}
    void SetHoverControl(TSkinControl*) noexcept override {}
    TComponent& HostComponent() noexcept override { return *this; }
};

class TLookForm final : public TForm {
public:
    std::wstring LayoutResourceName() const override { return {}; }

    void Build(const std::vector<std::byte>& packedSkin, const std::vector<std::byte>& lessonGlyph) {
        SetCaption(L"Button skins");
        SetBounds(10, 10, 840, 420);
        m_skin = &Create<TSkinData>();
        m_skin->SetLoading(true);
        SetBinaryProp(m_skin, u"SkinStream", SkinStreamProperty(packedSkin));
        m_skin->SetLoading(false);
        m_skin->Loaded();
        SetColor(m_skin->Colours().ButtonFace);
        m_host = &Create<LookHost>();

        const wchar_t* pushes[] = {L"Normal", L"Hover", L"Pressed", L"Focused", L"Disabled", L"Two||lines"};
        for (int i = 0; i < 6; ++i) m_push[i] = &Push<TButton, TSkinButton>(pushes[i], 10 + i * 110, 10, 100, 30);
        m_push[1]->Perform(kMsgMouseEnter, 0, reinterpret_cast<LPARAM>(m_push[1]));
        // A press the skin keeps from the window: no capture, so real input stays free.
        ::SendMessageW(m_push[2]->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        m_push[4]->SetEnabled(false);
        m_push[5]->SetHeight(40);

        TBitmap glyph;
        DrawArrowGlyph(glyph);
        const TButtonLayout layouts[] = {TButtonLayout::blGlyphLeft, TButtonLayout::blGlyphRight,
                                         TButtonLayout::blGlyphTop, TButtonLayout::blGlyphLeft};
        for (int i = 0; i < 4; ++i) {
            auto& bit = Push<TBitBtn, TSkinBitButton>(i == 3 ? L"Disabled" : L"Glyph", 10 + i * 110, 60, 100,
                                                      i == 2 ? 44 : 30);
            bit.SetGlyph(glyph);
            bit.SetNumGlyphs(2);
            bit.SetLayout(layouts[i]);
            if (i == 3) bit.SetEnabled(false);
        }
        Push<TButton, TSkinMenuButton>(L"Menu", 450, 60, 100, 30);
        Push<TButton, TSkinMenuButton>(L"Menu", 560, 60, 100, 30).SetEnabled(false);

        TBitmap lesson;
        lesson.LoadFromBytes(lessonGlyph);
        const wchar_t* speeds[] = {L"", L"", L"", L"Flat", L"Flat", L"Disabled"};
        for (int i = 0; i < 6; ++i) {
            auto& speed = Create<TSpeedButton>();
            speed.SetParent(this);
            if (i < 3) {
                speed.SetBounds(10 + i * 203, 120, 193, 33);
                speed.SetGlyph(lesson);
            } else {
                speed.SetBounds(10 + (i - 3) * 110, 165, 100, 30);
                speed.SetCaption(speeds[i]);
                speed.SetFlat(i < 5);
                speed.SetEnabled(i < 5);
            }
            speed.Create<TSkinSpeedButton>().AttachOwn(*m_host, *m_skin, nullptr);
            if (i == 1 || i == 4) speed.Perform(kMsgMouseEnter, 0, reinterpret_cast<LPARAM>(&speed));
            if (i == 2) {
                speed.SetGroupIndex(1);
                speed.SetDown(true);
            }
        }

        const wchar_t* checks[] = {L"Unchecked", L"Checked", L"Grayed", L"Disabled", L"Text left", L"Focused"};
        for (int i = 0; i < 6; ++i) {
            auto& box = Create<TCheckBox>();
            box.SetParent(this);
            box.SetBounds(10 + i * 130, 215, 120, 21);
            box.SetCaption(checks[i]);
            box.SetAllowGrayed(true);
            box.SetState(i == 0 || i == 5 ? TCheckBoxState::cbUnchecked
                         : i == 2         ? TCheckBoxState::cbGrayed
                                          : TCheckBoxState::cbChecked);
            if (i == 3) box.SetEnabled(false);
            if (i == 4) box.SetAlignment(TAlignment::taLeftJustify);
            box.Create<TSkinCheckBox>().AttachControl(*m_host, *m_skin, false, nullptr);
            if (i == 5) m_focus = &box;
        }
        // Radio buttons of one parent exclude each other: each sits on a plain panel of its own.
        const wchar_t* radios[] = {L"Off", L"On", L"Disabled on", L"Text left"};
        for (int i = 0; i < 4; ++i) {
            auto& panel = Create<TPanel>();
            panel.SetParent(this);
            panel.SetBevelOuter(TBevelCut::bvNone);
            panel.SetColor(m_skin->Colours().ButtonFace);
            panel.SetBounds(10 + i * 130, 250, 120, 21);
            auto& radio = Create<TRadioButton>();
            radio.SetParent(&panel);
            radio.SetBounds(0, 0, 120, 21);
            radio.SetCaption(radios[i]);
            radio.SetChecked(i > 0);
            if (i == 2) radio.SetEnabled(false);
            if (i == 3) radio.SetAlignment(TAlignment::taLeftJustify);
            radio.Create<TSkinRadioButton>().AttachControl(*m_host, *m_skin, false, nullptr);
        }
    }

    // The focus, once the window shows: on the "Focused" push button, or on the check box.
    void Settle(bool focusCheckBox) {
        if (focusCheckBox)
            m_focus->SetFocus();
        else
            m_push[3]->SetFocus();
    }

private:
    template <class Control, class Skin>
    Control& Push(const wchar_t* caption, int left, int top, int width, int height) {
        auto& control = Create<Control>();
        control.SetParent(this);
        control.SetBounds(left, top, width, height);
        control.SetCaption(caption);
        control.template Create<Skin>().AttachControl(*m_host, *m_skin, false, nullptr);
        return control;
    }

    // Two 16 x 16 cells: an arrow in green, and its disabled look; fuchsia corner pixel
    // as the transparent colour.
    static void DrawArrowGlyph(TBitmap& glyph) {
        glyph.SetPixelFormat(TPixelFormat::pf24bit);
        glyph.SetSize(32, 16);
        BrushHandle key{::CreateSolidBrush(RGB(255, 0, 255))};
        const RECT all{0, 0, 32, 16};
        ::FillRect(glyph.Dc(), &all, key.Get());
        for (int cell = 0; cell < 2; ++cell) {
            BrushHandle fill{::CreateSolidBrush(cell == 0 ? RGB(30, 150, 60) : RGB(150, 150, 150))};
            SelectScope useBrush{glyph.Dc(), fill.Get()};
            SelectScope usePen{glyph.Dc(), ::GetStockObject(NULL_PEN)};
            const POINT arrow[] = {{cell * 16 + 3, 3}, {cell * 16 + 13, 8}, {cell * 16 + 3, 13}};
            ::Polygon(glyph.Dc(), arrow, 3);
        }
        ::GdiFlush();
    }

    TSkinData* m_skin = nullptr;
    LookHost* m_host = nullptr;
    TWinControl* m_push[6]{};
    TCheckBox* m_focus = nullptr;
};

std::vector<std::byte> Read(const wchar_t* path) {
    std::vector<std::byte> bytes;
    (void)ReadWholeFile(path, size_t{64} << 20, bytes);
    return bytes;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!args || count < 3) return 2;
    const auto skin = Read(args[1]);
    const auto glyph = Read(args[2]);
    const bool focusCheckBox = count > 3 && std::wstring(args[3]) == L"check";
    ::LocalFree(args);
    if (skin.empty() || glyph.empty()) return 3;
    try {
        TApplication application;
        auto& form = application.CreateForm<TLookForm>();
        form.Build(skin, glyph);
        form.Show();
        form.Settle(focusCheckBox);
        application.Run();
    } catch (...) {
        HandleApplicationException(nullptr);
        return 1;
    }
    return 0;
}
