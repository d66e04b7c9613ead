#include "tests/framework/sample/SampleForm.h"

#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Timer.h"

#include <cwchar>

void TSampleForm::Publish(TPublisher<TSampleForm>& p) {
    p.Method(u"FormCreate", &TSampleForm::FormCreate);
    p.Method(u"FormClose", &TSampleForm::FormClose);
    p.Method(u"LessonClick", &TSampleForm::LessonClick);
    p.Method(u"AboutClick", &TSampleForm::AboutClick);
    p.Method(u"Timer1Timer", &TSampleForm::Timer1Timer);
}

void TSampleForm::Loaded() {
    TForm::Loaded();
    Splitter1 = As<TSplitter>(FindComponent(u"Splitter1"));
    Panel1 = As<TPanel>(FindComponent(u"Panel1"));
    Panel2 = As<TPanel>(FindComponent(u"Panel2"));
    StatusBar1 = As<TStatusBar>(FindComponent(u"StatusBar1"));
    Timer1 = As<TTimer>(FindComponent(u"Timer1"));
}

void TSampleForm::FormCreate(TObject*) {
    if (Application) {
        Application->SetTitle(L"Kestrelle");
        Application->SetIcon(Icon().Handle());
    }
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t text[32];
    std::swprintf(text, 32, L"  %04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    StatusBar1->Panels().Items(2)->SetText(text);
    static const wchar_t* const kDays[] = {L"  星期日", L"  星期一", L"  星期二", L"  星期三",
                                           L"  星期四", L"  星期五", L"  星期六"};
    StatusBar1->Panels().Items(3)->SetText(kDays[now.wDayOfWeek % 7]);
}

void TSampleForm::FormClose(TObject*, TCloseAction&) {}

void TSampleForm::LessonClick(TObject* sender) {
    ++lessonClicks;
    if (auto* button = As<TSpeedButton>(sender))
        StatusBar1->Panels().Items(0)->SetText(L"当前项目：" + (button->Caption().empty() ? button->Hint()
                                                                                       : button->Caption()));
}

void TSampleForm::AboutClick(TObject*) { ShowMessage(L"Kestrelle framework sample"); }

void TSampleForm::Timer1Timer(TObject*) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t text[16];
    std::swprintf(text, 16, L"   %02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    StatusBar1->Panels().Items(4)->SetText(text);
}
