// A window to look at: the program's own skin on edits (with and without a border, one
// with a spin inside), combo boxes of every style (one laid out right to left, one
// disabled), up-downs of both layouts and a date-time picker. Not a test; run it, point
// at things and take screenshots.
//   edit_skins_look.exe <skin file>

#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/UpDown.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/Files.h"
#include "skin/controls/ComboSkin.h"
#include "skin/controls/DateTimeSkin.h"
#include "skin/controls/EditSkins.h"
#include "skin/controls/UpDownSkin.h"
#include "skin/data/WinSkinData.h"
#include "tests/skin/controls/TestHost.h"

#include <string>
#include <vector>

#include <commctrl.h>
#include <shellapi.h>
#include <windows.h>

namespace {

class TLookForm final : public TForm {
public:
    std::wstring LayoutResourceName() const override { return {}; }

    void Build(const std::vector<std::byte>& packedSkin) {
        SetCaption(L"Edit skins");
        SetBounds(10, 10, 560, 330);
        m_skin = &Create<TSkinData>();
        m_skin->SetLoading(true);
        SetBinaryProp(m_skin, u"SkinStream", SkinStreamProperty(packedSkin));
        m_skin->SetLoading(false);
        m_skin->Loaded();
        SetColor(m_skin->Colours().ButtonFace);
        m_host = &Create<TestHost>();

        auto& bordered = Control<TEdit, TSkinEdit>(10, 10, 150, 23);
        bordered.SetText(L"Bordered edit");
        auto& plain = Control<TEdit, TSkinEdit>(170, 10, 150, 23);
        plain.SetBorderStyle(TBorderStyle::bsNone);
        plain.SetText(L"No border");

        const TComboBoxStyle styles[] = {TComboBoxStyle::csDropDown, TComboBoxStyle::csDropDownList,
                                         TComboBoxStyle::csSimple};
        for (int i = 0; i < 3; ++i) {
            auto& combo = Create<TComboBox>();
            combo.SetParent(this);
            combo.SetComboStyle(styles[i]);
            combo.SetBounds(10 + i * 170, 50, 150, i == 2 ? 90 : 24);
            for (const wchar_t* line : {L"Alpha", L"Beta", L"Gamma", L"Delta", L"Epsilon", L"Zeta"}) combo.AddItem(line);
            combo.SetItemIndex(i);
            combo.Create<TSkinComBox>().AttachControl(*m_host, *m_skin, false, nullptr);
        }
        // Bare combos: right to left, and disabled.
        HWND rtl = Bare(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT, 10, 150, 150, 120);
        HWND off = Bare(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 170, 150, 150, 120);
        for (HWND combo : {rtl, off}) {
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Right to left"));
            ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
            Create<TSkinComBox>().AttachHandle(combo, *m_skin, *m_host, nullptr);
        }
        ::EnableWindow(off, FALSE);

        auto& number = Control<TEdit, TSkinEdit>(10, 200, 80, 23);
        number.SetText(L"5");
        auto& updown = Create<TUpDown>();
        updown.SetParent(this);
        updown.SetAssociate(&number);
        updown.Create<TSkinUpDown>().AttachControl(*m_host, *m_skin, false, nullptr);
        auto& across = Create<TUpDown>();
        across.SetParent(this);
        across.SetOrientation(TUDOrientation::udHorizontal);
        across.SetBounds(120, 200, 40, 20);
        across.Create<TSkinUpDown>().AttachControl(*m_host, *m_skin, false, nullptr);

        // A bare edit with a spin inside it, as some libraries make them.
        HWND spinEdit = Bare(L"EDIT", 0, WS_EX_CLIENTEDGE, 180, 200, 90, 23);
        RECT client{};
        ::GetClientRect(spinEdit, &client);
        ::CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.right - 16, 0, 16, client.bottom,
                          spinEdit, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        Create<TSkinEdit>().AttachHandle(spinEdit, *m_skin, *m_host, nullptr);

        HWND picker = Bare(DATETIMEPICK_CLASSW, 0, 0, 10, 240, 160, 24);
        Create<TSkinDateTime>().AttachHandle(picker, *m_skin, *m_host, nullptr);
        HWND pickerUpDown = Bare(DATETIMEPICK_CLASSW, DTS_UPDOWN | DTS_TIMEFORMAT, 0, 180, 240, 120, 24);
        Create<TSkinEdit>().AttachHandle(pickerUpDown, *m_skin, *m_host, nullptr);
    }

private:
    template <class C, class Skin>
    C& Control(int left, int top, int width, int height) {
        auto& control = Create<C>();
        control.SetParent(this);
        control.SetBounds(left, top, width, height);
        control.template Create<Skin>().AttachControl(*m_host, *m_skin, false, nullptr);
        return control;
    }
    HWND Bare(const wchar_t* className, DWORD style, DWORD exStyle, int x, int y, int w, int h) {
        return ::CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h,
                                 Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }

    TSkinData* m_skin = nullptr;
    TestHost* m_host = nullptr;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!args || count < 2) return 2;
    std::vector<std::byte> skin;
    (void)ReadWholeFile(args[1], size_t{64} << 20, skin);
    ::LocalFree(args);
    if (skin.empty()) return 3;
    INITCOMMONCONTROLSEX init{sizeof init, ICC_UPDOWN_CLASS | ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&init);
    try {
        TApplication application;
        auto& form = application.CreateForm<TLookForm>();
        form.Build(skin);
        form.Show();
        application.Run();
    } catch (...) {
        HandleApplicationException(nullptr);
        return 1;
    }
    return 0;
}
