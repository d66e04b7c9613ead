#pragma once
// The framework's sample form, read from its stored layout: a column of speed
// buttons with glyphs on a panel, a splitter, a client panel, a five-panel status
// bar and a clock.

#include "framework/forms/Form.h"

class TPanel;
class TSplitter;
class TSpeedButton;
class TStatusBar;
class TTimer;

class TSampleForm : public TForm {
    KESTRELLE_CLASS(TSampleForm, TForm)

public:
    TSplitter* Splitter1 = nullptr;
    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TTimer* Timer1 = nullptr;
    int lessonClicks = 0;

    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void LessonClick(TObject* sender);
    void AboutClick(TObject* sender);
    void Timer1Timer(TObject* sender);

    void Loaded() override;
    static void Publish(TPublisher<TSampleForm>& p);
};
