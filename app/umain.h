#pragma once
// The main window, read from its stored layout: the column of lesson buttons, the
// movie player, the status bar with the current lesson, date, weekday and clock, and
// the non-visual helpers. Its handlers are bound by name from the layout.

#include "app/LessonCatalogue.h"
#include "app/MainTexts.h"
#include "framework/forms/Form.h"

#include <functional>
#include <memory>
#include <string>

class SkinChooser;
class TPanel;
class TResourceExport;
class TShockwaveFlash;
class TSkinData;
class TSpeedButton;
class TSplitter;
class TStatusBar;
class TTimer;

class TFmain : public TForm {
    KESTRELLE_CLASS(TFmain, TForm)

public:
    TFmain();
    ~TFmain() override;

    // The components of the layout, found by name once it has been read.
    TSplitter* Splitter1 = nullptr;
    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TShockwaveFlash* ShockwaveFlash1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TSkinData* SkinData1 = nullptr;
    TResourceExport* RE = nullptr;
    TTimer* Timer1 = nullptr;

    // The folder the lessons are written to: the system directory, no trailing separator.
    std::wstring ExportDir;
    // Where the date, weekday and clock come from; the local time unless replaced.
    std::function<LocalDateTime()> Clock;
    // The skins the system menu offers lie in SkinFolder (the program's folder); the
    // choice is kept in SettingsFolder (the user's, see UserSettings). Both are read
    // when the form is created.
    std::wstring SkinFolder;
    std::wstring SettingsFolder;

    // The skin choice; null until the form has been created.
    SkinChooser* Skins() const noexcept { return m_skins.get(); }

    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void Timer1Timer(TObject* sender);
    void SpeedButton27Click(TObject* sender);

    void SpeedButton1Click(TObject* sender);
    void SpeedButton2Click(TObject* sender);
    void SpeedButton28Click(TObject* sender);
    void SpeedButton3Click(TObject* sender);
    void SpeedButton4Click(TObject* sender);
    void SpeedButton5Click(TObject* sender);
    void SpeedButton16Click(TObject* sender);
    void SpeedButton17Click(TObject* sender);
    void SpeedButton18Click(TObject* sender);
    void SpeedButton19Click(TObject* sender);
    void SpeedButton20Click(TObject* sender);
    void SpeedButton21Click(TObject* sender);
    void SpeedButton22Click(TObject* sender);
    void SpeedButton23Click(TObject* sender);
    void SpeedButton24Click(TObject* sender);
    void SpeedButton25Click(TObject* sender);

    // Exports a lesson's movie and, if its file is there afterwards, plays it and
    // names the lesson. What every lesson button does with its own row.
    void PlayLesson(const LessonRow& row);
    // ExportDir + "\" + the lesson file's name.
    std::wstring LessonPath(int fileNumber) const;

    void Loaded() override;
    static void Publish(TPublisher<TFmain>& p);

protected:
    void WndProc(TMessage& message) override;

private:
    template <class T>
    T* Require(std::u16string_view name) const;
    void SetPanelText(int index, std::u16string_view text);

    std::unique_ptr<SkinChooser> m_skins;
};

// The local date and time now.
LocalDateTime LocalNow();
// The platform's system directory, without a trailing separator. Throws Win32Error.
std::wstring SystemDirectory();
