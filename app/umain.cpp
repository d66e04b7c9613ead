#include "app/umain.h"

#include "app/SkinChooser.h"
#include "app/UserSettings.h"
#include "flash/ShockwaveFlash.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/core/ClassRegistry.h"
#include "framework/forms/Application.h"
#include "framework/forms/Timer.h"
#include "framework/win/Convert.h"
#include "framework/win/Files.h"
#include "framework/win/Win32Error.h"
#include "resexport/ResourceExport.h"
#include "skin/data/WinSkinData.h"

#include <vector>

#include <windows.h>

namespace {

const LessonRow& Row(std::u16string_view button) {
    for (const LessonRow& row : LessonCatalogue())
        if (row.button == button) return row;
    throw Exception(u"No lesson for " + std::u16string(button));
}

}  // namespace

LocalDateTime LocalNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek + 1, now.wHour, now.wMinute, now.wSecond};
}

std::wstring SystemDirectory() {
    // 256 characters hold any usual path; a longer one is asked for again at its size
    // rather than cut short.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const UINT length = ::GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) throw Win32Error::Last(u"GetSystemDirectoryW");
        if (length < buffer.size()) {
            std::wstring folder(buffer.data(), length);
            while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
            return folder;
        }
        buffer.resize(length + 1);
    }
}

TFmain::TFmain()
    : Clock{LocalNow}, SkinFolder{ProgramFolder()}, SettingsFolder{UserSettings::DefaultFolder()} {
    // The layout names these classes; registering again does nothing.
    RegisterComponentClasses<TShockwaveFlash, TResourceExport, TSkinData>();
}

TFmain::~TFmain() = default;

template <class T>
T* TFmain::Require(std::u16string_view name) const {
    T* found = As<T>(FindComponent(name));
    if (!found)
        throw Exception(u"The main window's layout has no " + std::u16string(T::StaticClass().name) + u" " +
                        std::u16string(name));
    return found;
}

void TFmain::Loaded() {
    TForm::Loaded();
    Splitter1 = Require<TSplitter>(u"Splitter1");
    Panel1 = Require<TPanel>(u"Panel1");
    Panel2 = Require<TPanel>(u"Panel2");
    ShockwaveFlash1 = Require<TShockwaveFlash>(u"ShockwaveFlash1");
    StatusBar1 = Require<TStatusBar>(u"StatusBar1");
    SkinData1 = Require<TSkinData>(u"SkinData1");
    RE = Require<TResourceExport>(u"RE");
    Timer1 = Require<TTimer>(u"Timer1");
    if (StatusBar1->Panels().Count() < 5) throw Exception(u"The main window's status bar needs five panels");
}

void TFmain::SetPanelText(int index, std::u16string_view text) {
    StatusBar1->Panels().Items(index)->SetText(ToWide(text));
}

std::wstring TFmain::LessonPath(int fileNumber) const {
    return ExportDir + L"\\" + ToWide(LessonFileName(fileNumber));
}

void TFmain::FormCreate(TObject*) {
    ExportDir = SystemDirectory();
    if (Application) {
        Application->SetIcon(Icon().Handle());
        Application->SetTitle(ToWide(kProgramTitle));
    }
    // One reading for both panels, so that a start at midnight cannot pair one day's
    // date with the next day's weekday.
    const LocalDateTime now = Clock();
    SetPanelText(2, DateText(now));
    SetPanelText(3, WeekdayText(now.dayOfWeek));
    // Before the first frame is skinned, so that the built-in skin does not show first.
    m_skins = std::make_unique<SkinChooser>(*SkinData1, SkinFolder, UserSettings(SettingsFolder));
    m_skins->RestoreRemembered();
}

void TFmain::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_INITMENUPOPUP:
        // Read as the menu opens, so that a skin copied beside the program shows at once.
        if (m_skins && HandleAllocated() &&
            reinterpret_cast<HMENU>(message.WParam) == ::GetSystemMenu(HandleIfAllocated(), FALSE))
            m_skins->FillSystemMenu(reinterpret_cast<HMENU>(message.WParam));
        break;
    case WM_SYSCOMMAND:
        if (m_skins && m_skins->Command(message.WParam)) {
            message.Result = 0;
            return;
        }
        break;
    default: break;
    }
    TForm::WndProc(message);
}

void TFmain::Timer1Timer(TObject*) { SetPanelText(4, ClockText(Clock())); }

void TFmain::FormClose(TObject*, TCloseAction&) {
    for (int n = 1; n <= kLessonFileCount; ++n) {
        const std::wstring path = LessonPath(n);
        if (FileExists(path)) ::DeleteFileW(path.c_str());  // one that stays is tried again next time
    }
}

void TFmain::SpeedButton27Click(TObject*) {
    const std::wstring text = ToWide(AboutText());
    if (Application)
        Application->MessageBox(text, {}, MB_OK);
    else
        ::MessageBoxW(HandleIfAllocated(), text.c_str(), ToWide(kProgramTitle).c_str(), MB_OK);
}

void TFmain::PlayLesson(const LessonRow& row) {
    const std::wstring path = LessonPath(row.fileNumber);
    RE->SetExportFileName(path);
    RE->SetOverwrite(true);
    RE->SetResourceCategory(ToWide(kLessonResourceType));
    RE->SetResourceName(ToWide(row.resource));
    // A missing resource passes silently; a file that cannot be made throws and ends
    // the press here, before anything changes on screen.
    (void)RE->ExportResource();
    // Tested on the path, not the export's result: an earlier copy still plays.
    if (!FileExists(path)) return;
    ShockwaveFlash1->StopPlay();
    ShockwaveFlash1->SetMovie(path);
    ShockwaveFlash1->Play();
    SetPanelText(0, LessonStatusText(row));
}

void TFmain::SpeedButton1Click(TObject*) { PlayLesson(Row(u"SpeedButton1")); }
void TFmain::SpeedButton2Click(TObject*) { PlayLesson(Row(u"SpeedButton2")); }
void TFmain::SpeedButton28Click(TObject*) { PlayLesson(Row(u"SpeedButton28")); }
void TFmain::SpeedButton3Click(TObject*) { PlayLesson(Row(u"SpeedButton3")); }
void TFmain::SpeedButton4Click(TObject*) { PlayLesson(Row(u"SpeedButton4")); }
void TFmain::SpeedButton5Click(TObject*) { PlayLesson(Row(u"SpeedButton5")); }
void TFmain::SpeedButton16Click(TObject*) { PlayLesson(Row(u"SpeedButton16")); }
void TFmain::SpeedButton17Click(TObject*) { PlayLesson(Row(u"SpeedButton17")); }
void TFmain::SpeedButton18Click(TObject*) { PlayLesson(Row(u"SpeedButton18")); }
void TFmain::SpeedButton19Click(TObject*) { PlayLesson(Row(u"SpeedButton19")); }
void TFmain::SpeedButton20Click(TObject*) { PlayLesson(Row(u"SpeedButton20")); }
void TFmain::SpeedButton21Click(TObject*) { PlayLesson(Row(u"SpeedButton21")); }
void TFmain::SpeedButton22Click(TObject*) { PlayLesson(Row(u"SpeedButton22")); }
void TFmain::SpeedButton23Click(TObject*) { PlayLesson(Row(u"SpeedButton23")); }
void TFmain::SpeedButton24Click(TObject*) { PlayLesson(Row(u"SpeedButton24")); }
void TFmain::SpeedButton25Click(TObject*) { PlayLesson(Row(u"SpeedButton25")); }

void TFmain::Publish(TPublisher<TFmain>& p) {
    p.Method(u"FormCreate", &TFmain::FormCreate);
    p.Method(u"FormClose", &TFmain::FormClose);
    p.Method(u"Timer1Timer", &TFmain::Timer1Timer);
    p.Method(u"SpeedButton27Click", &TFmain::SpeedButton27Click);
    p.Method(u"SpeedButton1Click", &TFmain::SpeedButton1Click);
    p.Method(u"SpeedButton2Click", &TFmain::SpeedButton2Click);
    p.Method(u"SpeedButton28Click", &TFmain::SpeedButton28Click);
    p.Method(u"SpeedButton3Click", &TFmain::SpeedButton3Click);
    p.Method(u"SpeedButton4Click", &TFmain::SpeedButton4Click);
    p.Method(u"SpeedButton5Click", &TFmain::SpeedButton5Click);
    p.Method(u"SpeedButton16Click", &TFmain::SpeedButton16Click);
    p.Method(u"SpeedButton17Click", &TFmain::SpeedButton17Click);
    p.Method(u"SpeedButton18Click", &TFmain::SpeedButton18Click);
    p.Method(u"SpeedButton19Click", &TFmain::SpeedButton19Click);
    p.Method(u"SpeedButton20Click", &TFmain::SpeedButton20Click);
    p.Method(u"SpeedButton21Click", &TFmain::SpeedButton21Click);
    p.Method(u"SpeedButton22Click", &TFmain::SpeedButton22Click);
    p.Method(u"SpeedButton23Click", &TFmain::SpeedButton23Click);
    p.Method(u"SpeedButton24Click", &TFmain::SpeedButton24Click);
    p.Method(u"SpeedButton25Click", &TFmain::SpeedButton25Click);
}
