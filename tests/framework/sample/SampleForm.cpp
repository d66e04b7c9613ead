#include "tests/framework/sample/SampleForm.h"

#include "framework/Panel.h"
#include "framework/SpeedButton.h"
#include "framework/Splitter.h"
#include "framework/StatusBar.h"
#include "framework/win/Handles.h"

HBITMAP MakeSampleGlyph(int width, int height, int count) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    MemoryDc dc;
    HBITMAP bitmap = ::CreateDIBSection(dc.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    SelectScope use{dc.Get(), bitmap};
    BrushHandle ground{::CreateSolidBrush(RGB(0xFF, 0xCF, 0x00))};
    const RECT all{0, 0, width, height};
    ::FillRect(dc.Get(), &all, ground.Get());
    BrushHandle green{::CreateSolidBrush(RGB(0x00, 0x65, 0x00))};
    PenHandle pen{::CreatePen(PS_SOLID, 1, RGB(0x00, 0x65, 0x00))};
    SelectScope useBrush{dc.Get(), green.Get()};
    SelectScope usePen{dc.Get(), pen.Get()};
    const int step = width / count;
    for (int i = 0; i < count; ++i) {
        const int cx = i * step + step / 2;
        const int r = std::min(step, height) / 2 - 1;
        ::Ellipse(dc.Get(), cx - r, height / 2 - r, cx + r, height / 2 + r);
    }
    ::GdiFlush();
    return bitmap;
}

TSampleForm::TSampleForm() {
    SetCaption(L"Kestrelle framework sample");
    SetBounds(100, 50, 696, 541);
    SetClientWidth(688);
    SetClientHeight(507);

    DisableAlign();
    Splitter1 = &Create<TSplitter>();
    Splitter1->SetName(u"Splitter1");
    Splitter1->SetBounds(225, 0, 3, 483);
    Splitter1->SetParent(this);

    Panel1 = &Create<TPanel>();
    Panel1->SetName(u"Panel1");
    Panel1->SetBounds(0, 0, 225, 483);
    Panel1->SetAlign(TAlign::alLeft);
    Panel1->SetParent(this);

    Panel2 = &Create<TPanel>();
    Panel2->SetName(u"Panel2");
    Panel2->SetBounds(228, 0, 460, 483);
    Panel2->SetAlign(TAlign::alClient);
    Panel2->SetCaption(L"Client area");
    Panel2->SetParent(this);

    StatusBar1 = &Create<TStatusBar>();
    StatusBar1->SetName(u"StatusBar1");
    StatusBar1->SetBounds(0, 483, 688, 24);
    const int widths[] = {200, 250, 100, 80, 80};
    const wchar_t* texts[] = {L"Current lesson: none", L"Framework sample", L"  2026-12-08", L"  Tuesday", L""};
    for (int i = 0; i < 5; ++i) {
        auto& panel = StatusBar1->Panels().Add();
        panel.SetWidth(widths[i]);
        panel.SetText(texts[i]);
    }
    StatusBar1->SetParent(this);

    EnableAlign();

    const wchar_t* captions[] = {L"", L"", L"Vowels", L"Vowels", L"Consonants", L"About"};
    for (int i = 0; i < 6; ++i) {
        auto& button = Create<TSpeedButton>();
        button.SetBounds(16, 8 + i * 41, 193, 33);
        button.SetCaption(captions[i]);
        if (i < 5)
            button.Glyph().SetHandle(BitmapHandle{MakeSampleGlyph(i < 2 ? 137 : 80, 33, i < 2 ? 4 : 3)});
        else
            button.Glyph().SetHandle(BitmapHandle{MakeSampleGlyph(20, 20, 1)});
        button.SetLayout(i < 2 || i == 5 ? TButtonLayout::blGlyphLeft : TButtonLayout::blGlyphRight);
        button.OnClick = [this](TObject*) { ++clicks; };
        button.SetParent(Panel1);
        Buttons.push_back(&button);
    }
}
