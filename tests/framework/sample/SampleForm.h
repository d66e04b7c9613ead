#pragma once
// The framework's sample form: a column of speed buttons with glyphs on a panel, a
// splitter, a client panel and a five-panel status bar.

#include "framework/Form.h"

#include <vector>

class TPanel;
class TSplitter;
class TSpeedButton;
class TStatusBar;

class TSampleForm : public TForm {
    KESTRELLE_CLASS(TSampleForm, TForm)

public:
    TSampleForm();

    TSplitter* Splitter1 = nullptr;
    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    std::vector<TSpeedButton*> Buttons;
    int clicks = 0;
};

// A glyph like a lesson glyph: `count` dark green circles on a yellow ground.
HBITMAP MakeSampleGlyph(int width, int height, int count);
