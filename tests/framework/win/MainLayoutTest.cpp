// The main window's arrangement, as its stored layout holds it, read into the
// framework's classes; and published values surviving a round trip through text.

#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Timer.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TMainLike : public TForm {
    KESTRELLE_CLASS(TMainLike, TForm)

public:
    int created = 0;
    int clicks = 0;
    void FormCreate(TObject*) { ++created; }
    void FormClose(TObject*, TCloseAction&) {}
    void Timer1Timer(TObject*) {}
    void ButtonClick(TObject*) { ++clicks; }

    static void Publish(TPublisher<TMainLike>& p) {
        p.Method(u"FormCreate", &TMainLike::FormCreate);
        p.Method(u"FormClose", &TMainLike::FormClose);
        p.Method(u"Timer1Timer", &TMainLike::Timer1Timer);
        for (int n : {1, 2, 28, 3, 4, 5, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 27})
            p.Method(u"SpeedButton" + std::u16string(ToU16Digits(n)) + u"Click", &TMainLike::ButtonClick);
    }

private:
    static std::u16string ToU16Digits(int n) {
        std::u16string s;
        for (char c : std::to_string(n)) s += static_cast<char16_t>(c);
        return s;
    }
};

// The button column: name, left, top, caption.
struct ButtonRow {
    const char* name;
    int left;
    int top;
    const char* caption;
};
constexpr ButtonRow kButtons[] = {
    {"SpeedButton1", 16, 8, ""},       {"SpeedButton2", 16, 49, ""},      {"SpeedButton28", 16, 90, ""},
    {"SpeedButton3", 15, 141, "元音"},  {"SpeedButton4", 15, 174, "元音"}, {"SpeedButton5", 15, 207, "元音"},
    {"SpeedButton16", 15, 240, "元音"}, {"SpeedButton17", 15, 273, "元音"}, {"SpeedButton18", 15, 306, "元音"},
    {"SpeedButton19", 15, 357, "辅音"}, {"SpeedButton20", 15, 390, "辅音"}, {"SpeedButton21", 15, 423, "辅音"},
    {"SpeedButton22", 15, 456, "辅音"}, {"SpeedButton23", 15, 489, "辅音"}, {"SpeedButton24", 15, 522, "辅音"},
    {"SpeedButton25", 15, 555, "辅音"}, {"SpeedButton27", 16, 648, "关于软件"},
};

std::string MainLayout() {
    std::string text = R"(Fmain: TMainLike {
    Left = 244
    Top = -2
    Width = 696
    Height = 741
    Caption = "Kestrelle"
    Color = clBtnFace
    Font.Charset = 1
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = "MS Sans Serif"
    Font.Style = []
    WindowState = wsMaximized
    OnCreate = FormCreate
    OnClose = FormClose
    PixelsPerInch = 96
    TextHeight = 13
    Splitter1: TSplitter { Left = 225 Top = 0 Width = 3 Height = 683 Align = alLeft Cursor = crHSplit }
    Panel1: TPanel {
        Left = 0 Top = 0 Width = 225 Height = 683 Align = alLeft TabOrder = 0
)";
    for (const ButtonRow& b : kButtons) {
        const std::string caption = *b.caption ? std::string("Caption = \"") + b.caption + "\" Layout = blGlyphRight" : "";
        const std::string name = b.name;
        text += "        " + name + ": TSpeedButton { Left = " + std::to_string(b.left) + " Top = " +
                std::to_string(b.top) + " Width = 193 Height = 33 " + caption + " OnClick = " + name + "Click }\n";
    }
    text += R"(    }
    Panel2: TPanel { Left = 228 Top = 0 Width = 460 Height = 683 Align = alClient TabOrder = 1 }
    StatusBar1: TStatusBar {
        Left = 0 Top = 683 Width = 688 Height = 24
        Panels = [
            { Width = 200 Text = "当前项目：无" }
            { Width = 550 Text = "音标学习软件" }
            { Width = 100 }
            { Width = 80 }
            { Width = 80 }
        ]
        SimplePanel = False
    }
    Timer1: TTimer { Interval = 1000 Enabled = True OnTimer = Timer1Timer }
}
)";
    return text;
}

}  // namespace

TEST(MainLayout, HoldsTheMainWindowAsDescribedAndOpensMaximised) {
    TApplication app;
    auto form = std::make_unique<TMainLike>();
    ReadLayout(*form, MainLayout());
    EXPECT_EQ(form->created, 0);  // OnCreate is the creator's to fire, after reading
    EXPECT_EQ(form->BoundsRect(), core::Rect::FromBounds(244, -2, 696, 741));
    EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(form->Font().Name(), L"MS Sans Serif");
    EXPECT_EQ(form->Font().Height(), -11);

    auto* panel1 = As<TPanel>(form->FindComponent(u"Panel1"));
    auto* panel2 = As<TPanel>(form->FindComponent(u"Panel2"));
    auto* splitter = As<TSplitter>(form->FindComponent(u"Splitter1"));
    auto* bar = As<TStatusBar>(form->FindComponent(u"StatusBar1"));
    ASSERT_TRUE(panel1 && panel2 && splitter && bar);
    EXPECT_EQ(panel1->ControlCount(), 17);
    EXPECT_EQ(panel1->TabOrder(), 0);
    EXPECT_EQ(panel2->TabOrder(), 1);
    EXPECT_EQ(bar->Panels().Count(), 5);
    EXPECT_EQ(splitter->Cursor(), crHSplit);
    auto* about = As<TSpeedButton>(form->FindComponent(u"SpeedButton27"));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->BoundsRect(), core::Rect::FromBounds(16, 648, 193, 33));
    EXPECT_EQ(about->Caption(), L"关于软件");
    about->Click();
    EXPECT_EQ(form->clicks, 1);

    // Opened maximised: the column keeps its width, the client panel takes the rest.
    form->Show();
    EXPECT_TRUE(::IsZoomed(form->Handle()));
    const int clientWidth = form->ClientWidth();
    const int clientHeight = form->ClientHeight();
    EXPECT_GT(clientWidth, 688);
    EXPECT_EQ(panel1->BoundsRect(), core::Rect::FromBounds(0, 0, 225, clientHeight - 24));
    EXPECT_EQ(splitter->Left(), 225);
    EXPECT_EQ(panel2->BoundsRect(), core::Rect::FromBounds(228, 0, clientWidth - 228, clientHeight - 24));
    EXPECT_EQ(bar->BoundsRect(), core::Rect::FromBounds(0, clientHeight - 24, clientWidth, 24));
}

TEST(MainLayout, PublishedValuesSurviveARoundTripThroughText) {
    TApplication app;
    auto first = std::make_unique<TMainLike>();
    ReadLayout(*first, MainLayout());
    As<TPanel>(first->FindComponent(u"Panel2"))->SetBevelOuter(TBevelCut::bvLowered);
    As<TSpeedButton>(first->FindComponent(u"SpeedButton3"))->SetFlat(true);
    const std::string written = WriteLayout(*first);

    auto second = std::make_unique<TMainLike>();
    ReadLayout(*second, written);
    EXPECT_EQ(WriteLayout(*second), written);
    EXPECT_EQ(As<TPanel>(second->FindComponent(u"Panel2"))->BevelOuter(), TBevelCut::bvLowered);
    EXPECT_TRUE(As<TSpeedButton>(second->FindComponent(u"SpeedButton3"))->Flat());
    EXPECT_EQ(As<TStatusBar>(second->FindComponent(u"StatusBar1"))->Panels().Items(0)->Text(), L"当前项目：无");
    EXPECT_EQ(As<TTimer>(second->FindComponent(u"Timer1"))->Interval(), 1000u);
    // Defaults are not written; what differs from them is.
    EXPECT_EQ(written.find("NumGlyphs"), std::string::npos);
    EXPECT_EQ(written.find("Glyph.Data"), std::string::npos);  // no glyphs here
    EXPECT_EQ(written.find("ParentColor = True"), std::string::npos);
    EXPECT_NE(written.find("BevelOuter = bvLowered"), std::string::npos);
    EXPECT_NE(written.find("OnClick = SpeedButton27Click"), std::string::npos);
}
