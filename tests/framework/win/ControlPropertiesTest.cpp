// The controls' published properties, read and written by name as the skin engine
// and stored layouts do.

#include "framework/controls/BitBtn.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/TrackBar.h"
#include "framework/core/Strings.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Timer.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "tests/framework/win/FormFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <windows.h>
#include <commctrl.h>

TEST(ControlProperties, ReadByNameAcrossClassesWithNeutralAnswersForWhatIsMissing) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    auto& button = form.Create<TSpeedButton>();
    button.SetParent(&panel);
    button.SetCaption(L"元音");

    // One name, every class that publishes it.
    for (TObject* o : {static_cast<TObject*>(&form), static_cast<TObject*>(&panel), static_cast<TObject*>(&button)}) {
        EXPECT_TRUE(IsPublishedProp(o, u"Caption")) << ToUtf8(o->ClassName());
        EXPECT_NE(GetObjectProp<TFont>(o, u"Font"), nullptr);
        EXPECT_EQ(GetEnumProp(o, u"Enabled"), u"True");
    }
    EXPECT_EQ(GetStrProp(&button, u"caption"), u"元音");  // any letter case
    EXPECT_EQ(GetEnumProp(&button, u"Layout"), u"blGlyphLeft");
    EXPECT_EQ(GetIntProp(&button, u"Margin"), -1);
    EXPECT_EQ(GetIntProp(&button, u"Spacing"), 4);
    EXPECT_EQ(GetEnumProp(&button, u"Flat"), u"False");
    EXPECT_EQ(GetObjectProp<TBitmap>(&button, u"Glyph"), &button.Glyph());
    EXPECT_EQ(GetEnumProp(&panel, u"Alignment"), u"taCenter");
    EXPECT_EQ(GetEnumProp(&form, u"BorderStyle"), u"bsSizeable");
    EXPECT_EQ(GetPropText(&panel, u"Color"), u"clBtnFace");
    EXPECT_EQ(GetEnumProp(&button, u"ParentColor"), u"True");

    // Missing objects and properties, and properties of another kind.
    EXPECT_FALSE(GetIntProp(nullptr, u"Margin").has_value());
    EXPECT_FALSE(GetIntProp(&panel, u"Margin").has_value());
    EXPECT_FALSE(GetEnumProp(&panel, u"Caption").has_value());
    EXPECT_FALSE(GetStrProp(&button, u"Layout").has_value());
    EXPECT_EQ(GetObjectProp(&panel, u"Glyph"), nullptr);
    EXPECT_FALSE(SetPropText(&panel, u"Glyph", u"x"));
    EXPECT_FALSE(SetPropText(&form, u"AutoScroll", u"False"));
}

TEST(ControlProperties, WritingByNameActsOnTheControl) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    form.SetBounds(0, 0, 400, 300);
    auto& bar = form.Create<TStatusBar>();
    bar.SetParent(&form);
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    auto& button = form.Create<TSpeedButton>();
    button.SetParent(&panel);
    form.HandleNeeded();

    EXPECT_TRUE(SetPropText(&panel, u"Align", u"alClient"));
    EXPECT_EQ(panel.Align(), TAlign::alClient);
    EXPECT_EQ(panel.Height(), form.ClientHeight() - bar.Height());
    EXPECT_TRUE(SetPropText(&panel, u"BevelOuter", u"bvLowered"));
    EXPECT_EQ(panel.BevelOuter(), TBevelCut::bvLowered);
    EXPECT_TRUE(SetPropText(&button, u"Layout", u"blGlyphRight"));
    EXPECT_EQ(button.Layout(), TButtonLayout::blGlyphRight);
    EXPECT_TRUE(SetPropText(&button, u"Caption", u"辅音"));
    EXPECT_EQ(button.Caption(), L"辅音");
    EXPECT_TRUE(SetPropText(&button, u"Font.Color", u"clRed"));
    EXPECT_EQ(button.Font().Color(), clRed);
    EXPECT_FALSE(button.ParentFont());
    EXPECT_TRUE(SetPropText(&form, u"BorderIcons", u"[biSystemMenu]"));
    EXPECT_EQ(form.BorderIcons(), TBorderIcons{TBorderIcon::biSystemMenu});
    EXPECT_TRUE(SetPropText(&form, u"Cursor", u"crHSplit"));
    EXPECT_EQ(form.Cursor(), crHSplit);
    EXPECT_EQ(GetPropText(&form, u"Cursor"), u"crHSplit");

    // Values the property cannot take are refused with the property's name.
    EXPECT_THROW(SetPropText(&button, u"Layout", u"blNowhere"), EConvertError);
    EXPECT_EQ(button.Layout(), TButtonLayout::blGlyphRight);
    EXPECT_THROW(SetPropText(&panel, u"Align", u"7"), EConvertError);

    // The panels of the status bar are a collection of items with their own properties.
    auto* panels = GetObjectProp<TCollection>(&bar, u"Panels");
    ASSERT_NE(panels, nullptr);
    auto& item = panels->Add();
    EXPECT_TRUE(SetPropText(&item, u"Width", u"120"));
    EXPECT_TRUE(SetPropText(&item, u"Text", u"星期二"));
    EXPECT_TRUE(SetPropText(&item, u"Alignment", u"taCenter"));
    EXPECT_EQ(bar.Panels().Items(0)->Width(), 120);
    EXPECT_EQ(bar.Panels().Items(0)->Text(), L"星期二");
    wchar_t text[32]{};
    ::SendMessageW(bar.Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"\t星期二");  // centred by the control
}

TEST(ControlProperties, ParentColorAndFontFlowDownUntilSetLocally) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    auto& button = form.Create<TSpeedButton>();
    button.SetParent(&panel);

    EXPECT_EQ(button.Color(), panel.Color());
    panel.SetColor(clYellow);
    EXPECT_EQ(button.Color(), clYellow);
    EXPECT_TRUE(button.ParentColor());
    button.SetColor(clAqua);
    EXPECT_FALSE(button.ParentColor());
    panel.SetColor(clLime);
    EXPECT_EQ(button.Color(), clAqua);
    button.SetParentColor(true);
    EXPECT_EQ(button.Color(), clLime);

    form.Font().SetName(L"SimSun");
    EXPECT_EQ(panel.Font().Name(), L"SimSun");
    EXPECT_EQ(button.Font().Name(), L"SimSun");
    EXPECT_TRUE(button.ParentFont());
    panel.Font().SetHeight(-15);
    EXPECT_FALSE(panel.ParentFont());
    EXPECT_EQ(button.Font().Height(), -15);
    form.Font().SetName(L"Tahoma");
    EXPECT_EQ(panel.Font().Name(), L"SimSun");
}

TEST(ControlProperties, TimerAndSplitterPublishTheirSettings) {
    TApplication app;
    auto& timer = app.Create<TTimer>();
    EXPECT_EQ(GetIntProp(&timer, u"Interval"), 1000);
    EXPECT_EQ(GetEnumProp(&timer, u"Enabled"), u"True");
    EXPECT_THROW(SetPropText(&timer, u"Interval", u"-5"), EConvertError);
    EXPECT_EQ(timer.Interval(), 1000u);

    TSplitter splitter;
    EXPECT_EQ(GetPropText(&splitter, u"Cursor"), u"crHSplit");
    EXPECT_EQ(GetIntProp(&splitter, u"MinSize"), 30);
    EXPECT_EQ(GetEnumProp(&splitter, u"ResizeStyle"), u"rsPattern");
}

TEST(ControlProperties, EveryControlsSettingsSurviveARoundTripThroughALayout) {
    TApplication app;
    auto first = std::make_unique<TForm>();
    TForm& form = *first;
    auto& images = form.Create<TImageList>();
    images.SetName(u"ImageList1");
    images.SetSize(24, 20);

    auto& button = Place<TButton>(form, form, u"Button1");
    button.SetCaption(L"确定");
    button.SetDefault(true);
    button.SetCancel(true);
    button.SetModalResult(mrOk);
    button.SetWordWrap(true);
    auto& bitBtn = Place<TBitBtn>(form, form, u"BitBtn1");
    bitBtn.SetKind(TBitBtnKind::bkRetry);
    bitBtn.SetCaption(L"再试");
    bitBtn.Glyph().SetSize(32, 16);
    bitBtn.SetNumGlyphs(2);
    bitBtn.SetLayout(TButtonLayout::blGlyphTop);
    bitBtn.SetMargin(3);
    bitBtn.SetSpacing(7);
    auto& box = Place<TCheckBox>(form, form, u"CheckBox1");
    box.SetAllowGrayed(true);
    box.SetState(TCheckBoxState::cbGrayed);
    box.SetAlignment(TAlignment::taLeftJustify);
    auto& group = Place<TGroupBox>(form, form, u"GroupBox1");
    group.SetCaption(L"分组");
    auto& radio = Place<TRadioButton>(form, group, u"RadioButton1");
    radio.SetChecked(true);
    radio.SetAlignment(TAlignment::taLeftJustify);
    auto& radioGroup = Place<TRadioGroup>(form, form, u"RadioGroup1");
    TStringList lines;
    for (auto* line : {u"元音", u"辅音", u"重音"}) lines.Add(line);
    radioGroup.SetItems(lines);
    radioGroup.SetItemIndex(1);
    radioGroup.SetColumns(2);
    auto& header = Place<THeaderControl>(form, form, u"HeaderControl1");
    auto& section = header.Sections().Add();
    section.SetText(L"音标");
    section.SetWidth(120);
    section.SetAlignment(TAlignment::taCenter);
    header.Sections().Add().SetText(L"例词");
    auto& progress = Place<TProgressBar>(form, form, u"ProgressBar1");
    progress.SetMax(500);
    progress.SetMin(10);
    progress.SetPosition(250);
    progress.SetStep(25);
    progress.SetOrientation(TProgressBarOrientation::pbVertical);
    progress.SetSmooth(true);
    auto& track = Place<TTrackBar>(form, form, u"TrackBar1");
    track.SetMin(-5);
    track.SetMax(50);
    track.SetPosition(20);
    track.SetOrientation(TTrackBarOrientation::trVertical);
    track.SetFrequency(5);
    track.SetTickStyle(TTickStyle::tsManual);
    track.SetTickMarks(TTickMark::tmBoth);
    track.SetLineSize(2);
    track.SetPageSize(10);
    auto& bar = Place<TToolBar>(form, form, u"ToolBar1");
    bar.SetFlat(true);
    bar.SetTransparent(true);
    bar.SetShowCaptions(true);
    bar.SetImages(&images);
    auto& tool = Place<TToolButton>(form, bar, u"ToolButton1");
    tool.SetCaption(L"静音");
    tool.SetImageIndex(3);
    tool.SetButtonStyle(TToolButtonStyle::tbsCheck);
    tool.SetDown(true);
    Place<TToolButton>(form, bar, u"ToolButton2").SetButtonStyle(TToolButtonStyle::tbsSeparator);
    Place<TFrame>(form, form, u"Frame1").SetColor(clWindow);

    const std::string written = WriteLayout(form);
    auto second = std::make_unique<TForm>();
    ReadLayout(*second, written);
    EXPECT_EQ(WriteLayout(*second), written);

    const TForm& back = *second;
    EXPECT_TRUE(Found<TButton>(back, u"Button1").Default());
    EXPECT_EQ(Found<TButton>(back, u"Button1").ModalResult(), mrOk);
    EXPECT_NE(written.find("ModalResult = mrOk"), std::string::npos);
    auto& bitBack = Found<TBitBtn>(back, u"BitBtn1");
    EXPECT_EQ(bitBack.Kind(), TBitBtnKind::bkRetry);
    EXPECT_EQ(bitBack.Caption(), L"再试");  // the kind does not take the stored caption back
    EXPECT_EQ(bitBack.Glyph().Width(), 32);
    EXPECT_EQ(Found<TCheckBox>(back, u"CheckBox1").State(), TCheckBoxState::cbGrayed);
    EXPECT_EQ(Found<TRadioButton>(back, u"RadioButton1").Parent(), &Found<TGroupBox>(back, u"GroupBox1"));
    const auto& groupBack = Found<TRadioGroup>(back, u"RadioGroup1");
    EXPECT_EQ(groupBack.ItemIndex(), 1);
    EXPECT_EQ(groupBack.ControlCount(), 3);
    EXPECT_TRUE(groupBack.Buttons(1)->Checked());
    EXPECT_EQ(Found<TProgressBar>(back, u"ProgressBar1").Position(), 250);
    EXPECT_EQ(Found<TTrackBar>(back, u"TrackBar1").Min(), -5);
    auto& barBack = Found<TToolBar>(back, u"ToolBar1");
    EXPECT_EQ(barBack.Images(), back.FindComponent(u"ImageList1"));
    ASSERT_EQ(barBack.ButtonCount(), 2);
    EXPECT_TRUE(barBack.Buttons(0)->Down());
    // Made by their owners, the radio group's buttons are not stored.
    EXPECT_EQ(written.find("GroupButton"), std::string::npos);

    // The skins find controls by the names in their class chains.
    EXPECT_TRUE(groupBack.InheritsFrom(u"TCustomRadioGroup") && groupBack.InheritsFrom(u"TCustomGroupBox") &&
                groupBack.InheritsFrom(u"TCustomControl"));
    EXPECT_TRUE(Found<TCheckBox>(back, u"CheckBox1").InheritsFrom(u"TCustomCheckBox"));
    EXPECT_TRUE(bitBack.InheritsFrom(u"TButton") && bitBack.InheritsFrom(u"TButtonControl"));
    EXPECT_TRUE(back.FindComponent(u"Frame1")->InheritsFrom(u"TCustomFrame"));
}

TEST(ControlProperties, HostileStoredValuesEndAtTheirFallbacks) {
    TApplication app;
    auto form = std::make_unique<TForm>();
    ReadLayout(*form, R"(Form1: TForm {
        Group: TRadioGroup { ItemIndex = 99999 Columns = -3 Items = ["a" "b"] }
        Progress: TProgressBar { Position = -7 Max = 5 Min = 40 }
        Track: TTrackBar { Max = 2147483647 Min = -2147483648 Frequency = 0 Position = 2147483647 }
        Header: THeaderControl { Sections = [{ Width = -500 }] }
        Glyphs: TBitBtn { NumGlyphs = 100 Margin = -9 Kind = bkOK }
    })");
    const auto& group = Found<TRadioGroup>(*form, u"Group");
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(group.Columns(), 1);
    const auto& progress = Found<TProgressBar>(*form, u"Progress");
    EXPECT_EQ(progress.Max(), 40);  // no lower than Min
    EXPECT_EQ(progress.Position(), 40);
    form->Show();
    // The widest range a control can divide by: Min stays, Max comes within reach.
    auto& track = Found<TTrackBar>(*form, u"Track");
    EXPECT_EQ(track.Max(), -1);
    EXPECT_EQ(::SendMessageW(track.Handle(), TBM_GETPOS, 0, 0), -1);
    EXPECT_EQ(::SendMessageW(track.Handle(), TBM_GETRANGEMIN, 0, 0), INT32_MIN);
    ::UpdateWindow(track.Handle());
    EXPECT_EQ(Found<THeaderControl>(*form, u"Header").Sections().Items(0)->Width(), 0);
    const auto& glyphs = Found<TBitBtn>(*form, u"Glyphs");
    EXPECT_EQ(glyphs.NumGlyphs(), 4);
    EXPECT_EQ(glyphs.Margin(), -1);
    EXPECT_TRUE(glyphs.Caption().empty());  // read, a kind changes nothing else

    // Values no property can take are refused with the line.
    for (const char* text : {"F: TForm { C: TCheckBox { State = cbMaybe } }",
                             "F: TForm { T: TToolBar { Images = F } }",
                             "F: TForm { B: TButton { ModalResult = mrPerhaps } }"}) {
        TForm other;
        EXPECT_THROW(ReadLayout(other, text), ELayoutError) << text;
    }
}
