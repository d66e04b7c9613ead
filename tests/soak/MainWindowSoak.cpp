// Soaks the main window as the program makes it: paints, skin switches from its system
// menu, its About box and the system's file-open dialog opened and closed, and every
// lesson played in turn. One line per part with the figures it is judged by; the exit
// code is non-zero when any part failed.
//   MainWindowSoak [parts] [--scale F]      (parts: a, c, d, e; see README "Soaks")

#include "app/umain.h"
#include "flash/ShockwaveFlash.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/forms/Application.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "tests/soak/Soak.h"
#include "tests/support/TempFiles.h"

#include <cstdio>
#include <fstream>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include <commdlg.h>

namespace {

using namespace soak;

constexpr UINT kPaint = RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
// Frames a lesson shows before the next is pressed: the first and three of its timer's
// ticks, a third of a second at the movies' 12 frames a second.
constexpr size_t kFramesPerPlay = 4;

// A folder of its own for the lesson files, the skins the system menu offers and the
// remembered choice: the soak never writes the system folder or the user's settings.
class Scratch : public ScratchFolder {
public:
    Scratch() : ScratchFolder(L"kestrelle-main-soak") {
        const std::string source = KESTRELLE_SKIN_DIR;  // a Unix path: drive Z under Wine
        for (const wchar_t* name : {L"kestrelle.skin", L"dark.skin", L"contrast.skin"}) {
            std::ifstream in((source + "/" + std::string(name, name + std::wcslen(name))).c_str(), std::ios::binary);
            std::ofstream(File(name).c_str(), std::ios::binary) << in.rdbuf();
        }
    }
};

class MainWindow {
public:
    explicit MainWindow(const Scratch& scratch) {
        TSkinManage::Install();  // as the program's entry does
        m_app = std::make_unique<TApplication>();
        auto made = std::make_unique<TFmain>();
        made->SkinFolder = made->SettingsFolder = scratch.Path();
        made->InitializeForm();
        form = &static_cast<TFmain&>(m_app->InsertComponent(std::move(made)));
        form->ExportDir = scratch.Path();
        form->Show();
        TSkinManage& skins = *TSkinManage::Instance();
        if (!skins.FindSkinForm(form->Handle())) skins.SkinForm(*form);
        PumpUntil([&] { return Skinned(); }, 3000);
        Pump(300);
    }
    ~MainWindow() {
        m_app.reset();
        TSkinManage::DestroyInstance();
    }
    HWND Window() const { return form->Handle(); }
    bool Skinned() const {
        const TWinSkinForm* skinned = TSkinManage::Instance()->FindSkinForm(Window());
        return skinned && skinned->State() == TWinSkinForm::SkinState::Running;
    }
    bool Paint() const { return ::RedrawWindow(Window(), nullptr, nullptr, kPaint) != 0; }
    // A press and release of the left button in the middle of a lesson or About button,
    // through the panel's window as the system sends them.
    void Press(std::u16string_view name) const {
        auto* button = As<TSpeedButton>(form->FindComponent(name));
        if (!button) return;
        const LPARAM at = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
        ::SendMessageW(form->Panel1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(form->Panel1->Handle(), WM_LBUTTONUP, 0, at);
    }
    // The system menu's "Skins" submenu, filled as when the menu opens.
    HMENU SkinsMenu() const {
        HMENU system = ::GetSystemMenu(Window(), FALSE);
        ::SendMessageW(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
        return ::GetSubMenu(system, ::GetMenuItemCount(system) - 1);
    }
    // The built-in skin is the submenu's first line, whatever its caption.
    UINT BuiltInSkinCommand() const { return ::GetMenuItemID(SkinsMenu(), 0); }
    // The submenu's command for the skin captioned `caption`; 0 when there is none.
    UINT SkinCommand(std::wstring_view caption) const {
        HMENU skins = SkinsMenu();
        for (int i = 0; i < ::GetMenuItemCount(skins); ++i) {
            wchar_t text[64]{};
            ::GetMenuStringW(skins, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            if (caption == text) return ::GetMenuItemID(skins, i);
        }
        return 0;
    }

    TFmain* form = nullptr;

private:
    std::unique_ptr<TApplication> m_app;
};

void PaintPart(Runner& runner, const MainWindow& main) {
    auto paint = [&](int i) {
        if (!main.Paint()) {
            runner.Fault("RedrawWindow failed");
            return false;
        }
        if (i % 64 == 0) {
            Pump(0);  // the clock's timer and anything posted
            if (!main.Skinned()) {
                runner.Fault("the window lost its skin");
                return false;
            }
        }
        return true;
    };
    runner.Part("a main window: paints", runner.Settings().Count(10000), "paints", [&] {
        for (int i = 0; i < 20; ++i) paint(i);
        return main.Skinned();
    }, paint);
}

void SwitchPart(Runner& runner, const MainWindow& main) {
    std::vector<UINT> commands;
    for (const wchar_t* name : {L"dark", L"contrast", L"kestrelle"}) commands.push_back(main.SkinCommand(name));
    commands.push_back(main.BuiltInSkinCommand());
    // Whole rounds, as the warm-up: the figures are taken under the same skin.
    auto switchTo = [&](int i) {
        const UINT command = commands[static_cast<size_t>(i) % commands.size()];
        if (command == 0 || command == static_cast<UINT>(-1)) {
            runner.Fault("the system menu does not offer every skin");
            return false;
        }
        int changed = 0;
        main.form->SkinData1->OnSkinChanged = [&](TObject*) { ++changed; };
        ::SendMessageW(main.Window(), WM_SYSCOMMAND, command, 0);
        const bool done = PumpUntil([&] { return changed > 0; }, 5000);
        main.form->SkinData1->OnSkinChanged = nullptr;
        if (!done || !main.Skinned()) {
            runner.Fault("switch " + std::to_string(i) + " was not carried out");
            return false;
        }
        return main.Paint();
    };
    runner.Part("c main window: skin switches", runner.Settings().CountOfRounds(200, commands.size()), "switches", [&] {
        for (int i = 0; i < 4; ++i)
            if (!switchTo(i)) return false;
        return true;
    }, switchTo);
}

bool OpenFileDialog(HWND owner, const std::wstring& folder) {
    std::wstring file(MAX_PATH, L'\0');
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = L"Lesson movies (*.swf)\0*.swf\0Every file\0*.*\0";
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrInitialDir = folder.c_str();
    open.lpstrTitle = L"Open a lesson file";
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    // Cancelled is the only sound outcome: the closer answers IDCANCEL.
    return !::GetOpenFileNameW(&open) && ::CommDlgExtendedError() == 0;
}

// The About box and the system's file-open dialog, each opened and closed once the
// closer sees it up.
// WINE: the system's own file dialog loses a USER handle at every open, skin or not; so
// it first runs unskinned as often, and only what the skin adds to that is the program's
// (on Windows the unskinned run loses nothing and the bound is the plain one).
void DialogPart(Runner& runner, const MainWindow& main, const Scratch& scratch) {
    TSkinManage& manager = *TSkinManage::Instance();
    int dialogs = 0, skinned = 0;
    DialogCloser closer(IDCANCEL, [&](HWND dialog) {
        ++dialogs;
        if (manager.FindSkinForm(dialog)) ++skinned;
    });
    // Each dialog opened, seen by the closer once at least, and skinned when it should be.
    auto opened = [&](int i, const char* what, int dialogsBefore, int skinnedBefore, bool skin) {
        if (dialogs > dialogsBefore && (skinned > skinnedBefore) == skin) return true;
        runner.Fault(std::string(what) + " " + std::to_string(i) +
                     (dialogs == dialogsBefore ? " was never seen up" : skin ? " was not skinned" : " was skinned"));
        return false;
    };
    auto about = [&](int i) {
        const int dialogsBefore = dialogs, skinnedBefore = skinned;
        main.Press(u"SpeedButton27");  // returns once the box has been closed
        Pump(0);
        return opened(i, "About box", dialogsBefore, skinnedBefore, true) && main.Skinned();
    };
    runner.Part("d main window: About box", runner.Settings().Count(1000), "opens", [&] {
        return about(0) && about(0);
    }, about);

    bool skin = false;
    auto fileOpen = [&](int i) {
        const int dialogsBefore = dialogs, skinnedBefore = skinned;
        if (!OpenFileDialog(main.Window(), scratch.Path())) {
            runner.Fault("file dialog " + std::to_string(i) + " failed (error " +
                         std::to_string(::CommDlgExtendedError()) + ")");
            return false;
        }
        return opened(i, "file dialog", dialogsBefore, skinnedBefore, skin);
    };
    auto warmUp = [&] { return fileOpen(0) && fileOpen(0); };
    const int count = runner.Settings().Count(1000);
    manager.SetActive(false);  // new windows stay as the system makes them
    const Runner::Result system =
        runner.Part("d file-open dialog, unskinned", count, "opens", warmUp, fileOpen, nullptr, Runner::Judge::No);
    manager.SetActive(true);
    skin = true;
    runner.Part("d file-open dialog", count, "opens", warmUp, fileOpen, &system);
}

void LessonPart(Runner& runner, const MainWindow& main) {
    TShockwaveFlash& player = *main.form->ShockwaveFlash1;
    auto play = [&](const LessonRow& row) {
        main.Press(row.button);
        const bool shown = player.HasMovie() && PumpUntil([&] { return player.CurrentFrame() + 1 >= kFramesPerPlay; }, 5000);
        if (!shown) {
            runner.Fault("lesson " + std::string(row.button.begin(), row.button.end()) + " did not play " +
                         std::to_string(kFramesPerPlay) + " frames");
        }
        return shown;
    };
    auto round = [&](int) {
        for (const LessonRow& row : LessonCatalogue())
            if (!play(row)) return false;
        return true;
    };
    std::printf("soak: each lesson plays until it has shown %zu frames (%zu timer ticks at its 12 frames a second)\n",
                kFramesPerPlay, kFramesPerPlay - 1);
    runner.Part("e main window: lessons x16", runner.Settings().Count(100), "rounds", [&] { return round(0); }, round);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return 2;
    Runner runner(options);
    {
        Scratch scratch;
        MainWindow main(scratch);
        if (!main.Skinned()) {
            runner.Fault("the main window was not skinned");
            return 1;
        }
        if (options.Wants('a')) PaintPart(runner, main);
        if (options.Wants('c')) SwitchPart(runner, main);
        if (options.Wants('d')) DialogPart(runner, main, scratch);
        if (options.Wants('e')) LessonPart(runner, main);
    }
    return runner.ExitCode();
}
